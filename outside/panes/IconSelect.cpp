#include "outside/panes/IconSelect.h"

#include "platform/ui/ImageList.h"

void CIconSelect::SetImageList(CImageList* pImages)
{
    m_pImages = pImages;
    if (m_nSelected >= GetImageCount())
        m_nSelected = -1;
}

int CIconSelect::GetImageCount() const
{
    return m_pImages ? m_pImages->GetImageCount() : 0;
}

BOOL CIconSelect::SetSelected(int nImage)
{
    if (nImage < 0 || nImage >= GetImageCount())
        return FALSE;
    m_nSelected = nImage;
    return TRUE;
}

BOOL CIconSelect::DrawSelected(CDC* pDC, const CRect& rect) const
{
    if (pDC == nullptr || m_nSelected < 0 || m_nSelected >= GetImageCount())
        return FALSE;
    CRect image;
    m_pImages->GetImageInfo(m_nSelected, &image);
    return m_pImages->Draw(pDC, m_nSelected, CPoint(rect.left, rect.top + (rect.Height() - image.Height()) / 2),
                           ILD_NORMAL);
}

int CIconSelect::HitTest(const CRect& rect, CPoint point) const
{
    const int step = rect.Height();
    if (step <= 0 || point.x < rect.left || point.y < rect.top || point.y >= rect.bottom)
        return -1;
    const int index = (point.x - rect.left) / step;
    return index < GetImageCount() ? index : -1;
}
