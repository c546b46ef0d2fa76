// Document templates: what a program makes for each document (document, frame and view by
// their run-time classes) and the strings of resource id nIDResource ("\n"-separated: window
// title, document name, new-file name, filter name, filter extension, file type id and name).
#pragma once

#include "platform/core/CmdTarget.h"
#include "platform/core/List.h"
#include "platform/core/String.h"

class CDocument;
class CFrameWnd;

class PLATFORM_API CDocTemplate : public CCmdTarget
{
    DECLARE_DYNAMIC(CDocTemplate)
public:
    enum DocStringIndex
    {
        windowTitle,
        docName,
        fileNewName,
        filterName,
        filterExt,
        regFileTypeId,
        regFileTypeName
    };

    CDocTemplate(UINT nIDResource, CRuntimeClass* pDocClass, CRuntimeClass* pFrameClass,
                 CRuntimeClass* pViewClass);
    // Documents still open are let go (they no longer know the template).
    ~CDocTemplate() override;

    // FALSE (empty text) when the part is empty or missing.
    virtual BOOL GetDocString(CString& rString, DocStringIndex index) const;

    // A new document of the document class, joined to this template; null when it cannot be
    // made.
    virtual CDocument* CreateNewDocument();
    // A new frame (LoadFrame with this template's resource id) with a view of the view class
    // for pDoc; null when it cannot be made.
    virtual CFrameWnd* CreateNewFrame(CDocument* pDoc, CFrameWnd* pOther);
    virtual void InitialUpdateFrame(CFrameWnd* pFrame, CDocument* pDoc, BOOL bMakeVisible = TRUE);
    // A new document (null path) or the named file, with its frame and view; null on failure.
    virtual CDocument* OpenDocumentFile(LPCTSTR lpszPathName, BOOL bMakeVisible = TRUE) = 0;
    virtual void AddDocument(CDocument* pDoc);
    virtual void RemoveDocument(CDocument* pDoc);
    virtual POSITION GetFirstDocPosition() const = 0;
    virtual CDocument* GetNextDoc(POSITION& rPos) const = 0;
    // The title of a new document: the document name, else "Untitled".
    virtual void SetDefaultTitle(CDocument* pDocument) = 0;
    virtual void CloseAllDocuments(BOOL bEndSession);
    virtual BOOL SaveAllModified();

    UINT GetResourceId() const { return m_nIDResource; }

    UINT m_nIDResource;
    CRuntimeClass* m_pDocClass;
    CRuntimeClass* m_pFrameClass;
    CRuntimeClass* m_pViewClass;
    CString m_strDocStrings;
};

// One document at a time: a new or opened document replaces the old one in the same frame.
class PLATFORM_API CSingleDocTemplate : public CDocTemplate
{
    DECLARE_DYNAMIC(CSingleDocTemplate)
public:
    CSingleDocTemplate(UINT nIDResource, CRuntimeClass* pDocClass, CRuntimeClass* pFrameClass,
                       CRuntimeClass* pViewClass);
    ~CSingleDocTemplate() override;

    CDocument* OpenDocumentFile(LPCTSTR lpszPathName, BOOL bMakeVisible = TRUE) override;
    void AddDocument(CDocument* pDoc) override;
    void RemoveDocument(CDocument* pDoc) override;
    POSITION GetFirstDocPosition() const override;
    CDocument* GetNextDoc(POSITION& rPos) const override;
    void SetDefaultTitle(CDocument* pDocument) override;

protected:
    CDocument* m_pOnlyDoc = nullptr;
};
