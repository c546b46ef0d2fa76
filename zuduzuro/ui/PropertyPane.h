// CPropertyPane: what the anchor-cable program's grid panes share: a property grid (child id
// 2) in the system's message font filling the pane, day and night colours, messages posted to
// the owner, and a file that could not be written told once.
#pragma once

#include "foundation/PropertyGridPane.h"

class CPropertyPane : public CPropertyGridPane
{
    DECLARE_DYNAMIC(CPropertyPane)
public:
    CPropertyPane() : CPropertyGridPane(kGridId) {}

    // Builds the grid's items.
    virtual void InitPropList() = 0;

    // The width at which the pane shows what it holds whole: every name of its grid (and the
    // columns of a table below it).
    virtual int GetFittingWidth() { return m_wndPropList.GetWholeNamesWidth(); }
    // The grid's font: the system's message font.
    void SetPropListFont() override;

    // The grid made, then its font, its items and the layout.
    int OnCreate(LPCREATESTRUCT lpCreateStruct);

protected:
    // Header, description area, look and colours of the grid, as every pane shows them.
    void BeginPropList();
    // The item at a position (group, sub-item, ...); null when there is none.
    CMFCPropertyGridProperty* Item(int group, int sub = -1, int subSub = -1, int subSubSub = -1,
                                   int fifth = -1) const;
    // To the owner, else the main window, with both parameters 0.
    void PostToOwner(UINT message) const;
    // A save that failed is told once per pane and kind of file (`told`); the data keeps the
    // change and the next save tries again.
    void TellSaveFailure(bool saved, bool& told, const CString& what);

    DECLARE_MESSAGE_MAP()

private:
    static constexpr UINT kGridId = 2;
};
