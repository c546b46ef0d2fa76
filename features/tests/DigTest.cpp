#include "features/Dig.h"
#include "features/DigList.h"
#include "features/Dxf.h"
#include "features/FileStamp.h"
#include "features/tests/FeatureTestFiles.h"
#include "platform/core/Time.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <ctime>
#include <utime.h>

using namespace featuretest;

namespace
{
const double kPi = 3.14159265358979323846;

void ReadDrawing(CDxf& dxf, const char* path)
{
    ASSERT_TRUE(dxf.Open(path)) << path;
    while (dxf.ReadSection())
    {
    }
    dxf.Close();
}

// A drawing built in memory, limited to (0, 0) .. (100, 100) unless told otherwise.
struct Drawing
{
    CDxf dxf;

    explicit Drawing(bool extents = true)
    {
        dxf.m_FileName = "C:\\MyData\\memory.dxf";
        if (extents)
        {
            dxf.m_bHaveExtMin = dxf.m_bHaveExtMax = true;
            dxf.m_HeaderMax = DxfPointDef{100.0, 100.0, 0.0};
        }
    }
    CDxfLayer* Layer(const char* name, int colour)
    {
        auto* layer = new CDxfLayer;
        layer->m_Name = name;
        layer->m_Colour = colour;
        dxf.m_Layers.AddTail(layer);
        return layer;
    }
    template <class T> T* Add(T* entity, int colour = 1, CDxfLayer* layer = nullptr)
    {
        entity->m_Colour = colour;
        entity->m_pLayer = layer;
        dxf.m_Entities.AddTail(entity);
        return entity;
    }
    CDxfLine* Line(double x1, double y1, double x2, double y2, int colour = 1, CDxfLayer* layer = nullptr)
    {
        auto* line = Add(new CDxfLine, colour, layer);
        line->m_Start = DxfPointDef{x1, y1, 0.0};
        line->m_End = DxfPointDef{x2, y2, 0.0};
        return line;
    }
    CDxfCircle* Circle(double x, double y, double r)
    {
        auto* circle = Add(new CDxfCircle);
        circle->m_Centre = DxfPointDef{x, y, 0.0};
        circle->m_Radius = r;
        return circle;
    }
    CDxfArc* Arc(double x, double y, double r, double startAngle, double endAngle)
    {
        auto* arc = Add(new CDxfArc);
        arc->m_Centre = DxfPointDef{x, y, 0.0};
        arc->m_Radius = r;
        arc->m_StartBearing = CDxfArc::BearingOfAngle(startAngle);
        arc->m_EndBearing = CDxfArc::BearingOfAngle(endAngle);
        return arc;
    }
};

std::vector<BinaryDigDef> Points(const CDig& dig)
{
    return std::vector<BinaryDigDef>(dig.begin(), dig.end());
}

// The bearing (radians, [0, 2 pi)) of a point seen from (x, y).
double BearingOf(const BinaryDigDef& p, double x, double y)
{
    double b = std::atan2(p.x - x, p.y - y);
    return b < 0 ? b + 2 * kPi : b;
}

FileStampDef Stamp(uint16_t time, uint16_t date, uint64_t length)
{
    FileStampDef stamp{};
    stamp.Valid = 1;
    stamp.DosTime = time;
    stamp.DosDate = date;
    stamp.Length = length;
    return stamp;
}

uint16_t DosDate(int year, int month, int day)
{
    return static_cast<uint16_t>(((year - 1980) << 9) | (month << 5) | day);
}

uint16_t DosTime(int hour, int minute, int second)
{
    return static_cast<uint16_t>((hour << 11) | (minute << 5) | (second / 2));
}

void SetModified(const char* windowsPath, time_t when)
{
    struct utimbuf times = {when, when};
    ASSERT_EQ(::utime(LinuxPathBytesFromWindows(windowsPath).constData(), &times), 0);
}
} // namespace

