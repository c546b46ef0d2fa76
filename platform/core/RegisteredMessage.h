// Registered window messages: one process-wide table that gives every name its number.
#pragma once

#include "platform/core/WinTypes.h"

// The number of `name`, from 0xC000 up, the same for every module of the process whatever
// the letter case of the name; 0 for a null or empty name. Safe in static initialisers.
PLATFORM_API UINT RegisterWindowMessageA(const char* name);
#define RegisterWindowMessage RegisterWindowMessageA
