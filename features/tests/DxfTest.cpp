#include "features/Dxf.h"
#include "features/DxfList.h"
#include "features/tests/DxfColours.h"
#include "features/tests/FeatureTestFiles.h"
#include "foundation/ConfigFile.h"

#include <QElapsedTimer>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdio>
#include <vector>

using namespace featuretest;

namespace
{
const double kExact = 1e-9;

// Puts `bytes` at C:\MyData\<name> and reads the whole drawing from there.
void ReadDxfDrawing(CDxf& dxf, const char* name, const QByteArray& bytes)
{
    CString path;
    path.Format("C:\\MyData\\%s", name);
    WriteBytes(path, bytes);
    ASSERT_TRUE(dxf.Open(path)) << name;
    while (dxf.ReadSection())
    {
    }
    dxf.Close();
}

// A DXF text from (code, value) pairs, one line each, as writers lay them out.
QByteArray Pairs(std::initializer_list<std::pair<int, const char*>> pairs)
{
    QByteArray text;
    for (const auto& pair : pairs)
        text += QByteArray::number(pair.first).rightJustified(3, ' ') + "\r\n" + pair.second + "\r\n";
    return text;
}

std::vector<CDxfEntity*> Entities(const CDxfEntityList& list)
{
    std::vector<CDxfEntity*> out;
    POSITION pos = list.GetHeadPosition();
    while (pos)
        out.push_back(list.GetNext(pos));
    return out;
}

template <class T> std::vector<T*> Records(const CList<T*, T*>& list)
{
    std::vector<T*> out;
    POSITION pos = list.GetHeadPosition();
    while (pos)
        out.push_back(list.GetNext(pos));
    return out;
}

void ExpectPoint(const QJsonValue& expected, const DxfPointDef& actual, const std::string& what)
{
    const QJsonArray xyz = expected.toArray();
    ASSERT_EQ(xyz.size(), 3) << what;
    EXPECT_NEAR(actual.x, xyz[0].toDouble(), kExact) << what;
    EXPECT_NEAR(actual.y, xyz[1].toDouble(), kExact) << what;
    EXPECT_NEAR(actual.z, xyz[2].toDouble(), kExact) << what;
}

int ColourOf(const QJsonObject& e)
{
    return e["colour"].toInt();
}

// One entity read by CDxf against ezdxf's reading of it.
void ExpectEntity(const QJsonObject& e, CDxfEntity* entity, const std::string& where)
{
    const QString type = e["type"].toString();
    const std::string what = where + " " + type.toStdString();
    EXPECT_EQ(std::string(entity->m_LayerName), e["layer"].toString().toStdString()) << what;
    // ezdxf gives 256 (by layer) for an entity that names no colour; the reader keeps 0 then,
    // and both mean the layer's colour.
    const int colour = ColourOf(e);
    EXPECT_TRUE(entity->m_Colour == colour || (colour == 256 && entity->m_Colour == 0))
        << what << ": " << entity->m_Colour << " vs " << colour;
    if (type == "LINE")
    {
        ASSERT_EQ(entity->m_Kind, DXF_LINE) << what;
        auto* line = static_cast<CDxfLine*>(entity);
        ExpectPoint(e["start"], line->m_Start, what + " start");
        ExpectPoint(e["end"], line->m_End, what + " end");
    }
    else if (type == "CIRCLE")
    {
        ASSERT_EQ(entity->m_Kind, DXF_CIRCLE) << what;
        auto* circle = static_cast<CDxfCircle*>(entity);
        ExpectPoint(e["centre"], circle->m_Centre, what);
        EXPECT_NEAR(circle->m_Radius, e["radius"].toDouble(), kExact) << what;
    }
    else if (type == "ARC")
    {
        ASSERT_EQ(entity->m_Kind, DXF_ARC) << what;
        auto* arc = static_cast<CDxfArc*>(entity);
        ExpectPoint(e["centre"], arc->m_Centre, what);
        EXPECT_NEAR(arc->m_Radius, e["radius"].toDouble(), kExact) << what;
        EXPECT_NEAR(arc->m_StartBearing, CDxfArc::BearingOfAngle(e["start_angle"].toDouble()), kExact)
            << what;
        EXPECT_NEAR(arc->m_EndBearing, CDxfArc::BearingOfAngle(e["end_angle"].toDouble()), kExact) << what;
    }
    else if (type == "LWPOLYLINE" || type == "POLYLINE")
    {
        ASSERT_EQ(entity->m_Kind, type == "LWPOLYLINE" ? DXF_LWPOLYLINE : DXF_POLYLINE) << what;
        auto* polyline = static_cast<CDxfPolyline*>(entity);
        EXPECT_EQ(polyline->IsClosed(), e["closed"].toBool()) << what;
        const QJsonArray vertices = e["vertices"].toArray();
        ASSERT_EQ(polyline->m_Vertices.GetSize(), vertices.size()) << what;
        for (int i = 0; i < vertices.size(); ++i)
        {
            const QJsonArray v = vertices[i].toArray();
            EXPECT_NEAR(polyline->m_Vertices[i].x, v[0].toDouble(), kExact) << what << " vertex " << i;
            EXPECT_NEAR(polyline->m_Vertices[i].y, v[1].toDouble(), kExact) << what << " vertex " << i;
            EXPECT_NEAR(polyline->m_Vertices[i].Bulge, v[2].toDouble(), kExact) << what << " vertex " << i;
        }
    }
    else if (type == "SOLID")
    {
        ASSERT_EQ(entity->m_Kind, DXF_SOLID) << what;
        auto* solid = static_cast<CDxfSolid*>(entity);
        const QJsonArray corners = e["corners"].toArray();
        for (int i = 0; i < 4; ++i)
            ExpectPoint(corners[i], solid->m_Corners[i], what + " corner");
    }
    else if (type == "TEXT" || type == "MTEXT")
    {
        ASSERT_EQ(entity->m_Kind, DXF_TEXT) << what;
        auto* text = static_cast<CDxfText*>(entity);
        EXPECT_EQ(text->m_bMultiLine, type == "MTEXT") << what;
        ExpectPoint(e["insert"], text->m_Insertion, what);
        EXPECT_NEAR(text->m_Height, e["height"].toDouble(), kExact) << what;
        const QByteArray raw = e["text"].toString().toLatin1();
        if (type == "TEXT")
        {
            EXPECT_NEAR(text->m_Rotation, e["rotation"].toDouble(), kExact) << what;
            EXPECT_EQ(std::string(text->m_Text), std::string(CDxfText::CleanText(raw.constData()))) << what;
        }
        else
        {
            // The reader drops formatting the way ezdxf's plain text does for these texts.
            EXPECT_EQ(std::string(text->m_Text), e["plain_text"].toString().toStdString()) << what;
        }
    }
    else if (type == "INSERT")
    {
        ASSERT_EQ(entity->m_Kind, DXF_INSERT) << what;
        auto* insert = static_cast<CDxfInsert*>(entity);
        EXPECT_EQ(std::string(insert->m_BlockName), e["name"].toString().toStdString()) << what;
        ExpectPoint(e["insert"], insert->m_Insertion, what);
        EXPECT_NEAR(insert->m_ScaleX, e["xscale"].toDouble(), kExact) << what;
        EXPECT_NEAR(insert->m_ScaleY, e["yscale"].toDouble(), kExact) << what;
        EXPECT_NEAR(insert->m_Rotation, e["rotation"].toDouble(), kExact) << what;
    }
    else if (type == "POINT")
    {
        ASSERT_EQ(entity->m_Kind, DXF_POINT) << what;
        ExpectPoint(e["position"], static_cast<CDxfPoint*>(entity)->m_Position, what);
    }
    else
    {
        ADD_FAILURE() << "fixture entity not covered: " << what;
    }
}
} // namespace

