#include "features/Rpl.h"

#include "features/GridValueCheck.h"
#include "features/LegGeometry.h"
#include "foundation/CsvParser.h"
#include "foundation/FilePath.h"
#include "foundation/Geometry.h"
#include "platform/core/Exception.h"
#include "platform/core/StdioFile.h"

#include <cfloat>
#include <cmath>
#include <cstring>

namespace
{
const UINT kRplReadFlags = CFile::modeRead | CFile::shareDenyWrite | CFile::typeText;

const double kTwoPi = 2.0 * M_PI;

// What a missing settings file gives. The alarm values also stand in for missing lines, so
// that a short file never switches the anchor-cable alarm off.
const double kDefaultCorridor = 100.0;
const double kDefaultClearance = 10.0;
const double kDefaultTolerance = 25.0;
const tagPen kDefaultCorridorPen = {5, 0, 0x80, 0};
const tagPen kDefaultPipelinePen = {0, 2, 0xFF0000, 0}; // blue
// A pen whose line is missing from a settings file.
const tagPen kMissingLinePen = {0, 1, 0, 0};

// Below this |cos(angle / 2)| the tangents of an arc are (nearly) parallel and meet far away
// or nowhere: a turn of about 180°.
const double kParallelTangents = 1e-9;

double WrapTwoPi(double a)
{
    a = std::fmod(a, kTwoPi);
    if (a < 0.0)
        a += kTwoPi;
    return a >= kTwoPi ? 0.0 : a;
}

bool IsPosition(double e, double n)
{
    return e != DBL_MAX && n != DBL_MAX && !(e == 0.0 && n == 0.0);
}

// An element turns on an arc only where one was fitted; a radius without one is not drawn.
bool HasArc(const RPLDef& r)
{
    return r.TurnSide != 0;
}

tagXY PointOf(const RPLDef& r)
{
    return tagXY{r.Easting, r.Northing};
}

// Where the route leaves the element and where it arrives at it.
tagXY ExitOf(const RPLDef& r)
{
    return HasArc(r) ? tagXY{r.ArcEndE, r.ArcEndN} : PointOf(r);
}

tagXY EntryOf(const RPLDef& r)
{
    return HasArc(r) ? tagXY{r.ArcStartE, r.ArcStartN} : PointOf(r);
}

void SetLeg(RPLDef& r, const tagXY& from, const tagXY& to)
{
    LegDef leg;
    ComputeLegGeometry(from.x, from.y, to.x, to.y, &leg);
    r.Length = leg.Length;
    r.Bearing = leg.Bearing;
    r.SinBearing = leg.SinBearing;
    r.CosBearing = leg.CosBearing;
    r.ReverseBearing = leg.ReverseBearing;
    r.LegSpare1 = 0.0;
    r.LegSpare2 = 0.0;
    r.LegRunning = 0.0;
}

// A plain vertex: no arc; its tangent points are the vertex itself, so that every reader of
// the arc fields finds the route passing through it.
void MakePlain(RPLDef& r)
{
    r.Radius = 0.0;
    r.CentreE = r.CentreN = 0.0;
    r.ArcStartE = r.ArcEndE = r.Easting;
    r.ArcStartN = r.ArcEndN = r.Northing;
    r.StartBearing = r.EndBearing = 0.0;
    r.ArcAngle = 0.0;
    r.PiMinusAngle = 0.0;
    r.ArcLength = 0.0;
    r.TurnSide = 0;
}

void TakeArc(RPLDef& r, const ArcDef& arc)
{
    r.Radius = arc.Radius;
    r.CentreE = arc.CentreE;
    r.CentreN = arc.CentreN;
    r.ArcStartE = arc.StartE;
    r.ArcStartN = arc.StartN;
    r.ArcEndE = arc.EndE;
    r.ArcEndN = arc.EndN;
    r.StartBearing = arc.StartBearing;
    r.EndBearing = arc.EndBearing;
    r.ArcAngle = arc.TurnAngle;
    r.PiMinusAngle = M_PI - arc.TurnAngle;
    r.ArcLength = arc.ArcLength;
    r.TurnSide = arc.TurnSide;
}

// Legs and KPs along elements whose points and arcs are set: each leg runs from where the
// route leaves one element to where it reaches the next, and the KP grows by every leg and arc
// in turn. The first and last elements never turn.
void ChainLegsAndKps(CRPLArray& records)
{
    const INT_PTR n = records.GetSize();
    if (n < 1)
        return;
    MakePlain(records[0]);
    records[0].KP = records[0].KPArcStart = records[0].KPArcEnd = 0.0;
    if (n > 1)
        MakePlain(records[n - 1]);
    for (INT_PTR i = 0; i + 1 < n; ++i)
    {
        RPLDef& a = records[i];
        RPLDef& b = records[i + 1];
        SetLeg(a, ExitOf(a), EntryOf(b));
        const double kp = (HasArc(a) ? a.KPArcEnd : a.KP) + a.Length / 1000.0;
        b.KP = kp;
        b.KPArcStart = kp;
        b.KPArcEnd = kp + b.ArcLength / 1000.0;
    }
    RPLDef& last = records[n - 1];
    SetLeg(last, PointOf(last), PointOf(last));
}

CRPL::LAYOUT LayoutOfFieldCount(int fields)
{
    switch (fields)
    {
    case 2:
        return CRPL::LAYOUT_TANGENT_POINTS;
    case 3:
        return CRPL::LAYOUT_VERTICES;
    case 5:
        return CRPL::LAYOUT_CODED;
    default:
        return CRPL::LAYOUT_NONE;
    }
}
} // namespace

