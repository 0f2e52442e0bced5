// The line and field splitters of the settings file, one template for text and for bytes.
#include "core/LineSplitter.h"

namespace velloway {
namespace {

template <typename Char>
std::vector<std::basic_string_view<Char>> SplitLinesOf(std::basic_string_view<Char> text) {
  std::vector<std::basic_string_view<Char>> lines;
  size_t start = 0;
  size_t position = 0;
  while (position < text.size()) {
    const Char c = text[position];
    if (c != Char('\r') && c != Char('\n')) {
      ++position;
      continue;
    }
    lines.push_back(text.substr(start, position - start));
    position +=
        (c == Char('\r') && position + 1 < text.size() && text[position + 1] == Char('\n')) ? size_t{2} : size_t{1};
    start = position;
  }
  if (start < text.size()) lines.push_back(text.substr(start));
  return lines;
}

// Reads a quoted field starting at line[position] == '"'; returns the position after its closing quote
// (or the end of the line when it is never closed).
template <typename Char>
size_t ReadQuoted(std::basic_string_view<Char> line, size_t position, std::basic_string<Char>& field) {
  ++position;
  while (position < line.size()) {
    if (line[position] == Char('"')) {
      if (position + 1 < line.size() && line[position + 1] == Char('"')) {
        field.push_back(Char('"'));
        position += 2;
        continue;
      }
      return position + 1;
    }
    field.push_back(line[position]);
    ++position;
  }
  return position;
}

template <typename Char>
std::vector<std::basic_string<Char>> SplitFieldsOf(std::basic_string_view<Char> line) {
  std::vector<std::basic_string<Char>> fields;
  if (line.empty()) return fields;

  size_t position = 0;
  while (true) {
    std::basic_string<Char> field;
    if (position < line.size() && line[position] == Char('"')) {
      position = ReadQuoted(line, position, field);
      fields.push_back(std::move(field));
      // Text between the closing quote and the next comma stands as a field of its own.
      if (position < line.size() && line[position] != Char(',')) continue;
    } else {
      const size_t comma = line.find(Char(','), position);
      const size_t end = comma == std::basic_string_view<Char>::npos ? line.size() : comma;
      fields.emplace_back(line.substr(position, end - position));
      position = end;
    }
    if (position >= line.size()) break;
    ++position;  // past the comma: a field follows, empty when the comma ends the line
  }
  return fields;
}

}  // namespace

std::vector<TextView> SplitLines(TextView text) { return SplitLinesOf(text); }
std::vector<std::string_view> SplitLines(std::string_view bytes) { return SplitLinesOf(bytes); }
std::vector<Text> SplitFields(TextView line) { return SplitFieldsOf(line); }
std::vector<std::string> SplitFields(std::string_view line) { return SplitFieldsOf(line); }

}  // namespace velloway
