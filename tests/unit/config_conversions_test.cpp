// The display conversions of the configuration window: supply states,
// cartridge types, percentages, switches, biased adjustments, counter lines.
#include "printer/config_conversions.h"
#include "device/request_catalogue.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "common/string_table.h"

namespace {

class ConfigConversions : public ::testing::Test {
 protected:
  void SetUp() override { SetTextLanguage(kEnglish); }
};

TEST_F(ConfigConversions, SupplyStatesMatchExactlyOrLeaveTheFieldAlone) {
  EXPECT_EQ(SupplyStateText("1"), "Ready");
  EXPECT_EQ(SupplyStateText("2"), "Low");
  EXPECT_EQ(SupplyStateText("3"), "End");
  EXPECT_EQ(SupplyStateText("4"), "Life End");
  EXPECT_EQ(SupplyStateText("0"), "UnKnown");
  for (const char* other : {"7", "", "01", " 1", "1 ", "5"})
    EXPECT_EQ(SupplyStateText(other), std::nullopt) << '"' << other << '"';
  EXPECT_EQ(SupplyStateText(nullptr), std::nullopt);
}

TEST_F(ConfigConversions, CartridgeTypesShowADashForAnythingElse) {
  EXPECT_EQ(CartridgeTypeText("05"), "Starter");
  EXPECT_EQ(CartridgeTypeText("15"), "Standard");
  EXPECT_EQ(CartridgeTypeText("25"), "High");
  for (const char* other : {"35", "", "5", "15 ", "015", "0"})
    EXPECT_EQ(CartridgeTypeText(other), "-") << '"' << other << '"';
}

TEST_F(ConfigConversions, PercentAndSwitches) {
  EXPECT_EQ(PercentText("80"), "80%");
  EXPECT_EQ(PercentText(""), "%");
  EXPECT_EQ(PercentText("6.4"), "6.4%");

  // Only the exact upper-case "OFF" is off.
  EXPECT_EQ(SwitchOffText("OFF"), "Off");
  for (const char* on : {"ON", "off", "Off", "OFF ", "", "0"})
    EXPECT_EQ(SwitchOffText(on), "On") << '"' << on << '"';

  // Only the exact "0" is off.
  EXPECT_EQ(SwitchZeroText("0"), "Off");
  for (const char* on : {"00", "", "1", " 0", "OFF"})
    EXPECT_EQ(SwitchZeroText(on), "On") << '"' << on << '"';
}

TEST_F(ConfigConversions, BiasedNumbersAreReadLikeAtol) {
  EXPECT_EQ(BiasedNumberText("15", kTopLeftBias), "0");
  EXPECT_EQ(BiasedNumberText("10", kTopLeftBias), "-5");
  EXPECT_EQ(BiasedNumberText("30", kTopLeftBias), "15");
  EXPECT_EQ(BiasedNumberText("abc", kTopLeftBias), "-15");
  EXPECT_EQ(BiasedNumberText("", kTopLeftBias), "-15");
  EXPECT_EQ(BiasedNumberText("8", kTransferBias), "0");
  EXPECT_EQ(BiasedNumberText("6", kTransferBias), "-2");
  EXPECT_EQ(BiasedNumberText("", kTransferBias), "-8");

  // White space, a sign, then digits up to the first non-digit.
  EXPECT_EQ(LeadingNumber(" \t\r\n\v\f+20x"), 20);
  EXPECT_EQ(LeadingNumber("-3"), -3);
  EXPECT_EQ(LeadingNumber("1 2"), 1);
  EXPECT_EQ(LeadingNumber("- 5"), 0);
  EXPECT_EQ(LeadingNumber("+-5"), 0);
  EXPECT_EQ(LeadingNumber("0x1F"), 0);
  EXPECT_EQ(LeadingNumber("007"), 7);
  EXPECT_EQ(LeadingNumber(nullptr), 0);

  // Beyond the 32-bit range the number saturates; the bias still applies.
  EXPECT_EQ(LeadingNumber("2147483647"), INT32_MAX);
  EXPECT_EQ(LeadingNumber("9999999999999999999999999999999"), INT32_MAX);
  EXPECT_EQ(LeadingNumber("-2147483648"), INT32_MIN);
  EXPECT_EQ(LeadingNumber("-99999999999"), INT32_MIN);
  EXPECT_EQ(BiasedNumberText("-99999999999", kTransferBias), "-2147483656");
}

TEST_F(ConfigConversions, CounterLinesJoinValuesWithSlashes) {
  std::vector<std::int32_t> fourteen;
  for (int i = 1; i <= 14; ++i) fourteen.push_back(i);
  EXPECT_EQ(CounterLine(fourteen), "1/2/3/4/5/6/7/8/9/10/11/12/13/14");
  EXPECT_EQ(CounterLine(std::vector<std::int32_t>{-5, 0, INT32_MIN}), "-5/0/-2147483648");
  EXPECT_EQ(CounterLine(std::vector<std::int32_t>{42}), "42");
  EXPECT_EQ(CounterLine({}), "");
}

}  // namespace
