#include "host/job_device_context.h"

#include <cstring>

#include "common/host_settings.h"

namespace tq::host {

JobDeviceContext::JobDeviceContext(SettingsBlock& settings, const SettingsLayout& layout)
    : settings_(settings), layout_(layout), dc_(gdi::CreateDeviceContext(this)) {}

JobDeviceContext::~JobDeviceContext() { gdi::DeleteDeviceContext(dc_); }

int JobDeviceContext::Escape(int escape, int inSize, const char* in, int outSize, char* out) {
  const int size = static_cast<int>(settings_.size());
  switch (escape) {
    case kEscapeSettingsSize:
      return size;
    case kEscapeGetSettings:
      if (out == nullptr || outSize < size) return -1;
      std::memcpy(out, settings_.data(), settings_.size());
      return 1;
    case kEscapeSetSettings: {
      if (in == nullptr || inSize != size) return -1;
      SettingsBlock given(in, in + size);
      // The areas are the host's: a block that moved them would make every
      // later reader look in the wrong place.
      if (!MatchesLayout(given, layout_)) return -1;
      settings_ = std::move(given);
      return 1;
    }
    case kEscapeFaxPoint:
      return page_ == 1 ? 1 : 0;
    case kEscapeGivenJobSize:
      return static_cast<int>(givenJob_.size());
    case kEscapeGetGivenJob:
      if (givenJob_.empty() || out == nullptr || outSize < static_cast<int>(givenJob_.size())) return -1;
      std::memcpy(out, givenJob_.data(), givenJob_.size());
      return 1;
    case kEscapeRefuseJob:
      if (in == nullptr || inSize <= 0) return -1;
      refusal_.assign(in, static_cast<std::size_t>(inSize));
      return 1;
    default:
      return 0;
  }
}

int JobDeviceContext::Abort() {
  aborted_ = true;
  return 1;
}

}  // namespace tq::host
