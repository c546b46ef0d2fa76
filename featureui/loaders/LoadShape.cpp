#include "featureui/loaders/LoadShape.h"

#include "featureui/loaders/LoadFileResources.h"
#include "features/LoadShapeThread.h"
#include "features/Shape.h"
#include "features/ShapeFileList.h"
#include "foundation/FilePath.h"
#include "foundation/WindowMessages.h"

namespace
{
// The loading dialog's template, registered before the first dialog is made from it.
UINT LoadFileTemplate()
{
    RegisterLoadFileTemplate();
    return IDD_LOAD_FILE;
}
} // namespace

IMPLEMENT_DYNAMIC(CLoadShape, CProgressDialog)

BEGIN_MESSAGE_MAP(CLoadShape, CProgressDialog)
ON_REGISTERED_MESSAGE(UM_SHAPE_THREAD, &CLoadShape::OnEndThread)
END_MESSAGE_MAP()

CLoadShape::CLoadShape(CWnd* pParent) : CProgressDialog(LoadFileTemplate(), IDC_LOAD_PROGRESS, pParent) {}

CLoadShape::~CLoadShape()
{
    // Here, while RequestStop is still this class's.
    StopWorker();
}

CString CLoadShape::GetCaption()
{
    CString caption;
    caption.Format("Loading Shape File %s.........", m_pShape ? m_pShape->m_Title.GetString() : "");
    return caption;
}

CWinThread* CLoadShape::StartWorker()
{
    m_EntitiesRead = 0;
    CLoadShapeThread* thread = static_cast<CLoadShapeThread*>(
        AfxBeginThread(RUNTIME_CLASS(CLoadShapeThread), THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED));
    if (!thread)
        return nullptr;
    thread->SetOwner(this);
    thread->m_pShape = m_pShape;
    thread->m_pProgress = &m_EntitiesRead;
    thread->ResumeThread();
    return thread;
}

void CLoadShape::RequestStop()
{
    if (m_pWorker)
        static_cast<CLoadShapeThread*>(m_pWorker)->m_bStop = true;
}

void CLoadShape::OnProgressTick()
{
    const int32_t count = m_pShape ? m_pShape->m_EntityCount.load() : 0;
    if (count <= 0)
        return;
    const int32_t read = m_EntitiesRead;
    // The full 32-bit range: a file of more than 32767 entities would overflow the 16-bit form.
    m_Progress.SetRange32(1, count);
    m_Progress.SetPos(read);
    CString text;
    text.Format("Copied %ld of %ld Entities", static_cast<long>(read), static_cast<long>(count));
    SetDlgItemText(IDC_LOAD_STATUS, text);
}

LRESULT CLoadShape::OnEndThread(WPARAM wParam, LPARAM)
{
    if (wParam != 0)
        m_nResult = IDCANCEL;
    EndDialog(m_nResult);
    return 0;
}

bool LoadShapeFile(const char* path, CShapeFileList* list)
{
    CShape* shape = new CShape;
    shape->m_FilePath = path;
    shape->m_Title = GetFileTitleFromPath(path);
    bool loaded = false;
    {
        CLoadShape dialog;
        dialog.SetShape(shape);
        loaded = (dialog.DoModal() == IDOK);
    }
    if (loaded && list)
    {
        list->Add(shape);
        list->m_bChanged = true;
        return true;
    }
    delete shape;
    return false;
}

void LoadShapeFiles(CShapeFileList* list)
{
    if (!list)
        return;
    // A copy, since loading must not depend on what the list's owner does with its names.
    CStringArray paths;
    paths.Copy(list->m_FileNames);
    for (INT_PTR i = 0; i < paths.GetSize(); ++i)
        LoadShapeFile(paths[i], list);
}

bool AddShapeFile(const char* path, CShapeFileList* list)
{
    if (!list || list->FindShape(path) >= 0)
        return false;
    if (!LoadShapeFile(path, list))
        return false;
    list->m_FileNames.Add(path);
    list->SaveFileList();
    return true;
}
