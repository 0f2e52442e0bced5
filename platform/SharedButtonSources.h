// Where the administrator's shared buttons come from: the policy value SharedButtons under
// HKLM\Software\Policies\Velloway, then under HKCU (one path, or several files read in order), else the file
// vlw-shared.ini beside the program. Environment variables in the paths are expanded.
#pragma once

#include <vector>

#include "core/Text.h"

namespace velloway {

inline constexpr wchar_t kSharedButtonsPolicyKey[] = L"Software\\Policies\\Velloway";
inline constexpr wchar_t kSharedButtonsPolicyValue[] = L"SharedButtons";

// The files to read, in order; none when nothing names one and there is no file beside the program.
std::vector<Text> SharedButtonPaths();
// text with %NAME% replaced by the environment's values (unknown names stay as they are).
Text ExpandEnvironment(const Text& text);

}  // namespace velloway
