// The portable link: ID list handling, the printer search and the handles,
// against a scripted backend that stands for the platform.
#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <string>
#include <vector>

#include "device/device_backend.h"
#include "device/device_link.h"

namespace {

struct FakeDevice {
  std::vector<std::string> hardwareIds;
  std::string key;
};

struct FakePlatform {
  std::vector<FakeDevice> devices;
  std::set<std::string> unopenable;
  bool listFails = false;
  std::vector<std::string> searchedFor;  // the deviceId at each search
  std::set<DeviceHandle> open;
  int maxOpen = 0;
  DeviceHandle next = 100;
  std::vector<std::pair<DeviceHandle, std::vector<std::uint8_t>>> requests;
};
FakePlatform fake;

DeviceHandle FakeOpen(void*, const std::string& key) {
  if (fake.unopenable.count(key)) return kInvalidDeviceHandle;
  fake.open.insert(fake.next);
  fake.maxOpen = std::max<int>(fake.maxOpen, int(fake.open.size()));
  return fake.next++;
}

const DeviceBackend kFake = {
    "fake",
    nullptr,
    [](void*, const HardwareIdMatch& matches, std::string& key) {
      fake.searchedFor.push_back(GetDeviceLink()->deviceId);
      if (fake.listFails) return false;
      for (const FakeDevice& device : fake.devices) {
        if (!matches(device.hardwareIds)) continue;
        key = device.key;
        return true;
      }
      return false;
    },
    FakeOpen,
    [](void*, DeviceHandle handle) { fake.open.erase(handle); },
    [](void*, DeviceHandle handle, const std::uint8_t input[3], std::uint8_t* reply,
       std::uint16_t length) {
      fake.requests.push_back({handle, {input[0], input[1], input[2]}});
      if (input[0] == 99) return 0;  // a failing transfer
      if (input[0] == 98) return kVendorRequestTimedOut;
      for (std::uint16_t i = 0; i < length && i < 2; ++i) reply[i] = 'R';
      return length < 2 ? int(length) : 2;
    },
    nullptr,
};

class DeviceLinkTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fake = FakePlatform{};
    UseDeviceBackend(&kFake);
  }
  void TearDown() override { CloseDeviceLink(); }

  static void SetIds(const char* ids) {
    DeviceLinkSettings settings{};
    std::strncpy(settings.deviceId, ids, sizeof settings.deviceId - 1);
    GetDeviceLink(&settings);
  }
};

TEST_F(DeviceLinkTest, ConfigureLoadsTheSupportedPrinterAndOpensIt) {
  fake.devices = {{{"USB\\VID_1234&PID_0001"}, "other"},
                  {{"USB\\VID_F0CA&PID_7A71&REV_0100", "USB\\VID_F0CA&PID_7A71"}, "tarnlow"}};
  ConfigurePrinterLink();
  EXPECT_STREQ(GetDeviceLink()->deviceId, kPrinterHardwareId);
  ASSERT_EQ(OpenDeviceLink(), 1);
  EXPECT_NE(GetDeviceLink()->hPipeA, kInvalidDeviceHandle);
  EXPECT_NE(GetDeviceLink()->hPipeB, kInvalidDeviceHandle);
  EXPECT_NE(GetDeviceLink()->hPipeA, GetDeviceLink()->hPipeB);
  EXPECT_EQ(CloseDeviceLink(), 1);
  EXPECT_EQ(GetDeviceLink()->hPipeA, kInvalidDeviceHandle);
  EXPECT_EQ(GetDeviceLink()->hPipeB, kInvalidDeviceHandle);
  EXPECT_TRUE(fake.open.empty());
}

TEST_F(DeviceLinkTest, MatchesWholeIdsInAnyLetterCase) {
  fake.devices = {{{"USB\\VID_F0CA&PID_7A71&REV_0100", "USB\\VID_F0CA&PID_7A71&MI_00"}, "suffixed"}};
  ConfigurePrinterLink();
  EXPECT_EQ(OpenDeviceLink(), 0) << "only whole IDs match";

  fake.devices = {{{"usb\\vid_f0ca&pid_7a71"}, "lower"}};
  EXPECT_EQ(OpenDeviceLink(), 1);
  SetIds("usb\\Vid_F0ca&PID_7A71");
  fake.devices = {{{"USB\\VID_F0CA&PID_7A71"}, "upper"}};
  EXPECT_EQ(OpenDeviceLink(), 1);
}

TEST_F(DeviceLinkTest, OnlyTheFirstMatchingPrinterIsTried) {
  fake.devices = {{{"USB\\VID_F0CA&PID_7A71"}, "first"}, {{"USB\\VID_F0CA&PID_7A71"}, "second"}};
  ConfigurePrinterLink();
  ASSERT_EQ(OpenDeviceLink(), 1);
  EXPECT_EQ(fake.maxOpen, 2);

  fake.unopenable = {"first"};
  EXPECT_EQ(OpenDeviceLink(), 0) << "a second matching printer is not tried";
  EXPECT_TRUE(fake.open.empty());
  EXPECT_EQ(GetDeviceLink()->hPipeA, kInvalidDeviceHandle);
}

