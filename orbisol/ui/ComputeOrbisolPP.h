// CComputeOrbisolPP: the sheet's first page. The user types the observer's position, picks the
// date and UT of the observation and types the angle from the sun to the reference object;
// the page shows the sun's declination, E, GHA and LHA and the azimuths of the sun and the
// R.O. from the application's sun observation, and prints them for the survey record. With no
// almanac for the date's year the results stay blank, a line says why, and nothing prints.
#pragma once

#include "foundation/ColourButton.h"
#include "orbisol/ui/ColourPropertyPage.h"
#include "orbisol/ui/DispAngle.h"
#include "orbisol/ui/DispTime.h"
#include "orbisol/ui/EditAngle.h"
#include "orbisol/ui/EditClock.h"
#include "orbisol/SunObservation.h"
#include "platform/ui/Static.h"

struct DateTimeDef;

class CComputeOrbisolPP : public CColourPropertyPage
{
public:
    CComputeOrbisolPP(CSunObservation* pSun, DateTimeDef* pDateTime);

    BOOL OnInitDialog() override;
    BOOL OnSetActive() override;

    // The background of the two azimuths (COLORREF).
    static constexpr COLORREF kAzimuthColour = 0x99FFFF;

    // Why there are no results ("No almanac for 2031: sarsun31.dat line 9: 14 of 15 fields");
    // empty while there are.
    CString GetNoResultsText() const { return m_NoResultsText; }

    CSunObservation* m_pSunObservation;
    DateTimeDef* m_pDateTime;

protected:
    void OnLatitudeKillFocus();
    void OnLongitudeKillFocus();
    void OnROAngleKillFocus();
    void OnEditChange();
    LRESULT OnEditClock(WPARAM wParam, LPARAM lParam);
    void OnCompute() { Refresh(); }
    void OnPrint();
    HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
    DECLARE_MESSAGE_MAP()

    // Takes the edit's value into the observation when the user changed it and the text reads
    // as an angle; then saves the settings and refreshes. A refused text commits nothing.
    void CommitEdit(CEditAngle& edit, double CSunObservation::*field);
    // The observation follows the record: its year's almanac, its day of year and its time of
    // day, so that what is computed is what the pickers show.
    void TakeDateTime();
    // Hides "Compute", computes and shows the results, or blanks them and says why.
    void Refresh();
    void ShowEdits();
    void ShowResults();
    CString DescribeNoResults() const;

    CEditLat m_Latitude;
    CEditLon m_Longitude;
    CEditAngle m_ROAngle;
    CEditClock m_Date;
    CEditClock m_Time;
    CDispLat m_Declination;
    CDispTime m_E;
    CDispLon m_GHA;
    CDispTime m_GHATime;
    CDispLon m_LHA;
    CDispTime m_LHATime;
    CDispAngle m_SunAzimuth;
    CDispAngle m_ROAzimuth;
    CColourButton m_Compute;
    CColourButton m_Print;
    CStatic m_NoResults;
    CBrush m_AzimuthBrush;
    CString m_NoResultsText;
};
