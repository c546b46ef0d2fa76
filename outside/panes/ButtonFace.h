// DrawButtonFace: the raised face of a button drawn inside a grid cell, shared by the button
// items so that every button of a grid looks alike.
#pragma once

#include "platform/ui/Dc.h"

// A face of `face` colour inside `rect` (one pixel in from each side), a light top-left and a
// dark bottom-right edge, and the caption centred in black or, on a dark face, white.
PLATFORM_API void DrawButtonFace(CDC* pDC, const CRect& rect, COLORREF face, const CString& strCaption);
