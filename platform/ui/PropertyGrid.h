// CMFCPropertyGridCtrl and CMFCPropertyGridProperty: the two-column property grid that is the
// face of the suite's panes, over a Qt tree widget. Items keep their value as a COleVariant;
// an edit the user makes is parsed by the item (TextToVar / OnUpdateValue) and, when
// accepted, the grid tells its owner with AFX_WM_PROPERTY_CHANGED (lParam: the item).
#pragma once

#include "platform/core/Object.h"
#include "platform/ui/OleVariant.h"
#include "platform/ui/Wnd.h"

#include <memory>
#include <vector>

class CMFCPropertyGridCtrl;
class QTreeWidget;
class QTreeWidgetItem;
class QLabel;
class QObject;

// The change notification to the grid's owner: wParam the grid's id, lParam the item.
PLATFORM_API extern const UINT AFX_WM_PROPERTY_CHANGED;

class PLATFORM_API CMFCPropertyGridProperty : public CObject
{
    friend class CMFCPropertyGridCtrl;

public:
    // A group.
    explicit CMFCPropertyGridProperty(const CString& strGroupName, DWORD_PTR dwData = 0, BOOL bIsValueList = FALSE);
    // A value item.
    CMFCPropertyGridProperty(const CString& strName, const COleVariant& varValue, LPCTSTR lpszDescr = nullptr,
                             DWORD_PTR dwData = 0, LPCTSTR lpszEditMask = nullptr, LPCTSTR lpszEditTemplate = nullptr,
                             LPCTSTR lpszValidChars = nullptr);
    // Deletes the sub-items.
    ~CMFCPropertyGridProperty() override;
    CMFCPropertyGridProperty(const CMFCPropertyGridProperty&) = delete;
    CMFCPropertyGridProperty& operator=(const CMFCPropertyGridProperty&) = delete;

    // The item is owned by this group from now on. FALSE (and not taken) for a value item
    // that is no value list.
    BOOL AddSubItem(CMFCPropertyGridProperty* pProp);
    // Deletes the sub-item when bDelete.
    BOOL RemoveSubItem(CMFCPropertyGridProperty*& pProp, BOOL bDelete = TRUE);
    int GetSubItemsCount() const { return static_cast<int>(m_subItems.size()); }
    // Null for an index out of range.
    CMFCPropertyGridProperty* GetSubItem(int nIndex) const;
    CMFCPropertyGridProperty* GetParent() const { return m_pParent; }
    BOOL IsGroup() const { return m_bGroup; }

    // Options offered in a drop-down list; without AllowEdit only they can be chosen.
    BOOL AddOption(LPCTSTR lpszOption, BOOL bInsertUnique = TRUE);
    void RemoveAllOptions();
    int GetOptionCount() const { return static_cast<int>(m_options.size()); }
    LPCTSTR GetOption(int nIndex) const;
    void AllowEdit(BOOL bAllow = TRUE);
    BOOL IsAllowEdit() const { return m_bAllowEdit; }
    // A spin button in the in-place editor, stepping from nMin to nMax. While it is on, the
    // item takes only whole numbers in that range: other text is refused and the value stays.
    // Without AllowEdit its buttons and arrow keys still step it, but nothing can be typed.
    void EnableSpinControl(BOOL bEnable = TRUE, int nMin = 0, int nMax = 0);
    BOOL IsSpinEnabled() const { return m_bSpin; }
    int GetSpinMin() const { return m_nSpinMin; }
    int GetSpinMax() const { return m_nSpinMax; }

    BOOL Enable(BOOL bEnable = TRUE);
    BOOL IsEnabled() const { return m_bEnabled; }
    BOOL Show(BOOL bShow = TRUE, BOOL bAdjustLayout = TRUE);
    BOOL IsVisible() const { return m_bVisible; }
    BOOL Expand(BOOL bExpand = TRUE);
    BOOL IsExpanded() const { return m_bExpanded; }

