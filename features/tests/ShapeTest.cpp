#include "features/LoadShapeThread.h"
#include "features/Shape.h"
#include "features/tests/ShapeTestFiles.h"

#include <QRegularExpression>
#include <QThread>
#include <QElapsedTimer>
#include <gtest/gtest.h>

#include <string>

#include <cmath>

using namespace shapetest;

namespace
{
const double kShapeDegree = CProjection::DEG_TO_RAD;
const char kCables[] = "C:\\MyData\\Shapes\\Cables.shp";

// The GDAL fixture (three cables in UTM 31 N with a ".prj" and four columns) at kCables.
void CopyCables()
{
    for (const char* ext : {"shp", "shx", "dbf", "prj"})
    {
        CString target = kCables;
        target.Replace(".shp", CString(".") + ext);
        CopyFixture(CString("shp_cables_utm31.") + ext, target);
    }
}

// Runs a loader thread on `shape` to its end; the end message's wParam, or -1 without one.
int Load(CShape& shape, std::atomic<int32_t>* progress = nullptr, bool stopFirst = false)
{
    CEndRecorder owner;
    CLoadShapeThread* thread = static_cast<CLoadShapeThread*>(
        AfxBeginThread(RUNTIME_CLASS(CLoadShapeThread), THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED));
    EXPECT_NE(thread, nullptr);
    if (!thread)
        return -1;
    thread->SetOwner(&owner);
    thread->m_pShape = &shape;
    thread->m_pProgress = progress;
    if (stopFirst)
        thread->m_bStop = true;
    thread->ResumeThread();
    const bool ended = owner.WaitForEnd();
    thread->WaitForEnd();
    delete thread;
    EXPECT_EQ(owner.ends, 1);
    EXPECT_EQ(owner.lParam, 0);
    return ended ? static_cast<int>(owner.wParam) : -1;
}

// ogrinfo's and shpdump's view of the fixture (tests/data/shp_generate_fixtures.sh).
struct Reference
{
    int count = 0;
    int shpdumpCount = 0;
    QString type;
    double ogrMin[2] = {}, ogrMax[2] = {};
    double dumpMin[2] = {}, dumpMax[2] = {};
    QStringList fields;
};

Reference ReadReference()
{
    Reference r;
    QFile ogr(SUITE_SOURCE_DIR "/features/tests/data/shp_cables_utm31_ogrinfo.txt");
    EXPECT_TRUE(ogr.open(QIODevice::ReadOnly | QIODevice::Text));
    const QString ogrText = QString::fromLatin1(ogr.readAll());
    QRegularExpressionMatch m = QRegularExpression("Feature Count: (\\d+)").match(ogrText);
    r.count = m.captured(1).toInt();
    m = QRegularExpression("Extent: \\(([-\\d.]+), ([-\\d.]+)\\) - \\(([-\\d.]+), ([-\\d.]+)\\)")
            .match(ogrText);
    r.ogrMin[0] = m.captured(1).toDouble();
    r.ogrMin[1] = m.captured(2).toDouble();
    r.ogrMax[0] = m.captured(3).toDouble();
    r.ogrMax[1] = m.captured(4).toDouble();
    QRegularExpressionMatchIterator fields =
        QRegularExpression("^(\\w+): (String|Real|Integer)", QRegularExpression::MultilineOption)
            .globalMatch(ogrText);
    while (fields.hasNext())
        r.fields << fields.next().captured(1);

    QFile dump(SUITE_SOURCE_DIR "/features/tests/data/shp_cables_utm31_shpdump.txt");
    EXPECT_TRUE(dump.open(QIODevice::ReadOnly | QIODevice::Text));
    const QString dumpText = QString::fromLatin1(dump.readAll());
    m = QRegularExpression("Shapefile Type: (\\w+)\\s+# of Shapes: (\\d+)").match(dumpText);
    r.type = m.captured(1);
    r.shpdumpCount = m.captured(2).toInt();
    m = QRegularExpression(
            "File Bounds: \\(([-\\d.]+),([-\\d.]+),[^)]*\\)\\s+to\\s+\\(([-\\d.]+),([-\\d.]+),")
            .match(dumpText);
    r.dumpMin[0] = m.captured(1).toDouble();
    r.dumpMin[1] = m.captured(2).toDouble();
    r.dumpMax[0] = m.captured(3).toDouble();
    r.dumpMax[1] = m.captured(4).toDouble();
    return r;
}
} // namespace

