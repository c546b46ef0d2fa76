// CInPlaceCombo: the drop-down list of choices (optionally with images) a CMyListCtrl opens on
// a combo cell. It reports the chosen text when its drop-down closes up; leaving it without
// closing the drop-down ends the edit without a result.
#pragma once

#include "platform/core/List.h"
#include "platform/ui/ComboBox.h"

class CImageList;

class CInPlaceCombo : public CComboBoxEx
{
    DECLARE_DYNAMIC(CInPlaceCombo)
public:
    CInPlaceCombo();

    void Setup(int nItem, int nColumn, const CStringList& choices, CImageList* pImages, LPCTSTR lpszInitial);
    int GetItem() const { return m_nItem; }
    int GetColumn() const { return m_nColumn; }
    BOOL PreTranslateMessage(MSG* pMsg) override;
    // Fills the box from the choices (with images when the image list holds any).
    void SetItems();
    bool HasImages() const;

protected:
    int OnCreate(LPCREATESTRUCT lpCreateStruct);
    void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);
    void OnSetFocusReflect();
    void OnKillFocusReflect();
    void OnCloseUp();
    DECLARE_MESSAGE_MAP()

    int m_nItem = -1;
    int m_nColumn = -1;
    bool m_bCancel = false;
    CString m_Initial;
    CStringList m_Choices;
    CImageList* m_pImages = nullptr;
    bool m_bHadFocus = false;
};
