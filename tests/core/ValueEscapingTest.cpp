// Escaping of field values: exact tokens, single-scan decoding and the round trip.
#include <gtest/gtest.h>

#include "core/ValueEscaping.h"

namespace velloway {
namespace {

struct EscapeCase {
  Text value;
  Text encoded;
};

class EscapingTest : public ::testing::TestWithParam<EscapeCase> {};

TEST_P(EscapingTest, EncodesToTheTokensAndDecodesBack) {
  const EscapeCase& c = GetParam();
  EXPECT_EQ(MyEncode(c.value), c.encoded);
  EXPECT_EQ(MyDecode(c.encoded), c.value);
}

INSTANTIATE_TEST_SUITE_P(
    Values, EscapingTest,
    ::testing::Values(EscapeCase{u"", u""}, EscapeCase{u"経理 部", u"経理 部"},
                      EscapeCase{u"a\"b'c,d&e", u"a[&dblq;]b[&sinq;]c[&conm;]d[&amp;]e"},
                      EscapeCase{u"\"\"", u"[&dblq;][&dblq;]"},
                      // A value that holds a token's text must come back as that text, not as the character.
                      EscapeCase{u"[&amp;]", u"[[&amp;]amp;]"},
                      EscapeCase{u"[&conm;][&dblq", u"[[&amp;]conm;][[&amp;]dblq"}, EscapeCase{u"[[&", u"[[[&amp;]"}));

TEST(MyDecode, CopiesRawSpecialCharactersAndNearTokens) {
  EXPECT_EQ(MyDecode(u"a,\"b'"), u"a,\"b'");
  EXPECT_EQ(MyDecode(u"[&AMP;][&amp[&sinq;"), u"[&AMP;][&amp[&sinq;");
  // The scan continues after a replaced token: the '&' it produced is not re-read as a token start.
  EXPECT_EQ(MyDecode(u"[&amp;]amp;]"), u"&amp;]");
}

}  // namespace
}  // namespace velloway
