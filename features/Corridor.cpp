#include "features/Corridor.h"

#include "features/DrawingOptions.h"
#include "features/Route.h"
#include "foundation/ConfigFile.h"
#include "platform/core/Exception.h"

namespace
{
const UINT kReadFlags = CFile::modeRead | CFile::shareDenyWrite | CFile::typeText;
const UINT kWriteFlags = CFile::modeCreate | CFile::modeWrite | CFile::shareDenyWrite | CFile::typeText;

const COLORREF kDefaultColour = 0xFFFF00; // cyan
const int16_t kDefaultFill = 4;
} // namespace

CCorridor::CCorridor()
{
    SetCorridorDefaults();
}

void CCorridor::SetCorridorDefaults()
{
    m_DisplayCorridor = false;
    m_PortWidth = 0.0;
    m_StarboardWidth = 0.0;
    m_CorridorFill = kDefaultFill;
    m_CorridorColour = kDefaultColour;
}

CString CCorridor::GetFileName(const char* name)
{
    return CConfigFile::MakeFileName(CRoute::GetRoutesFolder(), name, "COR");
}

// The writer and its reader: keep the two in the same order.
void CCorridor::Save(const char* name) const
{
    // A route without a name would write ".COR", shared by every unnamed route.
    if (!name || !*name)
        return;
    const CString path = CConfigFile::MakeFileName(CRoute::GetRoutesFolder(), name, "COR");
    CConfigFile::WriteWhole(path, kWriteFlags, [&](CConfigFile& file) {
        file.WriteBool("Display Corridor", m_DisplayCorridor);
        file.WriteDouble("Port Corridor Width", m_PortWidth, 3);
        file.WriteDouble("Starboard Corridor Width", m_StarboardWidth, 3);
        file.WriteUnsigned("Corridor Colour", m_CorridorColour);
        file.WriteInt("Corridor Fill", m_CorridorFill);
    });
}

bool CCorridor::Load(const char* name)
{
    SetCorridorDefaults();
    if (!name || !*name)
        return false;
    // What was read before the failure stands; the rest keeps its default.
    return CConfigFile::ReadWhole(GetFileName(name), kReadFlags, [this](CConfigFile& file) {
        m_DisplayCorridor = file.ReadInt(0) != 0;
        m_PortWidth = file.ReadDouble(0.0);
        m_StarboardWidth = file.ReadDouble(0.0);
        m_CorridorColour = ColourFromSetting(file.ReadDouble(kDefaultColour), kDefaultColour);
        m_CorridorFill = file.ReadShort(kDefaultFill);
    });
}
