// CGpxTracksDlg: the modal dialog in which the user chooses which GPX tracks are drawn, in which
// colour, and whether their points are drawn as dots; each choice is saved at once.
#pragma once

#include "featureui/TolvarApi.h"
#include "foundation/ColourButton.h"
#include "foundation/ColourDialogEx.h"
#include "foundation/ColourPickerComboBoxEx.h"
#include "foundation/MyListCtrl.h"

class CGPX;

class TOLVAR_API CGpxTracksDlg : public CColourDialogEx
{
    DECLARE_DYNAMIC(CGpxTracksDlg)
public:
    explicit CGpxTracksDlg(CWnd* pParent = nullptr);

    // The host's data (borrowed); call before DoModal.
    void SetData(CGPX* pGpx) { m_pGpx = pGpx; }

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnClickList1(NMHDR* pNMHDR, LRESULT* pResult);
    void OnClickedSelectAll();
    void OnSelchangeTrackColourComboBox();
    void OnClickedShowDots();
    DECLARE_MESSAGE_MAP()

    CGPX* m_pGpx = nullptr;
    CColourPickerComboBoxEx m_TrackColour;
    CColourButton m_ShowDots;
    CMyListCtrl m_List;
    CColourButton m_SelectAll;
    CColourButton m_OK;

private:
    // Every track shown (also when there are none).
    bool AllSelected() const;
    void ShowSelectAllText();
};
