#include "zuduzuro/ui/ImageView.h"

#include "platform/core/Path.h"
#include "platform/ui/Dc.h"
#include "platform/ui/WindowDc.h"

#include <QPainter>

#include <cmath>

IMPLEMENT_DYNCREATE(CImageView, CView)
BEGIN_MESSAGE_MAP(CImageView, CView)
ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

CImageView::CImageView() = default;

CImageView::~CImageView() = default;

CSize CImageView::PixelSize(int himetricWidth, int himetricHeight, int dotsPerInch)
{
    const int64_t width = (int64_t(himetricWidth) * dotsPerInch + 1270) / 2540;
    const int64_t height = (int64_t(himetricHeight) * dotsPerInch + 1270) / 2540;
    return CSize(static_cast<int>(width), static_cast<int>(height));
}

bool CImageView::LoadPicture(const char* path)
{
    QImage picture;
    if (!path || !picture.load(LinuxPathFromWindows(path)))
    {
        m_Picture = QImage();
        m_Size = CSize(0, 0);
        return false;
    }
    m_Picture = picture;
    // A picture keeps its physical size; one without a resolution counts as 96 dots per inch.
    const double dotsPerMetreX = picture.dotsPerMeterX() > 0 ? picture.dotsPerMeterX() : 96 / 0.0254;
    const double dotsPerMetreY = picture.dotsPerMeterY() > 0 ? picture.dotsPerMeterY() : 96 / 0.0254;
    const int himetricWidth = static_cast<int>(std::lround(picture.width() * 100000.0 / dotsPerMetreX));
    const int himetricHeight = static_cast<int>(std::lround(picture.height() * 100000.0 / dotsPerMetreY));
    CClientDC screen(nullptr);
    const int dpi = screen.GetDeviceCaps(LOGPIXELSX) > 0 ? screen.GetDeviceCaps(LOGPIXELSX) : 96;
    m_Size = PixelSize(himetricWidth, himetricHeight, dpi);
    return true;
}

void CImageView::Render(CDC* dc, const CRect& client)
{
    dc->FillSolidRect(&client, 0xFFFFFF);
    if (m_Picture.isNull())
        return;
    QPainter* painter = dc->GetPainter();
    if (!painter)
        return;
    const int width = static_cast<int>(m_Size.cx * m_Zoom), height = static_cast<int>(m_Size.cy * m_Zoom);
    painter->drawImage(QRect(client.left + m_OffsetX, client.top + m_OffsetY, width, height), m_Picture);
}

void CImageView::OnDraw(CDC* pDC)
{
    CRect client;
    GetClientRect(&client);
    Render(pDC, client);
}

BOOL CImageView::OnEraseBkgnd(CDC*)
{
    return TRUE;
}
