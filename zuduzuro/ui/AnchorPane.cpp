#include "zuduzuro/ui/AnchorPane.h"

#include "zuduzuro/ui/AnchorStatusProperty.h"
#include "zuduzuro/ui/CableWeightProperty.h"

#include "zuduzuro/Anchor.h"
#include "zuduzuro/CableWeight.h"

#include "foundation/WindowMessages.h"
#include "outside/notifex/Notifex.h"
#include "outside/panes/PropertyGridItems.h"
#include "outside/panes/units/AngleDouble.h"
#include "outside/panes/units/MetricProperty.h"

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <functional>

IMPLEMENT_DYNAMIC(CAnchorPane, CDockablePane)

BEGIN_MESSAGE_MAP(CAnchorPane, CPropertyPane)
ON_REGISTERED_MESSAGE(AFX_WM_PROPERTY_CHANGED, &CAnchorPane::OnPropertyChanged)
END_MESSAGE_MAP()

namespace
{
constexpr double kLongest = 10000.0;    // m; a section or tug height of this or more is refused
constexpr double kLongestPennant = 100000.0; // m; what the anchor file reloads
const char* const kPennantModes[] = {"Normal Recovery", "Hanging on Pennant", "Recovered to Deck"};
const char kMulti[] = "Multi Type Cable ";
const char kMultiDescription[] = "Use cable made of two types of meterial";

enum GROUP
{
    GROUP_ANCHOR = 0,
    GROUP_GROUND = 1,
    GROUP_CABLE = 2,
    GROUP_BUOYS = 3,
    GROUP_PICKUP = 4
};

CMFCPropertyGridMetricProperty* Metric(const char* name, double value, int kind, const char* description,
                                       DWORD_PTR id)
{
    return new CMFCPropertyGridMetricProperty(name, value, kind, 0, description, id);
}

int BuoyId(int k, int offset)
{
    return offset + 5 * k;
}

double MetricValue(const CMFCPropertyGridProperty* prop)
{
    return prop->GetValue().dblVal;
}

bool BoolValue(const CMFCPropertyGridProperty* prop)
{
    return prop->GetValue().boolVal != 0;
}

CString ValueText(const CMFCPropertyGridProperty* prop)
{
    COleVariant value = prop->GetValue();
    value.ChangeType(VT_BSTR);
    return CString(value.bstrVal);
}

void Show(CMFCPropertyGridProperty* prop, bool show)
{
    if (prop != nullptr)
        prop->Show(show ? TRUE : FALSE, FALSE);
}

int ConsecutiveBuoys(const CAnchor& anchor)
{
    int n = 0;
    while (n < CAnchor::kBuoys && anchor.m_Buoys[n].bUseBuoy)
        ++n;
    return n;
}
} // namespace

CAnchorPane::~CAnchorPane() = default;

void CAnchorPane::SetData(CAnchor* pAnchor, CCableWeight* pCableWeights)
{
    m_pAnchor = pAnchor;
    m_pCableWeights = pCableWeights;
}

CMFCPropertyGridCableWeightProperty* CAnchorPane::CableItem(int group, int sub, int subSub, int subSubSub,
                                                            int fifth) const
{
    return dynamic_cast<CMFCPropertyGridCableWeightProperty*>(Item(group, sub, subSub, subSubSub, fifth));
}

