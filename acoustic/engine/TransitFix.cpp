#include "acoustic/engine/TransitFix.h"

#include "features/GridValueCheck.h"
#include "foundation/ConfigFile.h"
#include "foundation/Folders.h"
#include "foundation/Geometry.h"
#include "foundation/Report.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace
{
const char* const kTransitFixSettingsName = "Transit Fix";
const char* const kExtension = "TFX";
const char* const kSubFolder = "Calibration\\Transit Fix";
const double kHalfPi = 1.57079632679489661923;
// Intersections closer than this are one point: every leg passed through it.
const double kSamePoint = 1e-6;

double Distance(const tagXY& a, const tagXY& b)
{
    return std::hypot(b.x - a.x, b.y - a.y);
}

double Bearing(const tagXY& from, const tagXY& to)
{
    double bearing = 0.0;
    ComputeRangeBearing(from.x, from.y, to.x, to.y, &bearing, nullptr);
    return bearing;
}

// A coordinate of a points file: a finite number a survey grid can hold. "1e308" is a number
// too, but every intersection, bearing and centre computed from it would be worthless.
bool ParseCoordinate(const CString& text, double* value)
{
    // The number must take the whole text: a NUL byte (a line of a UTF-16 file) ends what
    // strtod sees, not the text.
    const char* start = text.GetString();
    char* end = nullptr;
    const double v = std::strtod(start, &end);
    if (text.IsEmpty() || end != start + text.GetLength() || !std::isfinite(v) ||
        std::fabs(v) > CGridValueCheck::MAX_GRID_VALUE)
        return false;
    *value = v;
    return true;
}

// "easting,northing" with nothing else on the line.
bool ParsePoint(const CString& line, tagXY* point)
{
    CString text(line);
    text.Trim();
    const int comma = text.Find(',');
    if (comma < 0)
        return false;
    double e = 0.0, n = 0.0;
    if (!ParseCoordinate(text.Left(comma).Trim(), &e) || !ParseCoordinate(text.Mid(comma + 1).Trim(), &n))
        return false;
    point->x = e;
    point->y = n;
    return true;
}

} // namespace

CTransitFix::CTransitFix()
{
    int legs = kMaxLegs;
    CString fileName = "TransitFix";
    const bool found = CConfigFile::ReadSettingsFile(kTransitFixSettingsName, [&](CConfigFile& file) {
        legs = file.ReadInt(kMaxLegs);
        fileName = file.ReadText("TransitFix");
    });
    if (!found)
        return;
    m_NumberOfLegs = legs == 3 ? 3 : kMaxLegs;
    m_NumberOfPoints = 2 * m_NumberOfLegs;
    m_FileName = fileName;
    Load(m_FileName);
}

CString CTransitFix::GetFolder()
{
    CString folder;
    if (!GetMyDrivesDataFolder(folder, kSubFolder))
        GetMyDataFolder(folder, kSubFolder);
    return folder;
}

CString CTransitFix::GetPathName(const char* fileName)
{
    CString path;
    path.Format("%s%s.%s", GetFolder().GetString(), fileName ? fileName : "", kExtension);
    return path;
}

void CTransitFix::GetLoadProblems(CStringArray& problems) const
{
    problems.RemoveAll();
    problems.Append(m_LoadProblems);
}

void CTransitFix::GetProblems(CStringArray& problems) const
{
    problems.RemoveAll();
    problems.Append(m_LoadProblems);
    problems.Append(m_ComputeProblems);
}

void CTransitFix::Clear()
{
    std::fill(std::begin(m_Intersections), std::end(m_Intersections), tagXY{0.0, 0.0});
    std::fill(std::begin(m_IntersectionComputed), std::end(m_IntersectionComputed), false);
    std::fill(std::begin(m_Bearings), std::end(m_Bearings), 0.0);
    m_Centre = tagXY{0.0, 0.0};
    m_Radius = 0.0;
    m_Computed = false;
    m_ComputeProblems.RemoveAll();
}

bool CTransitFix::Load(const char* fileName)
{
    std::fill(std::begin(m_Points), std::end(m_Points), tagXY{0.0, 0.0});
    Clear();
    m_LoadProblems.RemoveAll();
    m_NumberOfLegs = kMaxLegs;
    m_NumberOfPoints = kMaxPoints;
    m_FileName = fileName ? fileName : "";
    const CString path = GetPathName(m_FileName);
    int lines = 0;
    const bool opened = CConfigFile::ReadWhole(
        path, CFile::modeRead | CFile::shareDenyWrite | CFile::typeText, [&](CConfigFile& file) {
            CString line;
            // A line is held only up to the settings reader's limit: a file of one 10 MB line
            // costs no more memory than a short one.
            bool tooLong = false;
            while (lines < kMaxPoints && file.ReadSettingsLine(line, &tooLong))
            {
                tagXY point{0.0, 0.0};
                if (!tooLong && ParsePoint(line, &point))
                {
                    m_Points[lines] = point;
                }
                else
                {
                    CString problem;
                    problem.Format("Line %d of %s is not an easting and a "
                                   "northing a survey grid can hold: point %d is not entered.",
                                   lines + 1, path.GetString(), lines + 1);
                    m_LoadProblems.Add(problem);
                }
                ++lines;
            }
        });
    if (lines == 6)
    {
        m_NumberOfLegs = 3;
        m_NumberOfPoints = 6;
    }
    Compute();
    return opened;
}