CRPL::CRPL()
    : m_Reserved{}, m_Use(true), m_DisplayCorridor(false), m_PortCorridor(kDefaultCorridor),
      m_StarboardCorridor(kDefaultCorridor), m_CorridorPen(kDefaultCorridorPen),
      m_PipelinePen(kDefaultPipelinePen), m_Diameter(0), m_Clearance(kDefaultClearance),
      m_Tolerance(kDefaultTolerance)
{
}

CRPL::~CRPL()
{
    RemoveAll();
    for (double& value : m_Reserved)
        value = 0.0;
    m_FilePath.Empty();
}

CString CRPL::GetSettingsName() const
{
    CString folder, title, extension;
    SplitFilePath(m_FilePath, folder, title, extension);
    return title + "_RPL";
}

// The writer and its reader: keep the two in the same order.
void CRPL::SaveSettings()
{
    CConfigFile::WriteSettingsFile(GetSettingsName(), [&](CConfigFile& file) {
        file.WriteBool("Use", m_Use);
        file.WriteBool("Display Corridor", m_DisplayCorridor);
        file.WriteDouble("Port Corridor", m_PortCorridor, 3);
        file.WriteDouble("Stdb Corridor", m_StarboardCorridor, 3);
        file.WritePen("Corridor Pen", m_CorridorPen);
        file.WritePen("Pipeline Pen", m_PipelinePen);
        file.WriteInt("Diameter", m_Diameter);
        file.WriteDouble("Clearance", m_Clearance, 3);
        file.WriteDouble("Tolerance", m_Tolerance, 3);
    });
}

void CRPL::LoadSettings()
{
    // Whatever was read before the failure stands; the rest keeps its earlier values.
    if (!CConfigFile::ReadSettingsFile(GetSettingsName(), [this](CConfigFile& file) {
        m_Use = file.ReadInt(0) != 0;
        m_DisplayCorridor = file.ReadInt(0) != 0;
        m_PortCorridor = file.ReadDouble(0.0);
        m_StarboardCorridor = file.ReadDouble(0.0);
        m_CorridorPen = file.ReadPen(kMissingLinePen);
        m_PipelinePen = file.ReadPen(kMissingLinePen);
        m_Diameter = file.ReadShort(0);
        m_Clearance = file.ReadDouble(kDefaultClearance);
        m_Tolerance = file.ReadDouble(kDefaultTolerance);
    }))
    {
        m_PortCorridor = kDefaultCorridor;
        m_StarboardCorridor = kDefaultCorridor;
        m_Use = true;
        m_DisplayCorridor = false;
        m_CorridorPen = kDefaultCorridorPen;
        m_PipelinePen = kDefaultPipelinePen;
        m_Diameter = 0;
        m_Clearance = kDefaultClearance;
        m_Tolerance = kDefaultTolerance;
    }
}

