// CObservationsPP: the sheet's observations page. The observer types the horizontal circle
// readings of both faces to the R.O. and to the sun, and takes each sun pointing's UT from the
// clock or picks it; the page shows the means and, on "Apply", turns them into the angle from
// the sun to the R.O. and the time of the observation, then brings the compute page forward.
#pragma once

#include "foundation/ColourButton.h"
#include "orbisol/ObservationReadings.h"
#include "orbisol/ui/ColourPropertyPage.h"
#include "orbisol/ui/DispAngle.h"
#include "orbisol/ui/EditAngle.h"
#include "orbisol/ui/EditClock.h"
#include "platform/ui/GdiObject.h"
#include "platform/ui/Static.h"

class CSunObservation;
class CColourPropertySheet;
struct DateTimeDef;

class CObservationsPP : public CColourPropertyPage
{
public:
    CObservationsPP(CSunObservation* pSun, DateTimeDef* pDateTime);

    BOOL OnInitDialog() override;
    BOOL OnSetActive() override;
    BOOL OnKillActive() override;

    // The background of the three means (COLORREF).
    static constexpr COLORREF kMeanColour = 0x99FFFF;

    const CObservationReadings& GetReadings() const { return m_Readings; }
    // The mean time as shown: "%02d:%02d:%02d".
    static CString FormatMeanTime(double seconds);

    CSunObservation* m_pSunObservation;
    DateTimeDef* m_pDateTime;

protected:
    void OnReadingKillFocus(UINT nID);
    void OnTimeNow(UINT nID);
    LRESULT OnEditClock(WPARAM wParam, LPARAM lParam);
    void OnApply();
    HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
    DECLARE_MESSAGE_MAP()

    // Takes the edit's text into the reading when the user changed it and it reads as an
    // angle; a refused text leaves the reading as it was.
    bool CommitReading(UINT nID);
    CEditAngle* ReadingEdit(UINT nID, double** reading);
    void ShowMeanTime();
    void ShowMeanSun();
    void ShowMeanRO();
    void ShowPictures();
    CColourPropertySheet* GetColourSheet() const;

    CObservationReadings m_Readings;
    CEditAngle m_FaceLeftRO;
    CEditAngle m_FaceLeftSunLeft;
    CEditAngle m_FaceLeftSunRight;
    CEditAngle m_FaceRightSunLeft;
    CEditAngle m_FaceRightSunRight;
    CEditAngle m_FaceRightRO;
    CEditClock m_Times[CObservationReadings::PointingCount];
    CStatic m_MeanTime;
    CDispAngle m_MeanSun;
    CDispAngle m_MeanRO;
    CColourButton m_TimeNow[CObservationReadings::PointingCount];
    CColourButton m_Apply;
    CStatic m_Pictures[7];
    CBitmap m_Bitmaps[4];
    CBrush m_MeanBrush;
};
