// The log of outcomes that arrived after the user gave up waiting: its line, and a file that keeps its last lines.
#include <gtest/gtest.h>

#include <string>

#include "core/OutcomeLog.h"

namespace velloway {
namespace {

TEST(OutcomeLog, ALineNamesTimeButtonFolderAndStatusWithoutControlCharacters) {
  EXPECT_EQ(OutcomeLogLine(u"2026-12-11 09:30:00", u"経理", u"\\\\srv\\share", u"認証完了"),
            "2026-12-11 09:30:00 \xE3\x80\x90\xE7\xB5\x8C\xE7\x90\x86\xE3\x80\x91\\\\srv\\share: "
            "\xE8\xAA\x8D\xE8\xA8\xBC\xE5\xAE\x8C\xE4\xBA\x86\r\n");
  // A hand-edited name with a tab or a line break would break the one-line-an-outcome rule.
  EXPECT_EQ(OutcomeLogLine(u"t", u"a\tb\r\nc", u"f\x7f", u"s"),
            "t \xE3\x80\x90"
            "a b  c\xE3\x80\x91"
            "f : s\r\n");
}

TEST(OutcomeLog, AppendingKeepsTheLastLinesAndEndsAnUnendedOne) {
  struct Case {
    const char* name;
    std::string bytes;
    size_t limit;
    std::string expected;
  };
  const Case cases[] = {
      {"a new file", "", 3, "new\r\n"},
      {"below the limit", "a\r\nb\r\n", 3, "a\r\nb\r\nnew\r\n"},
      {"at the limit: the oldest goes", "a\r\nb\r\nc\r\n", 3, "b\r\nc\r\nnew\r\n"},
      {"far beyond it, as after a lower limit", "a\r\nb\r\nc\r\nd\r\ne\r\n", 2, "e\r\nnew\r\n"},
      {"a last line without its end", "a\r\nb", 3, "a\r\nb\r\nnew\r\n"},
      {"bare line feeds of a hand edit", "a\nb\nc\n", 2, "c\nnew\r\n"},
      {"a limit of one", "a\r\n", 1, "new\r\n"},
  };
  for (const Case& c : cases) EXPECT_EQ(AppendLogLine(c.bytes, "new\r\n", c.limit), c.expected) << c.name;
}

}  // namespace
}  // namespace velloway
