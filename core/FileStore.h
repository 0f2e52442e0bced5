// The file operations the settings store needs; Windows implements them, native tests use the host's.
#pragma once

#include <optional>
#include <string>

#include "core/Text.h"

namespace velloway {

class FileStore {
 public:
  virtual ~FileStore() = default;
  virtual bool FolderExists(const Text& folder) const = 0;
  // Creates one folder level; a failure is not reported (the next save reports it).
  virtual void CreateFolder(const Text& folder) = 0;
  // The whole file, or nothing when it does not exist. A file that exists but cannot be read raises a RuntimeError.
  virtual std::optional<std::string> ReadAll(const Text& path) const = 0;
  // Replaces the whole file in one step, so that it holds either its old bytes or the new ones, never
  // a part. A failure raises a RuntimeError naming the file and leaves the old file as it was.
  virtual void ReplaceAll(const Text& path, const std::string& bytes) = 0;
};

}  // namespace velloway
