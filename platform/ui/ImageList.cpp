#include "platform/ui/ImageList.h"

#include "platform/core/SysColor.h"
#include "platform/ui/Colour.h"
#include "platform/ui/Dc.h"
#include "platform/ui/GdiObject.h"

#include <QPainter>

#include <map>
#include <mutex>

IMPLEMENT_DYNCREATE(CImageList, CObject)

namespace
{
// Handles are numbers that are never reused, so a stale handle finds nothing.
std::mutex& HandleMutex()
{
    static std::mutex m;
    return m;
}
std::map<HIMAGELIST, CImageList*>& Handles()
{
    static std::map<HIMAGELIST, CImageList*> handles;
    return handles;
}
uintptr_t& NextHandle()
{
    static uintptr_t next = 0x1000;
    return next;
}

QImage Tinted(const QImage& image, COLORREF tint, int percent)
{
    QImage out = image.copy();
    const QColor c = ToQColor(tint);
    for (int y = 0; y < out.height(); ++y)
    {
        auto* line = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < out.width(); ++x)
        {
            const QRgb p = line[x];
            if (qAlpha(p) == 0)
                continue;
            const int r = (qRed(p) * (100 - percent) + c.red() * percent) / 100;
            const int g = (qGreen(p) * (100 - percent) + c.green() * percent) / 100;
            const int b = (qBlue(p) * (100 - percent) + c.blue() * percent) / 100;
            line[x] = qRgba(r, g, b, qAlpha(p));
        }
    }
    return out;
}
} // namespace

CImageList::~CImageList()
{
    DeleteImageList();
}

CImageList* CImageList::FromHandle(HIMAGELIST hImageList)
{
    std::lock_guard<std::mutex> lock(HandleMutex());
    auto it = Handles().find(hImageList);
    return it == Handles().end() ? nullptr : it->second;
}

BOOL CImageList::Create(int cx, int cy, UINT nFlags, int nInitial, int nGrow)
{
    (void)nGrow;
    if (m_hImageList || cx <= 0 || cy <= 0)
        return FALSE;
    m_cx = cx;
    m_cy = cy;
    m_nFlags = nFlags;
    m_crBk = CLR_NONE;
    m_images.clear();
    if (nInitial > 0)
        m_images.reserve(static_cast<size_t>(nInitial));
    std::lock_guard<std::mutex> lock(HandleMutex());
    m_hImageList = reinterpret_cast<HIMAGELIST>(NextHandle()++);
    Handles()[m_hImageList] = this;
    return TRUE;
}

BOOL CImageList::DeleteImageList()
{
    if (!m_hImageList)
        return FALSE;
    {
        std::lock_guard<std::mutex> lock(HandleMutex());
        Handles().erase(m_hImageList);
    }
    m_hImageList = nullptr;
    m_images.clear();
    m_cx = m_cy = 0;
    return TRUE;
}

int CImageList::AddImages(const QImage& strip, const QImage* mask, COLORREF crMask)
{
    if (!m_hImageList || strip.isNull())
        return -1;
    const bool masked = (m_nFlags & ILC_MASK) != 0;
    const QRgb key = QRgbFromColorRef(crMask) & 0xFFFFFF;
    const int count = std::max(1, strip.width() / m_cx);
    const int first = static_cast<int>(m_images.size());
    for (int i = 0; i < count; ++i)
    {
        QImage image(m_cx, m_cy, QImage::Format_ARGB32);
        image.fill(masked ? Qt::transparent : QColor(Qt::black));
        for (int y = 0; y < m_cy && y < strip.height(); ++y)
        {
            auto* out = reinterpret_cast<QRgb*>(image.scanLine(y));
            for (int x = 0; x < m_cx; ++x)
            {
                const int sx = i * m_cx + x;
                if (sx >= strip.width())
                    break;
                const QRgb p = strip.pixel(sx, y) & 0xFFFFFF;
                bool transparent = false;
                if (masked)
                {
                    if (mask)
                        transparent = sx < mask->width() && y < mask->height() &&
                                      (mask->pixel(sx, y) & 0xFFFFFF) == 0xFFFFFF;
                    else
                        transparent = p == key;
                }
                out[x] = transparent ? 0u : (p | 0xFF000000u);
            }
        }
        m_images.push_back(image);
    }
    return first;
}

int CImageList::Add(CBitmap* pbmImage, COLORREF crMask)
{
    if (!pbmImage || !pbmImage->GetSafeHandle())
        return -1;
    return AddImages(pbmImage->ToImage(), nullptr, crMask);
}

