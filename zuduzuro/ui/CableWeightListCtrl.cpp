#include "zuduzuro/ui/CableWeightListCtrl.h"

#include "zuduzuro/ui/CableWeightSetupDlg.h"

#include "zuduzuro/Anchor.h"
#include "zuduzuro/CableWeight.h"

#include "foundation/PopupMenu.h"
#include "foundation/WindowMessages.h"
#include "outside/notifex/Notifex.h"
#include "platform/core/WinApp.h"

IMPLEMENT_DYNAMIC(CCableWeightListCtrl, CMyListCtrl)

BEGIN_MESSAGE_MAP(CCableWeightListCtrl, CMyListCtrl)
ON_NOTIFY_REFLECT(NM_DBLCLK, &CCableWeightListCtrl::OnDoubleClick)
ON_NOTIFY_REFLECT(NM_RCLICK, &CCableWeightListCtrl::OnRightClick)
ON_WM_KEYDOWN()
END_MESSAGE_MAP()

namespace
{
const char* const kHeadings[] = {"Cable Type", "Mode", "Diameter (mm)", "Weight In Air", "Weight In Water"};

CString Number(const char* format, double value)
{
    CString text;
    text.Format(format, value);
    return text;
}

CableWeightDef EmptyType()
{
    CableWeightDef type;
    type.nDiameter = 0;
    type.nWeightInWater = 0;
    type.WeightInAir = 0.0;
    type.WeightInWater = 0.0;
    return type;
}
} // namespace

void CCableWeightListCtrl::ForEachCableType(CAnchor& a,
                                            const std::function<void(int16_t& type, const CString& name)>& visit)
{
    visit(a.m_GroundChain.nGroundChainType, "Ground Chain");
    visit(a.m_Cable.nLowerCableType, "Lower Section");
    visit(a.m_Cable.nUpperCableType, "Upper Section");
    visit(a.m_PennantWireType, "Pennant Wire");
    for (int k = 0; k < CAnchor::kBuoys; ++k)
    {
        CString name;
        name.Format("Buoy %d Lower", k + 1);
        visit(a.m_Buoys[k].Cable.nLowerCableType, name);
        name.Format("Buoy %d Upper", k + 1);
        visit(a.m_Buoys[k].Cable.nUpperCableType, name);
    }
}

void CCableWeightListCtrl::Setup(CWnd* pOwner, CAnchor* pAnchor, CCableWeight* pTable)
{
    m_pOwner = pOwner;
    m_pAnchor = pAnchor;
    m_pTable = pTable;
    while (GetHeaderCtrl() != nullptr && GetHeaderCtrl()->GetItemCount() > 0)
        DeleteColumn(0);
    for (const char* heading : kHeadings)
        AddColumn(heading, LVCFMT_LEFT);
    FillList();
}

void CCableWeightListCtrl::WriteRow(int nRow)
{
    const CableWeightDef& type = m_pTable->GetAt(nRow);
    const bool water = type.nWeightInWater != 0;
    SetItemText(nRow, 0, type.Name);
    SetItemText(nRow, 1, water ? "WATER" : "AIR");
    CString diameter;
    diameter.Format("%d", static_cast<int>(type.nDiameter));
    SetItemText(nRow, 2, water ? CString() : diameter);
    SetItemText(nRow, 3, water ? CString() : Number("%.2lf", type.WeightInAir));
    SetItemText(nRow, 4, Number("%.2lf", type.WeightInWater));
}

void CCableWeightListCtrl::FillList()
{
    DeleteAllItems();
    if (m_pTable == nullptr)
        return;
    for (int i = 0; i < m_pTable->GetSize(); ++i)
    {
        CableWeightDef& type = m_pTable->ElementAt(i);
        if (type.nWeightInWater == 0)
            type.WeightInWater =
                WeightInSeawater(type.nDiameter, type.WeightInAir, m_pTable->m_Temperature, m_pTable->m_Salinity);
        InsertItem(i, type.Name);
        WriteRow(i);
    }
    AutoSizeColumns();
}

bool CCableWeightListCtrl::EditType(CableWeightDef& type)
{
    CCableWeightSetupDlg dialog(&type, m_pTable, this);
    return dialog.DoModal() == IDOK;
}

