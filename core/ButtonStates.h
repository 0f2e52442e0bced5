// What each connect button shows besides its caption: whether its share is connected now.
#pragma once

#include <cstdint>
#include <vector>

#include "core/ButtonRows.h"
#include "core/Text.h"

namespace velloway {

// Connected and NotConnected for every button; Waiting and NeedsCheck for buttons that connect by themselves.
enum class ButtonState : std::uint8_t { NotConnected, Connected, Waiting, NeedsCheck };

struct ButtonStatus {
  ButtonState state = ButtonState::NotConnected;
  Text local;  // the drive the share is connected on, when it is connected with one
  bool operator==(const ButtonStatus&) const = default;
};

// Each button's status (shared and own) from the current connections (local and remote names by connection number):
// connected when a connection's remote name is the setting's folder, preferring one on the setting's own drive.
std::vector<ButtonStatus> ButtonStatuses(const ButtonRows& settings, const std::vector<Text>& locals,
                                         const std::vector<Text>& remotes);

// The buttons (by index) that show as connected through the connection of this name (a drive such as "Z:", or
// the remote name of a connection without one): those a close of it leaves unconnected.
std::vector<size_t> ButtonsOnConnection(const ButtonRows& settings, const std::vector<ButtonStatus>& statuses,
                                        const Text& name);

// The words for the end of the tooltip: "接続中 Z:", "接続中", "未接続", "待機中", "要確認".
Text StatusWords(const ButtonStatus& status);

}  // namespace velloway
