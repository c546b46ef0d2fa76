#include "zuduzuro/BargeData.h"

#include "foundation/ConfigFile.h"
#include "foundation/Geometry.h"
#include "zuduzuro/SettingsLines.h"
#include "zuduzuro/SettingsText.h"
#include "zuduzuro/SpreadLimits.h"

#include <cmath>

namespace
{
const char kSettingsName[] = "Barge";
constexpr double kRadiansPerDegree = 0.017453292519943;
} // namespace

CBargeData::CBargeData()
    : m_Easting(0.0), m_Northing(0.0), m_Heading(0.0), m_SinHeading(0.0), m_CosHeading(1.0), m_OffsetX(0.0),
      m_OffsetY(0.0), m_CrpEasting(0.0), m_CrpNorthing(0.0), m_Draft(0.0), m_WaterLineToZero(0.0)
{
    const CString path = CConfigFile().GetSettingsFileName(kSettingsName);
    CSettingsText text;
    const CSettingsText::READ_RESULT read = text.Read(path);
    if (read == CSettingsText::TEXT_REFUSED)
        m_LoadProblems.Add(text.GetRefusal());
    if (read == CSettingsText::TEXT_READ)
    {
        // Keys are not compared, as the file was always read: a hand-edited file keeps the order.
        CSettingsLines in(path, text.GetLines(), CSettingsLines::KEYS_IGNORED);
        in.Number("Barge Eng", -spread::kFarthest, spread::kFarthest, m_Easting);
        in.Number("Barge Nng", -spread::kFarthest, spread::kFarthest, m_Northing);
        in.Number("Heading", -spread::kHeadingTurn, spread::kHeadingTurn, m_Heading);
        in.Number("Offset X", -spread::kHighest, spread::kHighest, m_OffsetX);
        in.Number("Offset Y", -spread::kHighest, spread::kHighest, m_OffsetY);
        in.Number("Draft", 0.0, spread::kHighest, m_Draft);
        in.Number("Water line To Zero", -spread::kHighest, spread::kHighest, m_WaterLineToZero);
        m_LoadProblems = in.GetProblems();
    }
    UpdateHeading();
}

void CBargeData::UpdateHeading()
{
    m_SinHeading = std::sin(m_Heading * kRadiansPerDegree);
    m_CosHeading = std::cos(m_Heading * kRadiansPerDegree);
    UpdateCrp();
}

void CBargeData::UpdateCrp()
{
    RotateOffset(m_Easting, m_Northing, -m_OffsetX, -m_OffsetY, m_SinHeading, m_CosHeading, &m_CrpEasting,
                 &m_CrpNorthing);
}

bool CBargeData::Save() const
{
    return CConfigFile::WriteSettingsFile(kSettingsName, [this](CConfigFile& file) {
        file.WriteDouble("Barge Eng", m_Easting, 3);
        file.WriteDouble("Barge Nng", m_Northing, 3);
        file.WriteDouble("Heading", m_Heading, 3);
        file.WriteDouble("Offset X", m_OffsetX, 3);
        file.WriteDouble("Offset Y", m_OffsetY, 3);
        file.WriteDouble("Draft", m_Draft, 3);
        file.WriteDouble("Water line To Zero", m_WaterLineToZero, 3);
    });
}
