// libFuzzer target: arbitrary snapshot files through the viewer's layout
// checks. The block is copied to a heap buffer of exactly its size, and
// everything CheckDib approves is read the way the drawing facility reads
// it, so a layout that reaches past the block shows up under ASan.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>

#include "viewer/bmp_layout.h"

namespace {

unsigned ReadAll(const unsigned char* p, std::uint64_t n) {
  unsigned sum = 0;
  for (std::uint64_t i = 0; i < n; ++i) sum += p[i];
  return sum;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // The window size comes from the file's first 32 bytes, whatever they are.
  std::size_t probe = size < viewer::kSizeProbeBytes ? size : viewer::kSizeProbeBytes;
  std::unique_ptr<unsigned char[]> start(new unsigned char[probe + 1]);
  std::memcpy(start.get(), data, probe);
  viewer::ViewSize view = viewer::ImageSizeFromFileStart(start.get(), probe);
  if (view.width < 0 || view.width > viewer::kMaxViewExtent || view.height < 0 ||
      view.height > viewer::kMaxViewExtent) {
    __builtin_trap();
  }

  // The loader's block: what the file holds after its header, at most bfSize - 14.
  if (size < viewer::kFileHeaderBytes || data[0] != 'B' || data[1] != 'M') return 0;
  std::uint32_t bfSize = viewer::ReadLe32(data + 2);
  if (bfSize < viewer::kFileHeaderBytes) return 0;
  std::size_t have = size - viewer::kFileHeaderBytes;
  std::size_t blockSize = bfSize - viewer::kFileHeaderBytes;
  if (blockSize > have) blockSize = have;
  std::unique_ptr<unsigned char[]> block(new unsigned char[blockSize ? blockSize : 1]);
  std::memcpy(block.get(), data + viewer::kFileHeaderBytes, blockSize);

  viewer::DibLayout l;
  if (!viewer::CheckDib(block.get(), blockSize, &l)) return 0;
  if (l.bitsOffset + l.rowBytes * l.rows > blockSize) __builtin_trap();
  volatile unsigned sink = 0;
  sink = sink + ReadAll(block.get(), l.headerSize);
  sink = sink + ReadAll(block.get() + l.colorTableOffset, l.colorTableBytes);
  sink = sink + ReadAll(block.get() + l.bitsOffset, l.rowBytes * l.rows);
  return 0;
}
