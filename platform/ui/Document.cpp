#include "platform/ui/Document.h"

#include "platform/core/Archive.h"
#include "platform/core/Exception.h"
#include "platform/core/File.h"
#include "platform/core/MemFile.h"
#include "platform/core/Path.h"
#include "platform/core/WinApp.h"
#include "platform/ui/DocTemplate.h"
#include "platform/ui/FileDialog.h"
#include "platform/ui/FrameStyles.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/FrameWnd.h"
#include "platform/ui/View.h"

#include <QSaveFile>

#include <algorithm>

#include <vector>

IMPLEMENT_DYNAMIC(CDocument, CCmdTarget)

CDocument::CDocument() = default;

CDocument::~CDocument()
{
    for (POSITION pos = m_viewList.GetHeadPosition(); pos;)
        static_cast<CView*>(m_viewList.GetNext(pos))->m_pDocument = nullptr;
    m_viewList.RemoveAll();
    if (m_pDocTemplate)
        m_pDocTemplate->RemoveDocument(this);
}

void CDocument::SetTitle(LPCTSTR lpszTitle)
{
    m_strTitle = lpszTitle ? lpszTitle : "";
    UpdateFrameCounts();
}

void CDocument::SetPathName(LPCTSTR lpszPathName, BOOL bAddToMRU)
{
    m_strPathName = lpszPathName ? lpszPathName : "";
    CString title = m_strPathName;
    const int slash = std::max(title.ReverseFind('\\'), title.ReverseFind('/'));
    if (slash >= 0)
        title = title.Mid(slash + 1);
    SetTitle(title);
    if (bAddToMRU && !m_strPathName.IsEmpty())
        if (CWinApp* app = AfxGetApp())
            app->AddToRecentFileList(m_strPathName);
}

POSITION CDocument::GetFirstViewPosition() const
{
    return m_viewList.GetHeadPosition();
}

CView* CDocument::GetNextView(POSITION& rPosition) const
{
    return rPosition ? static_cast<CView*>(m_viewList.GetNext(rPosition)) : nullptr;
}

void CDocument::AddView(CView* pView)
{
    if (!pView || m_viewList.Find(pView))
        return;
    if (pView->m_pDocument && pView->m_pDocument != this)
        pView->m_pDocument->RemoveView(pView);
    m_viewList.AddTail(pView);
    pView->m_pDocument = this;
    OnChangedViewList();
}

void CDocument::RemoveView(CView* pView)
{
    POSITION pos = pView ? m_viewList.Find(pView) : nullptr;
    if (!pos)
        return;
    m_viewList.RemoveAt(pos);
    pView->m_pDocument = nullptr;
    OnChangedViewList();
}

void CDocument::UpdateAllViews(CView* pSender, LPARAM lHint, CObject* pHint)
{
    for (POSITION pos = GetFirstViewPosition(); pos;)
        if (CView* view = GetNextView(pos); view != pSender)
            view->OnUpdate(pSender, lHint, pHint);
}

void CDocument::OnChangedViewList()
{
    if (m_viewList.IsEmpty() && m_bAutoDelete)
    {
        OnCloseDocument();
        return;
    }
    UpdateFrameCounts();
}

void CDocument::DeleteContents() {}

BOOL CDocument::OnNewDocument()
{
    DeleteContents();
    m_strPathName.Empty();
    SetModifiedFlag(FALSE);
    return TRUE;
}

BOOL CDocument::OnOpenDocument(LPCTSTR lpszPathName)
{
    CFile file;
    CFileException fe;
    if (!lpszPathName || !file.Open(lpszPathName, CFile::modeRead | CFile::shareDenyWrite, &fe))
        return FALSE;
    DeleteContents();
    SetModifiedFlag(TRUE); // a failed read leaves a document that is not the file
    try
    {
        CArchive ar(&file, CArchive::load | CArchive::bNoFlushOnDelete);
        ar.m_pDocument = this;
        Serialize(ar);
        ar.Close();
    }
    catch (CException* e)
    {
        e->Delete();
        file.Abort();
        DeleteContents();
        return FALSE;
    }
    file.Close();
    SetModifiedFlag(FALSE);
    return TRUE;
}

BOOL CDocument::OnSaveDocument(LPCTSTR lpszPathName)
{
    if (!lpszPathName || !*lpszPathName)
        return FALSE;
    // The whole file is made in memory first, so that a failure leaves the old file as it was.
    CMemFile memory;
    try
    {
        CArchive ar(&memory, CArchive::store | CArchive::bNoFlushOnDelete);
        ar.m_pDocument = this;
        Serialize(ar);
        ar.Close();
    }
    catch (CException* e)
    {
        e->Delete();
        return FALSE;
    }
    QSaveFile out(LinuxPathFromWindows(lpszPathName));
    if (!out.open(QIODevice::WriteOnly))
        return FALSE;
    const auto length = static_cast<qint64>(memory.GetLength());
    if (out.write(reinterpret_cast<const char*>(memory.GetBuffer()), length) != length || !out.commit())
        return FALSE;
    SetModifiedFlag(FALSE);
    return TRUE;
}

