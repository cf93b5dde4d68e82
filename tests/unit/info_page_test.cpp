// Information pages: line and key/value parsing, and reading pages and
// counter records from the simulated printer.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "common/message_owner.h"
#include "device/device_link.h"
#include "printer/info_page.h"
#include "printer/printer_info.h"
#include "sim/backend_sim.h"
#include "sim/tarnlow_printer.h"

namespace {

constexpr int kSendFailed = 25;
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

// Reading through the device link from the simulated printer.
class InfoReadTest : public InfoPageTest {
 protected:
  void SetUp() override {
    InfoPageTest::SetUp();
    printer.LoadDemoState();
    UseDeviceBackend(backend.Operations());
    ConfigurePrinterLink();
    ASSERT_EQ(OpenDeviceLink(), 1);
  }
  void TearDown() override {
    UseDeviceBackend(nullptr);  // closes the link before the printer goes
    InfoPageTest::TearDown();
  }
  static TarnlowPrinter::Fault Fault(TarnlowPrinter::Fault::Kind kind, int length = 0) {
    TarnlowPrinter::Fault fault;
    fault.kind = kind;
    fault.length = length;
    return fault;
  }

  TarnlowPrinter printer;
  SimulatedBackend backend{printer};
};

TEST_F(InfoReadTest, ReadsTheFourPages) {
  for (int page = 1; page <= 4; ++page) ReadInfoPage(owner, ctx, page);
  EXPECT_EQ(owner.shown, Ids{});

  const std::vector<TarnlowPrinter::Received> sent = printer.TakeReceived();
  ASSERT_EQ(sent.size(), 4u);
  for (int page = 1; page <= 4; ++page) {
    EXPECT_EQ(sent[page - 1].code, REQ_READ_INFO_PAGE);
    EXPECT_EQ(sent[page - 1].wValue, page * 256);
    EXPECT_EQ(sent[page - 1].length, 1024);
    // Every key the program knows is the printer's, on this page.
    const InfoPageLayout& layout = *FindInfoPageLayout(page);
    for (std::size_t i = 0; i < layout.keys.size(); ++i) {
      EXPECT_EQ(TarnlowPageOfKey(layout.keys[i]), page);
      EXPECT_EQ(PageField(ctx, page, int(i)), printer.PageValue(layout.keys[i]));
    }
  }
  EXPECT_STREQ(ctx.tonerPage->field[TONERLOWMSG], "1");
  EXPECT_STREQ(ctx.countPage->field[COUNTMEDIALABELS], "43");
  EXPECT_STREQ(ctx.machinePage->field[MACHINESERIAL], "TL5C0042817");
  EXPECT_STREQ(ctx.adjustPage->field[ADJTOPTHICK], "17");
}

TEST_F(InfoReadTest, FailedOrCutRepliesAndMissingBlocks) {
  printer.SetFault(REQ_READ_INFO_PAGE, Fault(TarnlowPrinter::Fault::FailTransfer));
  std::strcpy(ctx.countPage->field[COUNTTOTAL], "old");
  ReadInfoPage(owner, ctx, 2);
  EXPECT_EQ(owner.shown, Ids{kSendFailed});
  EXPECT_STREQ(ctx.countPage->field[COUNTTOTAL], "old");

  // A page longer than the reply buffer: the line crossing byte 1024 is lost.
  printer.ClearFaults();
  std::string page4 = "ADJIMAGE=3\r\n";
  page4.resize(1010, '\n');
  printer.SetPageText(4, page4 + "ADJTOPPLAIN=20\r\n");
  ReadInfoPage(owner, ctx, 4);
  EXPECT_STREQ(ctx.adjustPage->field[ADJIMAGE], "3");
  EXPECT_STREQ(ctx.adjustPage->field[ADJTOPPLAIN], "");

  // No block: no request and no message.
  printer.TakeReceived();
  MachinePage* machine = std::exchange(ctx.machinePage, nullptr);
  ReadInfoPage(owner, ctx, 3);
  ctx.machinePage = machine;
  EXPECT_TRUE(printer.TakeReceived().empty());
  EXPECT_EQ(owner.shown, Ids{kSendFailed});
}

TEST_F(InfoReadTest, ReadsCounterRecords) {
  printer.SetValue(REQ_READ_REPLACEMENT_COUNT + 5, -5);
  printer.SetFault(REQ_READ_REPLACEMENT_COUNT + 2, Fault(TarnlowPrinter::Fault::FailTransfer));
  printer.SetValue(REQ_READ_APPLICATION_COUNT + 1, 0x01020304);
  printer.SetFault(REQ_READ_APPLICATION_COUNT + 1, Fault(TarnlowPrinter::Fault::ShortReply, 2));
  ctx.replacementCounts->item[2] = 77;

  ReadCounterRecords(ctx);
  EXPECT_EQ(owner.shown, Ids{});
  EXPECT_EQ(ctx.replacementCounts->item[0], 100);
  EXPECT_EQ(ctx.replacementCounts->item[2], 77);  // failed: unchanged
  EXPECT_EQ(ctx.replacementCounts->item[5], -5);
  EXPECT_EQ(ctx.replacementCounts->item[13], 1413);
  EXPECT_EQ(ctx.applicationCounts->item[1], 0x0304);  // only the bytes sent
  EXPECT_EQ(ctx.applicationCounts->item[9], 200);

  const std::vector<TarnlowPrinter::Received> sent = printer.TakeReceived();
  ASSERT_EQ(sent.size(), 24u);
  for (int i = 0; i < 24; ++i) {
    EXPECT_EQ(sent[i].code, REQ_READ_REPLACEMENT_COUNT + i);
    EXPECT_EQ(sent[i].wValue + sent[i].length, 4);
  }

  ApplicationCounts* application = std::exchange(ctx.applicationCounts, nullptr);
  ReadCounterRecords(ctx);
  ctx.applicationCounts = application;
  EXPECT_EQ(printer.TakeReceived().size(), 14u);  // the missing record is not read
}

}  // namespace
