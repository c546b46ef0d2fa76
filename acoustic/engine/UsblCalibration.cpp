#include "acoustic/engine/UsblCalibration.h"

#include "acoustic/engine/CalibrationSettings.h"
#include "acoustic/engine/LeastSquares.h"
#include "acoustic/engine/LineFit.h"
#include "acoustic/engine/PositionSolve.h"
#include "foundation/ConfigFile.h"
#include "foundation/Geometry.h"
#include "geodesy/Projection.h"

#include <cmath>

namespace
{
const char* const kUsblSettingsName = "USBL Calibration";
const double kRadiansPerDegree = CProjection::DEG_TO_RAD;
const double kDegreesPerRadian = CProjection::RAD_TO_DEG;
// A 2 x 2 normal matrix whose determinant falls below this share of its diagonal product fixes
// its unknowns only through rounding.
const double kDegenerate = 1e-10;

// v = (starboard, forward, down). Roll about the forward axis, positive starboard down.
void Roll(double v[3], double r)
{
    const double c = std::cos(r), s = std::sin(r);
    const double x = v[0] * c - v[2] * s;
    v[2] = v[0] * s + v[2] * c;
    v[0] = x;
}

// Pitch about the starboard axis, positive bow up.
void Pitch(double v[3], double p)
{
    const double c = std::cos(p), s = std::sin(p);
    const double y = v[1] * c + v[2] * s;
    v[2] = -v[1] * s + v[2] * c;
    v[1] = y;
}

// A grid-frame (easting, northing) vector into the levelled vessel frame of heading h
// (radians): the inverse of E = x cos h + y sin h, N = -x sin h + y cos h.
void FromGrid(double v[3], double h)
{
    const double c = std::cos(h), s = std::sin(h);
    const double x = v[0] * c - v[1] * s;
    v[1] = v[0] * s + v[1] * c;
    v[0] = x;
}

double WrapTurn(double radians)
{
    double a = std::fmod(radians, 2.0 * M_PI);
    if (a < 0.0)
        a += 2.0 * M_PI;
    return a;
}

double UsableScale(double scale)
{
    return scale > 0.0 ? scale : 1.0;
}
} // namespace

CUsblCalibration::CUsblCalibration()
{
    LoadSettings();
}

void CUsblCalibration::LoadSettings()
{
    m_RawDataMode = true;
    m_OffsetX = m_OffsetY = 0.0;
    m_GyroCorrection = 0.0;
    m_MinDistance = m_MaxDistance = m_MaxRangeError = m_MaxDepthVariation = 0.0;
    m_EnteredCorrections = {0.0, 0.0, 0.0, 1.0, 0.0};
    m_UsedSpeed = m_ActualSpeed = 1485.0;
    m_ComputeDepth = false;
    m_ComputePitchRoll = true;
    m_ComputeRangeError = false;
    m_ComputeScaleFactor = true;
    m_TransponderEasting = m_TransponderNorthing = m_TransponderDepth = 0.0;
    m_UseRangeRings = true;
    m_RangeRingRadius = 100.0;
    CConfigFile::ReadSettingsFile(kUsblSettingsName, [this](CConfigFile& file) {
        m_RawDataMode = ReadFlag(file, m_RawDataMode);
        m_OffsetX = ReadFiniteDouble(file, m_OffsetX);
        m_OffsetY = ReadFiniteDouble(file, m_OffsetY);
        m_GyroCorrection = ReadFiniteDouble(file, m_GyroCorrection);
        m_MinDistance = ReadFiniteDouble(file, m_MinDistance);
        m_MaxDistance = ReadFiniteDouble(file, m_MaxDistance);
        m_MaxRangeError = ReadFiniteDouble(file, m_MaxRangeError);
        m_MaxDepthVariation = ReadFiniteDouble(file, m_MaxDepthVariation);
        UsblCorrectionsDef& entered = m_EnteredCorrections;
        entered.Heading = ReadFiniteDouble(file, entered.Heading);
        entered.Pitch = ReadFiniteDouble(file, entered.Pitch);
        entered.Roll = ReadFiniteDouble(file, entered.Roll);
        entered.Scale = ReadFiniteDouble(file, entered.Scale);
        entered.RangeError = ReadFiniteDouble(file, entered.RangeError);
        m_UsedSpeed = ReadFiniteDouble(file, m_UsedSpeed);
        m_ActualSpeed = ReadFiniteDouble(file, m_ActualSpeed);
        m_ComputeDepth = ReadFlag(file, m_ComputeDepth);
        m_ComputePitchRoll = ReadFlag(file, m_ComputePitchRoll);
        m_ComputeRangeError = ReadFlag(file, m_ComputeRangeError);
        m_ComputeScaleFactor = ReadFlag(file, m_ComputeScaleFactor);
        m_TransponderEasting = ReadFiniteDouble(file, m_TransponderEasting);
        m_TransponderNorthing = ReadFiniteDouble(file, m_TransponderNorthing);
        m_TransponderDepth = ReadFiniteDouble(file, m_TransponderDepth);
        m_UseRangeRings = ReadFlag(file, m_UseRangeRings);
        m_RangeRingRadius = ReadFiniteDouble(file, m_RangeRingRadius);
    });
    ClearGridTerms();
}

