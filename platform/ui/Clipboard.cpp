#include "platform/ui/Clipboard.h"

#include "platform/core/String.h"
#include "platform/ui/Wnd.h"

#include <QClipboard>
#include <QGuiApplication>

#include <cstdlib>
#include <cstring>
#include <mutex>
#include <set>
#include <vector>

namespace
{
// A global memory block: its size and bytes follow the header.
struct Block
{
    size_t size;
    int locks;
};

std::set<HGLOBAL>& Blocks()
{
    static auto* blocks = new std::set<HGLOBAL>;
    return *blocks;
}

Block* BlockOf(HGLOBAL h)
{
    return h && Blocks().count(h) ? static_cast<Block*>(h) : nullptr;
}

char* BytesOf(Block* b)
{
    return reinterpret_cast<char*>(b) + sizeof(Block);
}

struct ClipboardState
{
    bool open = false;
    HWND owner = nullptr;
    bool emptied = false;
    HGLOBAL pendingText = nullptr;    // CF_TEXT set while open
    HGLOBAL pendingUnicode = nullptr; // CF_UNICODETEXT set while open
    std::vector<HGLOBAL> handedOut;   // GetClipboardData's blocks
};

ClipboardState& Clip()
{
    static ClipboardState state;
    return state;
}

QClipboard* QtClipboard()
{
    return qobject_cast<QGuiApplication*>(QCoreApplication::instance()) ? QGuiApplication::clipboard()
                                                                        : nullptr;
}

void FreeHandedOut()
{
    for (HGLOBAL h : Clip().handedOut)
        GlobalFree(h);
    Clip().handedOut.clear();
}

QString TextOfBlock(HGLOBAL h, bool unicode)
{
    Block* b = BlockOf(h);
    if (!b)
        return QString();
    const char* bytes = BytesOf(b);
    QString text;
    if (unicode)
    {
        const auto* units = reinterpret_cast<const char16_t*>(bytes);
        size_t n = 0;
        while (n < b->size / 2 && units[n])
            ++n;
        text = QString::fromUtf16(units, static_cast<qsizetype>(n));
    }
    else
        text = Cp1252ToQString(bytes, static_cast<int>(strnlen(bytes, b->size)));
    return text.replace("\r\n", "\n");
}

HGLOBAL BlockOfText(const QString& text, bool unicode)
{
    QString windows = text;
    windows.replace("\r\n", "\n").replace("\n", "\r\n");
    if (unicode)
    {
        const size_t bytes = (static_cast<size_t>(windows.size()) + 1) * 2;
        HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, bytes);
        if (h)
            std::memcpy(BytesOf(BlockOf(h)), windows.utf16(), bytes - 2);
        return h;
    }
    const QByteArray cp = QStringToCp1252(windows);
    HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, static_cast<size_t>(cp.size()) + 1);
    if (h)
        std::memcpy(BytesOf(BlockOf(h)), cp.constData(), static_cast<size_t>(cp.size()));
    return h;
}
} // namespace

HGLOBAL GlobalAlloc(UINT uFlags, SIZE_T dwBytes)
{
    void* p = (uFlags & GMEM_ZEROINIT) ? std::calloc(1, sizeof(Block) + dwBytes)
                                       : std::malloc(sizeof(Block) + dwBytes);
    if (!p)
        return nullptr;
    auto* b = static_cast<Block*>(p);
    b->size = dwBytes;
    b->locks = 0;
    Blocks().insert(p);
    return p;
}

HGLOBAL GlobalReAlloc(HGLOBAL hMem, SIZE_T dwBytes, UINT uFlags)
{
    Block* b = BlockOf(hMem);
    if (!b)
        return nullptr;
    const size_t old = b->size;
    Blocks().erase(hMem);
    void* p = std::realloc(hMem, sizeof(Block) + dwBytes);
    if (!p)
    {
        Blocks().insert(hMem);
        return nullptr;
    }
    b = static_cast<Block*>(p);
    if ((uFlags & GMEM_ZEROINIT) && dwBytes > old)
        std::memset(BytesOf(b) + old, 0, dwBytes - old);
    b->size = dwBytes;
    Blocks().insert(p);
    return p;
}

