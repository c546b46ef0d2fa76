#include "chart/frame/GridFrame.h"

#include "chart/frame/ButtonBoxThread.h"
#include "chart/frame/GridFrameMonitors.h"
#include "chart/view/GridView.h"
#include "foundation/ConfigFile.h"
#include "outside/alpha/DataView.h"
#include "platform/ui/Cursor.h"

IMPLEMENT_DYNCREATE(CGridFrame, CFrameWnd)

BEGIN_MESSAGE_MAP(CGridFrame, CFrameWnd)
ON_WM_CREATE()
ON_WM_SIZE()
ON_WM_ACTIVATE()
ON_COMMAND(ID_GRID_ZOOM_IN, &CGridFrame::OnZoomIn)
ON_COMMAND(ID_GRID_ZOOM_OUT, &CGridFrame::OnZoomOut)
ON_COMMAND(ID_GRID_PAN_LEFT, &CGridFrame::OnPanLeft)
ON_COMMAND(ID_GRID_PAN_RIGHT, &CGridFrame::OnPanRight)
ON_COMMAND(ID_GRID_PAN_UP, &CGridFrame::OnPanUp)
ON_COMMAND(ID_GRID_PAN_DOWN, &CGridFrame::OnPanDown)
ON_COMMAND(ID_GRID_CENTRE_SCREEN, &CGridFrame::OnCentreScreen)
ON_WM_CLOSE()
END_MESSAGE_MAP()

namespace
{
// The window a step less wide and high, as the frame is placed before it fills its monitor.
void ShrinkByOnePixel(CWnd* wnd)
{
    CRect window;
    wnd->GetWindowRect(window);
    window.right -= 1;
    window.bottom -= 1;
    wnd->MoveWindow(window, TRUE);
}
} // namespace

CGridFrame::~CGridFrame()
{
    if (m_pButtonBoxThread)
    {
        // The thread never deletes itself: it is told to stop, joined, then deleted here.
        m_pButtonBoxThread->Stop();
        m_pButtonBoxThread->ResumeThread();
        WaitForSingleObject(m_pButtonBoxThread->m_hThread, INFINITE);
        delete m_pButtonBoxThread;
        m_pButtonBoxThread = nullptr;
    }
    // The view deletes itself with its window, which goes with the frame's; one whose window
    // still stands is destroyed here, and so deleted.
    if (m_hViewWnd && ::IsWindow(m_hViewWnd) && m_pView)
        m_pView->DestroyWindow();
    m_pView = nullptr;
    SaveBoxes();
    for (INT_PTR i = 0; i < m_DataViews.GetSize(); ++i)
        delete m_DataViews[i];
    m_DataViews.RemoveAll();
    delete m_pRemoteDisplay;
    m_pRemoteDisplay = nullptr;
}

BOOL CGridFrame::Create(CWnd* owner)
{
    m_pOwner = owner;
    if (!m_BackgroundBrush.GetSafeHandle())
        m_BackgroundBrush.CreateSolidBrush(0x000000);
    LPCTSTR windowClass =
        AfxRegisterWndClass(CS_DBLCLKS, LoadCursor(nullptr, IDC_ARROW), static_cast<HBRUSH>(m_BackgroundBrush));
    const BOOL created =
        CFrameWnd::Create(windowClass, "Navigation Window", WS_OVERLAPPEDWINDOW, CRect(0, 0, 0, 0), nullptr, nullptr);
    if (created)
    {
        ToBottom();
        MoveToMonitor(this, MonitorOfWindow(this), 1);
        ShrinkByOnePixel(this);
        FillMonitor(this);
        ShowWindow(SW_SHOWMAXIMIZED);
    }
    return created;
}

