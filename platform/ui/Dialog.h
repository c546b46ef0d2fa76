// Dialogs made from the templates of DialogTemplate.h, modal (DoModal, through the modal
// hook of ModalHook.h) or modeless (Create), with the framework's data exchange.
//
// A dialog's window is of the dialog class: its items are made from the template in order
// (which is also their tab order), each with the dialog's font; then WM_INITDIALOG runs
// OnInitDialog, and the first tab stop gets the focus when it returns TRUE. Enter clicks the
// focused push button, else the default button (DEFPUSHBUTTON, or IDOK); Escape and closing
// the window send IDCANCEL; Tab and Shift+Tab move between WS_TABSTOP items. IDOK and IDCANCEL
// run the virtual OnOK (UpdateData(TRUE), then EndDialog(IDOK) when it succeeded) and
// OnCancel (EndDialog(IDCANCEL)).
#pragma once

#include "platform/core/Exception.h"
#include "platform/ui/DialogTemplate.h"
#include "platform/ui/Wnd.h"

#include <memory>

// Thrown by a failed validation to end a data exchange (UpdateData catches it).
class PLATFORM_API CUserException : public CException
{
    DECLARE_DYNAMIC(CUserException)
public:
    BOOL GetErrorMessage(char* buffer, UINT maxLength, UINT* helpContext = nullptr) const override;
};
[[noreturn]] PLATFORM_API void AfxThrowUserException();

class PLATFORM_API CDataExchange
{
public:
    CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate);

    BOOL m_bSaveAndValidate; // TRUE: controls into variables; FALSE: variables into controls
    CWnd* m_pDlgWnd;
    UINT m_idLastControl = 0;
    BOOL m_bEditLastControl = FALSE;

    // The item's window (null when the dialog has no such item), remembered for Fail().
    HWND PrepareCtrl(int nIDC);
    HWND PrepareEditCtrl(int nIDC);
    // Gives the last prepared control the focus (selecting an edit's text) and throws
    // CUserException.
    [[noreturn]] void Fail();
};

// Binds a control object to the dialog's item (once; SubclassDlgItem).
PLATFORM_API void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl);
// Text of an item. Numbers read back that are not numbers show a message box ("Please enter
// an integer." / "Please enter a number.") and fail the exchange; doubles are shown with
// 15 significant digits, floats with 6.
PLATFORM_API void DDX_Text(CDataExchange* pDX, int nIDC, CString& value);
PLATFORM_API void DDX_Text(CDataExchange* pDX, int nIDC, int& value);
PLATFORM_API void DDX_Text(CDataExchange* pDX, int nIDC, UINT& value);
PLATFORM_API void DDX_Text(CDataExchange* pDX, int nIDC, long& value);
PLATFORM_API void DDX_Text(CDataExchange* pDX, int nIDC, short& value);
PLATFORM_API void DDX_Text(CDataExchange* pDX, int nIDC, BYTE& value);
PLATFORM_API void DDX_Text(CDataExchange* pDX, int nIDC, double& value);
PLATFORM_API void DDX_Text(CDataExchange* pDX, int nIDC, float& value);
// BST_UNCHECKED / BST_CHECKED / BST_INDETERMINATE.
PLATFORM_API void DDX_Check(CDataExchange* pDX, int nIDC, int& value);
// nIDC is the first radio button of a group (up to the next WS_GROUP item); value is the
// index of the checked one, -1 for none.
PLATFORM_API void DDX_Radio(CDataExchange* pDX, int nIDC, int& value);
PLATFORM_API void DDX_CBIndex(CDataExchange* pDX, int nIDC, int& index);
PLATFORM_API void DDX_CBString(CDataExchange* pDX, int nIDC, CString& value);
PLATFORM_API void DDX_LBIndex(CDataExchange* pDX, int nIDC, int& index);
PLATFORM_API void DDX_Slider(CDataExchange* pDX, int nIDC, int& value);
// Range checks on saving: a message box and a failed exchange when out of range.
PLATFORM_API void DDV_MinMaxInt(CDataExchange* pDX, int value, int minVal, int maxVal);
PLATFORM_API void DDV_MinMaxUInt(CDataExchange* pDX, UINT value, UINT minVal, UINT maxVal);
PLATFORM_API void DDV_MinMaxDouble(CDataExchange* pDX, double const& value, double minVal, double maxVal);
PLATFORM_API void DDV_MinMaxFloat(CDataExchange* pDX, float const& value, float minVal, float maxVal);
PLATFORM_API void DDV_MaxChars(CDataExchange* pDX, CString const& value, int nChars);

class PLATFORM_API CDialog : public CWnd
{
    DECLARE_DYNAMIC(CDialog)
public:
    CDialog();
    explicit CDialog(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
    ~CDialog() override;

    // Modeless: makes the dialog from the template (shown when the template has WS_VISIBLE).
    // FALSE when no template of that id is registered or creation fails.
    virtual BOOL Create(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
    BOOL CreateIndirect(const DLGTEMPLATE_TABLE* pTemplate, CWnd* pParentWnd = nullptr);
    // Modal: makes, shows and runs the dialog until EndDialog; returns its code (-1 when the
    // dialog could not be made). The window is gone afterwards; the object stays.
    virtual INT_PTR DoModal();
    // Ends a modal dialog with nResult (hides a modeless one).
    void EndDialog(int nResult);

    virtual BOOL OnInitDialog();
    virtual void OnOK();
    virtual void OnCancel();

    void NextDlgCtrl() const;
    void PrevDlgCtrl() const;
    // Gives the control the focus; an edit's text is selected.
    void GotoDlgCtrl(CWnd* pWndCtrl);
    void SetDefID(UINT nID);
    // MAKELONG(id, DC_HASDEFID), or 0 without a default button.
    DWORD GetDefID() const;
    // Dialog units to pixels by this dialog's font.
    void MapDialogRect(LPRECT lpRect) const;
    // The template id the dialog was made from.
    UINT GetTemplateID() const { return m_nIDTemplate; }

    BOOL PreTranslateMessage(MSG* pMsg) override;

    CWnd* m_pParentWnd = nullptr;
    UINT m_nIDHelp = 0;

protected:
    LRESULT HandleInitDialog(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

    UINT m_nIDTemplate = 0;

private:
    BOOL CreateFromTemplate(const DLGTEMPLATE_TABLE* pTemplate, CWnd* pParentWnd, bool modal);

    std::unique_ptr<CFont> m_pFont;
    CSize m_baseUnits{6, 13};
    bool m_bModal = false;
};

// The framework's dialog with a background colour.
class PLATFORM_API CDialogEx : public CDialog
{
    DECLARE_DYNAMIC(CDialogEx)
public:
    CDialogEx() = default;
    explicit CDialogEx(UINT nIDTemplate, CWnd* pParentWnd = nullptr) : CDialog(nIDTemplate, pParentWnd) {}

    // The dialog's background (and its static texts' background) from now on.
    void SetBackgroundColor(COLORREF color, BOOL bRepaint = TRUE);

protected:
    HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
    DECLARE_MESSAGE_MAP()

    CBrush m_brBkgr;
};
