// Message boxes: AfxMessageBox, CWnd::MessageBox and ::MessageBox, over a Qt message box, or
// answered through the modal hook (ModalHook.h) while it is enabled. The text shown is
// recorded there either way it is answered.
#pragma once

#include "platform/core/WinTypes.h"

struct HWND__;

// Buttons.
#define MB_OK 0x00000000u
#define MB_OKCANCEL 0x00000001u
#define MB_ABORTRETRYIGNORE 0x00000002u
#define MB_YESNOCANCEL 0x00000003u
#define MB_YESNO 0x00000004u
#define MB_RETRYCANCEL 0x00000005u
#define MB_CANCELTRYCONTINUE 0x00000006u
#define MB_TYPEMASK 0x0000000Fu
// Icons.
#define MB_ICONHAND 0x00000010u
#define MB_ICONQUESTION 0x00000020u
#define MB_ICONEXCLAMATION 0x00000030u
#define MB_ICONASTERISK 0x00000040u
#define MB_ICONERROR MB_ICONHAND
#define MB_ICONSTOP MB_ICONHAND
#define MB_ICONWARNING MB_ICONEXCLAMATION
#define MB_ICONINFORMATION MB_ICONASTERISK
#define MB_ICONMASK 0x000000F0u
// Default button.
#define MB_DEFBUTTON1 0x00000000u
#define MB_DEFBUTTON2 0x00000100u
#define MB_DEFBUTTON3 0x00000200u
#define MB_DEFBUTTON4 0x00000300u
#define MB_DEFMASK 0x00000F00u
// Modality and placement (accepted; every box is modal to the application).
#define MB_APPLMODAL 0x00000000u
#define MB_SYSTEMMODAL 0x00001000u
#define MB_TASKMODAL 0x00002000u
#define MB_HELP 0x00004000u
#define MB_SETFOREGROUND 0x00010000u
#define MB_TOPMOST 0x00040000u

#define IDCLOSE 8
#define IDHELP 9
#define IDTRYAGAIN 10
#define IDCONTINUE 11

// A box with the application's name as its caption. Returns the button chosen (IDOK,
// IDCANCEL, IDYES, IDNO, ...); closing the box is IDCANCEL, or IDOK / IDNO for boxes without
// a Cancel button.
PLATFORM_API int AfxMessageBox(LPCTSTR lpszText, UINT nType = MB_OK, UINT nIDHelp = 0);
// A null caption takes the application's name.
PLATFORM_API int MessageBox(HWND__* hWnd, LPCSTR lpText, LPCSTR lpCaption, UINT uType);
#define MessageBoxA MessageBox
