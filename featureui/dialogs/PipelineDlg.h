// CPipelineDlg: the modal dialog that takes a pipeline survey listing in comma-separated text
// (KP, easting, northing and depth in columns of the user's choice), shows a sample of it and
// writes a thinned copy beside it: a point is kept only where the line would otherwise bend by
// more than the tolerance. The column choice, the lines to skip and the file are kept as the
// "Pipeline CSV" import settings.
#pragma once

#include "featureui/TolvarApi.h"
#include "foundation/ColourButton.h"
#include "foundation/ColourDialogEx.h"
#include "foundation/EditDouble.h"
#include "foundation/ExcelColumnComboBox.h"
#include "foundation/ListCtrlImport.h"
#include "platform/core/Array.h"
#include "platform/ui/ComboBox.h"
#include "platform/ui/GdiObject.h"
#include "platform/ui/ProgressCtrl.h"

class TOLVAR_API CPipelineDlg : public CColourDialogEx
{
    DECLARE_DYNAMIC(CPipelineDlg)
public:
    explicit CPipelineDlg(CWnd* pParent = nullptr);

    // "<folder><title>_thinned.<extension>" of an input path.
    static CString ThinnedFileName(const char* inputPath);

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnSelchangeKp();
    void OnSelchangeEasting();
    void OnSelchangeNorthing();
    void OnSelchangeDepth();
    HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
    void OnDestroy();
    void OnThinData();
    void OnBnClickedSelectFile();
    void OnSelchangeSkipLinesCombo();
    DECLARE_MESSAGE_MAP()

    CEditDouble m_ToleranceEdit;
    CProgressCtrl m_Progress;
    CExcelColumnComboBox m_NorthingCombo;
    CExcelColumnComboBox m_KpCombo;
    CExcelColumnComboBox m_EastingCombo;
    CExcelColumnComboBox m_DepthCombo;
    CListCtrlImport m_Import;
    CStringArray m_Sample;
    double m_Tolerance = 1.0;
    CComboBox m_SkipLines;
    CColourButton m_OK;
    CColourButton m_Thin;
    CColourButton m_SelectFile;
    CBrush m_SampleBrush;

private:
    // Shows the first data record in the sample boxes.
    void Sample();
    // A column combo's change for import field `field`.
    void ColumnChanged(CExcelColumnComboBox& combo, int field);
    void ShowPath();
    void ShowCounts(int total, int used);
};
