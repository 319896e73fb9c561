#include "viewer/snap_image.h"

#include <cstdint>

#include "viewer/bmp_layout.h"

namespace {

// Reads up to `count` bytes; fewer only at the end of the file or on an error.
DWORD ReadUpTo(HANDLE file, unsigned char* into, DWORD count) {
  DWORD total = 0;
  while (total < count) {
    DWORD got = 0;
    if (!ReadFile(file, into + total, count - total, &got, nullptr) || got == 0) break;
    total += got;
  }
  return total;
}

}  // namespace

void CSnapImage::Free() {
  m_hDrawDib.reset();
  m_block.reset();
  m_nBlockSize = 0;
}

BOOL CSnapImage::Load(const char* path) {
  Free();
  UniqueDrawDib drawDib(DrawDibOpen());
  if (!drawDib) return FALSE;

  // No sharing: the snapshot is never read while its writer still holds it.
  platform::UniqueFile file(
      CreateFileA(path, GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return FALSE;

  unsigned char header[viewer::kFileHeaderBytes];
  if (ReadUpTo(file.get(), header, sizeof header) != sizeof header) return FALSE;
  if (header[0] != 'B' || header[1] != 'M') return FALSE;
  std::uint32_t bfSize = viewer::ReadLe32(header + 2);
  if (bfSize < viewer::kFileHeaderBytes) return FALSE;

  // Hold what the file has, never more than its header claims: a block
  // larger than the file would leave bytes nobody wrote.
  LARGE_INTEGER fileSize;
  if (!GetFileSizeEx(file.get(), &fileSize)) return FALSE;
  std::uint64_t rest = static_cast<std::uint64_t>(fileSize.QuadPart) - viewer::kFileHeaderBytes;
  std::uint32_t want = bfSize - viewer::kFileHeaderBytes;
  DWORD count = rest < want ? static_cast<DWORD>(rest) : want;

  // one byte at least, so an image that is only a header still owns a block
  LocalBlock block(static_cast<unsigned char*>(LocalAlloc(LMEM_FIXED, count ? count : 1)));
  if (!block) return FALSE;
  m_nBlockSize = ReadUpTo(file.get(), block.get(), count);
  m_block = std::move(block);
  m_hDrawDib = std::move(drawDib);
  return TRUE;
}

const unsigned char* CSnapImage::GetBits() const {
  std::uint64_t offset = 0;
  if (!viewer::PixelOffset(m_block.get(), m_nBlockSize, &offset) || offset > m_nBlockSize) {
    return nullptr;
  }
  return m_block.get() + offset;
}

bool CSnapImage::IsDrawable() const {
  return m_hDrawDib && viewer::CheckDib(m_block.get(), m_nBlockSize);
}

BOOL CSnapImage::Draw(HDC dc, int width, int height) {
  viewer::DibLayout layout;
  if (!m_hDrawDib || !viewer::CheckDib(m_block.get(), m_nBlockSize, &layout)) return FALSE;
  auto* info = reinterpret_cast<BITMAPINFOHEADER*>(m_block.get());
  // The source rectangle is in pixels; rows stored top-down have a negative
  // biHeight but the same number of rows.
  return DrawDibDraw(m_hDrawDib.get(), dc, 0, 0, width, height, info,
                     m_block.get() + layout.bitsOffset, 0, 0, layout.width,
                     static_cast<int>(layout.rows), 0);
}