TEST(Shape, StartsGeographicOnWgs84WithDefaultDisplay)
{
    CShape shape;
    EXPECT_TRUE(shape.IsEmpty());
    EXPECT_EQ(shape.m_Spheroid.m_TableIndex, 26);
    EXPECT_EQ(shape.m_Projection.m_pSpheroid, &shape.m_Spheroid);
    EXPECT_EQ(shape.m_Converter.m_pLinkedSpheroid, &shape.m_Spheroid);
    EXPECT_EQ(shape.m_Converter.m_pLinkedProjection, &shape.m_Projection);
    EXPECT_TRUE(shape.m_Geographic);
    EXPECT_EQ(shape.m_EntityCount, 0);
    EXPECT_EQ(shape.m_ShapeType, 0);
    EXPECT_TRUE(shape.m_Status);
    EXPECT_EQ(shape.m_Style, 0);
    EXPECT_EQ(shape.m_Size, 1);
    EXPECT_EQ(shape.m_Colour, 0x808080u);
    EXPECT_EQ(shape.m_Fill, 0);
    EXPECT_EQ(shape.m_LabelMode, 0);
    EXPECT_EQ(shape.m_LabelPosition, 0);
    EXPECT_FALSE(shape.m_IconMode);
    EXPECT_EQ(shape.m_LabelColumn, 0);
}

TEST(Shape, GdalFixtureAgreesWithOgrinfoAndShpdump)
{
    const Reference ref = ReadReference();
    ASSERT_EQ(ref.count, 3);
    ASSERT_EQ(ref.shpdumpCount, 3);
    ASSERT_EQ(ref.type, "Arc");
    CopyCables();

    CShape shape;
    shape.m_FilePath = kCables;
    ASSERT_TRUE(shape.ReadInfo());
    EXPECT_EQ(shape.m_EntityCount, ref.count);
    EXPECT_EQ(shape.m_ShapeType, CShape::TYPE_ARC);
    for (int i = 0; i < 2; ++i)
    {
        EXPECT_NEAR(shape.m_BoundsMin[i], ref.dumpMin[i], 1e-6);
        EXPECT_NEAR(shape.m_BoundsMax[i], ref.dumpMax[i], 1e-6);
        // ogrinfo prints six decimals.
        EXPECT_NEAR(shape.m_BoundsMin[i], ref.ogrMin[i], 1e-6);
        EXPECT_NEAR(shape.m_BoundsMax[i], ref.ogrMax[i], 1e-6);
    }

    // The whole load: entities, column names, the ".prj" grid.
    EXPECT_EQ(Load(shape), 0);
    ASSERT_EQ(shape.GetCount(), 3);
    POSITION pos = shape.GetHeadPosition();
    const int vertices[] = {4, 5, 2};
    const int parts[] = {1, 2, 1};
    for (int i = 0; pos; ++i)
    {
        const SHPObject* entity = shape.GetNextEntity(pos);
        ASSERT_NE(entity, nullptr);
        EXPECT_EQ(entity->nVertices, vertices[i]);
        EXPECT_EQ(entity->nParts, parts[i]);
    }
    QStringList names;
    for (INT_PTR i = 0; i < shape.m_Dbase.m_FieldNames.GetSize(); ++i)
        names << shape.m_Dbase.m_FieldNames[i].GetString();
    EXPECT_EQ(names, ref.fields);
    EXPECT_EQ(names, QStringList({"NAME", "DEPTH", "KP", "TEXTSTRING"}));
    EXPECT_FALSE(shape.m_Geographic);
    EXPECT_EQ(shape.m_Projection.m_DataType, 1);
    EXPECT_EQ(shape.m_Projection.m_Name, "WGS 1984 UTM Zone 31N");
    EXPECT_NEAR(shape.m_Projection.m_OriginLongitude, 3.0 * kShapeDegree, 1e-15);
    EXPECT_EQ(shape.m_Projection.m_FalseEasting, 500000.0);
    EXPECT_EQ(shape.m_Projection.m_ScaleFactor, 0.9996);
    EXPECT_EQ(shape.m_Converter.m_DatumName, "WGS 1984");

    // The grid read from the ".prj" puts the first vertex where GDAL projected it from
    // 2.5 E 51.2 N (tests/data/shp_generate_fixtures.sh).
    const SHPObject* first = static_cast<const SHPObject*>(shape.GetHead());
    double lat = 0.0, lon = 0.0;
    ASSERT_TRUE(shape.m_Projection.GridToGeographic(first->padfX[0], first->padfY[0], &lat, &lon));
    EXPECT_NEAR(lat / kShapeDegree, 51.20, 1e-8);
    EXPECT_NEAR(lon / kShapeDegree, 2.50, 1e-8);
}

