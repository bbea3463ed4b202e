// Programs run with the Qt face on the offscreen platform: the same
// automation scripts give the same transcript, exit status and print
// stream as on the headless face, and pictures of each dialog have the
// template's size and show something.
#include <dlfcn.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>
#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <regex>
#include <set>

#include "dialog_units.h"
#include "face_looks.h"
#include "offscreen_application.h"
#include "testing/temp_root.h"
#include "win/resource.h"

namespace {

using tq::testing::ReadText;
using tq::testing::RunProgram;
using tq::testing::WriteText;

const std::filesystem::path kShots = TQ_SHOT_DIR;

struct Outcome {
  int status = -1;
  std::string out;
  std::string err;
  std::string transcript;
  std::string stream;  // what qlhost printed, empty when nothing
};

// A socket in the abstract namespace an X server of display N listens on.
sockaddr_un DisplaySocket(int display, socklen_t& length) {
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  const std::string name = "/tmp/.X11-unix/X" + std::to_string(display);
  std::memcpy(address.sun_path + 1, name.data(), name.size());
  length = static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + 1 + name.size());
  return address;
}

bool Answers(int family, const sockaddr* address, socklen_t length) {
  const int fd = socket(family, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (fd < 0) return false;
  const bool answered = connect(fd, address, length) == 0;
  close(fd);
  return answered;
}

// Whether something listens where a client of display N would connect:
// the abstract and the file socket, and the loopback port.
bool DisplayTaken(int display) {
  socklen_t length = 0;
  sockaddr_un abstract = DisplaySocket(display, length);
  if (Answers(AF_UNIX, reinterpret_cast<const sockaddr*>(&abstract), length)) return true;
  const std::string file = "/tmp/.X11-unix/X" + std::to_string(display);
  if (std::filesystem::exists(file) || std::filesystem::exists("/tmp/.X" + std::to_string(display) + "-lock")) {
    return true;
  }
  sockaddr_in port{};
  port.sin_family = AF_INET;
  port.sin_port = htons(static_cast<std::uint16_t>(6000 + display));
  port.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  return Answers(AF_INET, reinterpret_cast<const sockaddr*>(&port), sizeof port);
}

// A display number with no server: a client of it fails at once instead of
// waiting on whatever listens there.
int UnusedDisplay() {
  for (int display = 77; display < 1000; ++display) {
    if (!DisplayTaken(display)) return display;
  }
  return -1;
}

class QtRuns : public tq::testing::TempRoot {
 protected:
  static void SetUpTestSuite() { EnsureOffscreenApplication(); }

  // Runs `program` with the script on `face` ("qt" or "headless").
  Outcome RunWith(const std::string& face, const std::string& program, std::vector<std::string> args,
              const std::string& script) {
    const std::string tag = face + "-" + std::to_string(++runs_);
    const std::filesystem::path scriptFile = path(tag + ".script");
    const std::filesystem::path transcript = path(tag + ".transcript");
    const std::filesystem::path stream = path(tag + ".prn");
    const std::filesystem::path windows = path(tag + "-root");
    std::filesystem::create_directories(windows);
    if (!defaultPhonebook_.empty()) std::filesystem::copy_file(defaultPhonebook_, windows / "DEFAULT.AFD");
    // @ROOT in a script is the run's Windows directory.
    std::string placed = script;
    for (size_t at; (at = placed.find("@ROOT")) != std::string::npos;) placed.replace(at, 5, windows.string());
    WriteText(scriptFile, placed);
    std::vector<std::string> env = {"TELEQUILL_TRANSCRIPT=" + transcript.string(), "TELEQUILL_ROOT=" + windows.string()};
    for (std::string& arg : args) {
      if (arg == "@OUTPUT") arg = stream.string();
    }
    if (program == "qlhost") {
      // qlhost takes the face and the script as options.
      if (face == "qt") {
        args.insert(args.begin() + 1, {"--ui", "qt", "--script", scriptFile.string()});
      } else {
        args.insert(args.begin() + 1, {"--ui", "script:" + scriptFile.string()});
      }
    } else if (face == "qt") {
      env.push_back("TELEQUILL_UI=qt");
      env.push_back("TELEQUILL_SCRIPT=" + scriptFile.string());
    } else {
      env.push_back("TELEQUILL_UI=script:" + scriptFile.string());
    }
    const auto result = RunProgram(program, args, env);
    // Failures name the script; the two runs' scripts differ only in where they are.
    const auto unplaced = [&](std::string text) {
      for (size_t at; (at = text.find(scriptFile.string())) != std::string::npos;) text.replace(at, scriptFile.string().size(), "SCRIPT");
      for (size_t at; (at = text.find(windows.string())) != std::string::npos;) text.replace(at, windows.string().size(), "ROOT");
      return text;
    };
    Outcome run{result.status, result.out, unplaced(result.err), unplaced(ReadText(transcript)), {}};
    // The stream's job comments carry the time of day, which two runs need not share.
    if (std::filesystem::exists(stream)) {
      run.stream = std::regex_replace(ReadText(stream), std::regex("\"Time [0-9]+:[0-9]+:[0-9]+\""), "\"Time\"");
    }
    return run;
  }

  // Both faces, each with a Windows directory of its own; the qt run's script
  // may take pictures the headless one leaves out.
  std::pair<Outcome, Outcome> Both(const std::string& program, const std::vector<std::string>& args,
                           const std::string& qtScript) {
    std::string plain;
    for (size_t start = 0; start < qtScript.size();) {
      size_t end = qtScript.find('\n', start);
      if (end == std::string::npos) end = qtScript.size();
      const std::string line = qtScript.substr(start, end - start);
      if (line.rfind("shot ", 0) != 0) plain += line + "\n";
      start = end + 1;
    }
    Outcome headless = RunWith("headless", program, args, plain);
    Outcome qt = RunWith("qt", program, args, qtScript);
    return {std::move(headless), std::move(qt)};
  }

  static std::string Shot(const std::string& name) { return (kShots / name).string(); }

  // A phonebook copied as DEFAULT.AFD into each run's Windows directory.
  std::filesystem::path defaultPhonebook_;

  // The picture is the template's client area in the face's dialog units
  // (widened for a long caption), and shows more than one flat colour.
  static void CheckPicture(const std::string& name, int cx, int cy, const char16_t* caption = u"") {
    SCOPED_TRACE(name);
    const QImage image(QString::fromStdString(Shot(name)));
    ASSERT_FALSE(image.isNull()) << "no picture at " << Shot(name);
    const QFont font = tq::ui::qt::DialogFont(nullptr, 0);
    const QSize expected = tq::ui::qt::WidenedForCaption(
        tq::ui::qt::DialogUnitsToPixels(tq::ui::qt::BaseUnitsOf(font), 0, 0, cx, cy).size(), font,
        caption != nullptr ? caption : u"");
    EXPECT_NEAR(image.width(), expected.width(), 3);
    EXPECT_NEAR(image.height(), expected.height(), 3);
    const QRgb background = image.pixel(0, 0);
    long differing = 0;
    std::set<QRgb> colours;
    for (int y = 0; y < image.height(); ++y) {
      for (int x = 0; x < image.width(); ++x) {
        if (image.pixel(x, y) != background) ++differing;
        if (colours.size() < 64) colours.insert(image.pixel(x, y));
      }
    }
    EXPECT_GT(differing, image.width() * image.height() / 100) << "the picture is blank";
    EXPECT_GT(colours.size(), 8u) << "no text or frames in the picture";
  }

 private:
  int runs_ = 0;
};

// The layer's own sample dialog (template 100, nested 200), as its
// headless tests drive it.
const char* const kSampleScripts[] = {
    "dialog 100\nsettext 1001 \"01a2b-3c\"\nexpect-text 1001 \"012-3\"\nclick 1\n",
    "type 1001 1x2\nexpect-text 1001 12\ntype 1001 123456789012345678901234\n"
    "expect-text 1001 12345678901234567890\nclick 2\n",
    "expect-lines 1002 alain Bernard claire Dupont Eliane éric Fabien Martin\n"
    "select 1002 0 2 5\nexpect-selected 1002 0 2 5\nselecttext 1002 Martin Dupont\nexpect-selected 1002 3 7\n"
    "key 1002 delete\nexpect-lines 1002 alain Bernard claire Eliane éric Fabien\nclick 1\n",
    "expect-checked 1004\nclick 1005\nexpect-checked 1005\nexpect-unchecked 1004\nclick 1006\n"
    "expect-checked 1006\nexpect-checked 1005\nclick 1006\nexpect-unchecked 1006\nclick 1\n",
    "click 1007\ndialog 200\nexpect-caption Détails\ntype 2001 \"x y\"\nkey 2001 enter\ndialog 100\n"
    "expect-enabled 1007\nkey 1002 escape\n",
    "click 1008\nbox cancel \"Entrez un numéro de fax.\"\nexpect-text 1009 Annulé\nclick 1008\nbox ok\n"
    "expect-text 1009 Confirmé\nclick 1\n",
    "hold shift\nselect 1002 1 2 3\nrelease\nkey 0 enter\n",
    // Failing runs stop with status 3 and the same reason.
    "type 1001 12\nexpect-text 1001 13\n",
    "click 1007\nclick 1009\n",
};

TEST_F(QtRuns, SampleDialogScriptsGiveTheHeadlessTranscript) {
  for (const char* script : kSampleScripts) {
    SCOPED_TRACE(script);
    const auto [headless, qt] = Both("tq_user_sample", {}, script);
    EXPECT_EQ(qt.status, headless.status) << qt.err;
    EXPECT_EQ(qt.out, headless.out);
    EXPECT_EQ(qt.transcript, headless.transcript);
    EXPECT_EQ(qt.err.find("taken by the layer directly"), std::string::npos) << qt.err;
    if (headless.status == 3) {
      // The reason is the last line of each standard error.
      const auto lastLine = [](const std::string& text) {
        const size_t end = text.find_last_not_of('\n');
        const std::string trimmed = text.substr(0, end + 1);
        return trimmed.substr(trimmed.find_last_of('\n') + 1);
      };
      EXPECT_NE(qt.err.find(lastLine(headless.err)), std::string::npos) << qt.err;
    }
  }
}

TEST_F(QtRuns, PicturesOfTheSampleDialogs) {
  const auto [headless, qt] = Both("tq_user_sample", {},
                                   "shot " + Shot("sample-100.png") + "\nclick 1007\nshot " + Shot("sample-200.png") +
                                       "\nclick 2\nclick 2\n");
  ASSERT_EQ(qt.status, 0) << qt.err;
  EXPECT_EQ(qt.transcript, headless.transcript);
  CheckPicture("sample-100.png", 200, 150);
  CheckPicture("sample-200.png", 130, 50);
}

// The print-time fax prompt through qlhost: recipient dialog 101, the
// communication settings 104 and the confirmation prompt 108.
const char kThreeRecipients[] =
    "dialog 101\n"
    "type 1001 Dupont\n"
    "type 1004 0145678900\n"
    "click 1006\n"
    "select 1008 0\n"
    "click 1005\n"
    "dialog 104\n"
    "click 404\n"
    "type 410 12\n"
    "type 412 7\n"
    "click 415\n"
    "click 411\n"
    "shot @SHOTS/dialog-104-relay.png\n"
    "click 1\n"
    "dialog 101\n"
    "type 1001 Siège\n"
    "click 1027\n"
    "type 1004 12\n"
    "click 1006\n"
    "click 1027\n"
    "type 1001 \"Bureau d'études\"\n"
    "type 1004 012345\n"
    "click 1006\n"
    "expect-lines 1008 \"Dupont <0145678900>\" \"Siège <'012'>\" \"Bureau d'études <012345>\"\n"
    "shot @SHOTS/dialog-101-three.png\n"
    "click 1\n"
    "dialog 108\n"
    "click 803\n"
    "type 804 18\n"
    "type 805 30\n"
    "shot @SHOTS/dialog-108.png\n"
    "click 801\n";

std::string WithShots(std::string script) {
  for (size_t at; (at = script.find("@SHOTS")) != std::string::npos;) script.replace(at, 6, kShots.string());
  return script;
}

const std::vector<std::string> kPrintArgs = {"print", "--job", "fax", "--output", "@OUTPUT",
                                             TELEQUILL_SOURCE_DIR "/examples/documents/lettre.pxl"};

TEST_F(QtRuns, FaxPromptGivesTheSameTranscriptAndPrintStream) {
  const auto [headless, qt] = Both("qlhost", kPrintArgs, WithShots(kThreeRecipients));
  ASSERT_EQ(headless.status, 0) << headless.err;
  ASSERT_EQ(qt.status, 0) << qt.err;
  EXPECT_EQ(qt.transcript, headless.transcript);
  EXPECT_EQ(qt.err.find("taken by the layer directly"), std::string::npos) << qt.err;
  EXPECT_FALSE(qt.stream.empty());
  EXPECT_EQ(qt.stream, headless.stream);

  // The templates' sizes, from the plug-in's own resource script.
  void* plugin = dlopen(TELEQUILL_BIN_DIR "/qlfaxuin.so", RTLD_NOW | RTLD_LOCAL);
  ASSERT_NE(plugin, nullptr) << dlerror();
  const auto instance = reinterpret_cast<HINSTANCE>(plugin);
  for (auto [id, picture] : {std::pair{101, "dialog-101-three.png"}, std::pair{104, "dialog-104-relay.png"},
                             std::pair{108, "dialog-108.png"}}) {
    const tq::res::DialogTemplate* dialog = tq::res::FindDialog(instance, MAKEINTRESOURCEW(id));
    ASSERT_NE(dialog, nullptr) << id;
    CheckPicture(picture, dialog->cx, dialog->cy, dialog->caption);
  }
}

TEST_F(QtRuns, DemoScriptAndCancelledJobMatchTheHeadlessFace) {
  const std::string demo = ReadText(TELEQUILL_SOURCE_DIR "/examples/scripts/fax-two-recipients.txt");
  const std::string cancelled =
      "dialog 101\ntype 1001 Dupont\ntype 1004 0123\nclick 1006\nclick 1\ndialog 108\nclick 802\nbox ok\n";
  for (const std::string& script : {demo, cancelled}) {
    const auto [headless, qt] = Both("qlhost", kPrintArgs, script);
    EXPECT_EQ(qt.status, headless.status) << qt.err;
    EXPECT_EQ(qt.transcript, headless.transcript);
    EXPECT_EQ(qt.stream, headless.stream);
  }
}

// An old-version default phonebook: its conversion is offered while the
// recipient dialog initialises, and the script answers it before the
// dialog's line, on the Qt face as on the headless one; the box's picture
// is taken while it is up.
TEST_F(QtRuns, ConversionOfferedAtTheRecipientDialogIsAnsweredBothWays) {
  defaultPhonebook_ = TELEQUILL_SOURCE_DIR "/examples/phonebooks/bureau-0000.afd";
  const std::string send = "type 1001 Dupont\ntype 1004 0123\nclick 1006\nclick 1\ndialog 108\nclick 801\n";
  const std::string declined = "shot " + Shot("box-conversion-offer.png") +
                               "\nbox no\ndialog 101\nexpect-text 1016 --Aucun--\nexpect-disabled 1011\nshot " +
                               Shot("dialog-101-no-phonebook.png") + "\n" + send;
  const std::string accepted =
      "box yes\nfile @ROOT/converti.AFD\ndialog 101\nexpect-text 1016 @ROOT/converti.AFD\n"
      "type 1001 Dupont\ntype 1004 0123\nclick 1006\nexpect-enabled 1011\nshot " +
      Shot("dialog-101-converted.png") + "\nclick 1\ndialog 108\nclick 801\n";
  for (const std::string& script : {declined, accepted}) {
    SCOPED_TRACE(script);
    const auto [headless, qt] = Both("qlhost", kPrintArgs, script);
    ASSERT_EQ(headless.status, 0) << headless.err;
    ASSERT_EQ(qt.status, 0) << qt.err;
    EXPECT_EQ(qt.transcript, headless.transcript);
    EXPECT_EQ(qt.transcript.rfind("box question yesno \"Conversion de fichier\" \"ROOT/DEFAULT.AFD\\n", 0), 0u)
        << qt.transcript;
    EXPECT_EQ(qt.stream, headless.stream);
  }
  const QImage box(QString::fromStdString(Shot("box-conversion-offer.png")));
  ASSERT_FALSE(box.isNull());
  EXPECT_GT(box.width(), 200);
  void* plugin = dlopen(TELEQUILL_BIN_DIR "/qlfaxuin.so", RTLD_NOW | RTLD_LOCAL);
  ASSERT_NE(plugin, nullptr) << dlerror();
  const tq::res::DialogTemplate* dialog =
      tq::res::FindDialog(reinterpret_cast<HINSTANCE>(plugin), MAKEINTRESOURCEW(101));
  ASSERT_NE(dialog, nullptr);
  CheckPicture("dialog-101-no-phonebook.png", dialog->cx, dialog->cy, dialog->caption);
  CheckPicture("dialog-101-converted.png", dialog->cx, dialog->cy, dialog->caption);
}

// The document property sheet through qlhost: the options page and the
// "À propos de" page with the picture its paint handler draws.
TEST_F(QtRuns, PropertySheetPagesAndTheAboutPicture) {
  const auto [headless, qt] = Both("qlhost", {"properties"},
                                   WithShots("page 102\nclick 204\nshot @SHOTS/page-102.png\n"
                                             "page 109\nshot @SHOTS/page-109.png\nclick 2\n"));
  ASSERT_EQ(headless.status, 0) << headless.err;
  ASSERT_EQ(qt.status, 0) << qt.err;
  EXPECT_EQ(qt.transcript, headless.transcript);

  void* plugin = dlopen(TELEQUILL_BIN_DIR "/qlfaxuin.so", RTLD_NOW | RTLD_LOCAL);
  ASSERT_NE(plugin, nullptr) << dlerror();
  const auto* bitmap = tq::res::FindBitmap(reinterpret_cast<HINSTANCE>(plugin), MAKEINTRESOURCEW(101));
  ASSERT_NE(bitmap, nullptr);
  // The bitmap's top row is one colour (blue, green, red, unused): the
  // picture shows it across the bitmap's whole width.
  const QColor top(bitmap->pixels[2], bitmap->pixels[1], bitmap->pixels[0]);
  const QImage image(QString::fromStdString(Shot("page-109.png")));
  ASSERT_FALSE(image.isNull());
  int shown = 0;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) shown += QColor(image.pixel(x, y)) == top ? 1 : 0;
  }
  EXPECT_GE(shown, bitmap->width) << "bitmap 101 is not on the page";
  EXPECT_FALSE(QImage(QString::fromStdString(Shot("page-102.png"))).isNull());
}

