// CMyListView: the document-view form of a table, which the feature views derive from. A
// right-click menu loads a comma-separated file into the table, deletes the selected rows,
// saves the table as a CSV file or an Excel workbook, and prints it on pages laid out with a
// font fitted to the paper's width.
#pragma once

#include "foundation/ExcelWriter.h"
#include "foundation/ListOutput.h"
#include "platform/core/Array.h"
#include "platform/core/String.h"
#include "platform/ui/ListView.h"

#include <vector>

class CDC;

// Menu command ids of the right-click menu.
#define ID_LISTVIEW_TITLE 1000
#define ID_LISTVIEW_LOAD_CSV 1
#define ID_LISTVIEW_DELETE_ROWS 100
#define ID_LISTVIEW_SAVE_CSV 200
#define ID_LISTVIEW_SAVE_EXCEL 201
#define ID_LISTVIEW_PRINT 202

class CMyListView : public CListView
{
    DECLARE_DYNCREATE(CMyListView)
public:
    CMyListView();
    ~CMyListView() override;

    void OnInitialUpdate() override;

    bool SaveToCsv();
    bool SaveToExcel();
    bool Print();
    bool ChooseCsvFile();
    // Loads a comma-separated file into the table; null: the data file path.
    void LoadCsv(const char* path = nullptr);
    bool ImportCsv();
    // One definition per header column (see ExcelWriter.h); the header column count.
    int GetExcelColumns(CExcelColumn& columns);

    // Lays the table out on a printer context that the caller made and prints it: the
    // document named `title`, `copies` copies (collated or each page repeated), pages
    // fromPage..toPage (1-based; 0 for no range). Result: whether every page printed.
    bool PrintOnDC(CDC* pDC, const CString& title, int copies, bool collate, int fromPage = 0,
                   int toPage = 0);
    const ListPrintLayout& GetLastPrintLayout() const { return m_LastPrintLayout; }

    // Shows the right-click menu at the screen point and runs the chosen entry.
    void ShowContextMenu(CPoint screenPoint);

    CString m_SettingsName;
    CString m_ExportFolder;
    CString m_DefaultName;
    CString m_ExportName;
    CString m_DataFilePath;
    CStringArray m_Headings;
    bool m_bFirstLineHoldsHeadings = false;
    bool m_bFillWidth = false;

protected:
    void OnSize(UINT nType, int cx, int cy);
    void OnRClick(NMHDR* pNMHDR, LRESULT* pResult);
    void OnMeasureItem(int nIDCtl, LPMEASUREITEMSTRUCT lpMeasureItemStruct);
    void OnDrawItem(int nIDCtl, LPDRAWITEMSTRUCT lpDrawItemStruct);
    DECLARE_MESSAGE_MAP()

    // "<folder><export name>.<ext>", or "<folder>_<default name>.<ext>".
    CString ExportFileName(const char* extension) const;
    // The "saved in" message of an export.
    CString SavedMessage(const char* extension) const;
    void DeleteSelectedRows();

private:
    ListPrintLayout m_LastPrintLayout;
};