bool CRPL::Load(const char* path)
{
    m_FilePath = path;
    return Load();
}

bool CRPL::Load()
{
    RemoveAll();
    m_Layout = LAYOUT_NONE;
    m_strRefusal.Empty();
    LoadSettings();

    CStdioFile file;
    if (m_FilePath.IsEmpty() || !file.Open(m_FilePath, kRplReadFlags))
        return false;
    CGridValueCheck check(m_FilePath);
    try
    {
        CString folder, title, extension;
        SplitFilePath(m_FilePath, folder, title, extension);
        if (extension.CompareNoCase("RLX") == 0)
        {
            m_Layout = LAYOUT_RLX;
        }
        else
        {
            CString line;
            if (file.ReadString(line))
            {
                CCsvParser parser;
                parser.SetLine(line);
                m_Layout = LayoutOfFieldCount(parser.GetFieldCount());
            }
            file.SeekToBegin();
        }

        switch (m_Layout)
        {
        case LAYOUT_RLX:
            ReadRlx(file, check);
            break;
        case LAYOUT_TANGENT_POINTS:
            ReadTangentPoints(file, check);
            JoinLegs();
            break;
        case LAYOUT_VERTICES:
            ReadVertices(file, check);
            FitArcs();
            break;
        case LAYOUT_CODED:
            ReadCoded(file, check);
            FitArcs();
            break;
        case LAYOUT_NONE:
            break;
        }
        ComputeCorridor();
        file.Close();
    }
    catch (CException* e)
    {
        // A file that cannot be read to its end is not loaded at all, rather than shown cut short.
        e->Delete();
        file.Abort();
        RemoveAll();
    }
    m_strRefusal = check.GetRefusal();
    if (check.Refused())
        RemoveAll();
    if (IsEmpty())
        m_Layout = LAYOUT_NONE;
    return !IsEmpty();
}

