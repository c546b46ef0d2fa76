#include "platform/ui/DocTemplate.h"

#include "platform/core/WinApp.h"
#include "platform/ui/Document.h"
#include "platform/ui/FrameWnd.h"
#include "platform/ui/Resources.h"
#include "platform/ui/View.h"

IMPLEMENT_DYNAMIC(CDocTemplate, CCmdTarget)
IMPLEMENT_DYNAMIC(CSingleDocTemplate, CDocTemplate)

CDocTemplate::CDocTemplate(UINT nIDResource, CRuntimeClass* pDocClass, CRuntimeClass* pFrameClass,
                           CRuntimeClass* pViewClass)
    : m_nIDResource(nIDResource), m_pDocClass(pDocClass), m_pFrameClass(pFrameClass), m_pViewClass(pViewClass)
{
    AfxLoadString(nIDResource, m_strDocStrings);
}

CDocTemplate::~CDocTemplate() = default;

BOOL CDocTemplate::GetDocString(CString& rString, DocStringIndex index) const
{
    rString.Empty();
    int start = 0;
    for (int i = 0; i < static_cast<int>(index); ++i)
    {
        const int nl = m_strDocStrings.Find('\n', start);
        if (nl < 0)
            return FALSE;
        start = nl + 1;
    }
    const int end = m_strDocStrings.Find('\n', start);
    rString = end < 0 ? m_strDocStrings.Mid(start) : m_strDocStrings.Mid(start, end - start);
    return !rString.IsEmpty();
}

CDocument* CDocTemplate::CreateNewDocument()
{
    if (!m_pDocClass)
        return nullptr;
    CObject* object = m_pDocClass->CreateObject();
    auto* doc = DYNAMIC_DOWNCAST(CDocument, object);
    if (!doc)
    {
        delete object;
        return nullptr;
    }
    AddDocument(doc);
    return doc;
}

CFrameWnd* CDocTemplate::CreateNewFrame(CDocument* pDoc, CFrameWnd* pOther)
{
    if (!m_pFrameClass)
        return nullptr;
    CCreateContext context;
    context.m_pCurrentFrame = pOther;
    context.m_pCurrentDoc = pDoc;
    context.m_pNewViewClass = m_pViewClass;
    context.m_pNewDocTemplate = this;
    CObject* object = m_pFrameClass->CreateObject();
    auto* frame = DYNAMIC_DOWNCAST(CFrameWnd, object);
    if (!frame)
    {
        delete object;
        return nullptr;
    }
    // A frame that fails deletes itself.
    if (!frame->LoadFrame(m_nIDResource, WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE, nullptr, &context))
        return nullptr;
    return frame;
}

void CDocTemplate::InitialUpdateFrame(CFrameWnd* pFrame, CDocument* pDoc, BOOL bMakeVisible)
{
    if (pFrame)
        pFrame->InitialUpdateFrame(pDoc, bMakeVisible);
}

void CDocTemplate::AddDocument(CDocument* pDoc)
{
    if (pDoc)
        pDoc->m_pDocTemplate = this;
}

void CDocTemplate::RemoveDocument(CDocument* pDoc)
{
    if (pDoc && pDoc->m_pDocTemplate == this)
        pDoc->m_pDocTemplate = nullptr;
}

void CDocTemplate::CloseAllDocuments(BOOL)
{
    POSITION pos = GetFirstDocPosition();
    while (pos)
    {
        CDocument* doc = GetNextDoc(pos);
        doc->OnCloseDocument();
        pos = GetFirstDocPosition(); // closing may have changed the list
    }
}

BOOL CDocTemplate::SaveAllModified()
{
    for (POSITION pos = GetFirstDocPosition(); pos;)
        if (CDocument* doc = GetNextDoc(pos); doc && !doc->SaveModified())
            return FALSE;
    return TRUE;
}

// ---------------------------------------------------------------------------------------

CSingleDocTemplate::CSingleDocTemplate(UINT nIDResource, CRuntimeClass* pDocClass, CRuntimeClass* pFrameClass,
                                       CRuntimeClass* pViewClass)
    : CDocTemplate(nIDResource, pDocClass, pFrameClass, pViewClass)
{
}

CSingleDocTemplate::~CSingleDocTemplate()
{
    if (m_pOnlyDoc)
        m_pOnlyDoc->m_pDocTemplate = nullptr;
    m_pOnlyDoc = nullptr;
}

void CSingleDocTemplate::AddDocument(CDocument* pDoc)
{
    if (!pDoc)
        return;
    if (m_pOnlyDoc && m_pOnlyDoc != pDoc)
        m_pOnlyDoc->m_pDocTemplate = nullptr;
    m_pOnlyDoc = pDoc;
    CDocTemplate::AddDocument(pDoc);
}

void CSingleDocTemplate::RemoveDocument(CDocument* pDoc)
{
    if (pDoc && pDoc == m_pOnlyDoc)
        m_pOnlyDoc = nullptr;
    CDocTemplate::RemoveDocument(pDoc);
}

POSITION CSingleDocTemplate::GetFirstDocPosition() const
{
    return m_pOnlyDoc ? reinterpret_cast<POSITION>(static_cast<uintptr_t>(1)) : nullptr;
}

CDocument* CSingleDocTemplate::GetNextDoc(POSITION& rPos) const
{
    CDocument* doc = rPos ? m_pOnlyDoc : nullptr;
    rPos = nullptr;
    return doc;
}

void CSingleDocTemplate::SetDefaultTitle(CDocument* pDocument)
{
    CString title;
    if (!GetDocString(title, docName))
        title = "Untitled";
    pDocument->SetTitle(title);
}

CDocument* CSingleDocTemplate::OpenDocumentFile(LPCTSTR lpszPathName, BOOL bMakeVisible)
{
    CDocument* doc = m_pOnlyDoc;
    CFrameWnd* frame = nullptr;
    bool created = false;
    if (doc)
    {
        // The one document is reused: it must let its contents go first.
        if (!doc->SaveModified())
            return nullptr;
        POSITION pos = doc->GetFirstViewPosition();
        if (CView* view = doc->GetNextView(pos))
            frame = view->GetParentFrame();
    }
    else
    {
        doc = CreateNewDocument();
        if (!doc)
            return nullptr;
        created = true;
    }
    if (!frame)
    {
        // The document must outlive a frame that fails half-way.
        const BOOL autoDelete = doc->m_bAutoDelete;
        doc->m_bAutoDelete = FALSE;
        frame = CreateNewFrame(doc, nullptr);
        doc->m_bAutoDelete = autoDelete;
        if (!frame)
        {
            if (created)
                delete doc;
            return nullptr;
        }
        created = true;
    }
    if (lpszPathName == nullptr)
    {
        SetDefaultTitle(doc);
        if (!doc->OnNewDocument())
        {
            if (created)
                frame->DestroyWindow(); // takes the document with it
            return nullptr;
        }
    }
    else
    {
        if (!doc->OnOpenDocument(lpszPathName))
        {
            if (created)
                frame->DestroyWindow();
            return nullptr;
        }
        doc->SetPathName(lpszPathName);
    }
    CWinApp* app = AfxGetApp();
    if (created && app && app->m_pMainWnd == nullptr)
        app->m_pMainWnd = frame;
    InitialUpdateFrame(frame, doc, bMakeVisible);
    return doc;
}
