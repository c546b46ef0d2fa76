#include "platform/core/WinApp.h"

#include "platform/core/FileApi.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QStandardPaths>
#include <QString>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <climits>
#include <clocale>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <unistd.h>
#include <vector>

IMPLEMENT_DYNAMIC(CWinApp, CWinThread)

namespace
{
std::atomic<CWinApp*> g_app{nullptr};
QCoreApplication* g_ownedQtApp = nullptr;
// Made on first use: the widgets layer sets it from a static initializer of its own, which may
// run before this file's.
AFX_APPLICATION_FACTORY& Factory()
{
    static AFX_APPLICATION_FACTORY factory;
    return factory;
}

// One profile change at a time: each one reads, changes and rewrites the whole file.
std::mutex& ProfileLock()
{
    static std::mutex lock;
    return lock;
}

char* Duplicate(const char* s)
{
    return s ? strdup(s) : nullptr;
}

void Replace(LPCTSTR& member, const char* value)
{
    free(const_cast<char*>(member));
    member = Duplicate(value);
}

// The running executable's name without folder (and without a ".exe" some builds carry).
std::string ExecutableName()
{
    char buffer[PATH_MAX];
    const ssize_t n = readlink("/proc/self/exe", buffer, sizeof(buffer) - 1);
    std::string path = n > 0 ? std::string(buffer, static_cast<size_t>(n)) : std::string("Application");
    std::string name = path.substr(path.find_last_of('/') + 1);
    if (name.size() > 4 && strcasecmp(name.c_str() + name.size() - 4, ".exe") == 0)
        name.resize(name.size() - 4);
    return name.empty() ? std::string("Application") : name;
}

// ---------------------------------------------------------------------------------------
// The INI file
// ---------------------------------------------------------------------------------------

// One line of the file. Lines that are not entries (comments, blanks, whatever a hand put
// there) and entries nobody changed are written back as they were read.
struct IniEntry
{
    std::string key;
    std::string value;
    // The line as read; empty once the entry is changed or when it is new.
    std::string raw;
    bool isEntry = true;
};

struct IniSection
{
    std::string name;
    // False only for the lines before the first section header.
    bool hasHeader = true;
    std::string rawHeader;
    std::vector<IniEntry> entries;
};

struct IniDocument : std::vector<IniSection>
{
    bool bom = false;
};

// Windows-1252 letters compared as the registry compares names: without regard to case.
unsigned char Fold(unsigned char c)
{
    if (c >= 'A' && c <= 'Z')
        return static_cast<unsigned char>(c + 32);
    if (c >= 0xC0 && c <= 0xDE && c != 0xD7)
        return static_cast<unsigned char>(c + 32);
    switch (c)
    {
    case 0x8A:
        return 0x9A; // S caron
    case 0x8C:
        return 0x9C; // OE
    case 0x8E:
        return 0x9E; // Z caron
    case 0x9F:
        return 0xFF; // Y diaeresis
    default:
        return c;
    }
}

bool SameName(const std::string& a, const char* b)
{
    const size_t n = std::strlen(b);
    if (a.size() != n)
        return false;
    for (size_t i = 0; i < n; ++i)
        if (Fold(static_cast<unsigned char>(a[i])) != Fold(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

IniSection* FindSection(IniDocument& doc, const char* name)
{
    for (IniSection& s : doc)
        if (s.hasHeader && SameName(s.name, name))
            return &s;
    return nullptr;
}

IniEntry* FindEntry(IniSection& section, const char* key)
{
    for (IniEntry& e : section.entries)
        if (e.isEntry && SameName(e.key, key))
            return &e;
    return nullptr;
}

// A section named twice reads as one: the first entry of a name counts, wherever it stands.
IniEntry* FindEntry(IniDocument& doc, const char* section, const char* key, IniSection** holder = nullptr)
{
    for (IniSection& s : doc)
    {
        if (!s.hasHeader || !SameName(s.name, section))
            continue;
        if (IniEntry* e = FindEntry(s, key))
        {
            if (holder)
                *holder = &s;
            return e;
        }
    }
    return nullptr;
}

bool IsBlankLine(const IniEntry& line)
{
    return !line.isEntry && line.raw.find_first_not_of(" \t") == std::string::npos;
}

bool IsBlank(char c)
{
    return c == ' ' || c == '\t';
}

std::string TrimBlanks(const std::string& s)
{
    size_t b = 0, e = s.size();
    while (b < e && IsBlank(s[b]))
        ++b;
    while (e > b && IsBlank(s[e - 1]))
        --e;
    return s.substr(b, e - b);
}

// Text that would not survive a plain "key=value" line (line ends, blanks at either end, a
// leading quote) is written in double quotes with backslash escapes.
std::string Quote(const std::string& s)
{
    std::string out = "\"";
    for (char c : s)
    {
        switch (c)
        {
        case '\\':
            out += "\\\\";
            break;
        case '"':
            out += "\\\"";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        default:
            out += c;
        }
    }
    return out + "\"";
}

bool NeedsQuotes(const std::string& s, bool isKey)
{
    if (s.empty())
        return isKey;
    if (IsBlank(s.front()) || IsBlank(s.back()) || s.front() == '"')
        return true;
    if (s.find_first_of("\r\n") != std::string::npos)
        return true;
    return isKey &&
           (s.front() == '[' || s.front() == ';' || s.front() == '#' || s.find('=') != std::string::npos);
}

std::string Encode(const std::string& s, bool isKey)
{
    return NeedsQuotes(s, isKey) ? Quote(s) : s;
}

// Reads a quoted text starting at line[pos] == '"'; `pos` ends after the closing quote. An
// unclosed quote takes the rest of the line.
std::string Unquote(const std::string& line, size_t& pos)
{
    std::string out;
    for (++pos; pos < line.size(); ++pos)
    {
        const char c = line[pos];
        if (c == '"')
        {
            ++pos;
            return out;
        }
        if (c == '\\' && pos + 1 < line.size())
        {
            const char n = line[++pos];
            out += n == 'n' ? '\n' : n == 'r' ? '\r' : n;
        }
        else
            out += c;
    }
    return out;
}

IniDocument Parse(const QByteArray& bytes)
{
    IniDocument doc;
    std::string text = bytes.toStdString();
    // A byte-order mark is no part of the first line.
    if (text.compare(0, 3, "\xEF\xBB\xBF") == 0)
    {
        doc.bom = true;
        text.erase(0, 3);
    }
    doc.push_back({std::string(), false, std::string(), {}});
    IniSection* current = &doc.back();
    size_t start = 0;
    while (start < text.size())
    {
        size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        std::string line = text.substr(start, end - start);
        start = end + 1;
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        IniEntry kept{std::string(), std::string(), line, false};
        size_t pos = 0;
        while (pos < line.size() && IsBlank(line[pos]))
            ++pos;
        if (pos == line.size() || line[pos] == ';' || line[pos] == '#')
        {
            current->entries.push_back(kept);
            continue;
        }
        if (line[pos] == '[')
        {
            const size_t close = line.find_last_of(']');
            const std::string name = close == std::string::npos || close < pos
                                         ? line.substr(pos + 1)
                                         : line.substr(pos + 1, close - pos - 1);
            doc.push_back({name, true, line, {}});
            current = &doc.back();
            continue;
        }
        std::string key;
        if (line[pos] == '"')
        {
            key = Unquote(line, pos);
            while (pos < line.size() && IsBlank(line[pos]))
                ++pos;
            if (pos == line.size() || line[pos] != '=')
            {
                current->entries.push_back(kept);
                continue;
            }
        }
        else
        {
            const size_t eq = line.find('=', pos);
            if (eq == std::string::npos)
            {
                current->entries.push_back(kept);
                continue;
            }
            key = TrimBlanks(line.substr(pos, eq - pos));
            pos = eq;
        }
        ++pos; // past '='
        while (pos < line.size() && IsBlank(line[pos]))
            ++pos;
        std::string value =
            pos < line.size() && line[pos] == '"' ? Unquote(line, pos) : TrimBlanks(line.substr(pos));
        // Entries before any section belong to none and are only kept.
        current->entries.push_back({key, value, line, current->hasHeader});
    }
    return doc;
}

QByteArray Serialise(const IniDocument& doc)
{
    std::string out = doc.bom ? "\xEF\xBB\xBF" : "";
    for (const IniSection& section : doc)
    {
        if (section.hasHeader)
            out += (section.rawHeader.empty() ? '[' + section.name + ']' : section.rawHeader) + '\n';
        for (const IniEntry& e : section.entries)
        {
            if (!e.isEntry || !e.raw.empty())
                out += e.raw + '\n';
            else
                out += Encode(e.key, true) + '=' + Encode(e.value, false) + '\n';
        }
    }
    return QByteArray(out.data(), static_cast<qsizetype>(out.size()));
}

// A new section goes at the end, a blank line apart from what is there.
IniSection& AddSection(IniDocument& doc, const char* name)
{
    IniSection& last = doc.back();
    if (!(last.entries.empty() ? !last.hasHeader : IsBlankLine(last.entries.back())))
        last.entries.push_back({std::string(), std::string(), std::string(), false});
    doc.push_back({name, true, std::string(), {}});
    return doc.back();
}

// A new entry goes after the section's last line that is not blank, so that the blank line
// before the next section stays where it was.
void AddEntry(IniSection& section, const char* key, const char* value)
{
    size_t at = section.entries.size();
    while (at > 0 && IsBlankLine(section.entries[at - 1]))
        --at;
    section.entries.insert(section.entries.begin() + static_cast<std::ptrdiff_t>(at), {key, value, std::string(), true});
}

// False when the file exists but cannot be read: writing over it would lose its contents.
bool Load(const QString& path, IniDocument& doc)
{
    doc = IniDocument();
    doc.push_back({std::string(), false, std::string(), {}});
    QFile file(path);
    if (!file.exists())
        return true;
    if (!file.open(QIODevice::ReadOnly))
        return false;
    doc = Parse(file.readAll());
    return true;
}

bool Save(const QString& path, const IniDocument& doc)
{
    const int slash = path.lastIndexOf('/');
    if (slash > 0 && !QDir().mkpath(path.left(slash)))
        return false;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    const QByteArray bytes = Serialise(doc);
    if (file.write(bytes) != bytes.size())
    {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

// A name usable as one file or folder name.
QString FileNamePart(const char* name)
{
    QString s = CString(name).ToQString();
    s.replace('/', '_').replace('\\', '_');
    if (s.isEmpty() || s == "." || s == "..")
        s = "_";
    return s;
}

bool ValidName(const char* s)
{
    return s && !std::strpbrk(s, "\r\n");
}

int HexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}
} // namespace

// ---------------------------------------------------------------------------------------
// CWinApp
// ---------------------------------------------------------------------------------------

CWinApp::CWinApp(LPCTSTR lpszAppName)
{
    const std::string exe = ExecutableName();
    m_pszExeName = Duplicate(exe.c_str());
    m_pszAppName = Duplicate(lpszAppName ? lpszAppName : exe.c_str());
    m_pszProfileName = Duplicate((std::string(m_pszAppName) + ".ini").c_str());
    m_nThreadID = GetCurrentThreadId();
    g_app = this;
}

CWinApp::~CWinApp()
{
    for (POSITION pos = m_templateList.GetHeadPosition(); pos;)
        delete m_templateList.GetNext(pos);
    m_templateList.RemoveAll();
    CWinApp* self = this;
    g_app.compare_exchange_strong(self, nullptr);
    for (LPCTSTR* p :
         {&m_pszAppName, &m_pszExeName, &m_pszRegistryKey, &m_pszProfileName, &m_pszHelpFilePath})
    {
        free(const_cast<char*>(*p));
        *p = nullptr;
    }
}

BOOL CWinApp::InitInstance()
{
    return TRUE;
}

int CWinApp::Run()
{
    m_msgCur = MSG{};
    if (m_pMainWnd && QCoreApplication::instance())
        m_msgCur.wParam = static_cast<WPARAM>(QCoreApplication::exec());
    return ExitInstance();
}

int CWinApp::ExitInstance()
{
    return static_cast<int>(m_msgCur.wParam);
}

void CWinApp::SetRegistryKey(LPCTSTR lpszRegistryKey)
{
    std::lock_guard<std::mutex> guard(ProfileLock());
    Replace(m_pszRegistryKey, lpszRegistryKey);
    Replace(m_pszProfileName, m_pszAppName);
}

QString CWinApp::GetProfilePath() const
{
    const QString config = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    if (m_pszRegistryKey && *m_pszRegistryKey)
    {
        const char* profile = m_pszProfileName ? m_pszProfileName : m_pszAppName;
        return config + '/' + FileNamePart(m_pszRegistryKey) + '/' + FileNamePart(profile) + ".ini";
    }
    if (m_pszProfileName && *m_pszProfileName)
        return config + '/' + FileNamePart(m_pszProfileName);
    return config + '/' + FileNamePart(m_pszAppName) + ".ini";
}

UINT CWinApp::GetProfileInt(LPCTSTR lpszSection, LPCTSTR lpszEntry, int nDefault)
{
    const CString text = GetProfileString(lpszSection, lpszEntry, nullptr);
    const char* s = text.GetString();
    while (IsBlank(*s))
        ++s;
    char* end = nullptr;
    errno = 0;
    const long long value = std::strtoll(s, &end, 10);
    if (end == s || errno == ERANGE || value < INT_MIN || value > UINT_MAX)
        return static_cast<UINT>(nDefault);
    return static_cast<UINT>(static_cast<uint32_t>(value));
}

BOOL CWinApp::WriteProfileInt(LPCTSTR lpszSection, LPCTSTR lpszEntry, int nValue)
{
    CString text;
    text.Format("%d", nValue);
    return WriteProfileString(lpszSection, lpszEntry, text);
}

CString CWinApp::GetProfileString(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPCTSTR lpszDefault)
{
    if (!lpszSection || !lpszEntry)
        return CString(lpszDefault);
    std::lock_guard<std::mutex> guard(ProfileLock());
    IniDocument doc;
    if (!Load(GetProfilePath(), doc))
        return CString(lpszDefault);
    IniEntry* entry = FindEntry(doc, lpszSection, lpszEntry);
    return entry ? CString(entry->value) : CString(lpszDefault);
}

BOOL CWinApp::WriteProfileString(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPCTSTR lpszValue)
{
    if (!ValidName(lpszSection) || (lpszEntry && !*lpszEntry))
        return FALSE;
    std::lock_guard<std::mutex> guard(ProfileLock());
    const QString path = GetProfilePath();
    IniDocument doc;
    if (!Load(path, doc))
        return FALSE;
    if (!lpszEntry)
    {
        const size_t before = doc.size();
        doc.erase(std::remove_if(doc.begin(), doc.end(),
                                 [&](const IniSection& s) { return s.hasHeader && SameName(s.name, lpszSection); }),
                  doc.end());
        if (doc.size() == before)
            return TRUE;
        return Save(path, doc) ? TRUE : FALSE;
    }
    IniSection* holder = nullptr;
    IniEntry* entry = FindEntry(doc, lpszSection, lpszEntry, &holder);
    if (!lpszValue)
    {
        if (!entry)
            return TRUE;
        holder->entries.erase(holder->entries.begin() + (entry - holder->entries.data()));
        return Save(path, doc) ? TRUE : FALSE;
    }
    if (entry && entry->value == lpszValue)
        return TRUE;
    if (entry)
    {
        entry->value = lpszValue;
        entry->raw.clear();
    }
    else
    {
        IniSection* section = FindSection(doc, lpszSection);
        AddEntry(section ? *section : AddSection(doc, lpszSection), lpszEntry, lpszValue);
    }
    return Save(path, doc) ? TRUE : FALSE;
}

BOOL CWinApp::DeleteProfileTree(LPCTSTR lpszSection)
{
    if (!ValidName(lpszSection))
        return FALSE;
    std::lock_guard<std::mutex> guard(ProfileLock());
    const QString path = GetProfilePath();
    IniDocument doc;
    if (!Load(path, doc))
        return FALSE;
    const std::string prefix = std::string(lpszSection) + "\\";
    const size_t before = doc.size();
    doc.erase(std::remove_if(doc.begin(), doc.end(),
                             [&](const IniSection& s) {
                                 return !s.hasHeader ? false : SameName(s.name, lpszSection) ||
                                        (s.name.size() > prefix.size() &&
                                         SameName(s.name.substr(0, prefix.size()), prefix.c_str()));
                             }),
              doc.end());
    if (doc.size() == before)
        return TRUE;
    return Save(path, doc) ? TRUE : FALSE;
}

BOOL CWinApp::GetProfileBinary(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPBYTE* ppData, UINT* pBytes)
{
    if (!ppData || !pBytes)
        return FALSE;
    *ppData = nullptr;
    *pBytes = 0;
    const CString sentinel("\x01");
    const CString text = GetProfileString(lpszSection, lpszEntry, sentinel);
    if (text == sentinel || text.GetLength() % 2 != 0)
        return FALSE;
    const UINT n = static_cast<UINT>(text.GetLength() / 2);
    std::vector<BYTE> bytes(n);
    for (UINT i = 0; i < n; ++i)
    {
        const int hi = HexDigit(text[static_cast<int>(2 * i)]);
        const int lo = HexDigit(text[static_cast<int>(2 * i + 1)]);
        if (hi < 0 || lo < 0)
            return FALSE;
        bytes[i] = static_cast<BYTE>(hi * 16 + lo);
    }
    if (n > 0)
    {
        *ppData = new BYTE[n];
        std::memcpy(*ppData, bytes.data(), n);
    }
    *pBytes = n;
    return TRUE;
}

BOOL CWinApp::WriteProfileBinary(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPBYTE pData, UINT nBytes)
{
    if (!pData && nBytes > 0)
        return FALSE;
    static const char digits[] = "0123456789ABCDEF";
    std::string text;
    text.reserve(2 * static_cast<size_t>(nBytes));
    for (UINT i = 0; i < nBytes; ++i)
    {
        text += digits[pData[i] >> 4];
        text += digits[pData[i] & 0x0F];
    }
    return WriteProfileString(lpszSection, lpszEntry, text.c_str());
}

void CWinApp::RecordCommandLine(int argc, char** argv)
{
    m_strCmdLine.clear();
    for (int i = 1; i < argc && argv && argv[i]; ++i)
    {
        if (i > 1)
            m_strCmdLine += ' ';
        const std::string arg = argv[i];
        if (arg.empty() || arg.find_first_of(" \t") != std::string::npos)
            m_strCmdLine += '"' + arg + '"';
        else
            m_strCmdLine += arg;
    }
    m_lpCmdLine = m_strCmdLine.data();
}

// ---------------------------------------------------------------------------------------
// Free functions
// ---------------------------------------------------------------------------------------

CWinApp* AfxGetApp()
{
    return g_app.load();
}

CCmdTarget* AfxGetMainWnd()
{
    if (CWinThread* thread = AfxGetThread())
        return thread->GetMainWnd();
    CWinApp* app = AfxGetApp();
    return app ? app->m_pMainWnd : nullptr;
}

LPCTSTR AfxGetAppName()
{
    CWinApp* app = AfxGetApp();
    return app && app->m_pszAppName ? app->m_pszAppName : "";
}

void AfxKeepCNumericLocale()
{
    std::setlocale(LC_NUMERIC, "C");
}

void AfxSetApplicationFactory(AFX_APPLICATION_FACTORY factory)
{
    Factory() = std::move(factory);
}

QCoreApplication* AfxInitProcess(int& argc, char** argv)
{
    if (!QCoreApplication::instance())
        g_ownedQtApp = Factory() ? Factory()(argc, argv) : new QCoreApplication(argc, argv);
    AfxSetCommandLine(argc, argv);
    if (CWinApp* app = AfxGetApp())
    {
        app->m_nThreadID = GetCurrentThreadId();
        app->RecordCommandLine(argc, argv);
    }
    AfxKeepCNumericLocale();
    return QCoreApplication::instance();
}

void AfxTermProcess()
{
    delete g_ownedQtApp;
    g_ownedQtApp = nullptr;
}

int AfxWinMain(int& argc, char** argv)
{
    AfxInitProcess(argc, argv);
    CWinApp* app = AfxGetApp();
    int code = 1;
    if (app)
        code = app->InitInstance() ? app->Run() : app->ExitInstance();
    AfxTermProcess();
    return code;
}
