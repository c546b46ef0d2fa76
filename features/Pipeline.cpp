#include "features/Pipeline.h"

#include "features/GridValueCheck.h"
#include "features/LegGeometry.h"
#include "foundation/CsvParser.h"
#include "foundation/FilePath.h"
#include "foundation/Geometry.h"
#include "foundation/TextFunctions.h"
#include "platform/core/Exception.h"
#include "platform/core/StdioFile.h"

#include <cfloat>
#include <cmath>

namespace
{
const UINT kReadFlags = CFile::modeRead | CFile::shareDenyWrite | CFile::typeText;

// What a missing settings file gives; also what the alarm values fall back to when their lines
// are missing, so that a short file never switches the clearance alarm off.
const double kDefaultCorridor = 100.0;
const double kDefaultClearance = 10.0;
const double kDefaultTolerance = 25.0;
const double kDefaultKPInterval = 1.0;
const tagPen kDefaultPipelinePen = {0, 2, 0xFF0000, 0}; // blue
const tagPen kMissingFileCorridorPen = {5, 0, 0x80, 0};
// A pen whose line is missing from a settings file.
const tagPen kMissingLinePen = {0, 1, 0, 0};

const double kRadToDeg = 57.2957795131;
const int kLabelOffset = 10; // screen units from the line to a KP label
// More labels than any chart can show: reached only when a KP column holds nonsense (KPs in
// metres, a mistyped exponent), where the listing would otherwise exhaust memory.
const INT_PTR kMaxLabels = 100000;
} // namespace

const char* const CPipeline::m_DataOrderTxt[PIPELINE_DATA_ORDER_COUNT] = {
    "Easting, Northing", "KP, Easting, Northing", "Easting, Northing, KP"};

CPipeline::CPipeline()
    : m_DataOrder(PIPELINE_EASTING_NORTHING), m_Use(true), m_DisplayCorridor(false),
      m_PortCorridor(kDefaultCorridor), m_StarboardCorridor(kDefaultCorridor), m_CorridorPen{0, 0, 0, 0},
      m_PipelinePen(kDefaultPipelinePen), m_StartKP(0.0), m_IncreasingKPs(true), m_LabelKPs(false),
      m_KPInterval(kDefaultKPInterval), m_Diameter(0), m_Clearance(kDefaultClearance),
      m_Tolerance(kDefaultTolerance), m_SelectedIndex(-1)
{
}

CPipeline::~CPipeline()
{
    RemoveAll();
}

void CPipeline::RemoveAll()
{
    m_FilePath.Empty();
    CPipelineArray::RemoveAll();
    m_KPListing.RemoveAll();
    m_SelectedIndex = -1;
}

CString CPipeline::GetSettingsName() const
{
    CString folder, title, extension;
    SplitFilePath(m_FilePath, folder, title, extension);
    return title + "_PIPELINE";
}

// The writer and its reader: keep the two in the same order.
void CPipeline::SaveSettings()
{
    CConfigFile::WriteSettingsFile(GetSettingsName(), [&](CConfigFile& file) {
        file.WriteInt("Data Order", m_DataOrder);
        file.WriteBool("Use", m_Use);
        file.WriteInt("Diameter", m_Diameter);
        file.WriteBool("Display Corridor", m_DisplayCorridor);
        file.WriteDouble("Port Corridor", m_PortCorridor, 3);
        file.WriteDouble("Stdb Corridor", m_StarboardCorridor, 3);
        file.WritePen("Corridor Pen", m_CorridorPen);
        file.WriteDouble("Clearance", m_Clearance, 3);
        file.WriteDouble("Tolerance", m_Tolerance, 3);
        file.WritePen("Pipeline Pen", m_PipelinePen);
        file.WriteDouble("Start KP", m_StartKP, 3);
        file.WriteBool("Increasing KPs", m_IncreasingKPs);
        file.WriteBool("Label KPs", m_LabelKPs);
        file.WriteDouble("KP Interval", m_KPInterval, 3);
    });
}