void CCableWeightListCtrl::TableChanged()
{
    const bool saved = m_pTable->Save();
    if (!saved && !m_bSaveFailureTold)
    {
        m_bSaveFailureTold = true;
        ErrorMessage("The cable weight settings could not be written.\nChanges are kept and saved again with the "
                     "next change.");
    }
    if (m_pAnchor != nullptr)
        m_pAnchor->UpdateCableWeights(*m_pTable);
    AutoSizeColumns();
    CCmdTarget* target = m_pOwner != nullptr ? static_cast<CCmdTarget*>(m_pOwner) : AfxGetMainWnd();
    if (target != nullptr)
        ::PostMessage(target->GetSafeHwnd(), UM_UPDATE_CABLE_WEIGHTS, 0, 0);
}

void CCableWeightListCtrl::DeleteType(int nRow)
{
    if (m_pAnchor != nullptr)
    {
        // Its sections would silently move to the type above: ask first.
        CString used;
        ForEachCableType(*m_pAnchor, [&](int16_t& type, const CString& name) {
            if (type == nRow)
                used += (used.IsEmpty() ? "" : ", ") + name;
        });
        if (!used.IsEmpty())
        {
            CString question;
            question.Format("\"%s\" is used by: %s.\nDelete it? Those sections will use the type above it.",
                            static_cast<LPCSTR>(m_pTable->GetAt(nRow).Name), static_cast<LPCSTR>(used));
            if (GetYN(question) != IDYES)
                return;
        }
    }
    m_pTable->RemoveAt(nRow);
    DeleteItem(nRow);
    if (m_pAnchor != nullptr)
        m_pAnchor->OnCableTypeRemoved(nRow);
    TableChanged();
}

void CCableWeightListCtrl::RunCommand(int nCommand, int nRow)
{
    if (m_pTable == nullptr)
        return;
    const bool onType = nRow >= CCableWeight::kBuiltInTypes && nRow < m_pTable->GetSize();
    switch (nCommand)
    {
    case CABLE_EDIT: {
        if (!onType)
            return;
        CableWeightDef copy = m_pTable->GetAt(nRow);
        if (!EditType(copy))
            return;
        m_pTable->SetAt(nRow, copy);
        WriteRow(nRow);
        break;
    }
    case CABLE_DELETE:
        if (onType)
            DeleteType(nRow);
        return;
    case CABLE_INSERT: {
        if (!onType)
            return;
        CableWeightDef type = EmptyType();
        if (!EditType(type))
            return;
        m_pTable->InsertAt(nRow, type);
        InsertItem(nRow, type.Name);
        WriteRow(nRow);
        if (m_pAnchor != nullptr)
            ForEachCableType(*m_pAnchor, [nRow](int16_t& index, const CString&) {
                if (index >= nRow)
                    ++index;
            });
        break;
    }
    case CABLE_NEW: {
        CableWeightDef type = EmptyType();
        if (!EditType(type))
            return;
        const int row = static_cast<int>(m_pTable->Add(type));
        InsertItem(row, type.Name);
        WriteRow(row);
        break;
    }
    default: return;
    }
    TableChanged();
}

void CCableWeightListCtrl::OnDoubleClick(NMHDR* pNMHDR, LRESULT* pResult)
{
    *pResult = 0;
    const int row = reinterpret_cast<NMITEMACTIVATE*>(pNMHDR)->iItem;
    if (row == 0 || row == 1)
        return;
    RunCommand(row >= 0 ? CABLE_EDIT : CABLE_NEW, row);
}

void CCableWeightListCtrl::OnRightClick(NMHDR* pNMHDR, LRESULT* pResult)
{
    *pResult = 0;
    const NMITEMACTIVATE* click = reinterpret_cast<NMITEMACTIVATE*>(pNMHDR);
    const int row = click->iItem;
    if (row == 0 || row == 1)
        return;
    CPopupMenu menu;
    if (!menu.CreatePopupMenu())
        return;
    if (row >= 0)
    {
        menu.AppendMenu(MF_STRING, CABLE_EDIT, "Edit");
        menu.AppendMenu(MF_STRING, CABLE_DELETE, "Delete");
        menu.AppendMenu(MF_STRING, CABLE_INSERT, "Insert");
        menu.AppendMenu(MF_SEPARATOR);
    }
    menu.AppendMenu(MF_STRING, CABLE_NEW, "New");
    CPoint point = click->ptAction;
    ClientToScreen(&point);
    const int command =
        static_cast<int>(menu.TrackPopupMenu(TPM_RETURNCMD | TPM_RIGHTBUTTON, point.x, point.y, this));
    RunCommand(command, row);
}

void CCableWeightListCtrl::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    if (nChar == VK_DELETE)
    {
        const int row = GetNextItem(-1, LVNI_SELECTED);
        if (row > 1)
            RunCommand(CABLE_DELETE, row);
        return;
    }
    CMyListCtrl::OnKeyDown(nChar, nRepCnt, nFlags);
}