    void SetName(LPCTSTR lpszName, BOOL bRedraw = TRUE);
    LPCTSTR GetName() const { return m_strName; }
    void SetDescription(const CString& strDescr);
    const CString& GetDescription() const { return m_strDescr; }
    void SetData(DWORD_PTR dwData) { m_dwData = dwData; }
    DWORD_PTR GetData() const { return m_dwData; }

    virtual void SetValue(const COleVariant& varValue);
    const COleVariant& GetValue() const { return m_varValue; }
    void SetOriginalValue(const COleVariant& varValue) { m_varValueOrig = varValue; }
    const COleVariant& GetOriginalValue() const { return m_varValueOrig; }
    void ResetOriginalValue();
    BOOL IsModified() const { return !m_bGroup && m_varValue != m_varValueOrig; }

    // The value as shown in the grid.
    virtual CString FormatProperty();
    // Takes the edited text as the new value; FALSE refuses it (the value stays).
    virtual BOOL TextToVar(const CString& strText);
    // Ends an edit with the text typed or chosen: TextToVar, and when the value changed, the
    // grid's OnPropertyChanged. FALSE when the text was refused.
    virtual BOOL OnUpdateValue();
    // Before an in-place edit starts (FALSE keeps the item from being edited) and after it ends.
    virtual BOOL OnEdit(LPPOINT lptClick);
    virtual BOOL OnEndEdit();
    // Items that draw their value themselves (a colour swatch, a line sample) override this;
    // the grid draws the result left of the text.
    virtual void OnDrawValue(CDC* pDC, CRect rect);
    virtual BOOL HasValueDrawing() const { return FALSE; }
    virtual void OnClickButton(CPoint point);
    virtual BOOL HasButton() const { return FALSE; }
    // Items that paint their whole value cell (buttons, bars, two values side by side) return
    // TRUE: the grid then hands OnDrawValue the cell instead of drawing the text, and a left
    // click in the cell to OnClickValue (WM_LBUTTONDOWN, the point from the cell's top left).
    virtual BOOL IsValueDrawnWhole() const { return FALSE; }
    virtual BOOL OnClickValue(UINT uiMsg, CPoint point)
    {
        (void)uiMsg;
        (void)point;
        return FALSE;
    }
    // Where the grid places the in-place editor: `rectEdit` the editor, `rectSpin` a spin or
    // button strip (empty when the item has none). GetRect() holds the item's whole row and
    // the grid's name column ends GetGrid()->GetLeftColumnWidth() from its left, in the
    // coordinates of the grid's list area. By default the editor covers the value cell.
    virtual void AdjustInPlaceEditRect(CRect& rectEdit, CRect& rectSpin);
    // The item's row as last laid out for an in-place editor (set by the grid).
    const CRect& GetRect() const { return m_Rect; }
    void SetRect(const CRect& rect) { m_Rect = rect; }

    // An item that is a line of text across the whole row, name and value columns alike.
    virtual BOOL IsFullRow() const { return FALSE; }
    // A value the user has to see as wrong or missing: TRUE with the colours its value cell
    // shows in instead of the grid's (for a group: its caption). FALSE (an ordinary value) by
    // default.
    virtual BOOL GetMarkColours(COLORREF& clrText, COLORREF& clrBack) const
    {
        (void)clrText;
        (void)clrBack;
        return FALSE;
    }

    // The text an in-place editor holds (set by the grid's editors, or by tests).
    void SetEditText(const CString& strText) { m_strEditText = strText; }
    const CString& GetEditText() const { return m_strEditText; }

    CMFCPropertyGridCtrl* GetGrid() const { return m_pWndList; }
    // Repaints this item's row.
    void Redraw();

protected:
    CString m_strName;
    CString m_strDescr;
    COleVariant m_varValue;
    COleVariant m_varValueOrig;
    DWORD_PTR m_dwData = 0;
    CMFCPropertyGridCtrl* m_pWndList = nullptr;
    CRect m_Rect;
    CString m_strEditText;

private:
    void SetOwnerList(CMFCPropertyGridCtrl* pWndList);

