// Native stand-ins for the tests: CP932 through iconv, files through the host's file system
// (backslashes in the Windows-style paths that core builds become slashes).
#include <iconv.h>
#include <stdlib.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>

#include "TestPlatform.h"
#include "core/RuntimeError.h"
#include "core/Unicode.h"

namespace velloway::testing {
namespace {

class Converter {
 public:
  Converter(const char* to, const char* from) : handle_(iconv_open(to, from)) {
    if (handle_ == reinterpret_cast<iconv_t>(-1)) throw std::runtime_error("iconv_open failed");
  }
  ~Converter() { iconv_close(handle_); }
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;

  // Converts all of input, or returns false at the first unconvertible sequence.
  bool Convert(std::string_view input, std::string& output) const {
    iconv(handle_, nullptr, nullptr, nullptr, nullptr);
    char* in = const_cast<char*>(input.data());
    size_t inLeft = input.size();
    std::string buffer(input.size() * 4 + 16, '\0');
    char* out = buffer.data();
    size_t outLeft = buffer.size();
    if (iconv(handle_, &in, &inLeft, &out, &outLeft) == static_cast<size_t>(-1)) return false;
    output.assign(buffer.data(), buffer.size() - outLeft);
    return true;
  }

 private:
  iconv_t handle_;
};

std::string Utf16Bytes(TextView text) {
  std::string bytes;
  for (char16_t c : text) {
    bytes.push_back(static_cast<char>(c & 0xFF));
    bytes.push_back(static_cast<char>(c >> 8));
  }
  return bytes;
}

class IconvCodePage932 final : public AnsiCodePage {
 public:
  std::string FromText(TextView text) const override {
    std::string result;
    if (toAnsi_.Convert(Utf16Bytes(text), result)) return result;
    // Character by character only when something has no CP932 form, to mark it with '?'.
    result.clear();
    for (size_t i = 0; i < text.size(); ++i) {
      const size_t length = (text[i] >= 0xD800 && text[i] <= 0xDBFF && i + 1 < text.size()) ? 2 : 1;
      std::string bytes;
      result += toAnsi_.Convert(Utf16Bytes(text.substr(i, length)), bytes) ? bytes : "?";
      i += length - 1;
    }
    return result;
  }
  Text ToText(std::string_view bytes) const override {
    std::string utf16;
    if (!fromAnsi_.Convert(bytes, utf16)) return DecodeUtf8(bytes);
    return DecodeUtf16(utf16, false);
  }
  // As on Windows: only a text that comes back unchanged counts (iconv maps some characters one way).
  bool CanRepresent(TextView text) const override {
    std::string bytes;
    return toAnsi_.Convert(Utf16Bytes(text), bytes) && ToText(bytes) == text;
  }

 private:
  Converter toAnsi_{"CP932", "UTF-16LE"};
  Converter fromAnsi_{"UTF-16LE", "CP932"};
};

std::filesystem::path HostPath(const Text& path) {
  std::string utf8 = EncodeUtf8(path);
  for (char& c : utf8) {
    if (c == '\\') c = '/';
  }
  return std::filesystem::path(utf8);
}

class HostFileStore final : public FileStore {
 public:
  bool FolderExists(const Text& folder) const override { return std::filesystem::is_directory(HostPath(folder)); }
  void CreateFolder(const Text& folder) override {
    std::error_code ignored;
    std::filesystem::create_directory(HostPath(folder), ignored);
  }
  std::optional<std::string> ReadAll(const Text& path) const override { return ReadBytes(path); }
  void ReplaceAll(const Text& path, const std::string& bytes) override {
    const std::filesystem::path target = HostPath(path);
    std::filesystem::path temporary = target;
    temporary += ".tmp";
    std::ofstream out(temporary, std::ios::binary);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    std::error_code error;
    if (out) std::filesystem::rename(temporary, target, error);
    if (!out || error) {
      std::filesystem::remove(temporary, error);
      throw RuntimeError(u"ファイル \"" + path + u"\" を作成できません。");
    }
  }
};

}  // namespace

const AnsiCodePage& TestCodePage() {
  static const IconvCodePage932 codePage;
  return codePage;
}

std::unique_ptr<FileStore> MakeFileStore() { return std::make_unique<HostFileStore>(); }

Text MakeScratchFolder() {
  std::string pattern = (std::filesystem::temp_directory_path() / "velloway-test-XXXXXX").string();
  if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
  return DecodeUtf8(pattern);
}

std::optional<std::string> ReadBytes(const Text& path) {
  std::ifstream in(HostPath(path), std::ios::binary);
  if (!in) return std::nullopt;
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteBytes(const Text& path, const std::string& bytes) {
  std::ofstream out(HostPath(path), std::ios::binary);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

}  // namespace velloway::testing
