#include "host/desktop_notice.h"

#include "texts.h"

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

}  // namespace tq::host
