#include "outside/terralin/ParameterTransformationPane.h"

#include "geodesy/Datum.h"
#include "geodesy/GlobalFolder.h"
#include "platform/core/FileFind.h"
#include "outside/terralin/GeodesyProperties.h"

#include <cstdlib>
#include <ctime>
#include <memory>

IMPLEMENT_DYNAMIC(CParameterTransformationPane, CTerralinPane)

namespace
{
const char* const kParameterNames[7] = {"Tx", "Ty", "Tz", "Rx", "Ry", "Rz", "Scale"};
const char* const kParameterSuffix[7] = {"m", "m", "m", "\"", "\"", "\"", "ppm"};
const int kParameterDecimals[7] = {4, 4, 4, 6, 6, 6, 6};

// Today as a decimal year.
double CurrentYear()
{
    const std::time_t now = std::time(nullptr);
    std::tm utc{};
    gmtime_r(&now, &utc);
    const int year = utc.tm_year + 1900;
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return year + utc.tm_yday / (leap ? 366.0 : 365.0);
}

void Parameters(const CDatum& d, double p[7])
{
    p[0] = d.m_Tx;
    p[1] = d.m_Ty;
    p[2] = d.m_Tz;
    p[3] = d.m_Rx;
    p[4] = d.m_Ry;
    p[5] = d.m_Rz;
    p[6] = d.m_Ds;
}

void Rates(const CDatum& d, double r[7])
{
    r[0] = d.m_TxRate;
    r[1] = d.m_TyRate;
    r[2] = d.m_TzRate;
    r[3] = d.m_RxRate;
    r[4] = d.m_RyRate;
    r[5] = d.m_RzRate;
    r[6] = d.m_DsRate;
}
} // namespace

CParameterTransformationPane::CParameterTransformationPane() : m_dEpoch(CurrentYear()) {}
CParameterTransformationPane::~CParameterTransformationPane() = default;

BOOL CParameterTransformationPane::Create(CWnd* pParent, int nID)
{
    ListSets();
    return CreatePane(pParent, nID, "ITRF Datum Shifts");
}

void CParameterTransformationPane::ListSets()
{
    m_sets.clear();
    m_files.RemoveAll();
    // A datum of its own, so that listing never touches the program's.
    auto datum = std::make_unique<CDatum>();
    auto add = [&](int method, int index, const char* kind) {
        CString name;
        name.Format("%s %d: %s to %s", kind, index + 1, datum->m_FromName.GetString(),
                    datum->m_ToName.GetString());
        if (!datum->m_Region.IsEmpty())
            name += " (" + datum->m_Region + ")";
        m_sets.push_back({method, index, name});
    };
    for (int i = 0; i < CDatum::HELMERT_SETS; ++i)
        if (datum->SetDatum(CDatum::METHOD_HELMERT, i, 1))
            add(CDatum::METHOD_HELMERT, i, "Set");
    for (int i = 0; i < CDatum::GRID_TO_GRID_SETS; ++i)
        if (datum->SetDatum(CDatum::METHOD_GRID_TO_GRID, i, 1))
            add(CDatum::METHOD_GRID_TO_GRID, i, "Grid Set");

    CString folder;
    if (!GetGlobalDataFolder(folder))
        return;
    CFileFind finder;
    BOOL more = finder.FindFile(folder + "*.DMF");
    int count = 0;
    while (more)
    {
        more = finder.FindNextFile();
        if (!finder.IsDirectory() && !finder.IsDots())
            ++count;
    }
    finder.Close();
    for (int i = 0; i < count; ++i)
    {
        if (!datum->SetDatum(CDatum::METHOD_USER_HELMERT, i, 1))
            continue;
        m_files.Add(datum->m_FileName);
        CString name;
        name.Format("File %s: %s to %s", datum->m_FileName.GetString(), datum->m_FromName.GetString(),
                    datum->m_ToName.GetString());
        m_sets.push_back({CDatum::METHOD_USER_HELMERT, i, name});
    }
}

CString CParameterTransformationPane::GetSetName(int index) const
{
    return (index >= 0 && index < GetSetCount()) ? m_sets[static_cast<size_t>(index)].name : CString();
}