bool CUsblCalibration::SaveSettings() const
{
    return CConfigFile::WriteSettingsFile(kUsblSettingsName, [this](CConfigFile& file) {
        file.WriteBool("Raw Data Mode", m_RawDataMode);
        file.WriteDouble("Offset X", m_OffsetX, 3);
        file.WriteDouble("Offset Y", m_OffsetY, 3);
        file.WriteDouble("Gyro Correction", m_GyroCorrection, 3);
        file.WriteDouble("Min Distance", m_MinDistance, 3);
        file.WriteDouble("Max Distance", m_MaxDistance, 3);
        file.WriteDouble("Max Range Error", m_MaxRangeError, 3);
        file.WriteDouble("Max Depth Variation", m_MaxDepthVariation, 3);
        // The entered heading correction goes under the gyro correction's key again: readers
        // take the lines by position.
        file.WriteDouble("Gyro Correction", m_EnteredCorrections.Heading, 3);
        file.WriteDouble("Pitch Correction", m_EnteredCorrections.Pitch, 3);
        file.WriteDouble("Roll Correction", m_EnteredCorrections.Roll, 3);
        file.WriteDouble("Scale Error", m_EnteredCorrections.Scale, 3);
        file.WriteDouble("Range Error", m_EnteredCorrections.RangeError, 3);
        file.WriteDouble("Used Speed", m_UsedSpeed, 3);
        file.WriteDouble("Actual Speed", m_ActualSpeed, 3);
        file.WriteBool("Compute Depth", m_ComputeDepth);
        file.WriteBool("Compute Pitch and Roll", m_ComputePitchRoll);
        file.WriteBool("Compute Ramge Error", m_ComputeRangeError);
        file.WriteBool("Compute Scale Factor", m_ComputeScaleFactor);
        file.WriteDouble("Transponder Easting", m_TransponderEasting, 3);
        file.WriteDouble("Transponder Northing", m_TransponderNorthing, 3);
        file.WriteDouble("Transponder Depth", m_TransponderDepth, 3);
        file.WriteBool("Use Range Rings", m_UseRangeRings);
        file.WriteDouble("Range Ring Radius", m_RangeRingRadius, 3);
    });
}

double CUsblCalibration::GetSpeedRatio() const
{
    return m_UsedSpeed > 0.0 ? m_ActualSpeed / m_UsedSpeed : 1.0;
}

UsblCorrectionsDef CUsblCalibration::GetSelectedCorrections() const
{
    switch (m_CorrectionSelector)
    {
    case USBL_CORRECTIONS_ENTERED:
        return m_EnteredCorrections;
    case USBL_CORRECTIONS_COMPUTED:
        return m_ComputedCorrections;
    default:
        return {0.0, 0.0, 0.0, 1.0, 0.0};
    }
}

bool CUsblCalibration::HasRawOffsets(const UsblCalibrationDef& record)
{
    return (record.X != 0.0 || record.Y != 0.0) && record.Z != 0.0;
}

bool CUsblCalibration::HasReading(const UsblCalibrationDef& record) const
{
    if (m_RawDataMode)
        return HasRawOffsets(record);
    return (record.VesselEasting != 0.0 || record.VesselNorthing != 0.0) &&
           (record.FixEasting != 0.0 || record.FixNorthing != 0.0);
}

