// CListCtrlImport: how the columns of a comma-separated data file, or of a worksheet of a
// spreadsheet workbook, map onto the fields of a table being imported (for example pipeline
// points), the source's settings, and the reading of the source record by record. The mapping
// and settings persist in a settings file of the settings folder ("Pipeline_CSV.INI" for the
// pipeline points, "Spreadsheet.INI" by default for the calibration observations).
#pragma once

#include "platform/core/Array.h"
#include "platform/core/StdioFile.h"
#include "platform/core/String.h"
#include "platform/io/Database.h"
#include "platform/io/Recordset.h"

class CMyListCtrl;

// One field of the table and the data-file column it is taken from.
struct ListCtrlImportDef
{
    CString FieldName;
    int Column = -1; // 0-based column of the data file; negative: the field is skipped
};

class CListCtrlImport : public CArray<ListCtrlImportDef, const ListCtrlImportDef&>
{
public:
    CListCtrlImport();
    // Closes the spreadsheet source when it is open.
    ~CListCtrlImport() override;
    CListCtrlImport(const CListCtrlImport&) = delete;
    CListCtrlImport& operator=(const CListCtrlImport&) = delete;

    // Appends a field named `name` that takes no column; returns its index.
    INT_PTR AddField(const char* name);

    // Names the settings (an empty or null name: "Spreadsheet"), then reads them as below.
    void LoadSettings(const char* name);
    // Reads the settings file in the writer's order: full path, spreadsheet name, mode, lines
    // to skip, then each field's column. A missing file gives the documents folder, "Sheet1",
    // 0, 0 and column i for field i (no column with m_UnsetFieldsSkipped); a missing line
    // gives that line's default.
    void LoadSettings();
    // Writes them, whole or not at all; nothing happens when the file cannot be written. A
    // field's key is its label with line breaks as blanks, one line per field.
    void SaveSettings();

    // The source column of field `field` (an index out of range raises the invalid-argument
    // exception).
    void SetColumn(int field, int column);

    // Fill `list` from the worksheet m_SpreadsheetName of the workbook m_FullPath (through the
    // first data source whose name and driver both say "Excel"; its first row holds the
    // headings), or from the CSV file m_FullPath after its lines to skip. Each record becomes
    // a row (item data: the record's index, image 1) holding field i's value in list column
    // i; a record with any mapped value empty (a line too short among them) is dropped and its
    // row taken by the next. True when records were read; false, with the list empty when the
    // source could not be read and the reason in m_ImportError, otherwise. No message boxes.
    bool ImportExcel(CMyListCtrl& list);
    bool ImportCsv(CMyListCtrl& list);

    // Opens the data file (m_FullPath) for reading and skips the lines to skip. False when it
    // does not open, or (closing it) when it ends before the first data line.
    bool OpenFile(CStdioFile& file);
    // The next line of the file as one entry per field: the field's column of the line (empty
    // when the line is shorter), or "n/a" for a skipped field. At the end of the file it is
    // closed and the result is false; false too when every field is skipped.
    bool ReadRecord(CStdioFile& file, CStringArray& fields);

    // The same for a spreadsheet source: the worksheet m_SpreadsheetName of the workbook
    // m_FullPath, read through the Excel data source. Every row is a record (a heading row is
    // one of the lines to skip), so one mapping serves a workbook and a CSV copy of its sheet
    // alike. False, with nothing left open, when there is no Excel data source, the workbook or
    // the sheet cannot be read, or the sheet ends before the first data row.
    bool OpenSpreadsheet();
    // The next row of the worksheet as ReadRecord gives a line (a number cell as the shortest
    // text that reads back to it, an empty cell as empty text). At the end of the sheet the
    // source is closed and the result is false.
    bool ReadSpreadsheetRecord(CStringArray& fields);
    void CloseSpreadsheet();

    // The settings file's name: "<settings folder><settings name with blanks as '_'>.INI".
    CString GetSettingsFileName() const;

    CString m_SettingsName;    // names the settings file; "Pipeline CSV"
    CString m_FullPath;        // the data file
    CString m_SpreadsheetName; // the worksheet of a spreadsheet source
    int m_Mode;                // kept for the import dialogs
    int m_SkipNoLines;         // lines to skip at the top of the file
    CDatabase m_Database;      // the workbook of a spreadsheet source
    CRecordset m_Recordset;    // its worksheet
    int m_RecordCount = -1;    // records read by the import running; -1 when none runs
    CString m_ImportError;     // why the last import read nothing
    // A field without a saved column is skipped rather than taking the column of its index:
    // for definitions whose user picks every column.
    bool m_UnsetFieldsSkipped = false;

private:
    // Ends an import that could not read its source: empty list, no count, the reason kept.
    bool Fail(const char* reason, CMyListCtrl& list);
    // Places one record in a new last row, or drops it (see ImportCsv).
    template <class ColumnText> void PlaceRecord(CMyListCtrl& list, ColumnText column);
    // Every field takes its unset column.
    void MapFieldsInOrder();
    // The column of a field without a saved one: its index, or none (m_UnsetFieldsSkipped).
    int UnsetColumn(INT_PTR field) const;
    // One entry per field from `column(i)`, the text of 0-based column i ("" when absent).
    template <class ColumnText> bool MapRecord(CStringArray& fields, ColumnText column) const;
};

// One record of CListCtrlImport::ReadRecord as a comma-separated line: "n/a" entries are left
// out; "<NULL>" (any case) stands for an empty field. Every kept entry after the first is
// preceded by ',', so an empty leading field keeps its place.
CString JoinImportFields(const CStringArray& fields);
