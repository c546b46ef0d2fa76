// CFeaturePane: what every feature pane shares: a file combo box with "Add File" and "Remove
// File" above the property grid of the chosen file and its point table, laid out top to
// bottom; day and night colours; and the host told of every change by posted messages (to the
// owner, or to the application's main window when the pane has none). Each pane builds its
// own grid items, table columns and file handling on it.
#pragma once

#include "featureui/panes/FeatureListCtrl.h"
#include "featureui/TolvarApi.h"
#include "foundation/ColourButton.h"
#include "foundation/MyDockablePane.h"
#include "foundation/WindowMessages.h"
#include "foundation/XYArray.h"
#include "platform/ui/ComboBox.h"
#include "platform/ui/Font.h"
#include "platform/ui/MessageBox.h"

#include <functional>
#include <initializer_list>
#include <type_traits>
#include <utility>

struct GridWaypointDef;
struct PipelineDef;
struct RPLDef;
struct RouteDef;
struct SailLineDef;
struct StructureDef;

// The ids of a pane's controls and how many grid rows it shows.
struct FEATURE_PANE_LAYOUT
{
    UINT nComboID;
    UINT nAddID;
    UINT nRemoveID;
    UINT nTableID; // 0: no table, the grid takes the rest of the pane
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
    // (its rows times the row height) and the table in the rest, hidden when no room is left;
    // without a table the grid takes the rest.
    virtual void AdjustLayout();
    void SetPropListFont();

    void SetDaylightMode();
    void SetNightMode(bool bNight);
    bool GetNightMode() const { return m_wndPropList.GetNightMode(); }
    void SetVSDotNetLook(BOOL bSet);

    // The timer that ends an unlock of locked items.
    static constexpr UINT_PTR UNLOCK_TIMER = 1;

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
    // made) `onWindow`, then combo, grid, table and layout.
    BOOL CreatePane(CWnd* pOwner, int nID, const CString& strTitle, const std::function<void()>& onWindow = {});

    // The pane's list.
    virtual INT_PTR GetFileCount() const = 0;
    virtual CString GetFilePath(int nFile) const = 0;
    // The point's grid position; false when there is no such point.
    virtual bool GetPointPosition(int nFile, int nPoint, tagXY& position) const = 0;
    // The combo box's selection changed.
    virtual void OnFileCombo() = 0;
    // Makes the file the list's current one, keeping the current point when it is one of its.
    virtual void MakeCurrentFile(int nFile) = 0;
    // The table under the grid: the point table, unless the pane shows a list of its own kind.
    virtual CListCtrl& GetTableCtrl() { return m_wndList; }
    // Makes that table in the pane; FALSE when it could not be made.
    virtual BOOL CreateTableCtrl() { return m_wndList.CreateList(this, m_Layout.nTableID); }
    // Day or night colours of that table.
    virtual void SetTableNightMode(bool bNight) { m_wndList.SetNightMode(bNight); }
    // Whether the table's columns are sized after each resize.
    virtual bool SizesColumnsOnResize() const { return true; }