void CUsblCalibration::ComputeTransducerPositions()
{
    for (INT_PTR i = 0; i < GetSize(); ++i)
    {
        UsblCalibrationDef& r = ElementAt(i);
        if (r.Used)
            TransducerPosition(r.VesselEasting, r.VesselNorthing, r.Heading, m_OffsetX, m_OffsetY, m_GyroCorrection,
                               &r.TransducerEasting, &r.TransducerNorthing);
    }
}

void CUsblCalibration::ComputeObservation(INT_PTR index)
{
    UsblCalibrationDef& r = GetAt(index);
    if (!r.Used || !HasReading(r))
        return;
    TransducerPosition(r.VesselEasting, r.VesselNorthing, r.Heading, m_OffsetX, m_OffsetY, m_GyroCorrection,
                       &r.TransducerEasting, &r.TransducerNorthing);
    const UsblCorrectionsDef c = GetSelectedCorrections();
    const double scale = UsableScale(c.Scale);

    if (!m_RawDataMode)
    {
        double bearing = 0.0, distance = 0.0;
        ComputeRangeBearing(r.TransducerEasting, r.TransducerNorthing, r.FixEasting, r.FixNorthing, &bearing,
                            &distance);
        // The selector's heading correction, so that "no corrections" leaves the fix as it came.
        bearing += (c.Heading + m_GyroCorrection) * kRadiansPerDegree;
        PointAtRangeBearing(r.TransducerEasting, r.TransducerNorthing, distance * scale + c.RangeError, bearing,
                            &r.ObservedEasting, &r.ObservedNorthing);
        r.ObservedDepth = r.FixDepth;
        r.Colour = ObservationQuadrantColour(bearing * kDegreesPerRadian);
        return;
    }

    const double ratio = GetSpeedRatio();
    double v[3] = {r.X * ratio, r.Y * ratio, r.Z * ratio};
    Roll(v, (r.Roll + c.Roll) * kRadiansPerDegree);
    Pitch(v, (r.Pitch + c.Pitch) * kRadiansPerDegree);
    const double length = std::sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2]);
    if (length != 0.0)
    {
        // The scale and the range error belong to the slant range; laid on the horizontal part
        // they move it by its share of the range.
        const double f = scale + c.RangeError / length;
        v[0] *= f;
        v[1] *= f;
    }
    const double k = m_GridScaleFactor;
    // The heading as the transducer offsets and the solution take it: corrected, with the gyro
    // correction, on the grid.
    const double h = r.Heading + c.Heading + m_GyroCorrection - m_Convergence * kDegreesPerRadian;
    RotateOffset(r.TransducerEasting, r.TransducerNorthing, v[0] * k, v[1] * k, std::sin(h * kRadiansPerDegree),
                 std::cos(h * kRadiansPerDegree), &r.ObservedEasting, &r.ObservedNorthing);
    r.ObservedDepth = v[2];
    if (r.X >= 0.0)
        r.Colour = r.Y >= 0.0 ? 0x00FFFF : 0xFFFF00;
    else
        r.Colour = r.Y < 0.0 ? 0xFF00FF : 0xFF0000;
}

