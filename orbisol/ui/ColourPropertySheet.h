// CColourPropertySheet: the solar program's sheet: its pages in the program's colours, its own
// "Ok" and "Cancel" colour buttons at the bottom left in place of the standard four, no system
// menu, and the page it was left on remembered in the settings file "<caption>_PS".
#pragma once

#include "foundation/ColourButton.h"
#include "orbisol/ui/ColourPropertyPage.h"

class CColourPropertySheet : public CPropertySheet
{
public:
    explicit CColourPropertySheet(const char* pszCaption, CWnd* pParentWnd = nullptr, UINT iSelectPage = 0);

    // Hides (FALSE) or shows the "Ok" and "Cancel" buttons, for pages that have their own.
    void ShowOkCancel(BOOL bShow);
    CColourButton* GetOkButton() { return &m_OkButton; }
    CColourButton* GetCancelButton() { return &m_CancelButton; }

    // The settings file's name for the remembered page (the caption with "_PS").
    CString GetActivePageFileName() const;
    // The page stored in the file; 0 when the file is missing or holds no page of this sheet.
    int ReadActivePage() const;
    // Stores the page shown now; false when the file cannot be written.
    bool WriteActivePage() const;

    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

    // Where the two buttons stand, in dialog units: from the left edge and above the bottom.
    static constexpr int kButtonLeft = 15;
    static constexpr int kButtonBottom = 10;

protected:
    HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
    DECLARE_MESSAGE_MAP()

private:
    CBrush m_Brush;
    COLORREF m_BackgroundColour = ORBISOL_BACKGROUND;
    COLORREF m_TextColour = ORBISOL_TEXT;
    int m_nWidth = 0;
    CColourButton m_OkButton;
    CColourButton m_CancelButton;
    BOOL m_bOkButton = TRUE;
    BOOL m_bCancelButton = TRUE;
};
