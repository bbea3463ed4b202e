// The widget of each control class, and what a person's use of it asks
// of the layer.
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QScrollBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

#include "list_lines.h"
#include "win/updown.h"
#include "window_facts.h"
#include "window_mirror.h"

namespace tq::ui::qt {

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
      auto* list = new QListView(container);
      list->setModel(new ListLines(control, list));
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
      list->setEditTriggers(QAbstractItemView::NoEditTriggers);
      QObject::connect(list->selectionModel(), &QItemSelectionModel::selectionChanged, this, [this, control, list] {
        std::vector<int> rows;
        for (const QModelIndex& index : list->selectionModel()->selectedRows()) rows.push_back(index.row());
        std::sort(rows.begin(), rows.end());
        ListChosen(control, rows);
      });
      QObject::connect(list->verticalScrollBar(), &QScrollBar::valueChanged, this, [this, control, list] {
        const int top = list->indexAt(QPoint(1, 1)).row();
        if (top >= 0) ListScrolled(control, top);
      });
      QObject::connect(list, &QListView::doubleClicked, this,
                       [this, control](const QModelIndex& index) { ListDoubleClicked(control, index.row()); });
      widget = list;
      break;
    }
    case Kind::Combo: {
      auto* combo = new QComboBox(container);
      // The layer's combo boxes take no typing: their edit only shows the text.
      combo->setEditable((style & 0x3) == CBS_DROPDOWN || (style & 0x3) == CBS_SIMPLE);
      if (combo->lineEdit() != nullptr) combo->lineEdit()->setReadOnly(true);
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
    case Kind::Spin: {
      // Two arrows, one above the other, each a click of the layer's
      // up-down control.
      auto* arrows = new QWidget(container);
      auto* column = new QVBoxLayout(arrows);
      column->setContentsMargins(0, 0, 0, 0);
      column->setSpacing(0);
      for (const bool up : {true, false}) {
        auto* arrow = new QToolButton(arrows);
        arrow->setArrowType(up ? Qt::UpArrow : Qt::DownArrow);
        arrow->setFocusPolicy(Qt::NoFocus);
        arrow->setAutoRepeat(true);
        arrow->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
        arrow->setObjectName(up ? QStringLiteral("up") : QStringLiteral("down"));
        column->addWidget(arrow);
        QObject::connect(arrow, &QToolButton::clicked, this, [this, control, up] {
          if (InDisabledWindow(control)) return;
          Take([control, up](std::string* why) { return SpinArrow(control, up ? 1 : -1, why); });
        });
      }
      widget = arrows;
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
}  // namespace tq::ui::qt
