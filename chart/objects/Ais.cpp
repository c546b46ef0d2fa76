#include "chart/objects/Ais.h"

#include <cfloat>
#include <cmath>

namespace
{
constexpr double kDegree = M_PI / 180.0;
} // namespace

CAis::CAis()
{
    // The host sets its own colours; these make a store drawable as it stands.
    const COLORREF fills[AIS_CATEGORIES] = {0x808080, 0x00FF00, 0xFFFF00, 0x0000FF, 0x00FFFF,
                                            0xFF8000, 0x0080FF, 0xFF00FF, 0x4040FF, 0xFFFFFF};
    for (int i = 0; i < AIS_CATEGORIES; ++i)
        m_CategoryBrushes[i].CreateSolidBrush(fills[i]);
    m_LabelBrush.CreateSolidBrush(0xE7FFFF);
    m_LabelFrameBrush.CreateSolidBrush(COLORREF(0x000000));
    m_LabelFont.CreatePointFont(80, "Tahoma");
    m_HeadingPen.CreatePen(PS_SOLID, 1, 0xFFFFFF);
    m_CrossPens[0].CreatePen(PS_SOLID, 1, COLORREF(0x000000));
    m_CrossPens[1].CreatePen(PS_SOLID, 1, 0xFFFFFF);
    m_HistoryBrush.CreateSolidBrush(0xC0C0C0);
}

CAis::~CAis()
{
    for (INT_PTR i = 0; i < m_Targets.GetSize(); ++i)
        delete m_Targets.GetAt(i);
}

uint32_t CAis::AddTarget(const AisTargetDef& target)
{
    auto* copy = new AisTargetDef(target);
    copy->Key = m_NextKey++;
    try
    {
        m_Targets.Add(copy);
    }
    catch (...)
    {
        delete copy;
        throw;
    }
    return copy->Key;
}

AisTargetDef* CAis::FindTarget(uint32_t key) const
{
    for (INT_PTR i = 0; i < m_Targets.GetSize(); ++i)
        if (m_Targets.GetAt(i)->Key == key)
            return m_Targets.GetAt(i);
    return nullptr;
}

bool CAis::RemoveTarget(uint32_t key)
{
    for (INT_PTR i = 0; i < m_Targets.GetSize(); ++i)
    {
        if (m_Targets.GetAt(i)->Key != key)
            continue;
        delete m_Targets.GetAt(i);
        m_Targets.RemoveAt(i);
        return true;
    }
    return false;
}

void CAis::ClassifyTarget(AisTargetDef& target)
{
    target.category = AIS_UNKNOWN;
    switch (target.classLetter)
    {
    case 'A':
    case 'B':
        target.typeText = target.classLetter == 'A' ? "A" : "B";
        target.category = target.classLetter == 'A' ? AIS_CLASS_A : AIS_CLASS_B;
        if (target.flagged)
            target.category = AIS_FLAGGED;
        else if ((target.lowSpeedMode == 1 && target.speed < 0.5) || (target.lowSpeedMode == 0 && target.speed < 0.2))
            target.category = AIS_STOPPED;
        else if (target.anchoredFlag == 1 && target.lowSpeedMode == 0)
            target.category = AIS_ANCHORED;
        else if (target.mooredFlag == 1)
            target.category = AIS_MOORED;
        break;
    case 'N':
        target.typeText = "AtoN";
        target.category = AIS_ATON;
        break;
    case 'S':
        target.typeText = "SAR";
        target.category = AIS_SAR;
        break;
    case 'X':
        target.typeText = "Base";
        target.category = AIS_BASE_STATION;
        break;
    default: break;
    }
}

CBrush* CAis::SelectCategoryBrush(CDC* dc, const AisTargetDef& target)
{
    if (dc == nullptr || target.category < 0 || target.category >= AIS_CATEGORIES)
        return nullptr;
    return dc->SelectObject(&m_CategoryBrushes[target.category]);
}

bool CAis::BuildTargetShape(const AisTargetDef& target, int x, int y, POINT* points, int* count,
                            double pixelsPerMetre) const
{
    if (target.E == DBL_MAX || target.N == DBL_MAX)
        return false;
    double sine = 0.0, cosine = 1.0, orientation = 0.0;
    if (target.heading != -1.0)
        orientation = target.heading, sine = target.sinHeading, cosine = target.cosHeading;
    else if (target.course != -1.0)
        orientation = target.course, sine = target.sinCourse, cosine = target.cosCourse;
    else
        return false;

    // Offsets: x to starboard, y forward, whole pixels.
    POINT shape[18];
    int n = 0;
    const int l = static_cast<int>(target.toBow * pixelsPerMetre);
    const int h = static_cast<int>(target.toStern * pixelsPerMetre);
    const int g = static_cast<int>(target.toPort * pixelsPerMetre);
    const int f = static_cast<int>(target.toStarboard * pixelsPerMetre);
    if (scaledOutlines && l + h > 9 && g + f > 5)
    {
        const int o = (g + f) / 2;
        const int r = (g + f) / 6;
        auto add = [&](int px, int py) { shape[n++] = POINT{px, py}; };
        add(o - g, l);
        add(f, l - o);
        add(f, r - h);
        for (int a : {105, 120, 135, 150, 165})
            add(f + static_cast<int>(std::sin(a * kDegree) * r) - r, r + static_cast<int>(std::cos(a * kDegree) * r) - h);
        add(f - r, -h);
        add(r - g, -h);
        for (int a : {165, 150, 135, 120, 105})
            add(r - static_cast<int>(std::sin(a * kDegree) * r) - g, r + static_cast<int>(std::cos(a * kDegree) * r) - h);
        add(-g, r - h);
        add(-g, l - o);
        add(o - g, l);
    }
    else
    {
        const int a = largeSymbols ? 18 : 9, b = largeSymbols ? 10 : 5;
        shape[0] = POINT{0, a};
        shape[1] = POINT{b, -a};
        shape[2] = POINT{-b, -a};
        shape[3] = POINT{0, a};
        n = 4;
    }
    for (int i = 0; i < n; ++i)
    {
        const double px = shape[i].x, py = shape[i].y;
        points[i] = orientation == 0.0
                        ? POINT{x + shape[i].x, y - shape[i].y}
                        : POINT{x + static_cast<int>(py * sine + px * cosine), y - static_cast<int>(py * cosine - px * sine)};
    }
    *count = n;
    return true;
}

