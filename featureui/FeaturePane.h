// CFeaturePane: what every feature pane shares: a file combo box with "Add File" and "Remove
// File" above the property grid of the chosen file and its point table, laid out top to
// bottom; day and night colours; and the host told of every change by posted messages (to the
// owner, or to the application's main window when the pane has none). Each pane builds its
// own grid items, table columns and file handling on it.
#pragma once

#include "featureui/FeatureListCtrl.h"
#include "featureui/TolvarApi.h"
#include "foundation/ColourButton.h"
#include "foundation/MyDockablePane.h"
#include "foundation/XYArray.h"
#include "platform/ui/ComboBox.h"
#include "platform/ui/Font.h"

// The ids of a pane's controls and how many grid rows it shows.
struct FEATURE_PANE_LAYOUT
{
    UINT nComboID;
    UINT nAddID;
    UINT nRemoveID;
    UINT nTableID;
    int nGridRows;
};

class TOLVAR_API CFeaturePane : public CMyDockablePane
{
    DECLARE_DYNAMIC(CFeaturePane)
public:
    explicit CFeaturePane(const FEATURE_PANE_LAYOUT& layout);
    ~CFeaturePane() override;

    // Refills the combo box with the file titles; the pane's own version also sets the list's
    // edit selection.
    virtual void SetupComboBox() = 0;
    // Rebuilds the grid for the file chosen in the combo box.
    virtual void InitPropList() = 0;
    // Rebuilds the table's columns, then its rows.
    virtual void CreateTable() = 0;
    // Refills the table's rows from the chosen file.
    virtual void UpdateAllPositions() = 0;

    // Buttons side by side on top (30 high), the combo box below them, the grid below that
    // (its rows times the row height) and the table in the rest, hidden when no room is left.
    virtual void AdjustLayout();
    void SetPropListFont();

    void SetDaylightMode();
    void SetNightMode(bool bNight);
    bool GetNightMode() const { return m_wndPropList.GetNightMode(); }
    void SetVSDotNetLook(BOOL bSet);

    // The controls, for the host and for tests.
    CMyMFCPropertyGridCtrl& GetPropertyGrid() { return m_wndPropList; }
    CFeatureListCtrl& GetTable() { return m_wndList; }
    CComboBox* GetFileCombo() const { return m_pCombo; }
    CColourButton* GetAddButton() const { return m_pAddButton; }
    CColourButton* GetRemoveButton() const { return m_pRemoveButton; }

    // The file chosen in the combo box: its index when it is one of the list's files, else -1.
    int GetSelectedFile() const;

    // Message handlers.
    int OnCreate(LPCREATESTRUCT lpCreateStruct);
    void OnSize(UINT nType, int cx, int cy);
    void OnSetFocus(CWnd* pOldWnd);
    LRESULT OnSettingChange(WPARAM wParam, LPARAM lParam);
    // AFX_WM_PROPERTY_CHANGED: lParam the changed item. 0.
    virtual LRESULT OnPropertyChanged(WPARAM wParam, LPARAM lParam) = 0;
    // UM_SELECT_FEATURE: lParam the point's row; centres the chart on it. 0.
    LRESULT OnSelectPoint(WPARAM wParam, LPARAM lParam);
    virtual void OnAdd() = 0;
    virtual void OnRemove() = 0;

protected:
    // Steps of Create once the pane's own members are set: the window, then (only when it was
    // made) combo, grid, table and layout.
    BOOL CreatePane(CWnd* pOwner, int nID, const CString& strTitle);

    // The pane's list.
    virtual INT_PTR GetFileCount() const = 0;
    virtual CString GetFilePath(int nFile) const = 0;
    // The point's grid position; false when there is no such point.
    virtual bool GetPointPosition(int nFile, int nPoint, tagXY& position) const = 0;
    // The combo box's selection changed.
    virtual void OnFileCombo() = 0;
    // Makes the file the list's current one, keeping the current point when it is one of its.
    virtual void MakeCurrentFile(int nFile) = 0;
    // Whether the table's columns are sized after each resize.
    virtual bool SizesColumnsOnResize() const { return true; }

    // Steps 1 to 3 of SetupComboBox: the titles, the old selection when it is still there,
    // else the first entry.
    void FillComboBox();
    // The common start of InitPropList: font, header, look and the grey scheme.
    void BeginPropList();
    // The grid of an empty list: one empty group "No Files Selected".
    void ShowNoFiles();
    // After files were added: the combo refilled with the newest file chosen and made current,
    // then grid, table and layout rebuilt.
    void ShowAddedFiles();
    // After the file at `nRemoved` was taken out: the combo refilled with the file before it
    // (or the first) chosen and made current, then grid and table rebuilt.
    void ShowRemainingFiles(int nRemoved);
    // Deletes every row and every column of the table.
    void ClearTable();

    // Where the pane's messages go: the owner, else the main window at the moment of posting.
    void PostToOwner(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
    // UM_REDRAW_CHART and UM_REDRAW_VECTOR_DISPLAY to the same place.
    void RedrawOwnerChart() const;

    // Control notifications of the combo box and the two buttons.
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

    DECLARE_MESSAGE_MAP()

    FEATURE_PANE_LAYOUT m_Layout;
    CFont m_fntPropList;
    CMyMFCPropertyGridCtrl m_wndPropList;
    CFeatureListCtrl m_wndList;
    CComboBox* m_pCombo = nullptr;
    CColourButton* m_pAddButton = nullptr;
    CColourButton* m_pRemoveButton = nullptr;
};
