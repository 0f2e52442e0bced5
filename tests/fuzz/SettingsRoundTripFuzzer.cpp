// Any bytes as a settings file: load, save and load again must give the same settings, and a second save
// the same bytes. The same for the same bytes as the file of buttons that connect by themselves; and as the
// outcome log, a line added keeps at most its limit of lines and ends with the new one.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "TestPlatform.h"
#include "core/AutoConnect.h"
#include "core/OutcomeLog.h"
#include "core/SettingsFormat.h"

namespace {

velloway::SettingsList ListOf(const std::vector<velloway::ButtonSetting>& settings) {
  velloway::SettingsList list;
  for (const velloway::ButtonSetting& setting : settings) list.Append(setting);
  return list;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const velloway::AnsiCodePage& codePage = velloway::testing::TestCodePage();
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  const std::vector<velloway::ButtonSetting> loaded = velloway::ParseSettings(bytes, codePage);
  const std::string saved = velloway::FormatSettings(ListOf(loaded), codePage);
  const std::vector<velloway::ButtonSetting> reloaded = velloway::ParseSettings(saved, codePage);
  if (reloaded != loaded) std::abort();
  if (velloway::FormatSettings(ListOf(reloaded), codePage) != saved) std::abort();

  const velloway::AutoConnectSet autos = velloway::AutoConnectSet::Parse(bytes);
  const std::string autoSaved = autos.Format();
  if (velloway::AutoConnectSet::Parse(autoSaved) != autos) std::abort();
  if (velloway::AutoConnectSet::Parse(autoSaved).Format() != autoSaved) std::abort();

  const std::string line = "new\r\n";
  const std::string log = velloway::AppendLogLine(bytes, line, 4);
  if (log.size() < line.size() || log.compare(log.size() - line.size(), line.size(), line) != 0) std::abort();
  if (std::count(log.begin(), log.end(), '\n') > 4) std::abort();
  return 0;
}
