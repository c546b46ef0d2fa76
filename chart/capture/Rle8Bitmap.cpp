#include "chart/capture/Rle8Bitmap.h"

#include <unordered_map>

namespace Rle8Bitmap
{
namespace
{
std::vector<uint32_t> MakePalette()
{
    std::vector<uint32_t> colours;
    static const uint32_t kLevels[6] = {0x00, 0x33, 0x66, 0x99, 0xCC, 0xFF};
    for (uint32_t r : kLevels)
        for (uint32_t g : kLevels)
            for (uint32_t b : kLevels)
                colours.push_back(r << 16 | g << 8 | b);
    static const uint32_t kPicker[20] = {0x808080, 0xC0C0C0, 0xFF8080, 0x800000, 0xFF8000, 0xFFFF80, 0x808000,
                                         0x80FF00, 0x80FF80, 0x008000, 0x00FF80, 0x008080, 0x80FFFF, 0x0080FF,
                                         0x000080, 0x8080FF, 0x8000FF, 0x800080, 0xFF80FF, 0xFF0080};
    colours.insert(colours.end(), kPicker, kPicker + 20);
    for (uint32_t k = 1; k <= 20; ++k)
    {
        const uint32_t level = (255 * k + 10) / 21;
        colours.push_back(level << 16 | level << 8 | level);
    }
    return colours;
}

uint8_t Nearest(uint32_t rgb)
{
    const std::vector<uint32_t>& palette = Palette();
    const int r = (rgb >> 16) & 0xFF, g = (rgb >> 8) & 0xFF, b = rgb & 0xFF;
    int best = 0;
    long bestDistance = -1;
    for (int i = 0; i < kPaletteSize; ++i)
    {
        const int dr = r - static_cast<int>((palette[i] >> 16) & 0xFF);
        const int dg = g - static_cast<int>((palette[i] >> 8) & 0xFF);
        const int db = b - static_cast<int>(palette[i] & 0xFF);
        const long distance = static_cast<long>(dr) * dr + static_cast<long>(dg) * dg + static_cast<long>(db) * db;
        if (bestDistance < 0 || distance < bestDistance)
        {
            best = i;
            bestDistance = distance;
        }
    }
    return static_cast<uint8_t>(best);
}

void Put16(std::vector<uint8_t>& out, uint32_t value)
{
    out.push_back(static_cast<uint8_t>(value & 0xFF));
    out.push_back(static_cast<uint8_t>((value >> 8) & 0xFF));
}

void Put32(std::vector<uint8_t>& out, uint32_t value)
{
    Put16(out, value & 0xFFFF);
    Put16(out, value >> 16);
}

// How many indices from `at` repeat the one there (at most 255).
int RunAt(const uint8_t* row, int at, int width)
{
    int n = 1;
    while (at + n < width && n < 255 && row[at + n] == row[at])
        ++n;
    return n;
}

void EncodeRow(const uint8_t* row, int width, std::vector<uint8_t>& out)
{
    int x = 0;
    while (x < width)
    {
        const int run = RunAt(row, x, width);
        if (run >= 3)
        {
            out.push_back(static_cast<uint8_t>(run));
            out.push_back(row[x]);
            x += run;
            continue;
        }
        // A literal stretch up to the next run of three or more.
        int end = x;
        while (end < width && end - x < 255 && RunAt(row, end, width) < 3)
            ++end;
        const int count = end - x;
        if (count < 3)
        {
            // Literal stretches hold three indices at least: shorter ones go as runs.
            for (; x < end; ++x)
            {
                out.push_back(1);
                out.push_back(row[x]);
            }
            continue;
        }
        out.push_back(0);
        out.push_back(static_cast<uint8_t>(count));
        out.insert(out.end(), row + x, row + end);
        if (count % 2)
            out.push_back(0);
        x = end;
    }
}
} // namespace

const std::vector<uint32_t>& Palette()
{
    static const std::vector<uint32_t> palette = MakePalette();
    return palette;
}

std::vector<uint8_t> Quantise(const QImage& image)
{
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    std::vector<uint8_t> indices;
    indices.reserve(static_cast<size_t>(rgb.width()) * rgb.height());
    // A chart has few colours: each is matched once.
    std::unordered_map<uint32_t, uint8_t> known;
    for (int y = 0; y < rgb.height(); ++y)
    {
        const auto* line = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
        for (int x = 0; x < rgb.width(); ++x)
        {
            const uint32_t colour = line[x] & 0xFFFFFF;
            auto found = known.find(colour);
            if (found == known.end())
                found = known.emplace(colour, Nearest(colour)).first;
            indices.push_back(found->second);
        }
    }
    return indices;
}

std::vector<uint8_t> Encode(const std::vector<uint8_t>& indices, int width, int height)
{
    std::vector<uint8_t> out;
    if (width <= 0 || height <= 0 || indices.size() < static_cast<size_t>(width) * height)
        return out;
    for (int y = height - 1; y >= 0; --y)
    {
        EncodeRow(indices.data() + static_cast<size_t>(y) * width, width, out);
        out.push_back(0);
        out.push_back(y == 0 ? 1 : 0);
    }
    return out;
}

std::vector<uint8_t> FileBytes(const QImage& image)
{
    std::vector<uint8_t> file;
    if (image.isNull() || image.width() <= 0 || image.height() <= 0)
        return file;
    const std::vector<uint8_t> data = Encode(Quantise(image), image.width(), image.height());
    const uint32_t dataSize = static_cast<uint32_t>(data.size());
    file.reserve(kPixelOffset + dataSize);
    // File header.
    Put16(file, 0x4D42);
    Put32(file, kPixelOffset + dataSize);
    Put16(file, 0);
    Put16(file, 0);
    Put32(file, kPixelOffset);
    // Information header.
    Put32(file, kInfoHeaderSize);
    Put32(file, static_cast<uint32_t>(image.width()));
    Put32(file, static_cast<uint32_t>(image.height()));
    Put16(file, 1);
    Put16(file, 8);
    Put32(file, 1); // 8-bit run-length encoding
    Put32(file, dataSize);
    for (int i = 0; i < 4; ++i)
        Put32(file, 0); // resolutions, colours used, colours important
    for (uint32_t colour : Palette())
    {
        file.push_back(static_cast<uint8_t>(colour & 0xFF));
        file.push_back(static_cast<uint8_t>((colour >> 8) & 0xFF));
        file.push_back(static_cast<uint8_t>((colour >> 16) & 0xFF));
        file.push_back(0);
    }
    file.insert(file.end(), data.begin(), data.end());
    return file;
}
} // namespace Rle8Bitmap
