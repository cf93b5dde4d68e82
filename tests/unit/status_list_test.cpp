#include "panel/status_list.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "common/app_context.h"

namespace {

// AppContext is large; keep it off the stack and zero-filled as at start.
std::unique_ptr<AppContext> FreshContext() {
  auto ctx = std::make_unique<AppContext>();
  std::memset(ctx.get(), 0, sizeof *ctx);
  return ctx;
}

std::vector<std::string> Parse(AppContext& ctx, const std::string& reply) {
  ParseStatusReply(ctx, reply.data(), static_cast<int>(reply.size()));
  std::vector<std::string> codes;
  for (int i = 0; i < ctx.statusCount; ++i) {
    codes.emplace_back(ctx.statusCodes + i * kStatusCodeLength, kStatusCodeLength);
  }
  return codes;
}

using Codes = std::vector<std::string>;

TEST(StatusList, SplitsCodesAtCommasAndLineEnds) {
  auto ctx = FreshContext();
  EXPECT_EQ(Parse(*ctx, "@PJL INFO STATUS=000000\r\n"), Codes{"000000"});
  EXPECT_EQ(Parse(*ctx, "HDR=302008,200001\r"), (Codes{"302008", "200001"}));
  // Two adjacent commas and CR LF between codes add no entries.
  EXPECT_EQ(Parse(*ctx, "HDR=000000,,000001\r\n000002\r\n"),
            (Codes{"000000", "000001", "000002"}));
  // A bare LF ends a piece too.
  EXPECT_EQ(Parse(*ctx, "HDR=000000\n000001\n"), (Codes{"000000", "000001"}));
}

TEST(StatusList, DropsTheUnterminatedLastPiece) {
  auto ctx = FreshContext();
  EXPECT_EQ(Parse(*ctx, "HDR=000000,000001"), Codes{"000000"});
  EXPECT_EQ(Parse(*ctx, "HDR=000000"), Codes{});
}

TEST(StatusList, UsesOnlyTheTextBetweenTheFirstTwoEquals) {
  auto ctx = FreshContext();
  EXPECT_EQ(Parse(*ctx, "HDR=000000\r=000001\r"), Codes{"000000"});
  // A run of "=" is one delimiter.
  EXPECT_EQ(Parse(*ctx, "HDR===000001\r==000002\r"), Codes{"000001"});
  // A leading "=" is skipped: the text after it is the header.
  EXPECT_EQ(Parse(*ctx, "=000000\r"), Codes{});
  EXPECT_EQ(Parse(*ctx, "==HDR=000002\r"), Codes{"000002"});
  // No "=" at all, or nothing after it: no codes.
  EXPECT_EQ(Parse(*ctx, "000000\r"), Codes{});
  EXPECT_EQ(Parse(*ctx, "HDR="), Codes{});
}

TEST(StatusList, StoresTheFirstSixCharactersZeroPadded) {
  auto ctx = FreshContext();
  EXPECT_EQ(Parse(*ctx, "HDR=3020081,20001\r"), (Codes{"302008", std::string("20001\0", 6)}));
  // A piece far longer than a code (past 31 characters) is cut the same way.
  EXPECT_EQ(Parse(*ctx, "HDR=" + std::string(40, '7') + ",000001\r"),
            (Codes{"777777", "000001"}));
  // The zero padding stays inside the entry: the next entry follows at once.
  EXPECT_EQ(std::string(ctx->statusCodes + 6, 6), "000001");
  EXPECT_EQ(ctx->statusCodes[12], '\0');
}

TEST(StatusList, ReplacesThePreviousListAsAWhole) {
  auto ctx = FreshContext();
  Parse(*ctx, "HDR=000000,000001,000002\r");
  ctx->displayIndex = 2;
  EXPECT_EQ(Parse(*ctx, "HDR=209000\r"), Codes{"209000"});
  EXPECT_EQ(std::string(ctx->statusCodes + 6, 12), std::string(12, '\0'));
  EXPECT_EQ(ctx->displayIndex, 2);  // the caller resets it

  EXPECT_EQ(Parse(*ctx, "no codes"), Codes{});
  EXPECT_EQ(std::string(ctx->statusCodes, 6), std::string(6, '\0'));
}

TEST(StatusList, ReadsTheTextOnlyUpToItsZeroByteOrLength) {
  auto ctx = FreshContext();
  const char withZero[] = "HDR=000000,000001\0,000002\r";
  ParseStatusReply(*ctx, withZero, sizeof withZero - 1);
  EXPECT_EQ(ctx->statusCount, 1);  // "000001" is cut off by the zero byte

  const std::string reply = "HDR=000000,000001\r";
  ParseStatusReply(*ctx, reply.data(), 11);  // "HDR=000000," received
  EXPECT_EQ(ctx->statusCount, 1);
  ParseStatusReply(*ctx, reply.data(), 0);
  EXPECT_EQ(ctx->statusCount, 0);
}

TEST(StatusList, StaysWithinTheReplyBufferAndTheTable) {
  auto ctx = FreshContext();
  // A full 1024-byte reply without a zero byte, followed by bytes the parser
  // must not read (a length past the buffer is limited to 1024).
  std::string reply = "HDR=";
  while (reply.size() < kStatusReplySize) reply += "000000,";
  reply.resize(kStatusReplySize);
  reply += ",999999,";
  ParseStatusReply(*ctx, reply.data(), static_cast<int>(reply.size()));
  EXPECT_EQ(ctx->statusCount, (kStatusReplySize - 4) / 7);
  for (int i = 0; i < ctx->statusCount; ++i) {
    EXPECT_EQ(std::string(ctx->statusCodes + i * 6, 6), "000000") << i;
  }

  // More than 170 pieces: only the first 170 are stored.
  std::string many = "=";
  for (int i = 0; i < 200; ++i) many += std::to_string(i % 10) + ",";
  many = "H" + many;
  ParseStatusReply(*ctx, many.data(), static_cast<int>(many.size()));
  EXPECT_EQ(ctx->statusCount, kStatusEntries);
  EXPECT_EQ(std::string(ctx->statusCodes + 169 * 6, 6), std::string("9\0\0\0\0\0", 6));
  EXPECT_EQ(std::string(ctx->statusCodes + 170 * 6, 4), std::string(4, '\0'));
}

}  // namespace
