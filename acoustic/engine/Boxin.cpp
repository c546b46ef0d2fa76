#include "acoustic/engine/Boxin.h"

#include "acoustic/engine/CalibrationSettings.h"
#include "acoustic/engine/DateFolders.h"
#include "acoustic/engine/LeastSquares.h"
#include "acoustic/engine/PositionSolve.h"
#include "foundation/ConfigFile.h"
#include "foundation/Geometry.h"
#include "foundation/Report.h"
#include "geodesy/Projection.h"

#include <algorithm>
#include <cmath>

namespace
{
const char* const kSettingsName = "Boxin";
} // namespace

CBoxin::CBoxin()
{
    LoadSettings();
    ClearResults();
}

void CBoxin::LoadSettings()
{
    m_OffsetX = 0.0;
    m_OffsetY = 0.0;
    m_RangeMode = BOXIN_RANGE_METRES;
    m_ApplyGating = false;
    m_MaxRangeError = 0.0;
    m_GyroCorrection = 0.0;
    m_ComputedDepth = false;
    m_RangeCorrection = 0.0;
    m_TurnAroundTime = 0.0;
    m_TwoWayTravelTime = true;
    m_UsedSpeed = 1485.0;
    m_ActualSpeed = 1485.0;
    m_UseRangeRings = false;
    m_RangeRingRadius = 25.0;
    m_TransponderEasting = 0.0;
    m_TransponderNorthing = 0.0;
    m_TransponderLatitude = 0.0;
    m_TransponderLongitude = 0.0;
    m_TransponderDepth = 0.0;
    CConfigFile::ReadSettingsFile(kSettingsName, [this](CConfigFile& file) {
        m_OffsetX = ReadFiniteDouble(file, m_OffsetX);
        m_OffsetY = ReadFiniteDouble(file, m_OffsetY);
        m_RangeMode = ReadIntInRange(file, m_RangeMode, BOXIN_RANGE_METRES, BOXIN_TRAVEL_TIME_MILLISECONDS);
        m_ApplyGating = ReadFlag(file, m_ApplyGating);
        m_MaxRangeError = ReadFiniteDouble(file, m_MaxRangeError);
        m_GyroCorrection = ReadFiniteDouble(file, m_GyroCorrection);
        m_ComputedDepth = ReadFlag(file, m_ComputedDepth);
        m_RangeCorrection = ReadFiniteDouble(file, m_RangeCorrection);
        m_TurnAroundTime = ReadFiniteDouble(file, m_TurnAroundTime);
        m_TwoWayTravelTime = ReadFlag(file, m_TwoWayTravelTime);
        m_UsedSpeed = ReadFiniteDouble(file, m_UsedSpeed);
        m_ActualSpeed = ReadFiniteDouble(file, m_ActualSpeed);
        m_UseRangeRings = ReadFlag(file, m_UseRangeRings);
        m_RangeRingRadius = ReadFiniteDouble(file, m_RangeRingRadius);
        m_TransponderEasting = ReadFiniteDouble(file, m_TransponderEasting);
        m_TransponderNorthing = ReadFiniteDouble(file, m_TransponderNorthing);
        m_TransponderLatitude = ReadFiniteDouble(file, m_TransponderLatitude);
        m_TransponderLongitude = ReadFiniteDouble(file, m_TransponderLongitude);
        m_TransponderDepth = ReadFiniteDouble(file, m_TransponderDepth);
    });
    ClearGridTerms();
}

