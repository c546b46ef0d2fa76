#include "orbisol/ui/AnglesFormatPP.h"

#include "foundation/AngleFormat.h"
#include "orbisol/ui/OrbisolResources.h"
#include "platform/ui/DialogTemplate.h"
#include "platform/ui/MessageBox.h"

#include <algorithm>

namespace
{
// The radios of the formats 0, 1, 2 and 4, in that order.
constexpr UINT kGeoRadios[4] = {IDC_GEO_DMS, IDC_GEO_DM, IDC_GEO_DEGREES, IDC_GEO_GRADIANS};
constexpr UINT kAngleRadios[4] = {IDC_ANGLE_DMS, IDC_ANGLE_DM, IDC_ANGLE_DEGREES, IDC_ANGLE_GRADIANS};
constexpr int kFormats[4] = {ANGLE_FORMAT_DMS, ANGLE_FORMAT_DM, ANGLE_FORMAT_DEGREES, ANGLE_FORMAT_GRADIANS};

constexpr DWORD kFirstRadio = WS_GROUP | WS_TABSTOP;
constexpr DWORD kDropList = CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP | WS_GROUP;

// Two columns of groups, geographicals on the left and angles on the right.
const DLGITEM_TABLE kAnglesFormatItems[] = {
    {DLGI_GROUPBOX, IDC_STATIC, "Geographicals", 7, 4, 150, 200},
    {DLGI_GROUPBOX, IDC_STATIC, "Format", 14, 16, 136, 66},
    {DLGI_RADIOBUTTON, IDC_GEO_DMS, "DDD MM SS.SSS Q", 22, 28, 120, 10, kFirstRadio},
    {DLGI_RADIOBUTTON, IDC_GEO_DM, "DDD MM.MMMMM Q", 22, 41, 120, 10},
    {DLGI_RADIOBUTTON, IDC_GEO_DEGREES, "DDD.DDDDDDDD Q", 22, 54, 120, 10},
    {DLGI_RADIOBUTTON, IDC_GEO_GRADIANS, "GRADIANS", 22, 67, 120, 10},
    {DLGI_GROUPBOX, IDC_STATIC, "Default Quadrant", 14, 88, 136, 44},
    {DLGI_RADIOBUTTON, IDC_LAT_NORTH, "North", 22, 100, 50, 10, kFirstRadio},
    {DLGI_RADIOBUTTON, IDC_LAT_SOUTH, "South", 82, 100, 50, 10},
    {DLGI_RADIOBUTTON, IDC_LON_EAST, "East", 22, 115, 50, 10, kFirstRadio},
    {DLGI_RADIOBUTTON, IDC_LON_WEST, "West", 82, 115, 50, 10},
    {DLGI_GROUPBOX, IDC_STATIC, "Decimal Places", 14, 138, 136, 34},
    {DLGI_COMBOBOX, IDC_GEO_DECIMALS, "", 22, 151, 120, 120, kDropList},
    {DLGI_GROUPBOX, IDC_STATIC, "Angles", 163, 4, 150, 200},
    {DLGI_GROUPBOX, IDC_STATIC, "Format", 170, 16, 136, 66},
    {DLGI_RADIOBUTTON, IDC_ANGLE_DMS, "DDD MM SS.SSS", 178, 28, 120, 10, kFirstRadio},
    {DLGI_RADIOBUTTON, IDC_ANGLE_DM, "DDD MM.MMMMM", 178, 41, 120, 10},
    {DLGI_RADIOBUTTON, IDC_ANGLE_DEGREES, "DDD.DDDDDDDD", 178, 54, 120, 10},
    {DLGI_RADIOBUTTON, IDC_ANGLE_GRADIANS, "GRADIANS", 178, 67, 120, 10},
    {DLGI_GROUPBOX, IDC_STATIC, "Decimal Places", 170, 138, 136, 34},
    {DLGI_COMBOBOX, IDC_ANGLE_DECIMALS, "", 178, 151, 120, 120, kDropList},
};
const DLGTEMPLATE_TABLE kAnglesFormat = {IDD_ANGLES_FORMAT,
                                         "Geographical and Angle Format",
                                         "MS Shell Dlg",
                                         8,
                                         0,
                                         0,
                                         320,
                                         210,
                                         DS_SETFONT | WS_CHILD | WS_CAPTION,
                                         0,
                                         kAnglesFormatItems,
                                         AFX_DLGITEM_COUNT(kAnglesFormatItems)};
const CDialogTemplateRegistrar kAnglesFormatRegistrar(&kAnglesFormat);

void WarnNotSaved(const char* file)
{
    CString text;
    text.Format("The settings file \"%s\" could not be written; the choice holds until the program ends.", file);
    AfxMessageBox(text, MB_OK | MB_ICONWARNING);
}
} // namespace

