#include "acoustic/app/panes/TransitFixPane.h"

#include "acoustic/app/AcousticResources.h"
#include "acoustic/engine/TransitFix.h"
#include "features/GridValueCheck.h"
#include "foundation/WindowMessages.h"
#include "outside/notifex/Notifex.h"
#include "outside/panes/PropertyGridInteger.h"
#include "outside/panes/PropertyGridItems.h"
#include "outside/panes/PropertyGridSelectFile.h"
#include "outside/panes/units/MetricProperty.h"

#include <QDockWidget>

#include <cmath>

IMPLEMENT_DYNAMIC(CTransitFixPane, CDockablePane)

BEGIN_MESSAGE_MAP(CTransitFixPane, CPropertyGridPane)
ON_REGISTERED_MESSAGE(AFX_WM_PROPERTY_CHANGED, &CTransitFixPane::OnPropertyChanged)
ON_WM_SHOWWINDOW()
END_MESSAGE_MAP()

namespace
{
const char kFilter[] = "Transit Fix Files(*.tfx)|*.tfx||";
constexpr double kDegreesPerRadian = 57.2957795131;
// Each fix point and each leg is a title row, then its easting and its northing.
constexpr int kRowsPerPoint = 3;
// The first lines of a damaged file say what is wrong; a file damaged throughout is not listed
// whole.
constexpr INT_PTR kShownProblems = 10;
// The rows the pane keeps room for, with the description area below them.
constexpr int kShownRows = 18;

// The name of bearing `index`, as the legs are named for that many legs.
const char* LegName(int index, int legs)
{
    static const char* const kFour[CTransitFix::kMaxLegs] = {" A to B", "D to C", "A to D", "B to C"};
    static const char* const kThree[CTransitFix::kMaxLegs] = {" A to B", "B to C", "A to C", ""};
    return (legs == 3 ? kThree : kFour)[index];
}

CMFCPropertyGridProperty* Title(const char* format, int number)
{
    CString text;
    text.Format(format, number);
    auto* title = new CMFCPropertyGridTitleProperty(text);
    title->AllowEdit(FALSE);
    return title;
}

CMFCPropertyGridMetricProperty* Coordinate(const char* name, double metres, const char* description, DWORD_PTR data)
{
    return new CMFCPropertyGridMetricProperty(name, metres, METRIC_COORDINATE, 0, description, data);
}

void SetMetres(CMFCPropertyGridProperty* item, double metres)
{
    if (auto* metric = dynamic_cast<CMFCPropertyGridMetricProperty*>(item))
        metric->SetMetres(metres);
}

CMFCPropertyGridProperty* Expanded(CMFCPropertyGridProperty* group)
{
    group->Expand(TRUE);
    return group;
}
} // namespace

BOOL CTransitFixPane::Create(CWnd* pFrame, CTransitFix* pTransitFix)
{
    m_pTransitFix = pTransitFix;
    if (!CMyDockablePane::Create(pFrame, IDS_ACOUSTIC_TRANSIT_FIX, "Transit Fix"))
        return FALSE;
    InitPropList();
    // Docked among the other panes, the pane keeps room for the file, the leg count and the
    // first legs' end points.
    if (QDockWidget* dock = GetDockWidget())
        dock->setMinimumHeight(kShownRows * m_wndPropList.GetRowHeight());
    AdjustLayout();
    return TRUE;
}

