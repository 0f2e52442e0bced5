// The field splitter of settings lines.
#include "LineSplitter.h"

namespace velloway {
namespace {

// Reads a quoted field starting at line[position] == '"'; returns the position after its closing quote
// (or the end of the line when it is never closed).
size_t ReadQuoted(TextView line, size_t position, Text& field) {
  ++position;
  while (position < line.size()) {
    if (line[position] == u'"') {
      if (position + 1 < line.size() && line[position + 1] == u'"') {
        field.push_back(u'"');
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

}  // namespace

std::vector<Text> SplitFields(TextView line) {
  std::vector<Text> fields;
  if (line.empty()) return fields;

  size_t position = 0;
  while (true) {
    Text field;
    if (position < line.size() && line[position] == u'"') {
      position = ReadQuoted(line, position, field);
      fields.push_back(std::move(field));
      // Text between the closing quote and the next comma stands as a field of its own.
      if (position < line.size() && line[position] != u',') continue;
    } else {
      const size_t comma = line.find(u',', position);
      const size_t end = comma == TextView::npos ? line.size() : comma;
      fields.emplace_back(line.substr(position, end - position));
      position = end;
    }
    if (position >= line.size()) break;
    ++position;  // past the comma: a field follows, empty when the comma ends the line
  }
  return fields;
}

}  // namespace velloway
