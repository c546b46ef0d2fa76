#include "testsupport/host/TestHost.h"

BOOL CTestHost::CreateHost(int width, int height)
{
    if (!CreateOwner(width, height, "Navigation"))
        return FALSE;
    Pump();
    return TRUE;
}
