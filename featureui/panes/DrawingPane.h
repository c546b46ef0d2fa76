// CDrawingPane: what the digitised-data and DXF panes share, the panes that list the background
// drawings a host shows on its chart: a file combo box above the chosen drawing's display
// switches, file details and extents, no point table; each drawing added and loaded behind its
// progress dialog while the host's mutex is held, so that no one else walks the list meanwhile;
// UM_REDRAW_VECTOR_DISPLAY the only word to the owner.
#pragma once

#include "featureui/panes/FeaturePane.h"

class CMutex;

// What the grid shows of a drawing.
struct DRAWING_DETAILS
{
    bool bShown;
    CString strSize;
    CString strDate;
    double dMinEasting, dMinNorthing, dMaxEasting, dMaxNorthing;
};

// What differs in the texts of the two panes.
struct DRAWING_PANE_TEXTS
{
    UINT nTitleID;                      // the pane's title string
    const char* lpszFilter;             // the file dialog's filter
    const char* lpszDisplayDescription; // the description of "Display"
    const char* lpszMaxNorthingFormat;  // the format of "Maximum Northing"
};

class TOLVAR_API CDrawingPane : public CFeaturePane
{
    DECLARE_DYNAMIC(CDrawingPane)
public:
    ~CDrawingPane() override;

    // Refills the combo box, keeps the selection within the list, and rebuilds the grid.
    void SetupComboBox() override;
    // The grid for the selected drawing; "No Files Selected" when there is none. The argument
    // is not used.
    void InitPropList(bool bUnused);
    void InitPropList() override { InitPropList(false); }
    // The drawing whose file title is `lpszTitle` (letter case ignored; the first when none
    // is) becomes the selected one; the grid stays as it is.
    void SetUseFile(const char* lpszTitle);
    // Adds the file chosen in the dialog and loads it, under the host's mutex.
    void OnAdd() override;
    // Takes the selected drawing out of the list and frees it, under the host's mutex.
    void OnRemove() override;
    LRESULT OnPropertyChanged(WPARAM wParam, LPARAM lParam) override;

    int GetSelection() const { return m_nSelection; }
    const CString& GetCurrentFileTitle() const { return m_strCurrentTitle; }

    // The data word of "Display".
    static constexpr DWORD_PTR ITEM_DISPLAY = 1;

protected:
    CDrawingPane(const FEATURE_PANE_LAYOUT& layout, const DRAWING_PANE_TEXTS& texts);

    // The steps of Create after the pane's list is stored.
    BOOL CreateDrawingPane(CWnd* pOwner, int nID, CMutex* pMutex);
    // The selection changed in the combo box.
    void OnDrawingCombo();

    // The pane's list.
    virtual DRAWING_DETAILS GetDetails(int nDrawing) const = 0;
    // The list's new drawing of `path`; false when the list refuses the path.
    virtual bool AddToList(const CString& path) = 0;
    // Loads the list's last drawing behind its progress dialog.
    virtual void LoadLastDrawing() = 0;
    virtual void SaveFileList() = 0;
    // Unlinks the drawing from the list and frees it.
    virtual void DeleteDrawing(int nDrawing) = 0;
    // Items the pane adds to "Properties" after the file date.
    virtual void AddOwnProperties(CMFCPropertyGridProperty*, int) {}
    // A changed switch of the drawing, the mutex held: true when it was stored (then the
    // owner hears of it).
    virtual bool StoreSwitch(int nDrawing, DWORD_PTR id, bool bOn) = 0;

    void CreateTable() override {}
    void UpdateAllPositions() override {}
    bool GetPointPosition(int, int, tagXY&) const override { return false; }
    void OnFileCombo() override { OnDrawingCombo(); }
    void MakeCurrentFile(int) override {}
    bool SizesColumnsOnResize() const override { return false; }

    CMutex* m_pMutex = nullptr;
    CString m_strCurrentTitle;
    int m_nSelection = -1;

private:
    DRAWING_PANE_TEXTS m_Texts;
};

// The drawing pane over a host's linked list of drawings (TList: a list of pointers to drawings
// that keep their path in m_FileName), reached by position.
template <class TList> class CDrawingPaneOf : public CDrawingPane
{
protected:
    using CDrawingPane::CDrawingPane;

    INT_PTR GetFileCount() const override { return m_pList != nullptr ? m_pList->GetCount() : 0; }
    CString GetFilePath(int nFile) const override
    {
        const auto* drawing = m_pList->GetAtIndex(nFile);
        return drawing != nullptr ? drawing->m_FileName : CString();
    }
    bool AddToList(const CString& path) override
    {
        return m_pList != nullptr && m_pList->AddFile(path) != nullptr;
    }
    void SaveFileList() override { m_pList->SaveFileList(); }
    void DeleteDrawing(int nDrawing) override
    {
        const POSITION position = m_pList->FindIndex(nDrawing);
        if (position == nullptr)
            return;
        auto* drawing = m_pList->GetAt(position);
        m_pList->RemoveAt(position);
        delete drawing;
    }

    TList* m_pList = nullptr; // the host's, not owned
};