// Drawings written by ezdxf in R12 and R2000, with and without header extents, read back by the
// reader and by ezdxf itself (the .expected.json beside each, see dxf_generate_fixtures.py).
class DxfFixture : public ::testing::TestWithParam<const char*>
{
};

TEST_P(DxfFixture, AgreesWithEzdxfsOwnReading)
{
    const std::string name = GetParam();
    const QJsonObject expected = QJsonDocument::fromJson(Fixture((name + ".expected.json").c_str())).object();
    ASSERT_FALSE(expected.isEmpty());
    CDxf dxf;
    ReadDxfDrawing(dxf, (name + ".dxf").c_str(), Fixture((name + ".dxf").c_str()));

    // Header extents.
    if (expected["extmin"].isNull())
    {
        EXPECT_FALSE(dxf.m_bHaveExtMin);
        EXPECT_FALSE(dxf.HasHeaderExtents());
        EXPECT_EQ(dxf.m_CentreX, 0.0);
    }
    else
    {
        EXPECT_TRUE(dxf.HasHeaderExtents());
        ExpectPoint(expected["extmin"], dxf.m_HeaderMin, "$EXTMIN");
        ExpectPoint(expected["extmax"], dxf.m_HeaderMax, "$EXTMAX");
        EXPECT_NEAR(dxf.m_CentreX, (dxf.m_HeaderMin.x + dxf.m_HeaderMax.x) / 2, kExact);
        EXPECT_NEAR(dxf.m_CentreY, (dxf.m_HeaderMin.y + dxf.m_HeaderMax.y) / 2, kExact);
    }

    // Layers, in table order, with the off layer's negative colour.
    const QJsonArray layers = expected["layers"].toArray();
    const auto readLayers = Records(dxf.m_Layers);
    ASSERT_EQ(readLayers.size(), static_cast<size_t>(layers.size()));
    for (int i = 0; i < layers.size(); ++i)
    {
        EXPECT_EQ(std::string(readLayers[i]->m_Name), layers[i]["name"].toString().toStdString());
        EXPECT_EQ(readLayers[i]->m_Colour, layers[i]["colour"].toInt()) << readLayers[i]->m_Name;
    }
    EXPECT_FALSE(dxf.m_LineTypes.IsEmpty());
    EXPECT_FALSE(dxf.m_Styles.IsEmpty());

    // Blocks: the named ones (the layout blocks, "*Model_Space" or in R12 "$MODEL_SPACE", hold
    // nothing here).
    std::vector<CDxfBlock*> named;
    for (CDxfBlock* block : Records(dxf.m_Blocks))
    {
        if (!block->m_Name.IsEmpty() && block->m_Name[0] != '*' && block->m_Name[0] != '$')
            named.push_back(block);
    }
    const QJsonArray blocks = expected["blocks"].toArray();
    ASSERT_EQ(named.size(), static_cast<size_t>(blocks.size()));
    for (int i = 0; i < blocks.size(); ++i)
    {
        const QJsonObject b = blocks[i].toObject();
        EXPECT_EQ(std::string(named[i]->m_Name), b["name"].toString().toStdString());
        ExpectPoint(b["base"], named[i]->m_Base, "block base");
        const auto entities = Entities(named[i]->m_Entities);
        const QJsonArray e = b["entities"].toArray();
        ASSERT_EQ(entities.size(), static_cast<size_t>(e.size())) << named[i]->m_Name;
        for (int k = 0; k < e.size(); ++k)
            ExpectEntity(e[k].toObject(), entities[k], name + " block " + std::to_string(k));
    }

    // Model-space entities, in file order.
    const QJsonArray e = expected["entities"].toArray();
    const auto entities = Entities(dxf.m_Entities);
    ASSERT_EQ(entities.size(), static_cast<size_t>(e.size()));
    for (int k = 0; k < e.size(); ++k)
        ExpectEntity(e[k].toObject(), entities[k], name + " entity " + std::to_string(k));

    // Every entity on a layer of the table is tied to it; the file's texts are taken.
    for (CDxfEntity* entity : entities)
    {
        ASSERT_NE(entity->m_pLayer, nullptr) << entity->m_LayerName;
        EXPECT_EQ(entity->m_pLayer->m_Name, entity->m_LayerName);
    }
    EXPECT_EQ(dxf.m_FileLength, static_cast<ULONGLONG>(Fixture((name + ".dxf").c_str()).size()));
    EXPECT_FALSE(dxf.m_SizeText.IsEmpty());
    EXPECT_FALSE(dxf.m_DateText.IsEmpty());
}

