// CDtmDepths: the modal progress dialog behind which a terrain model's grid is filled from its
// source files and its cache written (CLoadDtmThread mode 2), showing the point just read.
#pragma once

#include "featureui/loaders/ProgressDialog.h"
#include "foundation/ColourButton.h"

#include <atomic>
#include <cstdint>

class CDtm;

class CDtmDepths : public CProgressDialog
{
    DECLARE_DYNAMIC(CDtmDepths)
public:
    explicit CDtmDepths(CWnd* pParent = nullptr);
    ~CDtmDepths() override;

    CDtm* m_pDtm = nullptr;
    std::atomic<int64_t> m_BytesTotal{0};
    // The point the worker has just read (m; depth DBL_MAX for none).
    std::atomic<double> m_Easting{0.0};
    std::atomic<double> m_Northing{0.0};
    std::atomic<double> m_Depth{0.0};
    std::atomic<int64_t> m_BytesDone{0};

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    CString GetCaption() override;
    CWinThread* StartWorker() override;
    void RequestStop() override;
    // Bar position, the grid column and row of the current point and its depth.
    void OnProgressTick() override;
    DECLARE_MESSAGE_MAP()

    CColourButton m_Quit;
};
