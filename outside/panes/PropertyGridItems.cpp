#include "outside/panes/PropertyGridItems.h"

#include "platform/core/WinApp.h"
#include "platform/ui/Dc.h"
#include "platform/ui/GdiObject.h"

#include <QByteArray>
#include <QCryptographicHash>

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <cstring>

namespace
{
struct PaletteEntry
{
    const char* name;
    COLORREF colour;
};

const PaletteEntry kPalette[28] = {
    {"Black", 0x000000},         {"Red", 0x0000FF},         {"Yellow", 0x00FFFF},       {"Green", 0x00FF00},
    {"Cyan", 0xFFFF00},          {"Blue", 0xFF0000},        {"Magenta", 0xFF00FF},      {"Bright White", 0xFFFFFF},
    {"Grey", 0x808080},          {"White", 0xC0C0C0},       {"Pink", 0x8080FF},         {"Dark Red", 0x000080},
    {"Orange", 0x0080FF},        {"Light Yellow", 0x80FFFF}, {"Brown", 0x008080},       {"Lime Green", 0x00FF80},
    {"Light Green", 0x80FF80},   {"Dark Green", 0x008000},  {"Emerald Green", 0x80FF00}, {"Light Cyan", 0xFFFF80},
    {"Dark Cyan", 0x808000},     {"Turquoise", 0xFF8000},   {"Light Blue", 0xFF8080},   {"Dark Blue", 0x800000},
    {"Purple", 0xFF0080},        {"Light Magenta", 0xFF80FF}, {"Dark Magenta", 0x800080}, {"Crimson", 0x8000FF},
};

const char* const kFillNames[8] = {"Horizontal", "Vertical", "Forward Diagonal", "Backward Diagonal",
                                   "Cross",      "Diagonal Cross", "Solid", "None"};
constexpr int kMaxThickness = 10;
// The stored values of the pens of the feature files: 0..5 hatches, then these two.
constexpr short kFillSolid = -1; // 0xFFFF
constexpr short kFillNone = -2;  // 0xFFFE

// The option of a stored fill value, -1 for none; and back.
int FillIndex(short value)
{
    if (value >= 0 && value < 6)
        return value;
    return value == kFillSolid ? 6 : value == kFillNone ? 7 : -1;
}

short FillValue(int index)
{
    return index < 6 ? static_cast<short>(index) : index == 6 ? kFillSolid : kFillNone;
}

// The value of a whole-number option text, or -1.
int IndexOf(const char* const* names, int count, const CString& text)
{
    for (int i = 0; i < count; ++i)
        if (text.CompareNoCase(names[i]) == 0)
            return i;
    return -1;
}

QByteArray PasswordHash(const char* password)
{
    // Salted so that the stored value is not a bare hash of a common word.
    QByteArray data("Panes.Password:");
    data.append(password);
    return QCryptographicHash::hash(data, QCryptographicHash::Sha256).toHex();
}

const char* const kPasswordSection = "Panes";
const char* const kPasswordEntry = "PasswordHash";
} // namespace

// ---- colour ----

CMFCPropertyGridPrimaryColourProperty::CMFCPropertyGridPrimaryColourProperty(const CString& strName, COLORREF colour,
                                                                             int nColours, LPCTSTR lpszDescr,
                                                                             DWORD_PTR dwData)
    : CMFCPropertyGridProperty(strName, COleVariant(static_cast<long>(static_cast<int32_t>(colour))), lpszDescr, dwData),
      m_nColours(nColours < 1 || nColours > 28 ? 28 : nColours)
{
    for (int i = 0; i < m_nColours; ++i)
        AddOption(kPalette[i].name);
    AllowEdit(FALSE);
}

LPCTSTR CMFCPropertyGridPrimaryColourProperty::GetPaletteName(int nIndex)
{
    return nIndex >= 0 && nIndex < 28 ? kPalette[nIndex].name : nullptr;
}

COLORREF CMFCPropertyGridPrimaryColourProperty::GetPaletteColour(int nIndex)
{
    return nIndex >= 0 && nIndex < 28 ? kPalette[nIndex].colour : 0;
}

void CMFCPropertyGridPrimaryColourProperty::SetColour(COLORREF colour)
{
    CMFCPropertyGridProperty::SetValue(COleVariant(static_cast<long>(static_cast<int32_t>(colour))));
}

CString CMFCPropertyGridPrimaryColourProperty::FormatProperty()
{
    const COLORREF colour = GetColour();
    for (int i = 0; i < 28; ++i)
        if (kPalette[i].colour == colour)
            return kPalette[i].name;
    // A stored colour outside the palette is still shown truthfully.
    CString text;
    text.Format("RGB(%u,%u,%u)", static_cast<unsigned>(colour & 0xFF), static_cast<unsigned>((colour >> 8) & 0xFF),
                static_cast<unsigned>((colour >> 16) & 0xFF));
    return text;
}

