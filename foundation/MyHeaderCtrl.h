// CMyHeaderCtrl: the header of a CMyListCtrl, drawing its headings centred in the list's header
// colours, one line per '\n'.
#pragma once

#include "platform/ui/HeaderCtrl.h"

class CMyHeaderCtrl : public CHeaderCtrl
{
public:
    CMyHeaderCtrl() = default;
    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;

    COLORREF m_BackColour = 0xCC7B00;
    COLORREF m_TextColour = 0;
};
