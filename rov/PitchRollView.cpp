#include "rov/PitchRollView.h"

#include "platform/ui/Dc.h"
#include "rov/AttitudeMath.h"
#include "rov/DrawingObjects.h"
#include "rov/MyFont.h"
#include "rov/OffscreenCanvas.h"

#include <algorithm>
#include <cmath>

IMPLEMENT_DYNCREATE(CPitchRollView, CView)

BEGIN_MESSAGE_MAP(CPitchRollView, CView)
ON_WM_MOUSEACTIVATE()
END_MESSAGE_MAP()

const CPitchRollView::Colours CPitchRollView::DAY_COLOURS = {0xD6D6D6, 0x0000FF, 0x555555, 0xEBEBEB, 0x000000,
                                                             0xFFFF00, 0x00FFFF, 0xFF0000, 0x008080};
const CPitchRollView::Colours CPitchRollView::NIGHT_COLOURS = {0x000000, 0x000080, 0x000000, 0xC0C0C0, 0xC0C0C0,
                                                               0x808000, 0x008080, 0x800000, 0x004040};

namespace
{
constexpr double kDegreesToRadians = 0.017453292519943;
constexpr double kRadians315 = 5.497787143782046;
constexpr COLORREF kDayMarker = 0x0000FF;
constexpr COLORREF kNightMarker = 0x000080;
constexpr int kTextInset = 5;
constexpr int kLabelFlank = 10;
// Beyond this a pixel position means nothing on any screen; positions are held inside it so
// that converting them to whole pixels stays defined whatever value the host sends.
constexpr double kFarPixels = 1.0e6;

bool HasValue(double value)
{
    return value != PITCH_ROLL_NO_VALUE && std::isfinite(value);
}

// A value the host sent that is not a number has no value.
double Checked(double value)
{
    return std::isfinite(value) ? value : PITCH_ROLL_NO_VALUE;
}

int ToPixel(double value)
{
    return static_cast<int>(std::clamp(value, -kFarPixels, kFarPixels));
}

// The label font at a size, selected for as long as it lives.
class SizedFont
{
public:
    SizedFont(CDC* dc, int height, int width) : m_dc(dc) { m_old = m_font.SelectSized(dc, height, width); }
    ~SizedFont()
    {
        if (m_old != nullptr)
            m_dc->SelectObject(m_old);
    }
    SizedFont(const SizedFont&) = delete;
    SizedFont& operator=(const SizedFont&) = delete;

private:
    CDC* m_dc;
    CMyFont m_font;
    CFont* m_old = nullptr;
};

void Line(CDC* dc, int x1, int y1, int x2, int y2)
{
    dc->MoveTo(x1, y1);
    dc->LineTo(x2, y2);
}
} // namespace

CPitchRollView::CPitchRollView() : m_Colours(DAY_COLOURS), m_pCanvas(std::make_unique<OffscreenCanvas>()) {}

CPitchRollView::~CPitchRollView() = default;

void CPitchRollView::SetPitchRoll(double pitch, double roll)
{
    m_Pitch = Checked(pitch);
    m_Roll = Checked(roll);
}

void CPitchRollView::SetTrueHeading(double heading)
{
    m_TrueHeading = Checked(heading);
}

void CPitchRollView::SetDepth(double depth)
{
    m_Depth = Checked(depth);
}

void CPitchRollView::SetNightMode(bool bNight)
{
    m_bNight = bNight;
    m_Colours = bNight ? NIGHT_COLOURS : DAY_COLOURS;
}

void CPitchRollView::OnDraw(CDC* pDC)
{
    CRect client;
    GetClientRect(&client);
    Draw(pDC, client);
}

int CPitchRollView::OnMouseActivate(CWnd*, UINT, UINT)
{
    return 0;
}

void CPitchRollView::CalculateComponentRectangles(RECT* rect)
{
    const CRect r(*rect);
    const int side = std::min(r.Width(), r.Height());
    const CPoint centre = r.CenterPoint();
    m_RoseRect.SetRect(centre.x - side / 2, centre.y - side / 2, centre.x - side / 2 + side, centre.y - side / 2 + side);
    m_AttitudeRect = m_RoseRect;
    if (HasValue(m_TrueHeading))
    {
        const int half = static_cast<int>(side * 0.7) / 2;
        m_AttitudeRect.SetRect(centre.x - half, centre.y - half, centre.x + half, centre.y + half);
    }
}

void CPitchRollView::CalculatePitch(POINT* pt, double degrees)
{
    const double a = degrees * kDegreesToRadians;
    pt->y = ToPixel(std::cos(a) * pt->x - std::sin(a) * pt->y);
}

