#include "chart/capture/Zipper.h"

#include "platform/core/Array.h"
#include "platform/core/File.h"
#include "platform/core/FileApi.h"
#include "platform/core/FileFind.h"
#include "platform/core/Path.h"

#include <zip.h>

#include <cstring>
#include <vector>

namespace
{
constexpr UINT kBlock = 2048;

CString FileNameOf(const CString& path)
{
    return path.Mid(path.ReverseFind('\\') + 1);
}

// Whether an entry name would climb out of the archive's folder when unpacked.
bool Climbs(const CString& name)
{
    CString padded = "\\" + name + "\\";
    padded.Replace('/', '\\');
    return padded.Find("\\..\\") >= 0;
}

// The whole file, or false when it cannot be opened or read.
bool ReadAll(const CString& path, std::vector<char>& bytes)
{
    CFile file;
    if (!file.Open(path, CFile::modeRead | CFile::shareDenyWrite | CFile::typeBinary))
        return false;
    try
    {
        bytes.resize(static_cast<size_t>(file.GetLength()));
        size_t done = 0;
        while (done < bytes.size())
        {
            const UINT n = file.Read(bytes.data() + done, static_cast<UINT>(std::min<size_t>(kBlock, bytes.size() - done)));
            if (n == 0)
                return false;
            done += n;
        }
        file.Close();
    }
    catch (CException* e)
    {
        e->Delete();
        return false;
    }
    return true;
}
} // namespace

CZipper::~CZipper()
{
    CloseZip();
}

bool CZipper::OpenZip(const char* path, const char* baseFolder, bool append)
{
    CloseZip();
    if (!path || !*path)
        return false;
    const CString full = FullWindowsPath(path);
    const bool exists = GetFileAttributesA(full) != INVALID_FILE_ATTRIBUTES;
    const QByteArray native = LinuxPathBytesFromWindows(full);
    m_hZip = zipOpen64(native.constData(), append && exists ? APPEND_STATUS_ADDINZIP : APPEND_STATUS_CREATE);
    if (!m_hZip)
        return false;
    if (baseFolder && *baseFolder)
        m_BaseFolder = FullWindowsPath(baseFolder);
    else
        m_BaseFolder = full.Left(full.ReverseFind('\\') + 1);
    if (m_BaseFolder.Right(1) != "\\")
        m_BaseFolder += "\\";
    m_nFiles = 0;
    m_nBytes = 0;
    return true;
}

bool CZipper::AddFile(const char* path, bool keepName)
{
    if (!m_hZip || !path || !*path)
        return false;
    const CString given(path);
    if (!keepName && given.Left(3) == "..\\")
        return false;
    const bool absolute = given.Find(':') >= 0;
    const CString full = absolute ? given : m_BaseFolder + given;
    CString entry;
    if (keepName)
        entry = FileNameOf(full);
    else if (!absolute)
        entry = given.Left(2) == ".\\" ? given.Mid(2) : given;
    else
    {
        if (full.GetLength() <= m_BaseFolder.GetLength() ||
            full.Left(m_BaseFolder.GetLength()).CompareNoCase(m_BaseFolder) != 0)
            return false;
        entry = full.Mid(m_BaseFolder.GetLength());
    }
    if (entry.IsEmpty() || Climbs(entry))
        return false;
    // Names inside an archive use '/', whatever the system that wrote them.
    entry.Replace('\\', '/');

    // Read first, so that a file that cannot be read leaves no entry behind.
    std::vector<char> bytes;
    if (!ReadAll(full, bytes))
        return false;

    zip_fileinfo info{};
    SYSTEMTIME written{};
    if (GetFileTime(full, &written, true))
    {
        info.tmz_date.tm_sec = written.wSecond;
        info.tmz_date.tm_min = written.wMinute;
        info.tmz_date.tm_hour = written.wHour;
        info.tmz_date.tm_mday = written.wDay;
        info.tmz_date.tm_mon = written.wMonth - 1;
        info.tmz_date.tm_year = written.wYear;
    }
    const DWORD attributes = GetFileAttributesA(full);
    if (attributes != INVALID_FILE_ATTRIBUTES)
        info.external_fa = (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)) |
                           FILE_ATTRIBUTE_ARCHIVE;

    if (zipOpenNewFileInZip(m_hZip, entry.GetString(), &info, nullptr, 0, nullptr, 0, nullptr, Z_DEFLATED,
                            Z_DEFAULT_COMPRESSION) != ZIP_OK)
        return false;
    bool ok = true;
    for (size_t done = 0; ok && done < bytes.size(); done += kBlock)
    {
        const unsigned n = static_cast<unsigned>(std::min<size_t>(kBlock, bytes.size() - done));
        ok = zipWriteInFileInZip(m_hZip, bytes.data() + done, n) == ZIP_OK;
    }
    ok = zipCloseFileInZip(m_hZip) == ZIP_OK && ok;
    if (ok)
    {
        ++m_nFiles;
        m_nBytes += bytes.size();
    }
    return ok;
}

bool CZipper::CloseZip()
{
    if (!m_hZip)
        return false;
    const bool ok = zipClose(m_hZip, nullptr) == ZIP_OK;
    m_hZip = nullptr;
    return ok;
}

bool GetFileTime(const char* path, SYSTEMTIME* time, bool local)
{
    if (!time)
        return false;
    *time = SYSTEMTIME{};
    CFileFind finder;
    if (!path || !finder.FindFile(path))
        return false;
    finder.FindNextFile();
    FILETIME written{};
    if (!finder.GetLastWriteTime(&written))
        return false;
    FILETIME shown = written;
    if (local && !FileTimeToLocalFileTime(&written, &shown))
        return false;
    if (!FileTimeToSystemTime(&shown, time))
    {
        *time = SYSTEMTIME{};
        return false;
    }
    return true;
}

bool ZipFiles(const char* folder, const char* zipName, const char* pattern, bool deleteAfter)
{
    CString search;
    search.Format("%s%s", folder, pattern);
    CStringArray matches;
    CFileFind finder;
    for (BOOL more = finder.FindFile(search); more;)
    {
        more = finder.FindNextFile();
        if (!finder.IsDots() && !finder.IsDirectory())
            matches.Add(finder.GetFileName());
    }
    finder.Close();
    if (matches.IsEmpty())
        return false;

    CString archive;
    archive.Format("%s%s.zip", folder, zipName);
    CZipper zipper;
    if (!zipper.OpenZip(archive))
        return false;
    CStringArray added;
    for (INT_PTR i = 0; i < matches.GetSize(); ++i)
    {
        CString file;
        file.Format("%s%s", folder, matches[i].GetString());
        if (zipper.AddFile(file))
            added.Add(file);
    }
    // A file goes only once the archive that holds it is whole on the disk.
    if (!zipper.CloseZip())
        return false;
    if (deleteAfter)
        for (INT_PTR i = 0; i < added.GetSize(); ++i)
            DeleteFileA(added[i]);
    return true;
}