TEST(Dig, TinyDrawingGivesTheGoldenCache)
{
    // dig_tiny.dxf and dig_tiny.points come from dig_generate_golden.py.
    WriteBytes("C:\\MyData\\Tiny\\dig_tiny.dxf", Fixture("dig_tiny.dxf"));
    CDxf dxf;
    ReadDrawing(dxf, "C:\\MyData\\Tiny\\dig_tiny.dxf");
    CDig dig;
    dig.FromDxf(&dxf);
    EXPECT_FALSE(dig.m_bBusy);
    EXPECT_EQ(dig.m_FileName, "C:\\MyData\\Tiny\\dig_tiny.dxf");

    const QByteArray cache = ReadBytes("C:\\MyData\\Tiny\\dig_tiny.DIG");
    const QByteArray golden = Fixture("dig_tiny.points");
    ASSERT_EQ(cache.size(), 16 + golden.size());
    EXPECT_EQ(cache.mid(16), golden) << "points differ from dig_generate_golden.py's";

    FileStampDef source;
    ASSERT_TRUE(StampFile("C:\\MyData\\Tiny\\dig_tiny.dxf", source));
    FileStampDef header;
    std::memcpy(&header, cache.constData(), 16);
    EXPECT_EQ(header.Valid, 1);
    EXPECT_EQ(header.Zero1, 0);
    EXPECT_EQ(header.Zero2, 0);
    EXPECT_EQ(header.DosTime, source.DosTime);
    EXPECT_EQ(header.DosDate, source.DosDate);
    EXPECT_EQ(header.Length, static_cast<uint64_t>(Fixture("dig_tiny.dxf").size()));
    EXPECT_EQ(dig.GetSize(), golden.size() / 18);
    EXPECT_FALSE(dig.NeedsRebuild());
    EXPECT_EQ(dig.m_DateText, DosDateText(source.DosDate));
}

TEST(Dig, ColourCodes)
{
    const struct
    {
        int entityColour;
        int layerColour; // 1000: no layer
        int code;
    } cases[] = {
        {256, 3, 4}, {0, 3, 4}, {256, 1000, 8}, {0, 1000, 8}, {300, 3, 8}, {-2, 3, 8},
        {1, 3, 2},   {7, 3, 8}, {255, 3, 256},  {256, -5, 8}, {256, 0, 1}, {256, 255, 256},
    };
    for (const auto& c : cases)
    {
        Drawing drawing;
        CDxfLayer* layer = c.layerColour == 1000 ? nullptr : drawing.Layer("L", c.layerColour);
        drawing.Line(1, 1, 2, 2, c.entityColour, layer);
        CDig dig;
        dig.FromDxf(&drawing.dxf);
        ASSERT_EQ(dig.GetSize(), 2) << c.entityColour << " on " << c.layerColour;
        EXPECT_EQ(+dig[0].code, -c.code) << c.entityColour << " on " << c.layerColour;
        EXPECT_EQ(+dig[1].code, c.code) << c.entityColour << " on " << c.layerColour;
    }
}

TEST(Dig, OnlyWhatLiesInsideTheHeaderExtents)
{
    Drawing drawing;
    drawing.Line(10, 10, 200, 10); // one end outside: nothing
    drawing.Line(0, 0, 100, 100);  // bounds included
    drawing.Circle(150, 50, 5);    // centre outside: nothing
    drawing.Arc(-1, 50, 5, 0, 90); // centre outside: nothing
    auto* polyline = drawing.Add(new CDxfPolyline(DXF_LWPOLYLINE), 2);
    polyline->m_Flags = 1;
    for (const double x : {10.0, 500.0, 20.0, 30.0})
        polyline->m_Vertices.Add(DxfVertexDef{x, 50.0, 0.0, 0.0, 0});
    auto* lonely = drawing.Add(new CDxfPolyline(DXF_POLYLINE), 3);
    lonely->m_Flags = 1;
    lonely->m_Vertices.Add(DxfVertexDef{40.0, 40.0, 0.0, 0.0, 0});
    lonely->m_Vertices.Add(DxfVertexDef{400.0, 40.0, 0.0, 0.0, 0});
    auto* solid = drawing.Add(new CDxfSolid, 5);
    const double corners[4][2] = {{90, 90}, {110, 90}, {90, 110}, {110, 110}}; // first corner decides
    for (int i = 0; i < 4; ++i)
        solid->m_Corners[i] = DxfPointDef{corners[i][0], corners[i][1], 0.0};
    drawing.Add(new CDxfText(false));
    drawing.Add(new CDxfPoint);
    drawing.Add(new CDxfInsert);
    drawing.Add(new CDxfEllipse);

    CDig dig;
    dig.FromDxf(&drawing.dxf);
    const auto p = Points(dig);
    ASSERT_EQ(p.size(), 2u + 4u + 1u + 5u);
    EXPECT_EQ(+p[0].x, 0.0);
    EXPECT_EQ(+p[1].y, 100.0);
    // The polyline skips its outside vertex without breaking, and closes on its first inside one.
    EXPECT_EQ(+p[2].x, 10.0);
    EXPECT_EQ(+p[2].code, -3);
    EXPECT_EQ(+p[3].x, 20.0);
    EXPECT_EQ(+p[3].code, 3);
    EXPECT_EQ(+p[4].x, 30.0);
    EXPECT_EQ(+p[5].x, 10.0);
    EXPECT_EQ(+p[5].code, 3);
    // A closed polyline with one vertex inside gets no closing point.
    EXPECT_EQ(+p[6].x, 40.0);
    EXPECT_EQ(+p[6].code, -4);
    // The solid: four corners, the first again.
    EXPECT_EQ(+p[7].code, -6);
    EXPECT_EQ(+p[10].x, 110.0);
    EXPECT_EQ(+p[11].x, 90.0);
    EXPECT_EQ(+p[11].y, 90.0);
    EXPECT_EQ(+p[11].code, 6);
}

