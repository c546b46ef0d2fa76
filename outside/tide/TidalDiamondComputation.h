// CTidalDiamondComputation: the tidal stream at a diamond for an hour before or after high
// water at the diamond's linked standard port. The user picks the diamond and the hour (-6 to
// +6); the dialog shows that row's direction (degrees) and spring and neap rates (knots). A
// diamond without a linked port, or without a row for that hour, says so and shows no values.
#pragma once

#include "platform/ui/Dialog.h"

#define IDD_TIDAL_DIAMOND_COMPUTATION 31850
#define IDC_DIAMOND_CHOICE 31851
#define IDC_DIAMOND_HOUR 31852
#define IDC_DIAMOND_DIRECTION 31853
#define IDC_DIAMOND_SPRING 31854
#define IDC_DIAMOND_NEAP 31855
#define IDC_DIAMOND_STATUS 31856

class CNP159;
class CTidalDiamond;
class CStandardPortList;
struct TidalDiamondDef;

class CTidalDiamondComputation : public CDialog
{
public:
    // The pointers belong to the program; any may be null (nothing to choose then).
    CTidalDiamondComputation(CWnd* pParent, CNP159* pData, CTidalDiamond* pDiamonds, CStandardPortList* pPorts);

    BOOL OnInitDialog() override;

    // The hours offered, from six before high water to six after.
    static constexpr int kFirstHour = -6;
    static constexpr int kLastHour = 6;

protected:
    void OnChoiceChanged();
    DECLARE_MESSAGE_MAP()

private:
    void Compute();
    const TidalDiamondDef* Chosen() const;

    CNP159* m_pData;
    CTidalDiamond* m_pDiamonds;
    CStandardPortList* m_pPorts;
};
