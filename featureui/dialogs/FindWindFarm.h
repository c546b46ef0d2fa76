// CFindWindFarm: the modal dialog in which the user picks a loaded wind farm by name, so that
// the host can move the chart to it.
#pragma once

#include "featureui/TolvarApi.h"
#include "foundation/ColourButton.h"
#include "foundation/ColourDialogEx.h"
#include "foundation/XYArray.h"
#include "platform/ui/ListBox.h"

class CWindFarmList;

class TOLVAR_API CFindWindFarm : public CColourDialogEx
{
    DECLARE_DYNAMIC(CFindWindFarm)
public:
    explicit CFindWindFarm(CWnd* pParent = nullptr);

    // The host's list (borrowed); call before DoModal.
    void SetData(CWindFarmList* pList) { m_pWindFarmList = pList; }
    // The grid position (m) of the wind farm the last successful Find found; 0, 0 before.
    tagXY GetFound() const { return m_Found; }
    // The wind farm whose name is the selected entry's, exactly; false without a selection or
    // a match.
    bool Find();

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnBnClickedOk();
    void OnDblclkList();
    DECLARE_MESSAGE_MAP()

    CListBox m_List;
    CColourButton m_Find;
    CColourButton m_Cancel;
    CWindFarmList* m_pWindFarmList = nullptr;
    tagXY m_Found{0.0, 0.0};
};
