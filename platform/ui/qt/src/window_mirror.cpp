#include "window_mirror.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDialog>
#include <QFocusEvent>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "static_picture.h"
#include "win/resource.h"
#include "win/user_input.h"

namespace tq::ui::qt {
namespace {

std::u16string TextOf(HWND window) {
  const int length = GetWindowTextLengthW(window);
  std::u16string text(static_cast<size_t>(std::max(length, 0)) + 1, u'\0');
  const int got = GetWindowTextW(window, text.data(), length + 1);
  text.resize(static_cast<size_t>(std::max(got, 0)));
  return text;
}

QString ToQt(const std::u16string& text) { return QString::fromStdU16String(text); }

DWORD StyleOf(HWND window) { return static_cast<DWORD>(GetWindowLongPtrW(window, GWL_STYLE)); }

bool SameName(const std::u16string& a, const char16_t* b) {
  const std::u16string other(b);
  if (a.size() != other.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    const auto lower = [](char16_t c) { return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c + 32) : c; };
    if (lower(a[i]) != lower(other[i])) return false;
  }
  return true;
}

std::u16string ClassOf(HWND window) {
  char16_t name[32] = {};
  GetClassNameW(window, name, 32);
  return name;
}

Kind KindOfControl(HWND control) {
  const std::u16string name = ClassOf(control);
  const DWORD style = StyleOf(control);
  if (SameName(name, WC_EDITW)) return (style & ES_MULTILINE) ? Kind::MultiEdit : Kind::Edit;
  if (SameName(name, WC_LISTBOXW)) return Kind::List;
  if (SameName(name, WC_COMBOBOXW)) return Kind::Combo;
  if (SameName(name, WC_BUTTONW)) {
    switch (style & BS_TYPEMASK) {
      case BS_CHECKBOX:
      case BS_AUTOCHECKBOX:
      case BS_3STATE:
      case BS_AUTO3STATE: return Kind::Check;
      case BS_RADIOBUTTON:
      case BS_AUTORADIOBUTTON: return Kind::Radio;
      case BS_GROUPBOX: return Kind::Group;
      default: return Kind::Push;
    }
  }
  switch (style & SS_TYPEMASK) {
    case SS_BITMAP:
    case SS_ICON: return Kind::Picture;
    case SS_BLACKRECT:
    case SS_GRAYRECT:
    case SS_WHITERECT:
    case SS_BLACKFRAME:
    case SS_GRAYFRAME:
    case SS_WHITEFRAME:
    case SS_ETCHEDHORZ:
    case SS_ETCHEDVERT:
    case SS_ETCHEDFRAME: return Kind::Frame;
    default: return Kind::Label;
  }
}

// The bitmap a picture control's template names in its text ("#101" or
// "101"), from the module of its dialog, as Win32 loads it at creation.
HBITMAP TemplateBitmap(HWND control) {
  const std::u16string text = TextOf(control);
  if (text.empty()) return nullptr;
  const auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(control, GWLP_HINSTANCE));
  bool ok = false;
  const int id = QString::fromStdU16String(text.front() == u'#' ? text.substr(1) : text).toInt(&ok);
  return ok ? LoadBitmapW(instance, MAKEINTRESOURCEW(id)) : LoadBitmapW(instance, text.c_str());
}

// A label's text as Win32 draws it without a mnemonic target: "&&" is an
// ampersand, a single "&" only underlines (which a label without a buddy
// cannot show) and is dropped.
QString WithoutPrefix(const QString& text) {
  QString out;
  for (int i = 0; i < text.size(); ++i) {
    if (text[i] == u'&' && i + 1 < text.size()) ++i;
    out += text[i];
  }
  return out;
}

// List lines with Win32 tab stops shown as wide gaps.
QString ListLine(const std::u16string& line) { return ToQt(line).replace(u'\t', QStringLiteral("    ")); }

// A one-line text wider than its control, as the desktop font is wider
// than the one the dialogs were drawn for, gets a smaller font until it
// fits (down to 6 points) rather than being cut.
void FitText(QWidget* widget, const QString& text, int room) {
  QFont font = widget->parentWidget() != nullptr ? widget->parentWidget()->font() : widget->font();
  const QString plain = WithoutPrefix(text);
  while (QFontMetrics(font).horizontalAdvance(plain) > room && font.pointSizeF() > 6.0) {
    font.setPointSizeF(font.pointSizeF() - 0.5);
  }
  widget->setFont(font);
}

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

