// CPropertySheet and CPropertyPage: a dialog of pages behind tabs. The sheet is a dialog
// whose pages are child dialogs made from their own templates; the tabs are the platform's
// tab control (CMFCTabCtrl), so they look and answer clicks as every other tab strip does.
// Below the pages the sheet has the four standard buttons OK (IDOK), Cancel (IDCANCEL),
// Apply (ID_APPLY_NOW) and Help (IDHELP), real child windows that a sheet may destroy.
//
// A page is told OnSetActive when it becomes the shown one and OnKillActive when it is left
// (FALSE keeps it shown). OK and Cancel end a modal sheet through the pages' OnOK/OnCancel.
#pragma once

#include "platform/core/Array.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/TabCtrl.h"

#include <memory>

#define ID_APPLY_NOW 0x3021
// The control id of the sheet's tab control.
#define AFX_IDC_TAB_CONTROL 0x3020

class CPropertySheet;

class PLATFORM_API CPropertyPage : public CDialog
{
    DECLARE_DYNAMIC(CPropertyPage)
public:
    CPropertyPage() = default;
    // The template must be a child dialog (WS_CHILD); its caption is the tab's label unless
    // nIDCaption names a string resource.
    explicit CPropertyPage(UINT nIDTemplate, UINT nIDCaption = 0);

    // The tab's label.
    CString GetCaption() const;
    void SetCaption(const char* caption) { m_strCaption = caption ? caption : ""; }
    // The sheet the page was added to (null before).
    CPropertySheet* GetSheet() const { return m_pSheet; }

    virtual BOOL OnSetActive();
    virtual BOOL OnKillActive();
    void OnOK() override;
    void OnCancel() override;

private:
    friend class CPropertySheet;
    CString m_strCaption;
    CPropertySheet* m_pSheet = nullptr;
};

class PLATFORM_API CPropertySheet : public CDialog
{
    DECLARE_DYNAMIC(CPropertySheet)
public:
    CPropertySheet() = default;
    explicit CPropertySheet(const char* pszCaption, CWnd* pParentWnd = nullptr, UINT iSelectPage = 0);
    ~CPropertySheet() override;

    // Pages are shown in the order added; the sheet does not own them.
    void AddPage(CPropertyPage* pPage);
    int GetPageCount() const { return static_cast<int>(m_Pages.GetSize()); }
    CPropertyPage* GetPage(int nPage) const;
    int GetPageIndex(const CPropertyPage* pPage) const;
    // The shown page's index (the page chosen to start on before the sheet exists).
    int GetActiveIndex() const;
    CPropertyPage* GetActivePage() const;
    // Leaves the shown page (when it agrees) for page nPage. FALSE for a bad index or a refusal.
    BOOL SetActivePage(int nPage);
    BOOL SetActivePage(CPropertyPage* pPage) { return SetActivePage(GetPageIndex(pPage)); }
    CString GetTitle() const { return m_strCaption; }
    CMFCTabCtrl* GetTabControl() { return &m_Tabs; }

    // Runs the sheet modally (through the modal hook in tests); IDOK or IDCANCEL.
    INT_PTR DoModal() override;

    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;

    // The template every sheet is made from.
    static constexpr UINT kTemplateID = 0x7F80;

protected:
    LRESULT OnChangeActiveTab(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

    CString m_strCaption;

private:
    // Sizes the shared template for this sheet's pages.
    void PrepareTemplate();

    CArray<CPropertyPage*, CPropertyPage*> m_Pages;
    CMFCTabCtrl m_Tabs;
    int m_nStartPage = 0;
    int m_nShownPage = -1;
    bool m_bSwitching = false;
};
