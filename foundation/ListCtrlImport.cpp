#include "foundation/ListCtrlImport.h"

#include "foundation/ConfigFile.h"
#include "foundation/CsvParser.h"
#include "foundation/ExcelWriter.h"
#include "foundation/Folders.h"
#include "foundation/MyListCtrl.h"
#include "foundation/TextFunctions.h"
#include "platform/core/Exception.h"
#include "platform/core/FileApi.h"

#include <utility>
#include <vector>

namespace
{
const char kSettingsName[] = "Pipeline CSV";
const char kDefaultSheet[] = "Sheet1";
const UINT kReadFlags = CFile::modeRead | CFile::shareDenyWrite | CFile::typeText;
const UINT kWriteFlags = CFile::modeCreate | CFile::modeWrite | CFile::shareDenyWrite | CFile::typeText;

const char kSpreadsheetSettings[] = "Spreadsheet";
// The query text holds at most this many characters.
const int kMaxQuery = 1024;
} // namespace

CListCtrlImport::CListCtrlImport()
    : m_SettingsName(kSettingsName), m_SpreadsheetName(kDefaultSheet), m_Mode(0), m_SkipNoLines(0),
      m_Recordset(&m_Database)
{
}

CListCtrlImport::~CListCtrlImport()
{
    CloseSpreadsheet();
}

INT_PTR CListCtrlImport::AddField(const char* name)
{
    ListCtrlImportDef field;
    field.FieldName = name ? name : "";
    field.Column = -1;
    return Add(field);
}

void CListCtrlImport::MapFieldsInOrder()
{
    for (INT_PTR i = 0; i < GetSize(); ++i)
        ElementAt(i).Column = UnsetColumn(i);
}

int CListCtrlImport::UnsetColumn(INT_PTR field) const
{
    return m_UnsetFieldsSkipped ? -1 : static_cast<int>(field);
}

CString CListCtrlImport::GetSettingsFileName() const
{
    CConfigFile names;
    return names.GetSettingsFileName(m_SettingsName.IsEmpty() ? kSettingsName : (LPCSTR)m_SettingsName);
}

void CListCtrlImport::LoadSettings(const char* name)
{
    m_SettingsName = name && *name ? name : kSpreadsheetSettings;
    LoadSettings();
}

void CListCtrlImport::SetColumn(int field, int column)
{
    ElementAt(field).Column = column;
}

void CListCtrlImport::LoadSettings()
{
    if (m_SettingsName.IsEmpty())
        m_SettingsName = kSettingsName;
    CConfigFile file;
    if (!file.Open(GetSettingsFileName(), kReadFlags))
    {
        m_FullPath = GetDocumentsFolder();
        m_SpreadsheetName = kDefaultSheet;
        m_Mode = 0;
        m_SkipNoLines = 0;
        MapFieldsInOrder();
        return;
    }
    try
    {
        m_FullPath = file.ReadText(GetDocumentsFolder());
        m_SpreadsheetName = file.ReadText(kDefaultSheet);
        m_Mode = file.ReadInt(0);
        m_SkipNoLines = file.ReadInt(0);
        // A column past any a sheet or line can have is damage (a number too large for the
        // field reads as anything): the field keeps its place in order.
        const int kMaxColumns = 16384;
        for (INT_PTR i = 0; i < GetSize(); ++i)
        {
            const int column = file.ReadInt(UnsetColumn(i));
            ElementAt(i).Column = column < kMaxColumns ? column : UnsetColumn(i);
        }
        file.Close();
    }
    catch (CException* e)
    {
        e->Delete();
        file.Abort();
    }
}

void CListCtrlImport::SaveSettings()
{
    CConfigFile file;
    if (!file.Open(GetSettingsFileName(), kWriteFlags))
        return;
    try
    {
        file.WriteText("Full Path", m_FullPath);
        file.WriteText("Spreadsheet Name", m_SpreadsheetName);
        file.WriteInt("Mode", m_Mode);
        file.WriteInt("Skip No Lines", m_SkipNoLines);
        // A label may be a two-line column title; its key must stay on one line, or every
        // later column would be read from the line above its own.
        for (INT_PTR i = 0; i < GetSize(); ++i)
        {
            CString key = GetAt(i).FieldName;
            key.Replace('\r', ' ');
            key.Replace('\n', ' ');
            file.WriteInt(key, GetAt(i).Column);
        }
        file.Close();
    }
    catch (CException* e)
    {
        e->Delete();
        file.Abort();
    }
}

bool CListCtrlImport::OpenFile(CStdioFile& file)
{
    if (m_FullPath.IsEmpty() ||
        !file.Open(m_FullPath, CFile::modeRead | CFile::shareDenyWrite | CFile::typeBinary))
        return false;
    try
    {
        CString line;
        for (int i = 0; i < m_SkipNoLines; ++i)
        {
            if (!file.ReadString(line))
            {
                file.Close();
                return false;
            }
        }
    }
    catch (CException* e)
    {
        e->Delete();
        file.Abort();
        return false;
    }
    return true;
}

