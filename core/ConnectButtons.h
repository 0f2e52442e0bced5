// What a connect button shows and where it sits, from its setting.
#pragma once

#include <cstddef>

#include "core/ButtonSetting.h"

namespace velloway {

inline constexpr int kConnectButtonLeft = 30;
inline constexpr int kConnectButtonWidth = 400;
inline constexpr int kConnectButtonHeight = 30;

// Top of the button at index i at 96 DPI: 10 + 40 × i.
inline constexpr int ConnectButtonTop(size_t index) { return 10 + 40 * static_cast<int>(index); }

// The most connect buttons made at once. Windows gives a process 10,000 user-interface objects by
// default (every window counts), and Wine's server broke down at about 34,000 windows in one process;
// the rest of the program (five windows and their controls, the connection panels, message boxes,
// menus, cursors) needs well under 1,000 of them, so 9,000 buttons leave that much room.
inline constexpr size_t kConnectButtonLimit = 9000;

// Drive + "ドライブ【" + Folder + "】", or Folder alone without a drive.
Text ConnectButtonHint(const ButtonSetting& setting);

// The note shown when only the first `shown` of `total` settings got a button.
Text ButtonsLeftOutText(size_t shown, size_t total);

// The wheel turned away from the user (a positive delta) scrolls up by 5 pixels, otherwise down by 5.
inline constexpr int WheelScrollStep(int wheelDelta) { return wheelDelta > 0 ? -5 : 5; }

}  // namespace velloway
