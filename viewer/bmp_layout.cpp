#include "viewer/bmp_layout.h"

#include <limits>

namespace viewer {

namespace {

// Info header fields as block offsets.
constexpr std::size_t kWidthAt = 4;
constexpr std::size_t kHeightAt = 8;
constexpr std::size_t kBitCountAt = 14;
constexpr std::size_t kCompressionAt = 16;
constexpr std::size_t kClrUsedAt = 32;
constexpr std::uint64_t kMaskBytes = 12;  // red, green and blue masks
constexpr std::uint64_t kInt32Max = std::numeric_limits<std::int32_t>::max();

struct HeaderFields {
  std::uint32_t size;
  std::int32_t width;
  std::int32_t height;
  std::uint16_t bitCount;
  std::uint32_t compression;
  std::uint32_t clrUsed;
};

HeaderFields ReadHeader(const unsigned char* block) {
  return {ReadLe32(block),
          ReadLe32Signed(block + kWidthAt),
          ReadLe32Signed(block + kHeightAt),
          ReadLe16(block + kBitCountAt),
          ReadLe32(block + kCompressionAt),
          ReadLe32(block + kClrUsedAt)};
}

// Masks stored apart from the header: only a plain 40-byte header with
// BI_BITFIELDS has them right behind it; later headers carry them inside.
std::uint64_t SeparateMaskBytes(const HeaderFields& h) {
  return h.compression == kBitFields && h.size == kInfoHeaderBytes ? kMaskBytes : 0;
}

std::uint64_t ColorTableEntries(const HeaderFields& h) {
  if (h.clrUsed != 0) return h.clrUsed;
  if (h.bitCount == 1 || h.bitCount == 4 || h.bitCount == 8) return std::uint64_t{1} << h.bitCount;
  return 0;  // 16, 24 and 32 bits: the pixels carry their colours
}

std::int64_t Magnitude(std::int32_t v) { return v < 0 ? -static_cast<std::int64_t>(v) : v; }

}  // namespace

std::uint16_t ReadLe16(const unsigned char* p) {
  return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}

std::uint32_t ReadLe32(const unsigned char* p) {
  return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
         (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

std::int32_t ReadLe32Signed(const unsigned char* p) {
  std::uint32_t u = ReadLe32(p);
  // two's complement without relying on an implementation-defined conversion
  return u <= kInt32Max ? static_cast<std::int32_t>(u) : -static_cast<std::int32_t>(~u) - 1;
}

bool PixelOffset(const unsigned char* block, std::size_t size, std::uint64_t* offset) {
  if (block == nullptr || size < kInfoHeaderBytes) return false;
  HeaderFields h = ReadHeader(block);
  *offset = std::uint64_t{h.size} + SeparateMaskBytes(h) + 4 * ColorTableEntries(h);
  return true;
}

bool CheckDib(const unsigned char* block, std::size_t size, DibLayout* out) {
  if (block == nullptr || size < kInfoHeaderBytes) return false;
  HeaderFields h = ReadHeader(block);
  if (h.size < kInfoHeaderBytes || h.size > size) return false;

  switch (h.bitCount) {
    case 1:
    case 4:
    case 8:
    case 24:
      if (h.compression != kRgb) return false;
      break;
    case 16:
    case 32:
      if (h.compression != kRgb && h.compression != kBitFields) return false;
      // a header longer than 40 bytes but too short to hold the masks
      if (h.compression == kBitFields && h.size > kInfoHeaderBytes && h.size < kV3HeaderBytes) {
        return false;
      }
      break;
    default:
      return false;
  }
  if (h.width <= 0 || h.height == 0) return false;

  DibLayout l;
  l.headerSize = h.size;
  l.width = h.width;
  l.height = h.height;
  l.bitCount = h.bitCount;
  l.compression = h.compression;
  l.colorTableOffset = std::uint64_t{h.size} + SeparateMaskBytes(h);
  l.colorTableBytes = 4 * ColorTableEntries(h);
  l.bitsOffset = l.colorTableOffset + l.colorTableBytes;
  if (l.bitsOffset > size) return false;

  std::uint64_t rowBits = std::uint64_t(h.width) * h.bitCount;
  if (rowBits + 31 > kInt32Max) return false;
  l.rowBytes = (rowBits + 31) / 32 * 4;
  l.rows = static_cast<std::uint64_t>(Magnitude(h.height));
  // rowBytes < 2^28 and rows <= 2^31: the product fits 64 bits
  std::uint64_t pixelBytes = l.rowBytes * l.rows;
  if (pixelBytes > kInt32Max) return false;
  if (pixelBytes > size - l.bitsOffset) return false;

  if (out) *out = l;
  return true;
}

ViewSize ImageSizeFromFileStart(const unsigned char* bytes, std::size_t count) {
  if (bytes == nullptr || count < kSizeFieldsEnd) return {kDefaultViewWidth, kDefaultViewHeight};
  auto extent = [](std::int32_t v) {
    std::int64_t m = Magnitude(v);
    return static_cast<std::int32_t>(m > kMaxViewExtent ? kMaxViewExtent : m);
  };
  return {extent(ReadLe32Signed(bytes + 18)), extent(ReadLe32Signed(bytes + 22))};
}

}  // namespace viewer