int VirtualKeyOf(int key) {
  switch (key) {
    case Qt::Key_Return:
    case Qt::Key_Enter: return VK_RETURN;
    case Qt::Key_Escape: return VK_ESCAPE;
    case Qt::Key_F1: return VK_F1;
    case Qt::Key_Delete: return VK_DELETE;
    case Qt::Key_Home: return VK_HOME;
    case Qt::Key_End: return VK_END;
    case Qt::Key_Left: return VK_LEFT;
    case Qt::Key_Right: return VK_RIGHT;
    default: return 0;
  }
}

}  // namespace

Mirror::Mirror(std::function<void(Step)> take, bool scripted) : take_(std::move(take)), scripted_(scripted) {}

Mirror::~Mirror() {
  for (auto& [handle, entry] : entries_) {
    if (entry.top == handle && entry.kind != Kind::Page && entry.widget) delete entry.widget.data();
  }
}

void Mirror::Take(Step step) {
  if (syncing_ == 0) take_(std::move(step));
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

static const tq::res::DialogTemplate* TemplateOf(HWND dialog) {
  const auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(dialog, GWLP_HINSTANCE));
  const int id = TemplateId(dialog);
  return id == 0 ? nullptr : tq::res::FindDialog(instance, MAKEINTRESOURCEW(id));
}