void CRPL::ReadRlx(CStdioFile& file, CGridValueCheck& check)
{
    CString line;
    for (int header = 0; header < 2; ++header)
    {
        if (!file.ReadString(line))
            return;
        check.NextLine();
    }

    CArray<RLXDef, const RLXDef&> lines;
    CCsvParser parser;
    while (file.ReadString(line))
    {
        check.NextLine();
        // An empty line (often the last of a file) holds no tangent point.
        CString text(line);
        if (text.Trim().IsEmpty())
            continue;
        parser.SetLine(line);
        parser.FoldToSeparator();
        RLXDef d;
        d.StartE = parser.GetDouble();
        d.StartN = parser.GetDouble();
        d.EndE = parser.GetDouble();
        d.EndN = parser.GetDouble();
        d.RouteEndE = parser.GetDouble();
        d.RouteEndN = parser.GetDouble();
        d.Radius = parser.GetDouble();
        if (!check.Accept({d.StartE, d.StartN, d.EndE, d.EndN, d.RouteEndE, d.RouteEndN, d.Radius}))
            return;
        if (d.Radius == DBL_MAX)
            d.Radius = 0.0;
        lines.Add(d);
    }
    const INT_PTR n = lines.GetSize();
    if (n < 1)
        return;

    RPLDef first = {};
    first.Easting = lines[0].StartE;
    first.Northing = lines[0].StartN;
    SetLeg(first, PointOf(first), tagXY{lines[0].EndE, lines[0].EndN});
    MakePlain(first);
    double kp = first.Length / 1000.0;
    double bearing = first.Bearing;
    Add(first);

    for (INT_PTR i = 1; i < n; ++i)
    {
        const RLXDef& d = lines[i];
        RPLDef e = {};
        if (d.Radius == 0.0)
        {
            e.Easting = d.EndE;
            e.Northing = d.EndN;
            SetLeg(e, tagXY{d.StartE, d.StartN}, tagXY{d.EndE, d.EndN});
            kp += e.Length / 1000.0;
            e.KP = kp;
            e.KPArcStart = kp;
            e.KPArcEnd = kp;
            if (e.Length > 0.0)
                bearing = e.Bearing;
        }
        else
        {
            const double radius = std::fabs(d.Radius);
            const int side = d.Radius > 0.0 ? 1 : -1;
            e.Radius = radius;
            e.TurnSide = side;
            e.ArcStartE = d.StartE;
            e.ArcStartN = d.StartN;
            e.ArcEndE = d.EndE;
            e.ArcEndN = d.EndN;
            // The centre lies square to the route at the arc start, on the side of the turn.
            e.StartBearing = WrapTwoPi(bearing - side * M_PI_2);
            PointAtRangeBearing(d.StartE, d.StartN, radius, e.StartBearing + M_PI, &e.CentreE, &e.CentreN);
            ComputeRangeBearing(e.CentreE, e.CentreN, d.EndE, d.EndN, &e.EndBearing, nullptr);
            double angle = side > 0 ? e.EndBearing - e.StartBearing : e.StartBearing - e.EndBearing;
            if (angle < 0.0)
                angle += kTwoPi;
            // An arc that ends where it starts turns through nothing, not a whole circle.
            if (angle > kTwoPi - kParallelTangents)
                angle = 0.0;
            e.ArcAngle = angle;
            e.PiMinusAngle = M_PI - angle;
            // The vertex where the two tangents meet; where they are parallel they meet nowhere,
            // and the middle of the arc stands in for it.
            const double half = std::cos(angle / 2.0);
            const double toVertex = std::fabs(half) < kParallelTangents ? radius : radius / half;
            PointAtRangeBearing(e.CentreE, e.CentreN, toVertex, e.StartBearing + side * angle / 2.0,
                                &e.Easting, &e.Northing);
            e.ArcLength = radius * angle;
            e.KP = kp;
            e.KPArcStart = kp;
            e.KPArcEnd = kp + e.ArcLength / 1000.0;
            kp = e.KPArcEnd;
            bearing = WrapTwoPi(e.EndBearing + side * M_PI_2);
        }
        const bool last = i == n - 1;
        if (last)
        {
            // A last line without its end point ends the route where its arc or straight does.
            if (IsPosition(d.RouteEndE, d.RouteEndN))
            {
                e.Easting = d.RouteEndE;
                e.Northing = d.RouteEndN;
            }
            else
            {
                e.Easting = d.EndE;
                e.Northing = d.EndN;
            }
        }
        if (e.Radius == 0.0)
            MakePlain(e);
        if (e.Radius != 0.0 || last)
            Add(e);
    }
}

void CRPL::ReadTangentPoints(CStdioFile& file, CGridValueCheck& check)
{
    CCsvParser parser;
    CString line;
    bool haveStart = false;
    bool pairOpen = false;
    RPLDef pair = {};
    while (file.ReadString(line))
    {
        check.NextLine();
        parser.SetLine(line);
        const double e = parser.GetDouble();
        const double n = parser.GetDouble();
        if (!check.Accept({e, n}))
            return;
        if (!IsPosition(e, n))
            continue;
        if (!haveStart)
        {
            RPLDef start = {};
            start.Easting = e;
            start.Northing = n;
            MakePlain(start);
            Add(start);
            haveStart = true;
        }
        else if (!pairOpen)
        {
            pair = RPLDef{};
            pair.ArcStartE = e;
            pair.ArcStartN = n;
            pairOpen = true;
        }
        else
        {
            pair.ArcEndE = e;
            pair.ArcEndN = n;
            Add(pair);
            pairOpen = false;
        }
    }
    if (pairOpen)
    {
        // The unpaired last point: the end of the route.
        pair.Easting = pair.ArcEndE = pair.ArcStartE;
        pair.Northing = pair.ArcEndN = pair.ArcStartN;
        Add(pair);
    }
    else if (GetSize() > 1)
    {
        // A file that stops on a pair ends the route at its last point.
        RPLDef& last = ElementAt(GetSize() - 1);
        last.Easting = last.ArcEndE;
        last.Northing = last.ArcEndN;
    }
}

