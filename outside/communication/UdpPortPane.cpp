#include "outside/communication/UdpPortPane.h"

#include "foundation/ConfigFile.h"
#include "foundation/CsvParser.h"
#include "geodesy/UdpArray.h"
#include "platform/core/FileApi.h"
#include "platform/ui/FrameWnd.h"

namespace
{
// Wide enough for the bold headings.
const CPortPane::ColumnDef kUdpColumns[CUdpPortPane::COLUMN_COUNT] = {
    {"Port", 70}, {"Name", 140}, {"Enabled", 80}, {"Receiving", 150}};
} // namespace

BOOL CUdpPortPane::Create(CUdpArray* pUdpArray, LPCTSTR lpszCaption, CWnd* pParentWnd, const RECT& rect,
                          BOOL bHasGripper, UINT nID, DWORD dwStyle, DWORD dwTabbedStyle,
                          DWORD dwControlBarStyle)
{
    m_pUdpArray = pUdpArray;
    return CPortPane::Create(lpszCaption, pParentWnd, rect, bHasGripper, nID, dwStyle, dwTabbedStyle,
                             dwControlBarStyle);
}

void CUdpPortPane::Reset()
{
    if (m_Table.GetSafeHwnd())
        m_Table.DeleteAllItems();
    UpdateTable();
    TellOpenFailures();
}

void CUdpPortPane::TellOpenFailures()
{
    CFrameWnd* frame = GetParentFrame();
    if (m_pUdpArray == nullptr || frame == nullptr)
        return;
    CString told;
    for (INT_PTR i = 0; i < m_pUdpArray->GetSize(); ++i)
    {
        const CUdpReader* reader = m_pUdpArray->GetAt(i);
        if (reader == nullptr || !reader->m_bEnabled || reader->IsRunning() || reader->GetOpenFailure().IsEmpty())
            continue;
        CString one;
        one.Format("UDP input %s cannot listen on port %d: %s", reader->m_strName.GetString(),
                   static_cast<int>(reader->m_nPort), reader->GetOpenFailure().GetString());
        told += (told.IsEmpty() ? "" : "; ") + one;
    }
    if (!told.IsEmpty())
        frame->SetMessageText(told);
}

bool CUdpPortPane::IsOwnPort(int nPort) const
{
    return m_pUdpArray == nullptr || m_pUdpArray->FindReader(static_cast<UINT>(nPort)) != nullptr;
}

void CUdpPortPane::AddTableColumns()
{
    AddColumns(kUdpColumns, COLUMN_COUNT);
    m_Table.m_NumberColumns.AddTail(COLUMN_PORT);
    m_Table.m_ComboColumns.AddTail(COLUMN_ENABLED);
    m_Table.m_ReadOnlyColumns.AddTail(COLUMN_RECEIVING);
}

int CUdpPortPane::GetPortCount() const
{
    return m_pUdpArray ? static_cast<int>(m_pUdpArray->GetSize()) : 0;
}

CUdpReader* CUdpPortPane::GetRowReader(int nRow) const
{
    if (m_pUdpArray == nullptr || nRow < 0 || nRow >= m_pUdpArray->GetSize())
        return nullptr;
    CUdpReader* reader = m_pUdpArray->GetAt(nRow);
    if (reader == nullptr || (m_Table.GetSafeHwnd() && nRow < m_Table.GetItemCount() &&
                              m_Table.GetItemData(nRow) != static_cast<DWORD_PTR>(reader->m_nPort)))
        return nullptr;
    return reader;
}

void CUdpPortPane::SetRowTexts(int nRow)
{
    CUdpReader* reader = m_pUdpArray ? m_pUdpArray->GetAt(nRow) : nullptr;
    if (reader == nullptr)
        return;
    m_Table.SetItemData(nRow, reader->m_nPort);
    CString text;
    text.Format("%d", static_cast<int>(reader->m_nPort));
    m_Table.SetItemText(nRow, COLUMN_PORT, text);
    m_Table.SetItemText(nRow, COLUMN_NAME, reader->m_strName);
    m_Table.SetItemText(nRow, COLUMN_ENABLED, YesNoText(reader->m_bEnabled != 0));
    // What the input receives: the type of its last line and how many lines came, or why
    // nothing can come.
    if (!reader->IsRunning() && !reader->m_bEnabled)
        text = "Stopped";
    else if (!reader->IsRunning())
        text = reader->GetOpenFailure().IsEmpty() ? CString("Not open") : "Not open: " + reader->GetOpenFailure();
    else
    {
        const long total = GetLineTotal(reader->m_nPort);
        const CString type = GetLastType(reader->m_nPort);
        if (total == 0)
            text = "Nothing yet";
        else if (type.IsEmpty())
            text.Format(total == 1 ? "%ld line" : "%ld lines", total);
        else
            text.Format(total == 1 ? "%s, %ld line" : "%s, %ld lines", type.GetString(), total);
    }
    m_Table.SetItemText(nRow, COLUMN_RECEIVING, text);
}

