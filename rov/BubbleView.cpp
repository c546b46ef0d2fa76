#include "rov/BubbleView.h"

#include "foundation/PopupMenu.h"
#include "foundation/SelectedObjects.h"
#include "platform/ui/Dc.h"
#include "platform/ui/FrameWnd.h"
#include "rov/FlagSettings.h"

#include <algorithm>
#include <cmath>
#include <cstring>

IMPLEMENT_DYNCREATE(CBubbleView, CView)

BEGIN_MESSAGE_MAP(CBubbleView, CView)
ON_WM_ERASEBKGND()
ON_WM_MOUSEACTIVATE()
ON_WM_DRAWITEM()
ON_WM_RBUTTONDOWN()
END_MESSAGE_MAP()

const CBubbleView::Colours CBubbleView::DAY_COLOURS = {255, 0x555555, 0xFFFF00, 0x808000, 0x99FFFF, 0x00FF00, 0x000000};
const CBubbleView::Colours CBubbleView::NIGHT_COLOURS = {128, 0x000000, 0x800000, 0x400000, 0x008080, 0x008000, 0xC0C0C0};

namespace
{
const char* const kSettingsName = "Bubble View";
constexpr double kDegreesToRadians = 0.017453292519943;
constexpr COLORREF kMenuBackground = 0xD6D6D6;
constexpr COLORREF kOutline = 0x000000;
constexpr int kRings = 5;
constexpr int kTextInset = 5;
// Beyond this a pixel position means nothing on any screen; held inside it so that the
// conversion to whole pixels stays defined.
constexpr double kFarPixels = 1.0e6;

int ToPixel(double value)
{
    return static_cast<int>(std::clamp(value, -kFarPixels, kFarPixels));
}

// A filled circle of radius r about p, outlined with the pen selected.
void Disc(CDC* dc, POINT p, int r)
{
    dc->Ellipse(p.x - r, p.y - r, p.x + r, p.y + r);
}

// A one-pixel pen and a solid brush, selected for one drawing.
class PenAndBrush
{
public:
    PenAndBrush(CDC* dc, COLORREF pen, COLORREF brush)
        : m_pen(PS_SOLID, 1, pen), m_brush(brush), m_selected(*dc, &m_pen, &m_brush)
    {
    }

private:
    CPen m_pen;
    CBrush m_brush;
    SelectedObjects m_selected;
};
} // namespace

CBubbleView::CBubbleView() : m_Colours(DAY_COLOURS)
{
    const FLAG_SETTING lines[] = {{"Template", &m_bTemplate, false}, {"Show Trail", &m_bShowTrail, true}};
    ReadFlagSettings(kSettingsName, lines, 2);
    LOGFONT lf{};
    lf.lfHeight = 80;
    lf.lfWeight = FW_NORMAL;
    lf.lfOutPrecision = 4;
    lf.lfClipPrecision = 32;
    lf.lfQuality = 2;
    std::strncpy(lf.lfFaceName, "Tahoma", sizeof lf.lfFaceName - 1);
    m_Font.CreatePointFontIndirect(&lf);
}

CBubbleView::~CBubbleView()
{
    m_Font.DeleteObject();
}

int CBubbleView::Create(CWnd* pParent, bool vesselOnly)
{
    // Through the setter: a vessel-only view left on the template by a shared settings file
    // would ignore every update it is given and offers no menu to switch back. Set before the
    // window is made, as a view that fails to be made deletes itself.
    SetVesselOnly(vesselOnly);
    const LPCTSTR windowClass = AfxRegisterWndClass(CS_DBLCLKS);
    return CView::Create(windowClass, "", WS_CHILD | WS_VISIBLE, CRect(0, 0, 200, 200), pParent, 0);
}

void CBubbleView::UpdateVessel(double heading, double pitch, double roll, double tiltAngle, double tiltHeading)
{
    if (!m_bTemplate)
        UpdateData(heading, pitch, roll, tiltAngle, tiltHeading);
}