void CAnchorPane::InitPropList()
{
    BeginPropList();
    if (m_pAnchor == nullptr || m_pCableWeights == nullptr)
        return;
    CAnchor& a = *m_pAnchor;
    const CCableWeight* table = m_pCableWeights;

    auto* anchor = new CMFCPropertyGridProperty("Anchor");
    anchor->AddSubItem(new CMFCPropertyGridAnchorStatusProperty(&a.m_Status));
    anchor->AddSubItem(new CMFCPropertyGridMetricProperty("Range", a.GetRange(), METRIC_LENGTH, 0,
                                                          "Offset from CRP", 2));
    anchor->AddSubItem(
        new CMFCPropertyGridAngleDouble("Bearing", a.GetBearing(), 1, "Bearing from Fairlead to Anchor", 3));
    anchor->AddSubItem(Metric("Easting", a.GetEasting(), METRIC_COORDINATE, "Easting of Anchor", 4));
    anchor->AddSubItem(Metric("Northing", a.GetNorthing(), METRIC_COORDINATE, "Northing of Anchor", 5));
    anchor->AddSubItem(Metric("Depth at Anchor", a.m_DepthAtAnchor, METRIC_COORDINATE, "Depth at Anchor", 6));
    m_wndPropList.AddProperty(anchor);

    auto* ground = new CMFCPropertyGridProperty("Ground Wire");
    ground->AddSubItem(new CMFCPropertyGridBool("Use", a.m_GroundChain.bUseGroundChain, "Use Ground Chain", 7));
    ground->AddSubItem(new CMFCPropertyGridCableWeightProperty(&a.m_GroundChain.nGroundChainType, table, 8));
    ground->AddSubItem(
        Metric("Length", a.m_GroundChain.GroundChainLength, METRIC_LENGTH, "Length of chain on bottom", 9));
    m_wndPropList.AddProperty(ground);

    auto* cable = new CMFCPropertyGridProperty("Cable");
    cable->AddSubItem(new CMFCPropertyGridBool(kMulti, a.m_Cable.bUseUpperSection, kMultiDescription, 10));
    cable->AddSubItem(new CMFCPropertyGridCableWeightProperty(&a.m_Cable.nLowerCableType, table, 11));
    cable->AddSubItem(Metric("Length to Buoy 1", a.m_Cable.LowerLength, METRIC_COORDINATE,
                             "Length of Lower Cable Section", 12));
    auto* lower = new CMFCPropertyGridProperty("Lower Section");
    lower->AddSubItem(new CMFCPropertyGridCableWeightProperty(&a.m_Cable.nLowerCableType, table, 11));
    lower->AddSubItem(
        Metric("Length", a.m_Cable.LowerLength, METRIC_COORDINATE, "Length of Lower Cable Section", 12));
    cable->AddSubItem(lower);
    auto* upper = new CMFCPropertyGridProperty("Upper Section");
    upper->AddSubItem(new CMFCPropertyGridCableWeightProperty(&a.m_Cable.nUpperCableType, table, 13));
    upper->AddSubItem(
        Metric("Length", a.m_Cable.UpperLength, METRIC_COORDINATE, "Length of Upper Cable Section", 14));
    cable->AddSubItem(upper);
    m_wndPropList.AddProperty(cable);

    auto* buoys = new CMFCPropertyGridProperty("Buoys");
    CString count;
    count.Format("%d", ConsecutiveBuoys(a));
    auto* number = new CMFCPropertyGridProperty("Number of Buoys", COleVariant(count), "Number of Buoys to Use", 15);
    for (int i = 0; i <= CAnchor::kBuoys; ++i)
    {
        CString option;
        option.Format("%d", i);
        number->AddOption(option);
    }
    number->AllowEdit(FALSE);
    buoys->AddSubItem(number);
    for (int k = 1; k <= CAnchor::kBuoys; ++k)
    {
        BuoyDef& buoy = a.m_Buoys[k - 1];
        CString name;
        name.Format("Buoy %d", k);
        auto* group = new CMFCPropertyGridProperty(name);
        group->AddSubItem(Metric("Pennant Wire", buoy.PennantWireLength, METRIC_COORDINATE, "Length of Pennant Wire",
                                 BuoyId(k, 11)));
        name.Format("Buoy %d to %d", k, k + 1);
        auto* stretch = new CMFCPropertyGridProperty(name);
        stretch->AddSubItem(
            new CMFCPropertyGridBool(kMulti, buoy.Cable.bUseUpperSection, kMultiDescription, BuoyId(k, 12)));
        stretch->AddSubItem(
            new CMFCPropertyGridCableWeightProperty(&buoy.Cable.nLowerCableType, table, BuoyId(k, 13)));
        stretch->AddSubItem(Metric("Length", buoy.Cable.LowerLength, METRIC_COORDINATE, "Cable Length from anchor",
                                   BuoyId(k, 14)));
        auto* buoyLower = new CMFCPropertyGridProperty("Lower Section");
        buoyLower->AddSubItem(
            new CMFCPropertyGridCableWeightProperty(&buoy.Cable.nLowerCableType, table, BuoyId(k, 13)));
        buoyLower->AddSubItem(Metric("Length", buoy.Cable.LowerLength, METRIC_COORDINATE,
                                     "Cable Length from anchor", BuoyId(k, 14)));
        stretch->AddSubItem(buoyLower);
        auto* buoyUpper = new CMFCPropertyGridProperty("Upper Section");
        buoyUpper->AddSubItem(
            new CMFCPropertyGridCableWeightProperty(&buoy.Cable.nUpperCableType, table, BuoyId(k, 15)));
        stretch->AddSubItem(buoyUpper);
        group->AddSubItem(stretch);
        buoys->AddSubItem(group);
    }
    m_wndPropList.AddProperty(buoys);

    auto* pickup = new CMFCPropertyGridProperty("Anchor Pickup");
    const int mode = a.m_PennantMode;
    auto* modeItem = new CMFCPropertyGridProperty(
        "Mode", COleVariant(mode >= 0 && mode < 3 ? kPennantModes[mode] : ""), "How the anchor have been picked up",
        41);
    for (const char* option : kPennantModes)
        modeItem->AddOption(option);
    modeItem->AllowEdit(FALSE);
    pickup->AddSubItem(modeItem);
    pickup->AddSubItem(Metric("Tug Z Offset", a.m_TugFairleadHeight, METRIC_COORDINATE, "Tug Z Offset", 42));
    pickup->AddSubItem(Metric("Pennant Wire Length", a.m_TugPennantWireLength, METRIC_COORDINATE,
                              "Length of tug pennant wire", 43));
    pickup->AddSubItem(new CMFCPropertyGridCableWeightProperty(&a.m_PennantWireType, table, 44));
    pickup->AddSubItem(new CMFCPropertyGridDouble("Anchor Weight", a.m_AnchorWeight, "%6.2lf",
                                                  "The weight of the anchor", 45));
    pickup->AddSubItem(Metric("Cable on Tug Deck", a.m_CableOnDeck, METRIC_COORDINATE,
                              "Amount of Chain and cable recovered to back deck of tug", 46));
    m_wndPropList.AddProperty(pickup);

    UpdateLayout();
    UpdateValues();
}