void CTransitFixPane::InitPropList()
{
    if (m_wndPropList.GetSafeHwnd() == nullptr)
        return;
    SetPropListFont();
    m_wndPropList.RemoveAll();
    m_pFixes = m_pLegs = m_pBearings = nullptr;
    m_wndPropList.EnableHeaderCtrl(FALSE, "Property", "Value");
    m_wndPropList.EnableDescriptionArea(TRUE);
    m_wndPropList.SetVSDotNetLook(TRUE);
    SetColourScheme(&m_wndPropList, 0);
    m_wndPropList.MarkModifiedProperties(TRUE);
    if (m_pTransitFix == nullptr)
        return;
    const CTransitFix& fix = *m_pTransitFix;

    auto* file = new CMFCPropertyGridProperty("Transit Fix");
    auto* chooser = new CMFCPropertyGridSelectFileProperty("Name", fix.m_FileName, CTransitFix::GetFolder(), kFilter,
                                                           "Select Transit Fix File", DATA_FILE);
    file->AddSubItem(chooser);
    auto* legs = new CMFCPropertyGridInteger("Number of Legs", fix.m_NumberOfLegs, "Select the Number of Legs",
                                             DATA_LEGS);
    legs->EnableSpinControl(TRUE, 3, 4);
    legs->AllowEdit(FALSE);
    file->AddSubItem(legs);
    m_wndPropList.AddProperty(Expanded(file));

    m_pFixes = new CMFCPropertyGridProperty("Fixes");
    for (int k = 1; k <= CTransitFix::kMaxPoints; ++k)
    {
        const tagXY& point = fix.m_Points[k - 1];
        m_pFixes->AddSubItem(Title("Fix %d", k));
        m_pFixes->AddSubItem(Coordinate("Easting", point.x, "Enter Easting", static_cast<DWORD_PTR>(2 * k + 1)));
        m_pFixes->AddSubItem(Coordinate("Northing", point.y, "Enter Northing", static_cast<DWORD_PTR>(2 * k + 2)));
    }
    m_wndPropList.AddProperty(Expanded(m_pFixes));

    m_pLegs = new CMFCPropertyGridProperty("Legs");
    for (int i = 0; i < CTransitFix::kMaxLegs; ++i)
    {
        m_pLegs->AddSubItem(Title("Leg %c", 'A' + i));
        for (auto* item : {Coordinate("Easting", fix.m_Intersections[i].x, nullptr, 0),
                           Coordinate("Northing", fix.m_Intersections[i].y, nullptr, 0)})
        {
            item->AllowEdit(FALSE);
            m_pLegs->AddSubItem(item);
        }
    }
    m_wndPropList.AddProperty(Expanded(m_pLegs));

    m_pBearings = new CMFCPropertyGridProperty("Bearings");
    for (int i = 0; i < CTransitFix::kMaxLegs; ++i)
    {
        auto* bearing = new CMFCPropertyGridDouble(LegName(i, fix.m_NumberOfLegs),
                                                   fix.m_Bearings[i] * kDegreesPerRadian, "%6.2lf");
        bearing->AllowEdit(FALSE);
        m_pBearings->AddSubItem(bearing);
    }
    m_wndPropList.AddProperty(Expanded(m_pBearings));

    ShowLegItems();
}

void CTransitFixPane::ShowLegItems()
{
    if (m_pTransitFix == nullptr || m_pFixes == nullptr)
        return;
    const int legs = m_pTransitFix->m_NumberOfLegs;
    const BOOL four = legs == 4 ? TRUE : FALSE;
    // Fix points 7 and 8 and leg D are the last rows of their groups.
    for (int i = 2 * kRowsPerPoint; i > 0; --i)
        m_pFixes->GetSubItem(m_pFixes->GetSubItemsCount() - i)->Show(four, FALSE);
    for (int i = kRowsPerPoint; i > 0; --i)
        m_pLegs->GetSubItem(m_pLegs->GetSubItemsCount() - i)->Show(four, FALSE);
    // The names of the bearings follow the leg count: a count changed since the grid was built
    // would otherwise leave three-leg names on a four-leg fix.
    for (int i = 0; i < CTransitFix::kMaxLegs; ++i)
        m_pBearings->GetSubItem(i)->SetName(LegName(i, legs), FALSE);
    m_pBearings->GetSubItem(CTransitFix::kMaxLegs - 1)->Show(four, FALSE);
    m_wndPropList.AdjustLayout();
}

void CTransitFixPane::ShowPoints()
{
    if (m_pTransitFix == nullptr || m_pFixes == nullptr)
        return;
    for (int k = 0; k < CTransitFix::kMaxPoints; ++k)
    {
        SetMetres(m_pFixes->GetSubItem(kRowsPerPoint * k + 1), m_pTransitFix->m_Points[k].x);
        SetMetres(m_pFixes->GetSubItem(kRowsPerPoint * k + 2), m_pTransitFix->m_Points[k].y);
    }
}

void CTransitFixPane::ShowResults()
{
    if (m_pTransitFix == nullptr || m_pLegs == nullptr)
        return;
    const CTransitFix& fix = *m_pTransitFix;
    for (int i = 0; i < fix.m_NumberOfLegs && i < CTransitFix::kMaxLegs; ++i)
    {
        SetMetres(m_pLegs->GetSubItem(kRowsPerPoint * i + 1), fix.m_Intersections[i].x);
        SetMetres(m_pLegs->GetSubItem(kRowsPerPoint * i + 2), fix.m_Intersections[i].y);
        if (auto* bearing = dynamic_cast<CMFCPropertyGridDouble*>(m_pBearings->GetSubItem(i)))
            bearing->SetValue(fix.m_Bearings[i] * kDegreesPerRadian);
    }
}

void CTransitFixPane::Recompute()
{
    if (m_pTransitFix == nullptr)
        return;
    CTransitFix& fix = *m_pTransitFix;
    // A failing save is told once, not at every edit, until a save succeeds again.
    const bool saved = fix.Save();
    if (!saved && !m_bSaveFailureTold)
    {
        CString message;
        message.Format("Transit fix file %s could not be written.\nThe change is kept here and saved with the next one.",
                       CTransitFix::GetPathName(fix.m_FileName).GetString());
        ErrorMessage(message);
    }
    m_bSaveFailureTold = !saved;
    // A file the save has just made is one the chooser offers from now on.
    if (auto* chooser = dynamic_cast<CMFCPropertyGridSelectFileProperty*>(m_wndPropList.FindItemByData(DATA_FILE)))
    {
        chooser->Refresh();
        chooser->TextToVar(fix.m_FileName);
        chooser->Redraw();
    }
    ComputeAndShow();
}

