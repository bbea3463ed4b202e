#include "modal_dialogs.h"

#include <QAbstractButton>
#include <QFontMetrics>
#include <QGridLayout>
#include <QGuiApplication>
#include <QPushButton>
#include <QScreen>
#include <QSpacerItem>
#include <algorithm>

#include "face_looks.h"

namespace tq::ui::qt {
namespace {

constexpr char kAnswer[] = "tqAnswer";
constexpr DWORD kOverwritePrompt = 0x00000002u;  // OFN_OVERWRITEPROMPT
constexpr DWORD kFileMustExist = 0x00001000u;    // OFN_FILEMUSTEXIST
constexpr int kTitleBarRoom = 120;  // pixels: the window menu and the close box

// The box is made wide enough for its whole caption (with room for the
// title bar's icon and buttons), as far as the screen allows; Qt sizes it
// by its text alone.
void WidenForCaption(QMessageBox& box) {
  QFont titleFont = box.font();
  titleFont.setBold(true);
  int wanted = QFontMetrics(titleFont).horizontalAdvance(box.windowTitle()) + kTitleBarRoom;
  if (QScreen* screen = QGuiApplication::primaryScreen()) wanted = std::min(wanted, screen->availableGeometry().width());
  auto* grid = qobject_cast<QGridLayout*>(box.layout());
  if (grid == nullptr) return;
  grid->addItem(new QSpacerItem(wanted, 0, QSizePolicy::Minimum, QSizePolicy::Minimum), grid->rowCount(), 0, 1,
                grid->columnCount());
}

}  // namespace

std::unique_ptr<QMessageBox> MakeMessageBox(const MessageBoxCall& call, QWidget* parent) {
  auto box = std::make_unique<QMessageBox>(parent);
  box->setWindowTitle(QString::fromStdU16String(call.caption));
  box->setText(QString::fromStdU16String(call.text));
  box->setTextFormat(Qt::PlainText);
  box->setIcon(BoxIconOf(call.icon));
  box->setWindowModality(Qt::ApplicationModal);
  // A box is a fixed dialog: a title and a close box, nothing to maximize.
  box->setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
  WidenForCaption(*box);
  // A system-modal box stays above every window.
  if (call.type & (MB_SYSTEMMODAL | MB_TOPMOST)) box->setWindowFlag(Qt::WindowStaysOnTopHint);
  const int escape = EscapeAnswer(call.buttons);
  for (const BoxButton& spec : BoxButtonsOf(call.buttons)) {
    QPushButton* button = box->addButton(spec.label, spec.role);
    button->setProperty(kAnswer, spec.answer);
    if (spec.answer == call.defaultAnswer) box->setDefaultButton(button);
    if (spec.answer == escape) box->setEscapeButton(button);
  }
  return box;
}

int AnswerOf(QMessageBox& box, const MessageBoxCall& call) {
  if (QAbstractButton* clicked = box.clickedButton()) return clicked->property(kAnswer).toInt();
  const int escape = EscapeAnswer(call.buttons);
  return escape != 0 ? escape : call.defaultAnswer;
}

void PressAnswer(QMessageBox& box, int answer) {
  for (QAbstractButton* button : box.buttons()) {
    if (button->property(kAnswer).toInt() == answer) button->click();
  }
}

std::unique_ptr<QFileDialog> MakeFileDialog(const FileDialogCall& call, QWidget* parent, bool scripted) {
  auto dialog = std::make_unique<QFileDialog>(parent, FileDialogTitle(call), QString::fromStdU16String(call.initialDir));
  dialog->setAcceptMode(call.save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  const bool mustExist = !call.save && (call.flags & kFileMustExist) && !scripted;
  dialog->setFileMode(mustExist ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
  if (scripted) dialog->setOption(QFileDialog::DontUseNativeDialog);
  if (!(call.flags & kOverwritePrompt)) dialog->setOption(QFileDialog::DontConfirmOverwrite);
  const QStringList filters = NameFilters(call);
  if (!filters.isEmpty()) {
    dialog->setNameFilters(filters);
    if (call.filterIndex >= 0 && call.filterIndex < filters.size()) dialog->selectNameFilter(filters[call.filterIndex]);
  }
  if (!call.fileName.empty()) dialog->selectFile(QString::fromStdU16String(call.fileName));
  if (!call.defaultExt.empty()) dialog->setDefaultSuffix(QString::fromStdU16String(call.defaultExt));
  return dialog;
}

}  // namespace tq::ui::qt
