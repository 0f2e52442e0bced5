// Searches this process's memory for a password the way another program reading it would.
#include "SecretInMemory.h"

#include <algorithm>
#include <vector>

namespace velloway::testing {
namespace {

constexpr char16_t kKey = 0x5A5A;

bool Readable(const MEMORY_BASIC_INFORMATION& region) {
  if (region.State != MEM_COMMIT || region.Type == MEM_IMAGE) return false;
  if ((region.Protect & (PAGE_GUARD | PAGE_NOACCESS)) != 0) return false;
  return (region.Protect & (PAGE_READONLY | PAGE_READWRITE | PAGE_WRITECOPY | PAGE_EXECUTE_READ |
                            PAGE_EXECUTE_READWRITE | PAGE_EXECUTE_WRITECOPY)) != 0;
}

}  // namespace

SecretInMemory::SecretInMemory(const std::u16string& scrambledWithKey) : scrambled_(scrambledWithKey) {}

std::u16string SecretInMemory::Scramble(const wchar_t* clear) {
  std::u16string scrambled;
  for (const wchar_t* c = clear; *c != 0; ++c) scrambled.push_back(static_cast<char16_t>(*c ^ kKey));
  return scrambled;
}

void SecretInMemory::Type(HWND edit) const {
  for (char16_t c : scrambled_) SendMessageW(edit, WM_CHAR, static_cast<WPARAM>(c ^ kKey), 1);
}

bool SecretInMemory::FoundInProcessMemory() const {
  // The tail: the search needs no clear copy of it, since it compares through the key.
  const std::u16string tail = scrambled_.substr(1);
  // The chunks read go to memory of our own, outside the heaps, skipped by the search and wiped afterwards.
  constexpr SIZE_T kChunk = 1 << 20;
  auto* chunk = static_cast<unsigned char*>(VirtualAlloc(nullptr, kChunk + 256, MEM_COMMIT, PAGE_READWRITE));
  if (chunk == nullptr) return true;  // cannot tell: count it as found
  bool found = false;
  const size_t wideBytes = tail.size() * 2;
  MEMORY_BASIC_INFORMATION region{};
  for (auto* address = static_cast<unsigned char*>(nullptr);
       !found && VirtualQuery(address, &region, sizeof region) == sizeof region;
       address = static_cast<unsigned char*>(region.BaseAddress) + region.RegionSize) {
    if (!Readable(region) || region.BaseAddress == chunk) continue;
    auto* base = static_cast<unsigned char*>(region.BaseAddress);
    // Overlapping reads, so that a secret across two chunks is found too.
    for (SIZE_T offset = 0; !found && offset < region.RegionSize; offset += kChunk) {
      const SIZE_T size = std::min<SIZE_T>(kChunk + wideBytes, region.RegionSize - offset);
      SIZE_T read = 0;
      if (!ReadProcessMemory(GetCurrentProcess(), base + offset, chunk, size, &read) || read < wideBytes) continue;
      for (SIZE_T i = 0; !found && i + tail.size() <= read; ++i) {
        // As single bytes (the ANSI form of an ASCII password).
        size_t j = 0;
        while (j < tail.size() && static_cast<char16_t>(chunk[i + j] ^ (kKey & 0xFF)) == (tail[j] & 0xFF) &&
               (tail[j] ^ kKey) < 0x80) {
          ++j;
        }
        if (j == tail.size()) found = true;
        // As UTF-16, at even addresses.
        if (!found && i % 2 == 0 && i + wideBytes <= read) {
          j = 0;
          while (j < tail.size() &&
                 static_cast<char16_t>((chunk[i + 2 * j] | (chunk[i + 2 * j + 1] << 8)) ^ kKey) == tail[j]) {
            ++j;
          }
          if (j == tail.size()) found = true;
        }
      }
      SecureZeroMemory(chunk, kChunk + 256);
    }
  }
  VirtualFree(chunk, 0, MEM_RELEASE);
  return found;
}

}  // namespace velloway::testing
