// CDocument: the data side of the document/view pair. It knows its views, its template, its
// title and file, and whether it changed; commands reach it after its active view.
#pragma once

#include "platform/core/CmdTarget.h"
#include "platform/core/List.h"
#include "platform/core/String.h"

class CArchive;
class CDocTemplate;
class CFrameWnd;
class CView;

class PLATFORM_API CDocument : public CCmdTarget
{
    DECLARE_DYNAMIC(CDocument)
public:
    CDocument();
    // Leaves its template and unhooks the views still showing it.
    ~CDocument() override;

    const CString& GetTitle() const { return m_strTitle; }
    // Renames the document and retitles the frames that show it.
    virtual void SetTitle(LPCTSTR lpszTitle);
    const CString& GetPathName() const { return m_strPathName; }
    // The path (a Windows path); the title becomes the file's name.
    virtual void SetPathName(LPCTSTR lpszPathName, BOOL bAddToMRU = TRUE);
    CDocTemplate* GetDocTemplate() const { return m_pDocTemplate; }

    virtual BOOL IsModified() { return m_bModified; }
    virtual void SetModifiedFlag(BOOL bModified = TRUE) { m_bModified = bModified; }

    // ----- Views ------------------------------------------------------------------------
    virtual POSITION GetFirstViewPosition() const;
    virtual CView* GetNextView(POSITION& rPosition) const;
    void AddView(CView* pView);
    void RemoveView(CView* pView);
    // OnUpdate of every view but the sender.
    void UpdateAllViews(CView* pSender, LPARAM lHint = 0L, CObject* pHint = nullptr);
    // When the last view went, an auto-deleting document closes itself.
    virtual void OnChangedViewList();

    // ----- Life -------------------------------------------------------------------------
    virtual void DeleteContents();
    // Empties the document; FALSE refuses the new document.
    virtual BOOL OnNewDocument();
    // Reads the file through Serialize (a CArchive over it); FALSE when it cannot be read.
    virtual BOOL OnOpenDocument(LPCTSTR lpszPathName);
    // Writes the file through Serialize, whole or not at all; FALSE when it cannot be written.
    virtual BOOL OnSaveDocument(LPCTSTR lpszPathName);
    // Destroys the frames of its views and, when auto-deleting, the document itself.
    virtual void OnCloseDocument();
    virtual BOOL CanCloseFrame(CFrameWnd* pFrame);
    // An unmodified document goes at once. A modified one asks "Save changes to <title>?":
    // Yes saves it (DoFileSave), No lets it go, Cancel keeps it. TRUE lets it go.
    virtual BOOL SaveModified();
    // Saves to the document's file, or to one the user names (a save dialog) when it has
    // none. A failure is reported to the user; FALSE then, and the document stays modified.
    virtual BOOL DoFileSave();
    // bReplace: the document takes the new path; FALSE saves a copy.
    virtual BOOL DoSave(LPCTSTR lpszPathName, BOOL bReplace = TRUE);
    virtual void PreCloseFrame(CFrameWnd* pFrame);
    // Retitles the frames of the views.
    void UpdateFrameCounts();

    // The document first, then its template.
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;

    BOOL m_bAutoDelete = TRUE;
    BOOL m_bEmbedded = FALSE;
    CDocTemplate* m_pDocTemplate = nullptr;

protected:
    void OnFileSave();
    void OnFileSaveAs();
    void OnFileClose();
    DECLARE_MESSAGE_MAP()

    CString m_strTitle;
    CString m_strPathName;
    BOOL m_bModified = FALSE;
    CPtrList m_viewList;
};
