#include "face_looks.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QScreen>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <algorithm>

#include "texts.h"
#include "win/system_texts.h"

namespace tq::ui::qt {

std::vector<BoxButton> BoxButtonsOf(BoxButtons buttons) {
  const SystemTexts& texts = CurrentSystemTexts();
  const BoxButton ok{IDOK, QString::fromStdU16String(texts.ok), QMessageBox::AcceptRole};
  const BoxButton cancel{IDCANCEL, QString::fromStdU16String(texts.cancel), QMessageBox::RejectRole};
  const BoxButton yes{IDYES, QString::fromStdU16String(texts.yes), QMessageBox::YesRole};
  const BoxButton no{IDNO, QString::fromStdU16String(texts.no), QMessageBox::NoRole};
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
    const QString text = QString::fromStdU16String(description).trimmed();
    // A description that already ends with its patterns shows them once:
    // Qt takes the last parentheses as the patterns and matches them
    // without case, so "(*.AFD)" stands for "*.afd;*.AFD".
    const auto folded = [](QStringList list) {
      for (QString& item : list) item = item.toLower();
      list.removeDuplicates();
      list.sort();
      return list;
    };
    const qsizetype open = text.lastIndexOf(u'(');
    const bool described = !globs.isEmpty() && open >= 0 && text.endsWith(u')') &&
                           folded(text.mid(open + 1, text.size() - open - 2).split(u' ', Qt::SkipEmptyParts)) ==
                               folded(globs);
    filters << (described ? text : text + QStringLiteral(" (") + globs.join(u' ') + u')');
  }
  return filters;
}

QSize WidenedForCaption(QSize client, const QFont& font, const std::u16string& caption) {
  constexpr int kTitleBarRoom = 120;  // pixels: the window menu and the close box
  QFont title = font;
  title.setBold(true);
  int wanted = QFontMetrics(title).horizontalAdvance(QString::fromStdU16String(caption)) + kTitleBarRoom;
  if (QScreen* screen = QGuiApplication::primaryScreen()) wanted = std::min(wanted, screen->availableGeometry().width());
  return {std::max(client.width(), wanted), client.height()};
}

namespace {

// Qt's translations of this version keep the names of the file dialog's
// "Type" column ("Folder", "File", "Drive") under the dialog's context,
// where the icon provider that gives them no longer asks.
class FileTypeTranslator final : public QTranslator {
 public:
  using QTranslator::QTranslator;
  QString translate(const char* context, const char* source, const char* disambiguation, int n) const override {
    if (qstrcmp(context, "QAbstractFileIconProvider") == 0) {
      const QString named = QTranslator::translate("QFileDialog", source, nullptr, n);
      if (!named.isEmpty()) return named;
    }
    return QTranslator::translate(context, source, disambiguation, n);
  }
};

}  // namespace

bool SpeakTheInterfaceLanguage() {
  static QTranslator* installed = nullptr;
  static QString spoken;
  const QLocale locale(QString::fromStdString(CurrentSystemTexts().locale));
  if (installed != nullptr && spoken == locale.name()) return true;
  QLocale::setDefault(locale);
  auto* translator = new FileTypeTranslator(QCoreApplication::instance());
  if (!translator->load(locale, QStringLiteral("qtbase"), QStringLiteral("_"),
                        QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    delete translator;
    return false;
  }
  if (installed != nullptr) {
    QCoreApplication::removeTranslator(installed);
    delete installed;
  }
  QCoreApplication::installTranslator(translator);
  installed = translator;
  spoken = locale.name();
  return true;
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
