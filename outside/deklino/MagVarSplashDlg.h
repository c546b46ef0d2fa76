// CMagVarSplashDlg: the short modal splash shown at start that names the magnetic model in use
// and its validity, and warns when the date is outside it. It closes on its own after a moment
// (SetDelay), or at a click or a key.
#pragma once

#include "platform/core/OleDateTime.h"
#include "outside/deklino/MagneticModel.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/Font.h"

class CMagVarSplashDlg : public CDialog
{
public:
    enum
    {
        DEFAULT_DELAY = 3000 // milliseconds
    };

    explicit CMagVarSplashDlg(CWnd* pParent = nullptr);

    // The date checked against the model's validity (today unless set before DoModal).
    void SetDate(const COleDateTime& date) { m_Date = date; }
    // How long the splash stays, milliseconds.
    void SetDelay(UINT milliseconds) { m_nDelay = milliseconds; }
    const CMagneticModel& GetModel() const { return m_Model; }
    // The warning shown for the date; empty while the date is within the model's validity.
    CString GetWarningText() const;

    BOOL OnInitDialog() override;

protected:
    void OnTimer(UINT_PTR nIDEvent);
    void OnLButtonDown(UINT nFlags, CPoint point);
    DECLARE_MESSAGE_MAP()

private:
    CMagneticModel m_Model;
    COleDateTime m_Date;
    UINT m_nDelay = DEFAULT_DELAY;
    CFont m_TitleFont;
};
