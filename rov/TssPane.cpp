#include "rov/TssPane.h"

#include "outside/panes/PropertyGridDualDisplay.h"
#include "outside/panes/PropertyGridScrollbar.h"
#include "platform/ui/Resources.h"
#include "rov/RovLibrary.h"
#include "survey/records/TssPipeTracker.h"

#include <algorithm>

namespace
{
enum GROUP
{
    GROUP_SENSOR = 0,
    GROUP_SIGNAL = 1
};

const char kMetres[] = "m.";
const char kValueFormat[] = "%6.2lf";

// The signal of coil `index` (from 0): the record holds TSS_COILS of them, any coil beyond
// shows 0.
int Signal(const CTssPipeTracker& tracker, int index)
{
    return index < TSS_COILS ? static_cast<int>(tracker.m_Signal[index]) : 0;
}

CMFCPropertyGridScrollbar* NewBar(const CTssPipeTracker& tracker, int index, bool night)
{
    CString name;
    name.Format("%d", index + 1);
    auto* bar = new CMFCPropertyGridScrollbar(name, Signal(tracker, index), tracker.m_SignalMaximum, night);
    bar->AllowEdit(FALSE);
    return bar;
}
} // namespace

int CTssPane::Create(CWnd* pOwner, int nID, CTssPipeTracker* pTracker)
{
    CString title;
    AfxLoadString(IDS_ROV_TSS_PANE, title);
    const BOOL created = CMyDockablePane::Create(pOwner, nID, title);
    if (created)
    {
        m_pTracker = pTracker;
        InitPropList();
        AdjustLayout();
    }
    return created;
}

int CTssPane::CoilCount() const
{
    if (m_pTracker == nullptr)
        return 0;
    return std::clamp(static_cast<int>(m_pTracker->m_CoilCount), 0, MAX_BARS);
}

void CTssPane::InitPropList()
{
    if (m_wndPropList.GetSafeHwnd() == nullptr)
        return;
    ClearPropList();
    SetVSDotNetLook(TRUE);
    CTssPipeTracker blank;
    const CTssPipeTracker& t = m_pTracker != nullptr ? *m_pTracker : blank;

    auto* sensor = new CMFCPropertyGridProperty("Sensor");
    sensor->AddSubItem(new CMFCPropertyGridDualDisplay("Coils", t.m_CoilHeight, kValueFormat, kMetres, "Altitude",
                                                       t.m_Altitude, kValueFormat, kMetres));
    sensor->AddSubItem(new CMFCPropertyGridDualDisplay("Burial", t.m_Burial, kValueFormat, kMetres, "X Offset",
                                                       t.m_LateralOffset, kValueFormat, kMetres));
    sensor->AddSubItem(new CMFCPropertyGridDualDisplay("Quality", t.m_Quality, "%d", ""));
    m_wndPropList.AddProperty(sensor, TRUE, TRUE);

    auto* signal = new CMFCPropertyGridProperty("Signal Strength");
    const bool night = GetNightMode();
    const int coils = CoilCount();
    for (int i = 0; i < coils; ++i)
        signal->AddSubItem(NewBar(t, i, night));
    m_wndPropList.AddProperty(signal, TRUE, TRUE);
    m_wndPropList.ExpandAll();
}

CMFCPropertyGridProperty* CTssPane::Group(int index) const
{
    if (m_wndPropList.GetSafeHwnd() == nullptr || m_wndPropList.GetPropertyCount() <= index)
        return nullptr;
    return m_wndPropList.GetProperty(index);
}

int CTssPane::GetBarCount() const
{
    CMFCPropertyGridProperty* signal = Group(GROUP_SIGNAL);
    return signal != nullptr ? signal->GetSubItemsCount() : 0;
}

CMFCPropertyGridScrollbar* CTssPane::GetBar(int index) const
{
    CMFCPropertyGridProperty* signal = Group(GROUP_SIGNAL);
    if (signal == nullptr || index < 0 || index >= signal->GetSubItemsCount())
        return nullptr;
    return dynamic_cast<CMFCPropertyGridScrollbar*>(signal->GetSubItem(index));
}

void CTssPane::Update()
{
    CMFCPropertyGridProperty* sensor = Group(GROUP_SENSOR);
    CMFCPropertyGridProperty* signal = Group(GROUP_SIGNAL);
    if (m_pTracker == nullptr || sensor == nullptr || signal == nullptr)
        return;
    const CTssPipeTracker& t = *m_pTracker;
    if (auto* row = dynamic_cast<CMFCPropertyGridDualDisplay*>(sensor->GetSubItem(0)))
        row->SetValue(t.m_CoilHeight, t.m_Altitude);
    if (auto* row = dynamic_cast<CMFCPropertyGridDualDisplay*>(sensor->GetSubItem(1)))
        row->SetValue(t.m_Burial, t.m_LateralOffset);
    if (auto* row = dynamic_cast<CMFCPropertyGridDualDisplay*>(sensor->GetSubItem(2)))
        row->SetValue(static_cast<double>(t.m_Quality));

    const bool night = GetNightMode();
    const int coils = CoilCount();
    if (coils != signal->GetSubItemsCount())
    {
        while (signal->GetSubItemsCount() < coils)
            signal->AddSubItem(NewBar(t, signal->GetSubItemsCount(), night));
        while (signal->GetSubItemsCount() > coils)
        {
            CMFCPropertyGridProperty* last = signal->GetSubItem(signal->GetSubItemsCount() - 1);
            signal->RemoveSubItem(last);
        }
        m_wndPropList.ExpandAll();
        m_wndPropList.AdjustLayout();
    }
    for (int i = 0; i < signal->GetSubItemsCount(); ++i)
    {
        auto* bar = dynamic_cast<CMFCPropertyGridScrollbar*>(signal->GetSubItem(i));
        if (bar == nullptr)
            continue;
        bar->SetMaximum(t.m_SignalMaximum);
        bar->SetNightMode(night);
        bar->SetValue(Signal(t, i));
    }
}

// Out of line, so that the library exports them with the class.
CTssPane::CTssPane() = default;
CTssPane::~CTssPane() = default;
