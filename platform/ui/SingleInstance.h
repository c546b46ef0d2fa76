// One copy of a program per user, across processes. The named lock is a lock file in the
// user's runtime folder, held (flock) while the handle is open: the kernel lets it go with the
// process, so a copy that crashed or was killed leaves a stale file that the next start takes
// over. The holder also listens on a local socket beside the lock file, through which a second
// start asks it to identify itself and come forward.
#pragma once

#include "platform/core/String.h"
#include "platform/core/WinTypes.h"

// Takes the lock `name` for this user. The handle (closed with CloseHandle) holds the lock
// while it is open; GetLastError() is ERROR_ALREADY_EXISTS when a live process holds it (the
// handle then holds nothing) and ERROR_SUCCESS when it was taken. Null when no lock file can
// be made.
PLATFORM_API HANDLE CreateInstanceMutex(LPCSTR name);

// Asks the holder of `name` to identify its window: it sends the registered message
// `identifyMessage` (both parameters 0) to each of its top-level windows, and the first whose
// answer is the message's own value is brought to the foreground and, when minimised,
// restored. TRUE when the holder answered so within `timeout` milliseconds; FALSE when it did
// not answer in time (hung or stopped), has no such window, or nothing listens.
PLATFORM_API BOOL RaiseRunningInstance(LPCSTR name, LPCSTR identifyMessage, DWORD timeout);

// Where the lock file of `name` lies (a Linux path), for tests and messages.
PLATFORM_API CString GetInstanceLockPath(LPCSTR name);