INSTANTIATE_TEST_SUITE_P(Ezdxf, DxfFixture,
                         ::testing::Values("dxf_r12_extents", "dxf_r12_noextents", "dxf_r2000_extents",
                                           "dxf_r2000_noextents"));

TEST(Dxf, LongMultiLineTextKeepsEveryChunk)
{
    // More than 250 characters come as code-3 chunks and a last part in code 1.
    CDxf dxf;
    ReadDxfDrawing(dxf, "long.dxf",
                Pairs({{0, "SECTION"},
                       {2, "ENTITIES"},
                       {0, "MTEXT"},
                       {8, "0"},
                       {3, "First chunk, "},
                       {3, "second chunk,  "},
                       {1, "last part "},
                       {0, "TEXT"},
                       {1, "replaced"},
                       {1, "45%%D"},
                       {0, "ENDSEC"},
                       {0, "EOF"}}));
    const auto entities = Entities(dxf.m_Entities);
    ASSERT_EQ(entities.size(), 2u);
    EXPECT_EQ(static_cast<CDxfText*>(entities[0])->m_Text, "First chunk, second chunk,  last part ")
        << "blanks at the ends of chunks are part of the text";
    EXPECT_EQ(static_cast<CDxfText*>(entities[1])->m_Text, "45\xB0");
}

