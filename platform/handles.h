// Owners for OS handles: each releases what it holds exactly once.
#pragma once

#include <windows.h>

#include <utility>

namespace platform {

// Generic move-only owner. Traits provides Invalid() and Close(T).
template <typename T, typename Traits>
class UniqueHandle {
 public:
  UniqueHandle() = default;
  explicit UniqueHandle(T value) : value_(value) {}
  UniqueHandle(const UniqueHandle&) = delete;
  UniqueHandle& operator=(const UniqueHandle&) = delete;
  UniqueHandle(UniqueHandle&& other) noexcept : value_(other.release()) {}
  UniqueHandle& operator=(UniqueHandle&& other) noexcept {
    if (this != &other) reset(other.release());
    return *this;
  }
  ~UniqueHandle() { reset(); }

  T get() const { return value_; }
  explicit operator bool() const { return value_ != Traits::Invalid(); }
  T release() { return std::exchange(value_, Traits::Invalid()); }
  void reset(T value = Traits::Invalid()) {
    T old = std::exchange(value_, value);
    if (old != Traits::Invalid()) Traits::Close(old);
  }
  // For out-parameters: releases the current value first.
  T* put() {
    reset();
    return &value_;
  }

 private:
  T value_ = Traits::Invalid();
};

struct FileTraits {
  static HANDLE Invalid() { return INVALID_HANDLE_VALUE; }
  static void Close(HANDLE h) { CloseHandle(h); }
};
using UniqueFile = UniqueHandle<HANDLE, FileTraits>;

struct KeyTraits {
  static HKEY Invalid() { return nullptr; }
  static void Close(HKEY k) { RegCloseKey(k); }
};
using UniqueKey = UniqueHandle<HKEY, KeyTraits>;

struct GdiTraits {
  static HGDIOBJ Invalid() { return nullptr; }
  static void Close(HGDIOBJ o) { DeleteObject(o); }
};
using UniqueGdiObject = UniqueHandle<HGDIOBJ, GdiTraits>;

}  // namespace platform
