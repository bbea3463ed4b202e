// The job's device context as the host answers it: the settings escapes on
// the job's HostSettingsBlock, the fax point at the first page, and
// AbortDoc.
#pragma once

#include <string>
#include <utility>

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

  // The text of a job given with its recipients (see GivenJobText); empty
  // for a job whose recipients the prompt asks for.
  void GiveJob(std::string text) { givenJob_ = std::move(text); }
  // Why the plug-in refused the given job; empty when it did not.
  const std::string& refusal() const { return refusal_; }

  // The host starts a page; escape 15004 answers 1 during the first one.
  void StartPage() { ++page_; }
  bool aborted() const { return aborted_; }

  // 15002: the block's size. 15000: the block into `out` (at least that
  // big). 15001: `in` becomes the job's block; it must have the block's
  // size and keep the host's area offsets. 15004: 1 at the first page.
  // 15005, 15006: the given job's size and text. 15007: the refusal.
  // Failures answer -1, an unknown escape 0, as ExtEscape does.
  int Escape(int escape, int inSize, const char* in, int outSize, char* out) override;
  int Abort() override;

 private:
  SettingsBlock& settings_;
  SettingsLayout layout_;
  HDC dc_ = nullptr;
  int page_ = 0;
  bool aborted_ = false;
  std::string givenJob_;
  std::string refusal_;
};

}  // namespace tq::host
