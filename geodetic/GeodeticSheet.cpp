#include "geodetic/GeodeticSheet.h"

#include "geodetic/CellCheck.h"

#include "foundation/AngleFormat.h"
#include "foundation/ConfigFile.h"
#include "foundation/MyListCtrl.h"
#include "geodesy/AngleText.h"
#include "geodesy/Datum.h"
#include "geodesy/Projection.h"
#include "geodesy/Spheroid.h"
#include "platform/ui/ListCtrl.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace
{
struct ColumnKindDef
{
    const char* heading;
    const char* menuLabel;
};

const ColumnKindDef kKinds[COLUMN_KINDS] = {
    {"Label", "Label"},
    {"Easting", "Easting"},
    {"Northing", "Northing"},
    {"Lat DMS", "DD MM SS.SSS Q"},
    {"Lat Deg", "Degrees"},
    {"Lat Min", "Minutes"},
    {"Lat Sec", "Second"},
    {"N/S", "N/S"},
    {"Lat NMEA", "NMEA (DDMM.MMM)"},
    {"Lon DMS", "DDD MM SS.SSS Q"},
    {"Lon Deg", "Degrees"},
    {"Lon Min", "Minutes"},
    {"Lon Sec", "Second"},
    {"E/W", "E/W"},
    {"Lon NMEA", "NMEA (DDDMM.MMM)"},
    {"Height", "Height"},
};

const char* const kOutputs[OUTPUT_COLUMNS] = {"Easting ", "Northing ", "Latitude", "Longitude", "Ht."};

const char* const kSettingsName = "Geodetic View";

// How far (radians, about 6 mm on the ground) a projected point may come back from the inverse
// and still count as within the grid's reach.
const double kReachTolerance = 1e-9;

double CellNumber(const CString& text)
{
    return std::atof(text);
}

CString FormatMetres(double value)
{
    CString text;
    text.Format("%.3lf", value);
    return text;
}
} // namespace

const char* GetColumnHeading(int kind)
{
    return kind >= 0 && kind < COLUMN_KINDS ? kKinds[kind].heading : "";
}

const char* GetColumnMenuLabel(int kind)
{
    return kind >= 0 && kind < COLUMN_KINDS ? kKinds[kind].menuLabel : "";
}

const char* GetOutputHeading(int output)
{
    return output >= 0 && output < OUTPUT_COLUMNS ? kOutputs[output] : "";
}

int GetColumnCount(CListCtrl& list)
{
    CHeaderCtrl* header = list.GetHeaderCtrl();
    return header ? header->GetItemCount() : 0;
}

CString GetHeadingText(CListCtrl& list, int column)
{
    char buffer[512] = {};
    LVCOLUMN col = {};
    col.mask = LVCF_TEXT;
    col.pszText = buffer;
    col.cchTextMax = (int)sizeof(buffer);
    if (!list.GetColumn(column, &col))
        return CString();
    return CString(buffer);
}

void SetHeadingText(CListCtrl& list, int column, const char* text)
{
    LVCOLUMN col = {};
    col.mask = LVCF_TEXT;
    col.pszText = const_cast<LPSTR>(text ? text : "");
    list.SetColumn(column, &col);
}

double DmsCellsToRadians(const char* degrees, const char* minutes, const char* seconds,
                         const char* hemisphere, bool longitude)
{
    double d = degrees ? std::atof(degrees) : 0.0;
    double sign = 1.0;
    if (d < 0.0)
    {
        sign = -1.0;
        d = -d;
    }
    const double m = std::fabs(minutes ? std::atof(minutes) : 0.0);
    const double s = std::fabs(seconds ? std::atof(seconds) : 0.0);
    if (hemisphere)
    {
        const char* p = hemisphere;
        while (*p == ' ' || *p == '\t')
            ++p;
        const char south = longitude ? 'W' : 'S';
        if (*p == south || *p == south + ('a' - 'A'))
            sign = -1.0;
    }
    const double limit = longitude ? 180.0 : 90.0;
    if (d > limit || m >= 60.0 || s >= 60.0)
        return 0.0;
    return (d + m / 60.0 + s / 3600.0) * sign * CProjection::DEG_TO_RAD;
}

