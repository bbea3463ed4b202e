#include "list_lines.h"

#include <string>

#include "window_facts.h"

namespace tq::ui::qt {

int ListLines::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : rows_; }

QVariant ListLines::data(const QModelIndex& index, int role) const {
  if (role != Qt::DisplayRole || !index.isValid()) return {};
  const LRESULT length = SendMessageW(list_, LB_GETTEXTLEN, static_cast<WPARAM>(index.row()), 0);
  if (length < 0) return {};
  std::u16string line(static_cast<std::size_t>(length) + 1, u'\0');
  SendMessageW(list_, LB_GETTEXT, static_cast<WPARAM>(index.row()), reinterpret_cast<LPARAM>(line.data()));
  line.resize(static_cast<std::size_t>(length));
  return ListLine(line, tabbed_);
}

void ListLines::Reload(bool tabbed) {
  beginResetModel();
  tabbed_ = tabbed;
  const LRESULT count = SendMessageW(list_, LB_GETCOUNT, 0, 0);
  rows_ = count > 0 ? static_cast<int>(count) : 0;
  endResetModel();
}

}  // namespace tq::ui::qt
