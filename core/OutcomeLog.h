// What happened while nobody watched: the outcome of a connect the user gave up waiting for arrives later, and
// is kept in a small text file beside the settings file (UTF-8, one line an outcome), for the user or IT to read.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "core/FileStore.h"
#include "core/Text.h"

namespace velloway {

inline constexpr char16_t kOutcomeLogFileName[] = u"vlw-log.txt";
// The most lines kept: the oldest go first.
inline constexpr size_t kOutcomeLogLineLimit = 500;

// One line: "<time> 【<button>】<folder>: <status>", control characters as spaces, ended by CR LF.
std::string OutcomeLogLine(TextView time, TextView button, TextView folder, TextView status);
// bytes with line added at the end and only the last limit lines kept; a last line without its end is kept
// as it is and ended first.
std::string AppendLogLine(std::string_view bytes, std::string_view line, size_t limit = kOutcomeLogLineLimit);
// Adds line to the log file (made when missing). A failure raises the store's RuntimeError.
void AppendToOutcomeLog(FileStore& files, const Text& path, std::string_view line);

}  // namespace velloway