TEST(Dxf, TextCleaning)
{
    const struct
    {
        const char* raw;
        const char* clean;
    } cases[] = {
        {"{\\fArial|b0|i0|c0|p34;Depth}", "Depth"},
        {"45%%D", "45\xB0"},
        {"%%p0.5m at 10%%d", "\xB1"
                             "0.5m at 10\xB0"},
        {"{\\fArial no semicolon}", "{\\fArial no semicolon}"}, // nothing to cut at
        {"{plain braces;x}", "{plain braces;x}"},               // no formatting code after the brace
        {"{\\H2;Big} and more", "{\\H2;Big} and more"},         // does not end with the brace
        {"", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CDxfText::CleanText(c.raw), c.clean) << c.raw;
}

TEST(Dxf, EntityRulesOfTheReader)
{
    CDxf dxf;
    ReadDxfDrawing(dxf, "rules.dxf",
                Pairs({{0, "SECTION"},
                       {2, "TABLES"},
                       {0, "TABLE"},
                       {2, "LAYER"},
                       {70, "1"},
                       {0, "LAYER"},
                       {2, "Survey"},
                       {62, "3"},
                       {70, "0"},
                       {6, "CONTINUOUS"},
                       {0, "ENDTAB"},
                       {0, "TABLE"},
                       {2, "VPORT"},
                       {0, "VPORT"},
                       {2, "*Active"},
                       {0, "ENDTAB"},
                       {0, "ENDSEC"},
                       // A section nothing uses is skipped whole.
                       {0, "SECTION"},
                       {2, "OBJECTS"},
                       {0, "DICTIONARY"},
                       {8, "ENDSEC"},
                       {0, "ENDSEC"},
                       {0, "SECTION"},
                       {2, "ENTITIES"},
                       {0, "ARC"},
                       {8, "Survey"},
                       {10, "5"},
                       {20, "6"},
                       {40, "2"},
                       {50, "0"},
                       {51, "90"},
                       {0, "ARC"},
                       {8, "Survey"},
                       {40, "1"},
                       {50, "180"},
                       {0, "Line"},
                       {10, "1"},
                       {20, "1"},
                       {11, "2"},
                       {21, "2"},
                       {0, "LINE"},
                       {8, "Nowhere"},
                       {62, "256"},
                       {999, "a comment"},
                       {1071, "77"},
                       {10, "1.5"},
                       {20, "2.5"},
                       {11, "3"},
                       {21, "4"},
                       {0, "SEQEND"},
                       {8, "0"},
                       {0, "LWPOLYLINE"},
                       {8, "Survey"},
                       {90, "3"},
                       {70, "1"},
                       {10, "1"},
                       {20, "2"},
                       {10, "3"},
                       {20, "4"},
                       {42, "0.5"},
                       {10, "5"},
                       {20, "6"},
                       {0, "POLYLINE"},
                       {66, "1"},
                       {70, "0"},
                       {0, "VERTEX"},
                       {10, "7"},
                       {20, "8"},
                       {42, "0.25"},
                       {0, "VERTEX"},
                       {10, "9"},
                       {20, "10"},
                       {0, "SEQEND"},
                       {0, "HATCH"},
                       {8, "Survey"},
                       {62, "5"},
                       {10, "0"},
                       {0, "ELLIPSE"},
                       {10, "100"},
                       {20, "200"},
                       {11, "0"},
                       {21, "10"},
                       {40, "0.5"},
                       {0, "ENDSEC"},
                       {0, "EOF"}}));

    const auto entities = Entities(dxf.m_Entities);
    ASSERT_EQ(entities.size(), 7u) << "\"Line\" in lower case and SEQEND alone are skipped";

    auto* arc = static_cast<CDxfArc*>(entities[0]);
    EXPECT_EQ(arc->m_StartBearing, 90.0);
    EXPECT_EQ(arc->m_EndBearing, 0.0);
    ASSERT_NE(arc->m_pLayer, nullptr);
    EXPECT_EQ(arc->m_pLayer->m_Colour, 3);
    EXPECT_EQ(static_cast<CDxfArc*>(entities[1])->m_StartBearing, 270.0);
    EXPECT_EQ(static_cast<CDxfArc*>(entities[1])->m_EndBearing, 360.0) << "no end angle";

    auto* line = static_cast<CDxfLine*>(entities[2]);
    EXPECT_EQ(line->m_Colour, 256);
    EXPECT_EQ(line->m_pLayer, nullptr) << "by layer on a layer the table does not hold";
    EXPECT_EQ(line->m_Start.x, 1.5);
    EXPECT_EQ(line->m_End.y, 4.0);

    auto* lw = static_cast<CDxfPolyline*>(entities[3]);
    EXPECT_EQ(lw->m_Kind, DXF_LWPOLYLINE);
    EXPECT_TRUE(lw->IsClosed());
    ASSERT_EQ(lw->m_Vertices.GetSize(), 3);
    EXPECT_EQ(lw->m_Vertices[1].x, 3.0);
    EXPECT_EQ(lw->m_Vertices[1].y, 4.0);
    EXPECT_EQ(lw->m_Vertices[1].Bulge, 0.5);
    EXPECT_EQ(lw->m_Vertices[2].z, 0.0);

    auto* polyline = static_cast<CDxfPolyline*>(entities[4]);
    EXPECT_FALSE(polyline->IsClosed());
    ASSERT_EQ(polyline->m_Vertices.GetSize(), 2);
    EXPECT_EQ(polyline->m_Vertices[0].Bulge, 0.25);
    EXPECT_EQ(polyline->m_Vertices[1].x, 9.0);

    EXPECT_EQ(entities[5]->m_Kind, DXF_HATCH);
    EXPECT_EQ(entities[5]->m_Colour, 5);

    // An ellipse with its major axis pointing north, half as wide as long: its outline starts at
    // the end of the major axis and passes the end of the minor one a quarter of the way round.
    auto* ellipse = static_cast<CDxfEllipse*>(entities[6]);
    EXPECT_NEAR(ellipse->m_Outline[0].x, 100.0, 1e-9);
    EXPECT_NEAR(ellipse->m_Outline[0].y, 210.0, 1e-9);
    EXPECT_NEAR(ellipse->m_Outline[9].x, 95.0, 1e-9);
    EXPECT_NEAR(ellipse->m_Outline[9].y, 200.0, 1e-9);
    EXPECT_NEAR(ellipse->m_Outline[36].y, 210.0, 1e-9);
}

TEST(Dxf, MarkersAreGroupsOfTheirOwnCode)
{
    // A layer called "ENDSEC", a block called "BLOCK" and a text "SECTION" are names, not the
    // ends and starts of sections.
    CDxf dxf;
    ReadDxfDrawing(
        dxf, "names.dxf",
        Pairs({{0, "SECTION"}, {2, "TABLES"},  {0, "TABLE"},  {2, "LAYER"},   {0, "LAYER"},    {2, "ENDSEC"},
               {62, "4"},      {0, "LAYER"},   {2, "BLOCK"},  {62, "5"},      {0, "ENDTAB"},   {0, "ENDSEC"},
               {0, "SECTION"}, {2, "BLOCKS"},  {0, "BLOCK"},  {8, "ENDSEC"},  {2, "BLOCK"},    {10, "1"},
               {0, "LINE"},    {8, "BLOCK"},   {11, "1"},     {0, "ENDBLK"},  {8, "ENDSEC"},   {0, "BLOCK"},
               {2, "Empty"},   {0, "ENDBLK"},  {0, "ENDSEC"}, {0, "SECTION"}, {2, "ENTITIES"}, {0, "TEXT"},
               {8, "ENDSEC"},  {1, "SECTION"}, {0, "POINT"},  {8, "BLOCK"},   {10, "3"},       {0, "ENDSEC"},
               {0, "EOF"}}));
    ASSERT_EQ(dxf.m_Layers.GetCount(), 2);
    const auto blocks = Records(dxf.m_Blocks);
    ASSERT_EQ(blocks.size(), 2u);
    EXPECT_EQ(blocks[0]->m_Name, "BLOCK");
    EXPECT_EQ(blocks[0]->m_Base.x, 1.0);
    ASSERT_NE(blocks[0]->m_pLayer, nullptr);
    EXPECT_EQ(blocks[0]->m_pLayer->m_Colour, 4);
    ASSERT_EQ(blocks[0]->m_Entities.GetCount(), 1);
    EXPECT_EQ(blocks[1]->m_Name, "Empty");
    EXPECT_TRUE(blocks[1]->m_Entities.IsEmpty());
    const auto entities = Entities(dxf.m_Entities);
    ASSERT_EQ(entities.size(), 2u);
    EXPECT_EQ(static_cast<CDxfText*>(entities[0])->m_Text, "SECTION");
    ASSERT_NE(entities[1]->m_pLayer, nullptr);
    EXPECT_EQ(entities[1]->m_pLayer->m_Colour, 5);
}

TEST(Dxf, HeaderExtentsAndTheirAbsence)
{
    {
        CDxf dxf; // no HEADER section at all
        ReadDxfDrawing(
            dxf, "noheader.dxf",
            Pairs({{0, "SECTION"}, {2, "ENTITIES"}, {0, "POINT"}, {10, "4"}, {0, "ENDSEC"}, {0, "EOF"}}));
        EXPECT_FALSE(dxf.HasHeaderExtents());
        EXPECT_EQ(dxf.m_HeaderMin.x, 0.0);
        EXPECT_EQ(dxf.m_HeaderMax.y, 0.0);
        EXPECT_EQ(dxf.m_CentreX, 0.0);
        EXPECT_EQ(dxf.m_CentreY, 0.0);
        EXPECT_EQ(dxf.m_Entities.GetCount(), 1);
    }
    {
        CDxf dxf; // the empty box that writers put when they know no extents
        ReadDxfDrawing(dxf, "emptybox.dxf",
                    Pairs({{0, "SECTION"},
                           {2, "HEADER"},
                           {9, "$EXTMIN"},
                           {10, "1e+20"},
                           {20, "1e+20"},
                           {30, "1e+20"},
                           {9, "$EXTMAX"},
                           {10, "-1e+20"},
                           {20, "-1e+20"},
                           {30, "-1e+20"},
                           {0, "ENDSEC"},
                           {0, "EOF"}}));
        EXPECT_TRUE(dxf.m_bHaveExtMin && dxf.m_bHaveExtMax);
        EXPECT_FALSE(dxf.HasHeaderExtents());
    }
    {
        CDxf dxf; // a point stops at the next variable; a 2D point keeps z at 0
        ReadDxfDrawing(dxf, "header.dxf",
                    Pairs({{0, "SECTION"},
                           {2, "HEADER"},
                           {9, "$EXTMIN"},
                           {10, "100.5"},
                           {20, "200"},
                           {9, "$EXTMAX"},
                           {10, "300.5"},
                           {20, "600"},
                           {30, "7"},
                           {9, "$LIMMIN"},
                           {10, "-9"},
                           {0, "ENDSEC"},
                           {0, "EOF"}}));
        EXPECT_TRUE(dxf.HasHeaderExtents());
        EXPECT_EQ(dxf.m_HeaderMin.x, 100.5);
        EXPECT_EQ(dxf.m_HeaderMin.z, 0.0);
        EXPECT_EQ(dxf.m_HeaderMax.x, 300.5);
        EXPECT_EQ(dxf.m_HeaderMax.z, 7.0);
        EXPECT_EQ(dxf.m_CentreX, 200.5);
        EXPECT_EQ(dxf.m_CentreY, 400.0);
    }
}

TEST(Dxf, TruncatedFileKeepsWhatWasRead)
{
    CDxf dxf;
    ReadDxfDrawing(dxf, "cut.dxf",
                Pairs({{0, "SECTION"}, {2, "ENTITIES"}, {0, "LINE"}, {10, "1"}, {0, "CIRCLE"}, {40, "3"}}) +
                    " 10\r\n");
    const auto entities = Entities(dxf.m_Entities);
    ASSERT_EQ(entities.size(), 2u);
    EXPECT_EQ(static_cast<CDxfCircle*>(entities[1])->m_Radius, 3.0);
}

TEST(Dxf, PairsTrimTheirValueAndRecordPositions)
{
    WriteBytes("C:\\MyData\\pairs.dxf", QByteArray("  0\r\nSECTION  \r\n2\nHEADER\n999\n\n  0"));
    CDxf dxf;
    ASSERT_TRUE(dxf.Open("C:\\MyData\\pairs.dxf"));
    DxfPairDef pair;
    ASSERT_TRUE(dxf.ReadPair(pair));
    EXPECT_EQ(pair.Code, 0);
    EXPECT_EQ(pair.Value, "SECTION");
    EXPECT_EQ(dxf.m_PairStartPosition, 0u);
    EXPECT_EQ(dxf.m_CurrentPosition, 16u);
    ASSERT_TRUE(dxf.ReadPair(pair));
    EXPECT_EQ(pair.Code, 2);
    EXPECT_EQ(pair.Value, "HEADER");
    EXPECT_EQ(dxf.m_PairStartPosition, 16u);
    ASSERT_TRUE(dxf.ReadPair(pair));
    EXPECT_EQ(pair.Code, 999);
    EXPECT_EQ(pair.Value, "");
    EXPECT_FALSE(dxf.ReadPair(pair)) << "a code without its value ends the file";
}

TEST(Dxf, OpenFailsForAMissingFileAndResetsTheDrawing)
{
    CDxf dxf;
    ReadDxfDrawing(dxf, "one.dxf", Pairs({{0, "SECTION"}, {2, "ENTITIES"}, {0, "POINT"}, {0, "ENDSEC"}}));
    ASSERT_EQ(dxf.m_Entities.GetCount(), 1);
    dxf.m_Scale = 2.5;
    EXPECT_FALSE(dxf.Open("C:\\MyData\\missing.dxf"));
    EXPECT_TRUE(dxf.m_Entities.IsEmpty());
    EXPECT_EQ(dxf.m_FileLength, 0u);
    EXPECT_TRUE(dxf.m_SizeText.IsEmpty());
    EXPECT_EQ(dxf.m_Scale, 2.5) << "the scale is a display setting, not part of the file";
    EXPECT_FALSE(dxf.ReadSection());
}

TEST(Dxf, DisplaySettingsRoundTripInTheSettingsFolder)
{
    CDxf dxf;
    dxf.m_FileName = "C:\\MyData\\Site Plan.dxf";
    EXPECT_FALSE(dxf.LoadDisplaySettings());
    EXPECT_TRUE(dxf.m_bUse);
    EXPECT_TRUE(dxf.m_bShowText);
    EXPECT_EQ(dxf.m_Scale, 1.0);

    dxf.m_bUse = false;
    dxf.m_bShowText = true;
    dxf.m_Scale = 2.5;
    ASSERT_TRUE(dxf.SaveDisplaySettings());
    EXPECT_EQ(ReadBytes(InSettings("Site_Plan.DXI")),
              QByteArray("Use = 0\r\nShow Text = 1\r\nScale = 2.500\r\n"));

    CDxf again;
    again.m_FileName = "D:\\Elsewhere\\Site Plan.DXF";
    EXPECT_TRUE(again.LoadDisplaySettings());
    EXPECT_FALSE(again.m_bUse);
    EXPECT_TRUE(again.m_bShowText);
    EXPECT_EQ(again.m_Scale, 2.5);

    WriteBytes(InSettings("Site_Plan.DXI"), "Use = 1\r\nShow Text = 0\r\nScale = -3\r\n");
    EXPECT_TRUE(again.LoadDisplaySettings());
    EXPECT_TRUE(again.m_bUse);
    EXPECT_FALSE(again.m_bShowText);
    EXPECT_EQ(again.m_Scale, 1.0) << "a negative scale";
}

TEST(Dxf, ColourTablesAreTheFormatsColourIndex)
{
    const std::array<COLORREF, 256> format = FormatColourIndex();
    ASSERT_EQ(format[7], 0xFFFFFFu);
    const CDxf dxf;
    EXPECT_EQ(dxf.GetColour(0), 0x000000u);
    for (int number = 1; number <= 255; ++number)
        EXPECT_EQ(dxf.GetColour(number), format[number]) << "colour " << number;
    EXPECT_EQ(dxf.GetColour(256), 0x000000u);
    EXPECT_EQ(dxf.GetColour(-1), 0x000000u);
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(dxf.m_FirstColours[i], dxf.m_ColourTable[i]);
    EXPECT_EQ(CDxf::kStandardColours[7], 0xFFFFFFu);
    EXPECT_EQ(CDxf::kStandardColours[27], 0x8000FFu);
}

TEST(DxfList, AddsEachPathOnceAndSavesTheFileList)
{
    CDxfList list;
    EXPECT_EQ(list.AddFile(""), nullptr);
    EXPECT_EQ(list.AddFile("C:\\MyData\\.dxf"), nullptr) << "no file title";
    CDxf* first = list.AddFile("C:\\MyData\\Site.dxf");
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->m_FileName, "C:\\MyData\\Site.dxf");
    EXPECT_TRUE(first->m_Entities.IsEmpty()) << "not read yet";
    EXPECT_EQ(list.AddFile("c:\\mydata\\SITE.DXF"), nullptr);
    ASSERT_NE(list.AddFile("C:\\MyData\\Other.dxf"), nullptr);
    EXPECT_EQ(list.GetAtIndex(1)->m_FileName, "C:\\MyData\\Other.dxf");
    EXPECT_EQ(list.GetAtIndex(2), nullptr);

    list.GetAtIndex(1)->m_FileName.Empty(); // a drawing without a path is not listed
    ASSERT_TRUE(list.SaveFileList());
    EXPECT_EQ(ReadBytes(InSettings("DXF_List.INI")), QByteArray("[DXF File]\r\nC:\\MyData\\Site.dxf\r\n"));
    CStringArray paths;
    ASSERT_TRUE(CDxfList::LoadFileList(paths));
    ASSERT_EQ(paths.GetSize(), 1);
    EXPECT_EQ(paths[0], "C:\\MyData\\Site.dxf");
}

