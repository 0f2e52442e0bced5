// What a connect button shows and where it sits, from its setting.
#pragma once

#include <cstddef>

#include "ButtonSetting.h"

namespace velloway {

inline constexpr int kConnectButtonLeft = 30;
inline constexpr int kConnectButtonWidth = 400;
inline constexpr int kConnectButtonHeight = 30;

// Top of the button at index i at 96 DPI: 10 + 40 × i.
inline constexpr int ConnectButtonTop(size_t index) { return 10 + 40 * static_cast<int>(index); }

// Drive + "ドライブ【" + Folder + "】", or Folder alone without a drive.
Text ConnectButtonHint(const ButtonSetting& setting);

// The wheel turned away from the user (a positive delta) scrolls up by 5 pixels, otherwise down by 5.
inline constexpr int WheelScrollStep(int wheelDelta) { return wheelDelta > 0 ? -5 : 5; }

}  // namespace velloway
