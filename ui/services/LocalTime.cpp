// The local time as text.
#include "ui/services/LocalTime.h"

#include <windows.h>

#include "core/Text.h"

namespace velloway {

Text LocalTimeText() {
  SYSTEMTIME now{};
  GetLocalTime(&now);
  auto two = [](WORD value) { return (value < 10 ? Text(u"0") : Text()) + NumberText(value); };
  return NumberText(now.wYear) + u"-" + two(now.wMonth) + u"-" + two(now.wDay) + u" " + two(now.wHour) + u":" +
         two(now.wMinute) + u":" + two(now.wSecond);
}

}  // namespace velloway
