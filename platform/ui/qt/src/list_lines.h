// A list box's lines as the model of its Qt view. The view asks for the
// lines it draws, read from the layer's list then: a list of a hundred
// thousand lines costs the view no copy of them.
#pragma once

#include <QAbstractListModel>

#include "win/user.h"

namespace tq::ui::qt {

class ListLines final : public QAbstractListModel {
 public:
  ListLines(HWND list, QObject* parent) : QAbstractListModel(parent), list_(list) {}
  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  // The layer's lines changed (or whether their tabs are drawn at stops):
  // counts them again and forgets what the view showed.
  void Reload(bool tabbed);
  bool Tabbed() const { return tabbed_; }

 private:
  HWND list_;
  int rows_ = 0;
  bool tabbed_ = false;
};

}  // namespace tq::ui::qt
