// CNetworkObservationsPane: one observation of the network at a time, chosen by a "From" and a
// "To" station: whether its range and bearing are used, their observed values and standard
// errors, with the computed values and differences beside them; also the network's measurement
// method and speed of sound. It starts hidden until the user's layout shows it.
//
// Units at the items: the network keeps bearings in degrees, the bearing items of the grid show
// "Observed" and "Computed" as full-circle angles holding radians, so the pane converts both
// ways; "O-C" is a signed angle holding degrees. The bearing standard error is in arc seconds,
// as the adjustment weighs it.
//
// Every edit of an observation is written into the "From" station, saved into the network file
// and leaves the network un-adjusted. The frame hears of an edit (UM_UPDATE_STATION) when it
// moves what the plan view draws, or when it undoes an adjustment whose residuals the matrix
// shows. A standard error of 0 or less (an infinite or negative
// weight), a negative observed range and a speed of sound of 0 or less are refused at the item.
#pragma once

#include "foundation/PropertyGridPane.h"
#include "foundation/XYArray.h"

#include <cstdint>

class CNetwork;
class CNetworkSaveGuard;
class CMFCPropertyGridProperty;

class CNetworkObservationsPane : public CPropertyGridPane
{
    DECLARE_DYNAMIC(CNetworkObservationsPane)
public:
    CNetworkObservationsPane() : CPropertyGridPane(1) {}

    // A pane of the frame showing the network (the frame owns it and outlives the pane);
    // pSaveGuard keeps a network file that did not load whole from being saved over unasked.
    BOOL Create(CWnd* pFrame, CNetwork* pNetwork, CNetworkSaveGuard* pSaveGuard = nullptr);
    using CMyDockablePane::Create;

    // Rebuilds the grid for the network as it is now, then shows the current observation.
    void InitPropList();
    // Keeps "From" and "To" inside the network and shows their observation.
    void UpdateValues();

    // The settings file "Network Observations": "From" and "To".
    void LoadSettings();
    bool SaveSettings() const;

    int GetFrom() const { return m_nFrom; }
    int GetTo() const { return m_nTo; }
    const tagXY& GetPosition() const { return m_Position; }

    // The item data that drives the edits.
    enum
    {
        DATA_MEASUREMENT = 1,
        DATA_SPEED_OF_SOUND,
        DATA_FROM,
        DATA_TO,
        DATA_USE_RANGE,
        DATA_OBSERVED_RANGE,
        DATA_RANGE_SE,
        DATA_USE_BEARING,
        DATA_OBSERVED_BEARING,
        DATA_BEARING_SE
    };

    CNetwork* m_pNetwork = nullptr;

protected:
    LRESULT OnPropertyChanged(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

private:
    // The station count of the network (0 without one).
    int StationCount() const;
    // "From" and "To" below the station count, neither negative.
    void ClampIndices();
    // Writes the edited record back into the "From" station of the network.
    void StoreObservation(int nData, const CMFCPropertyGridProperty& item);
    void PostStationUpdate(WPARAM wParam);
    bool SaveNetwork();

    CNetworkSaveGuard* m_pSaveGuard = nullptr;
    int16_t m_nFrom = 0;
    int16_t m_nTo = 1;
    tagXY m_Position{};
    // The "Range" and "Bearing" groups (owned by the grid).
    CMFCPropertyGridProperty* m_pGroups[2] = {nullptr, nullptr};
};
