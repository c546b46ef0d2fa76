// The main frame's network adjustment: the network file chosen and opened, the adjustment
// computed, and the station message through which the panes tell of a changed station or
// observation. Each brings the network panes and the plan view up to date.
#include "acoustic/app/AcousticView.h"
#include "acoustic/app/MainFrame.h"
#include "acoustic/engine/NetworkFile.h"
#include "foundation/ConfigFile.h"
#include "foundation/XYArray.h"
#include "outside/notifex/Notifex.h"
#include "platform/core/Path.h"
#include "platform/ui/CmdUI.h"
#include "platform/ui/FileDialog.h"

#include <QFileInfo>

namespace
{
const char kNetworkSettings[] = "Network Adjust";

// Whether two Windows paths name one folder, whichever drive letter reaches it.
bool SameFolder(const CString& a, const CString& b)
{
    const QFileInfo first(LinuxPathFromWindows(a));
    const QFileInfo second(LinuxPathFromWindows(b));
    return first.exists() && second.exists() && first.canonicalFilePath() == second.canonicalFilePath();
}
} // namespace

void CMainFrame::SetNightMode(bool bNight)
{
    m_wndObservationsPane.SetNightMode(bNight);
    m_wndNetworkObservationsPane.SetNightMode(bNight);
}

void CMainFrame::ShowNetworkInPanes(bool stations, bool grid)
{
    if (stations && m_wndNetworkStationPane.GetSafeHwnd() != nullptr)
    {
        m_wndNetworkStationPane.GetList().Fill();
        m_wndNetworkStationPane.InitPropList();
        // The figures of an adjustment show above the list only while the network is adjusted.
        m_wndNetworkStationPane.AdjustLayout();
    }
    if (grid && m_wndNetworkObservationsPane.GetSafeHwnd() != nullptr)
        m_wndNetworkObservationsPane.InitPropList();
    if (m_wndObservationsPane.GetSafeHwnd() != nullptr)
        m_wndObservationsPane.GetList().Fill();
}

bool CMainFrame::CentreViewOutside(CAcousticView& view, double e, double n)
{
    const CCalibrationPlot& plot = view.GetPlot();
    if (e >= plot.plotMinE && e <= plot.plotMaxE && n >= plot.plotMinN && n <= plot.plotMaxN)
        return false;
    view.GetPlot().SetCentre(e, n);
    return true;
}

void CMainFrame::ShowPaneForWork(CDockablePane& pane)
{
    if (pane.GetSafeHwnd() == nullptr)
        return;
    const bool shown = pane.IsVisible() && (pane.GetStyle() & WS_VISIBLE);
    if (!shown || (pane.IsAutoHideMode() && !pane.IsWindowVisible()))
        pane.ShowPane(TRUE, FALSE, TRUE);
}

void CMainFrame::OnNetworkSelectFile()
{
    CString folder;
    GetNetworkFolder(folder);
    CString defaultName;
    defaultName.Format("%s%s.%s", folder.GetString(), m_Network.m_FileName.GetString(),
                       NETWORK_FILE_EXTENSION);
    CFileDialog dialog(TRUE, NETWORK_FILE_EXTENSION, defaultName,
                       OFN_HIDEREADONLY | OFN_NOCHANGEDIR | OFN_EXPLORER, "Network File (*.net)|*.net||",
                       this);
    if (dialog.DoModal() != IDOK)
        return;

    // Network files are read by name from their one folder: a file chosen anywhere else would
    // quietly open the folder's file of that name, or none, in its place.
    if (folder.IsEmpty() || !SameFolder(dialog.GetFolderPath(), folder))
    {
        CString text;
        text.Format("Network file %s was not opened.\nNetwork files are read from the folder %s",
                    dialog.GetPathName().GetString(),
                    folder.IsEmpty()
                        ? "\"Calibration\\Network Adjustment\" of the data folder, which could not be found"
                        : folder.GetString());
        ErrorMessage(text, this, 0x300010);
        return;
    }

    const CString title = dialog.GetFileTitle();
    CConfigFile::WriteSettingsFile(kNetworkSettings,
                                   [&title](CConfigFile& file) { file.WriteText("File Name", title); });
    LoadNetwork();
    if (m_bNetworkLoadFailed)
    {
        m_bNetworkProblemTold = true;
        ErrorMessage(m_strNetworkLoadProblem, this, 0x300010);
    }
    SetMode(2);
    ShowNetworkInPanes(true, true);
    if (CAcousticView* view = GetAcousticView())
    {
        double e = 0.0;
        double n = 0.0;
        m_Network.GetCentre(e, n);
        CentreViewOutside(*view, e, n);
        view->Invalidate(TRUE);
    }
}

void CMainFrame::OnNetworkCompute()
{
    m_Network.Adjust();
    ShowNetworkInPanes(true, false);
    ShowPaneForWork(m_wndNetworkStationPane);
    // The view draws the stations where the adjustment put them.
    if (CAcousticView* view = GetAcousticView())
        view->Invalidate(TRUE);
}

void CMainFrame::OnUpdateNetworkCompute(CCmdUI* pCmdUI)
{
    pCmdUI->SetCheck(m_Network.m_Result != 0);
}

LRESULT CMainFrame::OnUpdateStation(WPARAM wParam, LPARAM)
{
    ShowNetworkInPanes(false, true);
    CAcousticView* view = GetAcousticView();
    if (view == nullptr)
        return 0;
    if (const auto* at = reinterpret_cast<const tagXY*>(wParam))
        CentreViewOutside(*view, at->x, at->y);
    view->Redraw();
    return 0;
}
