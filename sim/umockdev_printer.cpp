#include "sim/umockdev_printer.h"

#include <linux/usbdevice_fs.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <umockdev.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <string_view>
#include <utility>

#include "sim/tarnlow_printer.h"

namespace {

constexpr char kPreloadLibrary[] = "libumockdev-preload.so.0";
constexpr unsigned kBusNumber = 1;
constexpr char kHubPath[] = "/devices/pci0000:00/0000:00:14.0/usb1";
constexpr std::uint8_t kPrinterClass = 7;

// What the emulated device says about itself.
constexpr char kManufacturer[] = "Tarnlow";
constexpr char kProduct[] = "Tarnlow Colour Laser";

// Owns one GObject reference.
struct GObjectUnref {
  void operator()(gpointer object) const { g_object_unref(object); }
};
template <typename T>
using GObjectPtr = std::unique_ptr<T, GObjectUnref>;

template <typename T>
GObjectPtr<T> TakeRef(T* object) {
  return GObjectPtr<T>(object);
}
template <typename T>
GObjectPtr<T> AddRef(T* object) {
  return GObjectPtr<T>(static_cast<T*>(g_object_ref(object)));
}

void PutLittleEndian16(std::vector<std::uint8_t>& out, unsigned value) {
  out.push_back(static_cast<std::uint8_t>(value & 0xFF));
  out.push_back(static_cast<std::uint8_t>((value >> 8) & 0xFF));
}

// Device descriptor, then configuration 1 with one interface and a bulk
// endpoint pair: what the sysfs "descriptors" file holds (bus-endian).
std::vector<std::uint8_t> Descriptors(const EmulatedDeviceIds& ids) {
  std::vector<std::uint8_t> d = {18, 1};  // device
  PutLittleEndian16(d, 0x0200);           // USB 2.0
  d.insert(d.end(), {0, 0, 0, 64});       // class per interface, ep0 64 bytes
  PutLittleEndian16(d, ids.vendorId);
  PutLittleEndian16(d, ids.productId);
  PutLittleEndian16(d, 0x0100);     // device release
  d.insert(d.end(), {1, 2, 3, 1});  // strings, one configuration

  const bool printer = ids.interfaceClass == kPrinterClass;
  d.insert(d.end(), {9, 2});  // configuration
  PutLittleEndian16(d, 9 + 9 + 7 + 7);
  d.insert(d.end(), {1, 1, 0, 0xC0, 1});                 // 1 interface, self-powered, 2 mA
  d.insert(d.end(), {9, 4, 0, 0, 2, ids.interfaceClass,  // interface 0
                     std::uint8_t(printer ? 1 : 0), std::uint8_t(printer ? 2 : 0), 0});
  d.insert(d.end(), {7, 5, 0x01, 2});  // bulk OUT 1
  PutLittleEndian16(d, 512);
  d.push_back(0);
  d.insert(d.end(), {7, 5, 0x82, 2});  // bulk IN 2
  PutLittleEndian16(d, 512);
  d.push_back(0);
  return d;
}

std::vector<std::uint8_t> StringDescriptor(std::string_view text) {
  std::vector<std::uint8_t> d = {std::uint8_t(2 + 2 * text.size()), 3};
  for (char c : text) PutLittleEndian16(d, static_cast<unsigned char>(c));
  return d;
}

std::string Hex(const std::vector<std::uint8_t>& bytes) {
  std::string text;
  char pair[3];
  for (std::uint8_t b : bytes) {
    std::snprintf(pair, sizeof pair, "%02x", b);
    text += pair;
  }
  return text;
}

template <typename... Numbers>
std::string Format(const char* format, Numbers... numbers) {
  char text[128];
  std::snprintf(text, sizeof text, format, numbers...);
  return text;
}

}  // namespace

// ---------------------------------------------------------------------------