bool CUsblCalibration::ComputeTransponderPosition()
{
    double easting = m_TransponderEasting;
    double northing = m_TransponderNorthing;
    double depth = m_TransponderDepth;
    double orientation = 0.0; // radians, summed over the passes
    const double ratio = GetSpeedRatio();
    const double scale = UsableScale(m_ComputedCorrections.Scale);
    m_Passes = 0;

    CPositionSolve solve(POSITION_SOLVE_ORIENTATION | (m_ComputeDepth ? POSITION_SOLVE_DEPTH : 0));
    const int orientationColumn = solve.GetOrientationColumn();
    bool settled = false;
    while (m_Passes < kMaxPasses)
    {
        ++m_Passes;
        solve.Clear();
        int bearings = 0, shortRanges = 0;
        for (INT_PTR i = 0; i < GetSize(); ++i)
        {
            const UsblCalibrationDef& r = ElementAt(i);
            if (!r.Used || !HasRawOffsets(r) || (r.VesselEasting == 0.0 && r.VesselNorthing == 0.0))
                continue;
            // From the transponder back to the transducer: the reversed offsets, levelled by the
            // vessel's roll and pitch as a raw reading is, then turned by the heading onto the
            // grid. The offsets are read in the tilted vessel frame: taken as level, a pitch of
            // 1 degree turns the bearing of a transponder 95 m down and 150 m off by 0.6 degree.
            // A vessel at pitch and roll 0 keeps its offsets unchanged to the last bit.
            double level[3] = {r.X, r.Y, r.Z};
            Roll(level, r.Roll * kRadiansPerDegree);
            Pitch(level, r.Pitch * kRadiansPerDegree);
            const double bearing = WrapTurn(std::atan2(-level[0], -level[1]) +
                                            (r.Heading + m_GyroCorrection) * kRadiansPerDegree - m_Convergence);
            solve.AddBearing(r.TransducerEasting, r.TransducerNorthing, r.TransducerDepth, easting, northing, depth,
                             bearing, orientation);
            ++bearings;
            // The USBL's slant range in true metres, then on the grid like every other range.
            const double slant = std::sqrt(r.X * r.X + r.Y * r.Y + r.Z * r.Z) * ratio * scale +
                                 m_ComputedCorrections.RangeError;
            double range = 0.0;
            if (ReduceToGrid(slant, depth - r.TransducerDepth, &range))
                solve.AddRange(r.TransducerEasting, r.TransducerNorthing, r.TransducerDepth, easting, northing, depth,
                               range);
            else
                ++shortRanges;
        }
        m_ShortRangeCount = shortRanges;
        // A pass that cannot be solved is a failure, not a zero correction that "settles".
        if (bearings == 0 || solve.Solve() != LSQ_OK || solve.IsDegenerate())
            break;
        const double dE = solve.GetSolution(0);
        const double dN = solve.GetSolution(1);
        const double dD = m_ComputeDepth ? solve.GetSolution(2) : 0.0;
        const double dO = solve.GetSolution(orientationColumn);
        if (!std::isfinite(dE) || !std::isfinite(dN) || !std::isfinite(dD) || !std::isfinite(dO))
            break;
        easting += dE;
        northing += dN;
        depth += dD;
        orientation += dO;
        if (std::hypot(dE, dN) <= kSettled && std::fabs(dD) <= kSettled)
        {
            settled = true;
            break;
        }
    }
    if (!settled)
    {
        m_SolvedEasting = m_TransponderEasting;
        m_SolvedNorthing = m_TransponderNorthing;
        m_SolvedDepth = m_TransponderDepth;
        return false;
    }
    m_SolvedEasting = easting;
    m_SolvedNorthing = northing;
    m_SolvedDepth = depth;
    m_ComputedCorrections.Heading = orientation * kDegreesPerRadian;
    return true;
}

bool CUsblCalibration::ComputeScaleFactor()
{
    m_ComputedCorrections.Scale = 1.0;
    m_ComputedCorrections.RangeError = 0.0;
    if (!(m_ComputeRangeError || m_ComputeScaleFactor) || m_SolvedDepth == 0.0)
        return false;
    const double ratio = GetSpeedRatio();
    const double k = m_GridScaleFactor;
    CLineFit fit;
    int count = 0;
    double sumDifference = 0.0, sumRatio = 0.0;
    for (INT_PTR i = 0; i < GetSize(); ++i)
    {
        const UsblCalibrationDef& r = ElementAt(i);
        if (!r.Used)
            continue;
        // The USBL's range at the actual speed against the true range of the solved position;
        // both in metres, so the range error comes out in the metres the solution adds it in.
        const double s = std::sqrt(r.X * r.X + r.Y * r.Y + r.Z * r.Z) * ratio;
        if (!(s > 0.0))
            continue;
        const double dE = (r.TransducerEasting - m_SolvedEasting) / k;
        const double dN = (r.TransducerNorthing - m_SolvedNorthing) / k;
        const double dZ = m_SolvedDepth - r.TransducerDepth;
        const double c = std::sqrt(dE * dE + dN * dN + dZ * dZ);
        fit.Add(s, c);
        sumDifference += c - s;
        sumRatio += c / s;
        ++count;
    }
    if (count == 0)
        return false;
    bool solved = true;
    if (m_ComputeRangeError && m_ComputeScaleFactor)
    {
        double slope = 1.0, intercept = 0.0;
        solved = fit.Solve(&slope, &intercept) == LSQ_OK && std::isfinite(slope) && std::isfinite(intercept);
        if (solved)
        {
            m_ComputedCorrections.Scale = slope;
            m_ComputedCorrections.RangeError = intercept;
        }
    }
    else if (m_ComputeRangeError)
        m_ComputedCorrections.RangeError = sumDifference / count;
    else
        // The factor that takes the USBL's range to the true one, as the line fit's slope is.
        m_ComputedCorrections.Scale = sumRatio / count;
    if (!(m_ComputedCorrections.Scale > 0.0))
        m_ComputedCorrections.Scale = 1.0;
    return solved;
}

