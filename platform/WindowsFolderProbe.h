// FolderProbe over the file system's attributes.
#pragma once

#include "core/FolderProbe.h"

namespace velloway {

class WindowsFolderProbe final : public FolderProbe {
 public:
  bool IsFolder(const Text& path) const override;
};

}  // namespace velloway
