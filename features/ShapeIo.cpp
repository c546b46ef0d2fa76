#include "features/ShapeIo.h"

#include "platform/core/Path.h"

#include <cstdio>

namespace
{
SAFile OpenWindowsPath(const char* fileName, const char* access)
{
    const QByteArray linux = LinuxPathBytesFromWindows(fileName);
    if (linux.isEmpty())
        return nullptr;
    return reinterpret_cast<SAFile>(std::fopen(linux.constData(), access));
}

int RemoveWindowsPath(const char* fileName)
{
    const QByteArray linux = LinuxPathBytesFromWindows(fileName);
    return linux.isEmpty() ? -1 : std::remove(linux.constData());
}

void Quiet(const char*) {}

SAHooks MakeHooks()
{
    SAHooks hooks;
    SASetupDefaultHooks(&hooks);
    hooks.FOpen = OpenWindowsPath;
    hooks.Remove = RemoveWindowsPath;
    hooks.Error = Quiet;
    return hooks;
}
} // namespace

SAHooks* GetShapeFileHooks()
{
    // shapelib copies the hooks into each handle, so one shared set serves every thread.
    static SAHooks hooks = MakeHooks();
    return &hooks;
}
