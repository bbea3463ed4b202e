// The mirror's widgets made and unmade: dialogs, sheets and their pages,
// and the controls in them placed from the templates' dialog units.
#include "window_mirror.h"

#include <QApplication>
#include <QDialog>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QScreen>
#include <QSignalBlocker>
#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "face_looks.h"
#include "sheet_tab_rows.h"
#include "window_facts.h"
#include "win/resource.h"

namespace tq::ui::qt {
namespace {

// The dialog widget: closing it and Escape go to the layer, never to Qt.
class DialogWidget final : public QDialog {
 public:
  DialogWidget(Mirror* mirror, HWND handle, QWidget* parent) : QDialog(parent), mirror_(mirror), handle_(handle) {}
  void reject() override { mirror_->KeyPressed(handle_, VK_ESCAPE); }

 protected:
  void closeEvent(QCloseEvent* event) override {
    event->ignore();
    mirror_->CloseAsked(handle_);
  }
  void keyPressEvent(QKeyEvent* event) override {
    switch (event->key()) {
      case Qt::Key_Return:
      case Qt::Key_Enter: mirror_->KeyPressed(handle_, VK_RETURN); return;
      case Qt::Key_Escape: mirror_->KeyPressed(handle_, VK_ESCAPE); return;
      case Qt::Key_F1: mirror_->KeyPressed(handle_, VK_F1); return;
      default: QDialog::keyPressEvent(event);
    }
  }

 private:
  Mirror* mirror_;
  HWND handle_;
};
}  // namespace

Mirror::Mirror(std::function<void(Step)> take, bool scripted) : take_(std::move(take)), scripted_(scripted) {}

Mirror::~Mirror() {
  for (auto& [handle, entry] : entries_) {
    if (entry.top == handle && entry.kind != Kind::Page && entry.widget) delete entry.widget.data();
  }
}

void Mirror::Take(Step step) {
  if (syncing_ != 0) return;
  // Input belongs to the window that was active when it was given: keys
  // typed ahead of a dialog that a click opens do not reach its owner.
  untaken_ = true;
  const HWND active = ActiveModalWindow();
  take_([active, step = std::move(step)](std::string* why) {
    if (ActiveModalWindow() != active) {
      *why = "the input was given to a window that is no longer active";
      return false;
    }
    return step(why);
  });
}

QWidget* Mirror::WidgetOf(HWND window) const {
  auto found = entries_.find(window);
  return found == entries_.end() ? nullptr : found->second.widget.data();
}

Kind Mirror::KindOf(HWND window) const {
  auto found = entries_.find(window);
  return found == entries_.end() ? Kind::Label : found->second.kind;
}

QWidget* Mirror::TopWidgetOf(HWND window) const {
  QWidget* widget = WidgetOf(window);
  return widget != nullptr ? widget->window() : nullptr;
}

QTabWidget* Mirror::TabsOf(HWND sheet) const {
  QWidget* widget = WidgetOf(sheet);
  return widget != nullptr ? widget->findChild<QTabWidget*>() : nullptr;
}

int Mirror::TabTemplate(HWND sheet, int index) const {
  auto found = tabs_.find(sheet);
  if (found == tabs_.end() || index < 0 || index >= static_cast<int>(found->second.size())) return 0;
  return found->second[static_cast<size_t>(index)];
}

BaseUnits Mirror::UnitsOf(HWND topLevel) const {
  auto found = units_.find(topLevel);
  return found == units_.end() ? BaseUnits{} : found->second;
}

HWND Mirror::HandleOf(QObject* object) const {
  auto found = handles_.find(object);
  return found == handles_.end() ? nullptr : found->second;
}

// ---- Building ------------------------------------------------------------------

void Mirror::Created(HWND window) {
  if (entries_.count(window) != 0) return;
  if (StyleOf(window) & WS_CHILD) {
    BuildPage(window);
  } else if (TemplateId(window) == 0) {
    BuildSheet(window);
  } else {
    BuildDialog(window);
  }
}

Mirror::Entry& Mirror::Register(HWND window, QWidget* widget, Kind kind, HWND top) {
  Entry& entry = entries_[window];
  entry.widget = widget;
  entry.kind = kind;
  entry.top = top;
  handles_[widget] = window;
  return entry;
}

// The window of a dialog or sheet, owned by its owner's window, modal when
// a modal call made it, in the dialog font whose base units it returns.
QDialog* Mirror::MakeTopWidget(HWND window, Kind kind, Qt::WindowFlags extra, const QFont& font) {
  auto* widget = new DialogWidget(this, window, TopWidgetOf(GetWindow(window, GW_OWNER)));
  widget->setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | extra);
  if (nextModal_) widget->setWindowModality(Qt::ApplicationModal);
  nextModal_ = false;
  widget->setFont(font);
  units_[window] = BaseUnitsOf(font);
  Register(window, widget, kind, window);
  // Keys that reach the window itself (no control has the focus yet) go to
  // the dialog manager too: Tab finds the first tab stop, F1 asks for help.
  widget->installEventFilter(this);
  return widget;
}