LPVOID GlobalLock(HGLOBAL hMem)
{
    Block* b = BlockOf(hMem);
    if (!b)
        return nullptr;
    ++b->locks;
    return BytesOf(b);
}

BOOL GlobalUnlock(HGLOBAL hMem)
{
    Block* b = BlockOf(hMem);
    if (!b || b->locks == 0)
        return FALSE;
    --b->locks;
    return b->locks > 0 ? TRUE : FALSE;
}

SIZE_T GlobalSize(HGLOBAL hMem)
{
    Block* b = BlockOf(hMem);
    return b ? b->size : 0;
}

HGLOBAL GlobalFree(HGLOBAL hMem)
{
    if (!BlockOf(hMem))
        return hMem;
    Blocks().erase(hMem);
    std::free(hMem);
    return nullptr;
}

BOOL OpenClipboard(HWND hWndNewOwner)
{
    ClipboardState& c = Clip();
    if (c.open)
        return FALSE;
    FreeHandedOut();
    c.open = true;
    c.owner = hWndNewOwner;
    c.emptied = false;
    return TRUE;
}

BOOL CWnd::OpenClipboard()
{
    return ::OpenClipboard(m_hWnd);
}

BOOL EmptyClipboard()
{
    ClipboardState& c = Clip();
    if (!c.open)
        return FALSE;
    GlobalFree(c.pendingText);
    GlobalFree(c.pendingUnicode);
    c.pendingText = c.pendingUnicode = nullptr;
    c.emptied = true;
    return TRUE;
}

HANDLE SetClipboardData(UINT uFormat, HANDLE hMem)
{
    ClipboardState& c = Clip();
    if (!c.open || !BlockOf(hMem) ||
        (uFormat != CF_TEXT && uFormat != CF_OEMTEXT && uFormat != CF_UNICODETEXT))
    {
        GlobalFree(hMem);
        return nullptr;
    }
    HGLOBAL& slot = uFormat == CF_UNICODETEXT ? c.pendingUnicode : c.pendingText;
    if (slot != hMem)
        GlobalFree(slot);
    slot = hMem;
    c.emptied = true;
    return hMem;
}

HANDLE GetClipboardData(UINT uFormat)
{
    ClipboardState& c = Clip();
    if (!c.open || (uFormat != CF_TEXT && uFormat != CF_OEMTEXT && uFormat != CF_UNICODETEXT))
        return nullptr;
    QString text;
    if (c.pendingText || c.pendingUnicode)
        text = c.pendingUnicode ? TextOfBlock(c.pendingUnicode, true) : TextOfBlock(c.pendingText, false);
    else if (c.emptied)
        return nullptr;
    else if (QClipboard* qc = QtClipboard())
    {
        text = qc->text();
        if (text.isNull())
            return nullptr;
    }
    else
        return nullptr;
    HGLOBAL h = BlockOfText(text, uFormat == CF_UNICODETEXT);
    if (h)
        c.handedOut.push_back(h);
    return h;
}

BOOL CloseClipboard()
{
    ClipboardState& c = Clip();
    if (!c.open)
        return FALSE;
    if (c.emptied)
    {
        if (QClipboard* qc = QtClipboard())
        {
            if (c.pendingUnicode || c.pendingText)
                qc->setText(c.pendingUnicode ? TextOfBlock(c.pendingUnicode, true)
                                             : TextOfBlock(c.pendingText, false));
            else
                qc->clear();
        }
    }
    GlobalFree(c.pendingText);
    GlobalFree(c.pendingUnicode);
    c.pendingText = c.pendingUnicode = nullptr;
    c.open = false;
    c.emptied = false;
    return TRUE;
}

BOOL IsClipboardFormatAvailable(UINT format)
{
    if (format != CF_TEXT && format != CF_OEMTEXT && format != CF_UNICODETEXT)
        return FALSE;
    const ClipboardState& c = Clip();
    if (c.open && (c.pendingText || c.pendingUnicode))
        return TRUE;
    QClipboard* qc = QtClipboard();
    return qc && !qc->text().isEmpty();
}

int CountClipboardFormats()
{
    return IsClipboardFormatAvailable(CF_TEXT) ? 3 : 0;
}

HWND GetClipboardOwner()
{
    return Clip().owner;
}
