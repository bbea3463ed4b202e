#include "tab_stop_delegate.h"

#include <QApplication>
#include <QPainter>
#include <QStyle>

namespace tq::ui::qt {

std::vector<int> TabbedOffsets(const QStringList& parts, const QFontMetrics& metrics, const std::vector<int>& stops) {
  std::vector<int> offsets;
  int end = 0;
  for (qsizetype i = 0; i < parts.size(); ++i) {
    int at = 0;
    if (i > 0) {
      // The first stop past the text so far; a single stop repeats.
      at = -1;
      for (int stop : stops) {
        if (stops.size() > 1 && stop > end) {
          at = stop;
          break;
        }
      }
      if (at < 0) {
        const int step = stops.size() == 1 && stops.front() > 0 ? stops.front() : metrics.averageCharWidth() * 8;
        at = (end / step + 1) * step;
      }
    }
    offsets.push_back(at);
    end = at + metrics.horizontalAdvance(parts[i]);
  }
  return offsets;
}

void TabStopDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const {
  QStyleOptionViewItem item = option;
  initStyleOption(&item, index);
  const QString text = item.text;
  if (!text.contains(u'\t')) return QStyledItemDelegate::paint(painter, option, index);
  item.text.clear();
  const QWidget* view = option.widget;
  QStyle* style = view != nullptr ? view->style() : QApplication::style();
  style->drawControl(QStyle::CE_ItemViewItem, &item, painter, view);
  const QRect room = style->subElementRect(QStyle::SE_ItemViewItemText, &item, view);
  const QStringList parts = text.split(u'\t');
  const std::vector<int> offsets = TabbedOffsets(parts, item.fontMetrics, stops_);
  painter->save();
  painter->setFont(item.font);
  painter->setPen(item.palette.color(item.state & QStyle::State_Enabled ? QPalette::Normal : QPalette::Disabled,
                                     item.state & QStyle::State_Selected ? QPalette::HighlightedText : QPalette::Text));
  painter->setClipRect(room);
  for (qsizetype i = 0; i < parts.size(); ++i) {
    const QRect part(room.left() + offsets[static_cast<size_t>(i)], room.top(), room.width(), room.height());
    painter->drawText(part, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, parts[i]);
  }
  painter->restore();
}

}  // namespace tq::ui::qt