// A dialog's or page's client size: its template's, else the layer's
// rectangle in the layer's own base units.
QSize Mirror::ClientSize(HWND window, const tq::res::DialogTemplate* dialogTemplate) const {
  const BaseUnits units = UnitsOf(window);
  if (dialogTemplate != nullptr) return DialogUnitsToPixels(units, 0, 0, dialogTemplate->cx, dialogTemplate->cy).size();
  RECT client{};
  GetClientRect(window, &client);
  RECT base{0, 0, 4, 8};
  MapDialogRect(window, &base);
  return {MulDiv(client.right, units.x, std::max<int>(base.right, 1)),
          MulDiv(client.bottom, units.y, std::max<int>(base.bottom, 1))};
}

void Mirror::BuildDialog(HWND dialog) {
  const tq::res::DialogTemplate* dialogTemplate = TemplateOf(dialog);
  const DWORD style = StyleOf(dialog);
  Qt::WindowFlags flags;
  if (style & WS_SYSMENU) flags |= Qt::WindowCloseButtonHint;
  if (style & DS_SYSMODAL) flags |= Qt::WindowStaysOnTopHint;
  QDialog* widget = MakeTopWidget(dialog, Kind::Dialog, flags, FontOf(dialogTemplate));
  widget->setFixedSize(WidenedForCaption(ClientSize(dialog, dialogTemplate), widget->font(), TextOf(dialog)));
  BuildControls(dialog, widget, UnitsOf(dialog));
}