bool CBoxin::SaveSettings() const
{
    return CConfigFile::WriteSettingsFile(kSettingsName, [this](CConfigFile& file) {
        file.WriteDouble("Offset X", m_OffsetX, 3);
        file.WriteDouble("Offset Y", m_OffsetY, 3);
        file.WriteInt("Range Mode", m_RangeMode);
        file.WriteBool("Apply Gating", m_ApplyGating);
        file.WriteDouble("Max Range Error", m_MaxRangeError, 3);
        file.WriteDouble("Gyro Correction", m_GyroCorrection, 3);
        file.WriteBool("Computed Depth", m_ComputedDepth);
        file.WriteDouble("Range Correction", m_RangeCorrection, 3);
        file.WriteDouble("Turn Around Time", m_TurnAroundTime, 3);
        file.WriteBool("Two Way Travel Time", m_TwoWayTravelTime);
        file.WriteDouble("Used Speed", m_UsedSpeed, 3);
        file.WriteDouble("Actual Speed", m_ActualSpeed, 3);
        file.WriteBool("Use Range Rings", m_UseRangeRings);
        file.WriteDouble("Range Ring Radius", m_RangeRingRadius, 3);
        file.WriteDouble("Transponder Easting", m_TransponderEasting, 3);
        file.WriteDouble("Transponder Northing", m_TransponderNorthing, 3);
        file.WriteDouble("Transponder Latitude", m_TransponderLatitude, 16);
        file.WriteDouble("Transponder Longitude", m_TransponderLongitude, 16);
        file.WriteDouble("Transponder Depth", m_TransponderDepth, 3);
    });
}

void CBoxin::ClearResults()
{
    m_DerivedEasting = 0.0;
    m_DerivedNorthing = 0.0;
    m_DerivedDepth = 0.0;
    m_Converged = 0;
    m_Passes = 0;
    m_Count = 0;
    m_MaxRange = 0.0;
    m_MeanPositionError = 0.0;
    m_MeanRangeError = 0.0;
    m_MeanScaleError = 0.0;
    m_MinResidual = 0.0;
    m_MaxResidual = 0.0;
    m_ShortRangeCount = 0;
}

bool CBoxin::IsUsable(const BoxinDef& record)
{
    return record.Used == 1 && record.ObservedValue > 0.0 &&
           (record.VesselEasting != 0.0 || record.VesselNorthing != 0.0);
}

double CBoxin::ObservedSlantRange(const BoxinDef& record) const
{
    const double v = record.ObservedValue;
    if (m_RangeMode == BOXIN_RANGE_METRES)
    {
        if (!m_ApplyCorrections)
            return v;
        if (m_UsedSpeed > 0.0 && m_ActualSpeed != m_UsedSpeed)
            return m_ActualSpeed * v / m_UsedSpeed - m_RangeCorrection;
        return v - m_RangeCorrection;
    }
    double r = 0.0;
    if (!m_ApplyCorrections)
        r = m_ActualSpeed * v;
    else if (m_RangeMode == BOXIN_TRAVEL_TIME_MILLISECONDS)
        // The turn-around time is kept in seconds: taken from a time in milliseconds it must be
        // in milliseconds too, or a delay of 5 ms would shorten the time by 5 microseconds.
        r = (v - m_TurnAroundTime * 1000.0) * m_ActualSpeed;
    else
        r = (v - m_TurnAroundTime) * m_ActualSpeed;
    if (m_RangeMode == BOXIN_TRAVEL_TIME_MILLISECONDS)
        r /= 1000.0;
    if (m_TwoWayTravelTime)
        r /= 2.0;
    return r;
}

bool CBoxin::GridSlantRange(const BoxinDef& record, double depth, double* range) const
{
    return ReduceToGrid(ObservedSlantRange(record), depth, range);
}

double CBoxin::DepthInUse(const BoxinDef& record, double transponderDepth) const
{
    if (record.Depth == 0.0)
        return transponderDepth;
    // An observation's own depth was measured against the transponder's trial depth; what the
    // solution found the transponder deeper or shallower applies to it as well.
    return record.Depth + (transponderDepth - m_TransponderDepth);
}

bool CBoxin::SkipsOffsets() const
{
    return m_OffsetX == 0.0 && (m_OffsetY == 0.0 || !m_UseOffsets);
}

void CBoxin::ComputeTransducerPositions()
{
    const bool skip = SkipsOffsets();
    for (INT_PTR i = 0; i < GetSize(); ++i)
    {
        BoxinDef& r = ElementAt(i);
        if (!IsUsable(r))
            continue;
        if (skip)
        {
            r.TransducerEasting = r.VesselEasting;
            r.TransducerNorthing = r.VesselNorthing;
        }
        else
            TransducerPosition(r.VesselEasting, r.VesselNorthing, r.Heading, m_OffsetX, m_OffsetY,
                               m_GyroCorrection, &r.TransducerEasting, &r.TransducerNorthing);
    }
}

