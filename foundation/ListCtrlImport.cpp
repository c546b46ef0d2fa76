#include "foundation/ListCtrlImport.h"

#include "foundation/ConfigFile.h"
#include "foundation/TextFunctions.h"
#include "platform/core/Exception.h"
#include "platform/core/FileApi.h"

namespace
{
const char kSettingsName[] = "Pipeline CSV";
const char kDefaultSheet[] = "Sheet1";
const UINT kReadFlags = CFile::modeRead | CFile::shareDenyWrite | CFile::typeText;
const UINT kWriteFlags = CFile::modeCreate | CFile::modeWrite | CFile::shareDenyWrite | CFile::typeText;

// The user's documents folder with a trailing '\'.
CString DocumentsFolder()
{
    char path[MAX_PATH] = {0};
    CString folder;
    if (SHGetFolderPath(nullptr, CSIDL_PERSONAL, nullptr, SHGFP_TYPE_CURRENT, path) == S_OK)
        folder = path;
    folder += "\\";
    return folder;
}
// The first ODBC data source whose name and description both name Excel.
bool FindExcelDataSource(CString& driver, CString& source)
{
    SQLHENV env = SQL_NULL_HENV;
    if (!SQL_SUCCEEDED(SQLAllocHandle(SQL_HANDLE_ENV, SQL_NULL_HANDLE, &env)))
        return false;
    SQLSetEnvAttr(env, SQL_ATTR_ODBC_VERSION, reinterpret_cast<SQLPOINTER>(SQL_OV_ODBC3), 0);
    SQLCHAR name[256], description[256];
    SQLSMALLINT nameLength = 0, descriptionLength = 0;
    SQLUSMALLINT direction = SQL_FETCH_FIRST;
    bool found = false;
    while (!found && SQL_SUCCEEDED(SQLDataSources(env, direction, name, 255, &nameLength, description, 255,
                                                  &descriptionLength)))
    {
        direction = SQL_FETCH_NEXT;
        source = reinterpret_cast<const char*>(name);
        driver = reinterpret_cast<const char*>(description);
        found = source.Find("Excel") >= 0 && driver.Find("Excel") >= 0;
    }
    SQLFreeHandle(SQL_HANDLE_ENV, env);
    return found;
}
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
        ElementAt(i).Column = static_cast<int>(i);
}

CString CListCtrlImport::GetSettingsFileName() const
{
    CConfigFile names;
    return names.GetSettingsFileName(m_SettingsName.IsEmpty() ? kSettingsName : (LPCSTR)m_SettingsName);
}

void CListCtrlImport::LoadSettings()
{
    if (m_SettingsName.IsEmpty())
        m_SettingsName = kSettingsName;
    CConfigFile file;
    if (!file.Open(GetSettingsFileName(), kReadFlags))
    {
        m_FullPath = DocumentsFolder();
        m_SpreadsheetName = kDefaultSheet;
        m_Mode = 0;
        m_SkipNoLines = 0;
        MapFieldsInOrder();
        return;
    }
    try
    {
        m_FullPath = file.ReadText(DocumentsFolder());
        m_SpreadsheetName = file.ReadText(kDefaultSheet);
        m_Mode = file.ReadInt(0);
        m_SkipNoLines = file.ReadInt(0);
        // A column past any a sheet or line can have is damage (a number too large for the
        // field reads as anything): the field keeps its place in order.
        const int kMaxColumns = 16384;
        for (INT_PTR i = 0; i < GetSize(); ++i)
        {
            const int column = file.ReadInt(static_cast<int>(i));
            ElementAt(i).Column = column < kMaxColumns ? column : static_cast<int>(i);
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
        for (INT_PTR i = 0; i < GetSize(); ++i)
            file.WriteInt(GetAt(i).FieldName, GetAt(i).Column);
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
        !FindExcelDataSource(driver, source))
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