void CAnchorPane::UpdateLayout()
{
    if (m_pAnchor == nullptr || m_wndPropList.GetPropertyCount() < 5)
        return;
    const CAnchor& a = *m_pAnchor;
    if (!a.m_Use)
    {
        for (int g = GROUP_ANCHOR; g <= GROUP_PICKUP; ++g)
            Show(Item(g), false);
        m_wndPropList.AdjustLayout();
        return;
    }
    const int n = ConsecutiveBuoys(a);
    const char* from = a.m_GroundChain.bUseGroundChain ? "Ground Wire" : "Anchor";
    const char* to = n >= 2 ? "Buoy 1" : n == 1 ? "Buoy" : "Barge";

    Show(Item(GROUP_ANCHOR), true);
    const bool racked = a.m_Status == ANCHOR_RACKED;
    for (int i = 1; i <= 5; ++i)
        Show(Item(GROUP_ANCHOR, i), !racked);
    for (int g = GROUP_GROUND; g <= GROUP_PICKUP; ++g)
        Show(Item(g), !racked);
    if (racked)
    {
        UpdatePickupGroup();
        m_wndPropList.AdjustLayout();
        return;
    }

    Show(Item(GROUP_GROUND, 1), a.m_GroundChain.bUseGroundChain);
    Show(Item(GROUP_GROUND, 2), a.m_GroundChain.bUseGroundChain);

    CString name;
    CString lengthLabel;
    lengthLabel.Format("Length to %s", to);
    if (a.m_Cable.bUseUpperSection)
    {
        name.Format("Multi Cable (%s to %s)", from, to);
        Show(Item(GROUP_CABLE, 1), false);
        Show(Item(GROUP_CABLE, 2), false);
        Show(Item(GROUP_CABLE, 3), true);
        Show(Item(GROUP_CABLE, 4), true);
        if (CMFCPropertyGridProperty* upperLength = Item(GROUP_CABLE, 4, 1))
        {
            upperLength->SetName(lengthLabel, FALSE);
            Show(upperLength, n > 0);
        }
    }
    else
    {
        name.Format("Cable (%s to %s)", from, to);
        Show(Item(GROUP_CABLE, 1), true);
        if (CMFCPropertyGridProperty* length = Item(GROUP_CABLE, 2))
        {
            length->SetName(lengthLabel, FALSE);
            Show(length, n > 0);
        }
        Show(Item(GROUP_CABLE, 3), false);
        Show(Item(GROUP_CABLE, 4), false);
    }
    Item(GROUP_CABLE)->SetName(name, FALSE);

    for (int k = 1; k <= CAnchor::kBuoys; ++k)
    {
        CMFCPropertyGridProperty* group = Item(GROUP_BUOYS, k);
        CMFCPropertyGridProperty* stretch = Item(GROUP_BUOYS, k, 1);
        if (group == nullptr || stretch == nullptr)
            continue;
        if (k > n)
        {
            Show(group, false);
            continue;
        }
        Show(group, true);
        Show(stretch, true);
        if (k < n)
        {
            name.Format("Buoy %d to %d", k, k + 1);
            stretch->SetName(name, FALSE);
            Show(stretch->GetSubItem(0), false);
            Show(stretch->GetSubItem(1), true);
            Show(stretch->GetSubItem(2), true);
            Show(stretch->GetSubItem(3), false);
            Show(stretch->GetSubItem(4), false);
            continue;
        }
        name.Format("Buoy %d to Barge", k);
        stretch->SetName(name, FALSE);
        Show(stretch->GetSubItem(0), true);
        const bool multi = a.m_Buoys[k - 1].Cable.bUseUpperSection;
        Show(stretch->GetSubItem(1), !multi);
        Show(stretch->GetSubItem(2), false);
        Show(stretch->GetSubItem(3), multi);
        Show(stretch->GetSubItem(4), multi);
    }
    MarkMissingLengths();
    UpdatePickupGroup();
    m_wndPropList.AdjustLayout();
}