bool CBoxin::ComputeTransponderPosition()
{
    double easting = m_TransponderEasting;
    double northing = m_TransponderNorthing;
    double depth = m_TransponderDepth;
    m_MeanPositionError = 0.0;
    m_MeanRangeError = 0.0;
    m_MeanScaleError = 0.0;
    m_MaxRange = 0.0;
    m_Passes = 0;

    CPositionSolve solve(m_ComputedDepth ? POSITION_SOLVE_DEPTH : 0);
    bool settled = false;
    while (m_Passes < kMaxPasses)
    {
        ++m_Passes;
        solve.Clear();
        int count = 0, shortRanges = 0;
        double largest = 0.0;
        for (INT_PTR i = 0; i < GetSize(); ++i)
        {
            const BoxinDef& r = ElementAt(i);
            if (!IsUsable(r))
                continue;
            const double z = DepthInUse(r, depth);
            double range = 0.0;
            if (!GridSlantRange(r, z, &range))
            {
                ++shortRanges;
                continue;
            }
            solve.AddRange(r.TransducerEasting, r.TransducerNorthing, 0.0, easting, northing, z, range);
            ++count;
            largest = std::max(largest, range);
        }
        m_Count = count;
        m_ShortRangeCount = shortRanges;
        m_MaxRange = largest;
        // A pass that cannot be solved is a failure, not a zero correction that "settles".
        if (count < solve.GetUnknowns() || solve.Solve() != LSQ_OK || solve.IsDegenerate())
            break;
        const double dE = solve.GetSolution(0);
        const double dN = solve.GetSolution(1);
        const double dD = m_ComputedDepth ? solve.GetSolution(2) : 0.0;
        if (!std::isfinite(dE) || !std::isfinite(dN) || !std::isfinite(dD))
            break;
        easting += dE;
        northing += dN;
        depth += dD;
        // Settled only when this pass moved the estimate by no more than the tolerance: an
        // estimate that keeps jumping by a steady amount has not settled.
        if (std::hypot(dE, dN) <= kSettled && std::fabs(dD) <= kSettled)
        {
            settled = true;
            break;
        }
    }

    m_Converged = settled ? 1 : 0;
    m_DerivedEasting = settled ? easting : m_TransponderEasting;
    m_DerivedNorthing = settled ? northing : m_TransponderNorthing;
    m_DerivedDepth = settled ? depth : m_TransponderDepth;
    return settled;
}

BYTE CBoxin::ComputeResidual(INT_PTR index)
{
    BoxinDef& r = GetAt(index);
    if (!IsUsable(r))
        return r.Used;
    double bearing = 0.0, distance = 0.0;
    ComputeRangeBearing(r.TransducerEasting, r.TransducerNorthing, m_DerivedEasting, m_DerivedNorthing, &bearing,
                        &distance);
    const double z = DepthInUse(r, m_DerivedDepth);
    double observed = 0.0;
    if (!GridSlantRange(r, z, &observed))
        return r.Used;
    const double computed = std::sqrt(z * z + distance * distance);
    r.ScaleError = computed / observed;
    r.RangeError = computed - observed;
    // observed >= |z| by construction, so the horizontal range is real.
    const double horizontal = std::sqrt(std::max(0.0, observed * observed - z * z));
    PointAtRangeBearing(r.TransducerEasting, r.TransducerNorthing, horizontal, bearing, &r.DerivedEasting,
                        &r.DerivedNorthing);
    r.PositionError = std::hypot(r.DerivedEasting - m_DerivedEasting, r.DerivedNorthing - m_DerivedNorthing);
    r.Colour = ObservationQuadrantColour(bearing * CProjection::RAD_TO_DEG);
    return r.Used;
}

