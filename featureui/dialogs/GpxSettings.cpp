#include "featureui/dialogs/GpxSettings.h"

#include "features/Gpx.h"
#include "foundation/ConfigFile.h"
#include "foundation/FilePath.h"

bool SaveGpxSettings(const CGPX* pGpx)
{
    if (!pGpx)
        return false;
    return CConfigFile::WriteSettingsFile("GPX DATA", [pGpx](CConfigFile& file) {
        file.WriteText("File Path", pGpx->m_FilePath);
        file.WriteUnsigned("Track Colour", pGpx->m_TrackColour);
        file.WriteBool("Show Dots", pGpx->m_bShowDots);
    });
}

bool SaveGpxDisplayList(const CGPX* pGpx, const char* gpxPath)
{
    if (!pGpx || !gpxPath || !*gpxPath)
        return false;
    CString folder, title, extension;
    SplitFilePath(gpxPath, folder, title, extension);
    const CString path = CConfigFile::MakeFileName(folder, title, "INI");
    const UINT flags = CFile::modeCreate | CFile::modeWrite | CFile::shareDenyWrite | CFile::typeText;
    return CConfigFile::WriteWhole(path, flags, [pGpx](CConfigFile& file) {
        file.WriteBool("Waypoints", pGpx->m_bShowWaypoints);
        for (INT_PTR i = 0; i < pGpx->m_Waypoints.GetSize(); ++i)
            file.WriteBool(pGpx->m_Waypoints[i]->Name, pGpx->m_Waypoints[i]->Display);
        for (INT_PTR i = 0; i < pGpx->m_Tracks.GetSize(); ++i)
            file.WriteBool(pGpx->m_Tracks[i]->Name, pGpx->m_Tracks[i]->Display);
    });
}
