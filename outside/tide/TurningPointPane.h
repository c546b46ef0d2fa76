// CTurningPointPane: the high and low waters of one standard port, day by day. The chooser lists
// the year's standard ports ("number name"); the table has a row per turning point: the date
// and time in the computer's local zone, the height (metres, two decimals) and "High" or "Low".
// A point is high when it stands above its neighbours in the port's sequence and low when below
// them; a point whose height is not a number shows its time alone.
#pragma once

#include "marevo/StandardPortList.h"
#include "outside/tide/TideListPane.h"

class CTurningPointPane : public CTideListPane
{
public:
    enum COLUMN
    {
        COLUMN_DATE,
        COLUMN_TIME,
        COLUMN_HEIGHT,
        COLUMN_KIND
    };

    BOOL Create(CWnd* pOwner, int nID, CStandardPortList* pPorts, int nYear);
    using CMyDockablePane::Create;

    // The ports as the list holds them now (the program reloads them for the year first).
    void SetYear(int nYear);
    // Shows port `index` of the list; an index outside it shows an empty table.
    void SetPort(int index);
    int GetPort() const { return m_nPort; }

protected:
    void OnChooserChanged() override;

private:
    void FillChooser();
    void Fill();

    CStandardPortList* m_pPorts = nullptr;
    int m_nYear = 0;
    int m_nPort = 0;
};
