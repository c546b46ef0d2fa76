#include "outside/communication/ComPortPane.h"

#include "geodesy/ComArray.h"
#include "geodesy/ComsThread.h"
#include "platform/ui/Menu.h"

namespace
{
const char* const kParityNames[] = {"None", "Odd", "Even", "Mark", "Space"};
const int kBaudRates[] = {300, 1200, 2400, 4800, 9600, 19200, 38400, 57600, 115200};

// Wide enough for the bold headings.
const CPortPane::ColumnDef kColumns[CComPortPane::COLUMN_COUNT] = {
    {"Port", 70},   {"Enabled", 80},   {"Baud Rate", 95}, {"Data Bits", 90},
    {"Parity", 75}, {"Stop Bits", 90}, {"Type", 70}};
} // namespace

BOOL CComPortPane::Create(CComArray* pComArray, LPCTSTR lpszCaption, CWnd* pParentWnd, const RECT& rect,
                          BOOL bHasGripper, UINT nID, DWORD dwStyle, DWORD dwTabbedStyle,
                          DWORD dwControlBarStyle)
{
    m_pComArray = pComArray;
    return CPortPane::Create(lpszCaption, pParentWnd, rect, bHasGripper, nID, dwStyle, dwTabbedStyle,
                             dwControlBarStyle);
}

const char* CComPortPane::ParityName(int parity)
{
    return parity >= 0 && parity < 5 ? kParityNames[parity] : kParityNames[0];
}

bool CComPortPane::IsOwnPort(int nPort) const
{
    return m_pComArray == nullptr || m_pComArray->FindPort(static_cast<UINT>(nPort)) != nullptr;
}

void CComPortPane::AddTableColumns()
{
    AddColumns(kColumns, COLUMN_COUNT);
    m_Table.m_ReadOnlyColumns.AddTail(COLUMN_PORT);
    m_Table.m_ReadOnlyColumns.AddTail(COLUMN_TYPE);
    for (int c : {COLUMN_ENABLED, COLUMN_BAUD, COLUMN_DATA_BITS, COLUMN_PARITY, COLUMN_STOP_BITS})
        m_Table.m_ComboColumns.AddTail(c);
}

int CComPortPane::GetPortCount() const
{
    return m_pComArray ? static_cast<int>(m_pComArray->GetSize()) : 0;
}

ComDef* CComPortPane::GetRowPort(int nRow) const
{
    if (m_pComArray == nullptr || nRow < 0 || nRow >= m_pComArray->GetSize())
        return nullptr;
    ComDef* def = m_pComArray->GetAt(nRow);
    // A row whose port changed places since the table was filled belongs to no port.
    if (def == nullptr || (m_Table.GetSafeHwnd() && nRow < m_Table.GetItemCount() &&
                           m_Table.GetItemData(nRow) != static_cast<DWORD_PTR>(def->m_nPort)))
        return nullptr;
    return def;
}

void CComPortPane::SetRowTexts(int nRow)
{
    ComDef* def = m_pComArray ? m_pComArray->GetAt(nRow) : nullptr;
    if (def == nullptr)
        return;
    m_Table.SetItemData(nRow, def->m_nPort);
    CString text;
    text.Format("COM%d", static_cast<int>(def->m_nPort));
    m_Table.SetItemText(nRow, COLUMN_PORT, text);
    m_Table.SetItemText(nRow, COLUMN_ENABLED, YesNoText(def->m_bEnabled != 0));
    text.Format("%d", static_cast<int>(def->m_nBaudRate));
    m_Table.SetItemText(nRow, COLUMN_BAUD, text);
    text.Format("%d", static_cast<int>(def->m_nDataBits));
    m_Table.SetItemText(nRow, COLUMN_DATA_BITS, text);
    m_Table.SetItemText(nRow, COLUMN_PARITY, ParityName(def->m_nParity));
    text.Format("%d", static_cast<int>(def->m_nStopBits));
    m_Table.SetItemText(nRow, COLUMN_STOP_BITS, text);
    CString type = GetLastType(def->m_nPort);
    if (type.IsEmpty())
        type = def->m_strDevice;
    m_Table.SetItemText(nRow, COLUMN_TYPE, type);
}

