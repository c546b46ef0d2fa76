// CProjectPane ("Project Details"): the job's administrative details that the host prints in
// its reports: the company, the project, the client, the survey party and the vessel's crew,
// each a line of text the user types. Every change goes into the host's job record and the
// whole "JOB" file is written again at once.
//
// The rows carry the ids of ROW below; "Senior DPO" and "DPO" show only when the host asked
// for the DP officers.
#pragma once

#include "survey/SurveyApi.h"
#include "survey/SurveyPane.h"

class CJob;

class SURVEY_API CProjectPane : public CSurveyPane
{
    DECLARE_DYNAMIC(CProjectPane)

public:
    // The rows' ids, in the order of the grid.
    enum ROW
    {
        ROW_COMPANY = 1,
        ROW_PROJECT,
        ROW_LOCATION,
        ROW_TASK,
        ROW_JOB_NUMBER,
        ROW_REPORT_ID,
        ROW_CLIENT_COMPANY,
        ROW_CLIENT_REP,
        ROW_PARTY_CHIEF,
        ROW_SENIOR_SURVEYOR,
        ROW_MASTER,
        ROW_SENIOR_DPO,
        ROW_DPO,
        ROW_JACK_ENGINEER,
        ROW_LAST = ROW_JACK_ENGINEER
    };

    CProjectPane();
    ~CProjectPane() override;

    // 1 when made. The job stays the host's and must outlive the pane; without one the grid
    // stays empty.
    int Create(CWnd* pParent, int nID, CJob* pJob, bool bShowDpOfficers);

    void InitPropList() override;

    // The job's text field behind a row id; null for any other id.
    static CString* JobField(CJob& job, int row);

protected:
    // AFX_WM_PROPERTY_CHANGED, lParam the row edited: its text into the job's field, then the
    // job saved ("JOB"; a file that cannot be written is left as it was and the record keeps
    // the text). Rows of other ids change nothing. 0.
    LRESULT OnPropertyChanged(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

private:
    CJob* m_pJob = nullptr;
    bool m_bShowDpOfficers = false;
};