void CAis::DrawCross(CDC* dc, int x, int y, double cosine, CPen* pen, double sine)
{
    CPen* old = dc->SelectObject(pen);
    dc->MoveTo(x - static_cast<int>(5 * sine), y + static_cast<int>(5 * cosine));
    dc->LineTo(x + static_cast<int>(5 * sine), y - static_cast<int>(5 * cosine));
    dc->MoveTo(x - static_cast<int>(5 * cosine), y - static_cast<int>(5 * sine));
    dc->LineTo(x + static_cast<int>(5 * cosine), y + static_cast<int>(5 * sine));
    dc->SelectObject(old);
}

void CAis::DrawHeadingLine(CDC* dc, int x, int y, const AisTargetDef& target)
{
    if (!showHeadingLine || target.heading == -1.0)
        return;
    CPen* old = dc->SelectObject(&m_HeadingPen);
    const int ex = x + static_cast<int>(18 * target.sinHeading);
    const int ey = y - static_cast<int>(18 * target.cosHeading);
    dc->MoveTo(x, y);
    dc->LineTo(ex, ey);
    if (showTurnIndicator && target.rateOfTurn != 0.0)
    {
        const double side = target.heading + (target.rateOfTurn < 0.0 ? -M_PI / 2.0 : M_PI / 2.0);
        dc->MoveTo(ex, ey);
        dc->LineTo(ex + static_cast<int>(5 * std::sin(side)), ey - static_cast<int>(5 * std::cos(side)));
    }
    dc->SelectObject(old);
}

CString CAis::LabelText(const AisTargetDef& target) const
{
    CStringArray lines;
    if (labelName)
    {
        CString text;
        if (target.classLetter == 'X')
            text.Format("Base Station\n%s", (LPCSTR)target.id);
        else
            text = target.name == "n/a" ? target.id : target.name;
        lines.Add(text);
    }
    if (labelLine2)
        lines.Add(target.line2[0] + "  " + target.line2[1]);
    if (labelLine3 && target.line3[0].Left(3) != "n/a" && target.line3[1].Left(3) != "n/a")
        lines.Add(target.line3[0] + "  " + target.line3[1]);
    if (labelLine4 && target.line4Text.Left(3) != "n/a")
        lines.Add(target.line4Text);
    CString text;
    for (INT_PTR i = 0; i < lines.GetSize(); ++i)
        text += (i ? "\n" : "") + lines[i];
    return text;
}

void CAis::DrawTarget(CDC* dc, int x, int y, AisTargetDef& target, double pixelsPerMetre)
{
    POINT points[18];
    int count = 0;
    if (BuildTargetShape(target, x, y, points, &count, pixelsPerMetre))
    {
        const int oldMode = dc->SetPolyFillMode(WINDING);
        CBrush* oldBrush = SelectCategoryBrush(dc, target);
        dc->Polygon(points, count);
        if (oldBrush)
            dc->SelectObject(oldBrush);
        dc->SetPolyFillMode(oldMode);
        if (count >= 5)
        {
            const bool byHeading = target.heading != -1.0;
            DrawCross(dc, x, y, byHeading ? target.cosHeading : target.cosCourse,
                      &m_CrossPens[target.category == AIS_CLASS_A ? 0 : 1],
                      byHeading ? target.sinHeading : target.sinCourse);
        }
        DrawHeadingLine(dc, x, y, target);
    }
    else
    {
        CBrush* oldBrush = SelectCategoryBrush(dc, target);
        dc->Ellipse(x - 5, y - 5, x + 5, y + 5);
        if (oldBrush)
            dc->SelectObject(oldBrush);
    }

    const CString text = LabelText(target);
    if (!(labelName || labelLine2 || labelLine3 || labelLine4) || text.IsEmpty())
        return;
    CFont* oldFont = dc->SelectObject(&m_LabelFont);
    CRect measure(0, 0, 0, 0);
    dc->DrawText(text, -1, &measure, DT_CALCRECT | DT_CENTER);
    const int w = measure.Width(), h = measure.Height();
    const int top = y + (largeSymbols ? 18 : 9);
    CRect box(x - w / 2 - 4, top + 1, x + (w - w / 2) - 1, top + h - 1);
    dc->FillRect(&box, &m_LabelBrush);
    CRect frame = box;
    frame.InflateRect(1, 1);
    dc->FrameRect(&frame, &m_LabelFrameBrush);
    const COLORREF oldColour = dc->SetTextColor(m_LabelColour);
    const int oldBk = dc->SetBkMode(TRANSPARENT);
    dc->DrawText(text, -1, &box, DT_CENTER | DT_VCENTER);
    dc->SetBkMode(oldBk);
    dc->SetTextColor(oldColour);
    dc->SelectObject(oldFont);
}
