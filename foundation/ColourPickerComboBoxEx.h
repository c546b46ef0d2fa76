// CColourPickerComboBoxEx: a drop-down list of the suite's 28 named line and symbol colours,
// each with a 16 x 16 swatch; the item index is the index of the colour table.
#pragma once

#include "platform/ui/ComboBox.h"
#include "platform/ui/ImageList.h"

class CColourPickerComboBoxEx : public CComboBoxEx
{
    DECLARE_DYNAMIC(CColourPickerComboBoxEx)
public:
    CColourPickerComboBoxEx() = default;

    // Builds the swatches (once: nothing happens when the image list holds images already),
    // gives them to the box and fills it with the 28 colours in table order.
    void FillColours();

    static constexpr int kColourCount = 28;
    // Colour and name of table entry nIndex (0 and "" outside the table).
    static COLORREF GetColour(int nIndex);
    static const char* GetColourName(int nIndex);
    // The entry of a colour, -1 when the table has none.
    static int FindColour(COLORREF colour);

protected:
    CImageList m_ImageList;
};
