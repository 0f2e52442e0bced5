// Whether a path names an existing folder: what the shell is given must be one.
#pragma once

#include "core/Text.h"

namespace velloway {

class FolderProbe {
 public:
  virtual ~FolderProbe() = default;
  // Asked on the network worker: for a share it is a question to the server, which may take long.
  virtual bool IsFolder(const Text& path) const = 0;
};

}  // namespace velloway
