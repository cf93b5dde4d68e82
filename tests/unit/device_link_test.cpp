// The portable link's ID list: each ID of a comma-separated list is searched
// for in turn, against a scripted backend that stands for the platform.
// (The search, the handles, sending and time-outs through real transports:
// tests/usb and tests/wine.)
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "device/device_backend.h"
#include "device/device_link.h"

namespace {

std::vector<std::string> g_present;      // the one hardware ID of each device
std::vector<std::string> g_searchedFor;  // the deviceId at each search

const DeviceBackend kFake = {
    "fake",
    nullptr,
    [](void*, const HardwareIdMatch& matches, std::string& key) {
      g_searchedFor.push_back(GetDeviceLink()->deviceId);
      for (const std::string& id : g_present) {
        if (!matches({id})) continue;
        key = id;
        return true;
      }
      return false;
    },
    [](void*, const std::string&) -> DeviceHandle { return 100; },
    [](void*, DeviceHandle) {},
    [](void*, DeviceHandle, const std::uint8_t*, std::uint8_t*, std::uint16_t) { return 0; },
    nullptr,
    nullptr,
};

void SetIds(const char* ids) {
  DeviceLinkSettings settings{};
  std::strncpy(settings.deviceId, ids, sizeof settings.deviceId - 1);
  GetDeviceLink(&settings);
}

TEST(DeviceLink, TriesEachIdOfTheListAndKeepsTheLastTried) {
  UseDeviceBackend(&kFake);
  SetIds("USB\\VID_AAAA&PID_0001,,USB\\VID_BBBB&PID_0002,");
  EXPECT_EQ(OpenDeviceLink(), 0);
  EXPECT_EQ(g_searchedFor,
            (std::vector<std::string>{"USB\\VID_AAAA&PID_0001", "USB\\VID_BBBB&PID_0002"}));
  EXPECT_STREQ(GetDeviceLink()->deviceId, "USB\\VID_BBBB&PID_0002");

  g_searchedFor.clear();
  g_present = {"USB\\VID_BBBB&PID_0002"};
  SetIds("USB\\VID_AAAA&PID_0001,USB\\VID_BBBB&PID_0002,USB\\VID_CCCC&PID_0003");
  EXPECT_EQ(OpenDeviceLink(), 1);
  EXPECT_EQ(g_searchedFor.size(), 2u) << "the first success ends the search";

  g_searchedFor.clear();
  SetIds(",,,");
  EXPECT_EQ(OpenDeviceLink(), 0);
  EXPECT_TRUE(g_searchedFor.empty());
  UseDeviceBackend(nullptr);
}

}  // namespace