void CBoxin::ComputeStatistics()
{
    m_MinResidual = 0.0;
    m_MaxResidual = 0.0;
    int count = 0, shortRanges = 0;
    double sumPosition = 0.0, sumRange = 0.0, sumScale = 0.0;
    for (INT_PTR i = 0; i < GetSize(); ++i)
    {
        const BoxinDef& r = ElementAt(i);
        if (!IsUsable(r))
            continue;
        double observed = 0.0;
        if (!GridSlantRange(r, DepthInUse(r, m_DerivedDepth), &observed))
        {
            ++shortRanges;
            continue;
        }
        // The first sample sets the range, whatever it is: a first error of exactly 0 must not
        // let a later one replace the range that holds it.
        const double low = std::floor(r.RangeError), high = std::ceil(r.RangeError);
        if (count == 0)
        {
            m_MinResidual = low;
            m_MaxResidual = high;
        }
        m_MinResidual = std::min(m_MinResidual, low);
        m_MaxResidual = std::max(m_MaxResidual, high);
        sumPosition += r.PositionError;
        sumRange += r.RangeError;
        sumScale += r.ScaleError;
        ++count;
    }
    m_Count = count;
    m_ShortRangeCount = shortRanges;
    if (count > 0)
    {
        m_MeanPositionError = sumPosition / count;
        m_MeanRangeError = sumRange / count;
        m_MeanScaleError = sumScale / count;
    }
}

void CBoxin::ApplyGating()
{
    const bool gate = m_ApplyGating && m_MaxRangeError > 0.0;
    for (INT_PTR i = 0; i < GetSize(); ++i)
    {
        BoxinDef& r = ElementAt(i);
        if (!gate)
        {
            r.Used = 1;
            continue;
        }
        const double distance =
            std::hypot(m_DerivedEasting - r.TransducerEasting, m_DerivedNorthing - r.TransducerNorthing);
        const double z = DepthInUse(r, m_DerivedDepth);
        double observed = 0.0;
        const bool ranged = GridSlantRange(r, z, &observed);
        r.Used = (ranged && std::fabs(std::sqrt(distance * distance + z * z) - observed) < m_MaxRangeError) ? 1 : 0;
    }
}

bool CBoxin::Compute()
{
    ComputeTransducerPositions();
    if (!ComputeTransponderPosition())
        return false;
    for (INT_PTR i = 0; i < GetSize(); ++i)
        ComputeResidual(i);
    ComputeStatistics();
    return true;
}

bool CBoxin::PrintReport() const
{
    CReport report;
    report.m_Title = "Boxin";
    return PrintReport(report);
}

bool CBoxin::PrintReport(CReport& report, const char* stamp) const
{
    if (!report.IsOpen() && !report.Open())
        return false;
    CString line;
    if (stamp)
        line = stamp;
    else
        line.Format("%s @ %s", GetDateText().GetString(), GetTimeText().GetString());
    report.PrintLine(line);
    report.PrintBlankLine();
    const auto print = [&report, &line](const char* format, double value) {
        line.Format(format, value);
        report.PrintLine(line);
    };
    print("Estimated Easting               %.2lf", m_TransponderEasting);
    print("Estimated Northing              %.2lf", m_TransponderNorthing);
    print("Estimated Depth                 %.2lf", m_TransponderDepth);
    print("Gyro Correction (Deg)           %+.3lf", m_GyroCorrection);
    print("Convergence (Deg)               %+.3lf", m_Convergence * CProjection::RAD_TO_DEG);
    print("Grid Scale Factor               %.8lf", m_GridScaleFactor);
    report.PrintBlankLine();
    line.Format("Total Number of Samples Use     %d", m_Count);
    report.PrintLine(line);
    report.PrintBlankLine();
    print("Position Error   %.2lf", m_MeanPositionError);
    report.PrintBlankLine();
    print("Range Error      %.2lf", m_MeanRangeError);
    print("Scale Error      %.2lf", m_MeanScaleError);
    report.PrintBlankLine();
    print("Derived Easting                 %.2lf", m_DerivedEasting);
    print("Derived Northing                %.2lf", m_DerivedNorthing);
    print("Derived Depth                   %.2lf", m_DerivedDepth);
    return report.Close();
}