bool RunUnderUmockdevPreload(char** argv) {
  // umockdev_in_mock_environment() is not reliable here; the variable is.
  const char* current = std::getenv("LD_PRELOAD");
  if (current && std::strstr(current, "libumockdev-preload.so")) return true;
  std::string preload = kPreloadLibrary;
  if (current && *current) preload += std::string(":") + current;
  setenv("LD_PRELOAD", preload.c_str(), 1);
  execv("/proc/self/exe", argv);
  std::perror("re-exec under the umockdev preload");
  return false;
}

struct EmulatedUsbBus::Testbed {
  GObjectPtr<UMockdevTestbed> bed{umockdev_testbed_new()};
  int nextAddress = 2;  // address 1 is the root hub's
};

struct EmulatedUsbBus::Device {
  // A control URB between SUBMITURB and its reap.
  struct Urb {
    GObjectPtr<UMockdevIoctlClient> client;            // the open file it was submitted on
    GObjectPtr<UMockdevIoctlData> data;                // the client's struct usbdevfs_urb
    bool done = false;                                 // completed, waiting to be reaped
    std::chrono::steady_clock::time_point answeredAt;  // a slow printer's answer comes later
    int status = 0;
    std::vector<std::uint8_t> reply;
  };

  TarnlowPrinter* model = nullptr;
  EmulatedDeviceIds ids;
  int address = 0;
  std::string sysPath;        // "/sys/devices/.../usb1/1-1"
  std::string interfacePath;  // its interface 0, ".../1-1/1-1:1.0"
  std::string node;           // "/dev/bus/usb/001/002"
  std::vector<std::uint8_t> descriptors;
  GObjectPtr<UMockdevIoctlBase> handler;

  // The handler runs on umockdev's worker thread, Unplug on the caller's.
  std::mutex mutex;
  bool unplugged = false;
  std::vector<Urb> urbs;
  std::vector<ControlSetup> setups;  // as received, for tests

  // The usbfs ioctls libusb issues; runs on umockdev's worker thread.
  void HandleIoctl(UMockdevIoctlClient* client);

 private:
  void GetCapabilities(UMockdevIoctlClient* client, UMockdevIoctlData* arg);
  void GetDriver(UMockdevIoctlClient* client, UMockdevIoctlData* arg);
  void ClaimInterface(UMockdevIoctlClient* client, UMockdevIoctlData* arg);
  void SubmitUrb(UMockdevIoctlClient* client, UMockdevIoctlData* arg);
  void ReapUrb(UMockdevIoctlClient* client, UMockdevIoctlData* arg);
  void DiscardUrb(UMockdevIoctlClient* client, UMockdevIoctlData* arg);
  // Answers one control setup: standard descriptor reads here, the rest
  // from the model.
  void Answer(const ControlSetup& setup, std::size_t room, Urb& urb);
};

namespace {

void Fail(UMockdevIoctlClient* client, int error) {
  umockdev_ioctl_client_complete(client, -1, error);
}

void Succeed(UMockdevIoctlClient* client) { umockdev_ioctl_client_complete(client, 0, 0); }

gboolean OnHandleIoctl(UMockdevIoctlBase*, UMockdevIoctlClient* client, gpointer device) {
  static_cast<EmulatedUsbBus::Device*>(device)->HandleIoctl(client);
  return TRUE;
}

}  // namespace

void EmulatedUsbBus::Device::HandleIoctl(UMockdevIoctlClient* client) {
  const gulong request = umockdev_ioctl_client_get_request(client);
  UMockdevIoctlData* arg = umockdev_ioctl_client_get_arg(client);

  std::lock_guard lock(mutex);
  // After a disconnect the kernel still lets completed URBs be reaped.
  const bool reap = request == USBDEVFS_REAPURBNDELAY || request == USBDEVFS_REAPURB;
  if (unplugged && !reap) return Fail(client, ENODEV);

  switch (request) {
    case USBDEVFS_GET_CAPABILITIES: return GetCapabilities(client, arg);
    case USBDEVFS_GETDRIVER: return GetDriver(client, arg);
    case USBDEVFS_CLAIMINTERFACE: return ClaimInterface(client, arg);
    case USBDEVFS_RELEASEINTERFACE: return Succeed(client);
    case USBDEVFS_SUBMITURB: return SubmitUrb(client, arg);
    case USBDEVFS_REAPURB:
    case USBDEVFS_REAPURBNDELAY: return ReapUrb(client, arg);
    case USBDEVFS_DISCARDURB: return DiscardUrb(client, arg);
    default: return Fail(client, ENOTTY);
  }
}

