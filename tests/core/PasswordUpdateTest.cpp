// When a button is offered the password that worked: after its own was refused, once, and only as it stands.
#include <gtest/gtest.h>

#include <vector>

#include "core/PasswordUpdate.h"

namespace velloway {
namespace {

const ButtonSetting kButton{u"経理", u"Z", u"\\\\srv\\keiri", u"taro", u"00FF"};

RefusedPasswords::Attempt Stored(std::uint32_t result) { return {kButton.Folder, kButton.ID, true, false, result}; }
RefusedPasswords::Attempt Typed(std::uint32_t result) { return {kButton.Folder, kButton.ID, true, true, result}; }

TEST(RefusedPasswords, OffersATypedPasswordThatWorkedAfterARefusalOnce) {
  struct Case {
    const char* name;
    std::vector<RefusedPasswords::Attempt> attempts;
    std::vector<bool> offers;
  };
  RefusedPasswords::Attempt otherUser = Typed(0);
  otherUser.user = u"hanako";
  RefusedPasswords::Attempt otherFolder = Typed(0);
  otherFolder.remote = u"\\\\srv\\other";
  RefusedPasswords::Attempt nothingStored = Stored(86);
  nothingStored.storedPassword = false;
  const Case cases[] = {
      {"refused, then typed and connected", {Stored(86), Typed(0)}, {false, true}},
      {"each refusal code", {Stored(5), Typed(0), Stored(1326), Typed(0)}, {false, true, false, true}},
      {"asked once", {Stored(86), Typed(0), Typed(0)}, {false, true, false}},
      {"no refusal before", {Typed(0)}, {false}},
      {"the typed one refused too", {Stored(86), Typed(86), Typed(0)}, {false, false, true}},
      {"the stored one connects after all", {Stored(86), Stored(0), Typed(0)}, {false, false, true}},
      {"another failure is no refusal", {Stored(53), Typed(0)}, {false, false}},
      {"another user typed", {Stored(86), otherUser}, {false, false}},
      {"another folder typed", {Stored(86), otherFolder}, {false, false}},
      {"no password stored", {nothingStored, Typed(0)}, {false, false}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    RefusedPasswords refused;
    std::vector<bool> offers;
    for (const auto& attempt : c.attempts) offers.push_back(refused.After(kButton, attempt));
    EXPECT_EQ(offers, c.offers);
  }
}

}  // namespace
}  // namespace velloway
