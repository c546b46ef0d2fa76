// Range readers that meet must give exactly the points, in exactly the order and on exactly the
// lines, that reading the file piece by piece gives, wherever the ranges meet: lines belong to
// the range they start in, however far they run.
#include "features/XyzRangeReader.h"
#include "features/tests/FeatureTestFiles.h"
#include "platform/core/Path.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fcntl.h>
#include <unistd.h>
#include <cstring>
#include <random>
#include <string>
#include <vector>

using namespace featuretest;

namespace
{
struct Expected
{
    double e, n, d;
    int64_t line;
};

// The pieces a 1024-byte line buffer takes (at most 1023 characters, newline included), each
// read as a line of its own; a piece that does not end a line leaves the line count as it is.
std::vector<Expected> ReadPieceByPiece(const QByteArray& text)
{
    std::vector<Expected> points;
    int64_t line = 0;
    bool lineEnded = true;
    for (int at = 0; at < text.size();)
    {
        int length = 0;
        while (length < 1023 && at + length < text.size() && text[at + length] != '\n')
            ++length;
        if (length < 1023 && at + length < text.size())
            ++length; // its newline
        const QByteArray piece = text.mid(at, length);
        if (lineEnded)
            ++line;
        lineEnded = piece.endsWith('\n');
        Expected p;
        if (ParseXyzLine(piece.constData(), p.e, p.n, p.d))
        {
            p.line = line;
            points.push_back(p);
        }
        at += length;
    }
    return points;
}

// Lines of every kind the sources hold, long ones included, in a random order.
QByteArray MixedText(unsigned seed)
{
    std::mt19937 random(seed);
    const char* forms[] = {"%.2f %.2f %.3f\n", "%.1f,%.1f,%.2f\r\n", "%g\t%g\t%g\n", "%e %e %e\n",
                           "+%.3f, %.3f ,%.1f remark\n"};
    QByteArray text;
    for (int i = 0; i < 400; ++i)
    {
        const int kind = static_cast<int>(random() % 12);
        if (kind == 0)
            text += "\n";
        else if (kind == 1)
            text += "Easting Northing Depth\n";
        else if (kind == 2)
            text += "12 34\n";
        else if (kind == 3)
            text += QByteArray(static_cast<int>(random() % 2500), ' ') + "7 8 9\n"; // crosses pieces
        else
        {
            char line[160];
            std::snprintf(line, sizeof(line), forms[random() % 5], 1000.0 + random() % 5000 * 0.5,
                          2000.0 + random() % 5000 * 0.25, (random() % 9000) * 0.01);
            text += line;
        }
    }
    text += "1 2 3"; // no final newline
    return text;
}
} // namespace

TEST(XyzRangeReader, RangesThatMeetGiveEveryPieceOnceInOrder)
{
    for (unsigned seed : {1u, 2u, 3u})
    {
        const QByteArray text = MixedText(seed);
        WriteBytes("C:\\Ranges\\mixed.xyz", text);
        const std::vector<Expected> expected = ReadPieceByPiece(text);
        ASSERT_GT(expected.size(), 250u);
        const int fd = ::open(LinuxPathBytesFromWindows("C:\\Ranges\\mixed.xyz").constData(), O_RDONLY);
        ASSERT_GE(fd, 0);
        const int64_t length = text.size();
        // Ranges of every size from a byte to the whole file, and the ways a thread count splits it.
        std::vector<std::vector<int64_t>> splits;
        for (int64_t size : {int64_t(1), int64_t(7), int64_t(100), int64_t(1022), int64_t(1023),
                             int64_t(1024), int64_t(4096), length})
        {
            std::vector<int64_t> bounds;
            for (int64_t at = 0; at < length; at += size)
                bounds.push_back(at);
            bounds.push_back(length);
            splits.push_back(bounds);
        }
        for (int parts : {2, 3, 5})
        {
            std::vector<int64_t> bounds;
            for (int r = 0; r <= parts; ++r)
                bounds.push_back(length * r / parts);
            splits.push_back(bounds);
        }
        for (const std::vector<int64_t>& bounds : splits)
        {
            std::vector<Expected> got;
            int64_t linesBefore = 0;
            for (size_t r = 0; r + 1 < bounds.size(); ++r)
            {
                CXyzRangeReader reader(fd, length, bounds[r], bounds[r + 1]);
                CXyzRangeReader::Point p;
                while (reader.Next(p))
                    got.push_back({p.Easting, p.Northing, p.Depth, linesBefore + p.Line});
                linesBefore += reader.Lines();
            }
            const std::string where = "seed " + std::to_string(seed) + ", " +
                                      std::to_string(bounds.size() - 1) + " ranges from " +
                                      std::to_string(bounds[1]) + " bytes";
            ASSERT_EQ(got.size(), expected.size()) << where;
            for (size_t i = 0; i < got.size(); ++i)
            {
                ASSERT_TRUE(std::memcmp(&got[i].e, &expected[i].e, sizeof(double)) == 0 &&
                            std::memcmp(&got[i].n, &expected[i].n, sizeof(double)) == 0 &&
                            std::memcmp(&got[i].d, &expected[i].d, sizeof(double)) == 0)
                    << where << ", point " << i;
                ASSERT_EQ(got[i].line, expected[i].line) << where << ", point " << i;
            }
        }
        ::close(fd);
    }
}