CGeodeticSheet::CGeodeticSheet()
{
    for (auto& output : m_Output)
        output = -1;
    LoadSettings();
}

void CGeodeticSheet::LoadSettings()
{
    for (auto& column : m_Columns)
        column = -1;
    CConfigFile::ReadSettingsFile(kSettingsName, [this](CConfigFile& file) {
        for (auto& column : m_Columns)
            column = (int16_t)file.ReadInt(-1);
    });
}

bool CGeodeticSheet::SaveSettings() const
{
    return CConfigFile::WriteSettingsFile(kSettingsName, [this](CConfigFile& file) {
        for (int kind = 0; kind < COLUMN_KINDS; ++kind)
            file.WriteInt(GetColumnHeading(kind), m_Columns[kind]);
    });
}

void CGeodeticSheet::RescanHeadings(CListCtrl& list)
{
    // Marks name cells by their column: once the columns change they would mark others.
    m_Problems.clear();
    for (auto& column : m_Columns)
        column = -1;
    const int count = GetColumnCount(list);
    for (int c = 0; c < count; ++c)
    {
        const CString heading = GetHeadingText(list, c);
        for (int kind = 0; kind < COLUMN_KINDS; ++kind)
            if (heading.CompareNoCase(GetColumnHeading(kind)) == 0)
                m_Columns[kind] = (int16_t)c;
    }
    SaveSettings();
}

void CGeodeticSheet::ApplyHeadings(CListCtrl& list)
{
    for (auto& output : m_Output)
        output = -1;
    const int count = GetColumnCount(list);
    for (int kind = 0; kind < COLUMN_KINDS; ++kind)
        if (m_Columns[kind] >= 0 && m_Columns[kind] < count)
            SetHeadingText(list, m_Columns[kind], GetColumnHeading(kind));
    AutoSizeColumns(&list, false);
}

bool CGeodeticSheet::Assigned(CListCtrl& list, int kind) const
{
    return m_Columns[kind] >= 0 && m_Columns[kind] < GetColumnCount(list);
}

CString CGeodeticSheet::Cell(CListCtrl& list, int row, int kind) const
{
    if (!Assigned(list, kind))
        return CString();
    return list.GetItemText(row, m_Columns[kind]);
}

double CGeodeticSheet::GetRowAngle(CListCtrl& list, int row, bool longitude) const
{
    const int base = longitude ? COLUMN_LON_DMS : COLUMN_LAT_DMS;
    const int type = longitude ? ANGLE_LONGITUDE : ANGLE_LATITUDE;
    const int dms = base, deg = base + 1, min = base + 2, sec = base + 3, hemisphere = base + 4,
              nmea = base + 5;
    if (Assigned(list, dms))
        return ParseAngleText(Cell(list, row, dms), type);
    if (Assigned(list, nmea))
    {
        // The hemisphere of an NMEA value is in the column after it, as in the sentences.
        const int next = m_Columns[nmea] + 1;
        const CString letter = next < GetColumnCount(list) ? list.GetItemText(row, next) : CString();
        return ParseCompactLatLon(Cell(list, row, nmea), letter, type);
    }
    if (Assigned(list, deg))
        return DmsCellsToRadians(Cell(list, row, deg), Cell(list, row, min), Cell(list, row, sec),
                                 Cell(list, row, hemisphere), longitude);
    const char* output = GetOutputHeading(longitude ? OUTPUT_LONGITUDE : OUTPUT_LATITUDE);
    const int count = GetColumnCount(list);
    for (int c = 0; c < count; ++c)
        if (GetHeadingText(list, c) == output)
            return ParseAngleText(list.GetItemText(row, c), type);
    return 0.0;
}

double CGeodeticSheet::GetRowLatitude(CListCtrl& list, int row) const
{
    return GetRowAngle(list, row, false);
}

double CGeodeticSheet::GetRowLongitude(CListCtrl& list, int row) const
{
    return GetRowAngle(list, row, true);
}

