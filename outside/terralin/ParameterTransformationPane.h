// CParameterTransformationPane: the seven-parameter transformations the datum engine knows:
// the built-in Helmert and grid-to-grid sets and the user's valid "DMF" files, with each
// set's parameters and rates, and the parameters at an epoch the user types (the
// time-dependent ones change with it).
#pragma once

#include "platform/core/Array.h"
#include "outside/terralin/TerralinPane.h"

#include <vector>

class CParameterTransformationPane : public CTerralinPane
{
    DECLARE_DYNAMIC(CParameterTransformationPane)
public:
    CParameterTransformationPane();
    ~CParameterTransformationPane() override;

    BOOL Create(CWnd* pParent, int nID);
    using CDockablePane::Create;

    // Looks through the global data folder for the user's "DMF" files again and lists those
    // that read whole; returns how many. A file that is missing or cut short is left out.
    int GetValidDatumFiles();
    // The titles of the files the last look found valid.
    const CStringArray& GetDatumFileTitles() const { return m_files; }

    // Chooses a set by its shown name; false when no such set is listed.
    bool SelectSet(const CString& name);
    int GetSetCount() const { return static_cast<int>(m_sets.size()); }
    CString GetSetName(int index) const;

    enum ITEM
    {
        ITEM_SET = 1,
        ITEM_FROM,
        ITEM_TO,
        ITEM_CONVENTION,
        ITEM_TX = 10, // the seven parameters, then their rates, then at the epoch
        ITEM_RATE_TX = 20,
        ITEM_REFERENCE_EPOCH = 30,
        ITEM_EPOCH,
        ITEM_EPOCH_TX = 40
    };

protected:
    void InitPropList() override;
    void OnItemChanged(CMFCPropertyGridProperty* pProp) override;

private:
    struct SetDef
    {
        int method;
        int index;
        CString name;
    };
    void ListSets();
    void ShowSet();

    std::vector<SetDef> m_sets;
    CStringArray m_files;
    int m_nSelected = 0;
    double m_dEpoch;
};