void CParameterTransformationPane::InitPropList()
{
    m_wndPropList.RemoveAll();
    auto* group = new CMFCPropertyGridProperty("Transformation");
    auto* set = new CMFCPropertyGridProperty("Parameter Set", COleVariant(GetSetName(m_nSelected)),
                                             "The transformation shown", ITEM_SET);
    for (const SetDef& def : m_sets)
        set->AddOption(def.name);
    set->AllowEdit(FALSE);
    group->AddSubItem(set);
    group->AddSubItem(MakeInfoProperty("From", "", "The datum the parameters start from", ITEM_FROM));
    group->AddSubItem(MakeInfoProperty("To", "", "The datum the parameters lead to", ITEM_TO));
    group->AddSubItem(MakeInfoProperty("Rotations", "", "How the rotations are defined", ITEM_CONVENTION));
    m_wndPropList.AddProperty(group);

    group = new CMFCPropertyGridProperty("Parameters");
    for (int i = 0; i < 7; ++i)
        group->AddSubItem(ReadOnly(new CNumberValueProperty(kParameterNames[i], NUMBER_FIXED, "", ITEM_TX + i,
                                                            kParameterDecimals[i], kParameterSuffix[i])));
    m_wndPropList.AddProperty(group);

    group = new CMFCPropertyGridProperty("Rates per Year");
    for (int i = 0; i < 7; ++i)
        group->AddSubItem(
            ReadOnly(new CNumberValueProperty(kParameterNames[i], NUMBER_FIXED, "", ITEM_RATE_TX + i,
                                              kParameterDecimals[i], kParameterSuffix[i])));
    group->AddSubItem(ReadOnly(new CNumberValueProperty(
        "Reference Epoch", NUMBER_FIXED, "The epoch the parameters hold at", ITEM_REFERENCE_EPOCH, 3)));
    m_wndPropList.AddProperty(group);

    group = new CMFCPropertyGridProperty("At Epoch");
    auto* epoch = new CNumberValueProperty("Epoch", NUMBER_FIXED,
                                           "Decimal year to evaluate the parameters at", ITEM_EPOCH, 3);
    epoch->SetNumber(m_dEpoch);
    group->AddSubItem(epoch);
    for (int i = 0; i < 7; ++i)
        group->AddSubItem(
            ReadOnly(new CNumberValueProperty(kParameterNames[i], NUMBER_FIXED, "", ITEM_EPOCH_TX + i,
                                              kParameterDecimals[i], kParameterSuffix[i])));
    m_wndPropList.AddProperty(group);
    ShowSet();
}

void CParameterTransformationPane::ShowSet()
{
    auto number = [this](int id) {
        return dynamic_cast<CNumberValueProperty*>(FindItem(static_cast<DWORD_PTR>(id)));
    };
    double p[7] = {}, r[7] = {};
    CString from, to, convention;
    double reference = DBL_MAX;
    bool timeDependent = false;
    bool shown = m_nSelected >= 0 && m_nSelected < GetSetCount();
    if (shown)
    {
        auto datum = std::make_unique<CDatum>();
        const SetDef& def = m_sets[static_cast<size_t>(m_nSelected)];
        shown = datum->SetDatum(def.method, def.index, 1);
        if (shown)
        {
            Parameters(*datum, p);
            Rates(*datum, r);
            from = datum->m_FromName;
            to = datum->m_ToName;
            convention = datum->m_RotationSign == 1 ? "Coordinate Frame" : "Position Vector";
            timeDependent = datum->m_TimeDependent != 0;
            reference = timeDependent ? datum->m_ReferenceEpoch : DBL_MAX;
        }
    }
    FindItem(ITEM_FROM)->SetValue(COleVariant(from));
    FindItem(ITEM_TO)->SetValue(COleVariant(to));
    FindItem(ITEM_CONVENTION)->SetValue(COleVariant(convention));
    number(ITEM_REFERENCE_EPOCH)->SetNumber(reference);
    for (int i = 0; i < 7; ++i)
    {
        number(ITEM_TX + i)->SetNumber(shown ? p[i] : DBL_MAX);
        number(ITEM_RATE_TX + i)->SetNumber(shown && timeDependent ? r[i] : DBL_MAX);
        const double atEpoch = timeDependent ? p[i] + r[i] * (m_dEpoch - reference) : p[i];
        number(ITEM_EPOCH_TX + i)->SetNumber(shown ? atEpoch : DBL_MAX);
    }
}

bool CParameterTransformationPane::SelectSet(const CString& name)
{
    for (int i = 0; i < GetSetCount(); ++i)
        if (m_sets[static_cast<size_t>(i)].name == name)
        {
            m_nSelected = i;
            if (CMFCPropertyGridProperty* set = FindItem(ITEM_SET))
                set->SetValue(COleVariant(name));
            ShowSet();
            return true;
        }
    return false;
}

void CParameterTransformationPane::OnItemChanged(CMFCPropertyGridProperty* pProp)
{
    switch (pProp->GetData())
    {
    case ITEM_SET: {
        COleVariant value = pProp->GetValue();
        value.ChangeType(VT_BSTR);
        SelectSet(value.bstrVal);
        break;
    }
    case ITEM_EPOCH:
        m_dEpoch = dynamic_cast<CNumberValueProperty*>(pProp)->GetNumber();
        ShowSet();
        break;
    default:
        break;
    }
}

int CParameterTransformationPane::GetValidDatumFiles()
{
    const CString selected = GetSetName(m_nSelected);
    ListSets();
    m_nSelected = 0;
    for (int i = 0; i < GetSetCount(); ++i)
        if (m_sets[static_cast<size_t>(i)].name == selected)
            m_nSelected = i;
    if (m_wndPropList.GetSafeHwnd() != nullptr)
        InitPropList();
    return static_cast<int>(m_files.GetSize());
}