double CGeodeticSheet::GetRowHeight(CListCtrl& list, int row) const
{
    return Assigned(list, COLUMN_HEIGHT) ? CellNumber(Cell(list, row, COLUMN_HEIGHT)) : 0.0;
}

bool CGeodeticSheet::HasGridInput() const
{
    return m_Columns[COLUMN_EASTING] >= 0 && m_Columns[COLUMN_NORTHING] >= 0;
}

bool CGeodeticSheet::HasGeographicalInput() const
{
    return (m_Columns[COLUMN_LAT_DEG] >= 0 && m_Columns[COLUMN_LON_DEG] >= 0) ||
           (m_Columns[COLUMN_LAT_DMS] >= 0 && m_Columns[COLUMN_LON_DMS] >= 0) ||
           (m_Columns[COLUMN_LAT_NMEA] >= 0 && m_Columns[COLUMN_LON_NMEA] >= 0);
}

bool CGeodeticSheet::DatumProjectionDiffers() const
{
    if (!m_pDatum || !m_pProjection)
        return false;
    const CProjection& datumGrid = m_pDatum->m_Projection;
    const CSpheroid* a = datumGrid.GetSpheroid();
    const CSpheroid* b = m_pProjection->GetSpheroid();
    if (a && b ? !a->IsSame(*b) : a != b)
        return true;
    return datumGrid.m_Name.CompareNoCase(m_pProjection->m_Name) != 0;
}

CString CGeodeticSheet::GetConversionLabel(int conversion) const
{
    CString label;
    if (!m_pDatum || !m_pProjection)
        return label;
    const CProjection& datumGrid = m_pDatum->m_Projection;
    switch (conversion)
    {
    case CONVERT_DATUM_GRID_FORWARD:
    case CONVERT_DATUM_GRID_REVERSE: {
        const bool forward = conversion == CONVERT_DATUM_GRID_FORWARD;
        const CProjection& from = forward ? datumGrid : *m_pProjection;
        const CProjection& to = forward ? *m_pProjection : datumGrid;
        if (from.m_Name.CompareNoCase(to.m_Name) == 0)
        {
            const CString fromSpheroid = from.GetSpheroid() ? from.GetSpheroid()->m_Name : CString();
            const CString toSpheroid = to.GetSpheroid() ? to.GetSpheroid()->m_Name : CString();
            label.Format("%s to %s - %s", (LPCSTR)fromSpheroid, (LPCSTR)toSpheroid, (LPCSTR)from.m_Name);
        }
        else
            label.Format("%s to %s", (LPCSTR)from.m_Name, (LPCSTR)to.m_Name);
        break;
    }
    case CONVERT_DATUM_GEOG_FORWARD:
        label.Format("%s to %s", (LPCSTR)m_pDatum->m_FromName, (LPCSTR)m_pDatum->m_ToName);
        break;
    case CONVERT_DATUM_GEOG_REVERSE:
        label.Format("%s to %s", (LPCSTR)m_pDatum->m_ToName, (LPCSTR)m_pDatum->m_FromName);
        break;
    default:
        break;
    }
    return label;
}

int CGeodeticSheet::OutputColumn(CListCtrl& list, int output)
{
    const char* heading = GetOutputHeading(output);
    const int count = GetColumnCount(list);
    for (int c = 0; c < count; ++c)
        if (GetHeadingText(list, c) == heading)
            return m_Output[output] = (int16_t)c;
    const int added = list.InsertColumn(count, heading, LVCFMT_CENTER, 50);
    return m_Output[output] = (int16_t)added;
}

bool CGeodeticSheet::CanConvert(CListCtrl& list, int conversion) const
{
    switch (conversion)
    {
    case CONVERT_GRID_TO_GEOGRAPHICALS:
        return m_pProjection && Assigned(list, COLUMN_EASTING) && Assigned(list, COLUMN_NORTHING);
    case CONVERT_GEOGRAPHICALS_TO_GRID:
        return m_pProjection && HasGeographicalInput();
    case CONVERT_DATUM_GRID_FORWARD:
    case CONVERT_DATUM_GRID_REVERSE:
        return m_pDatum && m_pProjection && Assigned(list, COLUMN_EASTING) && Assigned(list, COLUMN_NORTHING);
    case CONVERT_DATUM_GEOG_FORWARD:
    case CONVERT_DATUM_GEOG_REVERSE:
        return m_pDatum && m_pProjection && HasGeographicalInput();
    default:
        return false;
    }
}

