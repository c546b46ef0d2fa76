// The panes and editors inside a frame that handles the two messages as the Geodetic program
// does: the settings pane's UM_SETTINGS_UPDATE reaches the four geodesy panes, which show the
// new notations; an editor's UM_GEODETIC_UPDATE makes the frame reload the working projection
// and datum, and the panes show them.
#include "foundation/AngleFormat.h"
#include "foundation/WindowMessages.h"
#include "geodesy/Datum.h"
#include "geodesy/Projection.h"
#include "geodesy/Spheroid.h"
#include "platform/core/WinApp.h"
#include "outside/panes/settings/SettingsPane.h"
#include "outside/terralin/DatumEditor.h"
#include "outside/terralin/DatumShiftPane.h"
#include "outside/terralin/GridToGeogPane.h"
#include "outside/terralin/ProjectionEditor.h"
#include "outside/terralin/RangeAndBearingPane.h"
#include "outside/terralin/TerralinResources.h"
#include "outside/terralin/TraversePane.h"
#include "outside/terralin/tests/PaneTestSupport.h"
#include "platform/ui/ComboBox.h"
#include "platform/ui/ModalHook.h"

#include <gtest/gtest.h>

#include <memory>

namespace
{
class CFrameLike : public COwnerWindow
{
public:
    CSpheroid spheroid;
    CProjection projection;
    CSpheroid datumSpheroid;
    CProjection datumProjection;
    std::unique_ptr<CDatum> datum = std::make_unique<CDatum>();

    CGridToGeogPane gridToGeog;
    CDatumShiftPane datumShift;
    CRangeAndBearingPane range;
    CTraversePane traverse;
    CSettingsPane settings;

    bool Start()
    {
        projection.SetSpheroid(&spheroid);
        datumProjection.SetSpheroid(&datumSpheroid);
        datum->SetToSide(&datumSpheroid, &datumProjection);
        datum->SetDatum(CDatum::METHOD_HELMERT, 2, 1);
        return Make() && gridToGeog.Create(this, 32786, &projection) &&
               datumShift.Create(this, 32787, datum.get(), false, true) &&
               range.Create(this, 32788, &projection) && traverse.Create(this, 32789, &projection) &&
               settings.Create(this, 32798, 141);
    }

    LRESULT OnSettingsUpdate(WPARAM wParam, LPARAM)
    {
        switch (wParam)
        {
        case 1:
            gridToGeog.UpdateAngles();
            datumShift.UpdateAngles();
            range.UpdateAngles();
            traverse.UpdateAngles();
            break;
        case 8:
            gridToGeog.UpdateGeographicals();
            datumShift.UpdateGeographicals();
            range.UpdateGeographicals();
            traverse.UpdateGeographicals();
            break;
        case 128:
            gridToGeog.UpdateGrid();
            datumShift.UpdateGrid();
            range.UpdateGrid();
            traverse.UpdateGrid();
            break;
        default:
            break;
        }
        return 0;
    }

