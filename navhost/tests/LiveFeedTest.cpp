// The host's live input: AIS messages decoded as an independent decoder (gpsd's, through the
// checked-in fixture) decodes them and kept as chart targets; damaged sentences refused; and the
// demo's replayed feed, arriving over UDP on 127.0.0.1, moving the vessel and the AIS targets
// on the chart.
#include "NavHostFixture.h"

#include "navhost/AisDecoder.h"

#include <QTextStream>

#include <cfloat>
#include <cmath>
#include <string>
#include <vector>

using namespace NavHostTest;

namespace
{
QString FixturePath(const char* name)
{
    return QString(SUITE_SOURCE_DIR) + "/navhost/tests/data/" + name;
}

std::vector<std::string> ReadLines(const QString& path)
{
    std::vector<std::string> lines;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return lines;
    QTextStream in(&file);
    while (!in.atEnd())
    {
        const QString line = in.readLine().trimmed();
        if (!line.isEmpty())
            lines.push_back(line.toStdString());
    }
    return lines;
}

// Field `index` of a sentence (before its checksum).
std::string Field(const std::string& sentence, int index)
{
    const std::string body = sentence.substr(0, sentence.find('*'));
    size_t start = 0;
    for (int i = 0; i < index; ++i)
        start = body.find(',', start) + 1;
    return body.substr(start, body.find(',', start) - start);
}

// The expected value of a column; NAN for a value gpsd gives as none.
double Number(const QString& text)
{
    bool ok = false;
    const double value = text.toDouble(&ok);
    return ok ? value : NAN;
}

CProjection* Utm31(CSpheroid& wgs84, CProjection& projection)
{
    wgs84.SetFromTable(CSpheroid::WGS84_ROW);
    projection.SetSpheroid(&wgs84);
    projection.SetZone(31, 0, 0);
    return &projection;
}
} // namespace

TEST(AisDecoding, AgreesWithAnIndependentDecoderFieldByField)
{
    const std::vector<std::string> sentences = ReadLines(FixturePath("ais_sentences.nmea"));
    const std::vector<std::string> rows = ReadLines(FixturePath("ais_expected.csv"));
    ASSERT_EQ(sentences.size(), 8u);
    ASSERT_EQ(rows.size(), 7u); // a heading line, then one row a message (message 24's two parts as one)
    // Whole messages: the two fragments of message 5 joined.
    std::vector<std::pair<std::string, int>> payloads;
    for (size_t i = 0; i < sentences.size(); ++i)
    {
        std::string payload = Field(sentences[i], 5);
        if (Field(sentences[i], 1) == "2")
        {
            ++i;
            payload += Field(sentences[i], 5);
        }
        payloads.emplace_back(payload, std::stoi(Field(sentences[i], 6)));
    }
    ASSERT_EQ(payloads.size(), 7u);
    for (size_t m = 0; m < 5; ++m)
    {
        const QStringList c = QString::fromStdString(rows[m + 1]).split(',');
        AisReportDef r;
        ASSERT_TRUE(DecodeAisPayload(payloads[m].first, payloads[m].second, r)) << m;
        EXPECT_EQ(r.Type, c[0].toInt()) << m;
        EXPECT_EQ(r.Mmsi, c[1].toUInt()) << m;
        const double lat = Number(c[2]), lon = Number(c[3]);
        if (std::isnan(lat) || lat > 90.0)
        {
            EXPECT_FALSE(r.HasPosition()) << m;
        }
        else
        {
            EXPECT_NEAR(r.Latitude, lat, 1e-6) << m;
            EXPECT_NEAR(r.Longitude, lon, 1e-6) << m;
        }
        const double speed = Number(c[4]), course = Number(c[5]), heading = Number(c[6]);
        if (!c[4].isEmpty())
        {
            EXPECT_DOUBLE_EQ(r.SpeedKnots, std::isnan(speed) ? -1.0 : speed) << m;
        }
        if (!c[5].isEmpty())
        {
            EXPECT_DOUBLE_EQ(r.CourseDegrees, course >= 360.0 ? -1.0 : course) << m;
        }
        if (!c[6].isEmpty())
        {
            EXPECT_DOUBLE_EQ(r.HeadingDegrees, heading >= 360.0 ? -1.0 : heading) << m;
        }
        if (!c[8].isEmpty())
        {
            EXPECT_EQ(r.Status, c[8].toInt()) << m;
        }
        EXPECT_EQ(std::string(r.Name), c[9].toStdString()) << m;
        EXPECT_EQ(std::string(r.CallSign), c[10].toStdString()) << m;
        if (!c[11].isEmpty())
        {
            EXPECT_EQ(r.ShipType, c[11].toInt()) << m;
            EXPECT_EQ(r.ToBow, c[12].toInt()) << m;
            EXPECT_EQ(r.ToStern, c[13].toInt()) << m;
            EXPECT_EQ(r.ToPort, c[14].toInt()) << m;
            EXPECT_EQ(r.ToStarboard, c[15].toInt()) << m;
        }
    }
    // Message 24: the name in part A, the rest in part B, which gpsd gives as one row.
    const QStringList c = QString::fromStdString(rows[6]).split(',');
    AisReportDef a, b;
    ASSERT_TRUE(DecodeAisPayload(payloads[5].first, payloads[5].second, a));
    ASSERT_TRUE(DecodeAisPayload(payloads[6].first, payloads[6].second, b));
    EXPECT_EQ(a.PartNumber, 0);
    EXPECT_EQ(std::string(a.Name), c[9].toStdString());
    EXPECT_EQ(b.PartNumber, 1);
    EXPECT_EQ(std::string(b.CallSign), c[10].toStdString());
    EXPECT_EQ(b.ShipType, c[11].toInt());
    EXPECT_EQ(b.ToBow + b.ToStern + b.ToPort + b.ToStarboard,
              c[12].toInt() + c[13].toInt() + c[14].toInt() + c[15].toInt());
}

