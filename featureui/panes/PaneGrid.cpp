#include "featureui/panes/PaneGrid.h"

#include "outside/panes/PropertyGridItems.h"

void RecolourSamples(CMFCPropertyGridProperty* pGroup, COLORREF colour)
{
    if (pGroup == nullptr)
        return;
    for (int i = 0; i < pGroup->GetSubItemsCount(); ++i)
        if (auto* sample = dynamic_cast<CMFCPropertyGridSampleProperty*>(pGroup->GetSubItem(i)))
            sample->SetColour(colour);
}
