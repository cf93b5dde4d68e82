#include "printer/split_tokens.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

constexpr int kWidth = 8;

// Four slots and a guard slot, all pre-filled with '#'.
struct Slots {
  char s[5][kWidth];
  Slots() { std::memset(s, '#', sizeof s); }
  char* first() { return &s[0][0]; }
};

TEST(SplitTokens, FollowsStrtokRules) {
  Slots a;  // runs, leading and trailing delimiters give no empty token
  EXPECT_EQ(SplitTokens("==K===b c=", "=", a.first(), kWidth, 4), 2);
  EXPECT_STREQ(a.s[0], "K");
  EXPECT_STREQ(a.s[1], "b c");
  EXPECT_EQ(a.s[2][0], '#');

  Slots b;  // any character of the set separates
  EXPECT_EQ(SplitTokens("\r\nA1,B2\r\nC3,", ",\r\n", b.first(), kWidth, 4), 3);
  EXPECT_STREQ(b.s[2], "C3");

  EXPECT_EQ(SplitTokens("", "=", b.first(), kWidth, 4), 0);
  EXPECT_EQ(SplitTokens("====", "=", b.first(), kWidth, 4), 0);
  EXPECT_EQ(SplitTokens(nullptr, "=", b.first(), kWidth, 4), 0);
  EXPECT_STREQ(b.s[0], "A1");  // nothing written by the empty splits
}

TEST(SplitTokens, NeverWritesPastSlotsOrSlotCount) {
  Slots cut;  // an overlong token is cut to width - 1
  EXPECT_EQ(SplitTokens("ABCDEFGHIJKL=xy", "=", cut.first(), kWidth, 4), 2);
  EXPECT_STREQ(cut.s[0], "ABCDEFG");
  EXPECT_STREQ(cut.s[1], "xy");

  Slots few;  // tokens beyond maxSlots are counted, not stored
  EXPECT_EQ(SplitTokens("1=2=3=4=5=6", "=", few.first(), kWidth, 4), 6);
  EXPECT_STREQ(few.s[3], "4");
  EXPECT_EQ(few.s[4][0], '#');
  EXPECT_EQ(SplitTokens("a=b", "=", nullptr, kWidth, 4), 2);

  // Only the first 1023 characters are split; the source stays as it was.
  std::string source(1500, 'x');
  source[1100] = '=';
  const std::string before = source;
  static char wide[2][1100];
  EXPECT_EQ(SplitTokens(source.c_str(), "=", &wide[0][0], 1100, 2), 1);
  EXPECT_EQ(std::strlen(wide[0]), 1023u);
  EXPECT_EQ(source, before);
  source[1000] = '=';
  EXPECT_EQ(SplitTokens(source.c_str(), "=", &wide[0][0], 1100, 2), 2);
  EXPECT_EQ(std::strlen(wide[1]), 22u);
}

}  // namespace