TEST(Dig, WithoutHeaderExtentsEverythingIsKept)
{
    // Without $EXTMIN/$EXTMAX (or with the empty box writers put instead) nothing limits the
    // conversion: a drawing far from the origin is kept whole.
    for (const bool emptyBox : {false, true})
    {
        Drawing drawing(false);
        if (emptyBox)
        {
            drawing.dxf.m_bHaveExtMin = drawing.dxf.m_bHaveExtMax = true;
            drawing.dxf.m_HeaderMin = DxfPointDef{1e20, 1e20, 1e20};
            drawing.dxf.m_HeaderMax = DxfPointDef{-1e20, -1e20, -1e20};
        }
        drawing.Line(452010, 6231020, 452110, 6231220);
        drawing.Circle(-500000, 7e6, 0.01);
        CDig dig;
        dig.FromDxf(&drawing.dxf);
        ASSERT_EQ(dig.GetSize(), 4) << (emptyBox ? "empty box" : "no extents");
        EXPECT_EQ(+dig[0].x, 452010.0);
        EXPECT_EQ(+dig[2].x, -500000.0);
    }
}

TEST(Dig, ArcsBecomeChordsOfAtMostATenthOfAUnitSagitta)
{
    {
        Drawing drawing;
        drawing.Circle(50, 50, 10);
        CDig dig;
        dig.FromDxf(&drawing.dxf);
        // Steps of at most 2 acos(0.99): 23 of them round the circle.
        ASSERT_EQ(dig.GetSize(), 24);
        EXPECT_NEAR(+dig[0].x, 50.0, 1e-12);
        EXPECT_NEAR(+dig[0].y, 60.0, 1e-12);
        EXPECT_EQ(+dig[0].code, -2);
        EXPECT_NEAR(+dig[23].x, 50.0, 1e-9);
        EXPECT_NEAR(+dig[23].y, 60.0, 1e-9);
        const double step = 2 * kPi / 23;
        for (int k = 1; k < 24; ++k)
        {
            EXPECT_EQ(+dig[k].code, 2);
            EXPECT_NEAR(BearingOf(dig[k], 50, 50), std::fmod(k * step, 2 * kPi), 1e-9) << k;
            EXPECT_LE(10.0 * (1 - std::cos(step / 2)), 0.1);
        }
    }
    {
        // DXF angles 0 to 90 (anticlockwise from east) are the bearings 90 to 0: the walk goes
        // from north to east.
        Drawing drawing;
        drawing.Arc(50, 50, 10, 0, 90);
        CDig dig;
        dig.FromDxf(&drawing.dxf);
        ASSERT_EQ(dig.GetSize(), 7); // ceil((pi/2) / 0.2836) = 6 steps
        EXPECT_NEAR(+dig[0].y, 60.0, 1e-9);
        EXPECT_NEAR(+dig[6].x, 60.0, 1e-9);
        EXPECT_NEAR(+dig[6].y, 50.0, 1e-6);
    }
    {
        // From 90 to 0 degrees anticlockwise is three quarters of a turn, through the south.
        Drawing drawing;
        drawing.Arc(50, 50, 10, 90, 0);
        CDig dig;
        dig.FromDxf(&drawing.dxf);
        ASSERT_EQ(dig.GetSize(), 18); // ceil((3 pi/2) / 0.2836) = 17 steps
        EXPECT_NEAR(+dig[0].x, 60.0, 1e-6);
        EXPECT_NEAR(+dig[17].y, 60.0, 1e-6);
        bool south = false;
        for (const auto& p : Points(dig))
            south = south || p.y < 41.0;
        EXPECT_TRUE(south);
    }
    {
        Drawing drawing;
        drawing.Circle(50, 50, 0.04); // below 0.05: the first and last points only
        drawing.Circle(60, 60, 0.0);  // nothing
        drawing.Arc(70, 70, -1, 0, 90);
        CDig dig;
        dig.FromDxf(&drawing.dxf);
        ASSERT_EQ(dig.GetSize(), 2);
        EXPECT_NEAR(+dig[1].y, 50.04, 1e-12);
    }
}

