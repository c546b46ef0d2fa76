#include "chart/capture/ScreenGrab.h"

#include "chart/capture/Rle8Bitmap.h"
#include "chart/capture/Zipper.h"
#include "foundation/ConfigFile.h"
#include "foundation/DateTime.h"
#include "foundation/Folders.h"
#include "platform/core/File.h"
#include "platform/core/FileApi.h"

#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>

#include <algorithm>

namespace
{
constexpr int kMaxPath = 260;

// The picture inside `rect` (screen pixels): of the view, whose window starts at `window`, or
// of the screen itself.
QImage TakePicture(CWnd* view, const CRect& window, const CRect& rect)
{
    if (view)
    {
        const QImage whole = view->RenderToImage();
        if (whole.isNull())
            return QImage();
        return whole.copy(rect.left - window.left, rect.top - window.top, rect.Width(), rect.Height());
    }
    QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen)
        return QImage();
    return screen->grabWindow(0, rect.left, rect.top, rect.Width(), rect.Height()).toImage();
}

// Writes the bytes to a file beside the target and puts it in the target's place, so that the
// target is the whole new file or nothing.
bool WriteWhole(const CString& path, const std::vector<uint8_t>& bytes)
{
    const CString temporary = path + ".part";
    CFile file;
    if (!file.Open(temporary, CFile::modeCreate | CFile::modeWrite | CFile::typeBinary))
        return false;
    try
    {
        file.Write(bytes.data(), static_cast<UINT>(bytes.size()));
        file.Close();
    }
    catch (CException* e)
    {
        e->Delete();
        file.Abort();
        DeleteFileA(temporary);
        return false;
    }
    if (!MoveFileExA(temporary, path, MOVEFILE_REPLACE_EXISTING))
    {
        DeleteFileA(temporary);
        return false;
    }
    return true;
}
} // namespace

void CScreenGrab::LoadSnapShotSettings()
{
    interval = 600;
    autoGrab = false;
    grabFlag2 = false;
    CConfigFile::ReadSettingsFile("SnapShot", [this](CConfigFile& file) {
        interval = file.ReadIntOr600();
        autoGrab = file.ReadBool(true);
        grabFlag2 = file.ReadBool(true);
    });
}

bool CScreenGrab::GrabView(CWnd* view, CString& message)
{
    message.Empty();
    const CString name = prefix + FormatTimeStamp();
    const CString folder = GetLogFolder(true);
    if (!CaptureWindowToFile(folder, name, view))
        return false;
    const CString zipName = FormatDate();
    ZipFiles(folder, zipName, "*.bmp", true);
    message.Format("Screen Grab file Name %s.bmp\n saved in ZIP file %s.zip\nin folder %s", name.GetString(),
                   zipName.GetString(), folder.GetString());
    DateTimeDef now;
    GetLocalDateTime(now);
    lastGrabTime = now.dSeconds;
    return true;
}

bool CaptureWindowToFile(const char* folder, const char* name, CWnd* view)
{
    const int screenWidth = GetSystemMetrics(SM_CXVIRTUALSCREEN);
    const int screenHeight = GetSystemMetrics(SM_CYVIRTUALSCREEN);
    CRect window(0, 0, screenWidth, screenHeight);
    if (view)
    {
        if (!view->GetSafeHwnd())
            return false;
        view->GetWindowRect(&window);
    }
    if (window.IsRectEmpty())
        return false;
    CRect rect(std::max<LONG>(window.left, 0), std::max<LONG>(window.top, 0), std::min<LONG>(window.right, screenWidth),
               std::min<LONG>(window.bottom, screenHeight));
    if (rect.IsRectEmpty())
        return false;
    const QImage picture = TakePicture(view, window, rect);
    const std::vector<uint8_t> bytes = Rle8Bitmap::FileBytes(picture);
    if (bytes.empty())
        return false;
    CString path;
    path.Format("%s%s.BMP", folder ? folder : "", name ? name : "");
    if (path.GetLength() > kMaxPath)
        return false;
    return WriteWhole(path, bytes);
}