bool CGeodeticSheet::Convert(CListCtrl& list, int conversion)
{
    if (!CanConvert(list, conversion))
        return false;
    m_Problems.clear();
    m_LastConversion = conversion;
    const int rows = list.GetItemCount();
    for (int row = 0; row < rows; ++row)
        ConvertRow(list, conversion, row);
    AutoSizeColumns(&list, false);
    return true;
}

bool CGeodeticSheet::RecomputeRow(CListCtrl& list, int row)
{
    if (row < 0 || row >= list.GetItemCount() || !CanConvert(list, m_LastConversion))
        return false;
    m_Problems.erase(std::remove_if(m_Problems.begin(), m_Problems.end(),
                                    [row](const SheetProblemDef& p) { return p.row == row; }),
                     m_Problems.end());
    ConvertRow(list, m_LastConversion, row);
    return true;
}

bool CGeodeticSheet::IsInputColumn(int column) const
{
    if (column < 0)
        return false;
    for (int kind = COLUMN_EASTING; kind < COLUMN_KINDS; ++kind)
        if (m_Columns[kind] == column)
            return true;
    // The hemisphere of an NMEA value stands in the column after it.
    return (m_Columns[COLUMN_LAT_NMEA] >= 0 && m_Columns[COLUMN_LAT_NMEA] + 1 == column) ||
           (m_Columns[COLUMN_LON_NMEA] >= 0 && m_Columns[COLUMN_LON_NMEA] + 1 == column);
}

bool CGeodeticSheet::IsMarked(int row, int column) const
{
    for (const SheetProblemDef& p : m_Problems)
        if (p.row == row && p.column == column)
            return true;
    return false;
}

CString CGeodeticSheet::DescribeProblems() const
{
    CString text;
    if (m_Problems.empty())
        return text;
    const SheetProblemDef& first = m_Problems.front();
    text.Format("Row %d, %s: %s", first.row + 1, (LPCSTR)first.heading, (LPCSTR)first.reason);
    if (m_Problems.size() > 1)
    {
        CString more;
        more.Format(" (%d more cells refused)", (int)m_Problems.size() - 1);
        text += more;
    }
    return text;
}

void CGeodeticSheet::Refuse(CListCtrl& list, int row, int column, const CString& reason)
{
    CString heading = GetHeadingText(list, column);
    heading.Trim();
    if (heading.IsEmpty())
        heading.Format("column %d", column + 1);
    m_Problems.push_back({row, column, heading, reason});
}

bool CGeodeticSheet::ReadGridRow(CListCtrl& list, int row, double& easting, double& northing, bool& blank)
{
    const CString east = Cell(list, row, COLUMN_EASTING);
    const CString north = Cell(list, row, COLUMN_NORTHING);
    blank = CString(east).Trim().IsEmpty() && CString(north).Trim().IsEmpty();
    if (blank)
        return false;
    bool ok = true;
    for (int kind : {COLUMN_EASTING, COLUMN_NORTHING})
    {
        const CString reason = CCellCheck::Number(Cell(list, row, kind), false);
        if (!reason.IsEmpty())
        {
            Refuse(list, row, m_Columns[kind], reason);
            ok = false;
        }
    }
    easting = CellNumber(east);
    northing = CellNumber(north);
    return ok;
}

// The cells of one axis that the row's angle is read from, in GetRowAngle's order of forms.
std::vector<int> CGeodeticSheet::AngleColumns(CListCtrl& list, bool longitude) const
{
    const int base = longitude ? COLUMN_LON_DMS : COLUMN_LAT_DMS;
    std::vector<int> columns;
    if (Assigned(list, base))
        columns.push_back(m_Columns[base]);
    else if (Assigned(list, base + 5))
    {
        columns.push_back(m_Columns[base + 5]);
        if (m_Columns[base + 5] + 1 < GetColumnCount(list))
            columns.push_back(m_Columns[base + 5] + 1);
    }
    else if (Assigned(list, base + 1))
        for (int kind = base + 1; kind <= base + 4; ++kind)
            if (Assigned(list, kind))
                columns.push_back(m_Columns[kind]);
    return columns;
}

