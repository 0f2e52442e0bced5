// The real settings file of the user, which the main window loads at start-up.
#pragma once

#include <string>

namespace velloway::testing {

std::wstring SettingsFilePath();
void WriteSettingsFile(const std::string& bytes);
void RemoveSettingsFile();
// The file's bytes as they are on disk.
std::string ReadSettingsFile();

}  // namespace velloway::testing
