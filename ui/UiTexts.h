// Texts that more than one part of the windows shows: kept once, so that they stay one text.
#pragma once

namespace velloway {

// A click that would start a second network operation while one runs.
inline constexpr char16_t kWaitForOperation[] = u"ネットワークの操作中です。終わってからもう一度押してください";

}  // namespace velloway
