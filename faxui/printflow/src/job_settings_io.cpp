#include "printflow/job_settings_io.h"

#include "common/host_settings.h"
#include "win/gdi.h"

namespace tq::faxui {

std::vector<unsigned char> ReadJobSettings(HDC dc) {
  const int size = ExtEscape(dc, kEscapeSettingsSize, 0, nullptr, 0, nullptr);
  // The block must at least hold the fields that locate its areas.
  if (size < static_cast<int>(hsb::kDocumentMonitor + 4)) return {};
  std::vector<unsigned char> settings(static_cast<std::size_t>(size), 0);
  if (ExtEscape(dc, kEscapeGetSettings, 0, nullptr, size, reinterpret_cast<LPSTR>(settings.data())) <= 0) {
    return {};
  }
  // Areas placed outside the block would be read past its end.
  const auto inside = [&](std::size_t offsetField, std::size_t minimum) {
    const int offset = hsb::Field(settings.data(), offsetField);
    return offset > 0 && static_cast<std::size_t>(offset) + minimum <= settings.size();
  };
  if (!inside(hsb::kPrivateAreaOffset, hsb::priv::kMinimumSize) ||
      !inside(hsb::kJobStateOffset, hsb::jobstate::kMinimumSize)) {
    return {};
  }
  return settings;
}

bool WriteJobSettings(HDC dc, std::vector<unsigned char>& settings) {
  return ExtEscape(dc, kEscapeSetSettings, static_cast<int>(settings.size()),
                   reinterpret_cast<LPCSTR>(settings.data()), 0, nullptr) > 0;
}

}  // namespace tq::faxui
