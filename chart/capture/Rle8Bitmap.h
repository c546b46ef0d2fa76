// The screen grab's bitmap file: a picture reduced to a fixed palette of 256 colours and
// stored as an 8-bit run-length-encoded device-independent bitmap (".BMP", compression 1).
//
// File layout (little-endian): a 14-byte file header ("BM", the file's size, two zero words,
// the pixel data's offset 14 + 40 + 1024), the 40-byte information header (width, height,
// 1 plane, 8 bits a pixel, compression 1, the encoded data's size, the rest 0), 256 colour
// entries of blue, green, red and a zero byte, then the encoded rows, bottom row first.
#pragma once

#include "platform/core/String.h"

#include <QImage>

#include <cstdint>
#include <vector>

namespace Rle8Bitmap
{
constexpr int kPaletteSize = 256;
constexpr uint32_t kFileHeaderSize = 14;
constexpr uint32_t kInfoHeaderSize = 40;
constexpr uint32_t kPixelOffset = kFileHeaderSize + kInfoHeaderSize + 4 * kPaletteSize;

// The palette, as 0x00RRGGBB: the 216 colours of the cube of six levels (0, 0x33, ... 0xFF)
// a channel, the 20 colours of the suite's colour picker that the cube lacks (levels 0x80 and
// 0xC0), and 20 greys between black and white.
const std::vector<uint32_t>& Palette();

// The index of the palette colour nearest to each pixel (in RGB distance; a colour of the
// palette is its own index), row by row from the top.
std::vector<uint8_t> Quantise(const QImage& image);

// Rows of indices (top row first) in the run-length encoding of 8-bit bitmaps: each row from
// the bottom up, as runs (count, index) and literal stretches (0, count ≥ 3, the indices, a
// pad byte to an even length), ended by (0, 0); the last row by (0, 1) instead.
std::vector<uint8_t> Encode(const std::vector<uint8_t>& indices, int width, int height);

// The whole file for a picture; empty for an empty picture.
std::vector<uint8_t> FileBytes(const QImage& image);
} // namespace Rle8Bitmap
