// CIconSelect: an icon picker over an image list (the symbol of a network station): it holds
// the chosen image's index, draws that image, and tells which image of a strip of them a
// click chose.
#pragma once

#include "platform/ui/Dc.h"

class CImageList;

class PLATFORM_API CIconSelect
{
public:
    CIconSelect() = default;

    // The list stays the caller's; the choice is kept when it still names an image.
    void SetImageList(CImageList* pImages);
    CImageList* GetImageList() const { return m_pImages; }
    int GetImageCount() const;
    // FALSE (and the choice kept) for an index the list does not hold.
    BOOL SetSelected(int nImage);
    // The chosen image; -1 when none is.
    int GetSelected() const { return m_nSelected; }
    // Draws the chosen image at the left of `rect`, centred in height; FALSE when none is.
    BOOL DrawSelected(CDC* pDC, const CRect& rect) const;
    // The image under a point of a strip that shows every image side by side from `rect`'s
    // left, each `rect.Height()` wide; -1 outside the images.
    int HitTest(const CRect& rect, CPoint point) const;

private:
    CImageList* m_pImages = nullptr;
    int m_nSelected = -1;
};
