// CMFCPropertyGridStationSelectProperty: a grid item that picks one station of the network by
// its name, showing the station's type icon before the name. Its value is the station's index
// (VT_I2); an index that names no station shows an empty text and the "Unused" icon.
#pragma once

#include "outside/panes/IconSelect.h"
#include "platform/ui/ImageList.h"
#include "platform/ui/PropertyGrid.h"

class CNetwork;

class CMFCPropertyGridStationSelectProperty : public CMFCPropertyGridProperty
{
public:
    // The options are the station names in network order (the network outlives the item).
    CMFCPropertyGridStationSelectProperty(const CString& strName, short nStation, CNetwork* pNetwork,
                                          DWORD_PTR dwData = 0);

    short GetStation() const { return GetValue().iVal; }

    // The name of the station at the index; empty when the index names none.
    CString FormatProperty() override;
    // The square before the name: the type icon of the station (of "Unused" for none), on
    // 0xEBEBEB, stretched to the square with its aspect kept.
    void OnDrawValue(CDC* pDC, CRect rect) override;
    BOOL HasValueDrawing() const override { return TRUE; }
    // The text typed or picked names the station: the first station of that name becomes the
    // value (none: the value stays); a change is told to the grid's owner once. FALSE when no
    // edit is under way.
    BOOL OnUpdateValue() override;
    // The editor: the row less 2 pixels top and bottom, from the value column to 25 pixels
    // short of the right edge.
    void AdjustInPlaceEditRect(CRect& rectEdit, CRect& rectSpin) override;

private:
    // The station's type for the icon: 0 ("Unused") when the index names no station.
    int IconOfStation(int nIndex) const;

    CNetwork* m_pNetwork;
    CImageList m_Images;
    CIconSelect m_IconSelect;
};
