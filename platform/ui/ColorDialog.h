// CMFCColorDialog: the modal colour chooser: it opens on a colour and gives the one the user
// chose. Under the modal hook it is answered with a colour or cancelled.
#pragma once

#include "platform/ui/Dialog.h"

class PLATFORM_API CMFCColorDialog : public CDialog
{
    DECLARE_DYNAMIC(CMFCColorDialog)
public:
    explicit CMFCColorDialog(COLORREF clrInit = 0, DWORD dwFlags = 0, CWnd* pParentWnd = nullptr);

    // IDOK with the chosen colour, IDCANCEL when cancelled (the colour stays the initial one).
    INT_PTR DoModal() override;
    COLORREF GetColor() const { return m_Colour; }
    void SetCurrentColor(COLORREF colour) { m_Colour = colour; }

private:
    COLORREF m_Colour;
};
