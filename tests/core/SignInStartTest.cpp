// The sign-in start's command and its switch, as Windows passes the command line back.
#include <gtest/gtest.h>

#include "core/SignInStart.h"

namespace velloway {
namespace {

TEST(SignInStart, TheCommandQuotesThePathAndItsSwitchIsFoundInEitherForm) {
  EXPECT_EQ(SignInCommand(u"C:\\Program Files\\Velloway\\Velloway.exe"),
            u"\"C:\\Program Files\\Velloway\\Velloway.exe\" /signin");
  struct Case {
    const char16_t* arguments;
    bool signIn;
  };
  for (const Case& c : {Case{u"/signin", true}, Case{u"-SignIn", true}, Case{u"/SIGNIN", true},
                        Case{u"/noopen /signin", true}, Case{u"/signin ", true}, Case{u"", false},
                        Case{u"/signing", false}, Case{u"signin", false}, Case{u"/sign", false}}) {
    EXPECT_EQ(HasSignInSwitch(c.arguments), c.signIn) << ::testing::PrintToString(Text(c.arguments));
  }
}

}  // namespace
}  // namespace velloway
