// CTidePortPane: the tidal port in use, in a property grid. "Port" offers the data set's ports
// ("number name"); choosing one posts UM_NP159_TIDE_CURVE to the owner with the port's index,
// and the owner answers with SetPortIndex. Below it: the port's name, number, position and
// zone (the zone offset as UT+hh:mm), its thirteen harmonic constants (phases in degrees,
// amplitudes in metres), its eight co-tidal values (empty while it has none) with the co-tidal
// chart in use, and the clearance settings. A value that is not a number shows empty.
#pragma once

#include "foundation/PropertyGridPane.h"

class CNP159;
class CStandardPortList;
class CTimeZone;
class CClearance;
class CCoTidalChart;

class CTidePortPane : public CPropertyGridPane
{
public:
    static constexpr UINT IDC_PORT_GRID = 1;
    // The data word of the port chooser.
    static constexpr DWORD_PTR ITEM_PORT = 1;

    CTidePortPane() : CPropertyGridPane(IDC_PORT_GRID) {}

    // Every pointer belongs to the program and must outlive the pane; any may be null.
    BOOL Create(CWnd* pOwner, int nID, CNP159* pData, CStandardPortList* pPorts, CTimeZone* pZone,
                CClearance* pClearance, CCoTidalChart* pChart);
    using CMyDockablePane::Create;

    // Rebuilds the grid for the data set as it is now (after a new year's load).
    void InitPropList();
    // Makes port `index` the data set's current one and shows it; an index outside the list
    // shows the chooser alone.
    void SetPortIndex(int index);
    int GetPortIndex() const { return m_nPort; }

    // The grid's font: the GUI font in the face and weight of the system's message font.
    void SetPropListFont() override;

    // The year's tide table of the standard port whose number is the current port's (letter
    // case ignored), through the print dialog to a printer or a PDF file. The pages printed;
    // 0 when there is no such port or nothing was printed.
    int Print();

protected:
    LRESULT OnPropertyChanged(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

private:
    int PortCount() const;

    CNP159* m_pData = nullptr;
    CStandardPortList* m_pPorts = nullptr;
    CTimeZone* m_pZone = nullptr;
    CClearance* m_pClearance = nullptr;
    CCoTidalChart* m_pChart = nullptr;
    int m_nPort = -1;
};