void CAnchorPane::MarkMissingLengths()
{
    const CAnchor& a = *m_pAnchor;
    const int n = ConsecutiveBuoys(a);
    // A buoy taken into use starts with lengths of 0, from which it would still be placed:
    // its length items show as missing until the user gives them.
    for (int k = 1; k <= CAnchor::kBuoys; ++k)
    {
        const BuoyDef& buoy = a.m_Buoys[k - 1];
        const auto mark = [k, n](CMFCPropertyGridProperty* prop, double length) {
            if (auto* metric = dynamic_cast<CMFCPropertyGridMetricProperty*>(prop))
                metric->SetMissing(k <= n && !(length > 0.0));
        };
        mark(Item(GROUP_BUOYS, k, 0), buoy.PennantWireLength);
        mark(Item(GROUP_BUOYS, k, 1, 2), buoy.Cable.LowerLength);
        mark(Item(GROUP_BUOYS, k, 1, 3, 1), buoy.Cable.LowerLength);
    }
}

void CAnchorPane::UpdatePickupGroup()
{
    if (m_pAnchor == nullptr || Item(GROUP_PICKUP) == nullptr)
        return;
    Show(Item(GROUP_PICKUP), m_pAnchor->m_Use && m_pAnchor->m_Status == ANCHOR_LIVE);
    switch (m_pAnchor->m_PennantMode)
    {
    case 0:
        Show(Item(GROUP_PICKUP, 1), true);
        Show(Item(GROUP_PICKUP, 2), false);
        Show(Item(GROUP_PICKUP, 3), false);
        Show(Item(GROUP_PICKUP, 4), false);
        Show(Item(GROUP_PICKUP, 5), false);
        break;
    case 1:
        Show(Item(GROUP_PICKUP, 1), false);
        Show(Item(GROUP_PICKUP, 2), true);
        Show(Item(GROUP_PICKUP, 3), true);
        Show(Item(GROUP_PICKUP, 4), true);
        Show(Item(GROUP_PICKUP, 5), false);
        break;
    case 2:
        for (int i = 1; i <= 4; ++i)
            Show(Item(GROUP_PICKUP, i), false);
        Show(Item(GROUP_PICKUP, 5), true);
        break;
    default:
        break;
    }
    m_wndPropList.AdjustLayout();
}

void CAnchorPane::UpdateStatus()
{
    if (m_pAnchor == nullptr)
        return;
    if (auto* status = dynamic_cast<CMFCPropertyGridAnchorStatusProperty*>(Item(GROUP_ANCHOR, 0)))
    {
        status->SetStatus(m_pAnchor->m_Status);
        status->Redraw();
    }
}

