// A button's desktop shortcut: its file name, the free name beside a taken one, and its quoted command line.
#include "core/ButtonShortcut.h"

#include <algorithm>
#include <string>

#include "core/CommandLine.h"

namespace velloway {
namespace {

// Long enough for any name a user reads; the desktop's path and ".lnk" stay well under MAX_PATH.
constexpr size_t kLongestFileName = 100;

bool FindsItself(const ButtonRows& buttons, size_t index, const Text& name) {
  if (name.empty() || name.size() > kLongestName || name[0] == u'/' || name[0] == u'-') return false;
  return FindButton(buttons, name) == index;
}

bool IsReservedInFileNames(char16_t c) {
  return c < 0x20 || c == u'\\' || c == u'/' || c == u':' || c == u'*' || c == u'?' || c == u'"' || c == u'<' ||
         c == u'>' || c == u'|';
}

// Windows keeps these names for devices, whatever the extension.
bool IsDeviceName(TextView base) {
  const Text upper = AsciiUpper(base.substr(0, base.find(u'.')));
  for (const char16_t* device : {u"CON", u"PRN", u"AUX", u"NUL"}) {
    if (upper == device) return true;
  }
  return upper.size() == 4 && (upper.starts_with(u"COM") || upper.starts_with(u"LPT")) && upper[3] >= u'1' &&
         upper[3] <= u'9';
}

Text FileBaseName(const ButtonSetting& row) {
  Text base = row.Name;
  if (base.empty())
    base = Text(TextView(row.Folder).substr(std::min(row.Folder.find_first_not_of(u'\\'), row.Folder.size())));
  std::replace_if(base.begin(), base.end(), IsReservedInFileNames, u'_');
  if (base.size() > kLongestFileName) base.resize(kLongestFileName);
  // Windows drops trailing dots and spaces from a file name.
  while (!base.empty() && (base.back() == u'.' || base.back() == u' ')) base.pop_back();
  while (!base.empty() && base.front() == u' ') base.erase(base.begin());
  if (base.empty()) return u"Velloway";
  if (IsDeviceName(base)) base.insert(base.begin(), u'_');
  return base;
}

}  // namespace

ButtonShortcut ShortcutForButton(const ButtonRows& buttons, size_t index) {
  const ButtonSetting& row = buttons.Row(index);
  const Text& name = FindsItself(buttons, index, row.Name) ? row.Name : row.Folder;
  return ButtonShortcut{FileBaseName(row) + u".lnk", u"/connect " + QuoteArgument(name), row.Folder};
}

Text NumberedFileName(TextView fileName, size_t number) {
  if (number < 2) return Text(fileName);
  const size_t dot = std::min(fileName.rfind(u'.'), fileName.size());
  Text numbered(fileName.substr(0, dot));
  numbered += u" (";
  for (const char c : std::to_string(number)) numbered += static_cast<char16_t>(c);
  numbered += u')';
  numbered += fileName.substr(dot);
  return numbered;
}

// Backslashes are literal except before a quote: there they are doubled, and so are those before the closing one.
Text QuoteArgument(TextView argument) {
  Text quoted = u"\"";
  size_t backslashes = 0;
  for (const char16_t c : argument) {
    if (c == u'\\') {
      ++backslashes;
      continue;
    }
    if (c == u'"') {
      quoted.append(backslashes * 2 + 1, u'\\');
    } else {
      quoted.append(backslashes, u'\\');
    }
    backslashes = 0;
    quoted += c;
  }
  quoted.append(backslashes * 2, u'\\');
  quoted += u'"';
  return quoted;
}

}  // namespace velloway