    // The two buttons side by side on top of the client area and the combo box below them;
    // where the grid starts.
    int PlaceButtonsAndCombo(const CRect& client);
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
    // Locks or unlocks the grid's doubles with these data words, where the grid shows them.
    void LockItems(std::initializer_list<DWORD_PTR> ids, bool bLock);
    // A password entered in the item: when it is the right one, the items with these data words
    // are unlocked for `nPeriod` ms (a second right entry starts the period again).
    void UnlockWithPassword(CMFCPropertyGridProperty* pPassword, std::initializer_list<DWORD_PTR> ids, UINT nPeriod);
    // Whether a switch item is on.
    static bool IsOn(const CMFCPropertyGridProperty* pItem) { return pItem->GetValue().boolVal != 0; }
    // "Data Order": a choice among the option texts, no free text, showing the text of `order`.
    static CMFCPropertyGridProperty* MakeDataOrderItem(int order, const char* const* options, int nOptions,
                                                       LPCTSTR lpszDescr, DWORD_PTR dwData);
    // Tells the user that the file at `path` is there but gave nothing to show.
    static void WarnUnreadable(const CString& path);
    // The position of `text` among the option texts; -1 when it is none of them.
    static int FindOption(const CString& text, const char* const* options, int nOptions);

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

// Where a row of a pane's table lies on the chart: the point itself, or the middle of a sail
// line.
tagXY FeaturePointPosition(const tagXY& point);
tagXY FeaturePointPosition(const GridWaypointDef& point);
tagXY FeaturePointPosition(const PipelineDef& point);
tagXY FeaturePointPosition(const RouteDef& point);
tagXY FeaturePointPosition(const RPLDef& point);
tagXY FeaturePointPosition(const SailLineDef& point);
tagXY FeaturePointPosition(const StructureDef& point);

// The feature pane over a list of `TList` (an array of feature pointers, each an array of
// points with its m_FilePath): the file and point accessors every such pane needs.
template <class TList> class CFeaturePaneOf : public CFeaturePane
{
public:
    using CFeaturePane::CFeaturePane;

protected:
    INT_PTR GetFileCount() const override { return m_pList != nullptr ? m_pList->GetSize() : 0; }
    CString GetFilePath(int nFile) const override { return m_pList->GetAt(nFile)->m_FilePath; }
    bool GetPointPosition(int nFile, int nPoint, tagXY& position) const override
    {
        const auto* feature = m_pList->GetAt(nFile);
        if (nPoint < 0 || nPoint >= feature->GetSize())
            return false;
        position = FeaturePointPosition(feature->GetAt(nPoint));
        return true;
    }
    using TFeature = std::remove_pointer_t<std::decay_t<decltype(std::declval<TList&>().GetAt(0))>>;

    // Whether a file of that path is in the list, letter case ignored.
    bool IsLoaded(const CString& path) const
    {
        for (INT_PTR i = 0; i < GetFileCount(); ++i)
            if (m_pList->GetAt(i)->m_FilePath.CompareNoCase(path) == 0)
                return true;
        return false;
    }
    // Reads every path not loaded yet into a new feature and appends it, saving the file list
    // after each; a file that cannot be read is not added, and the rest are still read.
    void LoadNewFiles(const CStringArray& names)
    {
        for (INT_PTR i = 0; i < names.GetSize(); ++i)
        {
            if (IsLoaded(names[i]))
                continue;
            auto* feature = new TFeature;
            if (feature->Load(names[i]))
            {
                m_pList->Add(feature);
                m_pList->SaveFileList();
            }
            else
            {
                // A file the reader refused says why; one that is simply unreadable says nothing
                // more than before.
                if (!feature->m_strRefusal.IsEmpty())
                    AfxMessageBox(feature->m_strRefusal, MB_OK | MB_ICONEXCLAMATION);
                delete feature;
            }
        }
    }
    // A "Data Order" text chosen for the feature: on a match the order is stored, kept by
    // `save` and the file read again in it, and the table rebuilt; in every case the chart is
    // redrawn and the cable computation told.
    template <class Save>
    void ChangeDataOrder(TFeature* feature, const CString& text, const char* const* options, int nOptions, Save save)
    {
        const int order = FindOption(text, options, nOptions);
        if (order >= 0)
        {
            feature->m_DataOrder = order;
            save();
            const CString path = feature->m_FilePath;
            feature->Load(path);
            CreateTable();
        }
        RedrawOwnerChart();
        PostToOwner(UM_RECOMPUTE_ZUDUZURO_DATA);
    }
    // Stores a drawing option that differs from the feature's, saves its drawing options and
    // marks the list changed; false (nothing done) when it is the same.
    template <class T> bool StoreDrawingOption(TFeature* feature, T& field, T value)
    {
        if (field == value)
            return false;
        field = value;
        feature->SaveDrawingOptions();
        m_pList->m_Changed = 1;
        return true;
    }
    // A changed display switch: stored, saved with the drawing options and, since the flag is
    // read back from the status companion, there too; the list marked changed. False (nothing
    // done) when it is the same.
    bool StoreDisplay(TFeature* feature, bool bShown)
    {
        if (feature->m_Status == bShown)
            return false;
        feature->m_Status = bShown;
        feature->SaveDrawingOptions();
        feature->SaveStatus();
        m_pList->m_Changed = 1;
        return true;
    }
    // SetupComboBox of a list with an edit selection: the combo refilled and its file made the
    // list's current one, from its first point; before the combo box exists only the edit
    // selection is brought up to date (a file or point the list no longer holds is cleared).
    void SetupComboWithEditSelection()
    {
        if (m_pList == nullptr)
            return;
        if (m_pCombo == nullptr || m_pCombo->GetSafeHwnd() == nullptr)
        {
            m_pList->SetEditPoint(-1, -1);
            return;
        }
        FillComboBox();
        if (GetFileCount() > 0)
            m_pList->SetEditPoint(m_pCombo->GetCurSel(), 0);
        else
            m_pList->ResetEditState();
    }
    // MakeCurrentFile of such a list: the point stays when the file has it.
    void MakeEditFileCurrent(int nFile) { m_pList->SetEditPoint(nFile, -1); }
    // Deletes the file chosen in the combo box and takes it out of the list (later files move
    // down one); its index, or -1 when none was chosen.
    int DeleteSelectedFile()
    {
        const int file = GetSelectedFile();
        if (file < 0)
            return -1;
        delete m_pList->GetAt(file);
        m_pList->RemoveAt(file);
        return file;
    }
    // For lists with an edit selection, after the file at `nRemoved` was taken out: the edit
    // selection follows its file, and a removed current file hands it to the file before.
    void FollowRemovedFile(int nRemoved)
    {
        if (m_pList->m_EditFileIndex >= nRemoved)
            m_pList->m_EditFileIndex = static_cast<int16_t>(m_pList->m_EditFileIndex - 1);
    }
    // The file chosen in the combo box; null when there is none.
    auto* GetSelectedFeature() const
    {
        const int file = GetSelectedFile();
        return file >= 0 ? m_pList->GetAt(file) : nullptr;
    }

    TList* m_pList = nullptr; // the host's, not owned
};
