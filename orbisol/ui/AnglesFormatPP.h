// CAnglesFormatPP: the sheet's page that sets how latitudes and longitudes ("Geographicals")
// and other angles are shown and typed everywhere in the program: the notation, the decimal
// places and the default hemispheres. Every choice is saved at once, each settings file
// ("Geographicals Settings", "Angle Settings") written whole.
#pragma once

#include "orbisol/ui/ColourPropertyPage.h"
#include "platform/ui/ComboBox.h"

class CAnglesFormatPP : public CColourPropertyPage
{
public:
    CAnglesFormatPP();

    BOOL OnInitDialog() override;

    // What the page holds now.
    int GetGeographicalFormat() const { return m_nGeoFormat; }
    int GetGeographicalDecimals() const { return m_nGeoDecimals; }
    char GetLatitudeLetter() const { return m_cLatitude; }
    char GetLongitudeLetter() const { return m_cLongitude; }
    int GetAngleFormat() const { return m_nAngleFormat; }
    int GetAngleDecimals() const { return m_nAngleDecimals; }

protected:
    void OnGeoDms() { SetGeoFormat(0); }
    void OnGeoDm() { SetGeoFormat(1); }
    void OnGeoDegrees() { SetGeoFormat(2); }
    void OnGeoGradians() { SetGeoFormat(4); }
    void OnAngleDms() { SetAngleFormat(0); }
    void OnAngleDm() { SetAngleFormat(1); }
    void OnAngleDegrees() { SetAngleFormat(2); }
    void OnAngleGradians() { SetAngleFormat(4); }
    void OnNorth() { SetLatitude('N'); }
    void OnSouth() { SetLatitude('S'); }
    void OnEast() { SetLongitude('E'); }
    void OnWest() { SetLongitude('W'); }
    void OnGeoDecimals();
    void OnAngleDecimals();
    DECLARE_MESSAGE_MAP()

    void SetGeoFormat(int format);
    void SetAngleFormat(int format);
    void SetLatitude(char letter);
    void SetLongitude(char letter);
    // Each radio of the group checked when it stands for the format, the others cleared.
    void CheckFormat(const UINT (&radios)[4], int format);
    // The geographical list starts with "No Decimal Places"; the angle list at one place.
    void FillDecimals(CComboBox& combo, int format, int decimals, bool withZero);
    void SaveGeographicals();
    void SaveAngles();

    CComboBox m_GeoDecimals;
    CComboBox m_AngleDecimals;
    int m_nGeoFormat = 1;
    int m_nGeoDecimals = 7;
    char m_cLatitude = 'N';
    char m_cLongitude = 'E';
    int m_nAngleFormat = 1;
    int m_nAngleDecimals = 7;
};
