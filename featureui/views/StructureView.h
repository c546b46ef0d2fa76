// CStructureView: the view at the foot of the structure pane. It draws the shape of the
// structure the structure list's edit selection names, fitted to the window by the shape's
// unturned extents and turned to the structure's heading, with the metric grid over it, through
// an off-screen bitmap so the pane does not flicker while the user edits.
#pragma once

#include "featureui/views/OutlineView.h"

class CStructureList;

// A heading brought into [0, 360): a turn of -330 degrees is one of 30.
TOLVAR_API double NormalHeading(double degrees);

class TOLVAR_API CStructureView : public COutlineView
{
    DECLARE_DYNCREATE(CStructureView)
public:
    CStructureView();
    ~CStructureView() override;

    // The host's list, which must outlive the view; null draws the background only.
    void SetStructureList(CStructureList* pList) { m_pStructureList = pList; }
    CStructureList* GetStructureList() const { return m_pStructureList; }

protected:
    void OnDraw(CDC* pDC) override;
    DECLARE_MESSAGE_MAP()

private:
    CStructureList* m_pStructureList = nullptr;
};