POINT CPitchRollView::ComputePtOnCircle(double d, double inset, double degrees)
{
    const double r = (d - inset) / 2.0;
    const double a = degrees * kDegreesToRadians;
    POINT pt;
    pt.x = ToPixel(d / 2.0 + std::trunc(std::sin(a) * r));
    pt.y = ToPixel(d / 2.0 - std::trunc(std::cos(a) * r));
    return pt;
}

void CPitchRollView::RotatePoint2D(POINT* pt, POINT* centre, double degrees)
{
    const double a = degrees * kDegreesToRadians;
    const double dx = pt->x - centre->x;
    const double dy = pt->y - centre->y;
    pt->x = ToPixel(dx * std::cos(a) - dy * std::sin(a) + centre->x);
    pt->y = ToPixel(dx * std::sin(a) + dy * std::cos(a) + centre->y);
}

void CPitchRollView::CalculateHorizon(POINT centre, double r, double pitch, double roll, POINT* p1, POINT* p2)
{
    double sinPitch = 0.0, cosPitch = 1.0, sinRoll = 0.0, cosRoll = 1.0;
    LookupSinCos(pitch, &sinPitch, &cosPitch);
    LookupSinCos(roll, &sinRoll, &cosRoll);
    const double ends[2] = {r, -r};
    POINT* points[2] = {p1, p2};
    for (int i = 0; i < 2; ++i)
    {
        double X = 0.0, Z = 0.0;
        RotatePoint3D(0.0, 0.0, 0.0, ends[i], r, 0.0, 0.0, 1.0, sinPitch, cosPitch, sinRoll, cosRoll, &X, nullptr, &Z);
        points[i]->x = ToPixel(centre.x + X);
        points[i]->y = ToPixel(centre.y + Z);
    }
}

void CPitchRollView::GroundPolygon(const CRect& square, POINT p1, POINT p2, POINT polygon[5])
{
    const POINT lt{square.left, square.top}, lb{square.left, square.bottom};
    const POINT rt{square.right, square.top}, rb{square.right, square.bottom};
    POINT corners[3];
    if (p2.x < p1.x)
    {
        if (p1.y < p2.y)
            corners[0] = lb, corners[1] = rb, corners[2] = rt;
        else
            corners[0] = lt, corners[1] = lb, corners[2] = rb;
    }
    else if (p2.y > p1.y)
        corners[0] = rb, corners[1] = rt, corners[2] = lt;
    else
        corners[0] = rt, corners[1] = lt, corners[2] = lb;
    std::copy(corners, corners + 3, polygon);
    polygon[3] = p1;
    polygon[4] = p2;
}

void CPitchRollView::Draw(CDC* pDC, CRect rect)
{
    OffscreenCanvas& canvas = *m_pCanvas;
    if (!canvas.Begin(pDC, rect))
        return;
    CDC& memory = canvas.Dc();
    memory.SetBkMode(TRANSPARENT);
    // Drawn at the bitmap's origin and copied to the rectangle's place at the end.
    CRect local = canvas.Local();
    CalculateComponentRectangles(&local);

    memory.FillSolidRect(&local, m_bTimeout ? m_Colours.Timeout : m_Colours.Background);
    // The read-outs show whatever the heading: due north (0.00°) is a heading like any other.
    if (m_bDisplayText)
    {
        DisplayText(&memory, m_TrueHeading, 4, local);
        DisplayText(&memory, m_Pitch, 3, local);
        DisplayText(&memory, m_Roll, 2, local);
    }
    if (HasValue(m_TrueHeading))
        DrawCompassRose(&memory, m_TrueHeading);

    CRgn clip;
    clip.CreateEllipticRgnIndirect(&m_AttitudeRect);
    memory.SelectClipRgn(&clip);
    if (HasValue(m_Pitch) && HasValue(m_Roll))
        DrawAttitude(&memory);
    if (HasValue(m_Depth))
        DrawMovingScale(&memory, &m_AttitudeRect, m_Depth);
    memory.SelectClipRgn(nullptr);

    canvas.End();
}

