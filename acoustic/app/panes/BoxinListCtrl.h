// CBoxinListCtrl: the imported Boxin observations, one row each with a check box for whether
// it is used; a click on a row shows its vessel position on the plan.
#pragma once

#include "foundation/MyListCtrl.h"
#include "foundation/XYArray.h"

class CBoxin;
class CListCtrlImport;

class CBoxinListCtrl : public CMyListCtrl
{
    DECLARE_DYNAMIC(CBoxinListCtrl)
public:
    void SetData(CWnd* pOwner, CBoxin* pBoxin)
    {
        m_pOwner = pOwner;
        m_pBoxin = pBoxin;
    }

    // Empties the list and gives it one centred column per mapped field of `import`, in field
    // order, headed by the field's label; the observation's heading tells the range unit.
    void SetupColumns(CListCtrlImport& import);
    // The rows into the Boxin records (ConvertBoxinRows), each row's check box as its record's
    // used flag. Returns how many rows were kept unused because a cell did not read.
    int ConvertRows(CListCtrlImport& import);
    // The heading of the observation column for the range mode and the two-way flag.
    static CString ObservationHeading(int rangeMode, bool twoWay);

    const tagXY& GetPoint() const { return m_Point; }

protected:
    int OnCreate(LPCREATESTRUCT lpCreateStruct);
    void OnClick(NMHDR* pNMHDR, LRESULT* pResult);
    DECLARE_MESSAGE_MAP()

    CWnd* m_pOwner = nullptr;
    CBoxin* m_pBoxin = nullptr;
    tagXY m_Point{0.0, 0.0}; // the vessel position last posted
};