bool CTransitFix::SaveSettings() const
{
    return CConfigFile::WriteSettingsFile(kTransitFixSettingsName, [this](CConfigFile& file) {
        file.WriteInt("No of Legs", m_NumberOfLegs);
        file.WriteText("FileName", m_FileName);
    });
}

bool CTransitFix::Save() const
{
    const bool settings = SaveSettings();
    const bool points = CConfigFile::WriteWhole(
        GetPathName(m_FileName),
        CFile::modeCreate | CFile::modeWrite | CFile::shareDenyWrite | CFile::typeText,
        [this](CConfigFile& file) {
            for (int i = 0; i < 2 * m_NumberOfLegs && i < kMaxPoints; ++i)
            {
                CString line;
                line.Format("%.3lf,%.3lf\n", m_Points[i].x, m_Points[i].y);
                file.WriteString(line);
            }
        });
    return settings && points;
}

bool CTransitFix::Entered(int point) const
{
    const tagXY& p = m_Points[point - 1];
    return p.x != 0.0 && p.y != 0.0;
}

bool CTransitFix::Intersect(int index, int leg1, int p1, int p2, int leg2, int p3, int p4)
{
    if (!Entered(p1) || !Entered(p2) || !Entered(p3) || !Entered(p4))
        return false;
    const tagXY &a = m_Points[p1 - 1], &b = m_Points[p2 - 1], &c = m_Points[p3 - 1], &d = m_Points[p4 - 1];
    tagXY crossing{0.0, 0.0};
    if (IntersectSegments(a.x, a.y, b.x, b.y, c.x, c.y, d.x, d.y, &crossing.x, &crossing.y) == 0)
    {
        CString problem;
        problem.Format("Legs %d and %d are parallel: they have no intersection %c.", leg1, leg2, 'A' + index);
        m_ComputeProblems.Add(problem);
        return false;
    }
    m_Intersections[index] = crossing;
    m_IntersectionComputed[index] = true;
    return true;
}

bool CTransitFix::Compute()
{
    Clear();
    for (int i = 1; i <= m_NumberOfPoints && i <= kMaxPoints; ++i)
    {
        if (!Entered(i))
        {
            CString problem;
            problem.Format("Point %d is not entered: its leg has no line.", i);
            m_ComputeProblems.Add(problem);
        }
    }
    return m_NumberOfLegs == 3 ? ComputeThreeLegFix() : ComputeFourLegFix();
}

bool CTransitFix::ComputeFourLegFix()
{
    // L1 = 1-6, L2 = 2-5, L3 = 3-8, L4 = 4-7; A = L1 x L3, B = L2 x L3, C = L2 x L4, D = L1 x L4.
    bool all = Intersect(0, 1, 1, 6, 3, 3, 8);
    all = Intersect(1, 2, 2, 5, 3, 3, 8) && all;
    all = Intersect(2, 2, 2, 5, 4, 4, 7) && all;
    all = Intersect(3, 1, 1, 6, 4, 4, 7) && all;
    if (!all)
        return false;
    const tagXY &a = m_Intersections[0], &b = m_Intersections[1], &c = m_Intersections[2],
                &d = m_Intersections[3];
    if (std::max({Distance(a, b), Distance(a, c), Distance(a, d)}) <= kSamePoint)
    {
        // Every leg passed through one point: that is the fix.
        m_Centre = a;
    }
    else if (IntersectSegments(a.x, a.y, c.x, c.y, b.x, b.y, d.x, d.y, &m_Centre.x, &m_Centre.y) == 0)
    {
        m_Centre = tagXY{0.0, 0.0};
        m_ComputeProblems.Add("The diagonals A-C and B-D are parallel: the intersections have no centre.");
        return false;
    }
    m_Bearings[0] = Bearing(a, b);
    m_Bearings[1] = Bearing(d, c);
    m_Bearings[2] = Bearing(a, d);
    m_Bearings[3] = Bearing(b, c);
    m_Computed = true;
    return true;
}

