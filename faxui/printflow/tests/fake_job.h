// A print job as the document-event hook meets it: a settings block laid out
// as a host would, the fax add-on in the device object's list, and a device
// context that answers the settings escapes and counts what the hook did.
#pragma once

#include <cstring>
#include <vector>

#include "common/addon_table.h"
#include "common/host_settings.h"
#include "win/gdi.h"
#include "win/winspool.h"

namespace printflow_test {

class FakeJob : public tq::gdi::DeviceContextHandler {
 public:
  // Offsets of the areas inside the block.
  static constexpr int kPrivate = 2000;
  static constexpr int kJobState = 2900;
  static constexpr int kBlock1 = 3100;
  static constexpr int kBlock3 = 3300;
  static constexpr int kSize = kBlock3 + static_cast<int>(sizeof(tq::FaxSendBlock));

  FakeJob() : settings(kSize, 0) {
    tq::hsb::SetField(settings.data(), tq::hsb::kPrivateAreaOffset, kPrivate);
    tq::hsb::SetField(settings.data(), tq::hsb::kJobStateOffset, kJobState);
    std::memcpy(settings.data() + kBlock1, &tq::DefaultFaxDS, sizeof tq::DefaultFaxDS);
    table = tq::MakeFaxAddOnTable(&tq::DefaultFaxDS, &tq::DefaultFaxSS, nullptr, nullptr, nullptr);
    device.addOnCount = 1;
    device.addOns[0].table = &table;
    device.addOns[0].block1Offset = kBlock1;
    device.addOns[0].block3Offset = kBlock3;
    dc = tq::gdi::CreateDeviceContext(this);
    printer = tq::gdi::CreatePrinterHandle(u"Fax du bureau", u"IP_10.0.0.5");
  }
  ~FakeJob() {
    tq::gdi::DeleteDeviceContext(dc);
    tq::gdi::DeletePrinterHandle(printer);
  }
  FakeJob(const FakeJob&) = delete;
  FakeJob& operator=(const FakeJob&) = delete;

  int Escape(int escape, int inSize, const char* in, int outSize, char* out) override {
    ++escapes;
    switch (escape) {
      case tq::kEscapeSettingsSize:
        return kSize;
      case tq::kEscapeGetSettings:
        if (out == nullptr || outSize < kSize) return -1;
        std::memcpy(out, settings.data(), kSize);
        return 1;
      case tq::kEscapeSetSettings:
        if (in == nullptr || inSize != kSize || refuseWrites) return -1;
        std::memcpy(settings.data(), in, kSize);
        ++writes;
        return 1;
      case tq::kEscapeFaxPoint:
        return faxPointAnswer;
      default:
        return 0;
    }
  }
  int Abort() override {
    ++aborts;
    return 1;
  }

  void SetField(std::size_t offset, int value) { tq::hsb::SetField(settings.data(), offset, value); }
  unsigned char* PrivateArea() { return settings.data() + kPrivate; }
  tq::FaxOptionsBlock& Options() { return *reinterpret_cast<tq::FaxOptionsBlock*>(settings.data() + kBlock1); }
  tq::FaxSendBlock& Send() { return *reinterpret_cast<tq::FaxSendBlock*>(settings.data() + kBlock3); }

  std::vector<unsigned char> settings;
  tq::AddOnTable table{};
  tq::DeviceObject device{};
  HDC dc = nullptr;
  HANDLE printer = nullptr;
  int faxPointAnswer = 1;
  bool refuseWrites = false;
  int escapes = 0;
  int writes = 0;
  int aborts = 0;
};

}  // namespace printflow_test
