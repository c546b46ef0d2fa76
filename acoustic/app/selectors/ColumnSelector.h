// CColumnSelector: the shared part of the modal dialogs in which the user picks an observation
// file and, for every field of its import definition, the source column (or "Skip"): the two
// file lines, the "Select File" button, one column combo per field, and for a workbook the
// sheet name and a picture of where a workbook shows it. OK writes the choices into the
// definition (the caller saves it); Cancel leaves columns and sheet name as they were.
#pragma once

#include "acoustic/app/selectors/BMPStatic.h"
#include "acoustic/app/selectors/SelectorResources.h"
#include "foundation/ColourButton.h"
#include "foundation/ColourDialogEx.h"
#include "foundation/ExcelColumnComboBox.h"
#include "platform/ui/Edit.h"
#include "platform/ui/Static.h"

class CListCtrlImport;

// What tells one selector from another besides its template.
struct COLUMN_SELECTOR_LOOK
{
    int fieldCount;        // fields of the definition the selector maps
    int listKind;          // EXCEL_COLUMN_NUMBERS for a CSV file, EXCEL_COLUMN_LETTERS for a workbook
    const char* fileTitle; // the file dialog's title
    const char* filter;    // the file dialog's filter
};

class CColumnSelector : public CColourDialogEx
{
    DECLARE_DYNAMIC(CColumnSelector)
public:
    CColumnSelector(UINT nIDTemplate, const COLUMN_SELECTOR_LOOK& look, CWnd* pParent);

    // A definition with fewer fields than the selector maps is damaged: the user is told which
    // import it is and the dialog does not open (IDCANCEL).
    INT_PTR DoModal() override;

    // A column as a field keeps it when the user picked "Skip": a column that was chosen
    // (c >= 0) is remembered as -(c + 2), a field that had none keeps its negative value.
    static int SkippedColumn(int lastColumn) { return lastColumn < 0 ? lastColumn : -(lastColumn + 2); }

    CListCtrlImport* m_pImport = nullptr; // the definition edited; set before DoModal

    const COLUMN_SELECTOR_LOOK& GetLook() const { return m_Look; }
    bool IsWorkbook() const { return m_Look.listKind == EXCEL_COLUMN_LETTERS; }
    CExcelColumnComboBox& Column(int field) { return m_Columns[field]; }

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnSelectFile();
    DECLARE_MESSAGE_MAP()

    // The file lines from the definition's path: its folder, then its file name.
    void ShowFile();
    // Field `field`'s combo from the definition's column, in the selector's list kind.
    void ShowColumn(int field);
    // The column field `field` takes on OK: the entry picked in an enabled combo (a column
    // beyond the list, which shows no entry, is kept), otherwise what SkippedColumn gives for
    // the combo's last column.
    int ChosenColumn(int field);

    COLUMN_SELECTOR_LOOK m_Look;
    CStatic m_Folder;
    CStatic m_FileName;
    CColourButton m_SelectFile;
    CColourButton m_OK;
    CColourButton m_Cancel;
    CExcelColumnComboBox m_Columns[SELECTOR_MAX_FIELDS];
    CEdit m_SheetName;
    CBMPStatic m_Picture;
};
