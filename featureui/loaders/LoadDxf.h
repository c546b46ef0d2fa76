// CLoadDxf: the modal progress dialog behind which a DXF drawing (CDxf) is read by a
// CLoadDxfThread, which also writes the drawing's DIG cache; as CLoadDig, with its "Quit" drawn
// as a colour button.
//
// DoModal gives IDOK when the worker finished (a file that did not open leaves the drawing
// empty) and IDCANCEL when the user quit; it returns only once the worker has ended.
#pragma once

#include "featureui/TolvarApi.h"

#include "featureui/loaders/LoadDig.h"
#include "features/Dxf.h"
#include "foundation/ColourButton.h"

class TOLVAR_API CLoadDxf : public CLoadDrawingDialog
{
    DECLARE_DYNAMIC(CLoadDxf)
public:
    explicit CLoadDxf(CWnd* pParent = nullptr);
    // Stops the worker, if one still runs, waits for it and deletes it.
    ~CLoadDxf() override;

    // The drawing to load (its file name set); before DoModal.
    void SetDxf(CDxf* dxf) { m_pDxf = dxf; }

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    // "Loading DXF <title>.........".
    CString GetCaption() override;
    CWinThread* StartWorker() override;
    void RequestStop() override;
    DECLARE_MESSAGE_MAP()

    CDxf* m_pDxf = nullptr;
    CColourButton m_Quit; // "Quit", in the day colours
};
