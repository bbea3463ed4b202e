// The layer's state onto the widgets.
#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QScrollBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QSignalBlocker>
#include <QTabWidget>

#include "static_picture.h"
#include "tab_stop_delegate.h"
#include "win/foreign_window.h"
#include "list_lines.h"
#include "window_facts.h"
#include "window_mirror.h"

namespace tq::ui::qt {
namespace {

// A read-only edit takes no typing and shows it with the dialog's own
// background in place of the field's, as the platform shows it.
template <class Edit>
void ShowReadOnly(Edit* edit, bool readOnly) {
  edit->setReadOnly(readOnly);
  QPalette palette = QApplication::palette(edit);
  if (readOnly) palette.setColor(QPalette::Base, palette.color(QPalette::Window));
  if (edit->palette() != palette) edit->setPalette(palette);
}

}  // namespace

void Mirror::SyncAll() {
  ++syncing_;
  for (HWND handle : [&] {
         std::vector<HWND> all;
         for (auto& [h, e] : entries_) all.push_back(h);
         return all;
       }()) {
    auto found = entries_.find(handle);
    if (found == entries_.end() || !found->second.widget) continue;
    if (!IsWindow(handle)) continue;
    Sync(handle, found->second);
  }
  SyncFocus();
  untaken_ = false;
  --syncing_;
}

void Mirror::Sync(HWND window, Entry& entry) {
  QWidget* widget = entry.widget.data();
  QSignalBlocker quiet(widget);
  const DWORD style = StyleOf(window);
  switch (entry.kind) {
    case Kind::Dialog:
    case Kind::Sheet: return SyncTop(window, entry);
    case Kind::Page: SyncPainted(window, entry); break;
    case Kind::Edit:
    case Kind::MultiEdit: SyncEdit(window, entry); break;
    case Kind::List: SyncList(window, entry); break;
    case Kind::Combo: SyncCombo(window, entry); break;
    case Kind::Push:
    case Kind::Check:
    case Kind::Radio:
    case Kind::Group: SyncButton(window, entry); break;
    default: SyncStatic(window, entry); break;
  }
  // Pages are shown by their sheet's tabs, not by their own style.
  if (entry.kind != Kind::Page) widget->setVisible((style & WS_VISIBLE) != 0);
  widget->setEnabled((style & WS_DISABLED) == 0);
}

void Mirror::SyncTop(HWND window, Entry& entry) {
  QWidget* widget = entry.widget.data();
  const std::u16string caption = TextOf(window);
  if (caption != entry.text || widget->windowTitle().isEmpty()) {
    entry.text = caption;
    widget->setWindowTitle(ToQt(caption));
  }
  // A window disabled by its modal child keeps its look: only controls
  // disabled themselves look disabled. The mirror drops its input instead.
  // A window that waits for a program it started looks disabled, as no
  // window of its own stands over it to say why it takes no input.
  widget->setEnabled(!ui::HeldByStartedProgram(window));
  if (entry.kind == Kind::Sheet) {
    if (QTabWidget* tabs = TabsOf(window)) {
      QSignalBlocker quiet(tabs);
      if (QWidget* shown = WidgetOf(ShownSheetPage(window))) tabs->setCurrentWidget(shown->parentWidget());
    }
  }
  const bool visible = (StyleOf(window) & WS_VISIBLE) != 0;
  if (visible && !widget->isVisible()) {
    if (widget->parentWidget() == nullptr) {
      if (QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        widget->move(area.center() - QPoint(widget->width() / 2, widget->height() / 2));
      }
    }
    widget->show();
    widget->raise();
    widget->activateWindow();
  } else if (!visible && widget->isVisible()) {
    widget->hide();
  }
}

void Mirror::SyncEdit(HWND edit, Entry& entry) {
  const std::u16string text = TextOf(edit);
  const DWORD style = StyleOf(edit);
  DWORD start = 0;
  DWORD end = 0;
  SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  // An edit shows its selection only while it has the focus, unless it
  // keeps it on purpose (ES_NOHIDESEL).
  if (GetFocus() != edit && !(style & ES_NOHIDESEL)) start = end;
  if (auto* line = qobject_cast<QLineEdit*>(entry.widget.data())) {
    if (line->text() != ToQt(text)) line->setText(ToQt(text));
    ShowReadOnly(line, (style & ES_READONLY) != 0);
    line->setEchoMode((style & ES_PASSWORD) ? QLineEdit::Password : QLineEdit::Normal);
    if (start == end) {
      line->setCursorPosition(static_cast<int>(end));
    } else {
      line->setSelection(static_cast<int>(start), static_cast<int>(end - start));
    }
  } else if (auto* box = qobject_cast<QPlainTextEdit*>(entry.widget.data())) {
    QString shown = ToQt(text);
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    if (box->toPlainText() != shown) box->setPlainText(shown);
    ShowReadOnly(box, (style & ES_READONLY) != 0);
  }
  entry.text = text;
}

void Mirror::SyncList(HWND list, Entry& entry) {
  auto* widget = static_cast<QListView*>(entry.widget.data());
  auto* lines = static_cast<ListLines*>(widget->model());
  QSignalBlocker quietSelection(widget->selectionModel());
  // A list with tab stops draws its columns at them, in its dialog's units.
  const std::vector<int> stops = ListTabStops(list);
  const bool tabbed = !stops.empty();
  if (tabbed) {
    auto* delegate = dynamic_cast<TabStopDelegate*>(widget->itemDelegate());
    if (delegate == nullptr) {
      delegate = new TabStopDelegate(widget);
      widget->setItemDelegate(delegate);
    }
    const BaseUnits units = UnitsOf(entry.top);
    std::vector<int> pixels;
    for (int stop : stops) pixels.push_back(stop * units.x / 4);
    if (pixels != delegate->Stops()) {
      delegate->SetStops(std::move(pixels));
      widget->viewport()->update();
    }
  }
  // The lines are read again only after they changed; the view stays where
  // it was scrolled, as a list box keeps its top line when lines come.
  if (entry.itemsChanged || lines->Tabbed() != tabbed) {
    const int scrolled = widget->verticalScrollBar()->value();
    lines->Reload(tabbed);
    widget->verticalScrollBar()->setValue(scrolled);
    entry.itemsChanged = false;
  }
  const int rows = lines->rowCount();
  // One range for each run of selected lines, not one a line.
  const std::vector<int> selected = SelectedItems(list);
  QItemSelection selection;
  for (std::size_t first = 0; first < selected.size();) {
    std::size_t last = first;
    while (last + 1 < selected.size() && selected[last + 1] == selected[last] + 1) ++last;
    selection.select(lines->index(selected[first], 0), lines->index(selected[last], 0));
    first = last + 1;
  }
  if (widget->selectionModel()->selection() != selection) {
    widget->selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
  }
  const LRESULT caret = SendMessageW(list, LB_GETCARETINDEX, 0, 0);
  const int current = caret >= 0 && caret < rows ? static_cast<int>(caret) : (selected.empty() ? -1 : selected.front());
  if (current >= 0) widget->selectionModel()->setCurrentIndex(lines->index(current, 0), QItemSelectionModel::NoUpdate);
  // The layer scrolled the list (a line selected out of view, LB_SETTOPINDEX):
  // its top line first, then the caret's line in view, as the rows here
  // may be fewer than the layer counts. The top line the wheel or the scroll
  // bar gave the list leaves the caret's line out of view, and a click on a
  // line in view leaves the view where it is.
  const int top = static_cast<int>(SendMessageW(list, LB_GETTOPINDEX, 0, 0));
  if (rows > 0) {
    if (top != entry.listTop && top >= 0 && top < rows) {
      widget->scrollTo(lines->index(top, 0), QAbstractItemView::PositionAtTop);
    }
    if (current != entry.listCaret && current >= 0) {
      widget->scrollTo(lines->index(current, 0), QAbstractItemView::EnsureVisible);
    }
  }
  entry.listTop = top;
  entry.listCaret = current;
  widget->viewport()->update();
}

void Mirror::SyncCombo(HWND combo, Entry& entry) {
  auto* widget = static_cast<QComboBox*>(entry.widget.data());
  const std::vector<std::u16string> items = ItemTexts(combo);
  bool same = widget->count() == static_cast<int>(items.size());
  for (int i = 0; same && i < widget->count(); ++i) same = widget->itemText(i) == ToQt(items[static_cast<size_t>(i)]);
  if (!same) {
    widget->clear();
    for (const std::u16string& item : items) widget->addItem(ToQt(item));
  }
  const std::vector<int> selected = SelectedItems(combo);
  widget->setCurrentIndex(selected.empty() ? -1 : selected.front());
  if (widget->isEditable()) {
    const QString text = ToQt(TextOf(combo));
    if (widget->currentText() != text) widget->setEditText(text);
  }
}

void Mirror::SyncButton(HWND button, Entry& entry) {
  const std::u16string text = TextOf(button);
  const QString shown = ToQt(text);
  const DWORD style = StyleOf(button);
  if (auto* group = qobject_cast<QGroupBox*>(entry.widget.data())) {
    if (entry.text != text) group->setTitle(WithoutPrefix(shown));
  } else if (auto* push = qobject_cast<QPushButton*>(entry.widget.data())) {
    if (entry.text != text) {
      push->setText(shown);
      FitText(push, shown, push->width() - 8);
    }
    push->setDefault((style & BS_TYPEMASK) == BS_DEFPUSHBUTTON);
    const auto image = reinterpret_cast<HBITMAP>(SendMessageW(button, BM_GETIMAGE, IMAGE_BITMAP, 0));
    if ((style & BS_BITMAP) && image != nullptr) {
      const QPixmap picture = PictureOf(image);
      push->setIcon(QIcon(picture));
      push->setIconSize(picture.size());
    }
  } else if (auto* box = qobject_cast<QAbstractButton*>(entry.widget.data())) {
    if (entry.text != text) {
      box->setText(shown);
      FitText(box, shown, box->width() - 20);
    }
    const LRESULT check = SendMessageW(button, BM_GETCHECK, 0, 0);
    if (auto* check3 = qobject_cast<QCheckBox*>(box)) {
      check3->setCheckState(check == BST_CHECKED ? Qt::Checked : check == BST_INDETERMINATE ? Qt::PartiallyChecked : Qt::Unchecked);
    } else {
      box->setChecked(check == BST_CHECKED);
    }
  }
  entry.text = text;
}

void Mirror::SyncStatic(HWND control, Entry& entry) {
  if (entry.kind == Kind::Picture) {
    auto* picture = static_cast<QLabel*>(entry.widget.data());
    auto image = reinterpret_cast<HBITMAP>(SendMessageW(control, STM_GETIMAGE, IMAGE_BITMAP, 0));
    if (image == nullptr && (StyleOf(control) & SS_TYPEMASK) == SS_BITMAP) image = TemplateBitmap(control);
    const qint64 key = reinterpret_cast<qint64>(image);
    if (picture->property("tqImage").toLongLong() != key) {
      picture->setProperty("tqImage", key);
      picture->setPixmap(image != nullptr ? PictureOf(image) : QPixmap());
    }
    return;
  }
  if (entry.kind != Kind::Label) return;
  const std::u16string text = TextOf(control);
  if (text == entry.text && !entry.text.empty()) return;
  auto* label = static_cast<QLabel*>(entry.widget.data());
  const QString shown = ToQt(text);
  const bool prefix = !(StyleOf(control) & SS_NOPREFIX);
  if (prefix && label->buddy() != nullptr) {
    label->setTextFormat(Qt::PlainText);
    label->setText(shown);
  } else {
    label->setText(prefix ? WithoutPrefix(shown) : shown);
  }
  entry.text = text;
}

void Mirror::SyncPainted(HWND page, Entry& entry) {
  QWidget* widget = entry.widget.data();
  const std::vector<PaintedBitmap> painted = PaintedBitmaps(page);
  QString key;
  for (const PaintedBitmap& p : painted) {
    key += QString("%1:%2,%3,%4,%5;").arg(p.bitmap->id).arg(p.rect.left).arg(p.rect.top).arg(p.rect.right).arg(p.rect.bottom);
  }
  if (widget->property("tqPainted").toString() == key) return;
  widget->setProperty("tqPainted", key);
  for (QLabel* old : widget->findChildren<QLabel*>("tqPainted", Qt::FindDirectChildrenOnly)) delete old;
  // The layer's pixels are in its own base units; placed in the face's.
  RECT base{0, 0, 4, 8};
  MapDialogRect(page, &base);
  const int bx = std::max<int>(base.right, 1);
  const int by = std::max<int>(base.bottom, 1);
  const auto found = units_.find(page);
  const BaseUnits units = found != units_.end() ? found->second : BaseUnits{};
  for (const PaintedBitmap& p : painted) {
    auto* picture = new QLabel(widget);
    picture->setObjectName("tqPainted");
    picture->setPixmap(PictureOf(*p.bitmap));
    picture->setGeometry(MulDiv(p.rect.left, units.x, bx), MulDiv(p.rect.top, units.y, by),
                         p.rect.right - p.rect.left, p.rect.bottom - p.rect.top);
    picture->lower();
    picture->show();
  }
}

void Mirror::SyncFocus() {
  const HWND focus = GetFocus();
  QWidget* widget = WidgetOf(focus);
  if (widget == nullptr || !widget->isVisible()) return;
  const bool cues = CuesShown(widget->window());
  // Qt draws focus marks in a window marked as moved through by keys; it
  // clears the mark on a click, the dialog manager keeps the cues.
  if (cues && !widget->window()->testAttribute(Qt::WA_KeyboardFocusChange)) {
    widget->window()->setAttribute(Qt::WA_KeyboardFocusChange);
    widget->update();
  }
  if (widget->hasFocus()) return;
  const HWND active = ActiveModalWindow();
  if (active != nullptr && TopWidgetOf(active) != widget->window()) return;
  widget->setFocus(cues ? Qt::TabFocusReason : Qt::OtherFocusReason);
}

void Mirror::ShowCues(HWND control) {
  if (QWidget* widget = TopWidgetOf(control)) widget->setProperty("tqCues", true);
}

bool Mirror::CuesShown(QWidget* window) const { return window != nullptr && window->property("tqCues").toBool(); }
}  // namespace tq::ui::qt
