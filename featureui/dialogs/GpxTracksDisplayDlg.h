// CGpxTracksDisplayDlg: the modal dialog that tabulates one GPX track point by point, with leg
// and running totals; the combo chooses the track.
#pragma once

#include "featureui/TolvarApi.h"
#include "foundation/ColourButton.h"
#include "foundation/ColourDialogEx.h"
#include "foundation/MyListCtrl.h"
#include "platform/ui/ComboBox.h"

class CGPX;

class TOLVAR_API CGpxTracksDisplayDlg : public CColourDialogEx
{
    DECLARE_DYNAMIC(CGpxTracksDisplayDlg)
public:
    explicit CGpxTracksDisplayDlg(CWnd* pParent = nullptr);

    // The host's data (borrowed); call before DoModal.
    void SetData(CGPX* pGpx) { m_pGpx = pGpx; }

    // "<days> Day(s) <time>" of a total time from the start (s): whole days taken off, the rest
    // as a time of day, cut to "MM:SS" under an hour.
    static CString FormatTotalTime(double seconds);

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnSelchangeTrackSelectCombo();
    DECLARE_MESSAGE_MAP()

    CGPX* m_pGpx = nullptr;
    int m_nTrack = 0;
    CComboBox m_TrackSelect;
    CMyListCtrl m_List;
    CColourButton m_OK;

private:
    // Fills the table with the shown track; a track index outside the list, or a track without
    // points, leaves it empty.
    void Display();
};
