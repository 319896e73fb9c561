// Where a snapshot's pixels start, when it may be drawn, and the size the
// viewer gives its window.
#include "viewer/bmp_layout.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace {

using viewer::CheckDib;
using viewer::DibLayout;

void PutLe(std::vector<unsigned char>& b, std::size_t at, std::uint32_t v, int bytes) {
  for (int i = 0; i < bytes; ++i) b[at + i] = static_cast<unsigned char>(v >> (8 * i));
}

// An image block (the file after its 14-byte header): an info header of
// headerSize bytes followed by zeros up to blockSize.
struct Header {
  std::uint32_t size = 40;
  std::int32_t width = 1;
  std::int32_t height = 1;
  std::uint16_t bitCount = 24;
  std::uint32_t compression = 0;
  std::uint32_t clrUsed = 0;
};

std::vector<unsigned char> Block(const Header& h, std::size_t blockSize) {
  std::vector<unsigned char> b(blockSize < 40 ? 40 : blockSize, 0);
  PutLe(b, 0, h.size, 4);
  PutLe(b, 4, static_cast<std::uint32_t>(h.width), 4);
  PutLe(b, 8, static_cast<std::uint32_t>(h.height), 4);
  PutLe(b, 12, 1, 2);
  PutLe(b, 14, h.bitCount, 2);
  PutLe(b, 16, h.compression, 4);
  PutLe(b, 32, h.clrUsed, 4);
  b.resize(blockSize);
  return b;
}

constexpr std::uint64_t kNoFit = ~std::uint64_t{0};

struct DibCase {
  const char* name;
  Header header;
  std::size_t blockSize;
  std::uint64_t bitsOffset;  // kNoFit: must not be drawn
};

// Row sizes: 24 bpp x 3 = 9 bytes -> 12; 8 bpp x 5 -> 8; 4 bpp x 9 -> 8;
// 1 bpp x 33 -> 8; 16 bpp x 3 -> 8; 32 bpp x 3 -> 12.
const DibCase kDibCases[] = {
    {"24 bpp, pixels right after the header", {40, 3, 2, 24, 0, 0}, 40 + 24, 40},
    {"24 bpp, one byte short of the last row", {40, 3, 2, 24, 0, 0}, 40 + 23, kNoFit},
    {"24 bpp, bottom-up and top-down alike", {40, 3, -2, 24, 0, 0}, 40 + 24, 40},
    {"24 bpp with a colour table of 2", {40, 3, 2, 24, 0, 2}, 40 + 8 + 24, 48},
    {"8 bpp, full table when biClrUsed is 0", {40, 5, 2, 8, 0, 0}, 40 + 1024 + 16, 1064},
    {"8 bpp, table cut short", {40, 5, 2, 8, 0, 0}, 40 + 1000, kNoFit},
    {"8 bpp, biClrUsed 16", {40, 5, 2, 8, 0, 16}, 40 + 64 + 16, 104},
    {"8 bpp, biClrUsed larger than the block", {40, 5, 2, 8, 0, 0x40000000}, 4096, kNoFit},
    {"8 bpp, biClrUsed whose bytes wrap 32 bits", {40, 5, 2, 8, 0, 0xFFFFFFFF}, 4096, kNoFit},
    {"4 bpp, table of 16", {40, 9, 2, 4, 0, 0}, 40 + 64 + 16, 104},
    {"1 bpp, table of 2", {40, 33, 2, 1, 0, 0}, 40 + 8 + 16, 48},
    {"1 bpp, rows short", {40, 33, 2, 1, 0, 0}, 40 + 8 + 15, kNoFit},
    {"16 bpp, no table", {40, 3, 2, 16, 0, 0}, 40 + 16, 40},
    {"32 bpp, no table", {40, 3, 2, 32, 0, 0}, 40 + 24, 40},
    {"16 bpp bit fields, masks after the header", {40, 3, 2, 16, 3, 0}, 40 + 12 + 16, 52},
    {"32 bpp bit fields, masks after the header", {40, 3, 2, 32, 3, 0}, 40 + 12 + 24, 52},
    {"32 bpp bit fields, masks missing", {40, 3, 2, 32, 3, 0}, 40 + 12 + 23, kNoFit},
    {"32 bpp bit fields, masks inside a V5 header", {124, 3, 2, 32, 3, 0}, 124 + 24, 124},
    {"bit fields, header between 40 and 52 bytes", {44, 3, 2, 32, 3, 0}, 200, kNoFit},
    {"bit fields at 24 bpp", {40, 3, 2, 24, 3, 0}, 200, kNoFit},
    {"run-length compressed", {40, 5, 2, 8, 1, 0}, 4096, kNoFit},
    {"12-byte core header", {12, 3, 2, 24, 0, 0}, 200, kNoFit},
    {"header size below 40", {36, 3, 2, 24, 0, 0}, 200, kNoFit},
    {"header size past the block", {400, 3, 2, 24, 0, 0}, 200, kNoFit},
    {"block shorter than an info header", {40, 1, 1, 24, 0, 0}, 39, kNoFit},
    {"empty block", {40, 1, 1, 24, 0, 0}, 0, kNoFit},
    {"odd bit count", {40, 3, 2, 7, 0, 0}, 4096, kNoFit},
    {"zero width", {40, 0, 2, 24, 0, 0}, 4096, kNoFit},
    {"negative width", {40, -3, 2, 24, 0, 0}, 4096, kNoFit},
    {"zero height", {40, 3, 0, 24, 0, 0}, 4096, kNoFit},
    {"huge width", {40, 0x7FFFFFFF, 1, 32, 0, 0}, 4096, kNoFit},
    {"huge height", {40, 1, 0x7FFFFFFF, 24, 0, 0}, 4096, kNoFit},
    {"most negative height", {40, 1, INT32_MIN, 24, 0, 0}, 4096, kNoFit},
    {"rows whose bytes pass 2^31", {40, 0x4000000, 0x4000000, 32, 0, 0}, 4096, kNoFit},
};