void CUsblCalibration::ToVesselFrame(const UsblCalibrationDef& r, double pitch, double roll, double v[3]) const
{
    const double k = m_GridScaleFactor;
    v[0] = (m_SolvedEasting - r.TransducerEasting) / k;
    v[1] = (m_SolvedNorthing - r.TransducerNorthing) / k;
    v[2] = m_SolvedDepth - r.TransducerDepth;
    const double h = r.Heading + m_ComputedCorrections.Heading + m_GyroCorrection - m_Convergence * kDegreesPerRadian;
    FromGrid(v, h * kRadiansPerDegree);
    Pitch(v, -pitch);
    Roll(v, -roll);
}

bool CUsblCalibration::ComputePitchRollCorrection()
{
    m_ComputedCorrections.Pitch = 0.0;
    m_ComputedCorrections.Roll = 0.0;
    m_PitchRollPasses = 0;
    if (!m_ComputePitchRoll || !(m_SolvedDepth > 0.0))
        return false;
    const double factor = UsableScale(m_ComputedCorrections.Scale) * GetSpeedRatio();
    double pitch = 0.0, roll = 0.0; // radians
    bool steps = true;
    while (steps && m_PitchRollPasses < kMaxPitchRollPasses)
    {
        ++m_PitchRollPasses;
        double n[4] = {0.0, 0.0, 0.0, 0.0}, u[2] = {0.0, 0.0};
        for (INT_PTR i = 0; i < GetSize(); ++i)
        {
            const UsblCalibrationDef& r = ElementAt(i);
            if (!r.Used || !HasRawOffsets(r))
                continue;
            const double p = r.Pitch * kRadiansPerDegree + pitch;
            const double q = r.Roll * kRadiansPerDegree + roll;
            double v[3];
            ToVesselFrame(r, p, q, v);
            for (double& c : v)
                c *= factor;
            // Derivatives of the predicted offsets: by the roll (turning about the forward
            // axis) and by the pitch (about the starboard axis before the roll is taken off).
            const double byRoll[3] = {v[2], 0.0, -v[0]};
            double levelled[3];
            ToVesselFrame(r, p, 0.0, levelled);
            double byPitch[3] = {0.0, -levelled[2] * factor, levelled[1] * factor};
            Roll(byPitch, -q);
            const double misfit[3] = {r.X - v[0], r.Y - v[1], r.Z - v[2]};
            for (int j = 0; j < 3; ++j)
            {
                n[0] += byPitch[j] * byPitch[j];
                n[1] += byPitch[j] * byRoll[j];
                n[3] += byRoll[j] * byRoll[j];
                u[0] += byPitch[j] * misfit[j];
                u[1] += byRoll[j] * misfit[j];
            }
        }
        n[2] = n[1];
        double step[2] = {0.0, 0.0};
        if (!(n[0] > 0.0) || !(n[3] > 0.0) || !(n[0] * n[3] - n[1] * n[1] >= kDegenerate * n[0] * n[3]) ||
            SolveSquare(2, n, u, nullptr, step) != LSQ_OK)
        {
            // Nothing fixes the attitude: no correction rather than a division by nothing.
            m_PitchRollPasses = 0;
            return false;
        }
        pitch += step[0];
        roll += step[1];
        steps = std::fabs(step[0]) >= kAttitudeSettled || std::fabs(step[1]) >= kAttitudeSettled;
    }
    m_ComputedCorrections.Pitch = pitch * kDegreesPerRadian;
    m_ComputedCorrections.Roll = roll * kDegreesPerRadian;
    return true;
}