TEST(Shape, ReadsPointsPolylinesAndPolygonsWrittenByShapelib)
{
    struct
    {
        const char* base;
        int type;
        std::vector<Entity> entities;
        double min[2], max[2];
    } cases[] = {
        {"C:\\MyData\\Pts",
         SHPT_POINT,
         {{{{1.0, 2.0}}}, {{{-3.5, 7.25}}}, {{{10.0, -4.0}}}},
         {-3.5, -4.0},
         {10.0, 7.25}},
        {"C:\\MyData\\Lines",
         SHPT_ARC,
         {{{{0.0, 0.0}, {5.0, 5.0}}}, {{{1.0, 1.0}, {2.0, 3.0}}, {{4.0, 4.0}, {6.0, -1.0}}}},
         {0.0, -1.0},
         {6.0, 5.0}},
        {"C:\\MyData\\Areas",
         SHPT_POLYGON,
         {{{{0.0, 0.0}, {0.0, 10.0}, {10.0, 10.0}, {10.0, 0.0}, {0.0, 0.0}}}},
         {0.0, 0.0},
         {10.0, 10.0}},
        {"C:\\MyData\\Empty", SHPT_POINT, {}, {0.0, 0.0}, {0.0, 0.0}},
    };
    for (const auto& c : cases)
    {
        WriteShapes(c.base, c.type, c.entities);
        WriteTable(c.base, {{"NAME", FTString, 10, 0}});
        CShape shape;
        shape.m_FilePath = CString(c.base) + ".shp";
        std::atomic<int32_t> progress{-1};
        EXPECT_EQ(Load(shape, &progress), 0) << c.base;
        EXPECT_EQ(shape.m_ShapeType, c.type) << c.base;
        EXPECT_EQ(shape.m_EntityCount, static_cast<int>(c.entities.size())) << c.base;
        EXPECT_EQ(shape.GetCount(), static_cast<INT_PTR>(c.entities.size())) << c.base;
        EXPECT_EQ(progress, c.entities.empty() ? -1 : static_cast<int>(c.entities.size())) << c.base;
        for (int i = 0; i < 2; ++i)
        {
            EXPECT_EQ(shape.m_BoundsMin[i], c.min[i]) << c.base;
            EXPECT_EQ(shape.m_BoundsMax[i], c.max[i]) << c.base;
        }
        // No ".prj": geographic on WGS84.
        EXPECT_TRUE(shape.m_Geographic);
        EXPECT_EQ(shape.m_Spheroid.m_Name, "WGS84");
    }
}

TEST(Shape, MissingFilesEndTheLoadAsStopped)
{
    // No ".shp"; and a ".shp" without its ".shx".
    WriteShapes("C:\\MyData\\NoIndex", SHPT_POINT, {{{{1.0, 2.0}}}});
    QFile::remove(LinuxPathFromWindows("C:\\MyData\\NoIndex.shx"));
    for (const char* path : {"C:\\MyData\\Missing.shp", "C:\\MyData\\NoIndex.shp"})
    {
        CShape shape;
        shape.m_FilePath = path;
        EXPECT_FALSE(shape.ReadInfo()) << path;
        EXPECT_EQ(Load(shape), 1) << path;
        EXPECT_TRUE(shape.IsEmpty());
        EXPECT_EQ(shape.m_Dbase.m_FieldNames.GetSize(), 0);
    }

    // A ".dbf" that is missing only costs the column names.
    WriteShapes("C:\\MyData\\NoTable", SHPT_POINT, {{{{1.0, 2.0}}}});
    CShape shape;
    shape.m_FilePath = "C:\\MyData\\NoTable.shp";
    EXPECT_EQ(Load(shape), 0);
    EXPECT_EQ(shape.GetCount(), 1);
    EXPECT_EQ(shape.m_Dbase.m_FieldNames.GetSize(), 0);
}