TEST(CheckDib, DrawsOnlyWhatTheBlockHolds) {
  for (const DibCase& c : kDibCases) {
    SCOPED_TRACE(c.name);
    std::vector<unsigned char> block = Block(c.header, c.blockSize);
    DibLayout layout;
    bool fits = CheckDib(block.data(), block.size(), &layout);
    if (c.bitsOffset == kNoFit) {
      EXPECT_FALSE(fits);
      continue;
    }
    ASSERT_TRUE(fits);
    EXPECT_EQ(layout.bitsOffset, c.bitsOffset);
    EXPECT_LE(layout.bitsOffset + layout.rowBytes * layout.rows, block.size());
    EXPECT_EQ(layout.width, c.header.width);
    EXPECT_EQ(layout.height, c.header.height);
  }
}

TEST(CheckDib, AcceptsNoBlock) { EXPECT_FALSE(CheckDib(nullptr, 100)); }

// The pixel position on its own, for blocks the viewer will not draw too.
TEST(PixelOffset, FollowsTheHeaderAndTable) {
  struct {
    const char* name;
    Header header;
    std::uint64_t offset;
  } cases[] = {
      {"24 bpp", {40, 1, 1, 24, 0, 0}, 40},
      {"8 bpp, biClrUsed 0", {40, 1, 1, 8, 0, 0}, 40 + 1024},
      {"8 bpp, biClrUsed 16", {40, 1, 1, 8, 0, 16}, 40 + 64},
      {"4 bpp", {40, 1, 1, 4, 0, 0}, 40 + 64},
      {"1 bpp", {40, 1, 1, 1, 0, 0}, 40 + 8},
      {"16 bpp: no table, not 4 x 2^16 bytes", {40, 1, 1, 16, 0, 0}, 40},
      {"32 bpp", {40, 1, 1, 32, 0, 0}, 40},
      {"16 bpp bit fields", {40, 1, 1, 16, 3, 0}, 52},
      {"V4 header with bit fields", {108, 1, 1, 32, 3, 0}, 108},
      {"biClrUsed of 2^32 - 1 does not wrap", {40, 1, 1, 8, 0, 0xFFFFFFFF}, 40 + 4 * 0xFFFFFFFFull},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    std::vector<unsigned char> block = Block(c.header, 40);
    std::uint64_t offset = 0;
    ASSERT_TRUE(viewer::PixelOffset(block.data(), block.size(), &offset));
    EXPECT_EQ(offset, c.offset);
  }
  std::vector<unsigned char> shortBlock(39, 0);
  std::uint64_t offset = 0;
  EXPECT_FALSE(viewer::PixelOffset(shortBlock.data(), shortBlock.size(), &offset));
}

// ---- window size -------------------------------------------------------------

std::vector<unsigned char> FileStart(std::uint32_t width, std::uint32_t height, std::size_t n) {
  std::vector<unsigned char> b(32, 0xAB);
  PutLe(b, 18, width, 4);
  PutLe(b, 22, height, 4);
  b.resize(n);
  return b;
}

TEST(ImageSizeFromFileStart, ReadsAbsoluteCappedSize) {
  struct {
    const char* name;
    std::uint32_t width, height;
    std::size_t bytes;
    viewer::ViewSize expect;
  } cases[] = {
      {"plain size", 640, 480, 32, {640, 480}},
      {"exactly 26 bytes", 7, 9, 26, {7, 9}},
      {"25 bytes: default", 7, 9, 25, {320, 240}},
      {"nothing read: default", 7, 9, 0, {320, 240}},
      {"negative height counts by value", 100, static_cast<std::uint32_t>(-50), 32, {100, 50}},
      {"negative width counts by value", static_cast<std::uint32_t>(-100), 50, 32, {100, 50}},
      {"capped at 32767", 32768, 1000000, 32, {32767, 32767}},
      {"32767 itself", 32767, 32767, 32, {32767, 32767}},
      {"most negative values", 0x80000000u, 0x80000001u, 32, {32767, 32767}},
      {"zero", 0, 0, 32, {0, 0}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    std::vector<unsigned char> b = FileStart(c.width, c.height, c.bytes);
    viewer::ViewSize size = viewer::ImageSizeFromFileStart(b.data(), b.size());
    EXPECT_EQ(size.width, c.expect.width);
    EXPECT_EQ(size.height, c.expect.height);
  }
}

TEST(ReadLe32Signed, KeepsTheSign) {
  const unsigned char minusOne[] = {0xFF, 0xFF, 0xFF, 0xFF};
  const unsigned char minimum[] = {0x00, 0x00, 0x00, 0x80};
  const unsigned char maximum[] = {0xFF, 0xFF, 0xFF, 0x7F};
  EXPECT_EQ(viewer::ReadLe32Signed(minusOne), -1);
  EXPECT_EQ(viewer::ReadLe32Signed(minimum), INT32_MIN);
  EXPECT_EQ(viewer::ReadLe32Signed(maximum), INT32_MAX);
}

}  // namespace
