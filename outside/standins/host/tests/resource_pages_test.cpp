// The host's pages from the language resource library: texts put in place,
// spinners read, sheet button labels, and templates with broken controls
// shown with those controls marked, one line each on standard error.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "host/resource_pages.h"
#include "qlres/resource_ids.h"
#include "testing/temp_root.h"
#include "win/face.h"
#include "win/kernel.h"
#include "win/text.h"
#include "win/user.h"

namespace tq::host {
namespace {

// Everything written to a temporary stream, as text.
std::string Contents(std::FILE* stream) {
  std::rewind(stream);
  std::string text;
  for (int c = std::fgetc(stream); c != EOF; c = std::fgetc(stream)) text.push_back(static_cast<char>(c));
  return text;
}

const res::ControlTemplate* ControlOf(const ResolvedPage& page, int id) {
  for (const res::ControlTemplate& control : page.controls) {
    if (control.id == id) return &control;
  }
  return nullptr;
}

std::string TextOf(const ResolvedPage& page, int id) {
  const res::ControlTemplate* control = ControlOf(page, id);
  return control == nullptr ? "(no control)" : Utf16ToUtf8(control->text);
}

class ResourcePages : public testing::TempRoot {};

TEST_F(ResourcePages, BothLibrariesGiveEveryPageWhole) {
  for (Model model : {Model::N, Model::P}) {
    std::string error;
    HINSTANCE library = LoadResourceLibrary(model, error);
    ASSERT_NE(library, nullptr) << error;
    std::FILE* errors = std::tmpfile();
    auto pages = HostPages::Resolve(library, model, qlres::kPages, "qlres", errors);
    EXPECT_EQ(Contents(errors), "") << ModelName(model);
    std::fclose(errors);

    const ResolvedPage* jobType = pages->Page(qlres::kJobTypePage);
    ASSERT_NE(jobType, nullptr);
    EXPECT_EQ(Utf16ToUtf8(jobType->dialog.caption), "Type de travail");
    EXPECT_EQ(TextOf(*jobType, qlres::kJobSecure), "Impression protégée");
    EXPECT_EQ(TextOf(*jobType, qlres::kJobSample), "Impression échantillon");
    EXPECT_TRUE(jobType->broken.empty());

    const ResolvedPage* paper = pages->Page(qlres::kPaperPage);
    ASSERT_NE(paper, nullptr);
    ASSERT_EQ(paper->spinners.size(), 1u);
    EXPECT_EQ(paper->spinners[0].spinner, qlres::kCopiesSpinner);
    EXPECT_EQ(paper->spinners[0].parameters.minimum, 1);
    EXPECT_EQ(paper->spinners[0].parameters.maximum, 999);
    EXPECT_EQ(paper->spinners[0].parameters.buddy, qlres::kCopies);
    EXPECT_EQ(TextOf(*paper, qlres::kCopiesSpinner), "") << "the spinner's numbers are not shown";

    const ResolvedPage* options = pages->Page(qlres::kInstallableOptionsPage);
    ASSERT_NE(options, nullptr);
    EXPECT_EQ(TextOf(*options, qlres::kFaxModule), "Module fa&x");
    EXPECT_EQ(TextOf(*options, qlres::kAutoConfigure), "&Configuration automatique");
    // The resolved pages are found by their identifiers, as a sheet asks.
    const res::DialogTemplate* found = res::FindDialog(pages->instance(), MAKEINTRESOURCEW(qlres::kJobTypePage));
    ASSERT_NE(found, nullptr);
    EXPECT_EQ(found->controls.data(), jobType->controls.data());

    EXPECT_EQ(SheetButtonLabel(library, qlres::kSheetOkString, u"?"), u"OK");
    EXPECT_EQ(SheetButtonLabel(library, qlres::kSheetApplyString, u"?"), u"A&ppliquer");
    EXPECT_EQ(SheetButtonLabel(library, qlres::kSheetHelpString, u"?"), u"&Aide");
    EXPECT_EQ(SheetButtonLabel(library, qlres::kSheetCloseString, u"?"), u"Fermer");
    EXPECT_EQ(SheetButtonLabel(library, 1, u"Annuler"), u"Annuler");
    FreeLibrary(library);
  }
}

// A library of made-up templates, registered under a made-up handle.
const HINSTANCE kBrokenLibrary = reinterpret_cast<HINSTANCE>(static_cast<ULONG_PTR>(0x7e5a));
const res::StringResource kStrings[] = {{1, u"Bon"}, {2, u"&Copies"}};
const res::ControlTemplate kControls[] = {
    {WC_STATICW, 1, u"#1", 4, 4, 60, 8},
    {WC_STATICW, 2, u"#7999", 4, 14, 60, 8},                    // no such string
    {WC_EDITW, 3, u"", 4, 24, 30, 12, WS_TABSTOP},
    {u"qlhostn_SPINNER", 4, u"1,999", 34, 24, 10, 12},           // five numbers short
    {u"qlhostn_SPINNER", 5, u"9,1,1,0,0,3", 34, 38, 10, 12},     // minimum above maximum
    {u"qlhostn_SPINNER", 6, u"1,99,1,0,0,3", 44, 38, 10, 12},    // sound
    {u"qlhostn_SLIDER", 7, u"", 4, 52, 60, 12},                  // a class the host does not know
    {u"qlhostp_IMAGE", 8, u"", 4, 66, 20, 20},                   // the other model's class
    {WC_BUTTONW, 9, u"#12x", 4, 90, 60, 10, BS_AUTOCHECKBOX},   // malformed reference
    {u"button", 10, u"#2", 4, 104, 60, 10, BS_AUTOCHECKBOX},     // class names ignore case
};
const res::DialogTemplate kDialogs[] = {{42, u"#9", WS_CHILD | DS_CONTROL, 0, 0, 0, 120, 120, kControls}};
const res::ResourceScript kScript{kDialogs, kStrings, {}};

// Ends with the first button clicked (edits and combo boxes notify too).
INT_PTR EndOnClick(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  if (message == WM_COMMAND && HIWORD(wParam) == BN_CLICKED) EndDialog(dialog, LOWORD(wParam));
  return message == WM_INITDIALOG || message == WM_COMMAND;
}

TEST_F(ResourcePages, BrokenControlsAreMarkedAndToldOnceEach) {
  ASSERT_TRUE(res::RegisterResources(kBrokenLibrary, kScript));
  std::FILE* errors = std::tmpfile();
  const int wanted[] = {42, 43};
  auto pages = HostPages::Resolve(kBrokenLibrary, Model::N, wanted, "test.so", errors);
  const std::string lines = Contents(errors);
  std::fclose(errors);
  EXPECT_EQ(lines,
            "qlhost: test.so page 42 caption: text \"#9\" names no string of the library\n"
            "qlhost: test.so page 42 control 2: text \"#7999\" names no string of the library\n"
            "qlhost: test.so page 42 control 4: spinner text \"1,999\" refused: six numbers expected, 2 given\n"
            "qlhost: test.so page 42 control 5: spinner text \"9,1,1,0,0,3\" refused: minimum above maximum\n"
            "qlhost: test.so page 42 control 7: class \"qlhostn_SLIDER\" is unknown\n"
            "qlhost: test.so page 42 control 8: class \"qlhostp_IMAGE\" is unknown\n"
            "qlhost: test.so page 42 control 9: text \"#12x\" names no string of the library\n"
            "qlhost: test.so page 43 is missing\n");

  const ResolvedPage* page = pages->Page(42);
  ASSERT_NE(page, nullptr);
  EXPECT_EQ(pages->Page(43), nullptr);
  EXPECT_EQ(page->broken, (std::vector<int>{2, 4, 5, 7, 8, 9}));
  EXPECT_EQ(Utf16ToUtf8(page->dialog.caption), "(texte manquant) #9");
  EXPECT_EQ(TextOf(*page, 1), "Bon");
  EXPECT_EQ(TextOf(*page, 2), "(texte manquant) #7999");
  EXPECT_EQ(TextOf(*page, 4), "(compteur incorrect)");
  EXPECT_EQ(TextOf(*page, 7), "(contrôle inconnu)");
  EXPECT_EQ(TextOf(*page, 10), "&Copies");
  ASSERT_EQ(page->spinners.size(), 1u);
  EXPECT_EQ(page->spinners[0].spinner, 6);
  for (int id : page->broken) EXPECT_NE(ControlOf(*page, id)->style & WS_DISABLED, 0u) << id;
  EXPECT_EQ(ControlOf(*page, 1)->style & WS_DISABLED, 0u);

  // The page still opens, with the broken controls there and disabled.
  const auto script = path("script.txt");
  testing::WriteText(script,
                     "dialog 42\n"
                     "expect-caption \"(texte manquant) #9\"\n"
                     "expect-text 1 Bon\n"
                     "expect-disabled 2\n"
                     "expect-disabled 7\n"
                     "expect-enabled 10\n"
                     "click 10\n");
  ASSERT_TRUE(ui::UseFace("script:" + script.string()));
  EXPECT_EQ(DialogBoxParamW(pages->instance(), MAKEINTRESOURCEW(42), nullptr, EndOnClick, 0), 10);
  ui::UseFace("headless");
}

TEST_F(ResourcePages, AResolutionLeavesNoTemplatesBehind) {
  HINSTANCE instance = nullptr;
  {
    std::string error;
    HINSTANCE library = LoadResourceLibrary(Model::N, error);
    ASSERT_NE(library, nullptr) << error;
    const int wanted[] = {qlres::kJobTypePage};
    auto pages = HostPages::Resolve(library, Model::N, wanted, "qlresn.so", nullptr);
    instance = pages->instance();
    ASSERT_NE(res::FindDialog(instance, MAKEINTRESOURCEW(qlres::kJobTypePage)), nullptr);
    FreeLibrary(library);
  }
  EXPECT_EQ(res::FindDialog(instance, MAKEINTRESOURCEW(qlres::kJobTypePage)), nullptr);
}

INT_PTR QuietPage(HWND, UINT message, WPARAM, LPARAM) { return message == WM_INITDIALOG; }

// The host's pages in a property sheet on the Qt face, as pictures in the
// build's test folder (test-tmp/host-pages) for people to look at.
TEST_F(ResourcePages, PicturesOnTheQtFace) {
  std::string error;
  HINSTANCE library = LoadResourceLibrary(Model::N, error);
  ASSERT_NE(library, nullptr) << error;
  auto pages = HostPages::Resolve(library, Model::N, qlres::kPages, "qlresn.so", nullptr);
  const std::filesystem::path folder = std::filesystem::path(TELEQUILL_TEST_TMP) / "host-pages";
  std::filesystem::create_directories(folder);
  const int shown[] = {qlres::kPaperPage, qlres::kJobTypePage, qlres::kInstallableOptionsPage, qlres::kWatermarkPage};
  std::vector<HPROPSHEETPAGE> handles;
  std::string script;
  for (int id : shown) {
    PROPSHEETPAGEW page{};
    page.dwSize = sizeof page;
    page.hInstance = pages->instance();
    page.pszTemplate = MAKEINTRESOURCEW(id);
    page.pfnDlgProc = QuietPage;
    handles.push_back(CreatePropertySheetPageW(&page));
    const std::filesystem::path picture = folder / ("page-" + std::to_string(id) + ".png");
    std::filesystem::remove(picture);
    script += "page " + std::to_string(id) + "\nshot " + picture.string() + "\n";
  }
  testing::WriteText(path("shots.txt"), script + "click 2\n");
  setenv("TELEQUILL_SCRIPT", path("shots.txt").c_str(), 1);
  ASSERT_TRUE(ui::UseFace("qt"));
  PROPSHEETHEADERW header{};
  header.dwSize = sizeof header;
  header.pszCaption = u"Propriétés du document";
  header.nPages = static_cast<UINT>(handles.size());
  header.phpage = handles.data();
  EXPECT_EQ(PropertySheetW(&header), 0);
  unsetenv("TELEQUILL_SCRIPT");
  ui::UseFace("headless");
  for (int id : shown) {
    const std::filesystem::path picture = folder / ("page-" + std::to_string(id) + ".png");
    ASSERT_TRUE(std::filesystem::exists(picture)) << picture;
    EXPECT_GT(std::filesystem::file_size(picture), 1000u) << picture;
  }
  FreeLibrary(library);
}

}  // namespace
}  // namespace tq::host