    LRESULT OnGeodeticUpdate(WPARAM, LPARAM)
    {
        projection.LoadSettings();
        datum->LoadSettings();
        gridToGeog.RefreshProjection();
        range.RefreshProjection();
        traverse.RefreshProjection();
        datumShift.RefreshDatum();
        return 0;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CFrameLike, COwnerWindow)
ON_REGISTERED_MESSAGE(UM_SETTINGS_UPDATE, &CFrameLike::OnSettingsUpdate)
ON_REGISTERED_MESSAGE(UM_GEODETIC_UPDATE, &CFrameLike::OnGeodeticUpdate)
END_MESSAGE_MAP()

bool ChooseInDialog(CDialog* dlg, int id, const char* text)
{
    auto* list = dynamic_cast<CComboBox*>(CWnd::FromHandle(dlg->GetDlgItem(id)->GetSafeHwnd()));
    for (int i = 0; list != nullptr && i < list->GetCount(); ++i)
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
} // namespace

TEST(FrameMessagesTest, SettingsPaneChangesReachTheFourPanes)
{
    CFrameLike frame;
    ASSERT_TRUE(frame.Start());
    ASSERT_TRUE(Type(frame.gridToGeog, CGridToGeogPane::ITEM_LATITUDE, "52 30 N"));
    ASSERT_TRUE(Type(frame.datumShift, CDatumShiftPane::ITEM_LATITUDE, "52 30 N"));
    ASSERT_TRUE(Type(frame.range, CRangeAndBearingPane::ITEM_LATITUDE, "52 30 N"));
    ASSERT_TRUE(Type(frame.traverse, CTraversePane::ITEM_START_LATITUDE, "52 30 N"));

    CMFCPropertyGridProperty* format = frame.settings.FindItem(CSettingsPane::ITEM_GEOG_FORMAT);
    ASSERT_TRUE(frame.settings.GetPropertyGrid().EditProperty(format, "Decimal Degrees"));
    ProcessEvents();
    const CString expected = FormatAngle(52.5 * kDegree, ANGLE_LATITUDE, ANGLE_FORMAT_DEGREES, 7);
    EXPECT_STREQ(frame.gridToGeog.GetShownText(CGridToGeogPane::ITEM_LATITUDE), expected);
    EXPECT_STREQ(frame.datumShift.GetShownText(CDatumShiftPane::ITEM_LATITUDE), expected);
    EXPECT_STREQ(frame.range.GetShownText(CRangeAndBearingPane::ITEM_LATITUDE), expected);
    EXPECT_STREQ(frame.traverse.GetShownText(CTraversePane::ITEM_START_LATITUDE), expected);

    ASSERT_TRUE(Type(frame.traverse, CTraversePane::LegItem(0, CTraversePane::LEG_BEARING), "45 30"));
    CMFCPropertyGridProperty* angles = frame.settings.FindItem(CSettingsPane::ITEM_ANGLE_FORMAT);
    ASSERT_TRUE(frame.settings.GetPropertyGrid().EditProperty(angles, "Gradians"));
    ProcessEvents();
    EXPECT_STREQ(frame.traverse.GetShownText(CTraversePane::LegItem(0, CTraversePane::LEG_BEARING)),
                 FormatAngle(45.5 * kDegree, ANGLE_FULL_CIRCLE, ANGLE_FORMAT_GRADIANS, 7));
}

TEST(FrameMessagesTest, EditorChoicesAreTakenUpByThePanes)
{
    CWinApp app("Geodetic");
    CFrameLike frame;
    ASSERT_TRUE(frame.Start());
    app.m_pMainWnd = &frame;
    ASSERT_TRUE(Type(frame.gridToGeog, CGridToGeogPane::ITEM_EASTING, "400000"));
    ASSERT_TRUE(Type(frame.gridToGeog, CGridToGeogPane::ITEM_NORTHING, "-100000"));

    ModalHook::AnswerDialog(IDD_PROJECTION_EDITOR, [](CDialog* dlg) {
        EXPECT_TRUE(ChooseInDialog(dlg, IDC_TERRALIN_LIST, "Transverse Mercator (National Grids)"));
        EXPECT_TRUE(ChooseInDialog(dlg, IDC_TERRALIN_ENTRY, "Ordnance Survey National Grid"));
        dlg->SendMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED));
        return IDOK;
    });
    CProjectionEditor projectionEditor(&frame);
    ASSERT_EQ(projectionEditor.DoModal(), IDOK);
    ProcessEvents();
    EXPECT_STREQ(frame.projection.m_Name, "Ordnance Survey");
    EXPECT_STREQ(frame.gridToGeog.GetShownText(CGridToGeogPane::ITEM_PROJECTION), "Ordnance Survey");
    // The grid's true origin: 49 N, 2 W.
    EXPECT_NEAR(frame.gridToGeog.GetLatitude(), 49.0 * kDegree, 1e-8);
    EXPECT_NEAR(frame.gridToGeog.GetLongitude(), -2.0 * kDegree, 1e-8);

    ModalHook::AnswerDialog(IDD_DATUM_EDITOR, [](CDialog* dlg) {
        EXPECT_TRUE(ChooseInDialog(dlg, IDC_TERRALIN_LIST, "Helmert Transformation"));
        EXPECT_TRUE(ChooseInDialog(dlg, IDC_TERRALIN_ENTRY, "WGS 84 to Minna (Nigeria)"));
        dlg->SendMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED));
        return IDOK;
    });
    CDatumEditor datumEditor(&frame);
    ASSERT_EQ(datumEditor.DoModal(), IDOK);
    ProcessEvents();
    EXPECT_STREQ(frame.datumShift.GetShownText(CDatumShiftPane::ITEM_TO_NAME), "Minna");
    app.m_pMainWnd = nullptr;
}
