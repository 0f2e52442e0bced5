// Any bytes as a settings file: load, save and load again must give the same settings, and a second save
// the same bytes. The same for the same bytes as the file of buttons that connect by themselves.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "TestPlatform.h"
#include "core/AutoConnect.h"
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
  return 0;
}