bool CGeodeticSheet::CheckRowAngle(CListCtrl& list, int row, bool longitude)
{
    const int base = longitude ? COLUMN_LON_DMS : COLUMN_LAT_DMS;
    const int deg = base + 1, min = base + 2, sec = base + 3, hemisphere = base + 4, nmea = base + 5;
    const size_t before = m_Problems.size();
    auto check = [&](int column, const CString& reason) {
        if (!reason.IsEmpty())
            Refuse(list, row, column, reason);
    };
    if (Assigned(list, base))
        check(m_Columns[base], CCellCheck::AngleText(Cell(list, row, base), longitude));
    else if (Assigned(list, nmea))
    {
        check(m_Columns[nmea], CCellCheck::CompactLatLon(Cell(list, row, nmea), longitude));
        const int next = m_Columns[nmea] + 1;
        if (next < GetColumnCount(list))
            check(next, CCellCheck::Hemisphere(list.GetItemText(row, next), longitude));
    }
    else if (Assigned(list, deg))
    {
        const int kinds[3] = {deg, min, sec};
        double values[3] = {0.0, 0.0, 0.0};
        bool numbers = true;
        for (int i = 0; i < 3; ++i)
        {
            const CString reason = CCellCheck::Number(Cell(list, row, kinds[i]), i > 0);
            check(m_Columns[kinds[i]], reason);
            numbers = numbers && reason.IsEmpty();
            values[i] = CellNumber(Cell(list, row, kinds[i]));
        }
        int part = CCellCheck::PART_NONE;
        const CString reason = numbers ? CCellCheck::Range(values[0], values[1], values[2], longitude, &part) : CString();
        if (part != CCellCheck::PART_NONE)
            check(m_Columns[kinds[part]], reason);
        if (Assigned(list, hemisphere))
            check(m_Columns[hemisphere], CCellCheck::Hemisphere(Cell(list, row, hemisphere), longitude));
    }
    return m_Problems.size() == before;
}

bool CGeodeticSheet::ReadGeographicalRow(CListCtrl& list, int row, double& latitude, double& longitude,
                                         bool& blank)
{
    blank = true;
    for (bool lon : {false, true})
        for (int column : AngleColumns(list, lon))
            blank = blank && CString(list.GetItemText(row, column)).Trim().IsEmpty();
    if (blank)
        return false;
    const bool latOk = CheckRowAngle(list, row, false);
    const bool lonOk = CheckRowAngle(list, row, true);
    latitude = GetRowLatitude(list, row);
    longitude = GetRowLongitude(list, row);
    return latOk && lonOk;
}

bool CGeodeticSheet::ReadHeight(CListCtrl& list, int row, double& height)
{
    height = 0.0;
    if (!Assigned(list, COLUMN_HEIGHT))
        return true;
    const CString reason = CCellCheck::Number(Cell(list, row, COLUMN_HEIGHT), true);
    if (!reason.IsEmpty())
    {
        Refuse(list, row, m_Columns[COLUMN_HEIGHT], reason);
        return false;
    }
    height = GetRowHeight(list, row);
    return true;
}

bool CGeodeticSheet::ProjectWithinReach(CListCtrl& list, int row, int column, CProjection& grid, double latitude,
                                        double longitude, double& easting, double& northing)
{
    double backLatitude = 0.0, backLongitude = 0.0;
    // A point far from the grid's origin gives figures the inverse does not bring back (a
    // longitude half the world from the central meridian gives eastings of millions of km).
    const bool ok = grid.GeographicToGrid(latitude, longitude, &easting, &northing) && std::isfinite(easting) &&
                    std::isfinite(northing) && grid.GridToGeographic(easting, northing, &backLatitude, &backLongitude) &&
                    std::fabs(backLatitude - latitude) < kReachTolerance &&
                    std::fabs(std::remainder(backLongitude - longitude, 2.0 * M_PI)) < kReachTolerance;
    if (!ok && column >= 0)
    {
        CString reason;
        reason.Format("the point lies beyond the reach of %s", (LPCSTR)grid.m_Name);
        Refuse(list, row, column, reason);
    }
    return ok;
}