void CRPL::JoinLegs()
{
    const INT_PTR n = GetSize();
    if (n < 2)
        return;
    // The tangent points as the file gives them: the straights run through them, whatever the
    // fitted arcs make of the pairs before.
    CArray<tagXY, const tagXY&> entry, exit;
    entry.SetSize(n);
    exit.SetSize(n);
    for (INT_PTR i = 0; i < n; ++i)
    {
        const RPLDef& r = GetAt(i);
        entry[i] = i == 0 ? PointOf(r) : tagXY{r.ArcStartE, r.ArcStartN};
        exit[i] = i == 0 ? PointOf(r) : tagXY{r.ArcEndE, r.ArcEndN};
    }
    entry[n - 1] = PointOf(GetAt(n - 1));

    for (INT_PTR b = 1; b + 1 < n; ++b)
    {
        RPLDef& B = ElementAt(b);
        tagXY crossing{0.0, 0.0};
        ArcDef arc = {};
        // The file gives no radius: it is the one whose circle touches both straights at the
        // given tangent points, taken at their mean distance from the vertex, which is exact
        // for points taken off a true arc.
        if (IntersectLines(exit[b - 1], entry[b], exit[b], entry[b + 1], &crossing.x, &crossing.y) != 0)
        {
            double bIn = 0.0, bOut = 0.0, dIn = 0.0, dOut = 0.0;
            ComputeRangeBearing(exit[b - 1].x, exit[b - 1].y, entry[b].x, entry[b].y, &bIn, nullptr);
            ComputeRangeBearing(exit[b].x, exit[b].y, entry[b + 1].x, entry[b + 1].y, &bOut, nullptr);
            ComputeRangeBearing(crossing.x, crossing.y, entry[b].x, entry[b].y, nullptr, &dIn);
            ComputeRangeBearing(crossing.x, crossing.y, exit[b].x, exit[b].y, nullptr, &dOut);
            const double turn = std::fabs(std::remainder(bOut - bIn, kTwoPi));
            const double halfTurn = std::tan(turn / 2.0);
            arc.Radius = halfTurn > 0.0 ? 0.5 * (dIn + dOut) / halfTurn : 0.0;
            FitArcAtIntersection(exit[b - 1], entry[b], exit[b], entry[b + 1], &crossing, &arc);
            B.Easting = crossing.x;
            B.Northing = crossing.y;
        }
        else
        {
            // Parallel straights (an S-bend given by its tangent points only) have no vertex:
            // the route passes between the two points.
            B.Easting = 0.5 * (entry[b].x + exit[b].x);
            B.Northing = 0.5 * (entry[b].y + exit[b].y);
        }
        if (arc.TurnSide != 0)
            TakeArc(B, arc);
        else
            MakePlain(B);
    }
    ChainLegsAndKps(*this);
}

void CRPL::ReadVertices(CStdioFile& file, CGridValueCheck& check)
{
    CCsvParser parser;
    CString line;
    while (file.ReadString(line))
    {
        check.NextLine();
        parser.SetLine(line);
        const double e = parser.GetDouble();
        const double n = parser.GetDouble();
        const double radius = parser.GetDouble();
        if (!check.Accept({e, n, radius}))
            return;
        if (!IsPosition(e, n))
            continue;
        RPLDef r = {};
        r.Easting = e;
        r.Northing = n;
        r.Radius = radius == DBL_MAX ? 0.0 : radius;
        Add(r);
    }
}

void CRPL::ReadCoded(CStdioFile& file, CGridValueCheck& check)
{
    CCsvParser parser;
    CString line;
    bool positionPending = false;
    tagXY position{0.0, 0.0};
    // At the start a radius counts as given, so the first position is stored at once.
    bool radiusGiven = true;
    double pendingRadius = 0.0;
    auto store = [&]() {
        RPLDef r = {};
        r.Easting = position.x;
        r.Northing = position.y;
        r.Radius = pendingRadius;
        Add(r);
    };
    while (file.ReadString(line))
    {
        check.NextLine();
        parser.SetLine(line);
        CString code = parser.GetString();
        code.Trim();
        code = code.Left(2);
        parser.GetDouble(); // the number field is not used
        const double e = parser.GetDouble();
        const double n = parser.GetDouble();
        const double radius = parser.GetDouble();
        if (!check.Accept({e, n, radius}))
            return;
        if (radius != DBL_MAX)
        {
            pendingRadius = radius;
            radiusGiven = true;
        }
        if (code.CompareNoCase("TP") != 0 && code.CompareNoCase("CP") != 0)
        {
            positionPending = IsPosition(e, n);
            if (positionPending)
                position = tagXY{e, n};
        }
        if (positionPending && radiusGiven)
        {
            store();
            positionPending = false;
            radiusGiven = false;
            pendingRadius = 0.0;
        }
    }
    if (positionPending)
        store();
}

