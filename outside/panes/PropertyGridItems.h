// The item classes of the suite's property grids: colours from the 28-colour palette, fill
// styles and line thicknesses with a sample in the item's colour, formatted doubles that can
// be locked, titles, switches, and the password entry that unlocks locked items.
#pragma once

#include "outside/panes/RefusalNote.h"
#include "platform/ui/PropertyGrid.h"

// A colour of the palette, shown by name; the value (VT_I4) is the COLORREF.
class PLATFORM_API CMFCPropertyGridPrimaryColourProperty : public CMFCPropertyGridProperty
{
public:
    // nColours: how many palette colours are offered (at most 28).
    CMFCPropertyGridPrimaryColourProperty(const CString& strName, COLORREF colour, int nColours = 28,
                                          LPCTSTR lpszDescr = nullptr, DWORD_PTR dwData = 0);
    COLORREF GetColour() const { return static_cast<COLORREF>(static_cast<uint32_t>(GetValue().lVal)); }
    void SetColour(COLORREF colour);

    // The palette: 28 names and colours in order.
    static int GetPaletteSize() { return 28; }
    static LPCTSTR GetPaletteName(int nIndex);
    static COLORREF GetPaletteColour(int nIndex);

    CString FormatProperty() override;
    BOOL TextToVar(const CString& strText) override;
    void OnDrawValue(CDC* pDC, CRect rect) override;
    BOOL HasValueDrawing() const override { return TRUE; }

private:
    int m_nColours;
};

// The sample colour of the fill-style and line-thickness items.
class PLATFORM_API CMFCPropertyGridSampleProperty : public CMFCPropertyGridProperty
{
public:
    CMFCPropertyGridSampleProperty(const CString& strName, short nValue, COLORREF colour, LPCTSTR lpszDescr,
                                   DWORD_PTR dwData);
    void SetColour(COLORREF colour);
    COLORREF GetColour() const { return m_colour; }
    BOOL HasValueDrawing() const override { return TRUE; }

protected:
    COLORREF m_colour;
};

// A fill style (VT_I2) as the feature files keep it: 0..5 hatches (horizontal, vertical,
// forward diagonal, backward diagonal, cross, diagonal cross), -1 (0xFFFF) solid, -2 (0xFFFE)
// none.
class PLATFORM_API CMFCPropertyGridFillStyleProperty : public CMFCPropertyGridSampleProperty
{
public:
    CMFCPropertyGridFillStyleProperty(short nFillStyle, COLORREF colour, DWORD_PTR dwData = 0);
    short GetFillStyle() const { return GetValue().iVal; }
    CString FormatProperty() override;
    BOOL TextToVar(const CString& strText) override;
    void OnDrawValue(CDC* pDC, CRect rect) override;
};

// A line width class (VT_I2), 1 to 10 pixels.
class PLATFORM_API CMFCPropertyGridLineThicknessProperty : public CMFCPropertyGridSampleProperty
{
public:
    CMFCPropertyGridLineThicknessProperty(short nThickness, COLORREF colour, DWORD_PTR dwData = 0);
    short GetThickness() const { return GetValue().iVal; }
    CString FormatProperty() override;
    BOOL TextToVar(const CString& strText) override;
    void OnDrawValue(CDC* pDC, CRect rect) override;
};

// A double (VT_R8) shown with a printf format ("%7.1lfm"); a locked item cannot be edited.
class PLATFORM_API CMFCPropertyGridDouble : public CMFCPropertyGridProperty
{
public:
    CMFCPropertyGridDouble(const CString& strName, double dValue, LPCTSTR lpszFormat = "%.3lf",
                           LPCTSTR lpszDescr = nullptr, DWORD_PTR dwData = 0);
    void SetValue(double dValue);
    using CMFCPropertyGridProperty::SetValue;
    double GetDouble() const { return GetValue().dblVal; }
    void SetFormat(LPCTSTR lpszFormat);
    void SetLock(bool bLock);
    bool IsLocked() const { return m_bLocked; }
    // A typed number below dMinimum (bExclusive: not above it) is refused: the value stays and
    // the description says why.
    void SetMinimum(double dMinimum, bool bExclusive = false);

    CString FormatProperty() override;
    // Takes the leading number of the text, so that a typed unit ("12.5m") is accepted.
    BOOL TextToVar(const CString& strText) override;
    BOOL OnEdit(LPPOINT lptClick) override;

private:
    CString m_strFormat;
    bool m_bLocked = false;
    bool m_bMinimum = false;
    double m_dMinimum = 0.0;
    bool m_bMinimumExclusive = false;
    CRefusalNote m_Refusal;
};

// A line of text alone, with no value to edit ("No Files Selected"), across the row; or two
// names, one in each column ("Measured" over its values), still with no value.
class PLATFORM_API CMFCPropertyGridTitleProperty : public CMFCPropertyGridProperty
{
public:
    explicit CMFCPropertyGridTitleProperty(const CString& strTitle, DWORD_PTR dwData = 0);
    CMFCPropertyGridTitleProperty(const CString& strTitle1, const CString& strTitle2, DWORD_PTR dwData = 0);
    bool IsTwoNames() const { return m_bTwoNames; }
    BOOL OnEdit(LPPOINT lptClick) override;
    BOOL IsFullRow() const override { return m_bTwoNames ? FALSE : TRUE; }

private:
    bool m_bTwoNames = false;
};

// A switch (VT_BOOL, -1 true).
class PLATFORM_API CMFCPropertyGridBool : public CMFCPropertyGridProperty
{
public:
    CMFCPropertyGridBool(const CString& strName, bool bValue, LPCTSTR lpszDescr = nullptr, DWORD_PTR dwData = 0);
    bool GetBool() const { return GetValue().boolVal != 0; }
    void SetBool(bool bValue);
};

// The password entry. The password is kept in the application profile as a salted hash (never
// as text); the entry is shown masked and is forgotten once compared.
class PLATFORM_API CMFCPropertyGridPasswordProperty : public CMFCPropertyGridProperty
{
public:
    explicit CMFCPropertyGridPasswordProperty(DWORD_PTR dwData = 0, const CString& strName = "Password",
                                              LPCTSTR lpszDescr = "Enter the password to unlock the alarm settings");
    // Whether a password is configured.
    static bool IsPasswordPresent();
    // Configures the password (empty removes it). FALSE when the profile cannot be written.
    static BOOL SetPassword(LPCTSTR lpszPassword);
    // Whether the last entry matched the configured password.
    bool IsPasswordOk() const { return m_bOk; }

    CString FormatProperty() override;
    BOOL TextToVar(const CString& strText) override;
    BOOL OnUpdateValue() override;

private:
    bool m_bOk = false;
    int m_nEntered = 0;
};