TEST(Dig, BlockEntitiesComeFirstInTheirOwnCoordinates)
{
    Drawing drawing;
    drawing.Line(50, 50, 60, 60);
    auto* block = new CDxfBlock;
    block->m_Base = DxfPointDef{1000, 1000, 0};
    auto* line = new CDxfLine;
    line->m_Colour = 3;
    line->m_Start = DxfPointDef{1, 2, 0};
    line->m_End = DxfPointDef{3, 4, 0};
    block->m_Entities.AddTail(line);
    drawing.dxf.m_Blocks.AddTail(block);
    CDig dig;
    dig.FromDxf(&drawing.dxf);
    ASSERT_EQ(dig.GetSize(), 4);
    EXPECT_EQ(+dig[0].x, 1.0);
    EXPECT_EQ(+dig[0].code, -4);
    EXPECT_EQ(+dig[2].x, 50.0);
}

TEST(Dig, StalenessFollowsTheSource)
{
    WriteBytes("C:\\MyData\\s.dxf", Fixture("dig_tiny.dxf"));
    SetModified("C:\\MyData\\s.dxf", std::time(nullptr) - 3600);
    CDxf dxf;
    ReadDrawing(dxf, "C:\\MyData\\s.dxf");
    CDig dig;
    dig.m_FileName = "C:\\MyData\\s.dxf";
    EXPECT_TRUE(dig.NeedsRebuild()) << "no cache yet";
    dig.FromDxf(&dxf);
    EXPECT_FALSE(dig.NeedsRebuild());
    EXPECT_FALSE(dig.m_SizeText.IsEmpty()) << "the cache's stamp is described";

    // Another last-write time, same length.
    SetModified("C:\\MyData\\s.dxf", std::time(nullptr) - 7200);
    EXPECT_TRUE(dig.NeedsRebuild());
    dig.FromDxf(&dxf);
    EXPECT_FALSE(dig.NeedsRebuild());

    // Another length, same time.
    QByteArray longer = Fixture("dig_tiny.dxf") + "\r\n";
    WriteBytes("C:\\MyData\\s.dxf", longer);
    SetModified("C:\\MyData\\s.dxf", std::time(nullptr) - 7200);
    EXPECT_TRUE(dig.NeedsRebuild());

    // A source that is gone.
    dig.FromDxf(&dxf);
    ASSERT_FALSE(dig.NeedsRebuild());
    QFile::remove(LinuxPathFromWindows("C:\\MyData\\s.dxf"));
    EXPECT_TRUE(dig.NeedsRebuild());

    // A cache whose first bytes are no stamp.
    WriteBytes("C:\\MyData\\s.dxf", longer);
    CDig other;
    other.m_FileName = "C:\\MyData\\s.dxf";
    other.FromDxf(&dxf);
    ASSERT_FALSE(other.NeedsRebuild());
    QByteArray cache = ReadBytes("C:\\MyData\\s.DIG");
    cache[5] = static_cast<char>(0x1F); // month 15
    WriteBytes("C:\\MyData\\s.DIG", cache);
    EXPECT_TRUE(other.NeedsRebuild());
}

TEST(Dig, PlausibleStamps)
{
    const int thisYear = CTime::GetCurrentTime().GetYear();
    const struct
    {
        FileStampDef stamp;
        bool plausible;
        const char* time;
        const char* date; // null: not checked
        const char* size;
    } cases[] = {
        {Stamp(DosTime(13, 45, 30), DosDate(2021, 3, 9), 1536), true, "13:45:30", "09 Mar 2021", "1.5Kb"},
        {Stamp(DosTime(23, 59, 58), DosDate(1980, 12, 31), 0), true, "23:59:58", "31 Dec 1980", "0b"},
        {Stamp(DosTime(25, 0, 0), DosDate(2021, 3, 9), 10), false, "25:00:00", nullptr, "10b"},
        {Stamp(0, DosDate(2021, 0, 9), 10), false, "00:00:00", "", "10b"},
        {Stamp(0, DosDate(2021, 13, 9), 10), false, "00:00:00", "", "10b"},
        {Stamp(0, DosDate(2021, 3, 0), 10), false, "00:00:00", nullptr, "10b"},
        {Stamp(0, DosDate(thisYear + 1, 3, 9), 10), false, "00:00:00", nullptr, "10b"},
        {Stamp(0, DosDate(2021, 3, 9), 1ull << 40), false, "00:00:00", nullptr, ""},
    };
    for (const auto& c : cases)
    {
        CDig dig;
        dig.m_Stamp = c.stamp;
        EXPECT_EQ(dig.DescribeStamp(), c.plausible) << c.time << " " << (c.date ? c.date : "");
        EXPECT_EQ(dig.m_TimeText, c.time);
        if (c.date)
        {
            EXPECT_EQ(dig.m_DateText, c.date);
        }
        EXPECT_EQ(dig.m_SizeText, c.size);
    }
}

