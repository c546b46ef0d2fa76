// CTransitFixPane: the transit fix's file, its three or four legs' end points, the points where
// the legs cross, their bearings and the centre. Every edit is saved at once (settings and
// points file), recomputed and shown, and the owner is told where the centre now is. It starts
// hidden until the user's layout shows it.
//
// A file chosen in the pane is taken only when it was read whole: otherwise the user hears why,
// and the fix in memory, its name and every file stay as they were, so that no file is ever
// written over with points that did not come from it.
#pragma once

#include "foundation/PropertyGridPane.h"
#include "foundation/XYArray.h"

class CTransitFix;

class CTransitFixPane : public CPropertyGridPane
{
    DECLARE_DYNAMIC(CTransitFixPane)
public:
    CTransitFixPane() : CPropertyGridPane(kGridId) {}

    // A pane of the frame showing the transit fix (the frame owns it and outlives the pane),
    // filled from it.
    BOOL Create(CWnd* pFrame, CTransitFix* pTransitFix);
    using CMyDockablePane::Create;

    // Rebuilds the grid from the transit fix as it is now.
    void InitPropList();
    // The items of fix points 7 and 8, leg D and the fourth bearing show exactly with four legs.
    void ShowLegItems();
    // Saves, computes and shows the legs and bearings, and tells the owner of the centre.
    void Recompute();
    // The grid fills the pane, except while the program's main window is minimised.
    void AdjustLayout() override;

    // The position whose address goes with the messages to the owner.
    const tagXY& GetPosition() const { return m_Position; }

    // The item data that drives the edits: the file, the leg count, then each fix point k
    // (1 to 8) with its easting 2k+1 and its northing 2k+2.
    enum
    {
        DATA_FILE = 1,
        DATA_LEGS = 2,
        DATA_FIRST_POINT = 3,
        DATA_LAST_POINT = 18
    };

    CTransitFix* m_pTransitFix = nullptr;

protected:
    LRESULT OnPropertyChanged(WPARAM wParam, LPARAM lParam);
    void OnShowWindow(BOOL bShow, UINT nStatus);
    DECLARE_MESSAGE_MAP()

private:
    static constexpr UINT kGridId = 2;

    // Takes the file of that title into the transit fix when it reads whole; false (with the
    // user told why, and nothing changed) otherwise.
    bool TakeChosenFile(const CString& title);
    // The fix points' items show the transit fix's points.
    void ShowPoints();
    // The legs' and bearings' items show the computed fix.
    void ShowResults();
    // Computes the fix, shows its legs and bearings and posts the centre.
    void ComputeAndShow();
    // The centre, when there is one, to the owner; a fix not computed only redraws.
    void PostCentre();

    tagXY m_Position{};
    bool m_bSaveFailureTold = false;
    // The four groups (owned by the grid).
    CMFCPropertyGridProperty* m_pFixes = nullptr;
    CMFCPropertyGridProperty* m_pLegs = nullptr;
    CMFCPropertyGridProperty* m_pBearings = nullptr;
};