void CPipeline::LoadSettings()
{
    // Whatever was read before the failure stands; the rest keeps its earlier values.
    if (!CConfigFile::ReadSettingsFile(GetSettingsName(), [this](CConfigFile& file) {
        m_DataOrder = file.ReadShort(0);
        m_Use = file.ReadInt(0) != 0;
        m_Diameter = file.ReadShort(0);
        m_DisplayCorridor = file.ReadInt(0) != 0;
        m_PortCorridor = file.ReadDouble(0.0);
        m_StarboardCorridor = file.ReadDouble(0.0);
        m_CorridorPen = file.ReadPen(kMissingLinePen);
        m_Clearance = file.ReadDouble(kDefaultClearance);
        m_Tolerance = file.ReadDouble(kDefaultTolerance);
        m_PipelinePen = file.ReadPen(kMissingLinePen);
        m_StartKP = file.ReadDouble(0.0);
        m_IncreasingKPs = file.ReadInt(1) != 0;
        m_LabelKPs = file.ReadInt(1) != 0;
        m_KPInterval = file.ReadDouble(0.0);
    }))
    {
        m_PortCorridor = kDefaultCorridor;
        m_StarboardCorridor = kDefaultCorridor;
        m_Diameter = 0;
        m_DataOrder = PIPELINE_EASTING_NORTHING;
        m_Use = true;
        m_DisplayCorridor = false;
        m_CorridorPen = kMissingFileCorridorPen;
        m_Clearance = kDefaultClearance;
        m_Tolerance = kDefaultTolerance;
        m_PipelinePen = kDefaultPipelinePen;
        m_StartKP = 0.0;
        m_IncreasingKPs = true;
        m_LabelKPs = false;
        m_KPInterval = kDefaultKPInterval;
    }
}

void CPipeline::SaveActivePath()
{
    CConfigFile::WriteSettingsFile("Active Pipeline", [&](CConfigFile& file) {
        file.WriteText("Path", m_FilePath);
    });
}

CString CPipeline::LoadActivePath()
{
    CString path;
    CConfigFile::ReadSettingsFile("Active Pipeline",
                                  [&path](CConfigFile& file) { path = file.ReadText(""); });
    return path;
}

bool CPipeline::Load(const char* path)
{
    CPipelineArray::RemoveAll();
    m_FilePath = path;
    LoadSettings();

    CStdioFile file;
    bool stored = false;
    CGridValueCheck check(m_FilePath);
    if (file.Open(m_FilePath, kReadFlags))
    {
        try
        {
            PipelineDef point = {};
            double lastE = DBL_MAX, lastN = DBL_MAX;
            CCsvParser parser;
            CString line;
            while (file.ReadString(line))
            {
                check.NextLine();
                parser.SetLine(line);
                switch (m_DataOrder)
                {
                case PIPELINE_EASTING_NORTHING:
                    point.Easting = parser.GetDouble();
                    point.Northing = parser.GetDouble();
                    break;
                case PIPELINE_KP_EASTING_NORTHING:
                    point.KP = parser.GetDouble();
                    point.Easting = parser.GetDouble();
                    point.Northing = parser.GetDouble();
                    break;
                case PIPELINE_EASTING_NORTHING_KP:
                    point.Easting = parser.GetDouble();
                    point.Northing = parser.GetDouble();
                    point.KP = parser.GetDouble();
                    break;
                default:
                    break;
                }
                if (!check.Accept({point.Easting, point.Northing}) || !check.AcceptFinite({point.KP}))
                    break;
                if (point.KP == DBL_MAX)
                    point.KP = 0.0;
                if (point.Easting == DBL_MAX || point.Northing == DBL_MAX)
                    continue;
                if (point.Easting == 0.0 && point.Northing == 0.0)
                    continue;
                if (point.Easting == lastE && point.Northing == lastN)
                    continue;
                Add(point);
                lastE = point.Easting;
                lastN = point.Northing;
            }
            file.Close();
            if (check.Refused())
                CPipelineArray::RemoveAll();
            stored = GetSize() > 0;
        }
        catch (CException* e)
        {
            // A file that cannot be read to its end is not loaded at all, rather than shown cut short.
            e->Delete();
            file.Abort();
            CPipelineArray::RemoveAll();
            stored = false;
        }
    }
    m_strRefusal = check.GetRefusal();
    ComputeLegs();
    ComputeKps();
    ComputeCorridor();
    return stored;
}

void CPipeline::ComputeLegs()
{
    const INT_PTR n = GetSize();
    if (n < 2)
        return;
    for (INT_PTR i = 0; i + 1 < n; ++i)
    {
        PipelineDef& a = ElementAt(i);
        const PipelineDef& b = ElementAt(i + 1);
        LegDef leg;
        ComputeLegGeometry(a.Easting, a.Northing, b.Easting, b.Northing, &leg);
        a.Length = leg.Length;
        a.Bearing = leg.Bearing;
        a.SinBearing = leg.SinBearing;
        a.CosBearing = leg.CosBearing;
        a.ReverseBearing = leg.ReverseBearing;
    }
    PipelineDef& last = ElementAt(n - 1);
    last.Length = 0.0;
    last.Bearing = 0.0;
    ComputeKpRates();
}

