// Reading and writing the lines of the settings file.
#include "core/SettingsFormat.h"

#include <algorithm>

#include "core/LineSplitter.h"
#include "core/RuntimeError.h"
#include "core/Unicode.h"
#include "core/ValueEscaping.h"

namespace velloway {
namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LeMark = "\xFF\xFE";
constexpr std::string_view kUtf16BeMark = "\xFE\xFF";
constexpr TextView kLineBreak = u"\r\n";
constexpr size_t kFieldCount = 5;

std::vector<std::vector<Text>> FieldsOfText(TextView text) {
  std::vector<std::vector<Text>> lines;
  for (TextView line : SplitLines(text)) {
    std::vector<Text> fields = SplitFields(line);
    if (!fields.empty()) lines.push_back(std::move(fields));
  }
  return lines;
}

template <typename Decode>
std::vector<std::vector<Text>> FieldsOfBytes(std::string_view bytes, Decode decode) {
  std::vector<std::vector<Text>> lines;
  for (std::string_view line : SplitLines(bytes)) {
    const std::vector<std::string> rawFields = SplitFields(line);
    if (rawFields.empty()) continue;
    std::vector<Text> fields;
    fields.reserve(rawFields.size());
    for (const std::string& field : rawFields) fields.push_back(decode(field));
    lines.push_back(std::move(fields));
  }
  return lines;
}

bool HasNonAscii(std::string_view bytes) {
  return std::any_of(bytes.begin(), bytes.end(), [](char c) { return static_cast<unsigned char>(c) >= 0x80; });
}

}  // namespace

SettingsEncoding DetectSettingsEncoding(std::string_view bytes) {
  if (bytes.starts_with(kUtf8Mark)) return SettingsEncoding::Utf8WithMark;
  if (bytes.starts_with(kUtf16LeMark)) return SettingsEncoding::Utf16Le;
  if (bytes.starts_with(kUtf16BeMark)) return SettingsEncoding::Utf16Be;
  if (HasNonAscii(bytes) && IsWellFormedUtf8(bytes)) return SettingsEncoding::Utf8;
  return SettingsEncoding::Ansi;
}

std::vector<std::vector<Text>> ParseSettingFields(std::string_view bytes, const AnsiCodePage& codePage) {
  switch (DetectSettingsEncoding(bytes)) {
    case SettingsEncoding::Utf16Le: return FieldsOfText(DecodeUtf16(bytes.substr(kUtf16LeMark.size()), false));
    case SettingsEncoding::Utf16Be: return FieldsOfText(DecodeUtf16(bytes.substr(kUtf16BeMark.size()), true));
    case SettingsEncoding::Utf8WithMark:
      return FieldsOfBytes(bytes.substr(kUtf8Mark.size()), [](std::string_view field) { return DecodeUtf8(field); });
    case SettingsEncoding::Utf8: return FieldsOfBytes(bytes, [](std::string_view field) { return DecodeUtf8(field); });
    case SettingsEncoding::Ansi: break;
  }
  return FieldsOfBytes(bytes, [&codePage](std::string_view field) { return codePage.ToText(field); });
}

ButtonSetting SettingOf(std::vector<Text> fields) {
  fields.resize(kFieldCount);  // missing fields read as empty, fields after the fifth are dropped
  return ButtonSetting{
      .Name = MyDecode(fields[0]),
      .Drive = Trim(MyDecode(fields[1])),
      .Folder = MyDecode(fields[2]),
      .ID = MyDecode(fields[3]),
      .Pass = MyDecode(fields[4]),  // hex digits pass unchanged; a hand-edited value keeps its escapes
  };
}

std::vector<ButtonSetting> ParseSettings(std::string_view bytes, const AnsiCodePage& codePage) {
  std::vector<ButtonSetting> settings;
  for (std::vector<Text>& fields : ParseSettingFields(bytes, codePage))
    settings.push_back(SettingOf(std::move(fields)));
  return settings;
}

namespace {

// A line break in a field would make one setting several at the next load (one with a folder of somebody
// else's choosing). No load gives a field one, and the dialog and the browser refuse them: this is the last
// guard, and nothing is written past it.
void RefuseLineBreaks(const ButtonSetting& setting) {
  for (TextView field : {TextView(setting.Name), TextView(setting.Drive), TextView(setting.Folder),
                         TextView(setting.ID), TextView(setting.Pass)}) {
    if (field.find_first_of(u"\r\n") != TextView::npos) {
      throw RuntimeError(u"設定【" + ShowControlCharacters(setting.Name) +
                         u"】に改行が含まれているため、設定ファイルを保存できません。");
    }
  }
}

}  // namespace

Text FormatSettingLine(const ButtonSetting& setting) {
  Text line = MyEncode(setting.Name);
  for (TextView field :
       {TextView(setting.Drive), TextView(setting.Folder), TextView(setting.ID), TextView(setting.Pass)}) {
    line += u',';
    line += MyEncode(field);
  }
  return line;
}

std::string FormatSettings(const SettingsList& list, const AnsiCodePage& codePage) {
  Text text;
  for (size_t i = 0; i < list.Count(); ++i) {
    RefuseLineBreaks(list.Row(i));
    text += FormatSettingLine(list.Row(i));
    text += kLineBreak;
  }
  if (codePage.CanRepresent(text)) {
    std::string bytes = codePage.FromText(text);
    if (DetectSettingsEncoding(bytes) == SettingsEncoding::Ansi) return bytes;
  }
  return std::string(kUtf8Mark) + EncodeUtf8(text);
}

}  // namespace velloway
