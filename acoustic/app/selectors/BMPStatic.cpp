#include "acoustic/app/selectors/BMPStatic.h"

#include "platform/ui/Dc.h"
#include "platform/ui/GdiObject.h"
#include "platform/ui/LoadImage.h"
#include "platform/ui/WindowDc.h"

#include <algorithm>

IMPLEMENT_DYNAMIC(CBMPStatic, CStatic)

BEGIN_MESSAGE_MAP(CBMPStatic, CStatic)
ON_WM_PAINT()
END_MESSAGE_MAP()

void CBMPStatic::OnPaint()
{
    CPaintDC dc(this);
    DrawPicture(dc);
}

bool CBMPStatic::DrawPicture(CDC& dc)
{
    CRect inner;
    GetClientRect(&inner);
    inner.DeflateRect(GetSystemMetrics(SM_CXFIXEDFRAME), GetSystemMetrics(SM_CYFIXEDFRAME));
    if (inner.Width() <= 0 || inner.Height() <= 0)
        return false;
    CDC memory;
    if (!memory.CreateCompatibleDC(&dc))
        return false;

    if (!m_Path.IsEmpty())
    {
        // Never larger than the area: a bigger picture (or a header claiming one) is refused
        // before it takes any memory, and the resource stands in for it.
        if (HANDLE loaded = LoadImage(nullptr, m_Path, IMAGE_BITMAP, inner.Width(), inner.Height(), LR_LOADFROMFILE))
        {
            CBitmap picture;
            picture.Attach(loaded);
            BITMAP bm{};
            picture.GetBitmap(&bm);
            CBitmap* old = memory.SelectObject(&picture);
            dc.BitBlt(inner.left, inner.top, std::min<int>(inner.Width(), bm.bmWidth),
                      std::min<int>(inner.Height(), bm.bmHeight), &memory, 0, 0, SRCCOPY);
            memory.SelectObject(old);
            return true;
        }
    }
    if (m_BitmapID != 0)
    {
        CBitmap picture;
        if (picture.LoadBitmap(static_cast<UINT>(m_BitmapID)))
        {
            BITMAP bm{};
            picture.GetBitmap(&bm);
            CBitmap* old = memory.SelectObject(&picture);
            dc.StretchBlt(inner.left, inner.top, inner.Width(), inner.Height(), &memory, 0, 0, bm.bmWidth,
                          bm.bmHeight, SRCCOPY);
            memory.SelectObject(old);
            return true;
        }
    }
    return false;
}
