// The settings store's file operations on the Windows file system.
#pragma once

#include "core/FileStore.h"

namespace velloway {

class WindowsFileStore final : public FileStore {
 public:
  bool FolderExists(const Text& folder) const override;
  void CreateFolder(const Text& folder) override;
  std::optional<std::string> ReadAll(const Text& path) const override;
  void ReplaceAll(const Text& path, const std::string& bytes) override;
};

}  // namespace velloway
