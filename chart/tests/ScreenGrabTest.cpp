// Screen grabs: the run-length-encoded bitmap byte by byte and as Qt's reader decodes it, the
// capture of a window, the day's archive read back with minizip, and the refusals.
//
// Checked once by hand with outside readers (not run by the tests): ImageMagick's `identify`
// accepted a grab written by CaptureWindowToFile ("BMP3 160x100 160x100+0+0 8-bit sRGB 256c"),
// and `unzip -t` of an archive written by ZipFiles reported "No errors detected".
#include "chart/capture/Rle8Bitmap.h"
#include "chart/capture/ScreenGrab.h"
#include "chart/capture/Zipper.h"
#include "foundation/ConfigFile.h"
#include "foundation/DateTime.h"
#include "foundation/Folders.h"
#include "platform/core/FileApi.h"
#include "platform/core/Path.h"
#include "platform/ui/Colour.h"
#include "platform/ui/Dc.h"
#include "platform/ui/WindowDc.h"
#include "testsupport/EventPump.h"
#include "testsupport/TempDrives.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <gtest/gtest.h>
#include <unzip.h>

#include <cstring>
#include <map>
#include <set>
#include <string>

namespace
{
uint32_t Read32(const std::vector<uint8_t>& b, size_t at)
{
    return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | static_cast<uint32_t>(b[at + 3]) << 24;
}
uint16_t Read16(const std::vector<uint8_t>& b, size_t at)
{
    return static_cast<uint16_t>(b[at] | b[at + 1] << 8);
}

// The colour each pixel of `image` becomes in the bitmap.
QImage Quantised(const QImage& image)
{
    const std::vector<uint8_t> indices = Rle8Bitmap::Quantise(image);
    QImage out(image.size(), QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            out.setPixel(x, y, 0xFF000000u | Rle8Bitmap::Palette()[indices[static_cast<size_t>(y) * image.width() + x]]);
    return out;
}

// A picture with every kind of stretch the encoder writes: runs longer than 255, runs of 1,
// 2 and 3, literal stretches of odd and even length, and colours off the palette.
QImage Mixed(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
        {
            QRgb c = qRgb(0, 0x33, 0x66);
            if (y % 4 == 1)
                c = qRgb((x * 37) & 0xFF, (x * 11 + y) & 0xFF, (x * 5) & 0xFF); // no runs
            else if (y % 4 == 2)
                c = (x / (1 + y % 3)) % 2 ? qRgb(255, 255, 255) : qRgb(0x80, 0x80, 0x80); // runs of 1..3
            else if (y % 4 == 3 && x > width / 3)
                c = qRgb(0xCC, (x / 7) * 20 & 0xFF, 0);
            image.setPixel(x, y, c);
        }
    return image;
}

// The Linux path of a Windows path.
QString Native(const CString& path)
{
    return LinuxPathFromWindows(path);
}

bool WriteFile(const CString& path, const QByteArray& bytes)
{
    QFile file(Native(path));
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// What an archive holds: entry name → (method, bytes, DOS date fields).
struct Entry
{
    int method = -1;
    QByteArray bytes;
    tm_unz date{};
};
std::map<std::string, Entry> ReadArchive(const CString& path, int* count = nullptr)
{
    std::map<std::string, Entry> entries;
    if (count)
        *count = 0;
    unzFile zip = unzOpen64(LinuxPathBytesFromWindows(path).constData());
    if (!zip)
        return entries;
    for (int more = unzGoToFirstFile(zip); more == UNZ_OK; more = unzGoToNextFile(zip))
    {
        unz_file_info64 info{};
        char name[512] = {};
        if (unzGetCurrentFileInfo64(zip, &info, name, sizeof(name), nullptr, 0, nullptr, 0) != UNZ_OK)
            break;
        Entry entry;
        entry.method = static_cast<int>(info.compression_method);
        entry.date = info.tmu_date;
        if (unzOpenCurrentFile(zip) == UNZ_OK)
        {
            entry.bytes.resize(static_cast<int>(info.uncompressed_size));
            const int n = unzReadCurrentFile(zip, entry.bytes.data(), static_cast<unsigned>(entry.bytes.size()));
            if (n != entry.bytes.size())
                entry.bytes = "short read";
            unzCloseCurrentFile(zip);
        }
        entries[name] = entry;
        if (count)
            ++*count;
    }
    unzClose(zip);
    return entries;
}

// A top-level window that paints four bands of known colours and a gradient.
class CPaintedView : public CWnd
{
public:
    void OnPaint()
    {
        CPaintDC dc(this);
        CRect client;
        GetClientRect(&client);
        dc.FillSolidRect(&client, RGB(0, 0, 0));
        dc.FillSolidRect(0, 0, client.Width(), 20, RGB(255, 0, 0));
        dc.FillSolidRect(0, 20, client.Width(), 20, RGB(0, 255, 0));
        dc.FillSolidRect(0, 40, client.Width(), 20, RGB(0x80, 0x80, 0xFF));
        for (int x = 0; x < client.Width(); ++x)
            dc.FillSolidRect(x, 60, 1, 20, RGB(x & 0xFF, 0x40, 0xFF - (x & 0xFF)));
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CPaintedView, CWnd)
ON_WM_PAINT()
END_MESSAGE_MAP()
} // namespace

TEST(Rle8Bitmap, PaletteHas256DistinctColoursAndMatchesItsOwnExactly)
{
    const std::vector<uint32_t>& palette = Rle8Bitmap::Palette();
    ASSERT_EQ(palette.size(), 256u);
    EXPECT_EQ(std::set<uint32_t>(palette.begin(), palette.end()).size(), 256u);
    QImage image(256, 1, QImage::Format_RGB32);
    for (int i = 0; i < 256; ++i)
        image.setPixel(i, 0, 0xFF000000u | palette[i]);
    const std::vector<uint8_t> indices = Rle8Bitmap::Quantise(image);
    for (int i = 0; i < 256; ++i)
        EXPECT_EQ(indices[i], i);
    // The suite's colours survive a grab unchanged.
    for (uint32_t colour : {0x000000u, 0xFFFFFFu, 0xFF0000u, 0x00FF00u, 0x0000FFu, 0xFFFF00u, 0x00FFFFu, 0xFF00FFu,
                            0x808080u, 0xC0C0C0u, 0x8080FFu, 0x000080u})
        EXPECT_NE(std::find(palette.begin(), palette.end(), colour), palette.end()) << std::hex << colour;
}

TEST(Rle8Bitmap, HeadersByteByByte)
{
    const QImage image = Mixed(37, 9);
    const std::vector<uint8_t> file = Rle8Bitmap::FileBytes(image);
    ASSERT_GT(file.size(), 1078u);
    const uint32_t data = static_cast<uint32_t>(file.size()) - 1078;
    struct Field
    {
        const char* name;
        size_t at;
        int size;
        uint32_t value;
    } fields[] = {{"type", 0, 2, 0x4D42},          {"file size", 2, 4, static_cast<uint32_t>(file.size())},
                  {"reserved 1", 6, 2, 0},          {"reserved 2", 8, 2, 0},
                  {"pixel offset", 10, 4, 1078},    {"header size", 14, 4, 40},
                  {"width", 18, 4, 37},             {"height", 22, 4, 9},
                  {"planes", 26, 2, 1},             {"bits", 28, 2, 8},
                  {"compression", 30, 4, 1},        {"image size", 34, 4, data},
                  {"x resolution", 38, 4, 0},       {"y resolution", 42, 4, 0},
                  {"colours used", 46, 4, 0},       {"colours important", 50, 4, 0}};
    for (const Field& f : fields)
        EXPECT_EQ(f.size == 2 ? Read16(file, f.at) : Read32(file, f.at), f.value) << f.name;
    EXPECT_EQ(file[0], 'B');
    EXPECT_EQ(file[1], 'M');
    // The colour table: blue, green, red, 0.
    for (int i = 0; i < 256; ++i)
    {
        const uint32_t colour = Rle8Bitmap::Palette()[i];
        EXPECT_EQ(Read32(file, 54 + 4 * i), colour) << "entry " << i;
    }
    // The data ends with the end-of-bitmap mark.
    EXPECT_EQ(file[file.size() - 2], 0);
    EXPECT_EQ(file[file.size() - 1], 1);
    EXPECT_TRUE(Rle8Bitmap::FileBytes(QImage()).empty());
}

TEST(Rle8Bitmap, QtsReaderDecodesTheQuantisedPicture)
{
    struct Case
    {
        int width, height;
    } cases[] = {{1, 1}, {2, 3}, {37, 9}, {600, 8}, {255, 4}, {256, 4}, {258, 5}};
    for (const Case& c : cases)
    {
        const QImage image = Mixed(c.width, c.height);
        const std::vector<uint8_t> file = Rle8Bitmap::FileBytes(image);
        const QImage decoded =
            QImage::fromData(reinterpret_cast<const uchar*>(file.data()), static_cast<int>(file.size()), "BMP")
                .convertToFormat(QImage::Format_RGB32);
        ASSERT_EQ(decoded.size(), image.size()) << c.width << " x " << c.height;
        const QImage expected = Quantised(image);
        int wrong = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                wrong += (decoded.pixel(x, y) & 0xFFFFFF) != (expected.pixel(x, y) & 0xFFFFFF);
        EXPECT_EQ(wrong, 0) << c.width << " x " << c.height;
    }
    // One colour over a wide row: runs, not literals.
    QImage plain(1000, 2, QImage::Format_RGB32);
    plain.fill(qRgb(255, 255, 255));
    EXPECT_LT(Rle8Bitmap::FileBytes(plain).size(), 1078u + 40u);
}

TEST(ScreenGrab, CaptureOfAViewIsItsPictureCutToTheScreen)
{
    const CString folder = "C:\\Grabs\\";
    ASSERT_TRUE(CreateFolderPath(folder));
    struct Case
    {
        const char* name;
        CRect where;
        int width; // of the picture written
        int firstColumn; // of the window, at the picture's left edge
    } cases[] = {{"whole", CRect(20, 30, 180, 130), 160, 0}, {"off the left edge", CRect(-50, 30, 110, 130), 110, 50}};
    for (const Case& c : cases)
    {
        CPaintedView view;
        ASSERT_TRUE(view.CreateEx(0, nullptr, "View", WS_POPUP | WS_VISIBLE, c.where, nullptr, 0));
        Pump();
        ASSERT_TRUE(CaptureWindowToFile(folder, c.name, &view)) << c.name;
        const QImage written(Native(folder + c.name + ".BMP"), "BMP");
        ASSERT_EQ(written.size(), QSize(c.width, 100)) << c.name;
        const QImage expected = Quantised(view.RenderToImage().copy(c.firstColumn, 0, c.width, 100));
        int wrong = 0;
        for (int y = 0; y < 100; ++y)
            for (int x = 0; x < c.width; ++x)
                wrong += (written.pixel(x, y) & 0xFFFFFF) != (expected.pixel(x, y) & 0xFFFFFF);
        EXPECT_EQ(wrong, 0) << c.name;
        EXPECT_EQ(ColorRefFromQRgb(written.pixel(5, 5)), RGB(255, 0, 0)) << c.name;
        EXPECT_EQ(ColorRefFromQRgb(written.pixel(5, 45)), RGB(0x80, 0x80, 0xFF)) << c.name;
        view.DestroyWindow();
    }

    // A window of no size, or one wholly off the screen, gives no file.
    CPaintedView empty, away;
    ASSERT_TRUE(empty.CreateEx(0, nullptr, "Empty", WS_POPUP | WS_VISIBLE, CRect(20, 30, 20, 30), nullptr, 0));
    ASSERT_TRUE(away.CreateEx(0, nullptr, "Away", WS_POPUP | WS_VISIBLE, CRect(-300, 30, -100, 130), nullptr, 0));
    EXPECT_FALSE(CaptureWindowToFile(folder, "empty", &empty));
    EXPECT_FALSE(CaptureWindowToFile(folder, "away", &away));
    EXPECT_FALSE(QFile::exists(Native(folder + "empty.BMP")));
    EXPECT_FALSE(QFile::exists(Native(folder + "away.BMP")));
    EXPECT_FALSE(CaptureWindowToFile("C:\\No such folder\\", "lost", nullptr));
}

TEST(ScreenGrab, GrabsGatherIntoTheDaysArchive)
{
    CPaintedView view;
    ASSERT_TRUE(view.CreateEx(0, nullptr, "View", WS_POPUP | WS_VISIBLE, CRect(20, 30, 180, 130), nullptr, 0));
    Pump();
    CScreenGrab grab("B_");
    const CString folder = GetLogFolder(true);
    // A grab left behind by an earlier day goes into the archive too.
    ASSERT_TRUE(WriteFile(folder + "old.bmp", "earlier grab"));

    CString message;
    ASSERT_TRUE(grab.GrabView(&view, message));
    const CString zipName = FormatDate();
    EXPECT_EQ(message.Find("Screen Grab file Name B_"), 0) << message.GetString();
    CString tail;
    tail.Format(".bmp\n saved in ZIP file %s.zip\nin folder %s", zipName.GetString(), folder.GetString());
    EXPECT_GT(message.Find(tail), 0) << message.GetString();
    EXPECT_GT(grab.lastGrabTime, 0.0);

    int count = 0;
    std::map<std::string, Entry> entries = ReadArchive(folder + zipName + ".zip", &count);
    ASSERT_EQ(count, 2);
    EXPECT_EQ(entries["old.bmp"].bytes, QByteArray("earlier grab"));
    for (const auto& [name, entry] : entries)
    {
        EXPECT_EQ(entry.method, 8) << name;
        if (name == "old.bmp")
            continue;
        EXPECT_EQ(name.rfind("B_", 0), 0u) << name;
        EXPECT_EQ(name.substr(name.size() - 4), ".BMP");
        const QImage picture = QImage::fromData(entry.bytes, "BMP");
        EXPECT_EQ(picture.size(), QSize(160, 100)) << name;
    }
    EXPECT_TRUE(QDir(Native(folder)).entryList({"*.bmp", "*.BMP"}, QDir::Files).isEmpty());

    // A second grab adds to the same archive.
    ASSERT_TRUE(grab.GrabView(&view, message));
    ReadArchive(folder + zipName + ".zip", &count);
    EXPECT_EQ(count, 3);
    view.DestroyWindow();
}

TEST(ScreenGrab, FailedGrabLeavesNoFileAndNoMessage)
{
    CScreenGrab grab;
    CString message = "left over";
    CPaintedView empty;
    ASSERT_TRUE(empty.CreateEx(0, nullptr, "Empty", WS_POPUP | WS_VISIBLE, CRect(20, 30, 20, 30), nullptr, 0));
    EXPECT_FALSE(grab.GrabView(&empty, message));
    EXPECT_TRUE(message.IsEmpty());
    const CString folder = GetLogFolder(true);
    EXPECT_TRUE(QDir(Native(folder)).entryList(QDir::Files).isEmpty());

    // A log folder that cannot be written to (a file stands where its last folder would be).
    ASSERT_TRUE(QDir(Native(folder)).removeRecursively());
    ASSERT_TRUE(WriteFile(folder.Left(folder.GetLength() - 1), "not a folder"));
    CPaintedView view;
    ASSERT_TRUE(view.CreateEx(0, nullptr, "View", WS_POPUP | WS_VISIBLE, CRect(20, 30, 180, 130), nullptr, 0));
    message = "left over";
    EXPECT_FALSE(grab.GrabView(&view, message));
    EXPECT_TRUE(message.IsEmpty());
    view.DestroyWindow();
}

TEST(ScreenGrab, ZipFilesDeletesOnlyWhatTheClosedArchiveHolds)
{
    const CString folder = "C:\\Logs\\Grabs\\";
    ASSERT_TRUE(CreateFolderPath(folder));
    ASSERT_TRUE(WriteFile(folder + "a.bmp", QByteArray(5000, 'a')));
    ASSERT_TRUE(WriteFile(folder + "b.BMP", "second"));
    ASSERT_TRUE(WriteFile(folder + "c.txt", "not a grab"));
    // A grab that cannot be read: its link leads nowhere.
    ASSERT_TRUE(QFile::link(Native(folder + "gone.bmp"), Native(folder + "broken.bmp")));
    // Stamped with a known local time (the archive keeps two-second steps).
    const QDateTime stamp(QDate(2025, 7, 14), QTime(9, 26, 52), Qt::LocalTime);
    {
        QFile a(Native(folder + "a.bmp"));
        ASSERT_TRUE(a.open(QIODevice::ReadWrite));
        ASSERT_TRUE(a.setFileTime(stamp, QFileDevice::FileModificationTime));
    }

    ASSERT_TRUE(ZipFiles(folder, "14Jul2025", "*.bmp", true));
    int count = 0;
    std::map<std::string, Entry> entries = ReadArchive(folder + "14Jul2025.zip", &count);
    ASSERT_EQ(count, 2);
    EXPECT_EQ(entries["a.bmp"].bytes, QByteArray(5000, 'a'));
    EXPECT_EQ(entries["b.BMP"].bytes, QByteArray("second"));
    EXPECT_EQ(entries["a.bmp"].method, 8);
    const tm_unz& date = entries["a.bmp"].date;
    EXPECT_EQ(date.tm_year, 2025u);
    EXPECT_EQ(date.tm_mon, 6u);
    EXPECT_EQ(date.tm_mday, 14u);
    EXPECT_EQ(date.tm_hour, 9u);
    EXPECT_EQ(date.tm_min, 26u);
    EXPECT_EQ(date.tm_sec, 52u);
    EXPECT_FALSE(QFile::exists(Native(folder + "a.bmp")));
    EXPECT_FALSE(QFile::exists(Native(folder + "b.BMP")));
    EXPECT_TRUE(QFile::exists(Native(folder + "c.txt")));
    EXPECT_TRUE(QFileInfo(Native(folder + "broken.bmp")).isSymLink()) << "the unreadable grab stays";

    // More grabs later that day are added to the archive.
    ASSERT_TRUE(WriteFile(folder + "d.bmp", "third"));
    ASSERT_TRUE(ZipFiles(folder, "14Jul2025", "*.bmp", true));
    entries = ReadArchive(folder + "14Jul2025.zip", &count);
    EXPECT_EQ(count, 3);
    EXPECT_EQ(entries["d.bmp"].bytes, QByteArray("third"));

    // Without deleting, everything stays.
    ASSERT_TRUE(WriteFile(folder + "e.bmp", "kept"));
    ASSERT_TRUE(ZipFiles(folder, "14Jul2025", "*.bmp", false));
    EXPECT_TRUE(QFile::exists(Native(folder + "e.bmp")));

    // An archive that cannot be opened: false, nothing deleted. No match: false, no archive.
    ASSERT_TRUE(QDir().mkpath(Native(folder + "15Jul2025.zip")));
    EXPECT_FALSE(ZipFiles(folder, "15Jul2025", "*.bmp", true));
    EXPECT_TRUE(QFile::exists(Native(folder + "e.bmp")));
    EXPECT_FALSE(ZipFiles(folder, "16Jul2025", "*.png", true));
    EXPECT_FALSE(QFile::exists(Native(folder + "16Jul2025.zip")));
}

TEST(ScreenGrab, ZipperNamesEntriesWithinItsBaseFolder)
{
    const CString base = "C:\\Base\\";
    ASSERT_TRUE(CreateFolderPath(base + "sub\\"));
    ASSERT_TRUE(CreateFolderPath("C:\\Other\\"));
    for (const char* name : {"top.bmp", "sub\\low.bmp"})
        ASSERT_TRUE(WriteFile(base + name, name));
    ASSERT_TRUE(WriteFile("C:\\Other\\out.bmp", "outside"));
    ASSERT_TRUE(WriteFile("C:\\up.bmp", "above"));

    CZipper closed;
    EXPECT_FALSE(closed.AddFile("C:\\Base\\top.bmp"));

    CZipper zipper;
    ASSERT_TRUE(zipper.OpenZip("C:\\Base\\names.zip"));
    EXPECT_EQ(zipper.GetBaseFolder(), base);
    struct Case
    {
        const char* path;
        bool keepName;
        bool added;
        const char* entry;
    } cases[] = {{"C:\\Base\\top.bmp", false, true, "top.bmp"},
                 {"c:\\BASE\\sub\\low.bmp", false, true, "sub/low.bmp"},
                 {"sub\\low.bmp", false, true, "sub/low.bmp"},
                 {".\\top.bmp", false, true, "top.bmp"},
                 {"C:\\Other\\out.bmp", true, true, "out.bmp"},
                 {"C:\\Other\\out.bmp", false, false, nullptr},
                 {"..\\up.bmp", false, false, nullptr},
                 {"..\\up.bmp", true, true, "up.bmp"},
                 {"C:\\Base\\..\\up.bmp", false, false, nullptr},
                 {"sub\\..\\..\\up.bmp", false, false, nullptr},
                 {"C:\\Base\\missing.bmp", false, false, nullptr}};
    int added = 0;
    for (const Case& c : cases)
    {
        EXPECT_EQ(zipper.AddFile(c.path, c.keepName), c.added) << c.path;
        added += c.added;
    }
    EXPECT_EQ(zipper.GetFileCount(), added);
    ASSERT_TRUE(zipper.CloseZip());
    std::set<std::string> names;
    int count = 0;
    for (const auto& [name, entry] : ReadArchive("C:\\Base\\names.zip", &count))
        names.insert(name);
    EXPECT_EQ(count, added);
    for (const Case& c : cases)
    {
        if (c.entry)
        {
            EXPECT_TRUE(names.count(c.entry)) << c.entry;
        }
    }
}

TEST(ScreenGrab, FileTimeAndSnapShotSettings)
{
    SYSTEMTIME time{};
    time.wYear = 1999;
    EXPECT_FALSE(GetFileTime("C:\\missing.bmp", &time, true));
    EXPECT_EQ(time.wYear, 0);
    ASSERT_TRUE(WriteFile("C:\\stamped.bmp", "x"));
    const QDateTime stamp(QDate(2026, 1, 1), QTime(0, 30, 10), Qt::UTC);
    {
        QFile file(Native("C:\\stamped.bmp"));
        ASSERT_TRUE(file.open(QIODevice::ReadWrite));
        ASSERT_TRUE(file.setFileTime(stamp, QFileDevice::FileModificationTime));
    }
    ASSERT_TRUE(GetFileTime("C:\\stamped.bmp", &time, false));
    EXPECT_EQ(time.wYear, 2026);
    EXPECT_EQ(time.wMonth, 1);
    EXPECT_EQ(time.wDay, 1);
    EXPECT_EQ(time.wHour, 0);
    EXPECT_EQ(time.wMinute, 30);
    EXPECT_EQ(time.wSecond, 10);
    ASSERT_TRUE(GetFileTime("C:\\stamped.bmp", &time, true));
    const QDateTime local = stamp.toLocalTime();
    EXPECT_EQ(time.wYear, local.date().year());
    EXPECT_EQ(time.wHour, local.time().hour());
    EXPECT_EQ(time.wMinute, local.time().minute());

    struct Case
    {
        const char* file; // null: no file
        int interval;
        bool autoGrab;
        bool flag2;
    } cases[] = {{nullptr, 600, false, false},
                 {"Interval = 12.9\r\n", 12, true, true},
                 {"Interval = 300\r\nAuto Grab = 0\r\nFlag = 1\r\n", 300, false, true},
                 {"Interval\r\nAuto Grab = 1\r\nFlag = 0\r\n", 600, true, false}};
    for (const Case& c : cases)
    {
        const QString path = Native(CConfigFile().GetSettingsFileName("SnapShot"));
        QFile::remove(path);
        if (c.file)
        {
            ASSERT_TRUE(WriteFile(CConfigFile().GetSettingsFileName("SnapShot"), c.file));
        }
        CScreenGrab grab("R_");
        grab.LoadSnapShotSettings();
        EXPECT_EQ(grab.interval, c.interval) << (c.file ? c.file : "no file");
        EXPECT_EQ(grab.autoGrab, c.autoGrab) << (c.file ? c.file : "no file");
        EXPECT_EQ(grab.grabFlag2, c.flag2) << (c.file ? c.file : "no file");
    }
}
