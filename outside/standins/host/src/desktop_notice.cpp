#include "host/desktop_notice.h"

#include <dlfcn.h>

#include "texts.h"
#include "win/library_folder.h"

namespace tq::host {

DesktopNotice SentNotice(const std::string& title, int recipients) {
  std::string summary = std::string(texts::kNoticeFaxOpen) + title + texts::kNoticeSent;
  if (recipients == 1) {
    summary += texts::kNoticeOneRecipient;
  } else if (recipients > 1) {
    summary += " : " + std::to_string(recipients) + texts::kNoticeRecipients;
  }
  return {summary, {}};
}

DesktopNotice FailedNotice(const std::string& title, const std::string& reason, bool held) {
  return {std::string(texts::kNoticeFaxOpen) + title + (held ? texts::kNoticeHeld : texts::kNoticeFailed), reason};
}

namespace {

using ShowFn = bool (*)(const char* summary, const char* body);

// The bus module's entry, loaded once on first use; null when the build has
// no such module (no Qt D-Bus) or it cannot be loaded.
ShowFn BusEntry() {
  static const ShowFn entry = [] {
    const std::string path = tq::kernel::LibraryFolder() + "/tq_notice_bus.so";
    void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    return handle != nullptr ? reinterpret_cast<ShowFn>(dlsym(handle, "TelequillShowDesktopNotice")) : nullptr;
  }();
  return entry;
}

}  // namespace

bool ShowDesktopNotice(const DesktopNotice& notice) {
  ShowFn show = BusEntry();
  return show != nullptr && show(notice.summary.c_str(), notice.body.c_str());
}

}  // namespace tq::host