void EmulatedUsbBus::Device::GetCapabilities(UMockdevIoctlClient* client, UMockdevIoctlData* arg) {
  auto caps = TakeRef(umockdev_ioctl_data_resolve(arg, 0, sizeof(std::uint32_t), nullptr));
  if (!caps) return Fail(client, EFAULT);
  const std::uint32_t value = USBDEVFS_CAP_ZERO_PACKET | USBDEVFS_CAP_BULK_CONTINUATION |
                              USBDEVFS_CAP_NO_PACKET_SIZE_LIM | USBDEVFS_CAP_REAP_AFTER_DISCONNECT;
  std::memcpy(caps->data, &value, sizeof value);
  Succeed(client);
}

// The kernel's printer driver holds a printer's interface, as on a desktop
// where the printer is installed.
void EmulatedUsbBus::Device::GetDriver(UMockdevIoctlClient* client, UMockdevIoctlData* arg) {
  auto request = TakeRef(umockdev_ioctl_data_resolve(arg, 0, sizeof(usbdevfs_getdriver), nullptr));
  if (!request) return Fail(client, EFAULT);
  auto* getDriver = reinterpret_cast<usbdevfs_getdriver*>(request->data);
  if (getDriver->interface != 0) return Fail(client, EINVAL);
  if (ids.interfaceClass != kPrinterClass) return Fail(client, ENODATA);
  std::snprintf(getDriver->driver, sizeof getDriver->driver, "usblp");
  Succeed(client);
}

void EmulatedUsbBus::Device::ClaimInterface(UMockdevIoctlClient* client, UMockdevIoctlData* arg) {
  auto number = TakeRef(umockdev_ioctl_data_resolve(arg, 0, sizeof(unsigned), nullptr));
  if (!number) return Fail(client, EFAULT);
  unsigned interface = 0;
  std::memcpy(&interface, number->data, sizeof interface);
  if (interface != 0) return Fail(client, ENOENT);
  if (ids.interfaceClass == kPrinterClass) return Fail(client, EBUSY);  // usblp has it
  Succeed(client);
}

void EmulatedUsbBus::Device::SubmitUrb(UMockdevIoctlClient* client, UMockdevIoctlData* arg) {
  // URBs of files closed since then will never be reaped.
  std::erase_if(
      urbs, [](const Urb& urb) { return !umockdev_ioctl_client_get_connected(urb.client.get()); });

  auto data = TakeRef(umockdev_ioctl_data_resolve(arg, 0, sizeof(usbdevfs_urb), nullptr));
  if (!data) return Fail(client, EFAULT);
  const auto* header = reinterpret_cast<const usbdevfs_urb*>(data->data);
  // Only control transfers on endpoint 0: there is no print data here.
  if (header->type != USBDEVFS_URB_TYPE_CONTROL || (header->endpoint & 0x7F) != 0 ||
      header->buffer_length < 8)
    return Fail(client, EINVAL);
  auto buffer = TakeRef(umockdev_ioctl_data_resolve(data.get(), offsetof(usbdevfs_urb, buffer),
                                                    header->buffer_length, nullptr));
  if (!buffer) return Fail(client, EFAULT);

  const std::uint8_t* bytes = buffer->data;
  ControlSetup setup{};
  setup.bmRequestType = bytes[0];
  setup.bRequest = bytes[1];
  setup.wValue = static_cast<std::uint16_t>(bytes[2] | bytes[3] << 8);
  setup.wIndex = static_cast<std::uint16_t>(bytes[4] | bytes[5] << 8);
  setup.wLength = static_cast<std::uint16_t>(bytes[6] | bytes[7] << 8);

  setups.push_back(setup);

  Urb urb;
  urb.client = AddRef(client);
  urb.data = std::move(data);
  Answer(setup, std::size_t(header->buffer_length) - 8, urb);
  urbs.push_back(std::move(urb));
  Succeed(client);
}