int CImageList::Add(CBitmap* pbmImage, CBitmap* pbmMask)
{
    if (!pbmImage || !pbmImage->GetSafeHandle())
        return -1;
    if (!pbmMask || !pbmMask->GetSafeHandle())
        return AddImages(pbmImage->ToImage(), nullptr, CLR_NONE);
    const QImage mask = pbmMask->ToImage();
    return AddImages(pbmImage->ToImage(), &mask, CLR_NONE);
}

int CImageList::Add(const QImage& image)
{
    if (!m_hImageList || image.isNull())
        return -1;
    QImage scaled = image.convertToFormat(QImage::Format_ARGB32);
    if (scaled.size() != QSize(m_cx, m_cy))
        scaled = scaled.scaled(m_cx, m_cy, Qt::IgnoreAspectRatio, Qt::FastTransformation);
    m_images.push_back(scaled);
    return static_cast<int>(m_images.size()) - 1;
}

BOOL CImageList::Replace(int nImage, CBitmap* pbmImage, CBitmap* pbmMask)
{
    if (nImage < 0 || nImage >= GetImageCount())
        return FALSE;
    const int at = Add(pbmImage, pbmMask);
    if (at < 0)
        return FALSE;
    m_images[static_cast<size_t>(nImage)] = m_images[static_cast<size_t>(at)];
    m_images.resize(static_cast<size_t>(at));
    return TRUE;
}

BOOL CImageList::Remove(int nImage)
{
    if (!m_hImageList)
        return FALSE;
    if (nImage == -1)
    {
        m_images.clear();
        return TRUE;
    }
    if (nImage < 0 || nImage >= GetImageCount())
        return FALSE;
    m_images.erase(m_images.begin() + nImage);
    return TRUE;
}

BOOL CImageList::SetImageCount(UINT uNewCount)
{
    if (!m_hImageList)
        return FALSE;
    QImage blank(m_cx, m_cy, QImage::Format_ARGB32);
    blank.fill(Qt::transparent);
    m_images.resize(uNewCount, blank);
    return TRUE;
}

int CImageList::GetImageCount() const
{
    return m_hImageList ? static_cast<int>(m_images.size()) : 0;
}

BOOL CImageList::GetImageInfo(int nImage, RECT* pRect) const
{
    if (nImage < 0 || nImage >= GetImageCount())
        return FALSE;
    if (pRect)
        *pRect = CRect(0, 0, m_cx, m_cy);
    return TRUE;
}

BOOL CImageList::GetIconSize(int* cx, int* cy) const
{
    if (!m_hImageList)
        return FALSE;
    if (cx)
        *cx = m_cx;
    if (cy)
        *cy = m_cy;
    return TRUE;
}

CSize CImageList::GetImageSize() const
{
    return CSize(m_cx, m_cy);
}

COLORREF CImageList::SetBkColor(COLORREF cr)
{
    const COLORREF previous = m_crBk;
    m_crBk = cr;
    return previous;
}

COLORREF CImageList::GetBkColor() const
{
    return m_crBk;
}

QImage CImageList::GetImage(int nImage) const
{
    if (nImage < 0 || nImage >= GetImageCount())
        return QImage();
    return m_images[static_cast<size_t>(nImage)];
}

BOOL CImageList::Draw(CDC* pDC, int nImage, POINT pt, UINT nStyle) const
{
    if (!pDC || nImage < 0 || nImage >= GetImageCount())
        return FALSE;
    QPainter* painter = pDC->GetPainter();
    if (!painter)
        return FALSE;
    QImage image = m_images[static_cast<size_t>(nImage)];
    if (nStyle & ILD_MASK)
    {
        QImage mask(image.size(), QImage::Format_ARGB32);
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                mask.setPixel(x, y, qAlpha(image.pixel(x, y)) == 0 ? 0xFFFFFFFFu : 0xFF000000u);
        image = mask;
    }
    else
    {
        if (nStyle & ILD_BLEND50)
            image = Tinted(image, GetSysColor(COLOR_HIGHLIGHT), 50);
        else if (nStyle & ILD_BLEND25)
            image = Tinted(image, GetSysColor(COLOR_HIGHLIGHT), 25);
        if (!(nStyle & ILD_TRANSPARENT) && m_crBk != CLR_NONE)
        {
            QImage under(image.size(), QImage::Format_ARGB32);
            under.fill(ToQColor(m_crBk));
            QPainter p(&under);
            p.drawImage(0, 0, image);
            p.end();
            image = under;
        }
    }
    // The context maps logical units itself; its painter draws in device pixels.
    CPoint at(pt);
    pDC->LPtoDP(&at);
    painter->save();
    painter->setCompositionMode(QPainter::CompositionMode_SourceOver);
    painter->drawImage(QPoint(at.x, at.y), image);
    painter->restore();
    return TRUE;
}
