// CMFCPropertyGridAnchorStatusProperty: chooses the anchor's status ("Racked", "Live",
// "On Bottom", "Planned") and shows the status's picture left of its name.
#pragma once

#include "platform/ui/ImageList.h"
#include "platform/ui/PropertyGrid.h"

class CMFCPropertyGridAnchorStatusProperty : public CMFCPropertyGridProperty
{
public:
    // pStatus: the status to show; a status of 4 or more (or below 0) shows as "Racked".
    explicit CMFCPropertyGridAnchorStatusProperty(const int* pStatus);

    static LPCTSTR GetStatusText(int nStatus);

    int GetStatus() const { return m_nStatus; }
    // Current and reference status (a status outside 0 to 3 counts as 0), then the text.
    void SetStatus(int nStatus);
    const CImageList& GetImages() const { return m_Images; }

    // The status's picture, left in the rectangle; the grid writes the text beside it.
    void OnDrawValue(CDC* pDC, CRect rect) override;
    BOOL HasValueDrawing() const override { return TRUE; }
    CString FormatProperty() override;
    // The edited text chosen among the four; the grid is told only when the status changed.
    BOOL OnUpdateValue() override;
    BOOL IsValueChanged() const { return m_nStatus != m_nReferenceStatus; }

private:
    int m_nStatus = 0;
    int m_nReferenceStatus = 0;
    CImageList m_Images;
};
