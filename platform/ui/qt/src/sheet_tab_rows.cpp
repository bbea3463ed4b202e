#include "sheet_tab_rows.h"

#include <QMouseEvent>
#include <QStyleOptionTab>
#include <QStyleOptionTabWidgetFrame>
#include <QStylePainter>
#include <algorithm>

namespace tq::ui::qt {

std::vector<QRect> TabRowsLayout(const std::vector<int>& widths, int rowWidth, int rowHeight, int selected) {
  const int count = static_cast<int>(widths.size());
  std::vector<QRect> rects(widths.size());
  if (count == 0) return rects;
  rowWidth = std::max(rowWidth, 1);
  // Rows in tab order: [first tab, end) each.
  std::vector<std::pair<int, int>> rows;
  for (int first = 0; first < count;) {
    int end = first;
    int used = 0;
    while (end < count && (end == first || used + widths[end] <= rowWidth)) used += widths[end++];
    rows.emplace_back(first, end);
    first = end;
  }
  const int rowCount = static_cast<int>(rows.size());
  int selectedRow = 0;
  for (int r = 0; r < rowCount; ++r) {
    if (selected >= rows[r].first && selected < rows[r].second) selectedRow = r;
  }
  for (int r = 0; r < rowCount; ++r) {
    const auto [first, end] = rows[r];
    // The chosen tab's row sits next to the page; the rows after it follow
    // upwards, those before it go on top, as native sheets turn them.
    const int fromBottom = (r - selectedRow + rowCount) % rowCount;
    const int y = (rowCount - 1 - fromBottom) * rowHeight;
    int natural = 0;
    for (int i = first; i < end; ++i) natural += widths[i];
    // Each row fills the width: the room left is shared out, the first
    // tabs taking the odd pixels.
    const int tabs = end - first;
    const int extra = std::max(rowWidth - natural, 0);
    int x = 0;
    for (int i = first; i < end; ++i) {
      const int k = i - first;
      int width = widths[i] + extra / tabs + (k < extra % tabs ? 1 : 0);
      if (i == end - 1 || x + width > rowWidth) width = std::max(rowWidth - x, 1);
      rects[i] = QRect(x, y, width, rowHeight);
      x += width;
    }
  }
  return rects;
}

SheetTabBar::SheetTabBar(QWidget* parent) : QTabBar(parent) {
  // Every tab is shown whole: no arrows, no shortened titles.
  setUsesScrollButtons(false);
  setElideMode(Qt::ElideNone);
  setExpanding(false);
  setMouseTracking(true);
}

void SheetTabBar::SetRowWidth(int width) {
  if (width == rowWidth_) return;
  rowWidth_ = width;
  updateGeometry();
  update();
}

int SheetTabBar::RowHeight() const {
  int height = 0;
  for (int i = 0; i < count(); ++i) height = std::max(height, tabSizeHint(i).height());
  return height;
}

namespace {

// How far down the rows reach.
int BottomOf(const std::vector<QRect>& rects) {
  int bottom = 0;
  for (const QRect& rect : rects) bottom = std::max(bottom, rect.bottom() + 1);
  return bottom;
}

}  // namespace

std::vector<QRect> SheetTabBar::Layout(int rowWidth) const {
  std::vector<int> widths;
  for (int i = 0; i < count(); ++i) widths.push_back(tabSizeHint(i).width());
  return TabRowsLayout(widths, rowWidth, RowHeight(), currentIndex());
}

QRect SheetTabBar::RowTabRect(int index) const {
  const std::vector<QRect> rects = Layout();
  return index >= 0 && index < static_cast<int>(rects.size()) ? rects[static_cast<size_t>(index)] : QRect();
}

int SheetTabBar::RowCount() const {
  const int height = RowHeight();
  return height > 0 ? BottomOf(Layout()) / height : 0;
}

int SheetTabBar::RowTabAt(const QPoint& point) const {
  const std::vector<QRect> rects = Layout();
  for (size_t i = 0; i < rects.size(); ++i) {
    if (rects[i].contains(point)) return static_cast<int>(i);
  }
  return -1;
}

QSize SheetTabBar::sizeHint() const { return {rowWidth_, BottomOf(Layout(rowWidth_))}; }

QSize SheetTabBar::minimumSizeHint() const { return sizeHint(); }

void SheetTabBar::tabLayoutChange() {
  QTabBar::tabLayoutChange();
  updateGeometry();
  update();
}

void SheetTabBar::paintEvent(QPaintEvent*) {
  QStylePainter painter(this);
  const std::vector<QRect> rects = Layout();
  const int selected = currentIndex();
  // Bottom edges of the rows: the selected tab's row is the lowest.
  const auto draw = [&](int i) {
    QStyleOptionTab option;
    initStyleOption(&option, i);
    const QRect& rect = rects[static_cast<size_t>(i)];
    option.rect = rect;
    option.text = tabText(i);
    const bool first = rect.left() == 0;
    const bool last = rect.right() + 1 >= width() || i + 1 == count() || rects[static_cast<size_t>(i + 1)].top() != rect.top();
    option.position = first && last ? QStyleOptionTab::OnlyOneTab
                      : first       ? QStyleOptionTab::Beginning
                      : last        ? QStyleOptionTab::End
                                    : QStyleOptionTab::Middle;
    const bool besideSelected = selected >= 0 && rects[static_cast<size_t>(selected)].top() == rect.top();
    option.selectedPosition = QStyleOptionTab::NotAdjacent;
    if (besideSelected && i + 1 == selected) option.selectedPosition = QStyleOptionTab::NextIsSelected;
    if (besideSelected && i - 1 == selected) option.selectedPosition = QStyleOptionTab::PreviousIsSelected;
    option.state.setFlag(QStyle::State_MouseOver, i == hovered_);
    painter.drawControl(QStyle::CE_TabBarTab, option);
  };
  for (int i = 0; i < count(); ++i) {
    if (i != selected) draw(i);
  }
  if (selected >= 0 && selected < count()) draw(selected);
}

void SheetTabBar::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) {
    event->ignore();
    return;
  }
  const int index = RowTabAt(event->position().toPoint());
  if (index >= 0 && isTabEnabled(index)) setCurrentIndex(index);
  event->accept();
}

