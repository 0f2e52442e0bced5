// The question when another user holds the server (1219): the other user is named only when known and not
// the button's own, and several connections are each listed.
#include <gtest/gtest.h>

#include <vector>

#include "core/ConnectJob.h"

namespace velloway {
namespace {

TEST(SessionConflictQuestion, NamesTheServerAndTheOtherUserWhenKnown) {
  struct Case {
    const char* name;
    std::vector<HeldConnection> held;
    Text question;
  };
  const Text ask = u"接続を閉じて、このボタンのユーザーで接続し直しますか？";
  const Case cases[] = {
      {"a known other user",
       {{u"Y:", u"\\\\srv\\public", u"hanako"}},
       u"【\\\\srv】には別のユーザー（hanako）で接続済みです。その" + ask},
      {"no user said",
       {{u"\\\\srv\\public", u"\\\\srv\\public", std::nullopt}},
       u"【\\\\srv】には別のユーザーで接続済みです。その" + ask},
      {"the button's own user, in another case",
       {{u"Y:", u"\\\\srv\\public", u"TARO"}},
       u"【\\\\srv】には別のユーザーで接続済みです。その" + ask},
      {"several",
       {{u"Y:", u"\\\\SRV\\public", u"hanako"}, {u"\\\\srv\\docs", u"\\\\srv\\docs", std::nullopt}},
       u"【\\\\srv】には別のユーザーで接続済みです。次の" + ask +
           u"\r\n・Y: \\\\SRV\\public（hanako）\r\n・\\\\srv\\docs"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(SessionConflictQuestion(u"\\\\srv\\keiri", c.held, u"taro"), c.question);
  }
}

}  // namespace
}  // namespace velloway
