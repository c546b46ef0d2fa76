// CInputYear: a small modal dialog that asks for a year. It takes only a whole year of one
// century, 2000 to 2099, the years whose yearly files the tide data names by their last two
// digits without one year standing for another; anything else is refused with a message and
// the dialog stays open.
#pragma once

#include "platform/ui/Dialog.h"

// The dialog's template and item ids, for tests that answer it.
#define IDD_INPUT_YEAR 30610
#define IDC_INPUT_YEAR_PROMPT 30611
#define IDC_INPUT_YEAR_VALUE 30612

class CInputYear : public CDialog
{
public:
    static constexpr int kFirstYear = 2000;
    static constexpr int kLastYear = 2099;

    // Opens on `year` (shown empty when it is outside the window).
    CInputYear(CWnd* pParent, int year);

    BOOL OnInitDialog() override;
    void OnOK() override;

    // The year the dialog opened on, and after IDOK the year typed.
    int m_nYear;

    // The whole text as a year of the window, blanks around it allowed; false for anything else
    // ("", "24", "2024.5", "1970", "2100").
    static bool ParseYear(const CString& text, int& year);
};
