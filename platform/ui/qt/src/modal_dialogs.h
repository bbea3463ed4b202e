// Qt's message boxes and file dialogs for the layer's modal calls.
#pragma once

#include <QFileDialog>
#include <QMessageBox>
#include <memory>

#include "win/face.h"

namespace tq::ui::qt {

// A box with the call's caption, text, icon and Win32's buttons, its
// default button and its Escape button; each button carries its answer.
std::unique_ptr<QMessageBox> MakeMessageBox(const MessageBoxCall& call, QWidget* parent);
// The answer of the button pressed; a box closed otherwise answers as
// Escape would, or with its default when Escape has no button.
int AnswerOf(QMessageBox& box, const MessageBoxCall& call);
void PressAnswer(QMessageBox& box, int answer);

// Qt's file dialog with the call's title, folder, name, filters and default
// extension. A scripted one is Qt's own (never the desktop's) and takes any
// name, as the layer checks the answer itself.
std::unique_ptr<QFileDialog> MakeFileDialog(const FileDialogCall& call, QWidget* parent, bool scripted);

}  // namespace tq::ui::qt
