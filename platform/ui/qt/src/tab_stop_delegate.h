// List lines with tab stops as a list box with LBS_USETABSTOPS draws them:
// the text after each tab starts at the next stop, so columns line up.
#pragma once

#include <QStyledItemDelegate>
#include <vector>

namespace tq::ui::qt {

// The x offset (pixels from the text's start) of each part of `line`
// between tabs: the first at 0, each next one at the first stop past the
// end of the part before. `stops` are pixels; one stop repeats.
std::vector<int> TabbedOffsets(const QStringList& parts, const QFontMetrics& metrics, const std::vector<int>& stops);

class TabStopDelegate final : public QStyledItemDelegate {
 public:
  explicit TabStopDelegate(QObject* parent) : QStyledItemDelegate(parent) {}
  // Stops in pixels; the list's columns follow them.
  void SetStops(std::vector<int> stops) { stops_ = std::move(stops); }
  const std::vector<int>& Stops() const { return stops_; }
  void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;

 private:
  std::vector<int> stops_;
};

}  // namespace tq::ui::qt
