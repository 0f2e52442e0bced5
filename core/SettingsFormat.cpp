// Reading and writing the lines of the settings file.
#include "SettingsFormat.h"

#include "LineSplitter.h"
#include "Unicode.h"
#include "ValueEscaping.h"

namespace velloway {
namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LeMark = "\xFF\xFE";
constexpr std::string_view kUtf16BeMark = "\xFE\xFF";
constexpr TextView kLineBreak = u"\r\n";
constexpr size_t kFieldCount = 5;

}  // namespace

Text DecodeSettingsText(std::string_view bytes, const AnsiCodePage& codePage) {
  if (bytes.starts_with(kUtf8Mark)) return DecodeUtf8(bytes.substr(kUtf8Mark.size()));
  if (bytes.starts_with(kUtf16LeMark)) return DecodeUtf16(bytes.substr(kUtf16LeMark.size()), false);
  if (bytes.starts_with(kUtf16BeMark)) return DecodeUtf16(bytes.substr(kUtf16BeMark.size()), true);
  return codePage.ToText(bytes);
}

std::vector<Text> SplitLines(TextView text) {
  std::vector<Text> lines;
  size_t start = 0;
  size_t position = 0;
  while (position < text.size()) {
    const char16_t c = text[position];
    if (c != u'\r' && c != u'\n') {
      ++position;
      continue;
    }
    lines.emplace_back(text.substr(start, position - start));
    position += (c == u'\r' && position + 1 < text.size() && text[position + 1] == u'\n') ? 2 : 1;
    start = position;
  }
  if (start < text.size()) lines.emplace_back(text.substr(start));
  return lines;
}

std::vector<ButtonSetting> ParseSettings(std::string_view bytes, const AnsiCodePage& codePage) {
  std::vector<ButtonSetting> settings;
  for (const Text& line : SplitLines(DecodeSettingsText(bytes, codePage))) {
    std::vector<Text> fields = SplitFields(line);
    if (fields.empty()) continue;
    fields.resize(kFieldCount);  // missing fields read as empty, fields after the fifth are dropped
    settings.push_back(ButtonSetting{
        .Name = MyDecode(fields[0]),
        .Drive = Trim(MyDecode(fields[1])),
        .Folder = MyDecode(fields[2]),
        .ID = MyDecode(fields[3]),
        .Pass = std::move(fields[4]),
    });
  }
  return settings;
}

Text FormatSettingLine(const ButtonSetting& setting) {
  Text line = MyEncode(setting.Name);
  for (TextView field : {TextView(setting.Drive), TextView(setting.Folder), TextView(setting.ID)}) {
    line += u',';
    line += MyEncode(field);
  }
  line += u',';
  line += setting.Pass;
  return line;
}

std::string FormatSettings(const SettingsList& list, const AnsiCodePage& codePage) {
  Text text;
  for (size_t i = 0; i < list.Count(); ++i) {
    text += FormatSettingLine(list.Row(i));
    text += kLineBreak;
  }
  if (codePage.CanRepresent(text)) return codePage.FromText(text);
  return std::string(kUtf8Mark) + EncodeUtf8(text);
}

}  // namespace velloway
