#include "modal_dialogs.h"

#include <QAbstractButton>
#include <QPushButton>

#include "face_looks.h"

namespace tq::ui::qt {
namespace {

constexpr char kAnswer[] = "tqAnswer";
constexpr DWORD kOverwritePrompt = 0x00000002u;  // OFN_OVERWRITEPROMPT
constexpr DWORD kFileMustExist = 0x00001000u;    // OFN_FILEMUSTEXIST

}  // namespace

std::unique_ptr<QMessageBox> MakeMessageBox(const MessageBoxCall& call, QWidget* parent) {
  auto box = std::make_unique<QMessageBox>(parent);
  box->setWindowTitle(QString::fromStdU16String(call.caption));
  box->setText(QString::fromStdU16String(call.text));
  box->setTextFormat(Qt::PlainText);
  box->setIcon(BoxIconOf(call.icon));
  box->setWindowModality(Qt::ApplicationModal);
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