BEGIN_MESSAGE_MAP(CAnglesFormatPP, CColourPropertyPage)
ON_BN_CLICKED(IDC_GEO_DMS, &CAnglesFormatPP::OnGeoDms)
ON_BN_CLICKED(IDC_GEO_DM, &CAnglesFormatPP::OnGeoDm)
ON_BN_CLICKED(IDC_GEO_DEGREES, &CAnglesFormatPP::OnGeoDegrees)
ON_BN_CLICKED(IDC_GEO_GRADIANS, &CAnglesFormatPP::OnGeoGradians)
ON_BN_CLICKED(IDC_ANGLE_DMS, &CAnglesFormatPP::OnAngleDms)
ON_BN_CLICKED(IDC_ANGLE_DM, &CAnglesFormatPP::OnAngleDm)
ON_BN_CLICKED(IDC_ANGLE_DEGREES, &CAnglesFormatPP::OnAngleDegrees)
ON_BN_CLICKED(IDC_ANGLE_GRADIANS, &CAnglesFormatPP::OnAngleGradians)
ON_BN_CLICKED(IDC_LAT_NORTH, &CAnglesFormatPP::OnNorth)
ON_BN_CLICKED(IDC_LAT_SOUTH, &CAnglesFormatPP::OnSouth)
ON_BN_CLICKED(IDC_LON_EAST, &CAnglesFormatPP::OnEast)
ON_BN_CLICKED(IDC_LON_WEST, &CAnglesFormatPP::OnWest)
ON_CBN_SELCHANGE(IDC_GEO_DECIMALS, &CAnglesFormatPP::OnGeoDecimals)
ON_CBN_SELCHANGE(IDC_ANGLE_DECIMALS, &CAnglesFormatPP::OnAngleDecimals)
END_MESSAGE_MAP()

CAnglesFormatPP::CAnglesFormatPP() : CColourPropertyPage(IDD_ANGLES_FORMAT) {}

