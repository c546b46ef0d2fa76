// The clipboard as the Win32 functions give it, over Qt's clipboard: text in Windows-1252
// (CF_TEXT, CR LF line ends) or UTF-16 (CF_UNICODETEXT), in global memory blocks.
//
//     if (OpenClipboard(m_hWnd)) {
//         EmptyClipboard();
//         HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE, text.GetLength() + 1);
//         memcpy(GlobalLock(h), text.GetString(), text.GetLength() + 1);
//         GlobalUnlock(h);
//         SetClipboardData(CF_TEXT, h);   // the clipboard owns h from now on
//         CloseClipboard();               // the text reaches Qt's clipboard here
//     }
//
// A handle GetClipboardData returns belongs to the clipboard and stays valid until the
// clipboard is next opened.
#pragma once

#include "platform/core/WinTypes.h"

using HGLOBAL = HANDLE;
using SIZE_T = size_t;
using HLOCAL = HANDLE;

#define CF_TEXT 1
#define CF_BITMAP 2
#define CF_OEMTEXT 7
#define CF_UNICODETEXT 13

#define GMEM_FIXED 0x0000u
#define GMEM_MOVEABLE 0x0002u
#define GMEM_ZEROINIT 0x0040u
#define GMEM_DDESHARE 0x2000u
#define GMEM_SHARE GMEM_DDESHARE
#define GHND (GMEM_MOVEABLE | GMEM_ZEROINIT)
#define GPTR (GMEM_FIXED | GMEM_ZEROINIT)

// Global memory blocks (zero-filled with GMEM_ZEROINIT); null when out of memory.
PLATFORM_API HGLOBAL GlobalAlloc(UINT uFlags, SIZE_T dwBytes);
PLATFORM_API HGLOBAL GlobalReAlloc(HGLOBAL hMem, SIZE_T dwBytes, UINT uFlags);
PLATFORM_API LPVOID GlobalLock(HGLOBAL hMem);
PLATFORM_API BOOL GlobalUnlock(HGLOBAL hMem);
PLATFORM_API SIZE_T GlobalSize(HGLOBAL hMem);
// Null when freed.
PLATFORM_API HGLOBAL GlobalFree(HGLOBAL hMem);

// Fails while another window has it open.
PLATFORM_API BOOL OpenClipboard(HWND hWndNewOwner);
PLATFORM_API BOOL CloseClipboard();
PLATFORM_API BOOL EmptyClipboard();
// Text formats only; the clipboard owns hMem afterwards (also when the call fails).
PLATFORM_API HANDLE SetClipboardData(UINT uFormat, HANDLE hMem);
PLATFORM_API HANDLE GetClipboardData(UINT uFormat);
PLATFORM_API BOOL IsClipboardFormatAvailable(UINT format);
PLATFORM_API int CountClipboardFormats();
PLATFORM_API HWND GetClipboardOwner();
