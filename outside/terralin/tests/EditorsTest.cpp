// The spheroid, projection and datum editors answered as a user would: the choice saved in
// its settings files and UM_GEODETIC_UPDATE posted to the main window; a choice that cannot be
// set up refused with a message and nothing saved.
#include "foundation/ConfigFile.h"
#include "foundation/WindowMessages.h"
#include "geodesy/Datum.h"
#include "geodesy/GlobalFolder.h"
#include "geodesy/Projection.h"
#include "geodesy/Spheroid.h"
#include "platform/core/File.h"
#include "platform/core/Path.h"
#include "platform/core/WinApp.h"
#include "outside/terralin/DatumEditor.h"
#include "outside/terralin/ProjectionEditor.h"
#include "outside/terralin/SpheroidEditor.h"
#include "outside/terralin/TerralinResources.h"
#include "outside/terralin/tests/PaneTestSupport.h"
#include "platform/ui/ComboBox.h"
#include "platform/ui/ModalHook.h"
#include "testsupport/TempDrives.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

#include <string>

namespace
{
class CMainWindow : public COwnerWindow
{
public:
    int updates = 0;
    LRESULT OnGeodeticUpdate(WPARAM, LPARAM)
    {
        ++updates;
        return 0;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CMainWindow, COwnerWindow)
ON_REGISTERED_MESSAGE(UM_GEODETIC_UPDATE, &CMainWindow::OnGeodeticUpdate)
END_MESSAGE_MAP()

// Chooses the item of a dialog's list whose text starts with `text`, as the user's click does.
bool Choose(CDialog* dlg, int id, const char* text)
{
    auto* list = dynamic_cast<CComboBox*>(CWnd::FromHandle(dlg->GetDlgItem(id)->GetSafeHwnd()));
    if (list == nullptr)
        return false;
    for (int i = 0; i < list->GetCount(); ++i)
    {
        CString item;
        list->GetLBText(i, item);
        if (item.Find(text) == 0)
        {
            list->SetCurSel(i);
            dlg->SendMessage(WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE),
                             reinterpret_cast<LPARAM>(list->GetSafeHwnd()));
            return true;
        }
    }
    return false;
}

// The settings file's text, as written.
std::string SettingsText(const char* name)
{
    CConfigFile file;
    QFile f(LinuxPathFromWindows(file.GetSettingsFileName(name)));
    if (!f.open(QIODevice::ReadOnly))
        return std::string();
    return f.readAll().toStdString();
}

struct EditorFixture : ::testing::Test
{
    CWinApp app{"Geodetic"};
    CMainWindow main;

    void SetUp() override
    {
        ASSERT_TRUE(main.Make());
        app.m_pMainWnd = &main;
    }
    void TearDown() override { app.m_pMainWnd = nullptr; }
};
} // namespace

TEST_F(EditorFixture, SpheroidChosenIsSavedWithItsType)
{
    ModalHook::AnswerDialog(IDD_SPHEROID_EDITOR, [](CDialog* dlg) {
        auto* list = dynamic_cast<CComboBox*>(
            CWnd::FromHandle(dlg->GetDlgItem(IDC_TERRALIN_LIST)->GetSafeHwnd()));
        // A qualifier stored with its brackets is not bracketed again; others are.
        EXPECT_GE(list->FindStringExact(-1, "International Spheroid (Hayford 1910)"), 0);
        EXPECT_GE(list->FindStringExact(-1, "Airy 1830 (OSGB)"), 0);
        EXPECT_TRUE(Choose(dlg, IDC_TERRALIN_LIST, "Airy 1830"));
        CString details;
        dlg->GetDlgItemText(IDC_TERRALIN_DETAILS_1, details);
        EXPECT_STREQ(details, "Semi-major axis: 6377563.3964 m");
        dlg->SendMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED));
        return IDOK;
    });
    CSpheroidEditor editor;
    EXPECT_EQ(editor.DoModal(), IDOK);
    ProcessEvents();
    EXPECT_EQ(main.updates, 1);
    CSpheroid saved;
    EXPECT_TRUE(saved.LoadSettings());
    EXPECT_STREQ(saved.m_Name, "Airy 1830");
    EXPECT_STREQ(saved.m_Country, "OSGB");
    EXPECT_EQ(CSpheroidEditor::GetSavedType(), 0);

    // Cancel saves nothing and tells no one.
    ModalHook::AnswerDialog(IDD_SPHEROID_EDITOR, [](CDialog* dlg) {
        EXPECT_TRUE(Choose(dlg, IDC_TERRALIN_LIST, "GRS80"));
        return IDCANCEL;
    });
    CSpheroidEditor again;
    EXPECT_EQ(again.DoModal(), IDCANCEL);
    ProcessEvents();
    EXPECT_EQ(main.updates, 1);
    EXPECT_EQ(CSpheroidEditor::GetSavedType(), 0);
}

