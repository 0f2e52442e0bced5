// The machine address: which adapter wins, the text's form, and the exact NetBIOS commands asked.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "FakeNetBios.h"
#include "core/U_GetMyMac.h"
#include "core/Unicode.h"

namespace velloway {
namespace {

using testing::FakeAdapter;
using testing::FakeNetBios;

constexpr std::uint8_t kRefused = 0x34;  // NRC_ENVNOTDEF

struct MacCase {
  const char* name;
  std::vector<FakeAdapter> adapters;
  Text address;
};

void PrintTo(const MacCase& c, std::ostream* out) { *out << c.name; }

class GetMyMacTest : public ::testing::TestWithParam<MacCase> {};

TEST_P(GetMyMacTest, GivesTheLastAnsweringAdapterAfterAskingEachInTurn) {
  FakeNetBios netBios(GetParam().adapters);
  EXPECT_EQ(EncodeUtf8(GetMyMac(netBios)), EncodeUtf8(GetParam().address));

  // The enumeration, then a reset and a status request for every adapter in the order listed.
  ASSERT_EQ(netBios.calls.size(), 1 + 2 * GetParam().adapters.size());
  EXPECT_EQ(netBios.calls[0].command, kNcbEnum);
  EXPECT_EQ(netBios.calls[0].bufferLength, 256);
  const std::array<std::uint8_t, 16> localName{0x2A, 0x20};
  for (std::size_t i = 0; i < GetParam().adapters.size(); ++i) {
    const NetBiosCommand& reset = netBios.calls[1 + 2 * i];
    const NetBiosCommand& status = netBios.calls[2 + 2 * i];
    EXPECT_EQ(reset.command, kNcbReset);
    EXPECT_EQ(reset.lanaNumber, GetParam().adapters[i].lana);
    EXPECT_EQ(reset.callName, decltype(reset.callName){});
    EXPECT_EQ(status.command, kNcbAdapterStatus);
    EXPECT_EQ(status.lanaNumber, GetParam().adapters[i].lana);
    EXPECT_EQ(status.callName, localName);
    EXPECT_EQ(status.bufferLength, 600);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Adapters, GetMyMacTest,
    ::testing::Values(
        MacCase{"no adapter", {}, u""},
        MacCase{"one", {{0, 0, {0x00, 0x1A, 0x2B, 0x3C, 0x4D, 0x5E}}}, u"00-1A-2B-3C-4D-5E"},
        MacCase{"upper-case digits", {{3, 0, {0xAB, 0xCD, 0xEF, 0x01, 0x0A, 0xFF}}}, u"AB-CD-EF-01-0A-FF"},
        MacCase{"two answer: the later wins",
                {{0, 0, {1, 2, 3, 4, 5, 6}}, {1, 0, {0x11, 0x22, 0x33, 0x44, 0x55, 0x66}}},
                u"11-22-33-44-55-66"},
        MacCase{
            "the later refuses", {{5, 0, {1, 2, 3, 4, 5, 6}}, {2, kRefused, {9, 9, 9, 9, 9, 9}}}, u"01-02-03-04-05-06"},
        MacCase{"none answers", {{0, kRefused, {1, 2, 3, 4, 5, 6}}, {1, kRefused, {7, 8, 9, 10, 11, 12}}}, u""}));

// Every answering adapter in the order asked, each address once, the one GetMyMac gives last.
TEST(GetMyMacs, GivesEveryAnsweringAdapterWithTheLastAnsweringOneLast) {
  FakeNetBios netBios({{0, 0, {1, 2, 3, 4, 5, 6}},
                       {1, kRefused, {9, 9, 9, 9, 9, 9}},
                       {2, 0, {0x11, 0x22, 0x33, 0x44, 0x55, 0x66}},
                       {3, 0, {1, 2, 3, 4, 5, 6}},
                       {4, kRefused, {7, 7, 7, 7, 7, 7}}});
  EXPECT_EQ(GetMyMacs(netBios), (std::vector<Text>{u"11-22-33-44-55-66", u"01-02-03-04-05-06"}));
  EXPECT_EQ(GetMyMac(netBios), u"01-02-03-04-05-06");
  EXPECT_TRUE(GetMyMacs(*std::make_unique<FakeNetBios>()).empty());
}

}  // namespace
}  // namespace velloway