BOOL CAnglesFormatPP::OnInitDialog()
{
    CColourPropertyPage::OnInitDialog();
    LoadGeographicalsSettings(m_nGeoFormat, m_nGeoDecimals, m_cLatitude, m_cLongitude);
    LoadAngleSettings(m_nAngleFormat, m_nAngleDecimals);
    m_GeoDecimals.SubclassDlgItem(IDC_GEO_DECIMALS, this);
    m_AngleDecimals.SubclassDlgItem(IDC_ANGLE_DECIMALS, this);

    CheckDlgButton(IDC_LAT_SOUTH, m_cLatitude == 'S' ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(IDC_LAT_NORTH, m_cLatitude == 'S' ? BST_UNCHECKED : BST_CHECKED);
    CheckDlgButton(IDC_LON_WEST, m_cLongitude == 'W' ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(IDC_LON_EAST, m_cLongitude == 'W' ? BST_UNCHECKED : BST_CHECKED);
    CheckFormat(kGeoRadios, m_nGeoFormat);
    CheckFormat(kAngleRadios, m_nAngleFormat);
    FillDecimals(m_GeoDecimals, m_nGeoFormat, m_nGeoDecimals, true);
    FillDecimals(m_AngleDecimals, m_nAngleFormat, m_nAngleDecimals, false);
    return TRUE;
}

void CAnglesFormatPP::CheckFormat(const UINT (&radios)[4], int format)
{
    for (int i = 0; i < 4; ++i)
        CheckDlgButton(static_cast<int>(radios[i]), kFormats[i] == format ? BST_CHECKED : BST_UNCHECKED);
}

void CAnglesFormatPP::FillDecimals(CComboBox& combo, int format, int decimals, bool withZero)
{
    if (!combo.GetSafeHwnd())
        return;
    combo.ResetContent();
    if (withZero)
        combo.AddString("No Decimal Places");
    // The type only decides the maximum through its format.
    const int most = GetMaxDecimalPlaces(withZero ? ANGLE_LATITUDE : ANGLE_FULL_CIRCLE, format);
    for (int places = 1; places <= most; ++places)
    {
        CString entry;
        entry.Format("%d Decimal Place", places);
        combo.AddString(entry);
    }
    // More places than the format offers show as the most it offers.
    const int shown = std::min(std::max(decimals, 0), most);
    combo.SetCurSel(withZero ? shown : shown - 1);
}

void CAnglesFormatPP::SaveGeographicals()
{
    if (!SaveGeographicalsSettings(m_nGeoFormat, m_nGeoDecimals, m_cLatitude, m_cLongitude))
        WarnNotSaved("Geographicals Settings");
}

void CAnglesFormatPP::SaveAngles()
{
    if (!SaveAngleSettings(m_nAngleFormat, m_nAngleDecimals))
        WarnNotSaved("Angle Settings");
}

void CAnglesFormatPP::SetGeoFormat(int format)
{
    m_nGeoFormat = format;
    // The places kept are the ones the list shows, so that picking the shown entry again is
    // no change the file misses.
    m_nGeoDecimals = std::min(m_nGeoDecimals, GetMaxDecimalPlaces(ANGLE_LATITUDE, format));
    SaveGeographicals();
    CheckFormat(kGeoRadios, format);
    FillDecimals(m_GeoDecimals, m_nGeoFormat, m_nGeoDecimals, true);
}

void CAnglesFormatPP::SetAngleFormat(int format)
{
    m_nAngleFormat = format;
    m_nAngleDecimals = std::min(m_nAngleDecimals, GetMaxDecimalPlaces(ANGLE_FULL_CIRCLE, format));
    SaveAngles();
    CheckFormat(kAngleRadios, format);
    FillDecimals(m_AngleDecimals, m_nAngleFormat, m_nAngleDecimals, false);
}

void CAnglesFormatPP::SetLatitude(char letter)
{
    m_cLatitude = letter;
    SaveGeographicals();
    CheckDlgButton(IDC_LAT_NORTH, letter == 'N' ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(IDC_LAT_SOUTH, letter == 'S' ? BST_CHECKED : BST_UNCHECKED);
}

void CAnglesFormatPP::SetLongitude(char letter)
{
    m_cLongitude = letter;
    SaveGeographicals();
    CheckDlgButton(IDC_LON_EAST, letter == 'E' ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(IDC_LON_WEST, letter == 'W' ? BST_CHECKED : BST_UNCHECKED);
}

void CAnglesFormatPP::OnGeoDecimals()
{
    const int index = m_GeoDecimals.GetCurSel();
    if (index < 0)
        return;
    m_nGeoDecimals = index;
    SaveGeographicals();
}

void CAnglesFormatPP::OnAngleDecimals()
{
    const int index = m_AngleDecimals.GetCurSel();
    if (index < 0)
        return;
    m_nAngleDecimals = index + 1;
    SaveAngles();
}
