// A property sheet's tabs as native sheets lay them out: tabs that do not
// fit the sheet's width wrap onto more rows (no scroll arrows), each row is
// stretched to fill the width, and the row that holds the chosen tab is the
// one next to the page.
#pragma once

#include <QRect>
#include <QTabBar>
#include <QTabWidget>
#include <vector>

namespace tq::ui::qt {

// Where each tab goes, for tabs of the given natural widths on rows of
// `rowWidth` pixels and `rowHeight` high: rows filled in tab order, a tab
// too wide for any row alone on its own; every row's tabs widened to fill
// it; the row of `selected` at the bottom, the others above it in turn.
std::vector<QRect> TabRowsLayout(const std::vector<int>& widths, int rowWidth, int rowHeight, int selected);

class SheetTabBar final : public QTabBar {
 public:
  explicit SheetTabBar(QWidget* parent = nullptr);
  // The width the rows fill: the sheet's page width.
  void SetRowWidth(int width);
  // Where tab `index` is drawn and clicked (QTabBar::tabRect is Qt's own
  // one-row layout, which this bar does not use).
  QRect RowTabRect(int index) const;
  int RowCount() const;
  int RowTabAt(const QPoint& point) const;

  QSize sizeHint() const override;
  QSize minimumSizeHint() const override;

 protected:
  void paintEvent(class QPaintEvent* event) override;
  void mousePressEvent(class QMouseEvent* event) override;
  void mouseMoveEvent(class QMouseEvent* event) override;
  void mouseReleaseEvent(class QMouseEvent* event) override;
  void leaveEvent(class QEvent* event) override;
  void tabLayoutChange() override;

 private:
  // The tabs on rows of `rowWidth`; as shown: on rows of the width set,
  // or of the bar's own before one is.
  std::vector<QRect> Layout(int rowWidth) const;
  std::vector<QRect> Layout() const { return Layout(rowWidth_ > 0 ? rowWidth_ : width()); }
  int RowHeight() const;

  int rowWidth_ = 0;
  int hovered_ = -1;
};

// A tab widget whose tab row is a SheetTabBar.
class SheetTabs final : public QTabWidget {
 public:
  explicit SheetTabs(QWidget* parent);
  SheetTabBar* Bar() const { return bar_; }
  // The tab rows take the width of the largest page, never more.
  void FitRowsToPages();

 private:
  SheetTabBar* bar_;
};

}  // namespace tq::ui::qt