TEST_F(EditorFixture, SpheroidTypesAboveTheTableAreUserFiles)
{
    CString folder;
    ASSERT_TRUE(GetGlobalDataFolder(folder));
    // A user spheroid file: name, country, then a, b and 1/f.
    std::string bytes = "Local\r\nSite\r\n";
    const double axes[3] = {6378000.0, 6356000.0, 298.0};
    bytes.append(reinterpret_cast<const char*>(axes), sizeof(axes));
    CFile file;
    ASSERT_TRUE(file.Open(folder + "Local.SPD", CFile::modeCreate | CFile::modeWrite));
    file.Write(bytes.data(), static_cast<UINT>(bytes.size()));
    file.Close();

    ModalHook::AnswerDialog(IDD_SPHEROID_EDITOR, [](CDialog* dlg) {
        EXPECT_TRUE(Choose(dlg, IDC_TERRALIN_LIST, "Local (Site)"));
        dlg->SendMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED));
        return IDOK;
    });
    CSpheroidEditor editor;
    EXPECT_EQ(editor.DoModal(), IDOK);
    EXPECT_EQ(editor.GetType(), 53);
    CSpheroid s;
    EXPECT_TRUE(CSpheroidEditor::SelectType(s, CSpheroidEditor::GetSavedType()));
    EXPECT_EQ(s.m_SemiMajor, 6378000.0);
    EXPECT_FALSE(CSpheroidEditor::SelectType(s, 54)); // no second file: WGS84
    EXPECT_STREQ(s.m_Name, "WGS84");
}

TEST_F(EditorFixture, ProjectionChosenIsSavedWithTheGridsSpheroid)
{
    ModalHook::AnswerDialog(IDD_PROJECTION_EDITOR, [](CDialog* dlg) {
        EXPECT_TRUE(Choose(dlg, IDC_TERRALIN_LIST, "Transverse Mercator (National Grids)"));
        EXPECT_TRUE(Choose(dlg, IDC_TERRALIN_ENTRY, "Ordnance Survey National Grid"));
        dlg->SendMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED));
        return IDOK;
    });
    CProjectionEditor editor;
    EXPECT_EQ(editor.DoModal(), IDOK);
    ProcessEvents();
    EXPECT_EQ(main.updates, 1);
    CSpheroid spheroid;
    CProjection projection;
    projection.SetSpheroid(&spheroid);
    EXPECT_TRUE(projection.LoadSettings());
    EXPECT_STREQ(projection.m_Name, "Ordnance Survey");
    EXPECT_EQ(projection.m_DataType, 1);
    EXPECT_STREQ(spheroid.m_Name, "Airy 1830");
    EXPECT_EQ(projection.m_FalseEasting, 400000.0);

    // UTM in the southern hemisphere.
    ModalHook::AnswerDialog(IDD_PROJECTION_EDITOR, [](CDialog* dlg) {
        EXPECT_TRUE(Choose(dlg, IDC_TERRALIN_LIST, "Universal Transverse Mercator"));
        EXPECT_TRUE(Choose(dlg, IDC_TERRALIN_ENTRY, "Grid Zone 55"));
        dlg->CheckDlgButton(IDC_TERRALIN_OPTION, BST_CHECKED);
        dlg->SendMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED));
        return IDOK;
    });
    CProjectionEditor utm;
    EXPECT_EQ(utm.DoModal(), IDOK);
    EXPECT_TRUE(projection.LoadSettings());
    EXPECT_EQ(projection.m_DataType, 0);
    EXPECT_EQ(projection.m_Zone, 55);
    EXPECT_EQ(projection.m_Method, 1);
    EXPECT_EQ(projection.m_FalseNorthing, 10000000.0);
}

TEST_F(EditorFixture, DatumChosenIsSavedWithItsFourKeys)
{
    ModalHook::AnswerDialog(IDD_DATUM_EDITOR, [](CDialog* dlg) {
        EXPECT_TRUE(Choose(dlg, IDC_TERRALIN_LIST, "Helmert Transformation"));
        EXPECT_TRUE(Choose(dlg, IDC_TERRALIN_ENTRY, "WGS 84 to Nahrwan (Middle East)"));
        dlg->CheckDlgButton(IDC_TERRALIN_OPTION, BST_CHECKED);
        dlg->SendMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED));
        return IDOK;
    });
    CDatumEditor editor;
    EXPECT_EQ(editor.DoModal(), IDOK);
    ProcessEvents();
    EXPECT_EQ(main.updates, 1);
    EXPECT_EQ(SettingsText("Datum"), "Type = 1\r\nDirection = -1\r\nNumber = 8\r\nFile Name = \r\n");
    int method, index, direction;
    CDatumEditor::LoadChoice(method, index, direction);
    EXPECT_EQ(method, 1);
    EXPECT_EQ(index, 8);
    EXPECT_EQ(direction, -1);
}

TEST_F(EditorFixture, UnreadableUserFileIsRefusedAndNothingSaved)
{
    CString folder;
    ASSERT_TRUE(GetGlobalDataFolder(folder));
    CFile file;
    ASSERT_TRUE(file.Open(folder + "Cut.GSF", CFile::modeCreate | CFile::modeWrite));
    file.Write("A\r\nB\r\n", 6);
    file.Close();
    ModalHook::AnswerMessageBox(IDOK);
    ModalHook::AnswerDialog(IDD_DATUM_EDITOR, [](CDialog* dlg) {
        EXPECT_TRUE(Choose(dlg, IDC_TERRALIN_LIST, "User Shift File"));
        EXPECT_TRUE(Choose(dlg, IDC_TERRALIN_ENTRY, "Cut: (cannot be read)"));
        dlg->SendMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED));
        return IDCANCEL; // the dialog stayed open after the message
    });
    CDatumEditor editor;
    EXPECT_EQ(editor.DoModal(), IDCANCEL);
    ProcessEvents();
    EXPECT_EQ(main.updates, 0);
    EXPECT_EQ(SettingsText("Datum"), "");
    bool told = false;
    for (const MODAL_RECORD& shown : ModalHook::Shown())
        told = told || (shown.kind == MODAL_RECORD::MessageBox &&
                        shown.text == "This transformation cannot be set up.");
    EXPECT_TRUE(told);
}
