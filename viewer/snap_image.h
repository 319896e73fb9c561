// One snapshot image held in memory and drawn through the DIB drawing
// facility (Video for Windows DrawDib).
#pragma once

#include <windows.h>
// vfw.h relies on the types windows.h declares
#include <vfw.h>

#include <cstddef>
#include <memory>

#include "framework/object.h"
#include "platform/handles.h"

struct DrawDibTraits {
  static HDRAWDIB Invalid() { return nullptr; }
  static void Close(HDRAWDIB h) { DrawDibClose(h); }
};
using UniqueDrawDib = platform::UniqueHandle<HDRAWDIB, DrawDibTraits>;

struct LocalBlockFree {
  void operator()(unsigned char* p) const { LocalFree(p); }
};
using LocalBlock = std::unique_ptr<unsigned char, LocalBlockFree>;

class CSnapImage : public CObject {
 public:
  CSnapImage() = default;
  ~CSnapImage() override { Free(); }

  // Replaces the current image with the BMP file at path. On false the
  // object is empty.
  BOOL Load(const char* path);
  // Closes the drawing handle and releases the block.
  void Free();
  // The first pixel row inside the block, or nullptr when the header says
  // the rows start past what the file held.
  const unsigned char* GetBits() const;
  // Draws the whole image stretched to (0, 0, width, height) of dc. Draws
  // nothing and returns false when empty or when the header, colour table or
  // rows do not fit in the block.
  BOOL Draw(HDC dc, int width, int height);

  bool IsLoaded() const { return m_block != nullptr; }
  // True when Draw would hand the image to the drawing facility.
  bool IsDrawable() const;

 private:
  UniqueDrawDib m_hDrawDib;
  // The file after its 14-byte header, as much of it as the file held (never
  // more than bfSize - 14 bytes).
  LocalBlock m_block;
  std::size_t m_nBlockSize = 0;
};