void CRPL::FitArcs()
{
    const INT_PTR n = GetSize();
    if (n < 2)
        return;
    for (INT_PTR b = 1; b + 1 < n; ++b)
    {
        RPLDef& B = ElementAt(b);
        ArcDef arc = {};
        arc.Radius = B.Radius;
        if (B.Radius > 0.0)
            FitTurnArc(PointOf(GetAt(b - 1)), PointOf(B), PointOf(GetAt(b + 1)), &arc);
        // A radius where no arc fits (straight on, or not positive) leaves a plain vertex.
        if (arc.TurnSide != 0)
            TakeArc(B, arc);
        else
            MakePlain(B);
    }
    ChainLegsAndKps(*this);
}

void CRPL::ComputeCorridor()
{
    const INT_PTR n = GetSize();
    if (n < 2)
        return;
    const double port = m_PortCorridor;
    const double starboard = m_StarboardCorridor;

    RPLDef& first = ElementAt(0);
    OffsetPerpendicular(first.Easting, first.Northing, first.SinBearing, first.CosBearing, port, starboard,
                        &first.PortStart, &first.StarboardStart);
    first.PortEnd = first.PortStart;
    first.StarboardEnd = first.StarboardStart;

    for (INT_PTR b = 1; b + 1 < n; ++b)
    {
        RPLDef& B = ElementAt(b);
        if (HasArc(B))
        {
            // The edges are arcs about the same centre: wider outside the turn, narrower inside.
            const double portRadius = B.TurnSide < 0 ? B.Radius - port : B.Radius + port;
            const double starboardRadius = B.TurnSide < 0 ? B.Radius + starboard : B.Radius - starboard;
            PointAtRangeBearing(B.CentreE, B.CentreN, portRadius, B.StartBearing, &B.PortStart.x,
                                &B.PortStart.y);
            PointAtRangeBearing(B.CentreE, B.CentreN, portRadius, B.EndBearing, &B.PortEnd.x, &B.PortEnd.y);
            PointAtRangeBearing(B.CentreE, B.CentreN, starboardRadius, B.StartBearing, &B.StarboardStart.x,
                                &B.StarboardStart.y);
            PointAtRangeBearing(B.CentreE, B.CentreN, starboardRadius, B.EndBearing, &B.StarboardEnd.x,
                                &B.StarboardEnd.y);
        }
        else
        {
            ComputeCorridorVertex(PointOf(GetAt(b - 1)), PointOf(B), PointOf(GetAt(b + 1)), port, starboard,
                                  &B.PortStart, &B.StarboardStart);
            B.PortEnd = B.PortStart;
            B.StarboardEnd = B.StarboardStart;
        }
    }

    // Square to the last straight. An RLX element before it may have no leg of its own: the
    // straight then runs from its arc end to the end point.
    RPLDef& last = ElementAt(n - 1);
    const RPLDef& before = GetAt(n - 2);
    double sinLeg = before.SinBearing, cosLeg = before.CosBearing;
    if (!(before.Length > 0.0))
    {
        const tagXY from = ExitOf(before);
        double bearing = 0.0, length = 0.0;
        ComputeRangeBearing(from.x, from.y, last.Easting, last.Northing, &bearing, &length);
        if (length > 0.0)
        {
            sinLeg = std::sin(bearing);
            cosLeg = std::cos(bearing);
        }
        else
        {
            sinLeg = last.SinBearing;
            cosLeg = last.CosBearing;
        }
    }
    OffsetPerpendicular(last.Easting, last.Northing, sinLeg, cosLeg, port, starboard, &last.PortStart,
                        &last.StarboardStart);
    last.PortEnd = last.PortStart;
    last.StarboardEnd = last.StarboardStart;
}
