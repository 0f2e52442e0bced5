// Readable test failure output for the core's values: texts as UTF-8 rather than as bytes.
#pragma once

#include <ostream>

#include "core/ButtonSetting.h"
#include "core/Unicode.h"

namespace velloway {

inline void PrintTo(const ButtonSetting& s, std::ostream* out) {
  *out << "{Name=\"" << EncodeUtf8(s.Name) << "\" Drive=\"" << EncodeUtf8(s.Drive) << "\" Folder=\""
       << EncodeUtf8(s.Folder) << "\" ID=\"" << EncodeUtf8(s.ID) << "\" Pass=\"" << EncodeUtf8(s.Pass) << "\"}";
}

}  // namespace velloway
