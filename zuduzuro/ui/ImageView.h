// CImageView: the picture pane's view, which shows one picture (the "Vertical Offset" diagram)
// at its own size at the top left of a white client area.
#pragma once

#include "platform/ui/View.h"

#include <QImage>

class CImageView : public CView
{
    DECLARE_DYNCREATE(CImageView)
public:
    CImageView();
    ~CImageView() override;

    // Loads a picture file (a Windows path). False, with no picture, when it cannot be read.
    bool LoadPicture(const char* path);
    // The picture's size in pixels from its size in hundredths of a millimetre at the screen's
    // dots per inch: pixels = (himetric x dpi + 1270) / 2540, in integer arithmetic.
    static CSize PixelSize(int himetricWidth, int himetricHeight, int dotsPerInch);

    // Fills `client` white and draws the picture at its top left.
    void Render(CDC* dc, const CRect& client);

    QImage m_Picture;
    CSize m_Size;        // pixels
    double m_Zoom = 1.0; // the picture's scale
    int m_OffsetX = 0;
    int m_OffsetY = 0;

protected:
    void OnDraw(CDC* pDC) override;
    BOOL OnEraseBkgnd(CDC* pDC);
    DECLARE_MESSAGE_MAP()
};