void CPipeline::ComputeKpRates()
{
    const INT_PTR n = GetSize();
    for (INT_PTR i = 0; i + 1 < n; ++i)
    {
        PipelineDef& a = ElementAt(i);
        const double length = a.Length;
        a.KPRate = length > 0.0 ? (ElementAt(i + 1).KP - a.KP) / length : 0.0;
    }
    if (n > 0)
        ElementAt(n - 1).KPRate = 0.0;
}

void CPipeline::ComputeKps()
{
    const INT_PTR n = GetSize();
    if (n >= 2 && m_DataOrder == PIPELINE_EASTING_NORTHING)
    {
        ElementAt(0).KP = m_StartKP;
        for (INT_PTR i = 1; i < n; ++i)
        {
            const PipelineDef& previous = ElementAt(i - 1);
            const double step = previous.Length / 1000.0;
            ElementAt(i).KP = m_IncreasingKPs ? previous.KP + step : previous.KP - step;
        }
        // The rates of ComputeLegs were taken from the KPs before they were numbered.
        ComputeKpRates();
    }
    BuildKpListing();
}

void CPipeline::BuildKpListing()
{
    m_KPListing.RemoveAll();
    const INT_PTR n = GetSize();
    if (!m_LabelKPs || n < 2 || !(m_KPInterval > 0.0))
        return;

    const double interval = m_KPInterval;
    const double firstKP = ElementAt(0).KP;
    double L = m_IncreasingKPs ? std::ceil(firstKP / interval) * interval
                               : std::floor(firstKP / interval) * interval;
    for (INT_PTR i = 1; i < n; ++i)
    {
        const PipelineDef& A = ElementAt(i - 1);
        const PipelineDef& B = ElementAt(i);
        const double a = A.Bearing + M_PI_2;
        KPListingDef label;
        label.OffsetX = static_cast<int32_t>(std::trunc(std::sin(a) * kLabelOffset));
        label.OffsetY = static_cast<int32_t>(std::trunc(std::cos(a) * -kLabelOffset));
        int angle = 90 - static_cast<int>(std::trunc(a * kRadToDeg));
        if (angle < 0)
            angle += 360;
        label.Angle = angle;

        while (m_IncreasingKPs ? L < B.KP : L > B.KP)
        {
            const double t = m_IncreasingKPs ? (L - A.KP) / (B.KP - A.KP) : (A.KP - L) / (A.KP - B.KP);
            label.KP = L;
            label.Easting = A.Easting + t * (B.Easting - A.Easting);
            label.Northing = A.Northing + t * (B.Northing - A.Northing);
            CString text;
            text.Format("%.3lf", L + 0.0); // + 0.0: never "-0"
            label.Label = TrimTrailingZeros(text);
            label.Label.Trim();
            if (m_KPListing.Add(label) + 1 >= kMaxLabels)
                return;

            // Where the interval is lost in the KP's precision, L would never move on.
            const double next = m_IncreasingKPs ? L + interval : L - interval;
            if (next == L)
                return;
            L = next;
        }
    }
}

void CPipeline::ComputeCorridor()
{
    const INT_PTR n = GetSize();
    if (n < 2)
        return;
    PipelineDef& first = ElementAt(0);
    PortStarboardPoints(first.Easting, first.Northing, first.Bearing, m_PortCorridor, m_StarboardCorridor,
                        &first.PortCorridor, &first.StarboardCorridor);
    for (INT_PTR i = 1; i + 1 < n; ++i)
    {
        const tagXY previous = {ElementAt(i - 1).Easting, ElementAt(i - 1).Northing};
        const tagXY next = {ElementAt(i + 1).Easting, ElementAt(i + 1).Northing};
        PipelineDef& p = ElementAt(i);
        const tagXY vertex = {p.Easting, p.Northing};
        ComputeCorridorVertex(previous, vertex, next, m_PortCorridor, m_StarboardCorridor, &p.PortCorridor,
                              &p.StarboardCorridor);
    }
    PipelineDef& last = ElementAt(n - 1);
    PortStarboardPoints(last.Easting, last.Northing, ElementAt(n - 2).Bearing, m_PortCorridor,
                        m_StarboardCorridor, &last.PortCorridor, &last.StarboardCorridor);
}