void EmulatedUsbBus::Device::Answer(const ControlSetup& setup, std::size_t room, Urb& urb) {
  constexpr std::uint8_t kStandardDeviceIn = 0x80, kGetDescriptor = 6;
  urb.done = true;
  if (setup.bmRequestType == kStandardDeviceIn && setup.bRequest == kGetDescriptor) {
    const int type = setup.wValue >> 8, index = setup.wValue & 0xFF;
    if (type == 1) {
      urb.reply.assign(descriptors.begin(), descriptors.begin() + 18);
    } else if (type == 2 && index == 0) {
      urb.reply.assign(descriptors.begin() + 18, descriptors.end());
    } else if (type == 3 && index == 0) {
      urb.reply = {4, 3, 0x09, 0x04};  // US English
    } else if (type == 3 && index >= 1 && index <= 3) {
      const char* texts[] = {kManufacturer, kProduct, ids.serial.c_str()};
      urb.reply = StringDescriptor(texts[index - 1]);
    } else {
      urb.status = -EPIPE;
    }
  } else if (!model) {
    urb.status = -EPIPE;
  } else {
    TarnlowPrinter::Answer answer = model->Handle(setup);
    if (answer.kind == TarnlowPrinter::Answer::Stall) urb.status = -EPIPE;
    if (answer.kind == TarnlowPrinter::Answer::Hang) urb.done = false;
    urb.answeredAt = std::chrono::steady_clock::now() + std::chrono::milliseconds(answer.delayMs);
    urb.reply = std::move(answer.bytes);
  }
  urb.reply.resize(std::min<std::size_t>({urb.reply.size(), setup.wLength, room}));
}

void EmulatedUsbBus::Device::ReapUrb(UMockdevIoctlClient* client, UMockdevIoctlData* arg) {
  const auto now = std::chrono::steady_clock::now();
  auto it = std::find_if(urbs.begin(), urbs.end(), [&](const Urb& urb) {
    return urb.done && urb.answeredAt <= now && urb.client.get() == client;
  });
  if (it == urbs.end()) return Fail(client, unplugged ? ENODEV : EAGAIN);

  // Fill in the client's URB and its buffer (after the 8 setup bytes), then
  // hand its address back through the ioctl's pointer argument.
  auto* header = reinterpret_cast<usbdevfs_urb*>(it->data->data);
  auto buffer = TakeRef(umockdev_ioctl_data_resolve(it->data.get(), offsetof(usbdevfs_urb, buffer),
                                                    header->buffer_length, nullptr));
  if (buffer && !it->reply.empty())
    std::memcpy(buffer->data + 8, it->reply.data(), it->reply.size());
  header->status = it->status;
  header->actual_length = static_cast<int>(it->reply.size());

  auto pointer = TakeRef(umockdev_ioctl_data_resolve(arg, 0, sizeof(void*), nullptr));
  if (!pointer) return Fail(client, EFAULT);
  umockdev_ioctl_data_set_ptr(pointer.get(), 0, it->data.get());
  urbs.erase(it);
  Succeed(client);
}

void EmulatedUsbBus::Device::DiscardUrb(UMockdevIoctlClient* client, UMockdevIoctlData* arg) {
  gulong urbAddress = 0;  // the argument is the URB's address itself
  std::memcpy(&urbAddress, arg->data, sizeof urbAddress);
  auto it = std::find_if(urbs.begin(), urbs.end(), [&](const Urb& urb) {
    return urb.client.get() == client && urb.data->client_addr == urbAddress;
  });
  if (it == urbs.end() || (it->done && it->answeredAt <= std::chrono::steady_clock::now()))
    return Fail(client, EINVAL);
  it->done = true;
  it->answeredAt = {};
  it->status = -ENOENT;
  it->reply.clear();
  Succeed(client);
}

