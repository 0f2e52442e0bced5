// The program's windows on the stand-in network, with a shell that records what it is asked to open.
#pragma once

#include <windows.h>
#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "StandInNetwork.h"
#include "UiHarness.h"

namespace velloway::testing {

class RecordingShell final : public ShellOpener {
 public:
  void Open(HWND owner, const Text& target) override {
    owners.push_back(owner);
    targets.push_back(target);
  }
  std::vector<HWND> owners;
  std::vector<Text> targets;
};

class StandInWindowTest : public ::testing::Test {
 protected:
  // Starts the program on this network, with these bytes as the settings file (none: no file).
  void Start(const StandInNetwork& network, const std::optional<std::string>& settings = std::nullopt) {
    network.Save();
    if (settings) {
      WriteSettingsFile(*settings);
    } else {
      RemoveSettingsFile();
    }
    running_ = std::make_unique<RunningApplication>(&shell_);
    // Generous: on a machine busy with other builds the first tick has come after more than 5 s.
    ASSERT_TRUE(running_->WaitForNetwork());
  }
  void TearDown() override {
    running_.reset();
    StandInNetwork::Clear();
  }
  TF_Main& main() { return running_->main(); }

  RecordingShell shell_;
  std::unique_ptr<RunningApplication> running_;
};

}  // namespace velloway::testing
