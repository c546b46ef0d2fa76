#include "outside/terralin/TerralinPane.h"

#include "outside/terralin/GeodesyProperties.h"

IMPLEMENT_DYNAMIC(CTerralinPane, CDockablePane)

BEGIN_MESSAGE_MAP(CTerralinPane, CDockablePane)
ON_WM_SIZE()
ON_REGISTERED_MESSAGE(AFX_WM_PROPERTY_CHANGED, &CTerralinPane::OnPropertyChanged)
END_MESSAGE_MAP()

namespace
{
constexpr UINT kGridId = 1;
// The grey scheme by day; the grid's night flag turns it into the dark one.
constexpr int kColourScheme = 1;
} // namespace

CTerralinPane::CTerralinPane() = default;
CTerralinPane::~CTerralinPane() = default;

BOOL CTerralinPane::CreatePane(CWnd* pParent, int nID, const char* caption)
{
    m_pOwner = pParent;
    if (!CDockablePane::Create(caption, pParent, CRect(0, 0, 260, 360), TRUE, static_cast<UINT>(nID),
                               WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | CBRS_RIGHT |
                                   CBRS_FLOAT_MULTI))
        return FALSE;
    if (!m_wndPropList.Create(WS_VISIBLE | WS_CHILD, CRect(0, 0, 260, 360), this, kGridId))
        return FALSE;
    m_wndPropList.SetOwner(this);
    m_wndPropList.EnableHeaderCtrl(FALSE);
    m_wndPropList.EnableDescriptionArea();
    m_wndPropList.SetVSDotNetLook();
    InitPropList();
    SetDaylightMode();
    return TRUE;
}

CString CTerralinPane::GetShownText(DWORD_PTR id) const
{
    const CMFCPropertyGridProperty* prop = FindItem(id);
    return prop ? m_wndPropList.GetShownValue(prop) : CString();
}

LRESULT CTerralinPane::OnPropertyChanged(WPARAM, LPARAM lParam)
{
    if (auto* prop = reinterpret_cast<CMFCPropertyGridProperty*>(lParam))
        OnItemChanged(prop);
    return 0;
}

void CTerralinPane::OnSize(UINT nType, int cx, int cy)
{
    CDockablePane::OnSize(nType, cx, cy);
    if (m_wndPropList.GetSafeHwnd() != nullptr)
        m_wndPropList.MoveWindow(0, 0, cx, cy);
}

void CTerralinPane::SetDaylightMode()
{
    SetNightMode(false);
}

void CTerralinPane::SetNightMode(bool bNight)
{
    m_wndPropList.SetNightMode(bNight);
    m_wndPropList.SetColourScheme(kColourScheme);
}

double CTerralinPane::Number(DWORD_PTR id) const
{
    auto* p = Item<CNumberValueProperty>(id);
    return p ? p->GetNumber() : DBL_MAX;
}

double CTerralinPane::Angle(DWORD_PTR id) const
{
    auto* p = Item<CAngleValueProperty>(id);
    return p ? p->GetAngle() : DBL_MAX;
}
