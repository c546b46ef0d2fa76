#include "orbisol/ObservationReadings.h"

#include "foundation/ConfigFile.h"
#include "platform/core/Time.h"

#include <cctype>
#include <cmath>
#include <cstdlib>

namespace
{
constexpr double kHalfTurn = 3.141592653589793;
constexpr double kFullTurn = 6.283185307179586;
constexpr double kDaySeconds = 86400.0;
constexpr double kHalfDay = 43200.0;
constexpr int kReadingDecimals = 16;
constexpr int kTimeDecimals = 3;

// One line of the file: its key, and the reading or the pointing's time it keeps.
struct FileLine
{
    const char* key;
    double CObservationReadings::*reading; // null for a time line
    int pointing;                          // the time line's pointing
};

const FileLine kLines[] = {
    {"FACE LEFT Left Horizontal", &CObservationReadings::m_dFaceLeftSunLeft, 0},
    {"FACE LEFT Left Time", nullptr, CObservationReadings::FaceLeftSunLeft},
    {"FACE LEFT Right Horizontal", &CObservationReadings::m_dFaceLeftSunRight, 0},
    {"FACE LEFT Right Time", nullptr, CObservationReadings::FaceLeftSunRight},
    {"FACE LEFT RO", &CObservationReadings::m_dFaceLeftRO, 0},
    {"FACE RIGHT Left Horizontal", &CObservationReadings::m_dFaceRightSunLeft, 0},
    {"FACE RIGHT Left Time", nullptr, CObservationReadings::FaceRightSunLeft},
    {"FACE RIGHT Right Horizontal", &CObservationReadings::m_dFaceRightSunRight, 0},
    {"FACE RIGHT Right Time", nullptr, CObservationReadings::FaceRightSunRight},
    {"FACE RIGHT RO", &CObservationReadings::m_dFaceRightRO, 0},
};

constexpr int kLineCount = static_cast<int>(sizeof(kLines) / sizeof(kLines[0]));

CString DescribeLine(int index)
{
    CString text;
    text.Format("line %d (%s)", index + 1, kLines[index].key);
    return text;
}

// The number after the line's '=', blanks around it allowed; false for anything else or a
// value that is not finite.
bool ParseValue(const CString& line, double& value)
{
    CString text;
    if (!CConfigFile::ValueAfterEquals(line, text))
        return false;
    const char* start = text;
    char* end = nullptr;
    const double parsed = std::strtod(start, &end);
    if (end == start)
        return false;
    while (*end && std::isspace(static_cast<unsigned char>(*end)))
        ++end;
    if (*end || !std::isfinite(parsed))
        return false;
    value = parsed;
    return true;
}
} // namespace

double MeanROReading(double faceLeft, double faceRight)
{
    return faceRight > faceLeft ? (faceLeft + faceRight - kHalfTurn) / 2.0 : (faceLeft + faceRight + kHalfTurn) / 2.0;
}

double MeanSunReading(double faceLeftSunLeft, double faceLeftSunRight, double faceRightSunLeft,
                      double faceRightSunRight)
{
    const double sum = faceLeftSunLeft + faceLeftSunRight + faceRightSunLeft + faceRightSunRight;
    return faceRightSunLeft > faceLeftSunLeft ? (sum - kFullTurn) / 4.0 : (sum + kFullTurn) / 4.0;
}

double MeanTimeOfDay(const double seconds[4])
{
    double sum = 0.0;
    for (int i = 0; i < 4; ++i)
    {
        double t = seconds[i];
        const double fromFirst = t - seconds[0];
        if (fromFirst > kHalfDay)
            t -= kDaySeconds;
        else if (fromFirst < -kHalfDay)
            t += kDaySeconds;
        sum += t;
    }
    double mean = std::fmod(sum / 4.0, kDaySeconds);
    if (mean < 0.0)
        mean += kDaySeconds;
    return mean >= kDaySeconds ? 0.0 : mean;
}

double ROAngleFromMeans(double meanRO, double meanSun)
{
    const double angle = meanRO - meanSun;
    return angle < 0.0 ? angle + kFullTurn : angle;
}

CObservationReadings::CObservationReadings()
    : m_dFaceRightSunLeft(kHalfTurn), m_dFaceRightSunRight(kHalfTurn), m_dFaceRightRO(kHalfTurn)
{
    for (int pointing = 0; pointing < PointingCount; ++pointing)
        SetTimeNow(static_cast<Pointing>(pointing));
}

double CObservationReadings::MeanTime() const
{
    double seconds[PointingCount];
    for (int pointing = 0; pointing < PointingCount; ++pointing)
        seconds[pointing] = m_Times[pointing].dSecondsOfDay;
    return MeanTimeOfDay(seconds);
}

void CObservationReadings::SetTimeNow(Pointing pointing)
{
    SYSTEMTIME now{};
    GetSystemTime(&now);
    // The pickers show a whole date and time; the day is the clock's, only the time counts.
    DateTimeDef& record = m_Times[pointing];
    record.nYear = now.wYear;
    record.nMonth = now.wMonth;
    record.nDay = now.wDay;
    SetTimeOfDay(record, now.wHour * 3600.0 + now.wMinute * 60.0 + now.wSecond + now.wMilliseconds / 1000.0);
}

CString CObservationReadings::GetFileName()
{
    CConfigFile names;
    return names.GetSettingsFileName(kFileName);
}

bool CObservationReadings::Save() const
{
    return CConfigFile::WriteSettingsFile(kFileName, [this](CConfigFile& file) {
        for (const FileLine& line : kLines)
        {
            if (line.reading)
                file.WriteDouble(line.key, this->*line.reading, kReadingDecimals);
            else
                file.WriteDouble(line.key, m_Times[line.pointing].dSecondsOfDay, kTimeDecimals);
        }
    });
}

bool CObservationReadings::Load(CStringArray* damaged)
{
    int read = 0;
    const bool opened = CConfigFile::ReadSettingsFile(kFileName, [&](CConfigFile& file) {
        for (const FileLine& entry : kLines)
        {
            CString line;
            bool tooLong = false;
            if (!file.ReadSettingsLine(line, &tooLong))
                return;
            ++read;
            double value = 0.0;
            const bool good = !tooLong && ParseValue(line, value) &&
                              (entry.reading || (value >= 0.0 && value < kDaySeconds));
            if (!good)
            {
                if (damaged)
                    damaged->Add(DescribeLine(read - 1));
                continue;
            }
            if (entry.reading)
                this->*entry.reading = value;
            else
                SetTimeOfDay(m_Times[entry.pointing], value);
        }
    });
    if (!opened)
        return false;
    // A file cut short: the lines it lacks are as damaged as a bad one.
    if (damaged)
        for (int i = read; i < kLineCount; ++i)
            damaged->Add(DescribeLine(i));
    return true;
}
