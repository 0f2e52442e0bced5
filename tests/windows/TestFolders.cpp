// Each window test's own application data folder, named after the test, so that no test reads or writes
// the prefix user's real settings.
#include <windows.h>
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "SettingsFileFixture.h"

namespace velloway::testing {

std::wstring TestApplicationDataFolder() {
  std::string name = "outside-a-test";
  if (const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info()) {
    name = std::string(test->test_suite_name()) + "." + test->name();
  }
  for (char& c : name) {
    if (c == '/' || c == '\\' || c == ':') c = '_';
  }
  wchar_t temporary[MAX_PATH + 1] = {};
  if (GetTempPathW(MAX_PATH + 1, temporary) == 0) throw std::runtime_error("no temporary folder");
  const std::wstring root = std::wstring(temporary) + L"velloway-tests";
  const std::wstring folder = root + L"\\" + std::wstring(name.begin(), name.end());
  CreateDirectoryW(root.c_str(), nullptr);
  CreateDirectoryW(folder.c_str(), nullptr);
  if (GetFileAttributesW(folder.c_str()) == INVALID_FILE_ATTRIBUTES) throw std::runtime_error("no test folder");
  return folder;
}

}  // namespace velloway::testing