BOOL CMFCPropertyGridPrimaryColourProperty::TextToVar(const CString& strText)
{
    for (int i = 0; i < m_nColours; ++i)
        if (strText.CompareNoCase(kPalette[i].name) == 0)
        {
            m_varValue = COleVariant(static_cast<long>(static_cast<int32_t>(kPalette[i].colour)));
            return TRUE;
        }
    return FALSE;
}

void CMFCPropertyGridPrimaryColourProperty::OnDrawValue(CDC* pDC, CRect rect)
{
    pDC->FillSolidRect(rect, RGB(0, 0, 0));
    rect.DeflateRect(1, 1);
    pDC->FillSolidRect(rect, GetColour());
}

// ---- samples ----

CMFCPropertyGridSampleProperty::CMFCPropertyGridSampleProperty(const CString& strName, short nValue, COLORREF colour,
                                                               LPCTSTR lpszDescr, DWORD_PTR dwData)
    : CMFCPropertyGridProperty(strName, COleVariant(nValue), lpszDescr, dwData), m_colour(colour)
{
    AllowEdit(FALSE);
}

void CMFCPropertyGridSampleProperty::SetColour(COLORREF colour)
{
    m_colour = colour;
    Redraw();
}

CMFCPropertyGridFillStyleProperty::CMFCPropertyGridFillStyleProperty(short nFillStyle, COLORREF colour,
                                                                     DWORD_PTR dwData)
    : CMFCPropertyGridSampleProperty("Fill Style", nFillStyle, colour, "Specifies the fill style of the area", dwData)
{
    for (const char* name : kFillNames)
        AddOption(name);
}

CString CMFCPropertyGridFillStyleProperty::FormatProperty()
{
    const int i = FillIndex(GetFillStyle());
    if (i >= 0)
        return kFillNames[i];
    const short v = GetFillStyle();
    CString text;
    text.Format("%d", static_cast<int>(v));
    return text;
}

BOOL CMFCPropertyGridFillStyleProperty::TextToVar(const CString& strText)
{
    const int i = IndexOf(kFillNames, 8, strText);
    if (i < 0)
        return FALSE;
    m_varValue = COleVariant(FillValue(i));
    return TRUE;
}

void CMFCPropertyGridFillStyleProperty::OnDrawValue(CDC* pDC, CRect rect)
{
    const short v = GetFillStyle();
    pDC->FillSolidRect(rect, RGB(255, 255, 255));
    if (v == kFillSolid)
        pDC->FillSolidRect(rect, m_colour);
    else if (v >= 0 && v < 6)
    {
        CBrush brush(v, m_colour);
        pDC->FillRect(rect, &brush);
    }
    CBrush frame(m_colour);
    pDC->FrameRect(rect, &frame);
}

CMFCPropertyGridLineThicknessProperty::CMFCPropertyGridLineThicknessProperty(short nThickness, COLORREF colour,
                                                                             DWORD_PTR dwData)
    : CMFCPropertyGridSampleProperty("Line Thickness", nThickness, colour, "Specifies the thickness of the line",
                                     dwData)
{
    for (int i = 1; i <= kMaxThickness; ++i)
    {
        CString text;
        text.Format("%d", i);
        AddOption(text);
    }
}

CString CMFCPropertyGridLineThicknessProperty::FormatProperty()
{
    CString text;
    text.Format("%d", static_cast<int>(GetThickness()));
    return text;
}

BOOL CMFCPropertyGridLineThicknessProperty::TextToVar(const CString& strText)
{
    char* end = nullptr;
    const long v = std::strtol(strText, &end, 10);
    if (end == static_cast<LPCSTR>(strText) || *end != '\0' || v < 1 || v > kMaxThickness)
        return FALSE;
    m_varValue = COleVariant(static_cast<short>(v));
    return TRUE;
}

void CMFCPropertyGridLineThicknessProperty::OnDrawValue(CDC* pDC, CRect rect)
{
    pDC->FillSolidRect(rect, RGB(255, 255, 255));
    CPen pen(PS_SOLID, GetThickness(), m_colour);
    CPen* old = pDC->SelectObject(&pen);
    const int y = rect.CenterPoint().y;
    pDC->MoveTo(rect.left + 2, y);
    pDC->LineTo(rect.right - 2, y);
    pDC->SelectObject(old);
}

// ---- double ----

CMFCPropertyGridDouble::CMFCPropertyGridDouble(const CString& strName, double dValue, LPCTSTR lpszFormat,
                                               LPCTSTR lpszDescr, DWORD_PTR dwData)
    : CMFCPropertyGridProperty(strName, COleVariant(dValue), lpszDescr, dwData),
      m_strFormat(lpszFormat ? lpszFormat : "%.3lf")
{
}

void CMFCPropertyGridDouble::SetValue(double dValue)
{
    CMFCPropertyGridProperty::SetValue(COleVariant(dValue));
}

void CMFCPropertyGridDouble::SetFormat(LPCTSTR lpszFormat)
{
    m_strFormat = lpszFormat ? lpszFormat : "%.3lf";
    Redraw();
}

