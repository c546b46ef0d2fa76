// CLoadDtmDlg: the modal progress dialog behind which a terrain model's grid is read from its
// cache (CLoadDtmThread mode 0); and the helpers its two sibling dialogs share with it.
#pragma once

#include "featureui/loaders/ProgressDialog.h"
#include "foundation/ColourButton.h"

#include <atomic>
#include <cstdint>

class CDtm;
class CLoadDtmThread;

// A DTM worker created suspended, owned by `owner`, working on `dtm` in `mode` with the two
// byte counters, not yet resumed; null when it cannot be made.
CLoadDtmThread* CreateDtmWorker(CCmdTarget* owner, CDtm* dtm, int mode, std::atomic<int64_t>* bytesTotal,
                                std::atomic<int64_t>* bytesDone);
// `oneFormat` with the title of DTM One, or `twoFormat` with the titles of DTM One and Two when
// Two is named.
CString DtmCaption(const CDtm* dtm, const char* oneFormat, const char* twoFormat);

class CLoadDtmDlg : public CProgressDialog
{
    DECLARE_DYNAMIC(CLoadDtmDlg)
public:
    explicit CLoadDtmDlg(CWnd* pParent = nullptr);
    ~CLoadDtmDlg() override;

    CDtm* m_pDtm = nullptr;
    // Written by the worker, read by the poll timer.
    std::atomic<int64_t> m_BytesTotal{0};
    std::atomic<int64_t> m_BytesDone{0};

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    CString GetCaption() override;
    CWinThread* StartWorker() override;
    void RequestStop() override;
    // Bar position and "Copied <done> bytes of <total>".
    void OnProgressTick() override;
    DECLARE_MESSAGE_MAP()

    CColourButton m_Quit;
};
