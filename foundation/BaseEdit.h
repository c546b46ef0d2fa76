// CBaseEdit: the base of the suite's edit controls. It tells the application's main window
// when an editable control gains the focus (UM_EDITBOX_FOCUS_DATA) and when the control goes
// (UM_EDITBOX_KILL_FOCUS_DATA), selects its text on entry, owns the tooltip that names its
// kind of value, and can serve as a list control's in-place editor: then it ends the edit when
// it loses the focus by sending LVN_ENDLABELEDIT to the list's parent and destroying itself.
#pragma once

#include "foundation/MyToolTip.h"
#include "platform/ui/Edit.h"
#include "platform/ui/ListCtrl.h" // LVN_ENDLABELEDIT and the records an in-place edit ends with

#include <cfloat>

class CBaseEdit : public CEdit
{
    DECLARE_DYNAMIC(CBaseEdit)
public:
    CBaseEdit();
    // Posts UM_EDITBOX_KILL_FOCUS_DATA to the main window when there is one.
    ~CBaseEdit() override;

    // Enabled controls show their value, disabled ones "n/a".
    virtual void SetEnabled(BOOL bEnabled);
    // Runs once, when the window is made or bound to the object (see the derived controls).
    virtual void InitControl();

    // The control's read-only mode (kept for the window it gets later, too).
    BOOL SetReadOnly(BOOL bReadOnly = TRUE);
    BOOL IsReadOnly() const;
    // Set while the text holds a change not yet taken; the owner clears it when it takes it.
    BOOL GetModified() const { return m_bModified; }
    void SetModified(BOOL bModified = TRUE) { m_bModified = bModified; }
    void SetEnterAsTab(BOOL bEnterAsTab) { m_bEnterAsTab = bEnterAsTab; }
    void SetSelectAllOnClick(BOOL bSelectAll) { m_bSelectAllOnClick = bSelectAll; }
    // The most characters of a value (without its units).
    void SetTextLimit(int nLimit) { m_nTextLimit = nLimit; }
    int GetTextLimit() const { return m_nTextLimit; }
    double GetValue() const { return m_Value; }

    // Makes the control the in-place editor of a list cell, before it is created on the
    // cell with the list as parent; `lpszText` is the cell's text.
    void SetInPlace(int nItem, int nSubItem, LPCTSTR lpszText);
    BOOL IsInPlace() const { return m_bInPlace; }
    BOOL WasCancelled() const { return m_bCancel; }
    BOOL WasEndedByTab() const { return m_bTab; }

    BOOL PreTranslateMessage(MSG* pMsg) override;

protected:
    void PreSubclassWindow() override;
    int OnCreate(LPCREATESTRUCT lpCreateStruct);
    void OnLButtonUp(UINT nFlags, CPoint point);
    void OnSetFocus(CWnd* pOldWnd);
    void OnKillFocus(CWnd* pNewWnd);
    DECLARE_MESSAGE_MAP()

    // In-place mode: widens the control to its text (measured with the parent's font) plus
    // 5 pixels, keeping its right edge inside the parent's client area.
    void WidenToText();
    // Adds the tooltip tool with the text on first use; later calls change its text.
    void SetToolTipText(LPCTSTR lpszText);

    BOOL m_bInPlace = FALSE;
    int m_nItem = 0;
    int m_nSubItem = 0;
    BOOL m_bTab = FALSE;
    BOOL m_bCancel = FALSE;
    int m_nReserved = 15;
    BOOL m_bEnabled = TRUE;
    BOOL m_bReadOnly = FALSE;
    BOOL m_bModified = FALSE;
    BOOL m_bEnterAsTab = FALSE;
    BOOL m_bInitialised = FALSE;
    BOOL m_bJustFocused = FALSE;
    BOOL m_bSelectAllOnClick = TRUE;
    int m_nCaretPos = 0;
    int m_nTextLimit = 0;
    double m_Value = DBL_MAX;
    CString m_Text;
    CString m_TextBefore;
    CMyToolTip m_ToolTip;
    BOOL m_bToolAdded = FALSE;
    BOOL m_bToolShown = FALSE;
    CString m_ToolTipText;
};