int CGridFrame::OnCreate(LPCREATESTRUCT createStruct)
{
    if (CFrameWnd::OnCreate(createStruct) == -1)
        return -1;
    m_pRemoteDisplay = new CDataView;
    m_pRemoteDisplay->Create(this);
    m_pRemoteDisplay->SetBoxType(BOX_CURSOR_POSITION);
    m_pRemoteDisplay->ClearDisplay();

    m_pView = new CGridView;
    if (m_pView->Create(this, m_pRemoteDisplay))
    {
        m_hViewWnd = m_pView->GetSafeHwnd();
        m_pView->ReadSettings("Remote Display");
        m_pView->ShowWindow(SW_SHOW);
    }
    else
    {
        delete m_pView;
        m_pView = nullptr;
    }

    CreateBoxes();

    // The thread's messages go where buttons become commands: the host's window.
    auto* thread = static_cast<CButtonBoxThread*>(AfxBeginThread(RUNTIME_CLASS(CButtonBoxThread),
                                                                 THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED));
    if (thread)
    {
        thread->m_pOwner = m_pOwner ? m_pOwner : AfxGetMainCWnd();
        m_pButtonBoxThread = thread;
        thread->ResumeThread();
    }
    return 0;
}

void CGridFrame::CreateBoxes()
{
    CConfigFile file;
    const bool stored = file.OpenForRead("Remote Data View");
    const int count = GetSystemMetrics(SM_CXSCREEN) / kScreenPerBox;
    for (int i = 0; i < count; ++i)
    {
        const int type = stored ? file.ReadInt(0) : i + 1;
        auto* box = new CDataView;
        if (!box->Create(this))
        {
            delete box;
            continue;
        }
        box->SetSettings(120, 0, true);
        box->SetBoxType(type);
        box->ShowWindow(SW_SHOW);
        m_DataViews.Add(box);
    }
    if (stored)
        file.Close();
}

void CGridFrame::SaveBoxes()
{
    CConfigFile::WriteSettingsFile("Remote Data View", [this](CConfigFile& file) {
        for (INT_PTR i = 0; i < m_DataViews.GetSize(); ++i)
            file.WriteInt(m_DataViews[i]->GetBoxLabel(), m_DataViews[i]->GetBoxType());
    });
}

void CGridFrame::OnSize(UINT type, int cx, int cy)
{
    CFrameWnd::OnSize(type, cx, cy);
    CRect client;
    GetClientRect(client);
    const int boxes = static_cast<int>(m_DataViews.GetSize());
    const int top = boxes > 0 ? kBoxHeight : 0;
    if (boxes > 0)
    {
        const int width = client.Width() / boxes;
        for (int i = 0; i < boxes; ++i)
            m_DataViews[i]->MoveWindow(i * width, 0, width, kBoxHeight);
    }
    if (m_pView && m_pView->GetSafeHwnd())
        m_pView->MoveWindow(0, top, client.Width(), client.Height() - top);
}

