// The forms of a share path and of a drive root.
#include "core/SharePath.h"

namespace velloway {
namespace {

bool IsForbidden(char16_t c) {
  return c < u' ' || c == u'\x7F' || c == u'/' || c == u':' || c == u'*' || c == u'?' || c == u'"' || c == u'<' ||
         c == u'>' || c == u'|';
}

}  // namespace

bool IsSharePath(TextView path) {
  if (!path.starts_with(u"\\\\")) return false;
  TextView rest = path.substr(2);
  if (rest.ends_with(u'\\')) rest.remove_suffix(1);
  int parts = 0;
  while (true) {
    const size_t slash = rest.find(u'\\');
    const TextView part = rest.substr(0, slash);
    if (part.empty() || part == u"." || part == u"..") return false;
    for (char16_t c : part) {
      if (IsForbidden(c)) return false;
    }
    ++parts;
    if (slash == TextView::npos) break;
    rest.remove_prefix(slash + 1);
  }
  return parts >= 2;  // a server and a share at least
}

bool IsDriveRoot(TextView path) {
  if (path.size() != 2 && path.size() != 3) return false;
  const char16_t letter = path[0];
  const bool isLetter = (letter >= u'A' && letter <= u'Z') || (letter >= u'a' && letter <= u'z');
  return isLetter && path[1] == u':' && (path.size() == 2 || path[2] == u'\\');
}

ConnectOutcome NotAFolder(const ConnectOutcome& outcome, const Text& target) {
  const Text note = u"【" + target + u"】はフォルダではないため、開きません";
  return ConnectOutcome{outcome.status.empty() ? note : outcome.status + u"（" + note + u"）", false};
}

}  // namespace velloway
