// CImportDtm: the modal progress dialog behind which a terrain model's source files are
// stamped and its grid measured (CLoadDtmThread mode 1), showing the extents found so far.
#pragma once

#include "featureui/loaders/ProgressDialog.h"
#include "features/LoadDtmThread.h"
#include "foundation/ColourButton.h"

#include <atomic>
#include <cstdint>

class CDtm;

class CImportDtm : public CProgressDialog
{
    DECLARE_DYNAMIC(CImportDtm)
public:
    explicit CImportDtm(CWnd* pParent = nullptr);
    ~CImportDtm() override;

    CDtm* m_pDtm = nullptr;
    std::atomic<int64_t> m_BytesTotal{0};
    std::atomic<int64_t> m_BytesDone{0};
    // What the worker has found so far; the tick reads only this copy, never the model the
    // worker is writing.
    CDtmExtentsProgress m_Extents;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    CString GetCaption() override;
    CWinThread* StartWorker() override;
    void RequestStop() override;
    // Bar position and the extents, cell size, grid size and depth bounds found so far.
    void OnProgressTick() override;
    DECLARE_MESSAGE_MAP()

    CColourButton m_Quit;
};