namespace {

// The device and its interface 0 as the kernel lays them out in sysfs, in
// umockdev's record format. libusb reads the udev properties and the
// attributes busnum, devnum, speed, bConfigurationValue and descriptors.
std::string SysfsRecord(const EmulatedUsbBus::Device& device, unsigned port) {
  const EmulatedDeviceIds& ids = device.ids;
  const unsigned address = static_cast<unsigned>(device.address);
  const unsigned minor = (kBusNumber - 1) * 128 + address - 1;
  const bool printer = ids.interfaceClass == kPrinterClass;
  const std::string product = Format("%x/%x/100", ids.vendorId, ids.productId);

  std::string record;
  record += "P: " + device.sysPath.substr(4) + "\n";  // without "/sys"
  record += "N: " + device.node.substr(5) + "\n";     // without "/dev/"
  record += "E: SUBSYSTEM=usb\nE: DEVTYPE=usb_device\nE: DRIVER=usb\n";
  record += "E: DEVNAME=" + device.node + "\n";
  record += Format("E: BUSNUM=%03u\nE: DEVNUM=%03u\n", kBusNumber, address);
  record += Format("E: MAJOR=189\nE: MINOR=%u\n", minor);
  record += "E: PRODUCT=" + product + "\nE: TYPE=0/0/0\n";
  // Attribute values end in a newline, written "\n" in the record.
  record += Format("A: dev=189:%u\\n\n", minor);
  record +=
      Format("A: busnum=%u\\n\nA: devnum=%u\\n\nA: devpath=%u\\n\n", kBusNumber, address, port);
  record += Format("A: idVendor=%04x\\n\nA: idProduct=%04x\\n\n", ids.vendorId, ids.productId);
  record += "A: bcdDevice=0100\\n\nA: version= 2.00\\n\nA: speed=480\\n\n";
  record += "A: bDeviceClass=00\\n\nA: bDeviceSubClass=00\\n\nA: bDeviceProtocol=00\\n\n";
  record += "A: bMaxPacketSize0=64\\n\nA: bNumConfigurations=1\\n\n";
  record += "A: bConfigurationValue=1\\n\nA: bNumInterfaces= 1\\n\n";
  record += "A: bmAttributes=c0\\n\nA: bMaxPower=2mA\\n\nA: maxchild=0\\n\n";
  record += "A: authorized=1\\n\nA: removable=removable\\n\n";
  record += std::string("A: manufacturer=") + kManufacturer + "\\n\n";
  record += std::string("A: product=") + kProduct + "\\n\n";
  record += "A: serial=" + ids.serial + "\\n\n";
  record += "H: descriptors=" + Hex(device.descriptors) + "\n\n";

  record += "P: " + device.interfacePath.substr(4) + "\n";
  record += "E: SUBSYSTEM=usb\nE: DEVTYPE=usb_interface\n";
  if (printer) record += "E: DRIVER=usblp\n";
  record += "E: PRODUCT=" + product + "\nE: TYPE=0/0/0\n";
  record += Format("E: INTERFACE=%u/%u/%u\n", ids.interfaceClass, printer ? 1 : 0, printer ? 2 : 0);
  record += "A: bInterfaceNumber=00\\n\nA: bAlternateSetting= 0\\n\nA: bNumEndpoints=02\\n\n";
  record += Format("A: bInterfaceClass=%02x\\n\nA: bInterfaceSubClass=%02x\\n\n",
                   ids.interfaceClass, printer ? 1 : 0);
  record += Format("A: bInterfaceProtocol=%02x\\n\n", printer ? 2 : 0);
  return record;
}

}  // namespace

// ---------------------------------------------------------------------------

EmulatedUsbBus::EmulatedUsbBus() : testbed_(std::make_unique<Testbed>()) {}