TEST(AisDecodingBadInput, DamagedSentencesGiveNoReport)
{
    CSpheroid wgs84;
    CProjection projection;
    Utm31(wgs84, projection);
    const std::vector<std::string> good = ReadLines(FixturePath("ais_sentences.nmea"));
    ASSERT_GE(good.size(), 5u);
    std::string wrongSum = good[0];
    wrongSum[wrongSum.size() - 1] = wrongSum.back() == '0' ? '1' : '0';
    std::string badArmour = good[0];
    badArmour[16] = 'Z'; // between 'W' and '`': no six-bit value
    const struct
    {
        const char* what;
        std::vector<std::string> lines;
    } cases[] = {
        {"wrong checksum", {wrongSum}},
        {"character outside the armour", {badArmour}},
        {"second fragment alone", {good[4]}},
        {"fragments in the wrong order", {good[4], good[3]}},
        {"a message cut short", {"!AIVDM,1,1,,A,13P80v@00q0,0*0B"}},
        {"not an AIS sentence", {"!AIALR,1,1,,A,13P80v@00q0=dbPNvhvjCQnt0000,0*24"}},
    };
    for (const auto& c : cases)
    {
        CAis store;
        CAisDecoder decoder;
        for (const std::string& line : c.lines)
            EXPECT_FALSE(decoder.TakeLine(line.c_str(), store, projection)) << c.what;
        EXPECT_EQ(store.GetCount(), 0) << c.what;
    }
}

