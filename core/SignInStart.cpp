// The sign-in switch and the command line written for a start at sign-in.
#include "core/SignInStart.h"

namespace velloway {

Text SignInCommand(const Text& programPath) { return u"\"" + programPath + u"\" " + kSignInSwitch; }

bool HasSignInSwitch(TextView arguments) {
  size_t start = 0;
  while (start < arguments.size()) {
    const size_t end = arguments.find(u' ', start);
    const TextView word = arguments.substr(start, end == TextView::npos ? TextView::npos : end - start);
    if (word.size() == 7 && (word[0] == u'/' || word[0] == u'-')) {
      bool same = true;
      for (size_t i = 1; i < word.size(); ++i) {
        const char16_t c = word[i] >= u'A' && word[i] <= u'Z' ? static_cast<char16_t>(word[i] - u'A' + u'a') : word[i];
        same = same && c == kSignInSwitch[i];
      }
      if (same) return true;
    }
    if (end == TextView::npos) break;
    start = end + 1;
  }
  return false;
}

}  // namespace velloway