void CUdpPortPane::GetChoices(int, int nColumn, CStringList& choices)
{
    if (nColumn == COLUMN_ENABLED)
    {
        choices.AddTail("Yes");
        choices.AddTail("No");
    }
}

bool CUdpPortPane::ApplyEdit(int nRow, int nColumn, const CString& text, CString& strRefusal)
{
    CUdpReader* reader = GetRowReader(nRow);
    if (reader == nullptr)
        return false;
    switch (nColumn)
    {
    case COLUMN_PORT: {
        long port = 0;
        CString typed(text);
        typed.Trim();
        if (!ParseWholeNumber(text, port) || port < 1 || port > 65535)
        {
            strRefusal.Format("\"%s\" is no UDP port: a port is a whole number from 1 to 65535.\n\n"
                              "%s stays on port %d.",
                              typed.GetString(), reader->m_strName.GetString(), static_cast<int>(reader->m_nPort));
            return false;
        }
        if (port == reader->m_nPort)
            return true;
        // Two inputs on one port would fight over its datagrams.
        if (const CUdpReader* other = m_pUdpArray->FindReader(static_cast<UINT>(port)))
        {
            strRefusal.Format("Port %ld is already the port of %s.\n\n%s stays on port %d.", port,
                              other->m_strName.GetString(), reader->m_strName.GetString(),
                              static_cast<int>(reader->m_nPort));
            return false;
        }
        reader->Stop();
        reader->m_nPort = static_cast<WORD>(port);
        if (reader->m_bEnabled && !reader->Open(m_pUdpArray->m_pTarget, static_cast<WORD>(port)))
            TellOpenFailures();
        else if (!reader->m_bEnabled)
            reader->SaveSettings();
        SaveList();
        return true;
    }
    case COLUMN_NAME: {
        CString name(text);
        name.Trim();
        // The name names the input's settings file.
        if (name.IsEmpty() || name.FindOneOf("\\/:*?\"<>|") >= 0)
        {
            strRefusal.Format("An input's name may not be empty or hold any of \\ / : * ? \" < > |.\n\n"
                              "The name stays %s.",
                              reader->m_strName.GetString());
            return false;
        }
        // The settings file follows the name: the old one goes once the new one is written,
        // so a later input of the old name does not inherit its port.
        const CString oldFile = reader->GetSettingsFileName();
        const CString oldName = reader->m_strName;
        reader->m_strName = name;
        if (!reader->SaveSettings())
        {
            reader->m_strName = oldName;
            strRefusal.Format("The settings of %s could not be written.\n\nThe name stays %s.", name.GetString(),
                              oldName.GetString());
            return false;
        }
        if (reader->GetSettingsFileName().CompareNoCase(oldFile) != 0)
            ::DeleteFileA(oldFile);
        SaveList();
        return true;
    }
    case COLUMN_ENABLED: {
        const int enabled = ParseYesNo(text);
        if (enabled < 0)
        {
            strRefusal = "An input is enabled with Yes or No.";
            return false;
        }
        reader->m_bEnabled = static_cast<BYTE>(enabled);
        if (enabled && !reader->IsRunning() && !reader->Open(m_pUdpArray->m_pTarget, reader->m_nPort))
            TellOpenFailures();
        else if (!enabled && reader->IsRunning())
            reader->Stop();
        reader->SaveSettings();
        return true;
    }
    default:
        return false;
    }
}

bool CUdpPortPane::SaveList() const
{
    if (m_pUdpArray == nullptr)
        return false;
    return CConfigFile::WriteWhole(m_pUdpArray->GetListFileName(),
                                   CFile::modeCreate | CFile::modeWrite | CFile::typeText,
                                   [this](CConfigFile& file) {
                                       for (INT_PTR i = 0; i < m_pUdpArray->GetSize(); ++i)
                                       {
                                           const CUdpReader* reader = m_pUdpArray->GetAt(i);
                                           CCsvParser record;
                                           record.AddInt(reader->m_nPort);
                                           CString line = record.AddString(reader->m_strName);
                                           line += "\n";
                                           file.WriteString(line);
                                       }
                                   });
}
