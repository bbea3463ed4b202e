// The Qt widgets that show the layer's windows. The layer owns every
// window's state; the mirror makes one widget per dialog, page, sheet and
// control, copies the state onto them (text, enabled, visible, checked,
// items, selection, focus, captions), and turns what a person does to a
// widget into an input step: one call of the layer, run by the face when
// the modal loop asks for input. Nothing a widget does by itself changes
// the layer; the next sync puts the layer's state back on it.
#pragma once

#include <QObject>
#include <QPointer>
#include <QWidget>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "dialog_units.h"
#include "win/user.h"
#include "win/user_input.h"

class QDialog;
class QTabWidget;

namespace tq::res {
struct DialogTemplate;
}

namespace tq::ui::qt {

// One call of the layer for a person's or a script's input; false with the
// layer's reason when the window could not take it.
using Step = std::function<bool(std::string* why)>;

enum class Kind { Dialog, Sheet, Page, Tabs, Spin, Edit, MultiEdit, List, Combo, Push, Check, Radio, Group, Label, Picture, Frame };

class Mirror final : public QObject {
 public:
  // `take` receives every input step, in order.
  Mirror(std::function<void(Step)> take, bool scripted);
  ~Mirror() override;

  // The next top-level dialog or sheet is made by a modal call.
  void ExpectModal() { nextModal_ = true; }
  void Created(HWND window);
  void Destroyed(HWND window);
  // Raises and activates a shown top-level window (SetForegroundWindow).
  void BringForward(HWND window);
  void Moved(HWND window);
  // A list's lines changed: the next sync reads them again.
  void ItemsChanged(HWND window);

  // Copies the layer's state onto every widget, making the widgets of
  // windows that have none yet.
  void SyncAll();

  QWidget* WidgetOf(HWND window) const;
  Kind KindOf(HWND window) const;
  // The top-level widget (dialog or sheet) that shows `window`.
  QWidget* TopWidgetOf(HWND window) const;
  QTabWidget* TabsOf(HWND sheet) const;
  // The template of the page shown by tab `index` of a sheet; 0 for none.
  int TabTemplate(HWND sheet, int index) const;
  BaseUnits UnitsOf(HWND topLevel) const;

  // The handlers behind the widgets' signals, also used by the script
  // driver so that a script takes the very path a person's input takes.
  void ListChosen(HWND list, const std::vector<int>& rows);
  // The view was scrolled by the wheel or the scroll bar: the list's top
  // line follows, so that the layer scrolls from where the person sees it.
  void ListScrolled(HWND list, int top);
  void ListDoubleClicked(HWND list, int row);
  void ComboChosen(HWND combo, int index);
  void ButtonClicked(HWND button);
  void KeyPressed(HWND control, int virtualKey);
  // A key with the modifiers of its event (they reach GetKeyState).
  void KeyPressed(HWND control, int virtualKey, Qt::KeyboardModifiers modifiers);
  void TabChosen(HWND sheet, int index);
  void CloseAsked(HWND dialog);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  struct Entry {
    QPointer<QWidget> widget;
    Kind kind = Kind::Label;
    HWND top = nullptr;      // the dialog or page that holds a control; itself for those
    bool moved = false;      // the program moved it: place from the layer's rectangle
    QRect templateRect;      // in dialog units, when the template is known
    std::u16string text;     // last text shown, to skip unchanged updates
    int listTop = -1;        // a list's top line and caret last shown, so that
    int listCaret = -1;      // it scrolls when the layer's change, not otherwise
    // A list's lines changed since they were last shown: only then are
    // they read and compared, a long list being costly to read at every sync.
    bool itemsChanged = true;
  };

  void Take(Step step);
  Entry& Register(HWND window, QWidget* widget, Kind kind, HWND top);
  QDialog* MakeTopWidget(HWND window, Kind kind, Qt::WindowFlags extra, const QFont& font);
  QSize ClientSize(HWND window, const tq::res::DialogTemplate* dialogTemplate) const;
  void BuildDialog(HWND dialog);
  void BuildSheet(HWND sheet);
  void BuildPage(HWND page);
  void BuildControls(HWND dialog, QWidget* container, const BaseUnits& units);
  QWidget* MakeControl(HWND control, Kind kind, QWidget* container);
  void Place(HWND control, Entry& entry, const BaseUnits& units);
  void LayOutSheet(HWND sheet);
  void Sync(HWND window, Entry& entry);
  void SyncTop(HWND window, Entry& entry);
  void SyncEdit(HWND edit, Entry& entry);
  void SyncList(HWND list, Entry& entry);
  void SyncCombo(HWND combo, Entry& entry);
  void SyncButton(HWND button, Entry& entry);
  void SyncStatic(HWND control, Entry& entry);
  // The bitmaps a page painted, beneath its controls.
  void SyncPainted(HWND page, Entry& entry);
  void SyncFocus();
  // Keyboard cues (focus marks) show in a window from its first keyboard
  // navigation on, as the dialog manager shows them.
  void ShowCues(HWND control);
  bool CuesShown(QWidget* window) const;
  // True for input to a widget of a window the layer disabled (the owner
  // of a modal window): the widgets keep their look but take nothing.
  bool EditKey(HWND edit, QWidget* widget, class QKeyEvent* key);
  bool DialogKey(HWND control, class QKeyEvent* key);
  bool GroupKey(HWND control, class QKeyEvent* key);
  // Keys the layer takes for every control: Tab, the sheet's page keys,
  // Alt+letter; the arrows and paging keys of lists and the tab row.
  bool LayerKey(HWND control, Kind kind, class QKeyEvent* key);
  HWND HandleOf(QObject* object) const;
  void RaiseWhatHolds(HWND control) const;
  bool InDisabledWindow(HWND control) const;
  bool ButtonMnemonic(HWND control, QWidget* widget);

  std::function<void(Step)> take_;
  bool scripted_;
  bool nextModal_ = false;
  int syncing_ = 0;
  bool untaken_ = false;  // input was taken that the widgets do not show yet
  std::map<HWND, Entry> entries_;
  std::map<QObject*, HWND> handles_;
  std::map<HWND, BaseUnits> units_;           // per dialog, page and sheet
  std::map<HWND, std::vector<HWND>> pages_;   // per sheet, in the order they were made
  std::map<HWND, std::vector<int>> tabs_;     // per sheet: each tab's page template
};

}  // namespace tq::ui::qt