    bool m_bGroup = false;
    bool m_bIsValueList = false;
    bool m_bAllowEdit = true;
    bool m_bEnabled = true;
    bool m_bVisible = true;
    bool m_bExpanded = true;
    bool m_bSpin = false;
    int m_nSpinMin = 0;
    int m_nSpinMax = 0;
    CMFCPropertyGridProperty* m_pParent = nullptr;
    std::vector<CMFCPropertyGridProperty*> m_subItems;
    std::vector<CString> m_options;
};

class PLATFORM_API CMFCPropertyGridCtrl : public CWnd
{
    DECLARE_DYNAMIC(CMFCPropertyGridCtrl)
public:
    CMFCPropertyGridCtrl();
    // Deletes the items.
    ~CMFCPropertyGridCtrl() override;

    virtual BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

    // The grid owns the item from now on; returns its index, -1 when it is null or already in.
    int AddProperty(CMFCPropertyGridProperty* pProp, BOOL bRedraw = TRUE, BOOL bAdjustLayout = TRUE);
    BOOL DeleteProperty(CMFCPropertyGridProperty*& pProp, BOOL bRedraw = TRUE, BOOL bAdjustLayout = TRUE);
    void RemoveAll();
    int GetPropertyCount() const { return static_cast<int>(m_props.size()); }
    CMFCPropertyGridProperty* GetProperty(int nIndex) const;
    // Depth-first, the first item with the data word.
    CMFCPropertyGridProperty* FindItemByData(DWORD_PTR dwData, BOOL bSearchSubItems = TRUE) const;
    void SetCurSel(CMFCPropertyGridProperty* pProp, BOOL bRedraw = TRUE);
    CMFCPropertyGridProperty* GetCurSel() const { return m_pSel; }
    void ExpandAll(BOOL bExpand = TRUE);

    void EnableHeaderCtrl(BOOL bHeader = TRUE, LPCTSTR lpszLeftColumn = "Property", LPCTSTR lpszRightColumn = "Value");
    BOOL IsHeaderCtrl() const { return m_bHeaderCtrl; }
    void EnableDescriptionArea(BOOL bEnable = TRUE);
    BOOL IsDescriptionArea() const { return m_bDescriptionArea; }
    void SetVSDotNetLook(BOOL bSet = TRUE);
    BOOL IsVSDotNetLook() const { return m_bVSDotNetLook; }
    // Whether a group's name may run across the value column too (with the VS.NET look); on at
    // construction.
    void SetGroupNameFullWidth(BOOL bGroupNameFullWidth = TRUE, BOOL bRedraw = TRUE);
    BOOL IsGroupNameFullWidth() const { return m_bGroupNameFullWidth; }
    void MarkModifiedProperties(BOOL bMark = TRUE, BOOL bRedraw = TRUE);
    BOOL IsMarkModifiedProperties() const { return m_bMarkModified; }
    void SetBoolLabels(LPCTSTR lpszTrue, LPCTSTR lpszFalse);
    void SetCustomColors(COLORREF clrBackground, COLORREF clrText, COLORREF clrGroupBackground,
                         COLORREF clrGroupText, COLORREF clrDescriptionBackground, COLORREF clrDescriptionText,
                         COLORREF clrLine);
    void GetCustomColors(COLORREF& clrBackground, COLORREF& clrText, COLORREF& clrGroupBackground,
                         COLORREF& clrGroupText, COLORREF& clrDescriptionBackground, COLORREF& clrDescriptionText,
                         COLORREF& clrLine) const;
    int GetRowHeight() const;
    // Where the value column starts, in pixels from the left of the list area (0 without a
    // window): the width of the name column as the rows show it.
    int GetLeftColumnWidth() const;
    // The width at which the grid shows the names of its shown items whole: the name column
    // fits the widest name but leaves the values 45% of the width. 0 without a window.
    int GetWholeNamesWidth() const;
    // Brings the tree in line with the items (after items were changed directly).
    void AdjustLayout();

