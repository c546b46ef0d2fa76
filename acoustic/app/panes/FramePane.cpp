#include "acoustic/app/panes/FramePane.h"

#include "acoustic/app/AcousticResources.h"
#include "platform/ui/GdiObject.h"
#include "platform/ui/ImageList.h"

namespace
{
constexpr DWORD kPaneStyle = 0x56004140;
constexpr DWORD kTabbedStyle = 0x20;
constexpr DWORD kBehaviour = 0xF;
} // namespace

BOOL CreateFramePane(CDockablePane& pane, CWnd* pFrame, const char* title, UINT nID)
{
    return pane.Create(title, pFrame, CRect(0, 0, 200, 200), TRUE, nID, kPaneStyle, kTabbedStyle, kBehaviour,
                       nullptr);
}

void LoadStationIcons(CImageList& images)
{
    // The panes holding the icons are built before anything else could register them.
    RegisterAcousticResources();
    if (!images.GetSafeHandle() && !images.Create(16, 16, ILC_MASK, 6, 1))
        return;
    CBitmap bitmap;
    if (bitmap.LoadBitmap(IDB_ACOUSTIC_STATIONS))
        images.Add(&bitmap, RGB(0xFF, 0xFF, 0xFF));
}