void CDocument::OnCloseDocument()
{
    // The frames go first; while they go, losing the views must not close this again.
    const BOOL autoDelete = m_bAutoDelete;
    m_bAutoDelete = FALSE;
    std::vector<HWND> frames;
    for (POSITION pos = GetFirstViewPosition(); pos;)
        if (CView* view = GetNextView(pos))
            if (CFrameWnd* frame = view->GetParentFrame())
                if (std::find(frames.begin(), frames.end(), frame->GetSafeHwnd()) == frames.end())
                    frames.push_back(frame->GetSafeHwnd());
    for (HWND h : frames)
        if (CWnd* frame = CWnd::FromHandle(h))
        {
            PreCloseFrame(static_cast<CFrameWnd*>(frame));
            frame->DestroyWindow();
        }
    m_bAutoDelete = autoDelete;
    DeleteContents();
    if (m_bAutoDelete)
        delete this;
}

BOOL CDocument::CanCloseFrame(CFrameWnd* pFrame)
{
    // Another frame still showing the document lets this one go without asking.
    for (POSITION pos = GetFirstViewPosition(); pos;)
        if (CView* view = GetNextView(pos))
            if (CFrameWnd* frame = view->GetParentFrame(); frame && frame != pFrame)
                return TRUE;
    return SaveModified();
}

BOOL CDocument::SaveModified()
{
    if (!IsModified())
        return TRUE;
    CString name = m_strTitle;
    if (name.IsEmpty())
        name = "Untitled";
    CString question;
    question.Format("Save changes to %s?", static_cast<LPCSTR>(name));
    switch (AfxMessageBox(question, MB_YESNOCANCEL | MB_ICONEXCLAMATION))
    {
    case IDYES:
        return DoFileSave();
    case IDNO:
        return TRUE;
    default:
        return FALSE;
    }
}

BOOL CDocument::DoFileSave()
{
    return DoSave(m_strPathName.IsEmpty() ? nullptr : static_cast<LPCSTR>(m_strPathName));
}

BOOL CDocument::DoSave(LPCTSTR lpszPathName, BOOL bReplace)
{
    CString path = lpszPathName ? lpszPathName : "";
    if (path.IsEmpty())
    {
        CString ext, filter, name = m_strTitle;
        if (m_pDocTemplate && m_pDocTemplate->GetDocString(ext, CDocTemplate::filterExt))
        {
            ext.TrimLeft('.');
            CString filterName;
            if (!m_pDocTemplate->GetDocString(filterName, CDocTemplate::filterName))
                filterName.Format("*.%s", static_cast<LPCSTR>(ext));
            filter.Format("%s|*.%s|All Files (*.*)|*.*||", static_cast<LPCSTR>(filterName),
                          static_cast<LPCSTR>(ext));
        }
        CFileDialog dlg(FALSE, ext.IsEmpty() ? nullptr : static_cast<LPCSTR>(ext), name,
                        OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT,
                        filter.IsEmpty() ? nullptr : static_cast<LPCSTR>(filter));
        if (dlg.DoModal() != IDOK)
            return FALSE;
        path = dlg.GetPathName();
    }
    if (!OnSaveDocument(path))
    {
        CString message;
        message.Format("The document could not be saved to %s.", static_cast<LPCSTR>(path));
        AfxMessageBox(message, MB_OK | MB_ICONEXCLAMATION);
        return FALSE;
    }
    if (bReplace)
        SetPathName(path);
    return TRUE;
}

BEGIN_MESSAGE_MAP(CDocument, CCmdTarget)
ON_COMMAND(ID_FILE_SAVE, &CDocument::OnFileSave)
ON_COMMAND(ID_FILE_SAVE_AS, &CDocument::OnFileSaveAs)
ON_COMMAND(ID_FILE_CLOSE, &CDocument::OnFileClose)
END_MESSAGE_MAP()

void CDocument::OnFileSave()
{
    DoFileSave();
}

void CDocument::OnFileSaveAs()
{
    DoSave(nullptr);
}

void CDocument::OnFileClose()
{
    if (SaveModified())
        OnCloseDocument();
}

void CDocument::PreCloseFrame(CFrameWnd*) {}

void CDocument::UpdateFrameCounts()
{
    for (POSITION pos = GetFirstViewPosition(); pos;)
        if (CView* view = GetNextView(pos))
            if (CFrameWnd* frame = view->GetParentFrame())
                frame->OnUpdateFrameTitle(TRUE);
}

BOOL CDocument::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    if (CCmdTarget::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    return m_pDocTemplate && m_pDocTemplate->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}
