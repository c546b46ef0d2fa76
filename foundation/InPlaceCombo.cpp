#include "foundation/InPlaceCombo.h"

#include "foundation/InPlaceEdit.h"
#include "platform/ui/ImageList.h"

IMPLEMENT_DYNAMIC(CInPlaceCombo, CComboBoxEx)

BEGIN_MESSAGE_MAP(CInPlaceCombo, CComboBoxEx)
ON_WM_CREATE()
ON_WM_CHAR()
ON_CONTROL_REFLECT(CBN_SETFOCUS, &CInPlaceCombo::OnSetFocusReflect)
ON_CONTROL_REFLECT(CBN_KILLFOCUS, &CInPlaceCombo::OnKillFocusReflect)
ON_CONTROL_REFLECT(CBN_CLOSEUP, &CInPlaceCombo::OnCloseUp)
END_MESSAGE_MAP()

CInPlaceCombo::CInPlaceCombo() {}

void CInPlaceCombo::Setup(int nItem, int nColumn, const CStringList& choices, CImageList* pImages,
                          LPCTSTR lpszInitial)
{
    m_nItem = nItem;
    m_nColumn = nColumn;
    m_bCancel = false;
    m_bHadFocus = false;
    m_Initial = lpszInitial ? lpszInitial : "";
    m_Choices.RemoveAll();
    for (POSITION pos = choices.GetHeadPosition(); pos;)
        m_Choices.AddTail(choices.GetNext(pos));
    m_pImages = pImages;
}

bool CInPlaceCombo::HasImages() const
{
    return m_pImages && m_pImages->GetImageCount() > 0;
}

void CInPlaceCombo::SetItems()
{
    const bool images = HasImages();
    ResetContent();
    int i = 0;
    for (POSITION pos = m_Choices.GetHeadPosition(); pos; ++i)
    {
        CString text = m_Choices.GetNext(pos);
        COMBOBOXEXITEM item{};
        item.mask = images ? (CBEIF_TEXT | CBEIF_IMAGE | CBEIF_SELECTEDIMAGE) : CBEIF_TEXT;
        item.iItem = i;
        item.pszText = text.GetBuffer();
        item.iImage = i;
        item.iSelectedImage = i;
        InsertItem(&item);
        text.ReleaseBuffer();
    }
}

int CInPlaceCombo::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CComboBoxEx::OnCreate(lpCreateStruct) == -1)
        return -1;
    if (CWnd* list = GetParent())
        SetFont(list->GetFont());
    if (HasImages())
        SetImageList(m_pImages);
    SetItems();
    SetFocus();
    return 0;
}

BOOL CInPlaceCombo::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message == WM_KEYDOWN && (pMsg->wParam == VK_RETURN || pMsg->wParam == VK_ESCAPE))
    {
        ::TranslateMessage(pMsg);
        ::DispatchMessage(pMsg);
        return TRUE;
    }
    return CComboBoxEx::PreTranslateMessage(pMsg);
}

void CInPlaceCombo::OnChar(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    if (nChar == 27 || nChar == 13)
    {
        if (nChar == 27)
            m_bCancel = true;
        if (CWnd* list = GetParent())
            list->SetFocus();
        return;
    }
    CComboBoxEx::OnChar(nChar, nRepCnt, nFlags);
}

void CInPlaceCombo::OnSetFocusReflect()
{
    m_bHadFocus = true;
}

void CInPlaceCombo::OnKillFocusReflect()
{
    if (m_bHadFocus)
        PostMessage(WM_CLOSE);
}

void CInPlaceCombo::OnCloseUp()
{
    if (CWnd* list = GetParent())
        list->SetFocus();
    const int sel = GetCurSel();
    CString text;
    if (sel >= 0)
        GetLBText(sel, text);
    const UINT mask = HasImages() ? (LVIF_TEXT | LVIF_IMAGE) : LVIF_TEXT;
    CInPlaceEdit::SendEndEdit(this, m_nItem, m_nColumn, m_bCancel ? m_Initial : text, mask, sel);
    PostMessage(WM_CLOSE);
}
