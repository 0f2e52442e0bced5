// The program's windows on the stand-in network, with a shell that records what it is asked to open.
#pragma once

#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include <functional>
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

// One of the program's five windows, with the name a test's messages give it.
struct NamedWindow {
  TopLevelWindow& window;
  const char* name;
};

inline std::vector<NamedWindow> FiveWindows(Application& app) {
  return {{app.F_Main, "main"},
          {app.F_NetResEnum, "browser"},
          {app.F_SettingButton, "editor"},
          {app.F_SettingButtonForm, "edit dialog"},
          {app.F_ConnectionDialog, "connection dialog"}};
}

// What every test of the windows starts from: the program on a stand-in network with given settings bytes, its
// windows, and a shell that records what it is asked to open. Clicks go through Click and PostClick
// (UiHarness.h); dialogs and message boxes are answered from a WindowWatcher.
class StandInWindowTest : public ::testing::Test {
 protected:
  // Starts the program on this network, with these bytes as the settings file (none: no file), and waits for
  // the first tick's load.
  void Start(const StandInNetwork& network, const std::optional<std::string>& settings = std::nullopt) {
    Launch(network, settings);
    // Generous: on a machine busy with other builds the first tick has come after more than 5 s.
    ASSERT_TRUE(running_->WaitForNetwork());
  }
  // As Start, but returns before the first tick: for what happens at the load itself.
  void Launch(const StandInNetwork& network, const std::optional<std::string>& settings = std::nullopt,
              size_t connectButtonLimit = kConnectButtonLimit, bool dialogsUpFront = true) {
    running_.reset();
    network.Save();
    if (settings) {
      WriteSettingsFile(*settings);
    } else {
      RemoveSettingsFile();
    }
    running_ = std::make_unique<RunningApplication>(&shell_, connectButtonLimit, dialogsUpFront);
  }
  void TearDown() override {
    running_.reset();
    StandInNetwork::Clear();
  }

  Application& app() { return running_->app(); }
  TF_Main& main() { return app().F_Main; }
  TF_SettingButton& editor() { return app().F_SettingButton; }
  TF_SettingButtonForm& form() { return app().F_SettingButtonForm; }
  TF_NetResEnum& browser() { return app().F_NetResEnum; }
  TF_ConnectionDialog& dialog() { return app().F_ConnectionDialog; }

  // Selects this one row of the editor's list.
  void Select(int row) {
    ListView_SetItemState(editor().LV_Button(), -1, 0, LVIS_SELECTED);
    ListView_SetItemState(editor().LV_Button(), row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
  }
  // Opens the editor from the main window, runs steps in it once it shows, and closes it (which saves). Any other
  // window that shows meanwhile (the edit dialog, a message box) goes to other, when given.
  void InEditor(const std::function<void()>& steps,
                const std::function<void(HWND, const WindowWatcher::Seen&)>& other = {}) {
    bool acted = false;
    WindowWatcher watcher([&](HWND window, const WindowWatcher::Seen& seen) {
      if (window == editor().Handle()) {
        if (acted) return;
        acted = true;
        RunSoon([&] {
          steps();
          PostClick(editor().B_Close());
        });
      } else if (other) {
        other(window, seen);
      }
    });
    Click(main().B_AddButton());
  }

  RecordingShell shell_;
  std::unique_ptr<RunningApplication> running_;
};

}  // namespace velloway::testing