void CBubbleView::UpdateTemplate(double heading, double pitch, double roll, double tiltAngle, double tiltHeading)
{
    if (m_bTemplate)
        UpdateData(heading, pitch, roll, tiltAngle, tiltHeading);
}

void CBubbleView::UpdateTemplate2ndMRU(double tiltAngle, double tiltHeading)
{
    if (!std::isfinite(tiltAngle) || !std::isfinite(tiltHeading))
        return;
    m_2ndTiltAngle = tiltAngle;
    m_2ndTiltHeading = tiltHeading;
}

void CBubbleView::UpdateData(double heading, double pitch, double roll, double tiltAngle, double tiltHeading)
{
    // A tilt that is not a number has no place on the target, nor in the trail behind it.
    if (!std::isfinite(tiltAngle) || !std::isfinite(tiltHeading))
        return;
    m_Heading = heading;
    m_Pitch = pitch;
    m_Roll = roll;
    m_TiltAngle = tiltAngle;
    m_TiltHeading = tiltHeading;
    m_Trail.InsertAt(0, BUBBLE_TILT{tiltAngle, tiltHeading});
    if (m_Trail.GetSize() > MAX_TRAIL)
        m_Trail.SetSize(MAX_TRAIL);
    if (GetSafeHwnd() != nullptr)
        Invalidate(FALSE);
}

void CBubbleView::SetVesselOnly(bool bVesselOnly)
{
    m_bVesselOnly = bVesselOnly;
    if (bVesselOnly)
        m_bTemplate = false;
}

void CBubbleView::SetTitle(const char* title)
{
    if (GetSafeHwnd() == nullptr)
        return;
    if (CFrameWnd* frame = GetParentFrame())
        frame->SetWindowText(title != nullptr ? title : "");
}

void CBubbleView::SetDaylightMode()
{
    SetNightMode(false);
}

void CBubbleView::SetNightMode(bool bNight)
{
    m_bNight = bNight;
    m_Colours = bNight ? NIGHT_COLOURS : DAY_COLOURS;
    if (GetSafeHwnd() != nullptr)
        Invalidate();
}

void CBubbleView::SetFont(int size)
{
    LOGFONT lf{};
    if (m_Font.GetSafeHandle() == nullptr || m_Font.GetLogFont(&lf) == 0)
        return;
    m_Font.DeleteObject();
    lf.lfHeight = size * 8;
    lf.lfWeight = size < 12 ? FW_NORMAL : FW_BOLD;
    m_Font.CreatePointFontIndirect(&lf);
}

POINT CBubbleView::TiltPosition(int cx, int cy, int ringStep, double tiltAngle, double tiltHeading)
{
    const double h = tiltHeading * kDegreesToRadians;
    const double rings = std::fmod(tiltAngle, 5.0);
    return POINT{ToPixel(cx + std::sin(h) * ringStep * rings), ToPixel(cy - std::cos(h) * ringStep * rings)};
}

BOOL CBubbleView::OnEraseBkgnd(CDC*)
{
    // The picture covers the whole client area; erasing first would only make it flicker.
    return TRUE;
}

int CBubbleView::OnMouseActivate(CWnd*, UINT, UINT)
{
    return MA_ACTIVATE;
}

void CBubbleView::OnDrawItem(int nIDCtl, LPDRAWITEMSTRUCT lpDrawItemStruct)
{
    if (lpDrawItemStruct != nullptr && lpDrawItemStruct->CtlType == ODT_MENU &&
        lpDrawItemStruct->itemID >= MENU_HEADING)
        CPopupMenu::DrawHeading(lpDrawItemStruct);
    CView::OnDrawItem(nIDCtl, lpDrawItemStruct);
}