void CTransitFixPane::ComputeAndShow()
{
    m_pTransitFix->Compute();
    ShowResults();
    PostCentre();
}

bool CTransitFixPane::TakeChosenFile(const CString& title)
{
    if (title.IsEmpty())
        return false;
    // Read apart from the fix in use, which stays whole until the file proves whole too.
    CTransitFix chosen;
    const bool opened = chosen.Load(title);
    CStringArray problems;
    chosen.GetLoadProblems(problems);
    if (opened && problems.IsEmpty())
    {
        *m_pTransitFix = chosen;
        return true;
    }
    CString message;
    message.Format("Transit fix file %s could not be read", CTransitFix::GetPathName(title).GetString());
    if (!opened)
        message += "\nIt could not be opened.";
    for (INT_PTR i = 0; i < problems.GetSize() && i < kShownProblems; ++i)
        message += "\n" + problems[i];
    if (problems.GetSize() > kShownProblems)
    {
        CString more;
        more.Format("\n... and %d more.", static_cast<int>(problems.GetSize() - kShownProblems));
        message += more;
    }
    ErrorMessage(message);
    return false;
}

LRESULT CTransitFixPane::OnPropertyChanged(WPARAM, LPARAM lParam)
{
    auto* item = reinterpret_cast<CMFCPropertyGridProperty*>(lParam);
    if (item == nullptr || m_pTransitFix == nullptr)
        return 0;
    CTransitFix& fix = *m_pTransitFix;
    const int data = static_cast<int>(item->GetData());
    if (data == DATA_FILE)
    {
        auto* chooser = dynamic_cast<CMFCPropertyGridSelectFileProperty*>(item);
        if (chooser == nullptr || !TakeChosenFile(chooser->GetFileTitle()))
        {
            item->SetValue(COleVariant(fix.m_FileName));
            return 0;
        }
        if (auto* legs = dynamic_cast<CMFCPropertyGridInteger*>(m_wndPropList.FindItemByData(DATA_LEGS)))
            legs->SetInteger(fix.m_NumberOfLegs);
        ShowPoints();
        ShowLegItems();
        // The file holds what the fix now holds: it is left as the user made it (lines past the
        // points, numbers with more decimals), and only the settings name it.
        fix.SaveSettings();
        ComputeAndShow();
        return 0;
    }
    else if (data == DATA_LEGS)
    {
        const int legs = static_cast<int>(item->GetValue().lVal);
        if (legs != 3 && legs != 4)
            return 0;
        fix.m_NumberOfLegs = legs;
        fix.m_NumberOfPoints = 2 * legs;
        ShowLegItems();
    }
    else if (data >= DATA_FIRST_POINT && data <= DATA_LAST_POINT)
    {
        const int offset = data - DATA_FIRST_POINT;
        tagXY& point = fix.m_Points[offset / 2];
        double& coordinate = offset % 2 == 0 ? point.x : point.y;
        const double value = item->GetValue().dblVal;
        // Beyond any grid the points file could not be read back: the file would be lost to
        // the next start.
        if (!(std::fabs(value) <= CGridValueCheck::MAX_GRID_VALUE))
        {
            SetMetres(item, coordinate);
            CString message;
            message.Format("%.6g m lies beyond any survey grid.\nThe value has not been changed.", value);
            ErrorMessage(message);
            return 0;
        }
        coordinate = value;
    }
    else
        return 0;
    Recompute();
    return 0;
}

void CTransitFixPane::PostCentre()
{
    if (m_pTransitFix == nullptr || m_pOwner == nullptr || m_pOwner->GetSafeHwnd() == nullptr)
        return;
    // An uncomputed fix has no centre: its zeros would move the plan view to the grid's origin.
    WPARAM position = 0;
    if (m_pTransitFix->m_Computed)
    {
        m_Position = m_pTransitFix->m_Centre;
        position = reinterpret_cast<WPARAM>(&m_Position);
    }
    m_pOwner->PostMessage(UM_REDRAW_VECTOR_DISPLAY, position, 0);
}

void CTransitFixPane::OnShowWindow(BOOL bShow, UINT nStatus)
{
    CPropertyGridPane::OnShowWindow(bShow, nStatus);
    if (bShow)
        PostCentre();
}

void CTransitFixPane::AdjustLayout()
{
    CWnd* main = AfxGetMainCWnd();
    if (main != nullptr && main->GetSafeHwnd() != nullptr && main->IsIconic())
        return;
    CPropertyGridPane::AdjustLayout();
}
