// CMagVarSplashDlg: the short modal splash shown at start that names the magnetic model in use
// and its validity, and warns when the date is outside it. It closes on its own after a moment
// (SetDelay), or at a click or a key; shown while a program starts (DoModalWhile), as soon as
// the start-up is done.
#pragma once

#include "platform/core/OleDateTime.h"
#include "outside/deklino/MagneticModel.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/Font.h"

#include <functional>

class CMagVarSplashDlg : public CDialog
{
public:
    enum
    {
        DEFAULT_DELAY = 1000 // milliseconds
    };

    explicit CMagVarSplashDlg(CWnd* pParent = nullptr);

    // The date checked against the model's validity (today unless set before DoModal).
    void SetDate(const COleDateTime& date) { m_Date = date; }
    // How long the splash stays at most, milliseconds.
    void SetDelay(UINT milliseconds) { m_nDelay = milliseconds; }
    // Shows the splash modally and runs `work` (a program's start-up) once it shows. With no
    // warning to read it closes as soon as the work is done; with one, when its delay has
    // passed, counted from its showing (or at a click). The work runs all the same when the
    // splash does not show (the dialog cannot be made, or a test answers it).
    INT_PTR DoModalWhile(std::function<void()> work);
    const CMagneticModel& GetModel() const { return m_Model; }
    // The warning shown for the date; empty while the date is within the model's validity.
    CString GetWarningText() const;

    BOOL OnInitDialog() override;

protected:
    void OnTimer(UINT_PTR nIDEvent);
    void OnLButtonDown(UINT nFlags, CPoint point);
    HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
    LRESULT OnRunWork(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

private:
    CMagneticModel m_Model;
    COleDateTime m_Date;
    UINT m_nDelay = DEFAULT_DELAY;
    CFont m_TitleFont;
    std::function<void()> m_Work; // the start-up to run once shown; empty once it ran
    bool m_bWorkPosted = false;
};