void CBubbleView::OnRButtonDown(UINT, CPoint point)
{
    if (!m_bVesselOnly)
    {
        CPopupMenu menu(kMenuBackground);
        if (menu.CreatePopupMenu())
        {
            auto check = [](bool on) { return static_cast<UINT>(MF_STRING | (on ? MF_CHECKED : MF_UNCHECKED)); };
            menu.AppendMenu(MF_OWNERDRAW, MENU_HEADING, "MRU");
            menu.AppendMenu(check(!m_bTemplate), MENU_VESSEL, "Vessel");
            menu.AppendMenu(check(m_bTemplate), MENU_TEMPLATE, "Template");
            menu.AppendMenu(MF_OWNERDRAW, MENU_HEADING + 1, "Trail");
            menu.AppendMenu(check(m_bShowTrail), MENU_SHOW_TRAIL, "Show");
            menu.AppendMenu(MF_STRING, MENU_CLEAR_TRAIL, "Clear");
            CPoint screen = point;
            ClientToScreen(&screen);
            switch (static_cast<UINT>(menu.TrackPopupMenu(TPM_RETURNCMD | TPM_RIGHTBUTTON, screen.x, screen.y, this)))
            {
            case MENU_VESSEL: m_bTemplate = false; break;
            case MENU_TEMPLATE: m_bTemplate = true; break;
            case MENU_SHOW_TRAIL: m_bShowTrail = !m_bShowTrail; break;
            case MENU_CLEAR_TRAIL: m_Trail.RemoveAll(); break;
            default: break;
            }
            // The other source's next update starts a clean picture; the heading stays.
            m_Pitch = m_Roll = m_TiltAngle = m_TiltHeading = 0.0;
            m_2ndTiltAngle = m_2ndTiltHeading = -1.0;
            Invalidate(FALSE);
        }
    }
    SaveSettings();
}

// Read in the constructor, in this order.
void CBubbleView::SaveSettings()
{
    bool followTemplate = m_bVesselOnly ? false : m_bTemplate;
    const FLAG_SETTING lines[] = {{"Template", &followTemplate, false}, {"Show Trail", &m_bShowTrail, true}};
    // A file that cannot be written keeps its old contents; the view goes on as it is.
    WriteFlagSettings(kSettingsName, lines, 2);
}

void CBubbleView::OnDraw(CDC* pDC)
{
    CRect client;
    GetClientRect(&client);
    if (pDC == nullptr || client.IsRectEmpty())
        return;
    CDC memory;
    CBitmap bitmap;
    if (!memory.CreateCompatibleDC(pDC) || !bitmap.CreateCompatibleBitmap(pDC, client.Width(), client.Height()))
        return;
    CBitmap* oldBitmap = memory.SelectObject(&bitmap);
    DrawPicture(&memory, CRect(0, 0, client.Width(), client.Height()));
    pDC->BitBlt(client.left, client.top, client.Width(), client.Height(), &memory, 0, 0, SRCCOPY);
    memory.SelectObject(oldBitmap);
}

