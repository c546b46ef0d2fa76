// CBubblePane: the docking pane, titled "Motion Reference Unit", in which the host levels a
// vessel or a subsea template by its tilt bubble (CBubbleView, filling the pane).
//
// The host hands it the vessel's and the template's MRU values as they arrive; the pane passes
// on those of the source its view follows. Every call is harmless before the pane is created.
#pragma once

#include "foundation/MyDockablePane.h"
#include "rov/RovApi.h"

class CBubbleView;

class ROV_API CBubblePane : public CMyDockablePane
{
public:
    CBubblePane();
    ~CBubblePane() override;

    // A vessel-only pane shows the vessel's tilt and offers no choice of source. Non-zero when
    // created.
    int Create(CWnd* pOwner, int nID, bool vesselOnly);
    using CMyDockablePane::Create;

    // Heading, pitch, roll, tilt angle and tilt heading in degrees, of the vessel's MRU and of
    // the template's; each is shown while the view follows that source.
    void UpdateVessel(double heading, double pitch, double roll, double tiltAngle, double tiltHeading);
    void UpdateTemplate(double heading, double pitch, double roll, double tiltAngle, double tiltHeading);
    // The template's second MRU (tilt angle, tilt heading); -1.0 for both: none.
    void UpdateTemplate2ndMRU(double tiltAngle, double tiltHeading);

    // The view the pane shows; null before the pane is created and once it is destroyed.
    CBubbleView* GetView() const;
    void SetDaylightMode();
    void SetNightMode(bool bNight);
    // The view's night flag; false without a view.
    bool GetNightMode() const;

    // The view fills the client area.
    void AdjustLayout();

protected:
    int OnCreate(LPCREATESTRUCT lpCreateStruct);
    void OnSize(UINT nType, int cx, int cy);
    void OnSetFocus(CWnd* pOldWnd);
    void OnDestroy();
    DECLARE_MESSAGE_MAP()

    CBubbleView* m_pView = nullptr;
    bool m_bVesselOnly = false;
    CWnd* m_pOwner = nullptr;

private:
    // The view, when it is there to draw on.
    CBubbleView* LiveView() const;
};