    // Called by an item whose value the user changed: sends AFX_WM_PROPERTY_CHANGED to the
    // owner (the parent when no owner is set).
    virtual void OnPropertyChanged(CMFCPropertyGridProperty* pProp) const;

    // Ends an in-place edit of the item with `text`, as a user typing or choosing it would.
    // FALSE when the item is no editable value or refused the text.
    BOOL EditProperty(CMFCPropertyGridProperty* pProp, const CString& text);

    // What the tree shows for an item (for tests): its value text, and whether its row is
    // enabled and not hidden. Empty/FALSE for items not in the grid.
    CString GetShownName(const CMFCPropertyGridProperty* pProp) const;
    CString GetShownValue(const CMFCPropertyGridProperty* pProp) const;
    BOOL IsShownEnabled(const CMFCPropertyGridProperty* pProp) const;
    BOOL IsShownVisible(const CMFCPropertyGridProperty* pProp) const;
    BOOL IsShownBold(const CMFCPropertyGridProperty* pProp) const;
    // The description area's text.
    CString GetShownDescription() const;
    // Where the tree shows an item's value cell, in its list area's pixels (the viewport of the
    // tree widget); empty for an item not in view.
    CRect GetShownValueRect(const CMFCPropertyGridProperty* pProp) const;

    LPCTSTR GetBoolTrue() const { return m_strTrue; }
    LPCTSTR GetBoolFalse() const { return m_strFalse; }

    // Refreshes one item's row.
    void RefreshItem(CMFCPropertyGridProperty* pProp);

protected:
    // Called while building the tree and after any change: the grid's look.
    virtual void ApplyColours();

private:
    friend class CMFCPropertyGridProperty;
    QTreeWidgetItem* ItemOf(const CMFCPropertyGridProperty* pProp) const;
    void Rebuild();
    void AddTreeItem(CMFCPropertyGridProperty* pProp, QTreeWidgetItem* parent);
    void ShowItem(CMFCPropertyGridProperty* pProp, QTreeWidgetItem* item);
    void Forget(CMFCPropertyGridProperty* pProp);
    // The height of the picture an item draws before its value (twice as wide).
    int ValueDrawingHeight() const;

    std::vector<CMFCPropertyGridProperty*> m_props;
    CMFCPropertyGridProperty* m_pSel = nullptr;
    QTreeWidget* m_pTree = nullptr;
    QLabel* m_pDescription = nullptr;
    // Keeps the name column fitted to the names (owned by m_pGuard).
    QObject* m_pNameFitter = nullptr;
    // Lives exactly as long as this object: the tree's signals and queued edits are tied to it,
    // so a tree that outlives the grid (deleted later by Qt) never calls into a dead grid.
    std::unique_ptr<QObject> m_pGuard;
    bool m_bHeaderCtrl = true;
    bool m_bDescriptionArea = false;
    bool m_bVSDotNetLook = false;
    bool m_bGroupNameFullWidth = true;
    bool m_bMarkModified = false;
    bool m_bInRebuild = false;
    CString m_strLeftTitle = "Property";
    CString m_strRightTitle = "Value";
    CString m_strTrue = "True";
    CString m_strFalse = "False";
    COLORREF m_clrBackground = 0xFFFFFF;
    COLORREF m_clrText = 0x000000;
    COLORREF m_clrGroupBackground = 0xEBEBEB;
    COLORREF m_clrGroupText = 0x555555;
    COLORREF m_clrDescriptionBackground = 0xEBEBEB;
    COLORREF m_clrDescriptionText = 0x000000;
    COLORREF m_clrLine = 0xEBEBEB;
};
