#include "face_looks.h"

#include <QDir>
#include <QFileInfo>

#include "texts.h"

namespace tq::ui::qt {

std::vector<BoxButton> BoxButtonsOf(BoxButtons buttons) {
  const BoxButton ok{IDOK, QStringLiteral("OK"), QMessageBox::AcceptRole};
  const BoxButton cancel{IDCANCEL, QString::fromUtf16(texts::kCancelButton), QMessageBox::RejectRole};
  const BoxButton yes{IDYES, QString::fromUtf16(texts::kYesButton), QMessageBox::YesRole};
  const BoxButton no{IDNO, QString::fromUtf16(texts::kNoButton), QMessageBox::NoRole};
  switch (buttons) {
    case BoxButtons::OkCancel: return {ok, cancel};
    case BoxButtons::YesNo: return {yes, no};
    case BoxButtons::YesNoCancel: return {yes, no, cancel};
    case BoxButtons::Ok: break;
  }
  return {ok};
}

QMessageBox::Icon BoxIconOf(BoxIcon icon) {
  switch (icon) {
    case BoxIcon::Error: return QMessageBox::Critical;
    case BoxIcon::Warning: return QMessageBox::Warning;
    case BoxIcon::Question: return QMessageBox::Question;
    case BoxIcon::Information: return QMessageBox::Information;
    case BoxIcon::None: break;
  }
  return QMessageBox::NoIcon;
}

int EscapeAnswer(BoxButtons buttons) {
  switch (buttons) {
    case BoxButtons::Ok: return IDOK;
    case BoxButtons::OkCancel:
    case BoxButtons::YesNoCancel: return IDCANCEL;
    case BoxButtons::YesNo: break;
  }
  return 0;
}

QStringList NameFilters(const FileDialogCall& call) {
  QStringList filters;
  for (const auto& [description, patterns] : call.filters) {
    QStringList globs = QString::fromStdU16String(patterns).split(u';', Qt::SkipEmptyParts);
    for (QString& glob : globs) glob = glob.trimmed();
    filters << QString::fromStdU16String(description) + QStringLiteral(" (") + globs.join(u' ') + u')';
  }
  return filters;
}

QString FileDialogTitle(const FileDialogCall& call) {
  if (!call.title.empty()) return QString::fromStdU16String(call.title);
  return QString::fromUtf16(call.save ? texts::kSaveAsTitle : texts::kOpenTitle);
}

QUrl HelpPage(const std::u16string& file, UINT command, DWORD context, const QString& helpFolder) {
  if (command == HELP_QUIT || file.empty()) return {};
  QString name = QString::fromStdU16String(file);
  name.replace(u'\\', u'/');
  const QFileInfo given(name);
  const QString page = given.completeBaseName() + QStringLiteral(".html");
  const QString folder = given.path() != QStringLiteral(".") ? given.path() : helpFolder;
  QUrl url = QUrl::fromLocalFile(QDir(folder).filePath(page));
  switch (command) {
    case HELP_CONTEXT:
    case HELP_CONTEXTPOPUP:
    case HELP_WM_HELP:
    case HELP_CONTEXTMENU:
      if (context != 0) url.setFragment(QStringLiteral("context-%1").arg(context));
      break;
    default: break;
  }
  return url;
}

DWORD ContextOfControl(int controlId, const DWORD* pairs) {
  if (pairs == nullptr) return 0;
  for (; pairs[0] != 0 || pairs[1] != 0; pairs += 2) {
    if (static_cast<int>(pairs[0]) == controlId) return pairs[1];
  }
  return 0;
}

}  // namespace tq::ui::qt
