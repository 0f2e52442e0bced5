// The outcome log's line and the file that keeps its last lines.
#include "core/OutcomeLog.h"

#include <optional>

#include "core/Unicode.h"
#include "core/ValueEscaping.h"

namespace velloway {

std::string OutcomeLogLine(TextView time, TextView button, TextView folder, TextView status) {
  const Text line = WithoutControls(time) + u" 【" + WithoutControls(button) + u"】" + WithoutControls(folder) + u": " +
                    WithoutControls(status);
  return EncodeUtf8(line) + "\r\n";
}

std::string AppendLogLine(std::string_view bytes, std::string_view line, size_t limit) {
  std::string all(bytes);
  if (!all.empty() && all.back() != '\n') all += "\r\n";
  all += line;
  // Counted from the end: the line breaks before the last limit lines mark where the kept part starts.
  size_t lines = 0;
  for (size_t i = all.size(); i-- > 0;) {
    if (all[i] != '\n' || i + 1 == all.size()) continue;
    if (++lines == limit) return all.substr(i + 1);
  }
  return all;
}

void AppendToOutcomeLog(FileStore& files, const Text& path, std::string_view line) {
  const std::optional<std::string> bytes = files.ReadAll(path);
  files.ReplaceAll(path, AppendLogLine(bytes.value_or(std::string()), line));
}

}  // namespace velloway
