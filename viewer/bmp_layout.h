// Where a snapshot's pixels lie and whether it can be drawn safely.
//
// The image block is the snapshot file after its 14-byte file header: the
// info header, the colour table and the pixel rows, exactly as stored. The
// file may be shorter than its header claims, and nothing in it can be
// trusted, so every count the header gives is checked against the block
// before the drawing facility is handed a pointer into it.
//
// No <windows.h> here: the rules are tested and fuzzed on the host.
#pragma once

#include <cstddef>
#include <cstdint>

namespace viewer {

constexpr std::uint32_t kFileHeaderBytes = 14;  // "BM", bfSize, reserved, bfOffBits
constexpr std::uint32_t kInfoHeaderBytes = 40;  // BITMAPINFOHEADER
constexpr std::uint32_t kCoreHeaderBytes = 12;  // the old BITMAPCOREHEADER
constexpr std::uint32_t kV3HeaderBytes = 52;    // first header holding its own colour masks
constexpr std::uint32_t kRgb = 0;               // BI_RGB
constexpr std::uint32_t kBitFields = 3;         // BI_BITFIELDS

// Little-endian fields, as the file stores them.
std::uint16_t ReadLe16(const unsigned char* p);
std::uint32_t ReadLe32(const unsigned char* p);
std::int32_t ReadLe32Signed(const unsigned char* p);

// The parts of a drawable image, as block offsets and sizes.
struct DibLayout {
  std::uint32_t headerSize = 0;
  std::int32_t width = 0;   // positive
  std::int32_t height = 0;  // as stored: negative for rows stored top-down
  std::uint16_t bitCount = 0;
  std::uint32_t compression = 0;
  std::uint64_t colorTableOffset = 0;  // after the header and any separate masks
  std::uint64_t colorTableBytes = 0;
  std::uint64_t bitsOffset = 0;  // the first pixel row
  std::uint64_t rowBytes = 0;    // one row, padded to four bytes
  std::uint64_t rows = 0;        // |height|
};

// Block offset of the first pixel row: after the header, any separate
// BI_BITFIELDS masks and the colour table (biClrUsed entries, or a full
// table for 1, 4 and 8 bits per pixel when it is 0). False when the block is
// too short for a 40-byte info header. The result may lie past the block.
bool PixelOffset(const unsigned char* block, std::size_t size, std::uint64_t* offset);

// True when the block holds a complete image the drawing facility can be
// given: an info header of at least 40 bytes (a 12-byte core header is not
// drawn), 1, 4, 8, 16, 24 or 32 bits per pixel, uncompressed or (16 and 32
// bits) BI_BITFIELDS, a positive width, a non-zero height, and header,
// colour table and every row inside the block. Sizes that 32-bit drawing
// code would overflow on (a row of 2^31 bits, pixel data of 2^31 bytes) are
// refused too. *out, when given, receives the layout.
bool CheckDib(const unsigned char* block, std::size_t size, DibLayout* out = nullptr);

// ---- the viewer's window size ------------------------------------------------

constexpr std::int32_t kDefaultViewWidth = 320;
constexpr std::int32_t kDefaultViewHeight = 240;
constexpr std::int32_t kMaxViewExtent = 32767;
constexpr std::size_t kSizeProbeBytes = 32;  // read from the start of the file
constexpr std::size_t kSizeFieldsEnd = 26;   // biWidth at 18, biHeight at 22

struct ViewSize {
  std::int32_t width;
  std::int32_t height;
};

// Client size for a snapshot whose first `count` bytes are `bytes` (the
// file's start, header and all): biWidth and biHeight taken by absolute
// value and each capped at 32767, or 320 x 240 when the file is shorter than
// 26 bytes. The "BM" signature plays no part.
ViewSize ImageSizeFromFileStart(const unsigned char* bytes, std::size_t count);

}  // namespace viewer