TEST(Shape, FindsFilesWhateverTheirLetterCase)
{
    // Shapefiles copied from Windows often come as "CABLES.SHP" with a ".dbf" in lower case.
    WriteShapes("C:\\MyData\\Upper\\CABLES", SHPT_POINT, {{{{1.0, 2.0}}}, {{{3.0, 4.0}}}});
    WriteTable("C:\\MyData\\Upper\\cables", {{"TEXTSTRING", FTString, 10, 0}});
    const QString folder = LinuxPathFromWindows("C:\\MyData\\Upper");
    QFile::rename(folder + "/CABLES.shp", folder + "/CABLES.SHP");
    QFile::rename(folder + "/CABLES.shx", folder + "/Cables.Shx");
    CShape shape;
    shape.m_FilePath = "C:\\MyData\\Upper\\Cables.shp";
    EXPECT_EQ(Load(shape), 0);
    EXPECT_EQ(shape.GetCount(), 2);
    EXPECT_EQ(shape.m_Dbase.m_FieldNames.GetSize(), 1);
}

TEST(Shape, ProjectionTexts)
{
    struct Case
    {
        const char* text;
        bool geographic;
        int type;
        const char* projection;
        const char* datum;
        const char* spheroid;
        double a, inverseFlattening;
        double falseEasting, falseNorthing, originLatitude, originLongitude, scale; // degrees for angles
    } cases[] = {
        // GDAL's UTM 31 N.
        {"PROJCS[\"WGS_1984_UTM_Zone_31N\",GEOGCS[\"GCS_WGS_1984\",DATUM[\"D_WGS_1984\",SPHEROID[\"WGS_"
         "1984\","
         "6378137.0,298.257223563]],PRIMEM[\"Greenwich\",0.0],UNIT[\"Degree\",0.0174532925199433]],"
         "PROJECTION["
         "\"Transverse_Mercator\"],PARAMETER[\"False_Easting\",500000.0],PARAMETER[\"False_Northing\",0.0],"
         "PARAMETER[\"Central_Meridian\",3.0],PARAMETER[\"Scale_Factor\",0.9996],PARAMETER[\"Latitude_Of_"
         "Origin\","
         "0.0],UNIT[\"Meter\",1.0]]",
         false, 1, "WGS 1984 UTM Zone 31N", "WGS 1984", "WGS 1984", 6378137.0, 298.257223563, 500000.0, 0.0,
         0.0, 3.0, 0.9996},
        // ESRI's British National Grid: the latitude of origin is spelt "Latitude_Of_Origin".
        {"PROJCS[\"British_National_Grid\",GEOGCS[\"GCS_OSGB_1936\",DATUM[\"D_OSGB_1936\",SPHEROID[\"Airy_"
         "1830\","
         "6377563.396,299.3249646]],PRIMEM[\"Greenwich\",0.0],UNIT[\"Degree\",0.0174532925199433]],"
         "PROJECTION["
         "\"Transverse_Mercator\"],PARAMETER[\"False_Easting\",400000.0],PARAMETER[\"False_Northing\",-"
         "100000.0],"
         "PARAMETER[\"Central_Meridian\",-2.0],PARAMETER[\"Scale_Factor\",0.9996012717],PARAMETER["
         "\"Latitude_Of_Origin\",49.0],UNIT[\"Meter\",1.0]]",
         false, 1, "British National Grid", "OSGB 1936", "Airy 1830", 6377563.396, 299.3249646, 400000.0,
         -100000.0, 49.0, -2.0, 0.9996012717},
        // Geographic only; a datum name without "D_".
        {"GEOGCS[\"GCS_WGS_1984\",DATUM[\"WGS_1984\",SPHEROID[\"WGS_1984\",6378137.0,298.257223563]],PRIMEM["
         "\"Greenwich\",0.0],UNIT[\"Degree\",0.0174532925199433]]",
         true, 0, "Grid Zone 31 (3\xB0 E)", "WGS 1984", "WGS 1984", 6378137.0, 298.257223563, 500000.0, 0.0,
         0.0, 3.0, 0.9996},
        // A sphere's inverse flattening of 0 becomes 297; a Mercator with its standard parallel
        // taken as the latitude of origin (the engine then derives the scale on the equator,
        // checked below); a parameter the scan does not know is skipped.
        {"PROJCS[\"Sphere_Mercator\",GEOGCS[\"GCS_Sphere\",DATUM[\"D_Sphere\",SPHEROID[\"Sphere\",6371000.0,"
         "0.0]],"
         "PRIMEM[\"Greenwich\",0.0],UNIT[\"Degree\",0.0174532925199433]],PROJECTION[\"Mercator\"],PARAMETER["
         "\"False_Easting\",1000.0],PARAMETER[\"Auxiliary_Sphere_Type\",0.0],PARAMETER[\"Standard_Parallel_"
         "1\","
         "45.0],UNIT[\"Meter\",1.0]]",
         false, 5, "Sphere Mercator", "Sphere", "Sphere", 6371000.0, 297.0, 1000.0, 0.0, 45.0, 0.0, -1.0},
        // OGC spelling in lower case; a projection name from the method when PROJCS has none.
        {"PROJCS[\"\",GEOGCS[\"WGS 84\",DATUM[\"WGS_1984\",SPHEROID[\"WGS "
         "84\",6378137,298.257223563,AUTHORITY["
         "\"EPSG\",\"7030\"]],AUTHORITY[\"EPSG\",\"6326\"]],PRIMEM[\"Greenwich\",0],UNIT[\"degree\",0."
         "0174532925199433]"
         "],PROJECTION[\"Transverse_Mercator\"],PARAMETER[\"latitude_of_origin\",0],PARAMETER[\"central_"
         "meridian\",9]"
         ",PARAMETER[\"scale_factor\",0.9996],PARAMETER[\"false_easting\",500000],PARAMETER[\"false_"
         "northing\",0],"
         "UNIT[\"metre\",1]]",
         false, 1, "Transverse_Mercator", "WGS 1984", "WGS 84", 6378137.0, 298.257223563, 500000.0, 0.0, 0.0,
         9.0, 0.9996},
    };
    for (const Case& c : cases)
    {
        CShape shape;
        shape.ParseProjectionText(c.text);
        SCOPED_TRACE(c.projection);
        EXPECT_EQ(shape.m_Geographic, c.geographic);
        EXPECT_EQ(shape.m_Projection.m_DataType, c.type);
        EXPECT_EQ(shape.m_Projection.m_Name, c.projection);
        EXPECT_EQ(shape.m_Converter.m_DatumName, c.datum);
        EXPECT_EQ(shape.m_Spheroid.m_Name, c.spheroid);
        EXPECT_EQ(shape.m_Spheroid.m_SemiMajor, c.a);
        EXPECT_EQ(shape.m_Spheroid.m_InverseFlattening, c.inverseFlattening);
        EXPECT_NEAR(shape.m_Spheroid.m_SemiMinor, c.a * (1.0 - 1.0 / c.inverseFlattening), 1e-6);
        EXPECT_EQ(shape.m_Projection.m_FalseEasting, c.falseEasting);
        EXPECT_EQ(shape.m_Projection.m_FalseNorthing, c.falseNorthing);
        EXPECT_NEAR(shape.m_Projection.m_OriginLatitude, c.originLatitude * kShapeDegree, 1e-14);
        EXPECT_NEAR(shape.m_Projection.m_OriginLongitude, c.originLongitude * kShapeDegree, 1e-14);
        if (c.scale > 0.0)
            EXPECT_EQ(shape.m_Projection.m_ScaleFactor, c.scale);
        else
        {
            const double s = std::sin(c.originLatitude * kShapeDegree);
            EXPECT_NEAR(shape.m_Projection.m_ScaleFactor,
                        std::cos(c.originLatitude * kShapeDegree) / std::sqrt(1.0 - shape.m_Spheroid.m_E2 * s * s),
                        1e-12);
        }
    }
}