void CAnchorPane::UpdateFirstPennant()
{
    if (m_pAnchor == nullptr)
        return;
    if (auto* pennant = dynamic_cast<CMFCPropertyGridMetricProperty*>(Item(GROUP_BUOYS, 1, 0)))
    {
        pennant->SetMetres(m_pAnchor->m_Buoys[0].PennantWireLength);
        MarkMissingLengths();
        pennant->Redraw();
    }
}

void CAnchorPane::UpdateValues()
{
    if (m_pAnchor == nullptr || Item(GROUP_ANCHOR) == nullptr)
        return;
    CAnchor& a = *m_pAnchor;
    UpdateStatus();
    if (auto* range = dynamic_cast<CMFCPropertyGridMetricProperty*>(Item(GROUP_ANCHOR, 1)))
        range->SetMetres(a.GetRange());
    if (auto* bearing = dynamic_cast<CMFCPropertyGridAngleDouble*>(Item(GROUP_ANCHOR, 2)))
        bearing->SetAngle(a.GetBearing());
    // Racked has no point of its own: the fairlead stands in.
    const bool racked = a.m_Status == ANCHOR_RACKED;
    if (auto* easting = dynamic_cast<CMFCPropertyGridMetricProperty*>(Item(GROUP_ANCHOR, 3)))
        easting->SetMetres(racked ? a.m_FairleadEasting : a.GetEasting());
    if (auto* northing = dynamic_cast<CMFCPropertyGridMetricProperty*>(Item(GROUP_ANCHOR, 4)))
        northing->SetMetres(racked ? a.m_FairleadNorthing : a.GetNorthing());
    UpdateDepthAtAnchor();
    UpdatePickupGroup();
    m_wndPropList.Trigger(0);
}

void CAnchorPane::UpdateDepthAtAnchor()
{
    if (m_pAnchor == nullptr)
        return;
    // The terrain's depth is not for typing over: the next move of the anchor would take it again.
    const bool terrain = m_pAnchor->m_DepthAtAnchorFromDtm;
    if (auto* depth = dynamic_cast<CMFCPropertyGridMetricProperty*>(Item(GROUP_ANCHOR, 5)))
    {
        depth->SetMetres(m_pAnchor->m_DepthAtAnchor);
        depth->SetLock(terrain);
        depth->Enable(terrain ? FALSE : TRUE);
    }
}

void CAnchorPane::SetTwinTypes(CMFCPropertyGridCableWeightProperty* single, CMFCPropertyGridCableWeightProperty* lower,
                               int16_t type)
{
    for (CMFCPropertyGridCableWeightProperty* twin : {single, lower})
        if (twin != nullptr)
            twin->SetType(type > 0 && type >= twin->GetOptionCount() ? 0 : type);
}

void CAnchorPane::UpdateCableWeights()
{
    if (m_pAnchor == nullptr || Item(GROUP_ANCHOR) == nullptr)
        return;
    const CAnchor& a = *m_pAnchor;
    auto refresh = [](CMFCPropertyGridCableWeightProperty* item, int16_t type) {
        if (item == nullptr)
            return;
        item->SetType(type);
        item->RebuildOptions();
        if (type > 0 && type >= item->GetOptionCount())
            item->SetType(0);
    };
    refresh(CableItem(GROUP_GROUND, 1), a.m_GroundChain.nGroundChainType);
    refresh(CableItem(GROUP_CABLE, 1), a.m_Cable.nLowerCableType);
    refresh(CableItem(GROUP_CABLE, 3, 0), a.m_Cable.nLowerCableType);
    refresh(CableItem(GROUP_CABLE, 4, 0), a.m_Cable.nUpperCableType);
    for (int k = 1; k <= CAnchor::kBuoys; ++k)
    {
        const CableSectionsDef& cable = a.m_Buoys[k - 1].Cable;
        refresh(CableItem(GROUP_BUOYS, k, 1, 1), cable.nLowerCableType);
        refresh(CableItem(GROUP_BUOYS, k, 1, 3, 0), cable.nLowerCableType);
        refresh(CableItem(GROUP_BUOYS, k, 1, 4, 0), cable.nUpperCableType);
    }
    refresh(CableItem(GROUP_PICKUP, 3), a.m_PennantWireType);
}