static QFont FontOf(const tq::res::DialogTemplate* dialogTemplate) {
  if (dialogTemplate != nullptr && (dialogTemplate->style & DS_SETFONT)) {
    return DialogFont(dialogTemplate->fontName, dialogTemplate->fontPointSize);
  }
  return DialogFont(nullptr, 0);
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
  widget->setFixedSize(ClientSize(dialog, dialogTemplate));
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
  auto* tabs = new QTabWidget(widget);
  tabs->setFocusPolicy(Qt::NoFocus);
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
  auto* buttons = new QHBoxLayout();
  buttons->addStretch(1);
  layout->addLayout(buttons);
  // The sheet's own buttons, in their order, at the bottom right.
  const QRect button = DialogUnitsToPixels(units, 0, 0, 50, 14);
  for (HWND child = GetWindow(sheet, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
    if (StyleOf(child) & WS_CHILD && TemplateId(child) != 0) continue;  // a page
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
  // The first tab of this template that holds no page yet.
  const std::vector<int>& templates = tabs_[sheet];
  QWidget* room = nullptr;
  for (size_t i = 0; i < templates.size() && room == nullptr; ++i) {
    QWidget* candidate = tabs->widget(static_cast<int>(i));
    if (templates[i] == TemplateId(page) && candidate->children().isEmpty()) room = candidate;
  }
  if (room == nullptr) return;
  const tq::res::DialogTemplate* dialogTemplate = TemplateOf(page);
  const BaseUnits units = UnitsOf(sheet);
  units_[page] = units;
  auto* widget = new QWidget(room);
  Register(page, widget, Kind::Page, page);
  widget->setFixedSize(ClientSize(page, dialogTemplate));
  room->setFixedSize(room->size().expandedTo(widget->size()));
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

QWidget* Mirror::MakeControl(HWND control, Kind kind, QWidget* container) {
  const DWORD style = StyleOf(control);
  QWidget* widget = nullptr;
  switch (kind) {
    case Kind::Edit: {
      auto* edit = new QLineEdit(container);
      if (style & ES_PASSWORD) edit->setEchoMode(QLineEdit::Password);
      if (style & ES_CENTER) edit->setAlignment(Qt::AlignHCenter);
      if (style & ES_RIGHT) edit->setAlignment(Qt::AlignRight);
      edit->setFrame((style & WS_BORDER) != 0);
      edit->setContextMenuPolicy(Qt::NoContextMenu);
      edit->setAcceptDrops(false);
      // A selection made with the mouse becomes the layer's.
      const auto selected = [this, control, edit] {
        if (scripted_ || syncing_ != 0) return;
        const int start = edit->hasSelectedText() ? edit->selectionStart() : edit->cursorPosition();
        const int end = edit->hasSelectedText() ? edit->selectionEnd() : edit->cursorPosition();
        Take([control, start, end](std::string*) { return SendMessageW(control, EM_SETSEL, start, end), true; });
      };
      QObject::connect(edit, &QLineEdit::selectionChanged, this, selected);
      QObject::connect(edit, &QLineEdit::cursorPositionChanged, this, selected);
      widget = edit;
      break;
    }
    case Kind::MultiEdit: {
      auto* edit = new QPlainTextEdit(container);
      edit->setContextMenuPolicy(Qt::NoContextMenu);
      edit->setAcceptDrops(false);
      edit->setTabChangesFocus(true);
      widget = edit;
      break;
    }
    case Kind::List: {
      auto* list = new QListWidget(container);
      if (style & LBS_NOSEL) {
        list->setSelectionMode(QAbstractItemView::NoSelection);
      } else if (style & LBS_EXTENDEDSEL) {
        list->setSelectionMode(QAbstractItemView::ExtendedSelection);
      } else if (style & LBS_MULTIPLESEL) {
        list->setSelectionMode(QAbstractItemView::MultiSelection);
      } else {
        list->setSelectionMode(QAbstractItemView::SingleSelection);
      }
      list->setUniformItemSizes(true);
      QObject::connect(list, &QListWidget::itemSelectionChanged, this, [this, control, list] {
        std::vector<int> rows;
        for (const QModelIndex& index : list->selectionModel()->selectedRows()) rows.push_back(index.row());
        std::sort(rows.begin(), rows.end());
        ListChosen(control, rows);
      });
      QObject::connect(list, &QListWidget::itemDoubleClicked, this,
                       [this, control, list](QListWidgetItem* item) { ListDoubleClicked(control, list->row(item)); });
      widget = list;
      break;
    }
    case Kind::Combo: {
      auto* combo = new QComboBox(container);
      combo->setEditable((style & 0x3) == CBS_DROPDOWN || (style & 0x3) == CBS_SIMPLE);
      QObject::connect(combo, &QComboBox::activated, this, [this, control](int index) { ComboChosen(control, index); });
      widget = combo;
      break;
    }
    case Kind::Push: {
      auto* button = new QPushButton(container);
      button->setAutoDefault(false);
      QObject::connect(button, &QPushButton::clicked, this, [this, control] { ButtonClicked(control); });
      widget = button;
      break;
    }
    case Kind::Check: {
      auto* box = new QCheckBox(container);
      box->setTristate((style & BS_TYPEMASK) == BS_3STATE || (style & BS_TYPEMASK) == BS_AUTO3STATE);
      if (style & BS_LEFTTEXT) box->setLayoutDirection(Qt::RightToLeft);
      QObject::connect(box, &QCheckBox::clicked, this, [this, control] { ButtonClicked(control); });
      widget = box;
      break;
    }
    case Kind::Radio: {
      auto* radio = new QRadioButton(container);
      radio->setAutoExclusive(false);  // the layer checks and unchecks the group
      if (style & BS_LEFTTEXT) radio->setLayoutDirection(Qt::RightToLeft);
      QObject::connect(radio, &QRadioButton::clicked, this, [this, control] { ButtonClicked(control); });
      widget = radio;
      break;
    }
    case Kind::Group: {
      auto* group = new QGroupBox(container);
      group->setAttribute(Qt::WA_TransparentForMouseEvents);
      group->setFocusPolicy(Qt::NoFocus);
      widget = group;
      break;
    }
    case Kind::Picture: {
      auto* picture = new QLabel(container);
      picture->setAlignment((style & SS_CENTERIMAGE) ? Qt::AlignCenter : Qt::AlignLeft | Qt::AlignTop);
      widget = picture;
      break;
    }
    case Kind::Frame: {
      auto* frame = new QFrame(container);
      switch (style & SS_TYPEMASK) {
        case SS_ETCHEDHORZ: frame->setFrameStyle(QFrame::HLine | QFrame::Sunken); break;
        case SS_ETCHEDVERT: frame->setFrameStyle(QFrame::VLine | QFrame::Sunken); break;
        case SS_BLACKRECT:
        case SS_GRAYRECT:
        case SS_WHITERECT: {
          frame->setAutoFillBackground(true);
          QPalette palette = frame->palette();
          const DWORD type = style & SS_TYPEMASK;
          palette.setColor(QPalette::Window, type == SS_BLACKRECT ? Qt::black : type == SS_GRAYRECT ? Qt::gray : Qt::white);
          frame->setPalette(palette);
          break;
        }
        default: frame->setFrameStyle(QFrame::Box | QFrame::Sunken); break;
      }
      widget = frame;
      break;
    }
    case Kind::Label:
    default: {
      auto* label = new QLabel(container);
      const DWORD type = style & SS_TYPEMASK;
      label->setWordWrap(type != SS_LEFTNOWORDWRAP && type != SS_SIMPLE);
      Qt::Alignment align = Qt::AlignTop;
      align |= type == SS_CENTER ? Qt::AlignHCenter : type == SS_RIGHT ? Qt::AlignRight : Qt::AlignLeft;
      if (style & SS_CENTERIMAGE) align = (align & ~Qt::AlignTop) | Qt::AlignVCenter;
      label->setAlignment(align);
      if (style & SS_SUNKEN) label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
      label->setTextFormat(Qt::PlainText);
      widget = label;
      break;
    }
  }
  const bool takesFocus = kind == Kind::Edit || kind == Kind::MultiEdit || kind == Kind::List || kind == Kind::Combo ||
                          kind == Kind::Push || kind == Kind::Check || kind == Kind::Radio;
  widget->setFocusPolicy(takesFocus ? Qt::StrongFocus : Qt::NoFocus);
  widget->installEventFilter(this);
  return widget;
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

// ---- State onto the widgets --------------------------------------------------------

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
  --syncing_;
}

void Mirror::Sync(HWND window, Entry& entry) {
  QWidget* widget = entry.widget.data();
  QSignalBlocker quiet(widget);
  const DWORD style = StyleOf(window);
  switch (entry.kind) {
    case Kind::Dialog:
    case Kind::Sheet: return SyncTop(window, entry);
    case Kind::Page: break;
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
  widget->setEnabled(IsWindowEnabled(window) != FALSE);
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
  if (auto* line = qobject_cast<QLineEdit*>(entry.widget.data())) {
    if (line->text() != ToQt(text)) line->setText(ToQt(text));
    line->setReadOnly((style & ES_READONLY) != 0);
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
    box->setReadOnly((style & ES_READONLY) != 0);
  }
  entry.text = text;
}

void Mirror::SyncList(HWND list, Entry& entry) {
  auto* widget = static_cast<QListWidget*>(entry.widget.data());
  const std::vector<std::u16string> items = ItemTexts(list);
  bool same = widget->count() == static_cast<int>(items.size());
  for (int i = 0; same && i < widget->count(); ++i) same = widget->item(i)->text() == ListLine(items[static_cast<size_t>(i)]);
  if (!same) {
    widget->clear();
    for (const std::u16string& item : items) widget->addItem(ListLine(item));
  }
  const std::vector<int> selected = SelectedItems(list);
  QItemSelection selection;
  for (int row : selected) {
    const QModelIndex index = widget->model()->index(row, 0);
    selection.select(index, index);
  }
  QSignalBlocker quietModel(widget->selectionModel());
  if (widget->selectionModel()->selection() != selection) {
    widget->selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
  }
  const LRESULT caret = SendMessageW(list, LB_GETCARETINDEX, 0, 0);
  const int current = caret >= 0 && caret < widget->count() ? static_cast<int>(caret) : (selected.empty() ? -1 : selected.front());
  if (current >= 0) widget->selectionModel()->setCurrentIndex(widget->model()->index(current, 0), QItemSelectionModel::NoUpdate);
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

void Mirror::SyncFocus() {
  const HWND focus = GetFocus();
  QWidget* widget = WidgetOf(focus);
  if (widget == nullptr || !widget->isVisible() || widget->hasFocus()) return;
  const HWND active = ActiveModalWindow();
  if (active != nullptr && TopWidgetOf(active) != widget->window()) return;
  widget->setFocus(Qt::OtherFocusReason);
}

// ---- Input from the widgets ---------------------------------------------------------

void Mirror::ListChosen(HWND list, const std::vector<int>& rows) {
  Take([list, rows](std::string* why) { return SelectItems(list, rows, why); });
}

void Mirror::ListDoubleClicked(HWND list, int row) {
  Take([list, row](std::string* why) { return DoubleClickItem(list, row, why); });
}

void Mirror::ComboChosen(HWND combo, int index) {
  Take([combo, index](std::string* why) { return SelectItems(combo, {index}, why); });
}

void Mirror::ButtonClicked(HWND button) {
  Take([button](std::string* why) { return ClickButton(button, why); });
}

void Mirror::KeyPressed(HWND control, int virtualKey) {
  Take([control, virtualKey](std::string* why) { return PressKey(control, virtualKey, why); });
}

void Mirror::TabChosen(HWND sheet, int index) {
  const int templateId = TabTemplate(sheet, index);
  Take([sheet, templateId](std::string* why) { return ShowSheetPage(sheet, templateId, why); });
}

void Mirror::CloseAsked(HWND dialog) {
  Take([dialog](std::string*) {
    SendMessageW(dialog, WM_CLOSE, 0, 0);
    return true;
  });
}

bool Mirror::DialogKey(HWND control, QKeyEvent* key) {
  switch (key->key()) {
    case Qt::Key_Tab:
    case Qt::Key_Backtab: {
      // The dialog manager's Tab: the next tab stop in template order.
      auto found = entries_.find(control);
      const HWND dialog = found != entries_.end() ? found->second.top : GetParent(control);
      const bool back = key->key() == Qt::Key_Backtab || (key->modifiers() & Qt::ShiftModifier);
      Take([dialog, back](std::string*) {
        SendMessageW(dialog, WM_NEXTDLGCTL, back ? 1 : 0, 0);
        return true;
      });
      return true;
    }
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape:
    case Qt::Key_F1:
      KeyPressed(control, VirtualKeyOf(key->key()));
      return true;
    default: return false;
  }
}

bool Mirror::GroupKey(HWND control, QKeyEvent* key) {
  bool back = false;
  switch (key->key()) {
    case Qt::Key_Up:
    case Qt::Key_Left: back = true; break;
    case Qt::Key_Down:
    case Qt::Key_Right: break;
    default: return false;
  }
  // The dialog manager's arrows: the next control of the group gets the
  // focus, and an automatic radio button reached so is checked.
  auto found = entries_.find(control);
  const HWND dialog = found != entries_.end() ? found->second.top : GetParent(control);
  Take([dialog, control, back](std::string* why) {
    const HWND next = GetNextDlgGroupItem(dialog, control, back ? TRUE : FALSE);
    if (next == nullptr || next == control) return true;
    SendMessageW(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(next), TRUE);
    if ((StyleOf(next) & BS_TYPEMASK) == BS_AUTORADIOBUTTON && SameName(ClassOf(next), WC_BUTTONW)) {
      return ClickButton(next, why);
    }
    return true;
  });
  return true;
}

bool Mirror::EditKey(HWND edit, QWidget* widget, QKeyEvent* key) {
  auto* line = qobject_cast<QLineEdit*>(widget);
  // Keys act at the layer's selection: a person's mouse selection reached
  // it already, and keys typed ahead must not all land where the first did.
  const auto at = [edit] {
    if (GetFocus() != edit) SetFocus(edit);
  };
  const bool shift = (key->modifiers() & Qt::ShiftModifier) != 0;
  if (key->matches(QKeySequence::Paste)) {
    const std::u16string text = QGuiApplication::clipboard()->text().toStdU16String();
    Take([at, edit, text](std::string*) {
      at();
      if (!(StyleOf(edit) & ES_READONLY)) SendMessageW(edit, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text.c_str()));
      return true;
    });
    return true;
  }
  if (key->matches(QKeySequence::SelectAll)) {
    Take([edit](std::string*) { return SendMessageW(edit, EM_SETSEL, 0, -1), true; });
    return true;
  }
  if (key->matches(QKeySequence::Copy)) return line != nullptr && line->echoMode() == QLineEdit::Password;
  if (key->matches(QKeySequence::Cut)) {
    if (line != nullptr && line->echoMode() != QLineEdit::Password) line->copy();
    Take([at, edit](std::string*) { return at(), SendMessageW(edit, WM_KEYDOWN, VK_DELETE, 1), true; });
    return true;
  }
  switch (key->key()) {
    case Qt::Key_Backspace:
      Take([at, edit](std::string*) { return at(), SendMessageW(edit, WM_CHAR, VK_BACK, 1), true; });
      return true;
    case Qt::Key_Delete:
    case Qt::Key_Home:
    case Qt::Key_End:
    case Qt::Key_Left:
    case Qt::Key_Right: {
      const int virtualKey = VirtualKeyOf(key->key());
      Take([at, edit, virtualKey, shift](std::string*) {
        at();
        SHORT held = GetKeyState(VK_CONTROL);
        HoldModifiers(shift, (held & 0x8000) != 0);
        SendMessageW(edit, WM_KEYDOWN, static_cast<WPARAM>(virtualKey), 1);
        return true;
      });
      return true;
    }
    case Qt::Key_Return:
    case Qt::Key_Enter:
      if ((StyleOf(edit) & (ES_MULTILINE | ES_WANTRETURN)) == (ES_MULTILINE | ES_WANTRETURN)) {
        Take([at, edit](std::string*) {
          at();
          SendMessageW(edit, WM_CHAR, u'\r', 1);
          SendMessageW(edit, WM_CHAR, u'\n', 1);
          return true;
        });
        return true;
      }
      return DialogKey(edit, key);
    default: break;
  }
  if (DialogKey(edit, key)) return true;
  const QString text = key->text();
  if (!text.isEmpty() && !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) && text[0].isPrint()) {
    const std::u16string typed = text.toStdU16String();
    Take([at, edit, typed](std::string*) {
      at();
      for (char16_t c : typed) {
        if (!IsWindow(edit)) break;
        SendMessageW(edit, WM_CHAR, c, 1);
      }
      return true;
    });
  }
  // Alt+letter reaches the mnemonics; every other key stays with the layer.
  return !(key->modifiers() & Qt::AltModifier);
}

bool Mirror::eventFilter(QObject* watched, QEvent* event) {
  const HWND control = HandleOf(watched);
  if (control == nullptr || syncing_ != 0) return QObject::eventFilter(watched, event);
  const Kind kind = KindOf(control);
  auto* widget = static_cast<QWidget*>(watched);
  switch (event->type()) {
    case QEvent::KeyPress: {
      auto* key = static_cast<QKeyEvent*>(event);
      if (kind == Kind::Edit || kind == Kind::MultiEdit) return EditKey(control, widget, key);
      if (kind == Kind::List && key->key() == Qt::Key_Delete) {
        KeyPressed(control, VK_DELETE);
        return true;
      }
      if (kind == Kind::Push && (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter)) {
        KeyPressed(control, VK_RETURN);
        return true;
      }
      if ((kind == Kind::Push || kind == Kind::Check || kind == Kind::Radio) && GroupKey(control, key)) return true;
      return DialogKey(control, key);
    }
    case QEvent::InputMethod: {
      if (kind != Kind::Edit && kind != Kind::MultiEdit) break;
      const std::u16string typed = static_cast<QInputMethodEvent*>(event)->commitString().toStdU16String();
      if (!typed.empty()) {
        Take([control, typed](std::string*) {
          if (GetFocus() != control) SetFocus(control);
          for (char16_t c : typed) SendMessageW(control, WM_CHAR, c, 1);
          return true;
        });
      }
      return true;
    }
    case QEvent::FocusIn: {
      // A click or a mnemonic moves the focus; the layer's own moves and a
      // window coming back to the front do not ask for anything.
      const auto reason = static_cast<QFocusEvent*>(event)->reason();
      if (scripted_ || GetFocus() == control) break;
      if (reason == Qt::MouseFocusReason) {
        Take([control](std::string*) { return SetFocus(control), true; });
      } else if (reason == Qt::ShortcutFocusReason) {
        // A label's mnemonic: the dialog manager moves there as Tab does.
        const HWND dialog = GetParent(control);
        Take([dialog, control](std::string*) {
          SendMessageW(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(control), TRUE);
          return true;
        });
      }
      break;
    }
    case QEvent::MouseButtonPress:
      // The X selection paste would change the text behind the layer's back.
      if ((kind == Kind::Edit || kind == Kind::MultiEdit) &&
          static_cast<QMouseEvent*>(event)->button() == Qt::MiddleButton) {
        return true;
      }
      break;
    default: break;
  }
  return QObject::eventFilter(watched, event);
}

}  // namespace tq::ui::qt
