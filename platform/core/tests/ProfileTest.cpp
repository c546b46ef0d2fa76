#include "platform/core/WinApp.h"

#include "testsupport/TempDrives.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <gtest/gtest.h>

#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>

#include <langinfo.h>
#include <locale.h>
#include <unistd.h>

namespace
{
QString ConfigDir()
{
    return TempDrives::Current()->Root() + "/config";
}

QByteArray ReadAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void WriteAll(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(path.left(path.lastIndexOf('/')));
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

class CTestApp : public CWinApp
{
public:
    explicit CTestApp(const char* name = "ProfileApp") : CWinApp(name) {}
    BOOL InitInstance() override { return m_bInit; }
    int ExitInstance() override { return m_bInit ? CWinApp::ExitInstance() : 3; }
    BOOL m_bInit = TRUE;
};

class CMainTarget : public CCmdTarget
{
};
} // namespace

TEST(Profile, RoundTripAndFileLocation)
{
    CTestApp app;
    EXPECT_EQ(AfxGetApp(), &app);
    EXPECT_STREQ(AfxGetAppName(), "ProfileApp");

    // Before SetRegistryKey: "<config>/<app name>.ini".
    EXPECT_EQ(app.GetProfilePath(), ConfigDir() + "/ProfileApp.ini");
    ASSERT_TRUE(app.WriteProfileInt("Settings", "Before", 5));
    EXPECT_TRUE(QFile::exists(ConfigDir() + "/ProfileApp.ini"));

    app.SetRegistryKey("Velmaro Technology Limited");
    EXPECT_STREQ(app.m_pszProfileName, "ProfileApp");
    const QString path = ConfigDir() + "/Velmaro Technology Limited/ProfileApp.ini";
    EXPECT_EQ(app.GetProfilePath(), path);
    EXPECT_EQ(app.GetProfileInt("Settings", "Before", -1), static_cast<UINT>(-1)); // another file now

    ASSERT_TRUE(app.WriteProfileInt("Settings", "Width", 640));
    ASSERT_TRUE(app.WriteProfileInt("Settings", "Offset", -25));
    ASSERT_TRUE(app.WriteProfileString("Recent", "File1", "C:\\MyData\\Survey 1.csv"));
    ASSERT_TRUE(app.WriteProfileString("Workspace\\Keyboard-0", "Accelerators", "x"));
    EXPECT_TRUE(QFile::exists(path));

    // A second application object reads what the first wrote, from disk.
    CTestApp reader;
    reader.SetRegistryKey("Velmaro Technology Limited");
    EXPECT_EQ(reader.GetProfileInt("Settings", "Width", 0), 640u);
    EXPECT_EQ(static_cast<int>(reader.GetProfileInt("Settings", "Offset", 0)), -25);
    EXPECT_EQ(reader.GetProfileString("Recent", "File1"), "C:\\MyData\\Survey 1.csv");
    EXPECT_EQ(reader.GetProfileString("Workspace\\Keyboard-0", "Accelerators"), "x");
    EXPECT_EQ(reader.GetProfileString("Recent", "File9", "none"), "none");
    EXPECT_EQ(reader.GetProfileString("Recent", "File9"), "");
    EXPECT_EQ(reader.GetProfileInt("Nowhere", "Width", 17), 17u);

    // Only the profile is left in its folder: no temporary file stays behind.
    EXPECT_EQ(QDir(ConfigDir() + "/Velmaro Technology Limited").entryList(QDir::Files),
              QStringList{"ProfileApp.ini"});
}

TEST(Profile, NamesCompareWithoutCaseAndValuesSurviveAsText)
{
    CTestApp app;
    app.SetRegistryKey("Key");
    ASSERT_TRUE(app.WriteProfileString("Settings", "Width", "1"));
    ASSERT_TRUE(app.WriteProfileString("SETTINGS", "width", "2"));
    ASSERT_TRUE(app.WriteProfileString("Caf\xC9", "\xC9T\xC9", "3")); // Windows-1252 letters
    EXPECT_EQ(app.GetProfileString("settings", "WIDTH"), "2");
    EXPECT_EQ(app.GetProfileString("caf\xE9", "\xE9t\xE9"), "3");
    const QByteArray text = ReadAll(app.GetProfilePath());
    EXPECT_EQ(text.count("idth="), 1) << text.constData(); // one entry, first spelling kept
    EXPECT_TRUE(text.contains("[Settings]"));

    struct Case
    {
        const char* entry;
        const char* value;
    };
    const Case cases[] = {
        {"Empty", ""},
        {"Blanks", "  lead and trail  "},
        {"Quoted", "\"quoted\" text"},
        {"Equals", "a=b=c"},
        {"Lines", "line 1\r\nline 2\n"},
        {"Backslashes", "\\\\server\\share\\"},
        {"Comment", "; not a comment"},
        {"Degree", "12\xB0 30'"},
        {"Key = with equals", "v"},
        {"[Bracketed", "v"},
        {" spaced key ", "v"},
    };
    for (const Case& c : cases)
        ASSERT_TRUE(app.WriteProfileString("Values", c.entry, c.value)) << c.entry;
    CTestApp reader;
    reader.SetRegistryKey("Key");
    for (const Case& c : cases)
        EXPECT_EQ(reader.GetProfileString("Values", c.entry, "missing"), c.value) << c.entry;
    EXPECT_EQ(reader.GetProfileString("Values", "spaced key", "missing"), "missing");
}

TEST(Profile, DeletingEntriesAndSections)
{
    CTestApp app;
    ASSERT_TRUE(app.WriteProfileString("Workspace\\Keyboard-0", "Accelerators", "AAAA"));
    ASSERT_TRUE(app.WriteProfileString("Workspace\\Keyboard-0", "Other", "B"));
    ASSERT_TRUE(app.WriteProfileString("Keep", "A", "1"));

    // A null value deletes the entry, a null entry the whole section.
    EXPECT_TRUE(app.WriteProfileString("Workspace\\Keyboard-0", "Accelerators", nullptr));
    EXPECT_EQ(app.GetProfileString("Workspace\\Keyboard-0", "Accelerators", "gone"), "gone");
    EXPECT_EQ(app.GetProfileString("Workspace\\Keyboard-0", "Other"), "B");
    EXPECT_TRUE(app.WriteProfileString("workspace\\keyboard-0", nullptr, nullptr));
    EXPECT_EQ(app.GetProfileString("Workspace\\Keyboard-0", "Other", "gone"), "gone");
    EXPECT_EQ(app.GetProfileString("Keep", "A"), "1");
    // Deleting what is not there changes nothing and is not an error.
    EXPECT_TRUE(app.WriteProfileString("Keep", "Missing", nullptr));
    EXPECT_TRUE(app.WriteProfileString("Missing", nullptr, nullptr));

    EXPECT_FALSE(app.WriteProfileString(nullptr, "A", "1"));
    EXPECT_FALSE(app.WriteProfileString("Bad\nSection", "A", "1"));
    EXPECT_FALSE(app.WriteProfileString("Keep", "", "1"));
}

TEST(Profile, IntegersFromTextAndHandEditedFiles)
{
    CTestApp app;
    WriteAll(app.GetProfilePath(), "; written by hand\r\n"
                                   "orphan=1\r\n"
                                   "[Numbers]\r\n"
                                   "  Plain = 12 \r\n"
                                   "Negative=-3\r\n"
                                   "Trailing=40px\r\n"
                                   "Word=abc\r\n"
                                   "Empty=\r\n"
                                   "Huge=99999999999\r\n"
                                   "Plain=13\r\n"
                                   "# another comment\r\n"
                                   "[Text]\r\n"
                                   "Path = C:\\MyData\\a.txt\r\n");
    struct Case
    {
        const char* entry;
        int expected;
    };
    const Case cases[] = {{"Plain", 12}, {"Negative", -3}, {"Trailing", 40}, {"Word", 99},
                          {"Empty", 99}, {"Huge", 99},     {"Missing", 99}};
    for (const Case& c : cases)
        EXPECT_EQ(static_cast<int>(app.GetProfileInt("numbers", c.entry, 99)), c.expected) << c.entry;
    EXPECT_EQ(app.GetProfileString("Text", "Path"), "C:\\MyData\\a.txt");
    EXPECT_EQ(app.GetProfileString("", "orphan", "none"), "none");

    // Rewriting keeps every entry of the hand-edited file.
    ASSERT_TRUE(app.WriteProfileInt("Numbers", "New", 1));
    EXPECT_EQ(app.GetProfileString("Text", "Path"), "C:\\MyData\\a.txt");
    EXPECT_EQ(static_cast<int>(app.GetProfileInt("Numbers", "Negative", 0)), -3);
}

TEST(Profile, BinaryValues)
{
    CTestApp app;
    BYTE data[] = {0x00, 0x7F, 0x80, 0xFF, 0x0A};
    ASSERT_TRUE(app.WriteProfileBinary("Layout", "Bar", data, sizeof(data)));
    LPBYTE read = nullptr;
    UINT bytes = 0;
    ASSERT_TRUE(app.GetProfileBinary("Layout", "Bar", &read, &bytes));
    ASSERT_EQ(bytes, sizeof(data));
    EXPECT_EQ(std::memcmp(read, data, sizeof(data)), 0);
    delete[] read;

    ASSERT_TRUE(app.WriteProfileString("Layout", "Broken", "0G"));
    EXPECT_FALSE(app.GetProfileBinary("Layout", "Broken", &read, &bytes));
    EXPECT_EQ(read, nullptr);
    EXPECT_FALSE(app.GetProfileBinary("Layout", "Missing", &read, &bytes));
}

TEST(WinApp, MainWindowFallbackAndThreadObject)
{
    CTestApp app;
    CMainTarget frame;
    app.m_pMainWnd = &frame;
    EXPECT_EQ(AfxGetThread(), &app);
    EXPECT_EQ(AfxGetMainWnd(), &frame);

    // A worker without a main window of its own falls back to the application's.
    CCmdTarget* seen = nullptr;
    CWinThread* t = AfxBeginThread(
        [](LPVOID p) -> UINT {
            *static_cast<CCmdTarget**>(p) = AfxGetMainWnd();
            return 0;
        },
        &seen, THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED);
    ASSERT_NE(t, nullptr);
    t->m_bAutoDelete = FALSE;
    t->ResumeThread();
    ASSERT_EQ(WaitForSingleObject(t->m_hThread, 5000), WAIT_OBJECT_0);
    delete t;
    EXPECT_EQ(seen, &frame);
}

TEST(WinApp, RunDeliversPostedMessagesUntilQuit)
{
    CTestApp app;
    // Without a main window the program ends at once, through ExitInstance.
    EXPECT_EQ(app.Run(), 0);

    CMainTarget frame;
    app.m_pMainWnd = &frame;
    bool ran = false;
    AfxPostCallToUiThread([&] { ran = true; });
    std::thread([] { AfxGetApp()->PostThreadMessage(WM_QUIT, 5, 0); }).join();
    EXPECT_EQ(app.Run(), 5);
    EXPECT_TRUE(ran);

    // A start-up that fails ends with ExitInstance's code.
    app.m_bInit = FALSE;
    char name[] = "prog";
    char* argv[] = {name, nullptr};
    int argc = 1;
    EXPECT_EQ(AfxWinMain(argc, argv), 3);
}

// Qt takes the locale from the environment when its application object is made: on a German
// desktop the C library would then write 1.5 as "1,5" and read "2.5" as 2 in every file. A
// program started there must keep the C numeric locale. The locale is compiled into the test's
// folder, so the test needs no locale installed on the machine, and the program is started as a
// process of its own, through the same entry as the suite's programs.
TEST(WinApp, ProcessStartKeepsTheCNumericLocale)
{
    ASSERT_EQ(access("/usr/share/i18n/locales/de_DE", R_OK), 0) << "the locale sources (package locales) are missing";
    const QString locales = TempDrives::Current()->Root() + "/locale";
    ASSERT_TRUE(QDir().mkpath(locales));
    QProcess localedef;
    localedef.start("localedef", {"-i", "de_DE", "-f", "UTF-8", locales + "/de_DE.UTF-8"});
    ASSERT_TRUE(localedef.waitForFinished(60000));
    // localedef exits with 1 for mere warnings; the compiled files tell whether it worked.
    ASSERT_TRUE(QFile::exists(locales + "/de_DE.UTF-8/LC_NUMERIC")) << localedef.readAllStandardError().toStdString();

    // The locale has a decimal comma: without the reset, the program would write with it.
    const QByteArray oldLocPath = qgetenv("LOCPATH");
    qputenv("LOCPATH", locales.toLocal8Bit());
    locale_t german = newlocale(LC_NUMERIC_MASK, "de_DE.UTF-8", static_cast<locale_t>(nullptr));
    if (oldLocPath.isNull())
        qunsetenv("LOCPATH");
    else
        qputenv("LOCPATH", oldLocPath);
    ASSERT_NE(german, static_cast<locale_t>(nullptr));
    EXPECT_STREQ(nl_langinfo_l(RADIXCHAR, german), ",");
    freelocale(german);

    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("LOCPATH", locales);
    environment.insert("LANG", "de_DE.UTF-8");
    environment.insert("LC_ALL", "de_DE.UTF-8");
    environment.insert("QT_QPA_PLATFORM", "offscreen");
    QProcess program;
    program.setProcessEnvironment(environment);
    program.start(SUITE_START_PROBE, {"My File.csv"});
    ASSERT_TRUE(program.waitForFinished(20000));
    EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(program.exitCode(), 0) << program.readAllStandardError().toStdString();
    const QString output = QString::fromUtf8(program.readAllStandardOutput());
    // Qt did take the German locale from the environment; only the numbers were kept in C.
    EXPECT_TRUE(output.contains("monetary=de_DE.UTF-8\n")) << output.toStdString();
    EXPECT_TRUE(output.contains("numeric=C\n")) << output.toStdString();
    EXPECT_TRUE(output.contains("formatted=1.5\n")) << output.toStdString();
    EXPECT_TRUE(output.contains("parsed=2.50\n")) << output.toStdString();
    EXPECT_TRUE(output.contains("command=\"My File.csv\"\n")) << output.toStdString();
}

// A profile a hand or another tool has touched: a byte-order mark, comments and lines that are
// no entries survive every write, in place.
TEST(ProfileBadInput, WritesKeepEveryOtherLineAndReadABomAsNothing)
{
    CTestApp app;
    QFile fixture(SUITE_SOURCE_DIR "/platform/core/tests/data/bad_profile_bom.ini");
    ASSERT_TRUE(fixture.open(QIODevice::ReadOnly));
    WriteAll(app.GetProfilePath(), fixture.readAll());

    EXPECT_EQ(app.GetProfileString("First", "A"), "1");
    EXPECT_EQ(app.GetProfileString("Second", "B"), "2");
    ASSERT_TRUE(app.WriteProfileString("Second", "C", "3"));
    ASSERT_TRUE(app.WriteProfileString("First", "A", "9"));
    ASSERT_TRUE(app.WriteProfileString("Third", "D", "4"));
    EXPECT_EQ(ReadAll(app.GetProfilePath()), QByteArray("\xEF\xBB\xBF[First]\n"
                                                         "A=9\n"
                                                         "; kept comment\n"
                                                         "not an entry line\n"
                                                         "\n"
                                                         "[Second]\n"
                                                         "# hash comment\n"
                                                         "  B  =  2  \n"
                                                         "C=3\n"
                                                         "\n"
                                                         "[Third]\n"
                                                         "D=4\n"));
    ASSERT_TRUE(app.WriteProfileString("First", "A", nullptr));
    EXPECT_EQ(app.GetProfileString("First", "A", "gone"), "gone");
    EXPECT_TRUE(ReadAll(app.GetProfilePath()).contains("; kept comment\nnot an entry line\n"));
}
