// CTidalDiamondPane: the chart's tidal diamonds. The chooser lists them by name with their
// reference port's number; the line below gives the chosen diamond's position (degrees and
// minutes, the stored angles read as radians) and its reference port with that port's name, or
// "not linked" when no standard port of the year has its number. The table holds the diamond's
// rows: hours from high water at the reference port (one decimal), direction (degrees), spring and neap
// rates (knots).
#pragma once

#include "marevo/TidalDiamond.h"
#include "outside/tide/TideListPane.h"

class CTidalDiamondPane : public CTideListPane
{
public:
    enum COLUMN
    {
        COLUMN_HOURS,
        COLUMN_DIRECTION,
        COLUMN_SPRING,
        COLUMN_NEAP
    };

    BOOL Create(CWnd* pOwner, int nID, CTidalDiamond* pDiamonds);
    using CMyDockablePane::Create;

    // The diamonds as the program holds them now, the first chosen.
    void Refresh();
    // Shows diamond `index`; outside the list, an empty table.
    void SetDiamond(int index);
    int GetDiamond() const { return m_nDiamond; }

protected:
    void OnChooserChanged() override;

private:
    void Fill();

    CTidalDiamond* m_pDiamonds = nullptr;
    int m_nDiamond = 0;
};
