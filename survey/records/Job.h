// CJob: the job's titles and the people on it, as the project pane edits them.
#pragma once

#include "platform/core/String.h"

class CJob
{
public:
    CJob() = default;

    CString m_Company;
    CString m_Project;
    CString m_ClientCompany;
    CString m_ClientRepresentative;
    CString m_Location;
    CString m_Task;
    CString m_JobNumber;
    CString m_ReportId;
    CString m_PartyChief;
    CString m_SeniorSurveyorNight;
    CString m_Master;
    CString m_SeniorDpo;
    CString m_Dpo;
    CString m_JackEngineer;
};
