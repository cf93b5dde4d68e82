#include "printer/status_list.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Codes = std::vector<std::string>;

StatusList ParseAll(const std::string& reply) {
  return ParseStatusReply(reply.data(), static_cast<int>(reply.size()));
}

Codes Parse(const std::string& reply) {
  const StatusList list = ParseAll(reply);
  Codes codes;
  for (int i = 0; i < list.count; ++i) codes.emplace_back(StatusCodeAt(list, i), kStatusCodeLength);
  return codes;
}

TEST(StatusList, SplitsTheTextBetweenTheFirstTwoEqualsIntoSixCharacterCodes) {
  const struct {
    std::string reply;
    Codes codes;
  } kCases[] = {
      {"@PJL INFO STATUS=000000\r\n", {"000000"}},
      {"HDR=302008,200001\r", {"302008", "200001"}},
      // Adjacent commas and CR LF add no entries; a bare LF ends a piece too.
      {"HDR=000000,,000001\r\n000002\r\n", {"000000", "000001", "000002"}},
      {"HDR=000000\n000001\n", {"000000", "000001"}},
      // The unterminated last piece is dropped.
      {"HDR=000000,000001", {"000000"}},
      {"HDR=000000", {}},
      // Only the text between the first two "=": a run of "=" is one, a
      // leading "=" is skipped (the text after it is the header).
      {"HDR=000000\r=000001\r", {"000000"}},
      {"HDR===000001\r==000002\r", {"000001"}},
      {"=000000\r", {}},
      {"==HDR=000002\r", {"000002"}},
      {"000000\r", {}},
      {"HDR=", {}},
      // The first six characters, zero padded; longer pieces are cut.
      {"HDR=3020081,20001\r", {"302008", std::string("20001\0", 6)}},
      {"HDR=" + std::string(40, '7') + ",000001\r", {"777777", "000001"}},
      // A zero byte ends the text.
      {std::string("HDR=000000,000001\0,000002\r", 26), {"000000"}},
  };
  for (const auto& c : kCases) EXPECT_EQ(Parse(c.reply), c.codes) << c.reply;

  // The zero padding stays inside the entry, and zeros follow the last code
  // (the page stores the whole list).
  const StatusList list = ParseAll("HDR=3020,000001\r");
  EXPECT_EQ(std::string(list.codes + 6, 6), "000001");
  EXPECT_EQ(std::string(list.codes + 12, sizeof list.codes - 12),
            std::string(sizeof list.codes - 12, '\0'));
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
    EXPECT_EQ(std::string(StatusCodeAt(full, i), 6), "000000") << i;
  }

  // More than 170 pieces: only the first 170 are stored.
  std::string many = "=";
  for (int i = 0; i < 200; ++i) many += std::to_string(i % 10) + ",";
  many = "H" + many;
  const StatusList capped = ParseAll(many);
  EXPECT_EQ(capped.count, kStatusEntries);
  EXPECT_EQ(std::string(StatusCodeAt(capped, 169), 6), std::string("9\0\0\0\0\0", 6));
  EXPECT_EQ(std::string(StatusCodeAt(capped, 170), 4), std::string(4, '\0'));
}

}  // namespace
