// CCableWeightListCtrl: the table of cable types in the cable weight pane: one row a type with
// its name, input mode ("AIR" or "WATER"), diameter, weight in air and weight in water; types
// are edited, inserted, added and deleted through a right-click menu, a double-click and the
// Delete key. The two built-in types (rows 0 and 1) cannot be changed. Every change is saved,
// pushed into the anchor and announced to the owner with UM_UPDATE_CABLE_WEIGHTS.
#pragma once

#include "foundation/MyListCtrl.h"

#include <cstdint>
#include <functional>

class CAnchor;
class CCableWeight;
struct CableWeightDef;

// Menu commands of the list.
enum CABLE_LIST_COMMAND
{
    CABLE_EDIT = 1,
    CABLE_DELETE = 2,
    CABLE_INSERT = 3,
    CABLE_NEW = 4
};

class CCableWeightListCtrl : public CMyListCtrl
{
    DECLARE_DYNAMIC(CCableWeightListCtrl)
public:
    CCableWeightListCtrl() = default;

    // The owner told of changes, and what the list edits; none owned. Makes the columns and
    // fills the rows.
    void Setup(CWnd* pOwner, CAnchor* pAnchor, CCableWeight* pTable);
    // One row a type; types entered in air get their weight in water afresh first.
    void FillList();

    // The actions of the menu, the double-click and the Delete key, for a row (-1: none).
    void RunCommand(int nCommand, int nRow);

    // How every change of the table ends: saved (a failure told once), the anchor's weights
    // from the table, columns fitted, UM_UPDATE_CABLE_WEIGHTS posted to the owner.
    void TableChanged();

    // Every cable-type index of the anchor with the name of its section ("Upper Section",
    // "Buoy 2 Lower", ...).
    static void ForEachCableType(CAnchor& anchor, const std::function<void(int16_t& type, const CString& name)>& visit);

protected:
    void OnDoubleClick(NMHDR* pNMHDR, LRESULT* pResult);
    void OnRightClick(NMHDR* pNMHDR, LRESULT* pResult);
    void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    DECLARE_MESSAGE_MAP()

private:
    void WriteRow(int nRow);
    // The setup dialog on the type; true on OK.
    bool EditType(CableWeightDef& type);
    void DeleteType(int nRow);

    CWnd* m_pOwner = nullptr;
    CAnchor* m_pAnchor = nullptr;
    CCableWeight* m_pTable = nullptr;
    bool m_bSaveFailureTold = false;
};
