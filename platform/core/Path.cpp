#include "platform/core/Path.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>

#include <climits>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include <dirent.h>
#include <sys/stat.h>

namespace
{
bool IsSeparator(char c)
{
    return c == '\\' || c == '/';
}

bool IsAsciiLetter(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

char Upper(char c)
{
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

QString EnvFolder(const char* name)
{
    const char* value = std::getenv(name);
    if (!value || !*value)
        return QString();
    return QString::fromLocal8Bit(value);
}

// A Linux folder without its trailing '/', except for the root itself.
QString CleanFolder(const QString& folder)
{
    QString clean = QDir::cleanPath(QDir::current().absoluteFilePath(folder));
    if (clean.isEmpty())
        return QStringLiteral("/");
    return clean;
}

QString Join(const QString& folder, const QString& name)
{
    if (folder.endsWith(QLatin1Char('/')))
        return folder + name;
    return folder + QLatin1Char('/') + name;
}

bool Exists(const QString& path)
{
    struct stat st;
    return ::stat(QFile::encodeName(path).constData(), &st) == 0;
}

bool IsDir(const QString& path)
{
    struct stat st;
    return ::stat(QFile::encodeName(path).constData(), &st) == 0 && S_ISDIR(st.st_mode);
}

// The one entry of `folder` that matches `name` without regard to case; empty when there is
// none or more than one.
QString UniqueCaseMatch(const QString& folder, const QString& name)
{
    DIR* dir = ::opendir(QFile::encodeName(folder).constData());
    if (!dir)
        return QString();
    QString found;
    int matches = 0;
    while (struct dirent* e = ::readdir(dir))
    {
        if (std::strcmp(e->d_name, ".") == 0 || std::strcmp(e->d_name, "..") == 0)
            continue;
        const QString entry = QFile::decodeName(e->d_name);
        if (entry.compare(name, Qt::CaseInsensitive) == 0)
        {
            found = entry;
            if (++matches > 1)
                break;
        }
    }
    ::closedir(dir);
    return matches == 1 ? found : QString();
}

// A Windows path taken apart: the Linux folder it starts from and the components below it,
// with "." and ".." already resolved.
struct Parsed
{
    bool valid = false;
    QString base;
    QStringList parts;
    bool trailing = false;
};

void AddParts(QStringList& parts, const QString& text)
{
    const QStringList pieces = text.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    for (const QString& p : pieces)
    {
        if (p == QLatin1String("."))
            continue;
        if (p == QLatin1String(".."))
        {
            // Never above the root of the drive.
            if (!parts.isEmpty())
                parts.removeLast();
            continue;
        }
        parts.append(p);
    }
}

Parsed Parse(const char* windowsPath)
{
    Parsed out;
    if (!windowsPath || !*windowsPath)
        return out;
    const size_t n = std::strlen(windowsPath);
    QString text = Cp1252ToQString(windowsPath, static_cast<int>(n));
    text.replace(QLatin1Char('\\'), QLatin1Char('/'));
    out.trailing = text.endsWith(QLatin1Char('/'));

    if (n >= 2 && windowsPath[1] == ':' && IsAsciiLetter(windowsPath[0]))
    {
        out.base = DriveFolder(windowsPath[0]);
        if (out.base.isEmpty())
            return out;
        AddParts(out.parts, text.mid(2));
    }
    else if (text.startsWith(QLatin1String("//")))
    {
        // Network shares and devices have no place on this system.
        return out;
    }
    else if (text.startsWith(QLatin1Char('/')))
    {
        out.base = QStringLiteral("/");
        AddParts(out.parts, text);
    }
    else
    {
        // Relative to the current directory; ".." may climb out of it.
        out.base = QStringLiteral("/");
        AddParts(out.parts, QDir::currentPath() + QLatin1Char('/') + text);
    }
    out.valid = true;
    return out;
}
} // namespace

QString DriveFolder(char letter)
{
    switch (Upper(letter))
    {
    case 'C': {
        const QString c = EnvFolder("SUITE_DRIVE_C");
        return CleanFolder(c.isEmpty() ? QDir::homePath() : c);
    }
    case 'D': {
        const QString d = EnvFolder("SUITE_DRIVE_D");
        return d.isEmpty() ? QString() : CleanFolder(d);
    }
    case 'E': {
        const QString e = EnvFolder("SUITE_DRIVE_E");
        return e.isEmpty() ? QString() : CleanFolder(e);
    }
    case 'Z':
        return QStringLiteral("/");
    default:
        return QString();
    }
}

QString LinuxPathFromWindows(const char* windowsPath)
{
    const Parsed p = Parse(windowsPath);
    if (!p.valid)
        return QString();
    QString current = p.base;
    int k = 0;
    // Only a path a file system can hold is looked up part by part; the parts from the first
    // that is not on disk are joined in one go, so that a long path costs its length once.
    for (; k < p.parts.size() && current.size() < PATH_MAX; ++k)
    {
        const QString& part = p.parts[k];
        const QString exact = Join(current, part);
        if (Exists(exact))
        {
            current = exact;
            continue;
        }
        const QString match = IsDir(current) ? UniqueCaseMatch(current, part) : QString();
        if (match.isEmpty())
            break;
        current = Join(current, match);
    }
    if (k < p.parts.size())
        current = Join(current, p.parts.mid(k).join(QLatin1Char('/')));
    if (p.trailing && !current.endsWith(QLatin1Char('/')))
        current += QLatin1Char('/');
    return current;
}

QString LinuxPathFromWindows(const CString& windowsPath)
{
    return LinuxPathFromWindows(windowsPath.GetString());
}

QByteArray LinuxPathBytesFromWindows(const char* windowsPath)
{
    const QString onDisk = LinuxPathFromWindows(windowsPath);
    if (onDisk.isEmpty())
        return QByteArray();
    return QFile::encodeName(onDisk);
}

CString WindowsPathFromLinux(const QString& linuxPath)
{
    if (linuxPath.isEmpty())
        return CString();
    const bool trailing = linuxPath.endsWith(QLatin1Char('/'));
    const QString absolute = QDir::cleanPath(QDir::current().absoluteFilePath(linuxPath));

    char letter = 'Z';
    QString root = QStringLiteral("/");
    for (char drive : {'C', 'D', 'E'})
    {
        const QString folder = DriveFolder(drive);
        if (folder.isEmpty() || folder == QLatin1String("/"))
            continue;
        const bool inside = absolute == folder || absolute.startsWith(folder + QLatin1Char('/'));
        if (inside && folder.size() > (root == QLatin1String("/") ? 0 : root.size()))
        {
            letter = drive;
            root = folder;
        }
    }
    QString rest = root == QLatin1String("/") ? absolute.mid(1) : absolute.mid(root.size() + 1);
    if (trailing && !rest.isEmpty())
        rest += QLatin1Char('/');
    rest.replace(QLatin1Char('/'), QLatin1Char('\\'));
    CString out;
    out.Format("%c:\\", letter);
    out += CString::FromQString(rest);
    return out;
}

CString FullWindowsPath(const char* windowsPath)
{
    if (!windowsPath || !*windowsPath)
        return CString();
    const std::string text(windowsPath);
    CString prefix;
    std::string rest;
    if (text.size() >= 2 && text[1] == ':' && IsAsciiLetter(text[0]))
    {
        prefix.Format("%c:\\", Upper(text[0]));
        rest = text.substr(2);
    }
    else if (text.size() >= 2 && IsSeparator(text[0]) && IsSeparator(text[1]))
    {
        // A share or device name: only the separators are made uniform.
        CString same(windowsPath);
        same.Replace('/', '\\');
        return same;
    }
    else if (IsSeparator(text[0]))
    {
        prefix = "Z:\\";
        rest = text;
    }
    else
    {
        const CString cwd = WindowsPathFromLinux(QDir::currentPath());
        prefix = cwd.Left(3);
        rest = std::string(cwd.Mid(3).GetString()) + "\\" + text;
    }

    std::vector<std::string> parts;
    std::string piece;
    auto flush = [&]() {
        if (piece.empty() || piece == ".")
        {
        }
        else if (piece == "..")
        {
            if (!parts.empty())
                parts.pop_back();
        }
        else
        {
            parts.push_back(piece);
        }
        piece.clear();
    };
    for (char c : rest)
    {
        if (IsSeparator(c))
            flush();
        else
            piece += c;
    }
    flush();

    CString out = prefix;
    for (size_t i = 0; i < parts.size(); ++i)
    {
        if (i > 0)
            out += '\\';
        out += parts[i].c_str();
    }
    if (!parts.empty() && IsSeparator(text.back()))
        out += '\\';
    return out;
}

char DriveLetterOf(const char* windowsPath)
{
    if (!windowsPath || !*windowsPath)
        return 0;
    if (IsAsciiLetter(windowsPath[0]) && windowsPath[1] == ':')
        return Upper(windowsPath[0]);
    if (IsSeparator(windowsPath[0]))
        return IsSeparator(windowsPath[1]) ? 0 : 'Z';
    const CString cwd = WindowsPathFromLinux(QDir::currentPath());
    return cwd.IsEmpty() ? 0 : cwd[0];
}