bool CTransitFix::CircleThroughPoints(const tagXY& a, const tagXY& b, const tagXY& c, tagXY* centre,
                                      double* radius)
{
    const double ab = Distance(a, b), ac = Distance(a, c);
    if (std::max({ab, ac, Distance(b, c)}) <= kSamePoint)
    {
        *centre = a;
        *radius = 0.0;
        return true;
    }
    // Points on one line (within rounding) have no circle; the bisectors would meet far away
    // instead of being exactly parallel.
    const double cross = (b.x - a.x) * (c.y - a.y) - (b.y - a.y) * (c.x - a.x);
    if (!(std::fabs(cross) > 1e-12 * ab * ac))
        return false;
    // The perpendicular bisectors of A-B and A-C: from each side's midpoint, one side-length
    // either way at right angles to the side.
    const double bAB = Bearing(a, b), bAC = Bearing(a, c);
    const tagXY mAB{(a.x + b.x) / 2.0, (a.y + b.y) / 2.0}, mAC{(a.x + c.x) / 2.0, (a.y + c.y) / 2.0};
    tagXY p1, p2, p3, p4;
    PointAtRangeBearing(mAB.x, mAB.y, ab, bAB + kHalfPi, &p1.x, &p1.y);
    PointAtRangeBearing(mAB.x, mAB.y, ab, bAB - kHalfPi, &p2.x, &p2.y);
    PointAtRangeBearing(mAC.x, mAC.y, ac, bAC + kHalfPi, &p3.x, &p3.y);
    PointAtRangeBearing(mAC.x, mAC.y, ac, bAC - kHalfPi, &p4.x, &p4.y);
    tagXY crossing{0.0, 0.0};
    if (IntersectSegments(p1.x, p1.y, p2.x, p2.y, p3.x, p3.y, p4.x, p4.y, &crossing.x, &crossing.y) == 0)
        return false;
    *centre = crossing;
    *radius = Distance(a, crossing);
    return true;
}

bool CTransitFix::ComputeThreeLegFix()
{
    // L1 = 1-4, L2 = 2-5, L3 = 3-6; A = L1 x L3, B = L2 x L3, C = L1 x L2.
    bool all = Intersect(0, 1, 1, 4, 3, 3, 6);
    all = Intersect(1, 2, 2, 5, 3, 3, 6) && all;
    all = Intersect(2, 1, 1, 4, 2, 2, 5) && all;
    if (!all)
        return false;
    const tagXY &a = m_Intersections[0], &b = m_Intersections[1], &c = m_Intersections[2];
    if (!CircleThroughPoints(a, b, c, &m_Centre, &m_Radius))
    {
        m_Centre = tagXY{0.0, 0.0};
        m_Radius = 0.0;
        m_ComputeProblems.Add("The intersections A, B and C lie on one line: they have no centre.");
        return false;
    }
    // In the order the legs are named for three legs: A to B, B to C, A to C.
    m_Bearings[0] = Bearing(a, b);
    m_Bearings[1] = Bearing(b, c);
    m_Bearings[2] = Bearing(a, c);
    m_Computed = true;
    return true;
}

bool CTransitFix::PrintReport()
{
    CReport report;
    report.m_Title = "Transit Fix";
    return PrintReport(report);
}

bool CTransitFix::PrintReport(CReport& report) const
{
    if (!report.IsOpen() && !report.Open())
        return false;
    CString line;
    report.PrintLine(m_FileName);
    for (int i = 0; i < 3; ++i)
        report.PrintBlankLine();
    for (int i = 0; i < m_NumberOfPoints && i < kMaxPoints; ++i)
    {
        line.Format("Fix %d  : %.2lf %s %.2lf %s", i + 1, m_Points[i].x, "E", m_Points[i].y, "N");
        report.PrintLine(line);
    }
    report.PrintBlankLine();
    for (int i = 0; i < m_NumberOfLegs && i < kMaxLegs; ++i)
    {
        if (m_IntersectionComputed[i])
            line.Format("Leg %c  : %.2lf %s %.2lf %s", 'A' + i, m_Intersections[i].x, "E",
                        m_Intersections[i].y, "N");
        else
            line.Format("Leg %c  : not computed", 'A' + i);
        report.PrintLine(line);
    }
    report.PrintBlankLine();
    if (m_Computed)
    {
        line.Format("Centre : %.2lf %s %.2lf %s", m_Centre.x, "E", m_Centre.y, "N");
        report.PrintLine(line);
    }
    else
    {
        report.PrintLine("Centre : not computed");
        for (INT_PTR i = 0; i < m_ComputeProblems.GetSize(); ++i)
            report.PrintLine(m_ComputeProblems[i]);
    }
    return report.Close();
}