void CBubbleView::DrawPicture(CDC* pDC, const CRect& rect)
{
    pDC->FillSolidRect(&rect, m_Colours.Background);
    const int cx = rect.Width() / 2, cy = rect.Height() / 2;
    const int R = std::min(rect.Width(), rect.Height()) / 2;
    const int d = R / 40;
    const int step = R / kRings;
    const POINT centre{cx, cy};

    {
        CPen ringPen(PS_SOLID, 1, RING_PEN);
        CPen* oldPen = pDC->SelectObject(&ringPen);
        for (int k = 0; k < kRings; ++k)
        {
            CBrush fill(RGB(m_Colours.RingRed, 100 + 30 * k, 0));
            CBrush* oldBrush = pDC->SelectObject(&fill);
            Disc(pDC, centre, R - k * step);
            pDC->SelectObject(oldBrush);
        }
        pDC->MoveTo(cx, rect.top);
        pDC->LineTo(cx, rect.bottom);
        pDC->MoveTo(rect.left, cy);
        pDC->LineTo(rect.right, cy);
        pDC->SelectObject(oldPen);
    }

    if (m_bShowTrail && m_Trail.GetSize() > 0)
    {
        PenAndBrush dots(pDC, kOutline, m_Colours.TrailDot);
        for (INT_PTR i = m_Trail.GetSize() - 1; i >= 0; --i)
            Disc(pDC, TiltPosition(cx, cy, step, m_Trail[i].angle, m_Trail[i].heading), d / 2);
    }

    const POINT bubble = TiltPosition(cx, cy, step, m_TiltAngle, m_TiltHeading);
    const bool second = m_2ndTiltAngle != -1.0 || m_2ndTiltHeading != -1.0;
    const POINT secondBubble = second ? TiltPosition(cx, cy, step, m_2ndTiltAngle, m_2ndTiltHeading) : POINT{};
    {
        PenAndBrush fill(pDC, kOutline, m_Colours.Bubble);
        Disc(pDC, bubble, d);
        if (second)
            Disc(pDC, secondBubble, d);
    }
    if (second)
    {
        SetFont(d);
        CFont* oldFont = pDC->SelectObject(&m_Font);
        const COLORREF oldColour = pDC->SetTextColor(m_Colours.SecondLabel);
        const int oldMode = pDC->SetBkMode(TRANSPARENT);
        const UINT centred = DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOCLIP;
        CRect first(bubble.x - d, bubble.y - d, bubble.x + d, bubble.y + d);
        pDC->DrawText("1", &first, centred);
        CRect other(secondBubble.x - d, secondBubble.y - d, secondBubble.x + d, secondBubble.y + d);
        pDC->DrawText("2", &other, centred);
        pDC->SetBkMode(oldMode);
        pDC->SetTextColor(oldColour);
        pDC->SelectObject(oldFont);
    }

    // A heading that is not a number draws no line, as no heading does.
    if (m_Heading != -1.0 && std::isfinite(m_Heading))
    {
        CPen line(PS_SOLID, 2, m_Colours.HeadingLine);
        CPen* oldPen = pDC->SelectObject(&line);
        const double h = m_Heading * kDegreesToRadians;
        pDC->MoveTo(cx, cy);
        pDC->LineTo(ToPixel(cx + std::sin(h) * R), ToPixel(cy - std::cos(h) * R));
        pDC->SelectObject(oldPen);
    }

    DrawTexts(pDC, rect);
}

void CBubbleView::FormatTexts(CString left[3], CString right[3]) const
{
    left[0].Format("Gyro   %6.2lf\xB0", m_Heading);
    left[1].Format("Pitch: %+6.2lf\xB0", m_Pitch);
    left[2].Format("Roll  : %+6.2lf\xB0", m_Roll);
    right[0] = m_bTemplate ? "Template MRU" : "Vessel MRU";
    right[1].Format("Tilt Angle : %6.2lf\xB0", m_TiltAngle);
    right[2].Format("Heading : %6.2lf\xB0", m_TiltHeading);
}

void CBubbleView::DrawTexts(CDC* pDC, const CRect& rect)
{
    CFont font;
    if (!font.CreateFont(rect.Height() / 30, 0, 0, 0, FW_BOLD, 0, 0, 0, 0, 4, 2, 1, 32, "Tahoma"))
        return;
    CFont* oldFont = pDC->SelectObject(&font);
    const int oldMode = pDC->SetBkMode(TRANSPARENT);
    const COLORREF oldColour = pDC->SetTextColor(m_Colours.Text);
    const int line = std::max(1, pDC->GetTextExtent("Ag", 2).cy);
    CString left[3], right[3];
    FormatTexts(left, right);
    const UINT oldAlign = pDC->SetTextAlign(TA_LEFT | TA_TOP);
    for (int i = 0; i < 3; ++i)
        pDC->TextOut(rect.left + kTextInset, rect.top + kTextInset + i * line, left[i]);
    pDC->SetTextAlign(TA_RIGHT | TA_TOP);
    for (int i = 0; i < 3; ++i)
        pDC->TextOut(rect.right - kTextInset, rect.top + kTextInset + i * line, right[i]);
    pDC->SetTextAlign(oldAlign);
    pDC->SetTextColor(oldColour);
    pDC->SetBkMode(oldMode);
    pDC->SelectObject(oldFont);
}

bool CBubbleView::GetNightMode() const
{
    return m_bNight;
}
