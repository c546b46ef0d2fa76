// CTidalListingDlg: the high and low waters of the data set's current port over a span of days
// the user chooses (a first day of the year and 1 to 31 days). They are the turning points of
// the port's curve: each sample higher than the one before it and not lower than the next is a
// high water, each lower than the one before and not higher than the next a low water. Each
// line gives the date, the time (the curve's own, the port's standard time), "High" or "Low"
// and the height in metres.
#pragma once

#include "platform/ui/Dialog.h"

#include <vector>

#define IDD_TIDAL_LISTING 31860
#define IDC_LISTING_FIRST_DAY 31861
#define IDC_LISTING_DAYS 31862
#define IDC_LISTING_LIST 31863
#define IDC_LISTING_SHOW 31864
#define IDC_LISTING_STATUS 31865

class CNP159;

// One high or low water of a curve: seconds from 00:00 of 1 January of the data set's year.
struct TideExtreme
{
    double dSeconds;
    double dHeight;
    bool bHigh;
};

class CTidalListingDlg : public CDialog
{
public:
    static constexpr int kMaxDays = 31;

    CTidalListingDlg(CWnd* pParent, CNP159* pData);

    BOOL OnInitDialog() override;

    // The high and low waters of the current port from day `first` (0 = 1 January) for `days`
    // days; empty without data.
    static std::vector<TideExtreme> FindExtremes(CNP159* pData, int first, int days);

protected:
    void OnShow();
    DECLARE_MESSAGE_MAP()

private:
    CNP159* m_pData;
};