void CGeodeticSheet::ConvertRow(CListCtrl& list, int conversion, int row)
{
    switch (conversion)
    {
    case CONVERT_GRID_TO_GEOGRAPHICALS: {
        const int latColumn = OutputColumn(list, OUTPUT_LATITUDE);
        const int lonColumn = OutputColumn(list, OUTPUT_LONGITUDE);
        double easting = 0.0, northing = 0.0, latitude = 0.0, longitude = 0.0;
        bool blank = false;
        // A row the grid cannot convert shows nothing rather than a position at 0, 0.
        bool ok = ReadGridRow(list, row, easting, northing, blank) && !(easting == 0.0 && northing == 0.0);
        if (ok && !m_pProjection->GridToGeographic(easting, northing, &latitude, &longitude))
        {
            Refuse(list, row, m_Columns[COLUMN_EASTING], "the grid cannot convert this point");
            ok = false;
        }
        list.SetItemText(row, latColumn, ok ? FormatAngle(latitude, ANGLE_LATITUDE, ANGLE_FORMAT_PREFERENCE) : "");
        list.SetItemText(row, lonColumn, ok ? FormatAngle(longitude, ANGLE_LONGITUDE, ANGLE_FORMAT_PREFERENCE) : "");
        break;
    }
    case CONVERT_GEOGRAPHICALS_TO_GRID: {
        const int eastColumn = OutputColumn(list, OUTPUT_EASTING);
        const int northColumn = OutputColumn(list, OUTPUT_NORTHING);
        double latitude = 0.0, longitude = 0.0, easting = 0.0, northing = 0.0;
        bool blank = false;
        const std::vector<int> lonColumns = AngleColumns(list, true);
        const bool ok = ReadGeographicalRow(list, row, latitude, longitude, blank) &&
                        !(latitude == 0.0 && longitude == 0.0) &&
                        ProjectWithinReach(list, row, lonColumns.empty() ? -1 : lonColumns.front(), *m_pProjection,
                                           latitude, longitude, easting, northing);
        list.SetItemText(row, eastColumn, ok ? FormatMetres(easting) : CString());
        list.SetItemText(row, northColumn, ok ? FormatMetres(northing) : CString());
        break;
    }
    default:
        DatumShiftRow(list, conversion, row);
        break;
    }
}

