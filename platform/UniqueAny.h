// One owner template for every handle, buffer and crypto object: non-copyable, movable, released once.
#pragma once

#include <windows.h>

#include <utility>

namespace velloway {

template <typename T>
constexpr T NullValue() noexcept {
  return T{};
}

// Owns a value of type T that is released by Close(value) unless it equals Invalid().
template <typename T, auto Close, auto Invalid = &NullValue<T>>
class UniqueAny {
 public:
  UniqueAny() noexcept = default;
  explicit UniqueAny(T value) noexcept : value_(value) {}
  ~UniqueAny() { reset(); }

  UniqueAny(const UniqueAny&) = delete;
  UniqueAny& operator=(const UniqueAny&) = delete;
  UniqueAny(UniqueAny&& other) noexcept : value_(other.release()) {}
  UniqueAny& operator=(UniqueAny&& other) noexcept {
    if (this != &other) reset(other.release());
    return *this;
  }

  T get() const noexcept { return value_; }
  explicit operator bool() const noexcept { return value_ != Invalid(); }

  // For out-parameters: releases what is held and gives the address to fill.
  T* put() noexcept {
    reset();
    return &value_;
  }

  T release() noexcept { return std::exchange(value_, Invalid()); }

  void reset(T value = Invalid()) noexcept {
    const T old = std::exchange(value_, value);
    if (old != Invalid()) Close(old);
  }

 private:
  T value_ = Invalid();
};

namespace detail {
inline void CloseKernelHandle(HANDLE handle) noexcept { ::CloseHandle(handle); }
inline void DestroyWindowHandle(HWND window) noexcept { ::DestroyWindow(window); }
inline void DeleteGdiObject(HGDIOBJ object) noexcept { ::DeleteObject(object); }
inline HANDLE InvalidFileHandle() noexcept { return INVALID_HANDLE_VALUE; }
inline void DeleteMemoryDc(HDC dc) noexcept { ::DeleteDC(dc); }
inline void ReleaseScreenDc(HDC dc) noexcept { ::ReleaseDC(nullptr, dc); }
}  // namespace detail

// Handles that are invalid as NULL, and file handles that are invalid as INVALID_HANDLE_VALUE.
using UniqueHandle = UniqueAny<HANDLE, detail::CloseKernelHandle>;
using UniqueFileHandle = UniqueAny<HANDLE, detail::CloseKernelHandle, &detail::InvalidFileHandle>;
using UniqueWindow = UniqueAny<HWND, detail::DestroyWindowHandle>;
using UniqueFont = UniqueAny<HFONT, detail::DeleteGdiObject>;
using UniqueBrush = UniqueAny<HBRUSH, detail::DeleteGdiObject>;
using UniquePen = UniqueAny<HPEN, detail::DeleteGdiObject>;
using UniqueBitmap = UniqueAny<HBITMAP, detail::DeleteGdiObject>;
// A device context made for drawing off screen, and the screen's, borrowed for as long as it is held.
using UniqueMemoryDc = UniqueAny<HDC, detail::DeleteMemoryDc>;
using UniqueScreenDc = UniqueAny<HDC, detail::ReleaseScreenDc>;

}  // namespace velloway