TEST(Dig, FileInformationTexts)
{
    const struct
    {
        uint64_t length;
        const char* text;
    } sizes[] = {{0, "0b"},
                 {512, "512b"},
                 {1023, "1023b"},
                 {1024, "1Kb"},
                 {1536, "1.5Kb"},
                 {1048576, "1Mb"},
                 {1073741824ull * 3 / 2, "1.5Gb"},
                 {1099511627776ull, ""}};
    for (const auto& s : sizes)
        EXPECT_EQ(FileSizeText(s.length), s.text) << s.length;
    EXPECT_EQ(DosDateText(DosDate(2024, 0, 5)), "05 Jan 2024") << "month 0 shown as Jan";
    EXPECT_EQ(DosTimeText(DosTime(7, 5, 3)), "07:05:02");
}

TEST(Dig, ExtentsSkipTheOrigin)
{
    CDig dig;
    for (const BinaryDigDef& p : {BinaryDigDef{0, 0, -1}, BinaryDigDef{5, -3, 1}, BinaryDigDef{0, 7, 1},
                                  BinaryDigDef{-2, 0, 1}, BinaryDigDef{0, 0, 1}})
        dig.Add(p);
    dig.ComputeExtents();
    EXPECT_EQ(dig.m_MinEasting, -2.0);
    EXPECT_EQ(dig.m_MaxEasting, 5.0);
    EXPECT_EQ(dig.m_MinNorthing, -3.0);
    EXPECT_EQ(dig.m_MaxNorthing, 7.0);
    dig.Clear();
    EXPECT_TRUE(dig.IsEmpty());
    EXPECT_EQ(dig.m_MaxEasting, 0.0);
}

TEST(Dig, CacheIsWrittenWholeOrNotAtAll)
{
    CDig dig;
    dig.Add(BinaryDigDef{1, 2, -3});
    EXPECT_FALSE(dig.WriteCache("C:\\MyData\\NoSuchFolder\\", "a")) << "no folder to write in";
    EXPECT_FALSE(Exists("C:\\MyData\\NoSuchFolder\\a.DIG"));

    QDir().mkpath(LinuxPathFromWindows("C:\\MyData"));
    ASSERT_TRUE(dig.WriteCache("C:\\MyData\\", "a"));
    const QByteArray first = ReadBytes("C:\\MyData\\a.DIG");
    ASSERT_EQ(first.size(), 16 + 18);
    // A write that cannot finish leaves the old cache as it was.
    QDir().mkpath(LinuxPathFromWindows("C:\\MyData\\a.DIG.part"));
    dig.Add(BinaryDigDef{4, 5, 6});
    EXPECT_FALSE(dig.WriteCache("C:\\MyData\\", "a"));
    EXPECT_EQ(ReadBytes("C:\\MyData\\a.DIG"), first);
}

TEST(DigList, AddsEachPathOnceAndSavesTheFileList)
{
    CDigList list;
    EXPECT_EQ(list.AddFile(""), nullptr);
    EXPECT_EQ(list.AddFile(nullptr), nullptr);
    CDig* dig = list.AddFile("C:\\MyData\\Route.dxf");
    ASSERT_NE(dig, nullptr);
    EXPECT_TRUE(dig->IsEmpty());
    EXPECT_EQ(list.AddFile("C:\\MYDATA\\route.DXF"), nullptr);
    ASSERT_NE(list.AddFile("C:\\MyData\\Wrecks.csv"), nullptr);
    EXPECT_EQ(list.GetCount(), 2);
    EXPECT_EQ(list.GetTail()->m_FileName, "C:\\MyData\\Wrecks.csv");
    EXPECT_EQ(list.GetAtIndex(0), dig);
    ASSERT_TRUE(list.SaveFileList());
    EXPECT_EQ(ReadBytes(InSettings("Dig_List.INI")),
              QByteArray("[Dig File]\r\nC:\\MyData\\Route.dxf\r\nC:\\MyData\\Wrecks.csv\r\n"));
    CStringArray paths;
    ASSERT_TRUE(CDigList::LoadFileList(paths));
    EXPECT_EQ(paths.GetSize(), 2);
}