TEST(AisDecoding, TargetsAreKeptByMmsiWithTheirStaticData)
{
    CSpheroid wgs84;
    CProjection projection;
    Utm31(wgs84, projection);
    CAis store;
    CAisDecoder decoder;
    int applied = 0;
    for (const std::string& line : ReadLines(FixturePath("ais_sentences.nmea")))
        applied += decoder.TakeLine(line.c_str(), store, projection) ? 1 : 0;
    EXPECT_EQ(applied, 7);
    ASSERT_EQ(store.GetCount(), 4);
    auto target = [&](const char* mmsi) -> AisTargetDef* {
        for (INT_PTR i = 0; i < store.GetCount(); ++i)
            if (store.GetTarget(i)->id == mmsi)
                return store.GetTarget(i);
        return nullptr;
    };
    AisTargetDef* supplier = target("235012345");
    ASSERT_NE(supplier, nullptr);
    EXPECT_EQ(supplier->name, "DEMO SUPPLIER");
    EXPECT_EQ(supplier->classLetter, 'A');
    EXPECT_EQ(supplier->category, AIS_CLASS_A);
    EXPECT_EQ(supplier->toBow + supplier->toStern, 80);
    double e = 0.0, n = 0.0, convergence = 0.0;
    ASSERT_TRUE(projection.GeographicToGrid(54.142712 * M_PI / 180.0, 2.992347 * M_PI / 180.0, &e, &n, &convergence));
    // The fixture gives the position to a micro-degree, a tenth of a metre.
    EXPECT_NEAR(supplier->E, e, 0.2);
    EXPECT_NEAR(supplier->N, n, 0.2);
    // True courses become grid courses (radians) by the convergence there.
    EXPECT_NEAR(supplier->heading, 59.0 * M_PI / 180.0 - convergence, 1e-7);
    AisTargetDef* guard = target("235098765");
    ASSERT_NE(guard, nullptr);
    EXPECT_EQ(guard->name, "GUARD BOAT");
    EXPECT_EQ(guard->classLetter, 'B');
    EXPECT_EQ(guard->toBow, 10);
    // A target reported without a position keeps none; an anchored one is classed so.
    AisTargetDef* lost = target("244000001");
    ASSERT_NE(lost, nullptr);
    EXPECT_EQ(lost->E, DBL_MAX);
    EXPECT_EQ(target("987654321")->category, AIS_ANCHORED);

}

class LiveFeedTest : public NavHostFixture
{
};

TEST_F(LiveFeedTest, VesselAndAisTargetsMoveAsTheReplayedFeedArrivesOverUdp)
{
    Start();
    // The replayed feed of the demo, an epoch (from one GGA to the next) a datagram.
    std::vector<std::string> epochs;
    for (const std::string& line : ReadLines(QString(SUITE_SOURCE_DIR) + "/data/demo/MyData/demo_navigation.nmea"))
    {
        if (line.compare(3, 3, "GGA") == 0 || epochs.empty())
            epochs.emplace_back();
        epochs.back() += line + "\r\n";
    }
    ASSERT_GT(epochs.size(), 40u);
    CBarge& vessel = m_pFrame->m_Data.m_Vessel;
    CAis& ais = m_pFrame->m_Data.m_Ais;
    std::vector<double> eastings;
    for (size_t t = 0; t < 40; ++t)
    {
        const size_t trail = static_cast<size_t>(vessel.m_Trail.GetSize());
        ASSERT_TRUE(Feed(epochs[t], [&] { return static_cast<size_t>(vessel.m_Trail.GetSize()) > trail; })) << t;
        eastings.push_back(vessel.m_Position.x);
    }
    // East along the first sail line at 5 m/s, the reference point 20 m behind the antenna.
    EXPECT_NEAR(eastings.front(), 500000.0 - 20.0, 0.5);
    EXPECT_NEAR(eastings.back(), 500000.0 + 39 * 5.0 - 20.0, 0.5);
    EXPECT_NEAR(vessel.m_Heading, 90.0, 0.5);
    EXPECT_EQ(vessel.m_Trail.GetSize(), 40);
    // The supplier and the guard boat, named from their static reports.
    ASSERT_EQ(ais.GetCount(), 2);
    EXPECT_EQ(ais.GetTarget(0)->name, "DEMO SUPPLIER");
    EXPECT_EQ(ais.GetTarget(1)->name, "GUARD BOAT");
    EXPECT_GT(ais.GetTarget(0)->history.GetSize(), 5);

    // The chart, following the vessel, shows its outline where the last fix put it, and the
    // supplier's symbol (class A, green) at its grid position.
    Repaint();
    const QImage image = Picture();
    image.save(QString(SUITE_VISUAL_DIR) + "/navhost_live.png");
    const double bowE = vessel.m_Position.x + 44.0, bowN = vessel.m_Position.y;
    EXPECT_GT(PixelsNear(image, bowE, bowN, 3, Near(QColor(255, 255, 255), 12)), 0) << "the bow";
    const AisTargetDef* supplier = ais.GetTarget(0);
    EXPECT_GT(PixelsNear(image, supplier->E, supplier->N, 4, Near(QColor(0, 255, 0), 20)), 5) << "the supplier";
    // The log names the open input and nothing went unused.
    EXPECT_GE(m_pFrame->m_wndLogPane.GetLine(0).Find("Live input \"Test Feed\""), 0);
}
