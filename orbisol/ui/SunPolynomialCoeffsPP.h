// CSunPolynomialCoeffsPP: the sheet's polynomial coefficients page: the almanac's coefficients
// of the month of the picked date, each "%+10.6lf", with the declination's and E's check sums,
// so that the user can check them against the printed almanac. A year without an almanac shows
// zeros and the line that says why.
#pragma once

#include "orbisol/ui/ColourPropertyPage.h"
#include "orbisol/ui/EditClock.h"
#include "platform/ui/Edit.h"
#include "platform/ui/Static.h"

class CSunObservation;
struct DateTimeDef;
struct SunAlmanacDef;

class CSunPolynomialCoeffsPP : public CColourPropertyPage
{
public:
    CSunPolynomialCoeffsPP(CSunObservation* pSun, DateTimeDef* pDateTime);

    BOOL OnInitDialog() override;
    BOOL OnSetActive() override;
    BOOL OnKillActive() override;

    // The value as shown: "%+10.6lf".
    static CString FormatCoefficient(double value);

    CSunObservation* m_pSunObservation;
    DateTimeDef* m_pDateTime;

protected:
    LRESULT OnEditClock(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

    // Loads the record's year and shows its month's record.
    void ShowCoefficients();

    CEditClock m_Date;
    CStatic m_NoAlmanac;
};
