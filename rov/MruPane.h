// CMruPane: the docking pane that shows a motion reference unit's heading, pitch and roll on a
// pitch and roll view filling it, fed from the host's array of MRU records.
//
// The pane keeps the host's record pointer from its Create and reads it only in its update; it
// takes the index the host gives (an index beyond the host's array is the host's error) and
// ignores updates while the pointer is null.
#pragma once

#include "foundation/MyDockablePane.h"
#include "rov/RovApi.h"

class CMru;
class CPitchRollView;

class ROV_API CMruPane : public CMyDockablePane
{
public:
    CMruPane();
    ~CMruPane() override;

    // Titled "Motion Reference Unit (Heading Pitch Roll)" (string 10001); on success keeps the
    // first record of the host's array and shows record 0. Non-zero when created.
    int Create(CWnd* pOwner, int nID, CMru* pMru);
    using CMyDockablePane::Create;

    // Shows heading, pitch and roll of the host's MRU record `index` and repaints.
    void Update(int index);
    // The MRU fell silent (true) or reports again: the view's background shows it, once per
    // change.
    void SetTimeout(bool bTimeout);
    bool IsTimedOut() const { return m_bTimeout; }
    void SetDaylightMode();
    void SetNightMode(bool bNight);

    // The view fills the client area.
    void AdjustLayout();
    // The view the pane shows; null before the pane is created and once it is destroyed.
    CPitchRollView* GetView() const { return m_pView; }

    // The view's control id inside the pane.
    static constexpr UINT VIEW_ID = 3;

protected:
    int OnCreate(LPCREATESTRUCT lpCreateStruct);
    void OnSize(UINT nType, int cx, int cy);
    void OnDestroy();
    DECLARE_MESSAGE_MAP()

    CMru* m_pMru = nullptr;
    bool m_bTimeout = false;
    CPitchRollView* m_pView = nullptr;

private:
    // The view, when it is there to draw on.
    CPitchRollView* LiveView() const;
};
