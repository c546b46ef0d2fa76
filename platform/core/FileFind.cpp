#include "platform/core/FileFind.h"

#include "platform/core/FileDetail.h"
#include "platform/core/Path.h"

#include <QFile>
#include <QString>

#include <algorithm>
#include <functional>
#include <cstring>

#include <dirent.h>
#include <sys/stat.h>

IMPLEMENT_DYNAMIC(CFileFind, CObject)

namespace
{
// '*' any run of characters, '?' exactly one; both sides already case-folded.
bool Wildcard(const QString& name, int n, const QString& pattern, int p)
{
    while (p < pattern.size())
    {
        const QChar pc = pattern[p];
        if (pc == QLatin1Char('*'))
        {
            while (p < pattern.size() && pattern[p] == QLatin1Char('*'))
                ++p;
            if (p == pattern.size())
                return true;
            for (int i = n; i <= name.size(); ++i)
                if (Wildcard(name, i, pattern, p))
                    return true;
            return false;
        }
        if (n >= name.size())
            return false;
        if (pc != QLatin1Char('?') && pc != name[n])
            return false;
        ++n;
        ++p;
    }
    return n == name.size();
}

// "." and ".." first, then by name ignoring case, then by the exact bytes so that the order
// never depends on how the folder happens to list its entries.
bool ListedBefore(const CString& a, const CString& b)
{
    const bool aDots = a == "." || a == "..";
    const bool bDots = b == "." || b == "..";
    if (aDots != bDots)
        return aDots;
    if (aDots)
        return a.GetLength() < b.GetLength();
    const int c = a.ToQString().compare(b.ToQString(), Qt::CaseInsensitive);
    if (c != 0)
        return c < 0;
    return std::strcmp(a, b) < 0;
}

CString TitleOf(const CString& name)
{
    const int dot = name.ReverseFind('.');
    return dot < 0 ? name : name.Left(dot);
}
} // namespace

CFileFind::CFileFind() = default;

CFileFind::~CFileFind()
{
    Close();
}

void CFileFind::Close()
{
    m_entries.clear();
    m_root.Empty();
    m_next = 0;
}

bool CFileFind::MatchesPattern(const char* name, const char* pattern)
{
    if (!name || !pattern)
        return false;
    const QString n = Cp1252ToQString(name).toCaseFolded();
    QString p = Cp1252ToQString(pattern).toCaseFolded();
    if (p.endsWith(QLatin1String(".*")))
    {
        // "name.*" also finds "name" with no extension; "*.*" finds everything.
        if (Wildcard(n, 0, p, 0))
            return true;
        p.chop(2);
        return !n.contains(QLatin1Char('.')) && Wildcard(n, 0, p, 0);
    }
    if (p.endsWith(QLatin1Char('.')) && p != QLatin1String(".") && p != QLatin1String(".."))
    {
        // A pattern ending in '.' asks for names without an extension.
        while (p.endsWith(QLatin1Char('.')))
            p.chop(1);
        return !n.contains(QLatin1Char('.')) && Wildcard(n, 0, p, 0);
    }
    return Wildcard(n, 0, p, 0);
}

namespace
{
// The entries of a pattern's folder that match it, "." and ".." aside: `take` gets each one's
// name, its path and the type the folder's own record gives (DT_REG, DT_DIR, DT_UNKNOWN...).
// FALSE, with the last error set, when the mask is empty or the folder is missing.
BOOL ScanFolder(LPCTSTR pattern, CString& root, CString& mask, QByteArray& base,
                const std::function<void(const CString&, const QByteArray&, unsigned char)>& take)
{
    const CString full = FullWindowsPath(pattern && *pattern ? pattern : "*.*");
    const int slash = full.ReverseFind('\\');
    root = full.Left(slash + 1);
    mask = full.Mid(slash + 1);
    if (mask.IsEmpty())
    {
        SetLastError(ERROR_FILE_NOT_FOUND);
        return FALSE;
    }
    const QString folder = LinuxPathFromWindows(root);
    const QByteArray native = QFile::encodeName(folder);
    struct stat st;
    if (folder.isEmpty() || ::stat(native.constData(), &st) != 0 || !S_ISDIR(st.st_mode))
    {
        SetLastError(ERROR_PATH_NOT_FOUND);
        return FALSE;
    }
    base = native.endsWith('/') ? native : native + '/';
    if (DIR* dir = ::opendir(native.constData()))
    {
        while (struct dirent* d = ::readdir(dir))
        {
            if (std::strcmp(d->d_name, ".") == 0 || std::strcmp(d->d_name, "..") == 0)
                continue;
            const QString unicode = QFile::decodeName(d->d_name);
            const CString name = CString::FromQString(unicode);
            // A name Windows-1252 cannot spell could never be opened again by the system.
            if (name.Find('\\') >= 0 || name.ToQString() != unicode)
                continue;
            if (CFileFind::MatchesPattern(name, mask))
                take(name, base + d->d_name, d->d_type);
        }
        ::closedir(dir);
    }
    return TRUE;
}
} // namespace

