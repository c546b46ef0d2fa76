#include "zuduzuro/ui/AnchorStatusProperty.h"

#include "zuduzuro/ui/PaneResources.h"

#include "platform/ui/Dc.h"
#include "platform/ui/GdiObject.h"

#include <cstring>

namespace
{
const char* const kStatusTexts[kStatusImageCount] = {"Racked", "Live", "On Bottom", "Planned"};

int ValidStatus(int status)
{
    return status >= 0 && status < kStatusImageCount ? status : 0;
}
} // namespace

CMFCPropertyGridAnchorStatusProperty::CMFCPropertyGridAnchorStatusProperty(const int* pStatus)
    : CMFCPropertyGridProperty("", COleVariant(""), "", 1)
{
    RegisterPaneResources();
    AllowEdit(FALSE);
    m_Images.Create(kStatusImageSize, kStatusImageSize, ILC_COLOR24 | ILC_MASK, kStatusImageCount, 1);
    CBitmap bitmap;
    if (bitmap.LoadBitmap(IDB_ANCHOR_STATUS))
        m_Images.Add(&bitmap, RGB(255, 255, 255));
    for (const char* text : kStatusTexts)
        AddOption(text);
    SetStatus(pStatus != nullptr ? *pStatus : 0);
    m_strName = "Anchor Status";
    m_strDescr = "Determine the status of the anchor";
}

LPCTSTR CMFCPropertyGridAnchorStatusProperty::GetStatusText(int nStatus)
{
    return kStatusTexts[ValidStatus(nStatus)];
}

void CMFCPropertyGridAnchorStatusProperty::SetStatus(int nStatus)
{
    m_nStatus = ValidStatus(nStatus);
    m_nReferenceStatus = m_nStatus;
    CMFCPropertyGridProperty::SetValue(COleVariant(GetStatusText(m_nStatus)));
}

void CMFCPropertyGridAnchorStatusProperty::OnDrawValue(CDC* pDC, CRect rect)
{
    m_Images.Draw(pDC, m_nStatus, CPoint(rect.left, (rect.top + rect.bottom) / 2 - kStatusImageSize / 2),
                  ILD_NORMAL);
}

CString CMFCPropertyGridAnchorStatusProperty::FormatProperty()
{
    return GetStatusText(m_nStatus);
}

BOOL CMFCPropertyGridAnchorStatusProperty::OnUpdateValue()
{
    if (GetGrid() == nullptr)
        return FALSE;
    const int before = m_nStatus;
    for (int i = 0; i < kStatusImageCount; ++i)
        if (std::strcmp(m_strEditText, kStatusTexts[i]) == 0)
        {
            m_nStatus = i;
            break;
        }
    m_varValue = COleVariant(GetStatusText(m_nStatus));
    if (m_nStatus != before)
        GetGrid()->OnPropertyChanged(this);
    Redraw();
    return TRUE;
}
