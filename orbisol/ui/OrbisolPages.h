// The six pages of the solar program's sheet, in their order. Each is built on the sun
// observation and the observation's date and time as its page needs them; their controls
// arrive page by page.
#pragma once

#include "orbisol/ui/AnglesFormatPP.h"
#include "orbisol/ui/ColourPropertyPage.h"
#include "orbisol/ui/ComputeOrbisolPP.h"
#include "orbisol/ui/ObservationsPP.h"

class CSunObservation;
struct DateTimeDef;

// The sun's track over the day.
class CAzimuthPlotPP : public CColourPropertyPage
{
public:
    explicit CAzimuthPlotPP(CSunObservation* pSun);
    CSunObservation* m_pSunObservation;
};

// The almanac's polynomial coefficients of the month.
class CSunPolynomialCoeffsPP : public CColourPropertyPage
{
public:
    CSunPolynomialCoeffsPP(CSunObservation* pSun, DateTimeDef* pDateTime);
    CSunObservation* m_pSunObservation;
    DateTimeDef* m_pDateTime;
};

// The product, its version and the maker.
class CAboutPP : public CColourPropertyPage
{
public:
    CAboutPP();
};
