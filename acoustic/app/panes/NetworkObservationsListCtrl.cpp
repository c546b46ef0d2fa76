#include "acoustic/app/panes/NetworkObservationsListCtrl.h"

#include "acoustic/engine/Network.h"
#include "platform/ui/HeaderCtrl.h"
#include "platform/ui/ImageList.h"

#include <algorithm>

IMPLEMENT_DYNAMIC(CNetworkObservationsListCtrl, CMyListCtrl)

BEGIN_MESSAGE_MAP(CNetworkObservationsListCtrl, CMyListCtrl)
ON_WM_CREATE()
ON_NOTIFY_REFLECT(NM_CLICK, &CNetworkObservationsListCtrl::OnReflectedNotify)
ON_NOTIFY_REFLECT(NM_DBLCLK, &CNetworkObservationsListCtrl::OnReflectedNotify)
END_MESSAGE_MAP()

namespace
{
constexpr int kIconRoom = 16 + 12;
constexpr int kTextRoom = 16;

enum
{
    ROW_OBSERVED,
    ROW_COMPUTED,
    ROW_DIFFERENCE,
    ROW_RESIDUAL
};

CString Number(double value)
{
    CString text;
    text.Format("%.2lf", value);
    return text;
}

int StationImage(int type)
{
    return type >= STATION_NOT_IN_USE && type <= STATION_FREE_WITH_POSITION ? type : STATION_NOT_IN_USE;
}
} // namespace

void CNetworkObservationsListCtrl::SetData(CWnd* pOwner, CNetwork* pNetwork, CImageList* pIcons)
{
    m_pOwner = pOwner;
    m_pNetwork = pNetwork;
    m_pIcons = pIcons;
}

int CNetworkObservationsListCtrl::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CMyListCtrl::OnCreate(lpCreateStruct) == -1)
        return -1;
    SetExtendedStyle(GetExtendedStyle() | LVS_EX_GRIDLINES);
    ApplyColours();
    m_HighlightBackColour = 0x555555;
    m_HighlightTextColour = 0xEBEBEB;
    if (m_pIcons != nullptr)
        SetImageList(m_pIcons, LVSIL_SMALL);
    return 0;
}

void CNetworkObservationsListCtrl::SetNightMode(bool bNight)
{
    m_bNight = bNight;
    if (GetSafeHwnd() != nullptr)
        ApplyColours();
}

void CNetworkObservationsListCtrl::ApplyColours()
{
    // The grey scheme: 0xD6D6D6 and black by day, black and 0xC0C0C0 at night, under the dark
    // header of the station list beside it.
    SetColourScheme(1);
    SetTextBkColor(m_bNight ? 0x000000 : 0xD6D6D6);
}

void CNetworkObservationsListCtrl::OnReflectedNotify(NMHDR*, LRESULT* pResult)
{
    *pResult = 0;
}

bool CNetworkObservationsListCtrl::HasHeadings(const CStringArray& headings) const
{
    const CHeaderCtrl* header = GetHeaderCtrl();
    const int columns = header != nullptr ? header->GetItemCount() : 0;
    if (columns != headings.GetSize())
        return false;
    for (int c = 0; c < columns; ++c)
    {
        char text[256] = {0};
        LVCOLUMN column{};
        column.mask = LVCF_TEXT;
        column.pszText = text;
        column.cchTextMax = sizeof text;
        if (!GetColumn(c, &column) || headings[c] != text)
            return false;
    }
    return true;
}

int CNetworkObservationsListCtrl::RowsPerStation() const
{
    return m_pNetwork != nullptr && m_pNetwork->m_Result ? 5 : 4;
}

void CNetworkObservationsListCtrl::Fill()
{
    SetRedraw(FALSE);
    DeleteAllItems();
    const int count = m_pNetwork != nullptr ? static_cast<int>(m_pNetwork->GetSize()) : 0;
    CStringArray headings;
    if (m_pNetwork != nullptr)
    {
        headings.Add("");
        headings.Add("");
    }
    for (int s = 0; s < count; ++s)
    {
        const CString& name = m_pNetwork->GetAt(s).m_Name;
        CString heading;
        heading.Format("%s\nRange", name.GetString());
        headings.Add(heading);
        heading.Format("%s\nBearing", name.GetString());
        headings.Add(heading);
    }
    // The list refills after every edit of an observation, which leaves the stations as they
    // were: the columns stay then, as remaking hundreds of them costs far more than the rows.
    if (!HasHeadings(headings))
    {
        while (GetHeaderCtrl() != nullptr && GetHeaderCtrl()->GetItemCount() > 0)
            DeleteColumn(0);
        AddColumns(headings, LVCFMT_LEFT);
        // The label columns have no heading to size them: the widest name (after its icon) and
        // the widest row label set their widths.
        if (m_pNetwork != nullptr)
        {
            int names = 0;
            for (int s = 0; s < count; ++s)
                names = std::max(names, GetStringWidth(m_pNetwork->GetAt(s).m_Name));
            SetColumnWidth(0, names + kIconRoom);
            SetColumnWidth(1, GetStringWidth("Computed") + kTextRoom);
        }
    }
    if (m_pNetwork == nullptr)
    {
        SetRedraw(TRUE);
        return;
    }
    const CNetwork& network = *m_pNetwork;
    const bool adjusted = network.m_Result != 0;
    const int perStation = RowsPerStation();

    int row = 0;
    for (int s = 0; s < count; ++s)
    {
        const CNetworkStation& station = network.GetAt(s);
        InsertItem(row, "", IMAGE_NEUTRAL);
        SetItemText(row++, 1, "Observed");
        InsertItem(row, station.m_Name, StationImage(station.m_Status));
        SetItemText(row++, 1, "Computed");
        InsertItem(row, "", IMAGE_NEUTRAL);
        SetItemText(row++, 1, "O-C");
        if (adjusted)
        {
            InsertItem(row, "", IMAGE_RESIDUAL);
            SetItemText(row++, 1, "Residual");
        }
        InsertItem(row++, "", IMAGE_NEUTRAL);
    }

    for (int i = 0; i < count; ++i)
    {
        const int top = i * perStation;
        SetItemText(top + ROW_COMPUTED, 2 * i + 2, "-+-");
        SetItemText(top + ROW_COMPUTED, 2 * i + 3, "-+-");
        const CNetworkStation& station = network.GetAt(i);
        const int records = static_cast<int>(station.GetSize());
        for (int j = 0; j < count && j < records; ++j)
        {
            if (j == i)
                continue;
            const NetworkObservationDef& o = station.GetAt(j);
            if (o.UseRange)
            {
                const int column = 2 * j + 2;
                SetItemText(top + ROW_OBSERVED, column, Number(o.ObservedRange));
                SetItemText(top + ROW_COMPUTED, column, Number(o.ComputedRange));
                SetItemText(top + ROW_DIFFERENCE, column, Number(o.RangeDifference));
                if (adjusted)
                    SetItemText(top + ROW_RESIDUAL, column, Number(o.RangeResidual));
            }
            if (o.UseBearing)
            {
                const int column = 2 * j + 3;
                SetItemText(top + ROW_OBSERVED, column, Number(o.ObservedBearing));
                SetItemText(top + ROW_COMPUTED, column, Number(o.ComputedBearing));
                SetItemText(top + ROW_DIFFERENCE, column, Number(o.BearingDifference));
                if (adjusted)
                    SetItemText(top + ROW_RESIDUAL, column, Number(o.BearingResidual));
            }
        }
    }
    SetRedraw(TRUE);
    Invalidate();
}