void CPitchRollView::DrawAttitude(CDC* pDC)
{
    const CRect& square = m_AttitudeRect;
    CBrush sky(m_Colours.Sky);
    CRgn circle;
    circle.CreateEllipticRgnIndirect(&square);
    pDC->FillRgn(&circle, &sky);

    const POINT centre = square.CenterPoint();
    POINT p1{}, p2{};
    CalculateHorizon(centre, square.Width() * 0.5, m_Pitch, m_Roll, &p1, &p2);
    POINT ground[5];
    GroundPolygon(square, p1, p2, ground);
    {
        DrawingObjects objects(pDC, m_Colours.Ground, m_Colours.Ground);
        const int oldMode = pDC->SetPolyFillMode(WINDING);
        pDC->Polygon(ground, 5);
        pDC->SetPolyFillMode(oldMode);
    }

    DrawingObjects pen(pDC, m_Colours.Symbol);
    Line(pDC, centre.x - square.Width() / 4, centre.y, centre.x + square.Width() / 4, centre.y);
    Line(pDC, centre.x, centre.y, centre.x, centre.y + square.Height() / 6);
}

CString CPitchRollView::ValueText(double value, int kind)
{
    CString text;
    if (!HasValue(value))
        text = "??????\xB0";
    else if (kind == 2 || kind == 3)
        text.Format("%+06.2lf\xB0", value);
    else
        text.Format("%6.2lf\xB0", value);
    return text;
}

void CPitchRollView::DisplayText(CDC* pDC, double value, int kind, CRect rect)
{
    const double s = std::min(m_RoseRect.Width(), m_RoseRect.Height()) / 2.0;
    const CPoint roseCentre = m_RoseRect.CenterPoint();
    const int a = roseCentre.x + static_cast<int>(std::floor(std::sin(kRadians315) * s));
    const int b = roseCentre.y - static_cast<int>(std::floor(std::cos(kRadians315) * s));

    CRect box;
    const char* title = nullptr;
    switch (kind)
    {
    case 4:
        box.SetRect(rect.left + kTextInset, rect.top, rect.left + kTextInset + a, rect.top + b);
        title = "Gyro";
        break;
    case 3:
        box.SetRect(rect.left + kTextInset, rect.bottom - b, rect.left + kTextInset + a, rect.bottom);
        title = "Pitch";
        break;
    case 2:
        box.SetRect(rect.right - kTextInset - a, rect.bottom - b, rect.right - kTextInset, rect.bottom);
        title = "Roll";
        break;
    case 1: box.SetRect(rect.right - kTextInset - a, rect.top, rect.right - kTextInset, rect.top + b); break;
    default: return;
    }

    const CString text = ValueText(value, kind);

    const int oldMode = pDC->SetBkMode(TRANSPARENT);
    const COLORREF oldColour = pDC->SetTextColor(m_Colours.Text);
    const UINT format = DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOCLIP;
    CRect valueBox = box;
    if (title != nullptr)
    {
        CRect titleBox = box;
        titleBox.bottom = box.top + box.Height() / 2;
        valueBox.top = titleBox.bottom;
        SizedFont font(pDC, titleBox.Height(), box.Width() / 8);
        pDC->DrawText(title, -1, &titleBox, format);
        pDC->DrawText(text, &valueBox, format);
    }
    else
    {
        SizedFont font(pDC, box.Height() / 2, box.Width() / 8);
        pDC->DrawText(text, &valueBox, format);
    }
    pDC->SetTextColor(oldColour);
    pDC->SetBkMode(oldMode);
}