bool CListCtrlImport::ReadRecord(CStdioFile& file, CStringArray& fields)
{
    fields.RemoveAll();
    CString line;
    try
    {
        if (!file.ReadString(line))
        {
            file.Close();
            return false;
        }
    }
    catch (CException* e)
    {
        // A read that fails part-way ends the import like the end of the file does.
        e->Delete();
        file.Abort();
        return false;
    }
    line.Remove('\r');
    line.Remove('\n');
    return MapRecord(fields, [&line](int column) {
        CString value;
        GetDelimitedField(line, column + 1, value, ',');
        return value;
    });
}

template <class ColumnText> bool CListCtrlImport::MapRecord(CStringArray& fields, ColumnText column) const
{
    fields.RemoveAll();
    bool anyColumn = false;
    for (INT_PTR i = 0; i < GetSize(); ++i)
    {
        const int source = GetAt(i).Column;
        if (source < 0)
        {
            fields.Add("n/a");
            continue;
        }
        anyColumn = true;
        fields.Add(column(source));
    }
    return anyColumn;
}

bool CListCtrlImport::OpenSpreadsheet()
{
    CloseSpreadsheet();
    CString driver, source;
    if (m_FullPath.IsEmpty() || !IsValidWorksheetName(m_SpreadsheetName) ||
        !FindExcelOdbcDriver(driver, source))
        return false;
    try
    {
        // Every row a record: the lines to skip count rows from the top of the sheet, as they
        // count lines from the top of a CSV file.
        CString connect;
        connect.Format("DRIVER={%s};DSN=%s;FIRSTROWHASNAMES=0;READONLY=TRUE;DBQ=%s", (LPCSTR)driver,
                       (LPCSTR)source, (LPCSTR)m_FullPath);
        if (!m_Database.OpenEx(connect, CDatabase::noOdbcDialog | CDatabase::openReadOnly))
            return false;
        CString select;
        select.Format("SELECT * FROM [%s$]", (LPCSTR)m_SpreadsheetName);
        m_Recordset.Open(CRecordset::forwardOnly, select, CRecordset::readOnly);
        for (int i = 0; i < m_SkipNoLines; ++i)
        {
            if (m_Recordset.IsEOF())
            {
                CloseSpreadsheet();
                return false;
            }
            m_Recordset.MoveNext();
        }
    }
    catch (CException* e)
    {
        e->Delete();
        CloseSpreadsheet();
        return false;
    }
    return true;
}

bool CListCtrlImport::ReadSpreadsheetRecord(CStringArray& fields)
{
    fields.RemoveAll();
    try
    {
        if (!m_Recordset.IsOpen() || m_Recordset.IsEOF())
        {
            CloseSpreadsheet();
            return false;
        }
        const short columns = m_Recordset.GetODBCFieldCount();
        const bool any = MapRecord(fields, [this, columns](int column) {
            CString value;
            if (column < columns)
                m_Recordset.GetFieldValue(static_cast<short>(column), value);
            return value;
        });
        m_Recordset.MoveNext();
        return any;
    }
    catch (CException* e)
    {
        e->Delete();
        CloseSpreadsheet();
        fields.RemoveAll();
        return false;
    }
}

void CListCtrlImport::CloseSpreadsheet()
{
    try
    {
        if (m_Recordset.IsOpen())
            m_Recordset.Close();
        if (m_Database.IsOpen())
            m_Database.Close();
    }
    catch (CException* e)
    {
        // A read-only connection has nothing to write; nothing is lost by ending it here.
        e->Delete();
    }
}

CString JoinImportFields(const CStringArray& fields)
{
    CString line;
    int kept = 0;
    for (INT_PTR i = 0; i < fields.GetSize(); ++i)
    {
        const CString& entry = fields[i];
        if (entry == "n/a")
            continue;
        if (kept++ > 0)
            line += ',';
        if (entry.CompareNoCase("<NULL>") != 0)
            line += entry;
    }
    return line;
}

// ---------------------------------------------------------------------------------------
// Filling a list: one row a record, each mapped field in its own list column.

bool CListCtrlImport::Fail(const char* reason, CMyListCtrl& list)
{
    list.DeleteAllItems();
    m_ImportError = reason;
    m_RecordCount = -1;
    return false;
}