EmulatedUsbBus::EmulatedUsbBus(TarnlowPrinter& printer) : EmulatedUsbBus() { PlugIn(&printer); }

EmulatedUsbBus::~EmulatedUsbBus() {
  // The testbed first: it stops serving the nodes before the handlers go.
  testbed_.reset();
}

bool EmulatedUsbBus::Ready() const { return testbed_ && testbed_->bed; }

int EmulatedUsbBus::PlugIn(TarnlowPrinter* model, const EmulatedDeviceIds& ids) {
  if (!Ready()) return -1;
  UMockdevTestbed* bed = testbed_->bed.get();
  auto device = std::make_unique<Device>();
  device->model = model;
  device->ids = ids;
  device->address = testbed_->nextAddress++;
  device->descriptors = Descriptors(ids);

  const unsigned port = static_cast<unsigned>(devices_.size()) + 1;
  const std::string name = Format("1-%u", port);
  device->sysPath = "/sys" + std::string(kHubPath) + "/" + name;
  device->interfacePath = device->sysPath + "/" + name + ":1.0";
  device->node = Format("/dev/bus/usb/%03u/%03u", kBusNumber, unsigned(device->address));
  const std::string record = SysfsRecord(*device, port);

  // The handler goes first, so that the node answers as soon as it exists.
  device->handler = TakeRef(umockdev_ioctl_base_new());
  g_signal_connect(device->handler.get(), "handle-ioctl", G_CALLBACK(OnHandleIoctl), device.get());
  GError* error = nullptr;
  if (!umockdev_testbed_attach_ioctl(bed, device->node.c_str(), device->handler.get(), &error) ||
      !umockdev_testbed_add_from_string(bed, record.c_str(), &error)) {
    std::fprintf(stderr, "emulated USB device: %s\n", error ? error->message : "failed");
    g_clear_error(&error);
    return -1;
  }
  umockdev_testbed_uevent(bed, device->sysPath.c_str(), "add");
  umockdev_testbed_uevent(bed, device->interfacePath.c_str(), "add");
  devices_.push_back(std::move(device));
  return static_cast<int>(devices_.size()) - 1;
}

void EmulatedUsbBus::Unplug(int index) {
  if (index < 0 || index >= int(devices_.size())) return;
  Device& device = *devices_[std::size_t(index)];
  {
    std::lock_guard lock(device.mutex);
    if (device.unplugged) return;
    device.unplugged = true;
    const auto now = std::chrono::steady_clock::now();
    for (Device::Urb& urb : device.urbs) {
      if (urb.done && urb.answeredAt <= now) continue;
      urb.done = true;
      urb.answeredAt = {};
      urb.status = -ENODEV;
      urb.reply.clear();
    }
  }
  UMockdevTestbed* bed = testbed_->bed.get();
  umockdev_testbed_uevent(bed, device.interfacePath.c_str(), "remove");
  umockdev_testbed_uevent(bed, device.sysPath.c_str(), "remove");
  umockdev_testbed_remove_device(bed, device.interfacePath.c_str());
  umockdev_testbed_remove_device(bed, device.sysPath.c_str());
}

std::vector<ControlSetup> EmulatedUsbBus::TakeControlSetups(int index) {
  Device& device = *devices_.at(std::size_t(index));
  std::lock_guard lock(device.mutex);
  return std::exchange(device.setups, {});
}

std::string EmulatedUsbBus::DeviceNode(int device) const {
  return devices_.at(std::size_t(device))->node;
}

int EmulatedUsbBus::BusNumber(int) const { return int(kBusNumber); }

int EmulatedUsbBus::DeviceAddress(int device) const {
  return devices_.at(std::size_t(device))->address;
}

bool EmulatedUsbBus::DenyAccess(int device) {
  if (!Ready()) return false;
  gchar* root = umockdev_testbed_get_root_dir(testbed_->bed.get());  // ours to free
  const std::string file = std::string(root) + DeviceNode(device);
  g_free(root);
  return chmod(file.c_str(), 0) == 0;
}
