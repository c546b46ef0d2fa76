#include "survey/ProjectPane.h"

#include "survey/JobFile.h"
#include "survey/records/Job.h"

IMPLEMENT_DYNAMIC(CProjectPane, CSurveyPane)

BEGIN_MESSAGE_MAP(CProjectPane, CSurveyPane)
ON_REGISTERED_MESSAGE(AFX_WM_PROPERTY_CHANGED, &CProjectPane::OnPropertyChanged)
END_MESSAGE_MAP()

namespace
{
struct ProjectRowDef
{
    const char* group;
    const char* name;
    int id;
    const char* prompt;
};

const ProjectRowDef PROJECT_ROWS[] = {
    {"Company", "Name", CProjectPane::ROW_COMPANY, "Enter the name of the company"},
    {"Project", "Name", CProjectPane::ROW_PROJECT, "Enter the name of the Project"},
    {"Project", "Location", CProjectPane::ROW_LOCATION, "Enter the name of the Location"},
    {"Project", "Task", CProjectPane::ROW_TASK, "Enter the name of the Task"},
    {"Project", "Job Number", CProjectPane::ROW_JOB_NUMBER, "Enter the name of the Job Number"},
    {"Project", "Report ID", CProjectPane::ROW_REPORT_ID, "Enter the ID for the report"},
    {"Client", "Company", CProjectPane::ROW_CLIENT_COMPANY, "Enter the name of the Client Company"},
    {"Client", "Rep.", CProjectPane::ROW_CLIENT_REP, "Enter the name of the Client Rep"},
    {"Survey", "Party Chief", CProjectPane::ROW_PARTY_CHIEF, "Enter the name of the Survey Party Chief"},
    {"Survey", "Senior Surveyor", CProjectPane::ROW_SENIOR_SURVEYOR,
     "Enter the name of the Senior Surveyor on the night shift"},
    {"Vessel", "Master", CProjectPane::ROW_MASTER, "Enter the name of the Master"},
    {"Vessel", "Senior DPO", CProjectPane::ROW_SENIOR_DPO, "Enter the name of the Senior DPO"},
    {"Vessel", "DPO", CProjectPane::ROW_DPO, "Enter the name of the DPO"},
    {"Vessel", "Jack Engineer", CProjectPane::ROW_JACK_ENGINEER, "Enter the name of the Jack Engineer"},
};
} // namespace

CProjectPane::CProjectPane() = default;

CProjectPane::~CProjectPane() = default;

int CProjectPane::Create(CWnd* pParent, int nID, CJob* pJob, bool bShowDpOfficers)
{
    return CreatePane(pParent, nID, "Project Details", [=] {
        m_pJob = pJob;
        m_bShowDpOfficers = bShowDpOfficers;
    });
}

CString* CProjectPane::JobField(CJob& job, int row)
{
    switch (row)
    {
    case ROW_COMPANY:
        return &job.m_Company;
    case ROW_PROJECT:
        return &job.m_Project;
    case ROW_LOCATION:
        return &job.m_Location;
    case ROW_TASK:
        return &job.m_Task;
    case ROW_JOB_NUMBER:
        return &job.m_JobNumber;
    case ROW_REPORT_ID:
        return &job.m_ReportId;
    case ROW_CLIENT_COMPANY:
        return &job.m_ClientCompany;
    case ROW_CLIENT_REP:
        return &job.m_ClientRepresentative;
    case ROW_PARTY_CHIEF:
        return &job.m_PartyChief;
    case ROW_SENIOR_SURVEYOR:
        return &job.m_SeniorSurveyorNight;
    case ROW_MASTER:
        return &job.m_Master;
    case ROW_SENIOR_DPO:
        return &job.m_SeniorDpo;
    case ROW_DPO:
        return &job.m_Dpo;
    case ROW_JACK_ENGINEER:
        return &job.m_JackEngineer;
    default:
        return nullptr;
    }
}

void CProjectPane::InitPropList()
{
    BeginPropList();
    if (m_pJob == nullptr)
        return;
    CMFCPropertyGridProperty* group = nullptr;
    for (const ProjectRowDef& row : PROJECT_ROWS)
    {
        if (group == nullptr || CString(group->GetName()) != row.group)
        {
            if (group != nullptr)
                m_wndPropList.AddProperty(group);
            group = new CMFCPropertyGridProperty(row.group);
        }
        auto* item = new CMFCPropertyGridProperty(row.name, COleVariant(*JobField(*m_pJob, row.id)),
                                                  row.prompt, static_cast<DWORD_PTR>(row.id));
        if (row.id == ROW_SENIOR_DPO || row.id == ROW_DPO)
            item->Show(m_bShowDpOfficers ? TRUE : FALSE, FALSE);
        group->AddSubItem(item);
    }
    m_wndPropList.AddProperty(group);
    for (int i = 0; i < m_wndPropList.GetPropertyCount(); ++i)
        m_wndPropList.GetProperty(i)->Expand(TRUE);
}

LRESULT CProjectPane::OnPropertyChanged(WPARAM, LPARAM lParam)
{
    auto* item = reinterpret_cast<CMFCPropertyGridProperty*>(lParam);
    if (item == nullptr || m_pJob == nullptr)
        return 0;
    CString* field = JobField(*m_pJob, static_cast<int>(item->GetData()));
    if (field == nullptr)
        return 0;
    *field = item->GetValue().bstrVal;
    // A file that cannot be written keeps its old text; the record keeps the new.
    SaveJob(*m_pJob);
    return 0;
}
