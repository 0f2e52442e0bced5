// What a connect click and a close click decide, as plain values: the window only shows and asks.
#pragma once

#include <cstdint>
#include <optional>

#include "core/Text.h"

namespace velloway {

// The connection dialog's drive line for a drive as the connection uses it (ConnectDrive): "【Z】ドライブ割当",
// or nothing without a drive.
Text DriveLine(const Text& drive);

// What the connection is made with, once the dialog has been confirmed.
struct ConnectPlan {
  std::optional<Text> localName;  // drive + ":", or none to connect without a drive letter
  bool sendCredentials = false;   // false: as the current logon, whatever password there is
  Text openTarget;                // what the shell opens when the result says so: the drive's root or the folder
};

ConnectPlan PlanConnect(const Text& drive, const Text& remote, const Text& user);

// One step of closing a connection, after a call of the cancel with force false, then maybe with force true.
struct CloseStep {
  bool askForce = false;  // files are open: ask `question`; on Yes cancel again with force, on No stop
  Text question;
  Text status;           // otherwise: the status line's text
  bool rebuild = false;  // and whether the connections panel is rebuilt
};

CloseStep AfterCancel(std::uint32_t resultCode, const Text& name, bool forced);

}  // namespace velloway