void CMFCPropertyGridDouble::SetLock(bool bLock)
{
    m_bLocked = bLock;
    Redraw();
}

CString CMFCPropertyGridDouble::FormatProperty()
{
    CString text;
    text.Format(m_strFormat, GetDouble());
    return text;
}

BOOL CMFCPropertyGridDouble::TextToVar(const CString& strText)
{
    CString text = strText;
    text.Trim();
    char* end = nullptr;
    errno = 0;
    const double v = std::strtod(text, &end);
    if (end == static_cast<LPCSTR>(text) || errno == ERANGE || !std::isfinite(v))
        return FALSE;
    if (m_bMinimum && (v < m_dMinimum || (m_bMinimumExclusive && v == m_dMinimum)))
    {
        CString why;
        if (m_bMinimumExclusive)
            why.Format("The value must be above %g.", m_dMinimum);
        else if (m_dMinimum == 0.0)
            why = "The value cannot be negative.";
        else
            why.Format("The value cannot be below %g.", m_dMinimum);
        m_Refusal.Refused(*this, strText, why);
        return FALSE;
    }
    m_Refusal.Taken(*this);
    m_varValue = COleVariant(v);
    return TRUE;
}

void CMFCPropertyGridDouble::SetMinimum(double dMinimum, bool bExclusive)
{
    m_bMinimum = true;
    m_dMinimum = dMinimum;
    m_bMinimumExclusive = bExclusive;
}

BOOL CMFCPropertyGridDouble::OnEdit(LPPOINT lptClick)
{
    return !m_bLocked && CMFCPropertyGridProperty::OnEdit(lptClick);
}

// ---- title ----

CMFCPropertyGridTitleProperty::CMFCPropertyGridTitleProperty(const CString& strTitle, DWORD_PTR dwData)
    : CMFCPropertyGridProperty(strTitle, COleVariant(""), nullptr, dwData)
{
    AllowEdit(FALSE);
}

CMFCPropertyGridTitleProperty::CMFCPropertyGridTitleProperty(const CString& strTitle1, const CString& strTitle2,
                                                             DWORD_PTR dwData)
    : CMFCPropertyGridProperty(strTitle1, COleVariant(strTitle2), nullptr, dwData), m_bTwoNames(true)
{
    AllowEdit(FALSE);
}

BOOL CMFCPropertyGridTitleProperty::OnEdit(LPPOINT)
{
    return FALSE;
}

// ---- bool ----

CMFCPropertyGridBool::CMFCPropertyGridBool(const CString& strName, bool bValue, LPCTSTR lpszDescr, DWORD_PTR dwData)
    : CMFCPropertyGridProperty(strName, COleVariant(bValue), lpszDescr, dwData)
{
}

void CMFCPropertyGridBool::SetBool(bool bValue)
{
    CMFCPropertyGridProperty::SetValue(COleVariant(bValue));
}

// ---- password ----

CMFCPropertyGridPasswordProperty::CMFCPropertyGridPasswordProperty(DWORD_PTR dwData, const CString& strName,
                                                                   LPCTSTR lpszDescr)
    : CMFCPropertyGridProperty(strName, COleVariant(""), lpszDescr, dwData)
{
}

bool CMFCPropertyGridPasswordProperty::IsPasswordPresent()
{
    CWinApp* app = AfxGetApp();
    return app != nullptr && !app->GetProfileString(kPasswordSection, kPasswordEntry).IsEmpty();
}

BOOL CMFCPropertyGridPasswordProperty::SetPassword(LPCTSTR lpszPassword)
{
    CWinApp* app = AfxGetApp();
    if (app == nullptr)
        return FALSE;
    if (lpszPassword == nullptr || *lpszPassword == '\0')
        return app->WriteProfileString(kPasswordSection, kPasswordEntry, nullptr);
    return app->WriteProfileString(kPasswordSection, kPasswordEntry, PasswordHash(lpszPassword).constData());
}

CString CMFCPropertyGridPasswordProperty::FormatProperty()
{
    return CString('*', m_nEntered);
}

BOOL CMFCPropertyGridPasswordProperty::TextToVar(const CString& strText)
{
    CWinApp* app = AfxGetApp();
    const CString stored = app ? app->GetProfileString(kPasswordSection, kPasswordEntry) : CString();
    m_bOk = !stored.IsEmpty() && std::strcmp(stored, PasswordHash(strText).constData()) == 0;
    m_nEntered = strText.GetLength();
    return TRUE;
}

BOOL CMFCPropertyGridPasswordProperty::OnUpdateValue()
{
    TextToVar(m_strEditText);
    // The typed text is not kept anywhere once compared.
    m_strEditText.Empty();
    Redraw();
    // Every entry is reported, right or wrong: the pane decides what a match unlocks.
    if (m_pWndList)
        m_pWndList->OnPropertyChanged(this);
    return TRUE;
}
