// The credential key of a button and which keys the editor's save deletes.
#include <gtest/gtest.h>

#include "FakeCredentialStore.h"
#include "core/CredentialKeys.h"

namespace velloway {
namespace {

TEST(CredentialKeys, KeyFollowsFolderAndIdOnly) {
  const ButtonSetting row{u"経理", u"Z", u"\\\\srv\\Share", u"Taro", u""};
  EXPECT_EQ(CredentialKey(row), u"Velloway:Taro@\\\\srv\\Share");
  ButtonSetting renamed = row;
  renamed.Name = u"別名";
  renamed.Drive = u"";
  renamed.Pass = u"00";
  EXPECT_EQ(CredentialKey(renamed), CredentialKey(row));
  EXPECT_EQ(CredentialKey(ButtonSetting{u"n", u"", u"\\\\srv\\Share", u"", u""}), u"Velloway:@\\\\srv\\Share");
  EXPECT_NE(CredentialKey(ButtonSetting{u"n", u"", u"\\\\srv\\Other", u"Taro", u""}), CredentialKey(row));
  EXPECT_NE(CredentialKey(ButtonSetting{u"n", u"", u"\\\\srv\\Share", u"Jiro", u""}), CredentialKey(row));
}

TEST(CredentialKeys, KeysOfTheRowsThatUseTheStore) {
  EXPECT_EQ(CredentialKeysOf({{u"1", u"", u"\\\\s\\x", u"a", u""}, {u"3", u"", u"\\\\s\\z", u"c", u"00FF"}}),
            std::vector<Text>{u"Velloway:a@\\\\s\\x"});
  EXPECT_TRUE(CredentialKeysOf({}).empty());
}

TEST(CredentialKeys, DeletesOnlyKeysNoStoreRowUses) {
  testing::FakeCredentialStore store;
  const Text kept = u"Velloway:a@\\\\s\\x";
  const Text keptOtherCase = u"Velloway:B@\\\\S\\Y";
  const Text onlyPassRow = u"Velloway:c@\\\\s\\z";
  const Text unused = u"Velloway:d@\\\\s\\w";
  for (const Text& key : {kept, keptOtherCase, onlyPassRow, unused}) ASSERT_EQ(store.Write(key, u"pw"), 0u);
  SettingsList rows;
  rows.Append(ButtonSetting{u"1", u"", u"\\\\s\\x", u"a", u""});
  rows.Append(ButtonSetting{u"2", u"", u"\\\\s\\y", u"b", u""});  // differs from its key in case only
  rows.Append(ButtonSetting{u"3", u"", u"\\\\s\\z", u"c", u"0123456789ABCDEF0123456789ABCDEF"});

  DeleteUnusedCredentials(store, {kept, keptOtherCase, onlyPassRow, unused}, rows);

  EXPECT_TRUE(store.Read(kept));
  EXPECT_TRUE(store.Read(keptOtherCase));
  EXPECT_FALSE(store.Read(onlyPassRow));  // that row's password is its Pass
  EXPECT_FALSE(store.Read(unused));
  EXPECT_EQ(store.entries.size(), 2u);
}

TEST(CredentialKeys, LeavesKeysThatAreNotCandidates) {
  testing::FakeCredentialStore store;
  ASSERT_EQ(store.Write(u"Velloway:e@\\\\s\\v", u"pw"), 0u);
  DeleteUnusedCredentials(store, {}, SettingsList{});
  EXPECT_EQ(store.Read(u"Velloway:e@\\\\s\\v"), Text(u"pw"));
}

}  // namespace
}  // namespace velloway
