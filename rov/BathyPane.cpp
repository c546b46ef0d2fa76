#include "rov/BathyPane.h"

#include "outside/panes/PropertyGridItems.h"
#include "platform/ui/Resources.h"
#include "rov/RovLibrary.h"
#include "survey/records/BathyUnit.h"

namespace
{
enum ROW
{
    ROW_ALTITUDE = 0,
    ROW_DEPTH = 1
};

CMFCPropertyGridDouble* NewValueRow(const char* name)
{
    auto* item = new CMFCPropertyGridDouble(name, 0.0, CBathyPane::VALUE_FORMAT, nullptr, 0);
    item->AllowEdit(FALSE);
    item->SetLock(true);
    return item;
}

// A value the unit does not vouch for is left out altogether: an empty row reads as "no
// measurement", where the last number would read as the ROV's present depth.
void ShowValue(CMFCPropertyGridDouble* item, bool valid, double value)
{
    if (item == nullptr)
        return;
    item->SetFormat(valid ? CBathyPane::VALUE_FORMAT : "");
    if (valid)
        item->SetValue(value);
}
} // namespace

int CBathyPane::Create(CWnd* pOwner, int nID, CBathyUnit* pUnit)
{
    CString title;
    AfxLoadString(IDS_ROV_BATHY_PANE, title);
    const BOOL created = CMyDockablePane::Create(pOwner, nID, title);
    if (created)
    {
        m_pUnit = pUnit;
        InitPropList();
        AdjustLayout();
    }
    return created;
}

void CBathyPane::InitPropList()
{
    if (m_wndPropList.GetSafeHwnd() == nullptr)
        return;
    ClearPropList();
    auto* group = new CMFCPropertyGridProperty("Bathy");
    group->AddSubItem(NewValueRow("Altitude"));
    group->AddSubItem(NewValueRow("Depth"));
    m_wndPropList.AddProperty(group, TRUE, TRUE);
    Update();
}

CMFCPropertyGridDouble* CBathyPane::Item(int index) const
{
    if (m_wndPropList.GetSafeHwnd() == nullptr || m_wndPropList.GetPropertyCount() < 1)
        return nullptr;
    CMFCPropertyGridProperty* group = m_wndPropList.GetProperty(0);
    if (group == nullptr || group->GetSubItemsCount() <= index)
        return nullptr;
    return dynamic_cast<CMFCPropertyGridDouble*>(group->GetSubItem(index));
}

CMFCPropertyGridDouble* CBathyPane::GetAltitudeItem() const
{
    return Item(ROW_ALTITUDE);
}

CMFCPropertyGridDouble* CBathyPane::GetDepthItem() const
{
    return Item(ROW_DEPTH);
}

void CBathyPane::Update()
{
    if (m_wndPropList.GetSafeHwnd() == nullptr)
        return;
    const bool altitudeValid = m_pUnit != nullptr && m_pUnit->m_AltitudeValid;
    const bool depthValid = m_pUnit != nullptr && m_pUnit->m_DepthValid;
    ShowValue(GetAltitudeItem(), altitudeValid, altitudeValid ? m_pUnit->m_Altitude : 0.0);
    ShowValue(GetDepthItem(), depthValid, depthValid ? m_pUnit->m_Depth : 0.0);
}

// Out of line, so that the library exports them with the class.
CBathyPane::CBathyPane() = default;
CBathyPane::~CBathyPane() = default;
