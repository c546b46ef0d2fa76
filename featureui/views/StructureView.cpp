#include "featureui/views/StructureView.h"

#include "features/StructureList.h"
#include "foundation/MyDC.h"

#include <cmath>

IMPLEMENT_DYNCREATE(CStructureView, COutlineView)

BEGIN_MESSAGE_MAP(CStructureView, COutlineView)
END_MESSAGE_MAP()

namespace
{
constexpr double kDegreesToRadians = 0.017453292519943;
} // namespace

double NormalHeading(double degrees)
{
    double h = std::fmod(degrees, 360.0);
    if (h < 0.0)
        h += 360.0;
    return h;
}

CStructureView::CStructureView() = default;

CStructureView::~CStructureView() = default;

void CStructureView::OnDraw(CDC* pDC)
{
    CRect client;
    GetClientRect(&client);
    CMyDC memory;
    CBitmap bitmap;
    if (!memory.CreateCompatibleDC(pDC) ||
        !bitmap.CreateCompatibleBitmap(pDC, client.Width(), client.Height()))
        return;
    CBitmap* previous = memory.SelectObject(&bitmap);
    memory.FillSolidRect(&client, m_BackgroundColour);

    if (m_pStructureList != nullptr)
    {
        const int file = m_pStructureList->m_EditFileIndex;
        const int structure = m_pStructureList->m_EditPointIndex;
        if (CStructureShape* shape = m_pStructureList->FindShape(file, structure))
        {
            ComputeScaling(client, shape->m_MinX, shape->m_MinY, shape->m_MaxX, shape->m_MaxY);
            shape->m_OffsetX = 0.0;
            shape->m_OffsetY = 0.0;
            shape->m_Rotation = 0.0;
            shape->m_SinRotation = 0.0;
            shape->m_CosRotation = 1.0;
            const StructureDef* record = m_pStructureList->GetStructure(file, structure);
            // Pane edits can leave a heading below 0; it turns the shape as its equal in 0..360.
            const double heading = record != nullptr ? NormalHeading(record->Heading) : 0.0;
            if (heading > 0.0)
            {
                shape->m_Rotation = heading;
                shape->m_SinRotation = std::sin(heading * kDegreesToRadians);
                shape->m_CosRotation = std::cos(heading * kDegreesToRadians);
            }
            DrawDxf(&memory, shape);
            DrawGrid(&memory);
        }
    }
    pDC->BitBlt(0, 0, client.Width(), client.Height(), &memory, 0, 0, SRCCOPY);
    memory.SelectObject(previous);
    memory.DeleteDC();
    bitmap.DeleteObject();
}
