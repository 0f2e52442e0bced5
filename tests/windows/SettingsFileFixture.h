// The settings file a test prepares: in the test's own application data folder for the windows under test,
// or in the user's real one for the real program that a test starts.
#pragma once

#include <string>

namespace velloway::testing {

// A folder of this test's own, made on first use (the windows under test are given it).
std::wstring TestApplicationDataFolder();
// The prefix user's real folder, which the real program reads.
std::wstring RealApplicationDataFolder();

std::wstring SettingsFilePath(const std::wstring& applicationDataFolder = TestApplicationDataFolder());
void WriteSettingsFile(const std::string& bytes,
                       const std::wstring& applicationDataFolder = TestApplicationDataFolder());
void RemoveSettingsFile(const std::wstring& applicationDataFolder = TestApplicationDataFolder());
// The file's bytes as they are on disk.
std::string ReadSettingsFile(const std::wstring& applicationDataFolder = TestApplicationDataFolder());

}  // namespace velloway::testing
