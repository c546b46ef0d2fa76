// CInPlaceAngleEdit: the latitude or longitude editor a CMyListCtrl opens on one cell. The text
// always keeps the shape of the widest angle of its notation (the template) and is typed in
// overwrite mode: digits no larger than the template's, the degree limit reached only with
// zeros after it, and a hemisphere letter of the angle's own kind.
#pragma once

#include "platform/ui/Edit.h"

// The template editor itself, apart from any window so that it can be driven directly.
struct AngleTemplate
{
    CString templ;       // T: the widest text ("89° 59' 59".99999N")
    CString limit;       // M: the degree limit plus one without trailing zeros ("9", "18")
    CString zero;        // Z: the angle 0 in the same notation
    char hemisphere = 0; // the letter Backspace restores at the hemisphere position

    // Builds T, M and Z for an angle type (5 latitude, 6 longitude...) and format, with
    // `decimals` places (the format's default when negative).
    static AngleTemplate For(int angleType, int angleFormat, int decimals = -1);

    // One typed character on `text` with the selection [selStart, selEnd). Returns whether
    // the text changed; `caret` is where the caret goes (it always moves there).
    bool Type(CString& text, int selStart, int selEnd, UINT ch, int& caret) const;
};

class CInPlaceAngleEdit : public CEdit
{
    DECLARE_DYNAMIC(CInPlaceAngleEdit)
public:
    CInPlaceAngleEdit() = default;

    void Setup(int nItem, int nColumn, int angleType, int angleFormat, LPCTSTR lpszInitial);
    int GetItem() const { return m_nItem; }
    int GetColumn() const { return m_nColumn; }

protected:
    int OnCreate(LPCREATESTRUCT lpCreateStruct);
    void OnKillFocus(CWnd* pNewWnd);
    void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);
    LRESULT OnPaste(WPARAM, LPARAM);
    DECLARE_MESSAGE_MAP()

    int m_nItem = -1;
    int m_nColumn = -1;
    bool m_bCancel = false; // never set: Enter and Escape go to the template, which ignores them
    CString m_Allowed = "0123456789.";
    int m_AngleType = 5;
    int m_AngleFormat = 0;
    char m_Hemispheres[2] = {'N', 'E'};
    CString m_Initial;
    AngleTemplate m_Template;
};
