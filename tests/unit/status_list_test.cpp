#include "printer/status_list.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>


namespace {

StatusList ParseAll(const std::string& reply) {
  return ParseStatusReply(reply.data(), static_cast<int>(reply.size()));
}

std::vector<std::string> Parse(const std::string& reply) {
  const StatusList list = ParseAll(reply);
  std::vector<std::string> codes;
  for (int i = 0; i < list.count; ++i) {
    codes.emplace_back(list.codes + i * kStatusCodeLength, kStatusCodeLength);
  }
  return codes;
}

using Codes = std::vector<std::string>;

TEST(StatusList, SplitsCodesAtCommasAndLineEnds) {
  EXPECT_EQ(Parse("@PJL INFO STATUS=000000\r\n"), Codes{"000000"});
  EXPECT_EQ(Parse("HDR=302008,200001\r"), (Codes{"302008", "200001"}));
  // Two adjacent commas and CR LF between codes add no entries.
  EXPECT_EQ(Parse("HDR=000000,,000001\r\n000002\r\n"),
            (Codes{"000000", "000001", "000002"}));
  // A bare LF ends a piece too.
  EXPECT_EQ(Parse("HDR=000000\n000001\n"), (Codes{"000000", "000001"}));
}

TEST(StatusList, DropsTheUnterminatedLastPiece) {
  EXPECT_EQ(Parse("HDR=000000,000001"), Codes{"000000"});
  EXPECT_EQ(Parse("HDR=000000"), Codes{});
}

TEST(StatusList, UsesOnlyTheTextBetweenTheFirstTwoEquals) {
  EXPECT_EQ(Parse("HDR=000000\r=000001\r"), Codes{"000000"});
  // A run of "=" is one delimiter.
  EXPECT_EQ(Parse("HDR===000001\r==000002\r"), Codes{"000001"});
  // A leading "=" is skipped: the text after it is the header.
  EXPECT_EQ(Parse("=000000\r"), Codes{});
  EXPECT_EQ(Parse("==HDR=000002\r"), Codes{"000002"});
  // No "=" at all, or nothing after it: no codes.
  EXPECT_EQ(Parse("000000\r"), Codes{});
  EXPECT_EQ(Parse("HDR="), Codes{});
}

TEST(StatusList, StoresTheFirstSixCharactersZeroPadded) {
  EXPECT_EQ(Parse("HDR=3020081,20001\r"), (Codes{"302008", std::string("20001\0", 6)}));
  // A piece far longer than a code (past 31 characters) is cut the same way.
  EXPECT_EQ(Parse("HDR=" + std::string(40, '7') + ",000001\r"),
            (Codes{"777777", "000001"}));
  // The zero padding stays inside the entry: the next entry follows at once.
  const StatusList list = ParseAll("HDR=3020,000001\r");
  EXPECT_EQ(std::string(list.codes + 6, 6), "000001");
  EXPECT_EQ(list.codes[12], '\0');
}

// The page stores the whole list: what follows the last code must be zeros.
TEST(StatusList, LeavesZerosAfterTheLastCode) {
  const StatusList list = ParseAll("HDR=209000\r");
  EXPECT_EQ(list.count, 1);
  EXPECT_EQ(std::string(list.codes + 6, sizeof list.codes - 6), std::string(sizeof list.codes - 6, '\0'));
  EXPECT_EQ(ParseAll("no codes").count, 0);
}

TEST(StatusList, ReadsTheTextOnlyUpToItsZeroByteOrLength) {
  const char withZero[] = "HDR=000000,000001\0,000002\r";
  // "000001" is cut off by the zero byte.
  EXPECT_EQ(ParseStatusReply(withZero, sizeof withZero - 1).count, 1);

  const std::string reply = "HDR=000000,000001\r";
  EXPECT_EQ(ParseStatusReply(reply.data(), 11).count, 1);  // "HDR=000000," received
  EXPECT_EQ(ParseStatusReply(reply.data(), 0).count, 0);
}

TEST(StatusList, StaysWithinTheReplyBufferAndTheTable) {
  // A full 1024-byte reply without a zero byte, followed by bytes the parser
  // must not read (a length past the buffer is limited to 1024).
  std::string reply = "HDR=";
  while (reply.size() < kStatusReplySize) reply += "000000,";
  reply.resize(kStatusReplySize);
  reply += ",999999,";
  const StatusList full = ParseAll(reply);
  EXPECT_EQ(full.count, (kStatusReplySize - 4) / 7);
  for (int i = 0; i < full.count; ++i) {
    EXPECT_EQ(std::string(full.codes + i * 6, 6), "000000") << i;
  }

  // More than 170 pieces: only the first 170 are stored.
  std::string many = "=";
  for (int i = 0; i < 200; ++i) many += std::to_string(i % 10) + ",";
  many = "H" + many;
  const StatusList capped = ParseAll(many);
  EXPECT_EQ(capped.count, kStatusEntries);
  EXPECT_EQ(std::string(capped.codes + 169 * 6, 6), std::string("9\0\0\0\0\0", 6));
  EXPECT_EQ(std::string(capped.codes + 170 * 6, 4), std::string(4, '\0'));
}

}  // namespace