double CAnchorPane::TypeWeight(int type) const
{
    if (m_pCableWeights == nullptr || type < 0 || type >= m_pCableWeights->GetSize())
        return CAnchor::kDefaultCableWeight;
    return m_pCableWeights->GetAt(type).WeightInWater;
}

double CAnchorPane::RangeChecked(double value, bool ok, const char* rule)
{
    if (ok)
        return value;
    CString message;
    message.Format("%s.\n0 has been stored in place of %.3lf.", rule, value);
    ErrorMessage(message, this);
    return 0.0;
}

LRESULT CAnchorPane::OnPropertyChanged(WPARAM, LPARAM lParam)
{
    auto* prop = reinterpret_cast<CMFCPropertyGridProperty*>(lParam);
    if (prop == nullptr || m_pAnchor == nullptr)
        return 0;
    CAnchor& a = *m_pAnchor;
    const int id = static_cast<int>(prop->GetData());
    auto cableType = [prop]() -> int16_t {
        auto* item = dynamic_cast<CMFCPropertyGridCableWeightProperty*>(prop);
        return item != nullptr ? item->GetType() : 0;
    };
    auto sectionLength = [this](double value) {
        return RangeChecked(value, value >= 0.0 && value < kLongest,
                            "A cable section must be from 0 m to less than 10000 m long");
    };

    switch (id)
    {
    case 1: {
        auto* status = dynamic_cast<CMFCPropertyGridAnchorStatusProperty*>(prop);
        const int before = a.m_Status;
        a.m_Status = status != nullptr ? status->GetStatus() : a.m_Status;
        if (a.m_Status == ANCHOR_LIVE)
            a.SetTugPosition(a.m_AnchorEasting, a.m_AnchorNorthing);
        m_nStatusChange = (before != ANCHOR_LIVE && a.m_Status == ANCHOR_LIVE)   ? 1
                          : (before == ANCHOR_LIVE && a.m_Status != ANCHOR_LIVE) ? 2
                                                                                 : 0;
        // The position items show the new status's own point.
        UpdateValues();
        break;
    }
    case 2:
    case 3:
    case 4:
    case 5: {
        const double value = MetricValue(prop);
        if (id == 2)
            a.SetRange(value);
        else if (id == 3)
            a.SetBearing(value);
        else if (id == 4)
            a.SetEasting(value);
        else
            a.SetNorthing(value);
        UpdateLayout();
        if (a.m_Status == ANCHOR_LIVE)
            a.SetTugPosition(a.m_AnchorEasting, a.m_AnchorNorthing);
        UpdateValues();
        CommonTail(false);
        return 0;
    }
    case 6: a.m_DepthAtAnchor = MetricValue(prop); break;
    case 7: a.m_GroundChain.bUseGroundChain = BoolValue(prop); break;
    case 8:
        a.m_GroundChain.nGroundChainType = cableType();
        a.m_GroundChain.GroundChainWeight = TypeWeight(a.m_GroundChain.nGroundChainType);
        break;
    case 9: a.m_GroundChain.GroundChainLength = MetricValue(prop); break;
    case 10: a.m_Cable.bUseUpperSection = BoolValue(prop); break;
    case 11:
        a.m_Cable.nLowerCableType = cableType();
        a.m_Cable.LowerWeight = TypeWeight(a.m_Cable.nLowerCableType);
        SetTwinTypes(CableItem(GROUP_CABLE, 1), CableItem(GROUP_CABLE, 3, 0), a.m_Cable.nLowerCableType);
        break;
    case 12: a.m_Cable.LowerLength = sectionLength(MetricValue(prop)); break;
    case 13:
        a.m_Cable.nUpperCableType = cableType();
        a.m_Cable.UpperWeight = TypeWeight(a.m_Cable.nUpperCableType);
        break;
    case 14: a.m_Cable.UpperLength = sectionLength(MetricValue(prop)); break;
    case 15: {
        const int number = std::atoi(ValueText(prop));
        for (int k = 1; k <= CAnchor::kBuoys; ++k)
            a.m_Buoys[k - 1].bUseBuoy = k <= number;
        break;
    }
    case 41: {
        const CString chosen = ValueText(prop);
        for (int i = 0; i < prop->GetOptionCount(); ++i)
            if (std::strcmp(chosen, prop->GetOption(i)) == 0)
                a.m_PennantMode = i;
        break;
    }
    case 42: {
        const double value = MetricValue(prop);
        a.m_TugFairleadHeight =
            RangeChecked(value, std::fabs(value) < kLongest, "The tug's fairlead must be within 10000 m of its deck");
        break;
    }
    case 43: a.m_TugPennantWireLength = MetricValue(prop); break;
    case 44:
        a.m_PennantWireType = cableType();
        a.m_PennantWireWeight = TypeWeight(a.m_PennantWireType);
        break;
    case 45: a.m_AnchorWeight = prop->GetValue().dblVal; break;
    case 46: a.m_CableOnDeck = MetricValue(prop); break;
    default:
        if (id >= 16 && id <= 40)
        {
            const int k = (id - 11) / 5;
            const int field = id - 5 * k;
            BuoyDef& buoy = a.m_Buoys[k - 1];
            switch (field)
            {
            case 11: {
                const double value = MetricValue(prop);
                // The anchor file reloads nothing else: what is shown must be what comes back.
                buoy.PennantWireLength = RangeChecked(value, value >= 0.0 && value <= kLongestPennant,
                                                      "A pennant wire must be from 0 m to 100000 m long");
                break;
            }
            case 12: buoy.Cable.bUseUpperSection = BoolValue(prop); break;
            case 13: {
                buoy.Cable.nLowerCableType = cableType();
                const double weight = TypeWeight(buoy.Cable.nLowerCableType);
                buoy.Cable.LowerWeight = weight < 0.0 || weight > 1000.0 ? CAnchor::kDefaultCableWeight : weight;
                SetTwinTypes(CableItem(GROUP_BUOYS, k, 1, 1), CableItem(GROUP_BUOYS, k, 1, 3, 0),
                             buoy.Cable.nLowerCableType);
                break;
            }
            case 14:
                buoy.Cable.LowerLength = MetricValue(prop);
                a.UpdateBuoyDistances();
                break;
            case 15: {
                buoy.Cable.nUpperCableType = cableType();
                const double weight = TypeWeight(buoy.Cable.nUpperCableType);
                buoy.Cable.UpperWeight = weight < 0.0 || weight > 1000.0 ? CAnchor::kDefaultCableWeight : weight;
                break;
            }
            default: break;
            }
        }
        break;
    }
    // The item and its twin show what was stored, which the range rules may have changed.
    if (dynamic_cast<CMFCPropertyGridMetricProperty*>(prop) != nullptr)
    {
        const double stored = id == 12 ? a.m_Cable.LowerLength
                              : id == 14 ? a.m_Cable.UpperLength
                              : id == 42 ? a.m_TugFairleadHeight
                              : (id >= 16 && id <= 40 && (id - 11) % 5 == 0)
                                  ? a.m_Buoys[(id - 11) / 5 - 1].PennantWireLength
                                  : MetricValue(prop);
        SetMetricItems(static_cast<DWORD_PTR>(id), stored);
    }
    CommonTail(true);
    return 0;
}

void CAnchorPane::SetMetricItems(DWORD_PTR id, double metres)
{
    std::function<void(CMFCPropertyGridProperty*)> visit = [&](CMFCPropertyGridProperty* prop) {
        if (auto* metric = dynamic_cast<CMFCPropertyGridMetricProperty*>(prop))
            if (metric->GetData() == id)
                metric->SetMetres(metres);
        for (int i = 0; i < prop->GetSubItemsCount(); ++i)
            visit(prop->GetSubItem(i));
    };
    for (int g = 0; g < m_wndPropList.GetPropertyCount(); ++g)
        visit(m_wndPropList.GetProperty(g));
}

void CAnchorPane::CommonTail(bool layout)
{
    if (layout)
        UpdateLayout();
    m_pAnchor->ComputeZuduzuro();
    // The computation took the terrain's depth at the anchor's new place.
    UpdateDepthAtAnchor();
    TellSaveFailure(m_pAnchor->SaveUnlessRefused(), m_bSaveFailureTold,
                    "The anchor file " + m_pAnchor->GetFilePath());
    PostToOwner(UM_UPDATE_ZUDUZURO_DATA);
}