void CComPortPane::GetChoices(int, int nColumn, CStringList& choices)
{
    CString text;
    switch (nColumn)
    {
    case COLUMN_ENABLED:
        choices.AddTail("Yes");
        choices.AddTail("No");
        break;
    case COLUMN_BAUD:
        for (int rate : kBaudRates)
        {
            text.Format("%d", rate);
            choices.AddTail(text);
        }
        break;
    case COLUMN_DATA_BITS:
        for (int bits = 5; bits <= 8; ++bits)
        {
            text.Format("%d", bits);
            choices.AddTail(text);
        }
        break;
    case COLUMN_PARITY:
        for (const char* name : kParityNames)
            choices.AddTail(name);
        break;
    case COLUMN_STOP_BITS:
        choices.AddTail("1");
        choices.AddTail("2");
        break;
    default:
        break;
    }
}

bool CComPortPane::ApplyEdit(int nRow, int nColumn, const CString& text, CString& strRefusal)
{
    // Every editable cell offers its values in a drop-down, so a user meets no refusal here.
    (void)strRefusal;
    ComDef* def = GetRowPort(nRow);
    if (def == nullptr)
        return false;
    long number = 0;
    const bool isNumber = ParseWholeNumber(text, number);
    int parity = -1;
    for (int i = 0; i < 5; ++i)
        if (text.CompareNoCase(kParityNames[i]) == 0)
            parity = i;
    const int enabled = ParseYesNo(text);
    switch (nColumn)
    {
    case COLUMN_ENABLED:
        if (enabled < 0)
            return false;
        break;
    case COLUMN_BAUD:
        if (!isNumber || !IsStandardBaudRate(static_cast<int>(number)))
            return false;
        break;
    case COLUMN_DATA_BITS:
        if (!isNumber || number < 5 || number > 8)
            return false;
        break;
    case COLUMN_PARITY:
        if (parity < 0)
            return false;
        break;
    case COLUMN_STOP_BITS:
        if (!isNumber || number < 1 || number > 2)
            return false;
        break;
    default:
        return false;
    }

    {
        // The port's thread reads the handle and buffer under this lock: change them under it.
        CSingleLock lock(m_pComArray->GetLock(), TRUE);
        switch (nColumn)
        {
        case COLUMN_ENABLED:
            def->m_bEnabled = static_cast<BYTE>(enabled);
            break;
        case COLUMN_BAUD:
            def->m_nBaudRate = static_cast<int32_t>(number);
            break;
        case COLUMN_DATA_BITS:
            def->m_nDataBits = static_cast<int32_t>(number);
            break;
        case COLUMN_PARITY:
            def->m_nParity = parity;
            break;
        case COLUMN_STOP_BITS:
            def->m_nStopBits = static_cast<int32_t>(number);
            break;
        default:
            break;
        }
        // The line settings take effect when the port is opened, so an open port is reopened.
        const bool wasOpen = def->IsOpen();
        if (wasOpen)
            def->Close();
        if (def->m_bEnabled && (wasOpen || nColumn == COLUMN_ENABLED))
            def->Open(); // a port that cannot be opened is left disabled
        // Under the lock too, since a baud-rate search saves the same file.
        def->Save();
    }
    return true;
}

ComDef* CComPortPane::GetSelectedPort() const
{
    return GetRowPort(m_Table.GetSafeHwnd() ? m_Table.GetNextItem(-1, LVNI_SELECTED) : -1);
}

void CComPortPane::AddMenuItems(CMenu& menu)
{
    const ComDef* def = GetSelectedPort();
    menu.AppendMenu(MF_STRING | ((def && def->m_pThread) ? MF_ENABLED : MF_GRAYED), ID_SEARCH_BAUD_RATE,
                    "Search for Baud Rate");
}

void CComPortPane::OnMenuCommand(UINT nID)
{
    if (nID != ID_SEARCH_BAUD_RATE)
        return;
    // The thread searches under the ports' lock and saves the rate it finds.
    ComDef* def = GetSelectedPort();
    if (def && def->m_pThread)
    {
        CSingleLock lock(m_pComArray->GetLock(), TRUE);
        def->m_bEnabled = 1;
        lock.Unlock();
        def->m_pThread->StartBaudSearch();
    }
}
