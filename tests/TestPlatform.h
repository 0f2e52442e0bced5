// What the shared settings tests run against: the real code page and file system on Windows,
// the host's stand-ins natively.
#pragma once

#include <memory>

#include "core/AnsiCodePage.h"
#include "core/FileStore.h"

namespace velloway::testing {

// Code page 932: the system's own under Wine, an iconv stand-in natively.
const AnsiCodePage& TestCodePage();
std::unique_ptr<FileStore> MakeFileStore();
// A new empty folder for one test, with no trailing separator.
Text MakeScratchFolder();
// Reads a file's bytes directly, bypassing the store under test; empty optional when missing.
std::optional<std::string> ReadBytes(const Text& path);
void WriteBytes(const Text& path, const std::string& bytes);

}  // namespace velloway::testing