BOOL CFileFind::FindFile(LPCTSTR pattern, DWORD)
{
    Close();
    auto add = [&](const CString& name, const QByteArray& path) {
        struct stat es;
        if (::stat(path.constData(), &es) != 0 && ::lstat(path.constData(), &es) != 0)
            return;
        Entry e;
        e.name = name;
        e.attributes = filedetail::Attributes(es, name);
        e.size = S_ISDIR(es.st_mode) ? 0 : static_cast<ULONGLONG>(es.st_size);
        e.writeTime = filedetail::ToFileTime(es.st_mtim);
        e.accessTime = filedetail::ToFileTime(es.st_atim);
        e.changeTime = filedetail::CreationTime(path, es);
        m_entries.push_back(e);
    };
    CString root, mask;
    QByteArray base;
    if (!ScanFolder(pattern, root, mask, base,
                    [&](const CString& name, const QByteArray& path, unsigned char) { add(name, path); }))
        return FALSE;
    // A drive's root has no "." or ".." entries.
    if (root.GetLength() > 3)
    {
        for (const char* dots : {".", ".."})
            if (MatchesPattern(dots, mask))
                add(dots, base + dots);
    }
    if (m_entries.empty())
    {
        SetLastError(ERROR_FILE_NOT_FOUND);
        return FALSE;
    }
    std::sort(m_entries.begin(), m_entries.end(),
              [](const Entry& a, const Entry& b) { return ListedBefore(a.name, b.name); });
    m_root = root;
    m_next = 0;
    return TRUE;
}

std::vector<CString> CFileFind::ListFileNames(LPCTSTR pattern)
{
    std::vector<CString> names;
    CString root, mask;
    QByteArray base;
    ScanFolder(pattern, root, mask, base, [&names](const CString& name, const QByteArray& path, unsigned char type) {
        if (type == DT_DIR)
            return;
        if (type != DT_REG)
        {
            // A link, or a file system that does not say: look at what the name leads to.
            struct stat es;
            if (::stat(path.constData(), &es) != 0 || S_ISDIR(es.st_mode))
                return;
        }
        names.push_back(name);
    });
    return names;
}

BOOL CFileFind::FindNextFile()
{
    if (m_next >= static_cast<int>(m_entries.size()))
    {
        SetLastError(ERROR_NO_MORE_FILES);
        return FALSE;
    }
    ++m_next;
    return m_next < static_cast<int>(m_entries.size());
}

const CFileFind::Entry* CFileFind::Current() const
{
    const int i = m_next - 1;
    if (i < 0 || i >= static_cast<int>(m_entries.size()))
        return nullptr;
    return &m_entries[static_cast<size_t>(i)];
}

CString CFileFind::GetFileName() const
{
    const Entry* e = Current();
    return e ? e->name : CString();
}

CString CFileFind::GetFilePath() const
{
    const Entry* e = Current();
    return e ? m_root + e->name : CString();
}

CString CFileFind::GetFileTitle() const
{
    const Entry* e = Current();
    return e ? TitleOf(e->name) : CString();
}

CString CFileFind::GetRoot() const
{
    return m_root;
}

ULONGLONG CFileFind::GetLength() const
{
    const Entry* e = Current();
    return e ? e->size : 0;
}

BOOL CFileFind::GetLastWriteTime(FILETIME* time) const
{
    const Entry* e = Current();
    if (!e || !time)
        return FALSE;
    *time = e->writeTime;
    return TRUE;
}

BOOL CFileFind::GetLastWriteTime(CTime& time) const
{
    const Entry* e = Current();
    if (!e)
        return FALSE;
    time = CTime(static_cast<time_t>(UnixFromFileTime(e->writeTime)));
    return TRUE;
}

BOOL CFileFind::GetLastAccessTime(FILETIME* time) const
{
    const Entry* e = Current();
    if (!e || !time)
        return FALSE;
    *time = e->accessTime;
    return TRUE;
}

BOOL CFileFind::GetLastAccessTime(CTime& time) const
{
    const Entry* e = Current();
    if (!e)
        return FALSE;
    time = CTime(static_cast<time_t>(UnixFromFileTime(e->accessTime)));
    return TRUE;
}

BOOL CFileFind::GetCreationTime(FILETIME* time) const
{
    const Entry* e = Current();
    if (!e || !time)
        return FALSE;
    *time = e->changeTime;
    return TRUE;
}

BOOL CFileFind::GetCreationTime(CTime& time) const
{
    const Entry* e = Current();
    if (!e)
        return FALSE;
    time = CTime(static_cast<time_t>(UnixFromFileTime(e->changeTime)));
    return TRUE;
}

DWORD CFileFind::GetAttributes() const
{
    const Entry* e = Current();
    return e ? e->attributes : 0;
}

BOOL CFileFind::MatchesMask(DWORD mask) const
{
    return (GetAttributes() & mask) != 0 ? TRUE : FALSE;
}

BOOL CFileFind::IsDots() const
{
    const Entry* e = Current();
    return e && (e->name == "." || e->name == "..") ? TRUE : FALSE;
}
