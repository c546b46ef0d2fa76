#include "outside/alpha/DataView.h"

#include "foundation/AngleFormat.h"
#include "platform/ui/Font.h"

namespace
{
const char* const kLabels[BOX_TYPES] = {"None",    "Grid Position", "Cursor Position", "Geographic Position",
                                        "Heading", "Motion",        "Speed",           "Depth",
                                        "Range and Bearing"};

CString Number(const char* format, double value)
{
    CString text;
    text.Format(format, value);
    return text;
}

CString Degrees(const char* name, double radians)
{
    CString text;
    text.Format("%s %.2lf%c", name, radians * ANGLE_RAD_TO_DEG, DEGREE_SIGN);
    return text;
}
} // namespace

void CDataView::SetBoxType(int type)
{
    m_nBoxType = type;
    ClearDisplay();
}

CString CDataView::GetBoxLabel() const
{
    return m_nBoxType > BOX_NONE && m_nBoxType < BOX_TYPES ? kLabels[m_nBoxType] : kLabels[BOX_NONE];
}

CString CDataView::GetTitle() const
{
    return m_Text.IsEmpty() ? GetBoxLabel() : m_Text;
}

void CDataView::ClearDisplay()
{
    m_Text.Empty();
    for (CString& line : m_Lines)
        line.Empty();
    m_bTimedOut = false;
    if (GetSafeHwnd())
        Invalidate();
}

void CDataView::Show(int type, const CString& first, const CString& second, const CString& third)
{
    if (m_nBoxType != type)
        return;
    m_Lines[0] = first;
    m_Lines[1] = second;
    m_Lines[2] = third;
    m_bTimedOut = false;
    if (GetSafeHwnd())
        Invalidate();
}

void CDataView::Timeout(int type, bool timeout)
{
    if (m_nBoxType != type || m_bTimedOut == timeout)
        return;
    m_bTimedOut = timeout;
    if (GetSafeHwnd())
        Invalidate();
}

void CDataView::UpdateGridPosition(const char* text, double easting, double northing)
{
    if (m_nBoxType == BOX_GRID_POSITION)
        m_Text = text ? text : "";
    Show(BOX_GRID_POSITION, Number("E %.2lf", easting), Number("N %.2lf", northing));
}

void CDataView::UpdateGridPosition(double easting, double northing)
{
    Show(BOX_CURSOR_POSITION, Number("E %.2lf", easting), Number("N %.2lf", northing));
}

void CDataView::UpdateGeogPosition(const char* text, double latitude, double longitude)
{
    if (m_nBoxType == BOX_GEOG_POSITION)
        m_Text = text ? text : "";
    UpdateGeogPosition(latitude, longitude);
}

void CDataView::UpdateGeogPosition(double latitude, double longitude)
{
    Show(BOX_GEOG_POSITION, FormatAngle(latitude, ANGLE_LATITUDE, ANGLE_FORMAT_PREFERENCE),
         FormatAngle(longitude, ANGLE_LONGITUDE, ANGLE_FORMAT_PREFERENCE));
}

void CDataView::UpdateGyro(double heading)
{
    Show(BOX_HEADING, Degrees("Hdg", heading));
}

void CDataView::UpdateGyro(double heading, double pitch, double roll)
{
    Show(BOX_HEADING, Degrees("Hdg", heading), Degrees("Pitch", pitch), Degrees("Roll", roll));
}

void CDataView::UpdateMru(double roll, double pitch, double heave, double, double, double, double)
{
    // The box has room for the attitude and heave; the rates and heading have boxes of their own.
    Show(BOX_MOTION, Degrees("Roll", roll), Degrees("Pitch", pitch), Number("Heave %.2lf m", heave));
}

void CDataView::UpdateSpeedMetresPerSecond(double forward, double lateral)
{
    Show(BOX_SPEED, Number("Fwd %.2lf m/s", forward), Number("Lat %.2lf m/s", lateral));
}

void CDataView::UpdateDepth(double depth)
{
    Show(BOX_DEPTH, Number("%.2lf m", depth));
}

void CDataView::UpdateRangeAndBearing(const char* text, double range, double bearing, double offline)
{
    if (m_nBoxType == BOX_RANGE_BEARING)
        m_Text = text ? text : "";
    Show(BOX_RANGE_BEARING, Number("Rng %.2lf m", range), Degrees("Brg", bearing), Number("Off %.2lf m", offline));
}

void CDataView::GridTimeout(bool timeout)
{
    Timeout(BOX_GRID_POSITION, timeout);
}

void CDataView::GeogTimeout(bool timeout)
{
    Timeout(BOX_GEOG_POSITION, timeout);
}

void CDataView::GyroTimeout(bool timeout)
{
    Timeout(BOX_HEADING, timeout);
}

void CDataView::MruTimeout(bool timeout)
{
    Timeout(BOX_MOTION, timeout);
}

void CDataView::DepthTimeout(bool timeout)
{
    Timeout(BOX_DEPTH, timeout);
}

void CDataView::Draw(CDC* dc, const CRect& client)
{
    const int labelHeight = client.Height() / 4;
    CFont label, value;
    label.CreatePointFont(GetTextHeight(), "Arial", dc);
    value.CreatePointFont(GetTextHeight() * 3 / 2, "Arial", dc);
    dc->SetBkMode(TRANSPARENT);
    const COLORREF text = GetBackground() == 0xFFFFFF ? 0x000000 : 0xFFFFFF;
    CFont* old = dc->SelectObject(&label);
    dc->SetTextColor(0xC0C0C0 == GetBackground() ? 0x000000 : 0xC0C0C0);
    CRect title(client.left + 4, client.top + 2, client.right - 4, client.top + labelHeight);
    dc->DrawText(GetTitle(), title, DT_LEFT | DT_VCENTER | DT_SINGLELINE);
    dc->SelectObject(&value);
    dc->SetTextColor(m_bTimedOut ? 0x0000FF : text);
    const int lineHeight = (client.Height() - labelHeight) / kLines;
    for (int i = 0; i < kLines; ++i)
    {
        CRect line(client.left + 4, title.bottom + i * lineHeight, client.right - 4,
                   title.bottom + (i + 1) * lineHeight);
        dc->DrawText(m_Lines[i], line, DT_LEFT | DT_VCENTER | DT_SINGLELINE);
    }
    dc->SelectObject(old);
}