// With no display the Qt face cannot start: the run says how to choose
// another face and does nothing.
TEST_F(QtRuns, WithoutDisplayTheMessageNamesTheWaysToChoose) {
  std::map<std::string, std::string> kept;
  for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
    if (const char* value = std::getenv(name)) kept[name] = value;
    unsetenv(name);
  }
  const auto sample = RunProgram("tq_user_sample", {}, {"TELEQUILL_UI=qt"});
  const auto host = RunProgram("qlhost", {"print", "--job", "fax", "--ui", "qt", "--output",
                                          path("none.prn").string(), TELEQUILL_SOURCE_DIR "/examples/documents/lettre.pxl"});
  // A display named but not there: the same advice, not Qt's. Something
  // that listens and never answers takes the first number tried, as a
  // stuck server would; the test must pass over it.
  socklen_t length = 0;
  const sockaddr_un taken = DisplaySocket(77, length);
  const int listener = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
  const bool holding = bind(listener, reinterpret_cast<const sockaddr*>(&taken), length) == 0 && listen(listener, 4) == 0;
  const int display = UnusedDisplay();
  close(listener);
  ASSERT_GE(display, 0) << "every display number is taken";
  if (holding) {
    EXPECT_NE(display, 77);
  }
  const std::string displayName = ":" + std::to_string(display);
  const auto gone = RunProgram("tq_user_sample", {}, {"TELEQUILL_UI=qt", "DISPLAY=" + displayName});
  for (const auto& [name, value] : kept) setenv(name.c_str(), value.c_str(), 1);
  EXPECT_EQ(gone.status, 2);
  EXPECT_NE(gone.err.find("cannot open the display \"" + displayName + "\""), std::string::npos) << gone.err;
  for (const auto* run : {&sample, &host, &gone}) {
    EXPECT_NE(run->status, 0);
    EXPECT_NE(run->err.find("--ui"), std::string::npos) << run->err;
    EXPECT_NE(run->err.find("TELEQUILL_UI"), std::string::npos) << run->err;
  }
  EXPECT_FALSE(std::filesystem::exists(path("none.prn")));
}

}  // namespace