TEST(Shape, BritishGridFromItsPrjConvertsLikeTheNationalGrid)
{
    // The Ordnance Survey's worked example (A guide to coordinate systems in Great Britain,
    // C.1): 52 39' 27.2531" N, 1 43' 4.5177" E is E 651409.903, N 313177.270 on Airy 1830.
    CShape shape;
    shape.ParseProjectionText(
        "PROJCS[\"British_National_Grid\",GEOGCS[\"GCS_OSGB_1936\",DATUM[\"D_OSGB_1936\",SPHEROID[\"Airy_"
        "1830\","
        "6377563.396,299.3249646]],PRIMEM[\"Greenwich\",0.0],UNIT[\"Degree\",0.0174532925199433]],PROJECTION["
        "\"Transverse_Mercator\"],PARAMETER[\"False_Easting\",400000.0],PARAMETER[\"False_Northing\",-100000."
        "0],"
        "PARAMETER[\"Central_Meridian\",-2.0],PARAMETER[\"Scale_Factor\",0.9996012717],PARAMETER["
        "\"Latitude_Of_Origin\",49.0],UNIT[\"Meter\",1.0]]");
    double e = 0.0, n = 0.0;
    const double lat = (52.0 + 39.0 / 60.0 + 27.2531 / 3600.0) * kShapeDegree;
    const double lon = (1.0 + 43.0 / 60.0 + 4.5177 / 3600.0) * kShapeDegree;
    ASSERT_TRUE(shape.m_Projection.GeographicToGrid(lat, lon, &e, &n));
    EXPECT_NEAR(e, 651409.903, 0.01);
    EXPECT_NEAR(n, 313177.270, 0.01);
}