void SheetTabBar::mouseMoveEvent(QMouseEvent* event) {
  const int index = RowTabAt(event->position().toPoint());
  if (index != hovered_) {
    hovered_ = index;
    update();
  }
  event->accept();
}

void SheetTabBar::mouseReleaseEvent(QMouseEvent* event) { event->accept(); }

void SheetTabBar::leaveEvent(QEvent* event) {
  hovered_ = -1;
  update();
  QTabBar::leaveEvent(event);
}

SheetTabs::SheetTabs(QWidget* parent) : QTabWidget(parent), bar_(new SheetTabBar(this)) { setTabBar(bar_); }

void SheetTabs::FitRowsToPages() {
  // The pages have fixed sizes and no layout, so their minimum widths are
  // their widths; the rows span the tab widget: the pages and the frame
  // the style puts around them.
  int pages = 0;
  for (int i = 0; i < count(); ++i) pages = std::max(pages, widget(i)->minimumWidth());
  QStyleOptionTabWidgetFrame option;
  initStyleOption(&option);
  option.rect = QRect(0, 0, pages + 100, 1000);
  const QRect contents = style()->subElementRect(QStyle::SE_TabWidgetTabContents, &option, this);
  const int whole = pages + option.rect.width() - contents.width();
  // Where the style puts a bar as wide as the widget: it may inset it.
  option.rect.setWidth(whole);
  option.tabBarSize = QSize(whole, bar_->sizeHint().height());
  const QRect bar = style()->subElementRect(QStyle::SE_TabWidgetTabBar, &option, this);
  bar_->SetRowWidth(std::min(bar.width(), whole - std::max(bar.left(), 0)));
}

}  // namespace tq::ui::qt
