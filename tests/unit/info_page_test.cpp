// Information pages: line and key/value parsing. (Reading them from the
// printer is told by tests/scenarios/configuration_and_export.)
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "common/message_owner.h"
#include "printer/info_page.h"
#include "printer/printer_info.h"

namespace {

constexpr int kNotCompatible = 29;
using Ids = std::vector<int>;

class RecordingOwner final : public MessageOwner {
 public:
  void ShowMessage(int stringId) override { shown.push_back(stringId); }
  Ids shown;
};

class InfoPageTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(AllocatePageBlocks(ctx), 1);
    ASSERT_EQ(AllocateCounterBlocks(ctx), 1);
  }
  void TearDown() override { ReleasePrinterInfo(ctx); }

  void Parse(int page, const std::string& text) {
    ParseInfoPage(owner, ctx, page, static_cast<int>(text.size()), text.data());
  }
  int Filled(int page) const {
    int filled = 0;
    for (int i = 0; i < kTonerFields; ++i) filled += PageField(ctx, page, i)[0] != '\0';
    return filled;
  }

  AppContext ctx{};
  RecordingOwner owner;
};

TEST_F(InfoPageTest, StoresKnownKeysWithOrWithoutHeader) {
  Parse(1, "@PJL INFO CONFIGTONER\r\nCONSUMETCREMAINK=45\r\n");
  Parse(2, "COUNTTOTAL=8642\r\n\r\n===\r\n@PJL INFO CONFIGCOUNT\r\n");
  EXPECT_STREQ(ctx.tonerPage->field[CONSUMETCREMAINK], "45");
  EXPECT_STREQ(ctx.countPage->field[COUNTTOTAL], "8642");
  EXPECT_EQ(Filled(1) + Filled(2), 2);
  EXPECT_EQ(owner.shown, Ids{});
}

TEST_F(InfoPageTest, OneTokenLines) {
  // Another page's header: message, and nothing after it is stored.
  Parse(1, "CONSUMETCREMAINC=80\r\n@PJL INFO CONFIGCOUNT\r\nCONSUMETCREMAINK=45\r\n");
  EXPECT_STREQ(ctx.tonerPage->field[CONSUMETCREMAINC], "80");
  EXPECT_STREQ(ctx.tonerPage->field[CONSUMETCREMAINK], "");
  // The header compares exactly; an empty value leaves a one-token line.
  Parse(2, "@PJL INFO CONFIGCOUNT \r\nCOUNTTOTAL=5\r\n");
  Parse(3, "MACHINESERIAL=\r\nMACHINEVERSIONFW=2.07\r\n");
  EXPECT_EQ(owner.shown, (Ids{kNotCompatible, kNotCompatible, kNotCompatible}));
  EXPECT_EQ(Filled(2) + Filled(3), 0);

  // Page 4 skips any one-token line silently.
  owner.shown.clear();
  Parse(4, "@PJL INFO CONFIGTONER\r\nADJTOPPLAIN=\r\nADJIMAGE=3\r\n");
  EXPECT_EQ(owner.shown, Ids{});
  EXPECT_STREQ(ctx.adjustPage->field[ADJIMAGE], "3");
}

TEST_F(InfoPageTest, MatchesWholeKeysAndKeepsValuesAsSent) {
  Parse(2, "COUNTTOTAL==1234\r\nCOUNTCOLORPRINT=12=34\r\n");
  EXPECT_STREQ(ctx.countPage->field[COUNTTOTAL], "1234");
  EXPECT_STREQ(ctx.countPage->field[COUNTCOLORPRINT], "12");

  Parse(2, "counttotal=99\r\nCOUNTTOTALX=98\r\n");
  EXPECT_STREQ(ctx.countPage->field[COUNTTOTAL], "1234");
  EXPECT_EQ(Filled(2), 2);

  Parse(1, "COVERAGETOTALCOLOR=3120\r\n");  // not COVERAGETOTAL
  EXPECT_STREQ(ctx.tonerPage->field[COVERAGETOTAL], "");

  // Blanks stay; the last occurrence wins, replacing the whole field.
  Parse(3, "MACHINESERIAL= TL 5C \r\nMACHINEAUTOCONTO=OFF\r\nMACHINEAUTOCONTO=on\r\n");
  EXPECT_STREQ(ctx.machinePage->field[MACHINESERIAL], " TL 5C ");
  EXPECT_EQ(std::memcmp(ctx.machinePage->field[MACHINEAUTOCONTO], "on\0\0", 4), 0);
}

TEST_F(InfoPageTest, LineEndsAndLimits) {
  Parse(4, "ADJTOPPLAIN=20\r\nADJTOPTHICK=17");  // unterminated last line
  ParseInfoPage(owner, ctx, 4, 14, "ADJLEFTFRONT=9\r\n");  // line end not received
  EXPECT_STREQ(ctx.adjustPage->field[ADJTOPPLAIN], "20");
  EXPECT_EQ(Filled(4), 1);

  // A bare LF or CR ends a line too, without losing a character.
  Parse(4, "ADJLEFTBACK=14\nADJIMAGE=2\rADJTRANSLABEL=7\r\n");
  EXPECT_STREQ(ctx.adjustPage->field[ADJLEFTBACK], "14");
  EXPECT_STREQ(ctx.adjustPage->field[ADJIMAGE], "2");

  // 31 characters fit a line; longer lines are skipped whole, silently.
  Parse(3, "MACHINESERIAL=12345678901234567\r\n");
  Parse(3, "MACHINESERIAL=ABCDEFGHIJKLMNOPQR\r\n" + std::string(200, 'x') +
               "\r\nMACHINEVERSIONFW=" + std::string(100, 'v') +
               "\r\nMACHINEVERSIONBOOT=1.01\r\n");
  EXPECT_STREQ(ctx.machinePage->field[MACHINESERIAL], "12345678901234567");
  EXPECT_STREQ(ctx.machinePage->field[MACHINEVERSIONBOOT], "1.01");
  EXPECT_EQ(Filled(3), 2);

  // A full page without any line end stores nothing.
  Parse(2, "COUNTTOTAL=" + std::string(1013, '7'));
  EXPECT_EQ(Filled(2), 0);
  EXPECT_EQ(owner.shown, Ids{});
}

TEST_F(InfoPageTest, MissingBlocksAreNeverWritten) {
  CountPage* count = std::exchange(ctx.countPage, nullptr);
  Parse(2, "@PJL INFO CONFIGTONER\r\nCOUNTTOTAL=5\r\n");
  EXPECT_STREQ(PageField(ctx, 2, COUNTTOTAL), "");
  ctx.countPage = count;
  EXPECT_STREQ(ctx.countPage->field[COUNTTOTAL], "");
  Parse(5, "COUNTTOTAL=5\r\n");
  EXPECT_EQ(owner.shown, Ids{});  // neither page was parsed
  EXPECT_STREQ(PageField(ctx, 1, kTonerFields), "");

  ReleasePrinterInfo(ctx);
  EXPECT_EQ(ctx.tonerPage, nullptr);
  EXPECT_EQ(ctx.applicationCounts, nullptr);
}

}  // namespace
