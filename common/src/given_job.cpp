#include "common/given_job.h"

namespace tq {

std::string GivenJobText(const GivenJob& job) {
  std::string text = "to=" + job.to + "\n";
  if (!job.delay.empty()) text += "delay=" + job.delay + "\n";
  return text;
}

bool ParseGivenJobText(std::string_view text, GivenJob& job) {
  job = {};
  while (!text.empty()) {
    const auto end = text.find('\n');
    if (end == std::string_view::npos) return false;
    const std::string_view line = text.substr(0, end);
    text.remove_prefix(end + 1);
    if (line.substr(0, 3) == "to=") {
      job.to = std::string(line.substr(3));
    } else if (line.substr(0, 6) == "delay=") {
      job.delay = std::string(line.substr(6));
    } else {
      return false;
    }
  }
  return true;
}

}  // namespace tq