void Mirror::BuildSheet(HWND sheet) {
  QDialog* widget = MakeTopWidget(sheet, Kind::Sheet, Qt::WindowCloseButtonHint, DialogFont(nullptr, 0));
  const BaseUnits units = UnitsOf(sheet);
  auto* layout = new QVBoxLayout(widget);
  const QRect margin = DialogUnitsToPixels(units, 7, 7, 4, 4);
  layout->setContentsMargins(margin.x(), margin.y(), margin.x(), margin.y());
  layout->setSizeConstraint(QLayout::SetFixedSize);
  layout->setSpacing(margin.y());
  auto* tabs = new SheetTabs(widget);
  tabs->setFocusPolicy(Qt::NoFocus);
  // The tab row is a tab stop of the layer's.
  tabs->tabBar()->setFocusPolicy(Qt::TabFocus);
  layout->addWidget(tabs);
  QObject::connect(tabs, &QTabWidget::currentChanged, this, [this, sheet](int index) { TabChosen(sheet, index); });
  // One tab a page, each as large as the largest page, as the sheet
  // makes the pages only when they are first shown.
  QSize largest;
  const std::vector<SheetPageTab> pages = SheetPageTabs(sheet);
  for (const SheetPageTab& page : pages) {
    largest = largest.expandedTo(DialogUnitsToPixels(units, 0, 0, page.cx, page.cy).size());
  }
  {
    QSignalBlocker quiet(tabs);
    for (const SheetPageTab& page : pages) {
      auto* room = new QWidget();
      room->setFixedSize(largest);
      tabs->addTab(room, ToQt(page.title));
      tabs_[sheet].push_back(page.templateId);
    }
  }
  tabs->FitRowsToPages();
  auto* buttons = new QHBoxLayout();
  buttons->addStretch(1);
  layout->addLayout(buttons);
  // The sheet's own buttons, in their order, at the bottom right.
  const QRect button = DialogUnitsToPixels(units, 0, 0, 50, 14);
  for (HWND child = GetWindow(sheet, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
    if (StyleOf(child) & WS_CHILD && TemplateId(child) != 0) continue;  // a page
    if (GetDlgCtrlID(child) == IDC_PROPSHEET_TABS) {
      Register(child, tabs->tabBar(), Kind::Tabs, sheet);
      tabs->tabBar()->installEventFilter(this);
      continue;
    }
    const Kind kind = KindOfControl(child);
    QWidget* control = MakeControl(child, kind, widget);
    control->setFixedSize(button.size());
    buttons->addWidget(control);
    Register(child, control, kind, sheet);
  }
}

void Mirror::BuildPage(HWND page) {
  const HWND sheet = GetParent(page);
  QTabWidget* tabs = TabsOf(sheet);
  if (tabs == nullptr) return;
  // The tab of this very page: two tabs may show pages of one template.
  const std::vector<SheetPageTab> pageTabs = SheetPageTabs(sheet);
  QWidget* room = nullptr;
  for (size_t i = 0; i < pageTabs.size() && static_cast<int>(i) < tabs->count(); ++i) {
    if (pageTabs[i].page == page || pageTabs[i].making) room = tabs->widget(static_cast<int>(i));
  }
  if (room == nullptr) return;
  const tq::res::DialogTemplate* dialogTemplate = TemplateOf(page);
  const BaseUnits units = UnitsOf(sheet);
  units_[page] = units;
  auto* widget = new QWidget(room);
  Register(page, widget, Kind::Page, page);
  widget->setFixedSize(ClientSize(page, dialogTemplate));
  const QSize grown = room->size().expandedTo(widget->size());
  if (grown != room->size()) {
    room->setFixedSize(grown);
    if (auto* rows = dynamic_cast<SheetTabs*>(tabs)) rows->FitRowsToPages();
  }
  BuildControls(page, widget, units);
  pages_[sheet].push_back(page);
  widget->show();
}

void Mirror::BuildControls(HWND dialog, QWidget* container, const BaseUnits& units) {
  const tq::res::DialogTemplate* dialogTemplate = TemplateOf(dialog);
  std::vector<HWND> children;
  for (HWND child = GetWindow(dialog, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
    if ((StyleOf(child) & WS_CHILD) && TemplateId(child) != 0) continue;  // a page of a sheet
    children.push_back(child);
  }
  // Controls match the template one to one while the program has added none.
  const bool fromTemplate = dialogTemplate != nullptr && dialogTemplate->controls.size() == children.size();
  QWidget* previous = nullptr;
  std::vector<std::pair<QLabel*, size_t>> labels;
  for (size_t i = 0; i < children.size(); ++i) {
    const HWND child = children[i];
    const Kind kind = KindOfControl(child);
    QWidget* widget = MakeControl(child, kind, container);
    Entry& entry = Register(child, widget, kind, dialog);
    if (fromTemplate) {
      const tq::res::ControlTemplate& item = dialogTemplate->controls[i];
      entry.templateRect = QRect(item.x, item.y, item.cx, item.cy);
    }
    Place(child, entry, units);
    if (kind == Kind::Group) widget->lower();
    if (kind == Kind::Label) labels.emplace_back(static_cast<QLabel*>(widget), i);
    // Tab order as the template gives it; the layer moves the focus itself.
    if (widget->focusPolicy() != Qt::NoFocus) {
      if (previous != nullptr) QWidget::setTabOrder(previous, widget);
      previous = widget;
    }
  }
  // A label's mnemonic moves the focus to the control after it.
  for (auto [label, index] : labels) {
    if (StyleOf(children[index]) & SS_NOPREFIX) continue;
    for (size_t next = index + 1; next < children.size(); ++next) {
      QWidget* target = WidgetOf(children[next]);
      const Kind kind = KindOf(children[next]);
      if (target != nullptr && kind != Kind::Label && kind != Kind::Group && kind != Kind::Frame &&
          kind != Kind::Picture) {
        label->setBuddy(target);
        break;
      }
    }
  }
}

void Mirror::Place(HWND control, Entry& entry, const BaseUnits& units) {
  if (!entry.widget) return;
  if (!entry.moved && !entry.templateRect.isNull()) {
    const QRect& r = entry.templateRect;
    QRect placed = DialogUnitsToPixels(units, r.x(), r.y(), r.width(), r.height());
    // A combo box's rectangle holds its dropped list too; the box is one line.
    if (entry.kind == Kind::Combo) placed.setHeight(std::min(placed.height(), entry.widget->sizeHint().height()));
    entry.widget->setGeometry(placed);
    return;
  }
  // Placed by the program: the layer's rectangle, in the layer's base units.
  RECT rect{};
  RECT dialogRect{};
  GetWindowRect(control, &rect);
  GetWindowRect(entry.top, &dialogRect);
  RECT base{0, 0, 4, 8};
  MapDialogRect(entry.top, &base);
  const int bx = std::max<int>(base.right, 1);
  const int by = std::max<int>(base.bottom, 1);
  QRect placed(MulDiv(rect.left - dialogRect.left, units.x, bx), MulDiv(rect.top - dialogRect.top, units.y, by),
               MulDiv(rect.right - rect.left, units.x, bx), MulDiv(rect.bottom - rect.top, units.y, by));
  if (entry.kind == Kind::Combo) placed.setHeight(std::min(placed.height(), entry.widget->sizeHint().height()));
  entry.widget->setGeometry(placed);
}

void Mirror::Moved(HWND window) {
  auto found = entries_.find(window);
  if (found == entries_.end() || found->second.top == window) return;
  found->second.moved = true;
  Place(window, found->second, UnitsOf(found->second.top));
}

void Mirror::ItemsChanged(HWND window) {
  auto found = entries_.find(window);
  if (found != entries_.end()) found->second.itemsChanged = true;
}

void Mirror::BringForward(HWND window) {
  auto found = entries_.find(window);
  if (found == entries_.end() || found->second.top != window || !found->second.widget) return;
  QWidget* widget = found->second.widget.data();
  if (!widget->isWindow() || !widget->isVisible()) return;
  widget->raise();
  widget->activateWindow();
}

void Mirror::Destroyed(HWND window) {
  auto found = entries_.find(window);
  if (found == entries_.end()) return;
  Entry entry = found->second;
  if (entry.top == window) {
    // A dialog, page or sheet takes its controls (and a sheet its pages) along.
    std::vector<HWND> gone;
    for (auto& [handle, other] : entries_) {
      if (other.top == window || handle == window) gone.push_back(handle);
    }
    for (HWND page : pages_[window]) {
      for (auto& [handle, other] : entries_) {
        if (other.top == page) gone.push_back(handle);
      }
    }
    for (HWND handle : gone) {
      auto at = entries_.find(handle);
      if (at == entries_.end()) continue;
      if (at->second.widget) handles_.erase(at->second.widget.data());
      entries_.erase(at);
      units_.erase(handle);
    }
    pages_.erase(window);
    tabs_.erase(window);
    if (entry.widget && entry.kind != Kind::Page) {
      entry.widget->hide();
      entry.widget->deleteLater();
      // The window goes from the screen now, not at the next wait for input.
      QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    }
    return;
  }
  if (entry.widget) {
    handles_.erase(entry.widget.data());
    entry.widget->hide();
    entry.widget->deleteLater();
  }
  entries_.erase(found);
}
}  // namespace tq::ui::qt
