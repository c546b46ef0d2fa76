#include "acoustic/app/panes/StationSelectProperty.h"

#include "acoustic/app/panes/FramePane.h"
#include "acoustic/engine/Network.h"
#include "platform/ui/GdiObject.h"

#include <algorithm>


namespace
{
constexpr COLORREF kIconBackground = 0xEBEBEB;
} // namespace

CMFCPropertyGridStationSelectProperty::CMFCPropertyGridStationSelectProperty(const CString& strName, short nStation,
                                                                             CNetwork* pNetwork, DWORD_PTR dwData)
    : CMFCPropertyGridProperty(strName, COleVariant(nStation, VT_I2), "Method of observations", dwData),
      m_pNetwork(pNetwork)
{
    LoadStationIcons(m_Images);
    m_IconSelect.SetImageList(&m_Images);
    // A name is typed, or picked from the list of names.
    AllowEdit(TRUE);
    if (m_pNetwork != nullptr)
        for (INT_PTR i = 0; i < m_pNetwork->GetSize(); ++i)
            AddOption(m_pNetwork->GetAt(i).m_Name, FALSE);
}

int CMFCPropertyGridStationSelectProperty::IconOfStation(int nIndex) const
{
    if (m_pNetwork == nullptr || nIndex < 0 || nIndex >= m_pNetwork->GetSize())
        return STATION_NOT_IN_USE;
    const int type = m_pNetwork->GetAt(nIndex).m_Status;
    return type >= STATION_NOT_IN_USE && type <= STATION_FREE_WITH_POSITION ? type : STATION_NOT_IN_USE;
}

CString CMFCPropertyGridStationSelectProperty::FormatProperty()
{
    const int index = GetStation();
    if (m_pNetwork == nullptr || index < 0 || index >= m_pNetwork->GetSize())
        return CString();
    return m_pNetwork->GetAt(index).m_Name;
}

void CMFCPropertyGridStationSelectProperty::OnDrawValue(CDC* pDC, CRect rect)
{
    if (pDC == nullptr)
        return;
    // The square at the left of the value, one pixel in from each side and moved one pixel
    // right and down.
    CRect square(rect.left, rect.top, rect.left + rect.Height(), rect.bottom);
    square.DeflateRect(1, 1);
    square.OffsetRect(1, 1);
    if (square.Width() <= 0 || square.Height() <= 0)
        return;
    m_IconSelect.SetSelected(IconOfStation(GetStation()));
    int cx = 16, cy = 16;
    m_Images.GetIconSize(&cx, &cy);

    CDC memory;
    if (!memory.CreateCompatibleDC(pDC))
        return;
    CBitmap bitmap;
    if (!bitmap.CreateCompatibleBitmap(pDC, cx, cy))
        return;
    CBitmap* old = memory.SelectObject(&bitmap);
    const CRect icon(0, 0, cx, cy);
    memory.FillSolidRect(&icon, kIconBackground);
    m_IconSelect.DrawSelected(&memory, icon);
    // The wider side of the icon fills the square.
    const double scale = std::min(square.Width() / static_cast<double>(cx), square.Height() / static_cast<double>(cy));
    const int w = std::max(1, static_cast<int>(cx * scale + 0.5));
    const int h = std::max(1, static_cast<int>(cy * scale + 0.5));
    pDC->StretchBlt(square.left + (square.Width() - w) / 2, square.top + (square.Height() - h) / 2, w, h, &memory, 0,
                    0, cx, cy, SRCCOPY);
    memory.SelectObject(old);
}

BOOL CMFCPropertyGridStationSelectProperty::OnUpdateValue()
{
    if (m_pWndList == nullptr)
        return FALSE;
    const short before = GetStation();
    short index = before;
    if (m_pNetwork != nullptr)
        for (INT_PTR i = 0; i < m_pNetwork->GetSize(); ++i)
            if (m_pNetwork->GetAt(i).m_Name == m_strEditText)
            {
                index = static_cast<short>(i);
                break;
            }
    m_varValue = COleVariant(index, VT_I2);
    Redraw();
    if (index != before)
        m_pWndList->OnPropertyChanged(this);
    return TRUE;
}

void CMFCPropertyGridStationSelectProperty::AdjustInPlaceEditRect(CRect& rectEdit, CRect& rectSpin)
{
    CRect edit = m_Rect;
    edit.DeflateRect(0, 2);
    edit.left = m_Rect.left + (m_pWndList ? m_pWndList->GetLeftColumnWidth() : 0);
    edit.right = std::max(edit.left, m_Rect.right - 25);
    CMFCPropertyGridProperty::AdjustInPlaceEditRect(rectEdit, rectSpin);
    rectEdit = edit;
}
