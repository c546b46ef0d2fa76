// CImageList: a row of small images of one size, drawn by index into a device context or shown
// beside the items of combo boxes and lists.
//
// Each image is kept with its transparency: a masked list (ILC_MASK) makes the pixels of the
// mask colour, or the white pixels of a mask bitmap, transparent; an unmasked list draws its
// images whole.
#pragma once

#include "platform/core/Object.h"
#include "platform/ui/Gdi.h"

#include <QImage>

#include <vector>

class CBitmap;
class CDC;

struct HIMAGELIST__;
using HIMAGELIST = HIMAGELIST__*;

// Creation flags.
#define ILC_MASK 0x00000001
#define ILC_COLOR 0x00000000
#define ILC_COLORDDB 0x000000FE
#define ILC_COLOR4 0x00000004
#define ILC_COLOR8 0x00000008
#define ILC_COLOR16 0x00000010
#define ILC_COLOR24 0x00000018
#define ILC_COLOR32 0x00000020

// Drawing styles.
#define ILD_NORMAL 0x00000000
#define ILD_TRANSPARENT 0x00000001
#define ILD_MASK 0x00000010
#define ILD_IMAGE 0x00000020
#define ILD_BLEND25 0x00000002
#define ILD_BLEND50 0x00000004
#define ILD_FOCUS ILD_BLEND25
#define ILD_SELECTED ILD_BLEND50
#define ILD_BLEND ILD_BLEND50

// Which image list of a control (lists, combo boxes).
#define LVSIL_NORMAL 0
#define LVSIL_SMALL 1
#define LVSIL_STATE 2

class PLATFORM_API CImageList : public CObject
{
    DECLARE_DYNCREATE(CImageList)
public:
    CImageList() = default;
    ~CImageList() override;
    CImageList(const CImageList&) = delete;
    CImageList& operator=(const CImageList&) = delete;

    HIMAGELIST m_hImageList = nullptr;
    operator HIMAGELIST() const { return m_hImageList; }
    HIMAGELIST GetSafeHandle() const { return m_hImageList; }
    // The list of a handle; null for a null or unknown one.
    static CImageList* FromHandle(HIMAGELIST hImageList);

    // An empty list of cx x cy images. nInitial and nGrow only size the storage. FALSE when
    // the list exists already or the size is not positive.
    BOOL Create(int cx, int cy, UINT nFlags, int nInitial, int nGrow);
    BOOL DeleteImageList();

    // Adds the bitmap cut into images of the list's width (a bitmap narrower than one image
    // adds one image, padded with the mask colour). With ILC_MASK, pixels of crMask are
    // transparent. Returns the index of the first image added, -1 on failure.
    int Add(CBitmap* pbmImage, COLORREF crMask);
    // The same with a monochrome mask bitmap: its white pixels are transparent.
    int Add(CBitmap* pbmImage, CBitmap* pbmMask);
    // Qt side: adds one image as it is, its alpha kept.
    int Add(const QImage& image);
    BOOL Replace(int nImage, CBitmap* pbmImage, CBitmap* pbmMask);
    // Removes one image (-1: all).
    BOOL Remove(int nImage);
    BOOL SetImageCount(UINT uNewCount);

    int GetImageCount() const;
    BOOL GetImageInfo(int nImage, RECT* pRect) const;
    BOOL GetIconSize(int* cx, int* cy) const;
    CSize GetImageSize() const;
    // The colour drawn under transparent pixels by ILD_NORMAL; CLR_NONE (the default) leaves
    // them transparent. Returns the previous colour.
    COLORREF SetBkColor(COLORREF cr);
    COLORREF GetBkColor() const;

    // Draws image nImage with its top-left corner at pt (logical units). ILD_BLEND25 and
    // ILD_BLEND50 tint it with the highlight colour, ILD_MASK draws its mask in black on
    // white. FALSE for a bad index or a context that cannot be drawn on.
    BOOL Draw(CDC* pDC, int nImage, POINT pt, UINT nStyle) const;

    // Qt side: image nImage with its transparency; a null image for a bad index.
    QImage GetImage(int nImage) const;

private:
    int AddImages(const QImage& strip, const QImage* mask, COLORREF crMask);

    int m_cx = 0;
    int m_cy = 0;
    UINT m_nFlags = 0;
    COLORREF m_crBk = CLR_NONE;
    std::vector<QImage> m_images; // ARGB32, alpha 0 where transparent
};
