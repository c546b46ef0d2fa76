// Property-grid items of the geodesy panes: an angle shown and typed in the user's notation,
// and a number (grid co-ordinate, distance, height or plain value) with the user's decimals
// and units. Both can be empty (no value yet), and both refuse text they cannot read, so a
// typing slip never replaces a good value.
#pragma once

#include "outside/panes/RefusalNote.h"
#include "platform/ui/PropertyGrid.h"

#include <cfloat>

class CAngleValueProperty : public CMFCPropertyGridProperty
{
public:
    // angleType: a kind of foundation/AngleFormat.h (5 latitude, 6 longitude, 2 bearing...).
    CAngleValueProperty(const CString& strName, int angleType, LPCTSTR lpszDescr, DWORD_PTR dwData);

    // Radians; DBL_MAX empties the item.
    void SetAngle(double radians);
    double GetAngle() const { return m_dAngle; }
    bool HasAngle() const { return m_dAngle != DBL_MAX; }
    // Shows the angle again in the saved notation (after the user changed it).
    void Reformat() { SetAngle(m_dAngle); }

    // Reads any notation (geodesy/AngleText.h); refuses text without digits and text beyond
    // the type's limits, saying why in the description.
    BOOL TextToVar(const CString& strText) override;
    // Tells the grid of every accepted entry whose text differs from the shown one: a value
    // that shows as before may still differ in its unshown digits. The shown text given back
    // unchanged keeps the exact value behind it.
    BOOL OnUpdateValue() override;

private:
    int m_nType;
    double m_dAngle = DBL_MAX;
    CRefusalNote m_Refusal;
};

// What a number item shows.
enum NUMBER_KIND
{
    NUMBER_GRID,     // easting or northing: grid units, the grid decimals
    NUMBER_DISTANCE, // metres, shown and typed in the user's unit with the distance decimals
    NUMBER_HEIGHT,   // metres, the distance decimals
    NUMBER_FIXED     // a plain value with fixed decimals
};

class CNumberValueProperty : public CMFCPropertyGridProperty
{
public:
    CNumberValueProperty(const CString& strName, NUMBER_KIND kind, LPCTSTR lpszDescr, DWORD_PTR dwData,
                         int fixedDecimals = 3, LPCTSTR lpszSuffix = nullptr);

    // The value in metres (grid units for NUMBER_GRID); DBL_MAX empties the item.
    void SetNumber(double value);
    double GetNumber() const { return m_dValue; }
    bool HasNumber() const { return m_dValue != DBL_MAX; }
    // Shows the value again with the saved decimals and unit.
    void Reformat() { SetNumber(m_dValue); }

    // Takes the leading number of the text (a unit after it is allowed); refuses the rest.
    BOOL TextToVar(const CString& strText) override;
    BOOL OnUpdateValue() override;

private:
    CString Format(double value) const;

    NUMBER_KIND m_kind;
    int m_nFixedDecimals;
    CString m_strSuffix;
    double m_dValue = DBL_MAX;
};

// The item made a read-only result (shown greyed).
template <class T> T* ReadOnly(T* prop)
{
    prop->AllowEdit(FALSE);
    prop->Enable(FALSE);
    return prop;
}

// The entries of one point: "Easting" and "Northing" in grid units, "Latitude" and "Longitude".
void AddPositionItems(CMFCPropertyGridProperty* group, DWORD_PTR easting, DWORD_PTR northing,
                      DWORD_PTR latitude, DWORD_PTR longitude);

// A read-only text item.
CMFCPropertyGridProperty* MakeInfoProperty(const CString& strName, const CString& strValue, LPCTSTR lpszDescr,
                                           DWORD_PTR dwData);
