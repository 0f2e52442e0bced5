// The field splitter: plain and quoted fields, text after a closing quote, trailing commas, empty lines.
#include <gtest/gtest.h>

#include <vector>

#include "core/LineSplitter.h"

namespace velloway {
namespace {

struct SplitCase {
  Text line;
  std::vector<Text> fields;
};

class SplitFieldsTest : public ::testing::TestWithParam<SplitCase> {};

TEST_P(SplitFieldsTest, GivesTheFields) { EXPECT_EQ(SplitFields(GetParam().line), GetParam().fields); }

INSTANTIATE_TEST_SUITE_P(
    Lines, SplitFieldsTest,
    ::testing::Values(SplitCase{u"", {}}, SplitCase{u"a", {u"a"}},
                      SplitCase{u" a , b ", {u" a ", u" b "}},  // spaces are ordinary characters
                      SplitCase{u"a,,b", {u"a", u"", u"b"}}, SplitCase{u"a,", {u"a", u""}}, SplitCase{u",", {u"", u""}},
                      SplitCase{u"\"a,b\",c", {u"a,b", u"c"}}, SplitCase{u"\"say \"\"hi\"\"\"", {u"say \"hi\""}},
                      SplitCase{u"\"ab\"cd,e", {u"ab", u"cd", u"e"}},  // text after the closing quote
                      SplitCase{u"\"ab\",", {u"ab", u""}}, SplitCase{u"\"\"", {u""}},
                      SplitCase{u"\"open, never closed", {u"open, never closed"}},
                      SplitCase{u"x\"y\",z", {u"x\"y\"", u"z"}},  // a quote inside a plain field is kept
                      SplitCase{u"経理,Z,\\\\srv\\keiri,,0A", {u"経理", u"Z", u"\\\\srv\\keiri", u"", u"0A"}}));

}  // namespace
}  // namespace velloway