TEST(Shape, ProjectionFileBesideTheShapefile)
{
    CShape shape;
    EXPECT_FALSE(shape.ReadProjectionFile("C:\\MyData\\Lonely.shp"));
    EXPECT_TRUE(shape.m_Geographic);
    EXPECT_EQ(shape.m_Spheroid.m_Name, "WGS84");

    CopyCables();
    EXPECT_TRUE(shape.ReadProjectionFile(kCables));
    EXPECT_FALSE(shape.m_Geographic);
    EXPECT_EQ(shape.m_Projection.m_Name, "WGS 1984 UTM Zone 31N");
}

TEST(Shape, DisplaySettingsFile)
{
    Prepare("C:\\MyData\\Shapes\\Wrecks.shp");
    CShape shape;
    shape.m_FilePath = "C:\\MyData\\Shapes\\Wrecks.shp";
    EXPECT_EQ(shape.GetDisplaySettingsFileName(), "C:\\MyData\\Shapes\\Wrecks.INI");

    // Missing: the defaults, and the flag says so.
    shape.m_Size = 9;
    shape.LoadDisplaySettings();
    EXPECT_FALSE(shape.m_bSettingsFound);
    EXPECT_EQ(shape.m_Size, 1);

    shape.m_Status = false;
    shape.m_Style = 3;
    shape.m_Size = 4;
    shape.m_Colour = 0xFF00FFu;
    shape.m_Fill = -2;
    shape.m_LabelMode = 2;
    shape.m_LabelPosition = 5;
    shape.m_LabelColumn = 7;
    shape.m_IconMode = true;
    ASSERT_TRUE(shape.SaveDisplaySettings());
    EXPECT_EQ(ReadFile("C:\\MyData\\Shapes\\Wrecks.INI"),
              QByteArray("Status = 0\r\nStyle = 3\r\nSize = 4\r\nColour = 16711935\r\nFill = -2\r\n"
                         "Label Mode = 2\r\nLabel Position = 5\r\nLabel Column = 7\r\nIcon Mode = 1\r\n"));

    CShape back;
    back.m_FilePath = shape.m_FilePath;
    back.LoadDisplaySettings();
    EXPECT_TRUE(back.m_bSettingsFound);
    EXPECT_FALSE(back.m_Status);
    EXPECT_EQ(back.m_Style, 3);
    EXPECT_EQ(back.m_Size, 4);
    EXPECT_EQ(back.m_Colour, 0xFF00FFu);
    EXPECT_EQ(back.m_Fill, -2);
    EXPECT_EQ(back.m_LabelMode, 2);
    EXPECT_EQ(back.m_LabelPosition, 5);
    EXPECT_EQ(back.m_LabelColumn, 7);
    EXPECT_TRUE(back.m_IconMode);

    // Read by position: the keys are not compared, a colour may have decimals, and lines
    // missing at the end keep their defaults.
    QFile f(LinuxPathFromWindows("C:\\MyData\\Shapes\\Wrecks.INI"));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write("A = 1\r\nB = 2\r\nC = 6\r\nD = 255.9\r\n");
    f.close();
    back.LoadDisplaySettings();
    EXPECT_TRUE(back.m_Status);
    EXPECT_EQ(back.m_Style, 2);
    EXPECT_EQ(back.m_Size, 6);
    EXPECT_EQ(back.m_Colour, 255u);
    EXPECT_EQ(back.m_Fill, 0);
    EXPECT_EQ(back.m_LabelColumn, 0);
    EXPECT_FALSE(back.m_IconMode);
}