// A drawing of 100 000 entities, written here, read whole; the time is reported.
TEST(DxfLargeDrawing, HundredThousandEntitiesLoad)
{
    const int kEntities = 100000;
    QByteArray text = Pairs({{0, "SECTION"},
                             {2, "HEADER"},
                             {9, "$EXTMIN"},
                             {10, "0"},
                             {20, "0"},
                             {9, "$EXTMAX"},
                             {10, "100000"},
                             {20, "100000"},
                             {0, "ENDSEC"},
                             {0, "SECTION"},
                             {2, "ENTITIES"}});
    text.reserve(kEntities * 110);
    char buffer[256];
    for (int i = 0; i < kEntities; ++i)
    {
        if (i % 2 == 0)
            std::snprintf(buffer, sizeof(buffer),
                          "  0\r\nLINE\r\n  8\r\n0\r\n 62\r\n%d\r\n 10\r\n%d.25\r\n 20\r\n%d.5\r\n "
                          "11\r\n%d.75\r\n 21\r\n%d.5\r\n",
                          1 + i % 255, i, i, i + 1, i + 2);
        else
            std::snprintf(buffer, sizeof(buffer),
                          "  0\r\nLWPOLYLINE\r\n  8\r\n0\r\n 90\r\n3\r\n 70\r\n1\r\n 10\r\n%d\r\n "
                          "20\r\n1\r\n 10\r\n%d\r\n 20\r\n2\r\n 10\r\n%d\r\n 20\r\n3\r\n",
                          i, i + 1, i + 2);
        text += buffer;
    }
    text += "  0\r\nENDSEC\r\n  0\r\nEOF\r\n";
    WriteBytes("C:\\MyData\\large.dxf", text);

    QElapsedTimer timer;
    timer.start();
    CDxf dxf;
    ASSERT_TRUE(dxf.Open("C:\\MyData\\large.dxf"));
    LoadCounter done{0};
    while (dxf.ReadSection(&done))
    {
    }
    dxf.Close();
    const qint64 ms = timer.elapsed();

    ASSERT_EQ(dxf.m_Entities.GetCount(), kEntities);
    EXPECT_EQ(done.load(), static_cast<ULONGLONG>(text.size()));
    const auto* last = static_cast<CDxfPolyline*>(dxf.m_Entities.GetTail());
    ASSERT_EQ(last->m_Vertices.GetSize(), 3);
    EXPECT_EQ(last->m_Vertices[2].x, kEntities + 1.0);
    const double megabytes = text.size() / 1048576.0;
    std::printf("[ bench    ] DXF of %d entities, %.1f MB: read in %lld ms (%.0f MB/s)\n", kEntities,
                megabytes, static_cast<long long>(ms), ms > 0 ? megabytes * 1000.0 / ms : 0.0);
    RecordProperty("read_ms", static_cast<int>(ms));
    EXPECT_LT(ms, 10000);
}
