#include "dialogs/list_lines.h"

#include <algorithm>

#include "win/user.h"

namespace tq::faxui {

std::u16string ListLine(HWND list, int index) {
  const LRESULT length = SendMessageW(list, LB_GETTEXTLEN, static_cast<WPARAM>(index), 0);
  if (length < 0) return {};
  std::u16string line(static_cast<std::size_t>(length) + 1, u'\0');
  const LRESULT got = SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(line.data()));
  line.resize(static_cast<std::size_t>(std::clamp<LRESULT>(got, 0, length)));
  return line;
}

LRESULT AddListLine(HWND dialog, int listId, const std::u16string& line) {
  return SendDlgItemMessageW(dialog, listId, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line.c_str()));
}

std::vector<int> SelectedLines(HWND dialog, int listId, int bound) {
  std::vector<int> lines(static_cast<std::size_t>(std::max(bound, 0)));
  const LRESULT got = SendDlgItemMessageW(dialog, listId, LB_GETSELITEMS, lines.size(),
                                          reinterpret_cast<LPARAM>(lines.data()));
  lines.resize(got > 0 ? static_cast<std::size_t>(got) : 0);
  std::sort(lines.begin(), lines.end());
  return lines;
}

int RemoveSelectedLines(HWND dialog, int listId, int bound, const std::function<void(int line)>& removed) {
  const std::vector<int> lines = SelectedLines(dialog, listId, bound);
  if (lines.empty()) return 0;
  for (auto at = lines.rbegin(); at != lines.rend(); ++at) {
    SendDlgItemMessageW(dialog, listId, LB_DELETESTRING, static_cast<WPARAM>(*at), 0);
    if (removed) removed(*at);
  }
  const LRESULT remaining = SendDlgItemMessageW(dialog, listId, LB_GETCOUNT, 0, 0);
  if (remaining > 0) {
    const int select = std::min<int>(lines.front(), static_cast<int>(remaining) - 1);
    SendDlgItemMessageW(dialog, listId, LB_SETSEL, TRUE, select);
  }
  return static_cast<int>(lines.size());
}

}  // namespace tq::faxui
