#include "import_run.h"

#include "win/user.h"

namespace tq::import {

int ShowMessage(const ImportRun& run, std::u16string_view text, std::u16string_view caption, UINT type) {
  const std::u16string body(text);
  const std::u16string title(caption);
  return MessageBoxW(run.owner, body.c_str(), title.c_str(), type);
}

std::u16string FormatText(std::u16string_view format, std::initializer_list<std::u16string_view> values) {
  std::u16string out;
  auto next = values.begin();
  for (std::size_t i = 0; i < format.size(); ++i) {
    if (format[i] == u'%' && i + 1 < format.size() && format[i + 1] == u's' && next != values.end()) {
      out += *next++;
      ++i;
    } else {
      out += format[i];
    }
  }
  return out;
}

void OpenHelp(const ImportRun& run, HWND dialog, unsigned long context) {
  WinHelpW(dialog, run.helpPath.c_str(), HELP_CONTEXT, context);
}

}  // namespace tq::import