template <class ColumnText> void CListCtrlImport::PlaceRecord(CMyListCtrl& list, ColumnText column)
{
    // A record with a mapped value missing takes no row: the list is left as if its row had been
    // made and taken back, without the cost of both for each of a sheet's empty rows.
    std::vector<std::pair<int, CString>> values;
    for (INT_PTR i = 0; i < GetSize(); ++i)
    {
        const int source = GetAt(i).Column;
        if (source < 0)
            continue;
        values.emplace_back(static_cast<int>(i), column(source));
        if (values.back().second.IsEmpty())
            return;
    }
    if (values.empty())
        return;
    const int row = list.GetItemCount();
    // The item's own text is field 0's; a skipped field 0 leaves it empty.
    list.InsertItem(row, values.front().first == 0 ? values.front().second : CString());
    list.SetItemData(row, static_cast<DWORD_PTR>(m_RecordCount));
    for (const auto& [field, value] : values)
        if (field > 0)
            list.SetItemText(row, field, value);
    list.SetItem(row, 0, LVIF_IMAGE, nullptr, 1, 0, 0, 0);
}

bool CListCtrlImport::ImportExcel(CMyListCtrl& list)
{
    list.DeleteAllItems();
    m_ImportError.Empty();
    CString driver, source;
    if (!FindExcelOdbcDriver(driver, source))
        return Fail("No Excel data source is installed.", list);
    // The sheet goes into the query in brackets: a "]" would end the name early, and the query
    // holds 1024 characters at the most.
    CString select;
    select.Format("SELECT * FROM [%s$]", (LPCSTR)m_SpreadsheetName);
    if (m_SpreadsheetName.Find(']') >= 0)
        return Fail("The sheet name may not hold \"]\".", list);
    if (select.GetLength() > kMaxQuery)
        return Fail("The sheet name is too long.", list);
    CString connect;
    connect.Format("ODBC;DRIVER={%s};DSN=%s;DBQ=%s", (LPCSTR)driver, (LPCSTR)source, (LPCSTR)m_FullPath);
    m_RecordCount = 0;
    try
    {
        if (!m_Database.Open(nullptr, FALSE, TRUE, connect))
            return Fail("The workbook could not be opened.", list);
        try
        {
            m_Recordset.Open(CRecordset::forwardOnly, select, CRecordset::readOnly);
        }
        catch (CException* e)
        {
            // The reader's own words say why (a sheet that is missing, damaged or too large).
            char why[512] = {0};
            e->GetErrorMessage(why, sizeof why);
            e->Delete();
            m_Database.Close();
            CString reason;
            if (*why)
                reason.Format("The sheet \"%s\" could not be read: %s", (LPCSTR)m_SpreadsheetName, why);
            else
                reason.Format("The sheet \"%s\" could not be read.", (LPCSTR)m_SpreadsheetName);
            return Fail(reason, list);
        }
        const short columns = m_Recordset.GetODBCFieldCount();
        while (!m_Recordset.IsEOF())
        {
            PlaceRecord(list, [this, columns](int column) {
                CString value;
                if (column < columns)
                    m_Recordset.GetFieldValue(static_cast<short>(column), value);
                return value;
            });
            ++m_RecordCount;
            m_Recordset.MoveNext();
        }
    }
    catch (CException* e)
    {
        char message[512] = {0};
        e->GetErrorMessage(message, sizeof message);
        e->Delete();
        CloseSpreadsheet();
        return Fail(*message ? message : "The workbook could not be read.", list);
    }
    CloseSpreadsheet();
    const bool any = m_RecordCount > 0;
    m_RecordCount = -1;
    if (!any)
        m_ImportError = "The sheet holds no rows.";
    return any;
}

bool CListCtrlImport::ImportCsv(CMyListCtrl& list)
{
    list.DeleteAllItems();
    m_ImportError.Empty();
    CStdioFile file;
    if (m_FullPath.IsEmpty() ||
        !file.Open(m_FullPath, CFile::modeRead | CFile::shareDenyWrite | CFile::typeBinary))
    {
        CString reason;
        reason.Format("The file \"%s\" could not be opened.", (LPCSTR)m_FullPath);
        return Fail(reason, list);
    }
    m_RecordCount = 0;
    int line = 0;
    try
    {
        CString text;
        std::vector<CString> fields;
        while (file.ReadString(text))
        {
            // The lines to skip hold headings or notes, not rows.
            if (line++ < m_SkipNoLines)
                continue;
            text.Remove('\n');
            text.Remove('\r');
            fields = SplitCsvLine(text);
            PlaceRecord(list, [&fields](int column) {
                return column < static_cast<int>(fields.size()) ? fields[static_cast<size_t>(column)]
                                                                : CString();
            });
            ++m_RecordCount;
        }
        file.Close();
    }
    catch (CException* e)
    {
        e->Delete();
        file.Abort();
        CString reason;
        reason.Format("The file \"%s\" could not be read to its end.", (LPCSTR)m_FullPath);
        return Fail(reason, list);
    }
    const bool any = m_RecordCount > 0;
    m_RecordCount = -1;
    if (!any)
        m_ImportError = "The file holds no rows.";
    return any;
}
