// The job's device context as the host answers it: the settings escapes on
// the job's HostSettingsBlock, the fax point at the first page, and
// AbortDoc.
#pragma once

#include "host/settings_layout.h"
#include "win/gdi.h"

namespace tq::host {

class JobDeviceContext final : public gdi::DeviceContextHandler {
 public:
  // `settings` is the job's block; it must outlive the context.
  JobDeviceContext(SettingsBlock& settings, const SettingsLayout& layout);
  ~JobDeviceContext();
  JobDeviceContext(const JobDeviceContext&) = delete;
  JobDeviceContext& operator=(const JobDeviceContext&) = delete;

  HDC dc() const { return dc_; }

  // The host starts a page; escape 15004 answers 1 during the first one.
  void StartPage() { ++page_; }
  bool aborted() const { return aborted_; }

  // 15002: the block's size. 15000: the block into `out` (at least that
  // big). 15001: `in` becomes the job's block; it must have the block's
  // size and keep the host's area offsets. 15004: 1 at the first page.
  // Failures answer -1, an unknown escape 0, as ExtEscape does.
  int Escape(int escape, int inSize, const char* in, int outSize, char* out) override;
  int Abort() override;

 private:
  SettingsBlock& settings_;
  SettingsLayout layout_;
  HDC dc_ = nullptr;
  int page_ = 0;
  bool aborted_ = false;
};

}  // namespace tq::host