TEST(Shape, TextstringColumnBecomesTheLabelColumn)
{
    // The fixture's fourth column is "TEXTSTRING": label column 3, and the settings written.
    CopyCables();
    {
        CShape shape;
        shape.m_FilePath = kCables;
        EXPECT_EQ(Load(shape), 0);
        EXPECT_EQ(shape.m_LabelColumn, 3);
        EXPECT_FALSE(shape.m_bSettingsFound);
        const QByteArray settings = ReadFile("C:\\MyData\\Shapes\\Cables.INI");
        EXPECT_TRUE(settings.contains("Label Column = 3\r\n")) << settings.constData();
        EXPECT_TRUE(settings.startsWith("Status = 1\r\n"));
    }
    {
        // Already so: nothing is rewritten.
        QFile::remove(LinuxPathFromWindows("C:\\MyData\\Shapes\\Cables.INI"));
        QFile f(LinuxPathFromWindows("C:\\MyData\\Shapes") + "/Cables.INI");
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("Status = 0\r\nStyle = 1\r\nSize = 2\r\nColour = 12\r\nFill = 0\r\nLabel Mode = 1\r\n"
                "Label Position = 2\r\nLabel Column = 3\r\n");
        f.close();
        CShape shape;
        shape.m_FilePath = kCables;
        EXPECT_EQ(Load(shape), 0);
        EXPECT_EQ(shape.m_LabelColumn, 3);
        EXPECT_FALSE(shape.m_Status);
        EXPECT_FALSE(ReadFile("C:\\MyData\\Shapes\\Cables.INI").contains("Icon Mode"));
    }

    // A column whose name differs only in letter case does not count.
    WriteShapes("C:\\MyData\\Lower", SHPT_POINT, {{{{1.0, 2.0}}}});
    WriteTable("C:\\MyData\\Lower", {{"NAME", FTString, 10, 0}, {"TextString", FTString, 10, 0}});
    CShape lower;
    lower.m_FilePath = "C:\\MyData\\Lower.shp";
    EXPECT_EQ(Load(lower), 0);
    EXPECT_EQ(lower.m_LabelColumn, 0);
    EXPECT_TRUE(ReadFile("C:\\MyData\\Lower.INI").isEmpty());
}

TEST(Shape, StopAskedBeforeTheFileOpensIsNotLost)
{
    WriteShapes("C:\\MyData\\Pts", SHPT_POINT, {{{{1.0, 2.0}}}, {{{3.0, 4.0}}}});
    CShape shape;
    shape.m_FilePath = "C:\\MyData\\Pts.shp";
    std::atomic<int32_t> progress{0};
    EXPECT_EQ(Load(shape, &progress, true), 1);
    EXPECT_TRUE(shape.IsEmpty());
    EXPECT_EQ(progress, 0);
    // The file itself was read as far as its header.
    EXPECT_EQ(shape.m_EntityCount, 2);
}

