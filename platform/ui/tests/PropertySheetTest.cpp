// Property sheets: pages behind the platform's tabs, page activation in both directions, the
// standard buttons as windows a sheet may remove, and the sheet's modal loop.
#include "platform/ui/ModalHook.h"
#include "platform/ui/PropertySheet.h"
#include "platform/ui/WinAppEx.h"
#include "testsupport/UserInput.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{
constexpr UINT IDD_TEST_PAGE_A = 9291;
constexpr UINT IDD_TEST_PAGE_B = 9292;
constexpr UINT IDD_TEST_PAGE_C = 9293;
constexpr int IDC_PAGE_TEXT = 2101;

const DLGITEM_TABLE kPageItems[] = {{DLGI_LTEXT, IDC_PAGE_TEXT, "Page text", 7, 7, 100, 8}};
const DLGTEMPLATE_TABLE kPageA = {IDD_TEST_PAGE_A, "First", "MS Shell Dlg", 8, 0, 0, 180, 90,
                                  WS_CHILD | DS_SETFONT, 0, kPageItems, AFX_DLGITEM_COUNT(kPageItems)};
const DLGTEMPLATE_TABLE kPageB = {IDD_TEST_PAGE_B, "Second", "MS Shell Dlg", 8, 0, 0, 240, 120,
                                  WS_CHILD | DS_SETFONT, 0, kPageItems, AFX_DLGITEM_COUNT(kPageItems)};
const DLGTEMPLATE_TABLE kPageC = {IDD_TEST_PAGE_C, "Third", "MS Shell Dlg", 8, 0, 0, 100, 60,
                                  WS_CHILD | DS_SETFONT, 0, kPageItems, AFX_DLGITEM_COUNT(kPageItems)};
const CDialogTemplateRegistrar registerA(&kPageA);
const CDialogTemplateRegistrar registerB(&kPageB);
const CDialogTemplateRegistrar registerC(&kPageC);

// A page that logs what it is told and can refuse to be left.
class CLoggingPage : public CPropertyPage
{
public:
    CLoggingPage(UINT id, std::vector<std::string>& log, const char* name) : CPropertyPage(id), m_log(log), m_name(name)
    {
    }
    BOOL OnSetActive() override
    {
        m_log.push_back(m_name + "+");
        return CPropertyPage::OnSetActive();
    }
    BOOL OnKillActive() override
    {
        m_log.push_back(m_name + "-");
        return m_bMayLeave;
    }
    bool m_bMayLeave = true;

private:
    std::vector<std::string>& m_log;
    std::string m_name;
};

struct SheetFixture : ::testing::Test
{
    std::vector<std::string> log;
    CLoggingPage a{IDD_TEST_PAGE_A, log, "A"};
    CLoggingPage b{IDD_TEST_PAGE_B, log, "B"};
    CLoggingPage c{IDD_TEST_PAGE_C, log, "C"};
    CPropertySheet sheet{"Test Sheet"};

    void SetUp() override
    {
        sheet.AddPage(&a);
        sheet.AddPage(&b);
        sheet.AddPage(&c);
    }

    // Clicks the tab of a page, in the middle of its rectangle, as a person would.
    void ClickTab(int index)
    {
        CRect tab;
        ASSERT_TRUE(sheet.GetTabControl()->GetTabRect(index, tab));
        UserInput::ClickClient(sheet.GetTabControl(), tab.CenterPoint().x, tab.CenterPoint().y);
    }
};
} // namespace

TEST_F(SheetFixture, TabsCarryCaptionsAndClicksMovePagesWithTheirNotices)
{
    ModalHook::AnswerDialogOf<CPropertySheet>([&](CPropertySheet* s) -> INT_PTR {
        EXPECT_EQ(s->GetPageCount(), 3);
        CMFCTabCtrl* tabs = s->GetTabControl();
        EXPECT_EQ(tabs->GetTabsNum(), 3);
        const char* captions[] = {"First", "Second", "Third"};
        for (int i = 0; i < 3; ++i)
        {
            CString label;
            EXPECT_TRUE(tabs->GetTabLabel(i, label));
            EXPECT_STREQ(label, captions[i]);
        }
        EXPECT_EQ(s->GetActiveIndex(), 0);
        EXPECT_TRUE(a.IsWindowVisible());
        EXPECT_FALSE(b.IsWindowVisible());
        ClickTab(2);
        EXPECT_EQ(s->GetActiveIndex(), 2);
        EXPECT_TRUE(c.IsWindowVisible());
        EXPECT_FALSE(a.IsWindowVisible());
        // A page that refuses to be left keeps the sheet on it.
        c.m_bMayLeave = false;
        ClickTab(1);
        EXPECT_EQ(s->GetActiveIndex(), 2);
        EXPECT_EQ(tabs->GetActiveTab(), 2);
        c.m_bMayLeave = true;
        EXPECT_TRUE(s->SetActivePage(&b));
        EXPECT_EQ(s->GetActiveIndex(), 1);
        EXPECT_FALSE(s->SetActivePage(3));
        EXPECT_FALSE(s->SetActivePage(-1));
        EXPECT_EQ(s->GetActiveIndex(), 1);
        return IDCANCEL;
    });
    EXPECT_EQ(sheet.DoModal(), IDCANCEL);
    EXPECT_EQ(log, (std::vector<std::string>{"A+", "A-", "C+", "C-", "C-", "B+"}));
}