TEST_F(DeviceLinkTest, ASecondHandleThatFailsClosesTheFirst) {
  fake.devices = {{{"USB\\VID_F0CA&PID_7A71"}, "flaky"}};
  ConfigurePrinterLink();
  // Let the first open succeed and the second fail.
  static int opens;
  opens = 0;
  static DeviceBackend flaky = kFake;
  flaky.open = [](void*, const std::string& key) -> DeviceHandle {
    return ++opens == 2 ? kInvalidDeviceHandle : FakeOpen(nullptr, key);
  };
  UseDeviceBackend(&flaky);
  EXPECT_EQ(OpenDeviceLink(), 0);
  EXPECT_TRUE(fake.open.empty());
}

TEST_F(DeviceLinkTest, TriesEachIdOfTheListAndKeepsTheLastTried) {
  SetIds("USB\\VID_AAAA&PID_0001,,USB\\VID_BBBB&PID_0002,");
  EXPECT_EQ(OpenDeviceLink(), 0);
  EXPECT_EQ(fake.searchedFor,
            (std::vector<std::string>{"USB\\VID_AAAA&PID_0001", "USB\\VID_BBBB&PID_0002"}));
  EXPECT_STREQ(GetDeviceLink()->deviceId, "USB\\VID_BBBB&PID_0002");

  fake.searchedFor.clear();
  fake.devices = {{{"USB\\VID_BBBB&PID_0002"}, "b"}};
  SetIds("USB\\VID_AAAA&PID_0001,USB\\VID_BBBB&PID_0002,USB\\VID_CCCC&PID_0003");
  EXPECT_EQ(OpenDeviceLink(), 1);
  EXPECT_EQ(fake.searchedFor.size(), 2u) << "the first success ends the search";

  fake.searchedFor.clear();
  SetIds(",,,");
  EXPECT_EQ(OpenDeviceLink(), 0);
  EXPECT_TRUE(fake.searchedFor.empty());
}

TEST_F(DeviceLinkTest, AnUnreadableDeviceListFailsTheOpen) {
  fake.devices = {{{"USB\\VID_F0CA&PID_7A71"}, "p"}};
  fake.listFails = true;
  ConfigurePrinterLink();
  EXPECT_EQ(OpenDeviceLink(), 0);
  EXPECT_TRUE(fake.open.empty());
}

TEST_F(DeviceLinkTest, OpeningAgainClosesTheFirstSetOfHandles) {
  fake.devices = {{{"USB\\VID_F0CA&PID_7A71"}, "p"}};
  ConfigurePrinterLink();
  ASSERT_EQ(OpenDeviceLink(), 1);
  DeviceHandle first = GetDeviceLink()->hPipeA;
  ASSERT_EQ(OpenDeviceLink(), 1);
  EXPECT_NE(GetDeviceLink()->hPipeA, first);
  EXPECT_EQ(fake.maxOpen, 2) << "never two sets open at once";
  EXPECT_EQ(fake.open.size(), 2u);
}

TEST_F(DeviceLinkTest, SendsTheLowBitsOnPipeAAndReturnsTheCount) {
  fake.devices = {{{"USB\\VID_F0CA&PID_7A71"}, "p"}};
  ConfigurePrinterLink();
  std::uint8_t buffer[4] = {};
  EXPECT_EQ(SendVendorRequest(9, 0, 4, buffer), 0) << "nothing is sent on a closed link";
  EXPECT_TRUE(fake.requests.empty());

  ASSERT_EQ(OpenDeviceLink(), 1);
  EXPECT_EQ(SendVendorRequest(256 + 14, 0x10F00, 4, buffer), 2);
  ASSERT_EQ(fake.requests.size(), 1u);
  EXPECT_EQ(fake.requests[0].first, GetDeviceLink()->hPipeA);
  EXPECT_EQ(fake.requests[0].second, (std::vector<std::uint8_t>{14, 0x00, 0x0F}));
  EXPECT_EQ(buffer[0], 'R');

  EXPECT_EQ(SendVendorRequest(13, 0x0400, 65536 + 1, buffer), 1) << "length counts 16 bits";

  std::uint8_t zeros[4] = {};
  EXPECT_EQ(SendVendorRequest(99, 0, 4, zeros), 0);
  EXPECT_EQ(zeros[0], 0);
}

// A timed-out request stops the link from sending until it is opened again;
// a plain failure does not.
TEST_F(DeviceLinkTest, SendsNothingMoreAfterATimeOutUntilOpenedAgain) {
  fake.devices = {{{"USB\\VID_F0CA&PID_7A71"}, "p"}};
  ConfigurePrinterLink();
  ASSERT_EQ(OpenDeviceLink(), 1);
  std::uint8_t buffer[4] = {};
  EXPECT_EQ(SendVendorRequest(99, 0, 4, buffer), 0);
  EXPECT_EQ(SendVendorRequest(9, 0, 4, buffer), 2);
  EXPECT_EQ(SendVendorRequest(98, 0, 4, buffer), 0);
  fake.requests.clear();
  buffer[0] = 0;
  EXPECT_EQ(SendVendorRequest(9, 0, 4, buffer), 0);
  EXPECT_EQ(buffer[0], 0);
  EXPECT_TRUE(fake.requests.empty());

  ASSERT_EQ(OpenDeviceLink(), 1);
  EXPECT_EQ(SendVendorRequest(9, 0, 4, buffer), 2);
  EXPECT_EQ(fake.requests.size(), 1u);
}

}  // namespace
