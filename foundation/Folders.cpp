#include "foundation/Folders.h"

#include "foundation/FilePath.h"
#include "platform/core/FileApi.h"
#include "platform/core/FileFind.h"
#include "platform/core/StdioFile.h"

namespace
{
bool Exists(const char* path)
{
    return _access(path, 0) == 0;
}

bool IsFixedDrive(const char* root)
{
    return GetDriveTypeA(root) == DRIVE_FIXED;
}

// "D:\\<name>\\" on a fixed drive: found, or made.
bool TryFixedDrive(const char* root, const char* format, const char* name, CString& path)
{
    if (!IsFixedDrive(root))
        return false;
    path.Format(format, name);
    return Exists(path) || CreateFolderPath(path);
}
} // namespace

bool CreateFolderPath(const char* path)
{
    CString folder(path);
    if (folder.GetLength() <= 3)
        return false;
    if (folder[folder.GetLength() - 1] != '\\')
        folder += '\\';
    const int colon = folder.Find(':');
    if (colon < 0)
        return false;
    bool any = false;
    for (int slash = folder.Find('\\', colon + 1); slash >= 0; slash = folder.Find('\\', slash + 1))
    {
        const CString level = folder.Left(slash + 1);
        // Levels that cannot be made are passed over: a later one may still exist.
        if (CreateDirectoryA(level, nullptr) || GetLastError() == ERROR_ALREADY_EXISTS)
            any = true;
    }
    return any;
}

bool FindFolderOnDrives(const char* name, CString& path)
{
    path.Format("C:\\%s\\", name);
    if (Exists(path))
        return true;
    if (TryFixedDrive("D:\\", "D:\\%s\\", name, path))
        return true;
    if (TryFixedDrive("E:\\", "E:\\%s\\", name, path))
        return true;
    path.Format("C:\\%s\\", name);
    return CreateFolderPath(path);
}

CString GetSettingsFolder()
{
    CString folder;
    if (!FindFolderOnDrives("MySettings", folder))
        return CString("C:\\MySettings\\");
    // The program part is the executable's name, so a program's settings follow its file name.
    // Only the program's own path counts, not its arguments: a program opened on a file must
    // find the same settings as one started bare.
    const CString commandLine(GetCommandLineA());
    CString program;
    if (commandLine.GetLength() > 0 && commandLine[0] == '"')
    {
        const int close = commandLine.Find('"', 1);
        program = close > 0 ? commandLine.Mid(1, close - 1) : commandLine.Mid(1);
    }
    else
    {
        const int blank = commandLine.Find(' ');
        program = blank >= 0 ? commandLine.Left(blank) : commandLine;
    }
    CString dir, title, ext;
    SplitFilePath(program, dir, title, ext);
    folder += title;
    folder += '\\';
    CreateFolderPath(folder);
    return folder;
}

namespace
{
bool FindExistingDataFolder(CString& path, const char* name, const char* sub)
{
    static const char* const kDrives[3] = {"C:\\", "D:\\", "E:\\"};
    for (int i = 0; i < 3; ++i)
    {
        if (i > 0 && !IsFixedDrive(kDrives[i]))
            continue;
        CString top;
        top.Format("%s%s\\", kDrives[i], name);
        if (!Exists(top))
            continue;
        if (!sub)
        {
            path = top;
            return true;
        }
        path.Format("%s%s\\", top.GetString(), sub);
        if (Exists(path) || CreateFolderPath(path))
            return true;
    }
    return false;
}
} // namespace

bool GetDataFolder(CString& path, const char* name, const char* sub)
{
    if (FindExistingDataFolder(path, name, sub))
        return true;
    if (FindFolderOnDrives(name, path))
    {
        // The top folder has just been made: look again so that a caller asking for a
        // sub-folder gets it, not the top folder, on a machine's first run too.
        if (!sub || FindExistingDataFolder(path, name, sub))
            return true;
    }
    path.Empty();
    return false;
}

bool GetRedirectedFolder(CString& path, const char* name, const char* sub)
{
    CreateFolderPath("C:\\MyDrives\\");
    CString redirect;
    redirect.Format("C:\\MyDrives\\%s.INI", name);
    CStdioFile file;
    if (!file.Open(redirect, CFile::modeRead | CFile::typeText))
        return false;
    path.Empty();
    file.ReadString(path);
    file.Close();
    path.Remove('\r');
    path.Remove('\n');
    path.Trim();
    if (path.IsEmpty())
        return false;
    if (path[path.GetLength() - 1] != '\\')
        path += '\\';
    if (sub)
    {
        path += sub;
        path += '\\';
    }
    return CreateFolderPath(path);
}

bool GetMyDataFolder(CString& path, const char* sub)
{
    return GetDataFolder(path, "MyData", sub);
}

bool GetMyDrivesDataFolder(CString& path, const char* sub)
{
    return GetRedirectedFolder(path, "MyData", sub);
}

bool FindMyDataFolder(CString& path, const char* sub)
{
    return GetMyDrivesDataFolder(path, sub) || GetMyDataFolder(path, sub);
}

CString FormatYearFolder(const SYSTEMTIME& utc, bool yearOnly)
{
    static const char* const kMonths[12] = {"January", "February", "March",     "April",   "May",      "June",
                                            "July",    "August",   "September", "October", "November", "December"};
    CString folder;
    if (yearOnly || utc.wMonth < 1 || utc.wMonth > 12)
        folder.Format("%4d\\", utc.wYear);
    else
        folder.Format("%4d\\%s\\", utc.wYear, kMonths[utc.wMonth - 1]);
    return folder;
}

CString GetYearFolder(bool yearOnly)
{
    SYSTEMTIME utc{};
    GetSystemTime(&utc);
    return FormatYearFolder(utc, yearOnly);
}

CString GetLogFolder(bool yearOnly)
{
    CString root;
    if (!GetRedirectedFolder(root, "Logs", nullptr))
        GetDataFolder(root, "Logs", nullptr);
    CString folder;
    folder.Format("%s%s%s\\", root.GetString(), GetYearFolder(yearOnly).GetString(), "Logs");
    CreateFolderPath(folder);
    return folder;
}

INT_PTR FindShapeFiles(const char* folder, CStringArray* paths)
{
    CString root(folder);
    if (root.IsEmpty() || root[root.GetLength() - 1] != '\\')
        root += '\\';
    CString pattern;
    pattern.Format("%s*.*", root.GetString());
    CFileFind finder;
    BOOL more = finder.FindFile(pattern);
    while (more)
    {
        more = finder.FindNextFile();
        if (finder.IsDots())
            continue;
        const CString path = finder.GetFilePath();
        if (finder.IsDirectory())
        {
            FindShapeFiles(path, paths);
            continue;
        }
        const CString name = finder.GetFileName();
        if (name.GetLength() >= 3 && name.Right(3).CompareNoCase("SHP") == 0)
            paths->Add(path);
    }
    finder.Close();
    return paths->GetSize();
}

CString GetDocumentsFolder()
{
    char path[MAX_PATH] = {0};
    CString folder;
    if (SHGetFolderPath(nullptr, CSIDL_PERSONAL, nullptr, SHGFP_TYPE_CURRENT, path) == S_OK)
        folder = path;
    folder += "\\";
    return folder;
}