TEST(Shape, ReloadFreesTheEntitiesOfTheLastLoad)
{
    WriteShapes("C:\\MyData\\Pts", SHPT_POINT, {{{{1.0, 2.0}}}, {{{3.0, 4.0}}}});
    CShape shape;
    shape.m_FilePath = "C:\\MyData\\Pts.shp";
    EXPECT_EQ(Load(shape), 0);
    EXPECT_EQ(Load(shape), 0);
    EXPECT_EQ(shape.GetCount(), 2);
    shape.AddTail(nullptr); // an unreadable record, as the list may hold one
    shape.RemoveAllEntities();
    EXPECT_TRUE(shape.IsEmpty());
}

// Quitting in the middle of a long load, under AddressSanitizer in the sanitizer build: the
// shape keeps the entities read so far and can be deleted as soon as the thread has ended.
TEST(LoadShapeThreadStress, StopInTheMiddleOfALargeFile)
{
    const int total = 200000;
    WriteManyPoints("C:\\MyData\\Many", total);
    int stoppedEarly = 0;
    for (int round = 0; round < 3; ++round)
    {
        CShape* shape = new CShape;
        shape->m_FilePath = "C:\\MyData\\Many.shp";
        std::atomic<int32_t> progress{0};
        CEndRecorder owner;
        CLoadShapeThread* thread = static_cast<CLoadShapeThread*>(
            AfxBeginThread(RUNTIME_CLASS(CLoadShapeThread), THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED));
        ASSERT_NE(thread, nullptr);
        thread->SetOwner(&owner);
        thread->m_pShape = shape;
        thread->m_pProgress = &progress;
        thread->ResumeThread();
        const int32_t stopAt = 1000 + round * 20000;
        while (progress < stopAt)
            QThread::yieldCurrentThread();
        thread->m_bStop = true;
        thread->WaitForEnd();
        delete thread;
        // On a busy machine the thread may still have reached the end before the stop.
        const int32_t read = progress;
        EXPECT_GE(read, stopAt);
        EXPECT_EQ(shape->GetCount(), read);
        EXPECT_EQ(shape->m_EntityCount, total);
        delete shape;
        ASSERT_TRUE(owner.WaitForEnd());
        EXPECT_EQ(owner.wParam, read < total ? 1u : 0u);
        stoppedEarly += (read < total);
    }
    EXPECT_GT(stoppedEarly, 0);
}

// Two megabytes of projection text (a .prj that is mostly one long parameter list) is read in
// one pass: its cost grows with its length, not with its square.
TEST(ShapeBadInput, HugeProjectionTextIsReadInLinearTime)
{
    std::string text = "PROJCS[\"Long\",GEOGCS[\"GCS_WGS_1984\",SPHEROID[\"WGS_1984\",6378137.0,298.257223563]],"
                       "PROJECTION[\"Transverse_Mercator\"],";
    while (text.size() < 2000000)
        text += "PARAMETER[\"False_Easting\",500000.0],";
    text += "PARAMETER[\"Scale_Factor\",0.9996]]";
    CShape shape;
    QElapsedTimer timer;
    timer.start();
    shape.ParseProjectionText(text.c_str());
    EXPECT_LT(timer.elapsed(), 10000); // quadratic work takes minutes here
    EXPECT_EQ(shape.m_Projection.m_FalseEasting, 500000.0);
    EXPECT_EQ(shape.m_Projection.m_ScaleFactor, 0.9996);
}

// A shapefile cut short: the entities past its end cannot be read, and the load says so
// instead of reporting a whole file.
TEST(ShapeBadInput, TruncatedShapefileIsReportedAsDamaged)
{
    CopyCables();
    CopyFixture("bad_shp_truncated.shp", kCables);
    CShape shape;
    shape.m_FilePath = kCables;
    EXPECT_EQ(Load(shape), 1);
    EXPECT_NE(shape.m_strProblem.Find("of the 3 entities"), -1) << (LPCSTR)shape.m_strProblem;
    EXPECT_NE(shape.m_strProblem.Find("damaged"), -1);
}