void CGeodeticSheet::DatumShiftRow(CListCtrl& list, int conversion, int row)
{
    const bool gridInput = conversion == CONVERT_DATUM_GRID_FORWARD || conversion == CONVERT_DATUM_GRID_REVERSE;
    const bool forward = conversion == CONVERT_DATUM_GRID_FORWARD || conversion == CONVERT_DATUM_GEOG_FORWARD;
    // Each side's co-ordinates are projected on that side's own spheroid: the datum's own grid
    // is on its "From" spheroid; the working grid's zone is taken on the datum's "To" spheroid,
    // which the working spheroid need not be.
    CProjection& datumGrid = m_pDatum->m_Projection;
    CProjection workingGrid = *m_pProjection;
    if (m_pDatum->m_pToSpheroid)
        workingGrid.SetSpheroid(m_pDatum->m_pToSpheroid);
    CProjection& sourceGrid = forward ? datumGrid : workingGrid;
    CProjection& targetGrid = forward ? workingGrid : datumGrid;

    const int latColumn = OutputColumn(list, OUTPUT_LATITUDE);
    const int lonColumn = OutputColumn(list, OUTPUT_LONGITUDE);
    const int htColumn = OutputColumn(list, OUTPUT_HEIGHT);
    const int eastColumn = OutputColumn(list, OUTPUT_EASTING);
    const int northColumn = OutputColumn(list, OUTPUT_NORTHING);

    double latitude = 0.0, longitude = 0.0, height = 0.0;
    bool blank = false;
    bool ok;
    int blameColumn;
    if (gridInput)
    {
        double easting = 0.0, northing = 0.0;
        ok = ReadGridRow(list, row, easting, northing, blank);
        ok = ReadHeight(list, row, height) && ok && !(easting == 0.0 && northing == 0.0);
        blameColumn = m_Columns[COLUMN_EASTING];
        if (ok && !sourceGrid.GridToGeographic(easting, northing, &latitude, &longitude))
        {
            Refuse(list, row, blameColumn, "the grid cannot convert this point");
            ok = false;
        }
    }
    else
    {
        ok = ReadGeographicalRow(list, row, latitude, longitude, blank);
        ok = ReadHeight(list, row, height) && ok && !(latitude == 0.0 && longitude == 0.0);
        const std::vector<int> lonColumns = AngleColumns(list, true);
        blameColumn = lonColumns.empty() ? -1 : lonColumns.front();
    }
    double outLatitude = 0.0, outLongitude = 0.0, outHeight = 0.0, easting = 0.0, northing = 0.0;
    if (ok && !m_pDatum->ConvertGeographic(latitude, longitude, height, &outLatitude, &outLongitude, &outHeight,
                                           forward ? 1 : -1))
    {
        Refuse(list, row, blameColumn, "the datum cannot convert this point");
        ok = false;
    }
    ok = ok && ProjectWithinReach(list, row, blameColumn, targetGrid, outLatitude, outLongitude, easting, northing);
    list.SetItemText(row, latColumn, ok ? FormatAngle(outLatitude, ANGLE_LATITUDE, ANGLE_FORMAT_PREFERENCE) : CString());
    list.SetItemText(row, lonColumn,
                     ok ? FormatAngle(outLongitude, ANGLE_LONGITUDE, ANGLE_FORMAT_PREFERENCE) : CString());
    list.SetItemText(row, htColumn, ok ? FormatMetres(outHeight) : CString());
    list.SetItemText(row, eastColumn, ok ? FormatMetres(easting) : CString());
    list.SetItemText(row, northColumn, ok ? FormatMetres(northing) : CString());
}

void CGeodeticSheet::SetColumnKind(CListCtrl& list, int column, int kind)
{
    if (column < 0 || column >= GetColumnCount(list) || kind < 0 || kind >= COLUMN_KINDS)
        return;
    SetHeadingText(list, column, GetColumnHeading(kind));
    RescanHeadings(list);
}

void CGeodeticSheet::ClearHeading(CListCtrl& list, int column)
{
    if (column < 0 || column >= GetColumnCount(list))
        return;
    SetHeadingText(list, column, "");
    // The assignment follows the headings, so a cleared heading no longer feeds a conversion.
    RescanHeadings(list);
}

void CGeodeticSheet::DeleteColumn(CListCtrl& list, int column)
{
    const int count = GetColumnCount(list);
    if (column < 0 || column >= count)
        return;
    if (column == 0 && count > 1)
    {
        // The first column is the list's item column: its texts are moved rather than the
        // column removed, so the rows keep their other cells.
        const int rows = list.GetItemCount();
        for (int row = 0; row < rows; ++row)
            for (int c = 0; c + 1 < count; ++c)
                list.SetItemText(row, c, list.GetItemText(row, c + 1));
        for (int c = 0; c + 1 < count; ++c)
            SetHeadingText(list, c, GetHeadingText(list, c + 1));
        list.DeleteColumn(count - 1);
    }
    else
        list.DeleteColumn(column);
    // Column indices after the deleted one moved; the assignment is taken again from the headings.
    RescanHeadings(list);
}

void CGeodeticSheet::InsertColumn(CListCtrl& list, int column)
{
    const int count = GetColumnCount(list);
    if (column < 0 || column > count)
        return;
    list.InsertColumn(column, "", LVCFMT_CENTER, 50);
    RescanHeadings(list);
}

void CGeodeticSheet::DeleteSelectedRows(CListCtrl& list)
{
    m_Problems.clear();
    for (int row = list.GetItemCount() - 1; row >= 0; --row)
        if (list.GetItemState(row, LVIS_SELECTED) & LVIS_SELECTED)
            list.DeleteItem(row);
}