void CPitchRollView::DrawCompassRose(CDC* pDC, double heading)
{
    {
        DrawingObjects ring(pDC, m_Colours.RoseText, m_Colours.Rose);
        pDC->Ellipse(&m_RoseRect);
    }
    const int step = (m_RoseRect.Width() - 20) / 20;
    m_RoseRect.DeflateRect(10 + step, 10 + step);
    const int side = std::min(m_RoseRect.Width(), m_RoseRect.Height());
    const int R = side / 2;
    const int left = m_RoseRect.left, top = m_RoseRect.top;
    // The heading's whole degrees turn the rose; reduced to a turn first, so that any heading
    // converts to whole degrees defined.
    const int turn = m_bRotateRose ? static_cast<int>(std::fmod(heading, 360.0)) : 0;

    {
        SizedFont font(pDC, side / 10, (side / 20) / 2);
        TEXTMETRIC tm{};
        pDC->GetTextMetrics(&tm);
        const COLORREF oldColour = pDC->SetTextColor(m_Colours.RoseText);
        const int oldMode = pDC->SetBkMode(TRANSPARENT);
        for (int a = 0; a < 360; a += 30)
        {
            const double t = (a - turn) * kDegreesToRadians;
            const int x = ToPixel(R + std::sin(t) * R);
            const int y = ToPixel(R - std::cos(t) * R - tm.tmHeight / 2.0);
            CString label;
            int half = 0;
            if (a % 90 == 0)
            {
                label = CString("NESW"[a / 90]);
                half = tm.tmAveCharWidth / 2;
            }
            else
            {
                label.Format("%d", a);
                half = pDC->GetTextExtent(label).cx / 2;
            }
            pDC->TextOut(left + x - half, top + y, label);
        }
        pDC->SetBkMode(oldMode);
        pDC->SetTextColor(oldColour);
    }

    {
        DrawingObjects pen(pDC, m_Colours.Tick);
        const int outer = -side / 40, inner = side / 40;
        for (int a = 0; a < 360; a += 10)
        {
            if (a % 30 == 0)
                continue;
            const double t = a - turn;
            const POINT from = ComputePtOnCircle(side, outer, t);
            const POINT to = ComputePtOnCircle(side, inner, t);
            Line(pDC, left + from.x, top + from.y, left + to.x, top + to.y);
        }
    }

    {
        DrawingObjects disc(pDC, m_Colours.RoseText, m_Colours.Background);
        pDC->Ellipse(&m_AttitudeRect);
    }

    const int b = (m_RoseRect.Width() - m_AttitudeRect.Width()) / 8;
    const CPoint centre = m_RoseRect.CenterPoint();
    CPoint marker(centre.x, centre.y - R);
    if (!m_bRotateRose)
    {
        const double h = heading * kDegreesToRadians;
        marker.SetPoint(ToPixel(centre.x + std::sin(h) * R), ToPixel(centre.y - std::cos(h) * R));
    }
    const COLORREF markerColour = m_Colours.Rose == DAY_COLOURS.Rose ? kDayMarker : kNightMarker;
    DrawingObjects dot(pDC, markerColour, markerColour);
    pDC->Ellipse(marker.x - b, marker.y - b, marker.x + b, marker.y + b);
}

void CPitchRollView::DrawMovingScale(CDC* pDC, RECT* square, double depth)
{
    const CRect r(*square);
    const int width = r.Width();
    if (width < 2 || !HasValue(depth))
        return;
    const CPoint centre = r.CenterPoint();
    const int q = width / 4;
    const CRect band(centre.x - q, r.top, centre.x + q, r.bottom);
    pDC->FillSolidRect(&band, m_Colours.Rose);

    const double p = static_cast<double>(width) / (2 * (width / 2)) * 10.0;
    const double base = std::floor(depth / 10.0) * 10.0;
    const double y0 = centre.y - (depth - base) * p;
    const int m = std::min(q / 2, static_cast<int>(6.0 * p));
    const int labelHalfHeight = static_cast<int>(3.0 * p);

    SizedFont font(pDC, static_cast<int>(3.0 * p) - static_cast<int>(-3.0 * p), 2 * m / 5);
    const COLORREF oldColour = pDC->SetTextColor(m_Colours.RoseText);
    const int oldMode = pDC->SetBkMode(TRANSPARENT);
    {
        DrawingObjects pen(pDC, m_Colours.Tick);
        for (int direction : {-1, 1})
            for (int k = 0; k < width / 2; ++k)
            {
                const int y = ToPixel(std::trunc(k * p) * direction + y0);
                const bool major = k % 10 == 0;
                const int tick = major ? 20 : 8;
                Line(pDC, band.left, y, band.left + tick, y);
                Line(pDC, band.right, y, band.right - tick, y);
                if (!major)
                    continue;
                CString label;
                label.Format("%.0f", base + (p / 10.0) * k * direction);
                CRect box(centre.x - m, y - labelHalfHeight, centre.x + m, y + labelHalfHeight);
                pDC->DrawText(label, &box, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOCLIP);
                Line(pDC, centre.x - m - kLabelFlank, y, centre.x - m, y);
                Line(pDC, centre.x + m, y, centre.x + m + kLabelFlank, y);
            }
    }
    pDC->SetBkMode(oldMode);
    pDC->SetTextColor(oldColour);

    DrawingObjects pen(pDC, m_Colours.Symbol);
    Line(pDC, band.left, centre.y, band.right, centre.y);
}

void CPitchRollView::SetTimeout(bool bTimeout)
{
    m_bTimeout = bTimeout;
}

void CPitchRollView::SetDisplayText(bool bDisplay)
{
    m_bDisplayText = bDisplay;
}

void CPitchRollView::SetDisplayDepth(bool bDisplay)
{
    m_bDisplayDepth = bDisplay;
}

void CPitchRollView::SetRotateRose(bool bRotate)
{
    m_bRotateRose = bRotate;
}
