// Wiping secrets from memory before it is freed, in portable code that cannot call SecureZeroMemory.
#pragma once

#include <cstddef>

namespace velloway {

// Writes through a volatile pointer so that the compiler cannot drop the stores as dead.
inline void SecureWipe(void* data, std::size_t size) noexcept {
  volatile unsigned char* byte = static_cast<volatile unsigned char*>(data);
  while (size-- > 0) *byte++ = 0;
}

// Wipes a string's whole capacity and leaves it empty.
template <typename String>
void WipeString(String& text) noexcept {
  text.resize(text.capacity());
  SecureWipe(text.data(), text.size() * sizeof(typename String::value_type));
  text.clear();
}

// Wipes a string or vector, all of its capacity, when it goes out of scope on any path.
template <typename Bytes>
class WipeOnExit {
 public:
  explicit WipeOnExit(Bytes& bytes) noexcept : bytes_(bytes) {}
  ~WipeOnExit() {
    // Growing within the capacity does not reallocate, and so reaches bytes a shorter value left behind.
    bytes_.resize(bytes_.capacity());
    SecureWipe(bytes_.data(), bytes_.size() * sizeof(typename Bytes::value_type));
  }
  WipeOnExit(const WipeOnExit&) = delete;
  WipeOnExit& operator=(const WipeOnExit&) = delete;

 private:
  Bytes& bytes_;
};

}  // namespace velloway