TEST_F(SheetFixture, StandardButtonsAreWindowsTheSheetMayDestroyAndPagesFitInside)
{
    ModalHook::AnswerDialogOf<CPropertySheet>([&](CPropertySheet* s) -> INT_PTR {
        EXPECT_STREQ(s->GetTitle(), "Test Sheet");
        CString caption;
        s->GetWindowText(caption);
        EXPECT_STREQ(caption, "Test Sheet");
        CRect client;
        s->GetClientRect(&client);
        for (int id : {IDOK, IDCANCEL, ID_APPLY_NOW, IDHELP})
        {
            CWnd* button = s->GetDlgItem(id);
            EXPECT_NE(button, nullptr) << id;
            if (!button)
                continue;
            CRect r;
            button->GetWindowRect(&r);
            s->ScreenToClient(&r);
            EXPECT_GE(r.left, 0) << id;
            EXPECT_LE(r.bottom, client.bottom) << id;
        }
        // The largest page's template decides the room: every page lies inside the sheet.
        for (CPropertyPage* page : {&a, &b, &c})
        {
            s->SetActivePage(page);
            CRect r;
            page->GetWindowRect(&r);
            s->ScreenToClient(&r);
            EXPECT_TRUE(client.PtInRect(r.TopLeft()) && r.right <= client.right && r.bottom <= client.bottom);
        }
        s->GetDlgItem(ID_APPLY_NOW)->DestroyWindow();
        s->GetDlgItem(IDHELP)->DestroyWindow();
        EXPECT_EQ(s->GetDlgItem(ID_APPLY_NOW), nullptr);
        EXPECT_EQ(s->GetDlgItem(IDHELP), nullptr);
        EXPECT_TRUE(s->GetStyle() & WS_SYSMENU);
        s->ModifyStyle(WS_SYSMENU, 0);
        EXPECT_FALSE(s->GetStyle() & WS_SYSMENU);
        return IDCANCEL;
    });
    EXPECT_EQ(sheet.DoModal(), IDCANCEL);
}

TEST_F(SheetFixture, ChosenStartPageAndAClickOnOkEndTheRealLoop)
{
    EXPECT_TRUE(sheet.SetActivePage(1));
    EXPECT_EQ(sheet.GetActiveIndex(), 1);
    ModalHook::AnswerDialogOf<CPropertySheet>([&](CPropertySheet* s) -> INT_PTR {
        EXPECT_EQ(s->GetActiveIndex(), 1);
        EXPECT_TRUE(b.IsWindowVisible());
        CWnd* ok = s->GetDlgItem(IDOK);
        CRect r;
        ok->GetClientRect(&r);
        UserInput::ClickClient(ok, r.CenterPoint().x, r.CenterPoint().y);
        return MODALHOOK_RUN_LOOP;
    });
    EXPECT_EQ(sheet.DoModal(), IDOK);
    // The page that was shown was asked whether it may be left before the sheet ended.
    EXPECT_EQ(log.back(), "B-");
    EXPECT_EQ(ModalHook::PendingAnswers(), 0u);
}

TEST(ShellManager, IsAcceptedBesideTheVisualManagers)
{
    auto* shell = new CShellManager;
    CMFCVisualManager::SetDefaultManager(RUNTIME_CLASS(CMFCVisualManagerWindows));
    EXPECT_EQ(CMFCVisualManager::GetDefaultManager(), RUNTIME_CLASS(CMFCVisualManagerWindows));
    delete shell;
}