void CGridFrame::ToBottom()
{
    SetWindowPos(&wndBottom, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void CGridFrame::OnActivate(UINT state, CWnd* other, BOOL minimized)
{
    ToBottom();
    CFrameWnd::OnActivate(state, other, minimized);
}

void CGridFrame::OnClose()
{
    ShowWindow(SW_HIDE);
}

void CGridFrame::SetCaption(int on)
{
    if (on == 1)
        ModifyStyle(0, WS_CAPTION | WS_THICKFRAME, SWP_FRAMECHANGED);
    else
        ModifyStyle(WS_CAPTION | WS_THICKFRAME, 0, SWP_FRAMECHANGED);
}

bool CGridFrame::IsCaption() const
{
    return (GetStyle() & WS_CAPTION) == WS_CAPTION;
}

void CGridFrame::AdjustScreen(int monitor)
{
    MoveToMonitor(this, MonitorOfWindow(this), monitor);
    ShrinkByOnePixel(this);
    FillMonitor(this);
}

void CGridFrame::Update()
{
    if (CGridView* view = ReadyView())
        view->Invalidate();
}

CGridView* CGridFrame::ReadyView() const
{
    return m_pView && m_pView->GetSafeHwnd() ? m_pView : nullptr;
}

void CGridFrame::PressButton(int id)
{
    switch (id)
    {
    case ID_GRID_ZOOM_IN: OnZoomIn(); break;
    case ID_GRID_ZOOM_OUT: OnZoomOut(); break;
    case ID_GRID_PAN_LEFT: OnPanLeft(); break;
    case ID_GRID_PAN_RIGHT: OnPanRight(); break;
    case ID_GRID_PAN_UP: OnPanUp(); break;
    case ID_GRID_PAN_DOWN: OnPanDown(); break;
    case ID_GRID_CENTRE_SCREEN: OnCentreScreen(); break;
    default: break;
    }
}

namespace
{
template <typename F> void ActOnView(CGridView* view, F action)
{
    if (!view)
        return;
    action(view);
    view->Invalidate();
}
} // namespace

void CGridFrame::OnZoomIn()
{
    ActOnView(ReadyView(), [](CGridView* v) { v->ZoomIn(); });
}

void CGridFrame::OnZoomOut()
{
    ActOnView(ReadyView(), [](CGridView* v) { v->ZoomOut(); });
}

void CGridFrame::OnPanLeft()
{
    ActOnView(ReadyView(), [](CGridView* v) { v->PanScreen(PAN_LEFT); });
}

void CGridFrame::OnPanRight()
{
    ActOnView(ReadyView(), [](CGridView* v) { v->PanScreen(PAN_RIGHT); });
}

void CGridFrame::OnPanUp()
{
    ActOnView(ReadyView(), [](CGridView* v) { v->PanScreen(PAN_UP); });
}

void CGridFrame::OnPanDown()
{
    ActOnView(ReadyView(), [](CGridView* v) { v->PanScreen(PAN_DOWN); });
}

void CGridFrame::OnCentreScreen()
{
    ActOnView(ReadyView(), [](CGridView* v) { v->CentreScreen(); });
}

void CGridFrame::UpdateGridPosition(const char* text, double easting, double northing)
{
    ForEachBox([&](CDataView* box) { box->UpdateGridPosition(text, easting, northing); });
}

void CGridFrame::UpdateGridPosition(double easting, double northing)
{
    ForEachBox([&](CDataView* box) { box->UpdateGridPosition(easting, northing); });
}

void CGridFrame::UpdateGeogPosition(const char* text, double latitude, double longitude)
{
    ForEachBox([&](CDataView* box) { box->UpdateGeogPosition(text, latitude, longitude); });
}

void CGridFrame::UpdateGeogPosition(double latitude, double longitude)
{
    ForEachBox([&](CDataView* box) { box->UpdateGeogPosition(latitude, longitude); });
}

void CGridFrame::UpdateGyro(double heading)
{
    ForEachBox([&](CDataView* box) { box->UpdateGyro(heading); });
}

void CGridFrame::UpdateGyro(double heading, double pitch, double roll)
{
    ForEachBox([&](CDataView* box) { box->UpdateGyro(heading, pitch, roll); });
}

void CGridFrame::UpdateMru(double roll, double pitch, double heave, double rollRate, double pitchRate,
                           double heaveRate, double heading)
{
    ForEachBox([&](CDataView* box) {
        box->UpdateMru(roll, pitch, heave, rollRate, pitchRate, heaveRate, heading);
    });
}

void CGridFrame::UpdateSpeedMetresPerSecond(double forward, double lateral)
{
    ForEachBox([&](CDataView* box) { box->UpdateSpeedMetresPerSecond(forward, lateral); });
}

void CGridFrame::UpdateDepth(double depth)
{
    ForEachBox([&](CDataView* box) { box->UpdateDepth(depth); });
}

void CGridFrame::UpdateRangeAndBearing(const char* text, double range, double bearing, double offline)
{
    ForEachBox([&](CDataView* box) { box->UpdateRangeAndBearing(text, range, bearing, offline); });
}

void CGridFrame::GridTimeout(bool timeout)
{
    ForEachBox([&](CDataView* box) { box->GridTimeout(timeout); });
}

void CGridFrame::GeogTimeout(bool timeout)
{
    ForEachBox([&](CDataView* box) { box->GeogTimeout(timeout); });
}

void CGridFrame::GyroTimeout(bool timeout)
{
    ForEachBox([&](CDataView* box) { box->GyroTimeout(timeout); });
}

void CGridFrame::MruTimeout(bool timeout)
{
    ForEachBox([&](CDataView* box) { box->MruTimeout(timeout); });
}

void CGridFrame::DepthTimeout(bool timeout)
{
    ForEachBox([&](CDataView* box) { box->DepthTimeout(timeout); });
}
