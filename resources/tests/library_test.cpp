// Both builds of the language resource library, loaded as the host loads
// them: the exports by name and ordinal, the string table's count and
// ranges, the templates' references, spinners and classes, the menu and
// cursors, and the two models differing only in their model names.
#include <gtest/gtest.h>

#include <map>
#include <ostream>
#include <set>
#include <string>

#include "qlres/resource_ids.h"
#include "qlres/template_texts.h"
#include "win/kernel.h"
#include "win/resource.h"
#include "win/text.h"
#include "win/user.h"

namespace tq::qlres {
namespace {

using DllInitializeFn = BOOL (*)(HINSTANCE, DWORD, LPVOID);
using ModuleInfoFn = const char* const* (*)();

struct Build {
  const char* file;
  Model model;
  friend void PrintTo(const Build& build, std::ostream* out) { *out << build.file; }
};

std::string Narrow(const char16_t* text) { return Utf16ToUtf8(text == nullptr ? u"" : text); }

HMODULE Load(const char* file) {
  return LoadLibraryW(Utf8ToUtf16(std::string(TELEQUILL_BIN_DIR) + "/" + file).c_str());
}

class Library : public ::testing::TestWithParam<Build> {
 protected:
  void SetUp() override {
    module_ = Load(GetParam().file);
    ASSERT_NE(module_, nullptr);
    script_ = res::FindResources(module_);
    ASSERT_NE(script_, nullptr) << "no resources, or an identifier given twice";
  }
  void TearDown() override {
    if (module_ != nullptr) FreeLibrary(module_);
  }
  template <class Fn>
  Fn Export(LPCSTR name) const {
    return reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(module_, name)));
  }
  std::u16string String(unsigned id) const {
    const res::StringResource* found = res::FindString(module_, id);
    return found == nullptr ? u"(missing)" : found->text;
  }

  HMODULE module_ = nullptr;
  const res::ResourceScript* script_ = nullptr;
};

TEST_P(Library, ExportsByNameAndOrdinal) {
  auto initialize = Export<DllInitializeFn>("DllInitialize");
  ASSERT_NE(initialize, nullptr);
  EXPECT_EQ(Export<DllInitializeFn>(MAKEINTRESOURCEA(1)), initialize);
  for (DWORD reason : {1u, 2u, 3u, 0u}) EXPECT_EQ(initialize(module_, reason, nullptr), TRUE) << reason;

  auto moduleInfo = Export<ModuleInfoFn>("ModuleInfo");
  ASSERT_NE(moduleInfo, nullptr);
  EXPECT_EQ(Export<ModuleInfoFn>(MAKEINTRESOURCEA(2000)), moduleInfo);
  EXPECT_EQ(GetProcAddress(module_, MAKEINTRESOURCEA(2)), nullptr);

  const char* const* lines = moduleInfo();
  ASSERT_NE(lines, nullptr);
  EXPECT_EQ(moduleInfo(), lines) << "one constant array";
  for (int i = 0; i < 7; ++i) {
    ASSERT_NE(lines[i], nullptr) << "line " << i + 1;
    EXPECT_NE(lines[i][0], '\0') << "line " << i + 1;
  }
  EXPECT_EQ(lines[7], nullptr);
  EXPECT_STREQ(lines[0], "Module: Printer interface DLL static library");
  const std::string version = lines[1];
  const std::string middle = " PCL XL DDK: ER 3.5.0.2  Mini Driver Libraries: ER 3.0.0.8 Time Stamp: ";
  EXPECT_EQ(version.rfind("Version: ", 0), 0u) << version;
  const std::size_t stamp = version.find(middle);
  ASSERT_NE(stamp, std::string::npos) << version;
  EXPECT_GT(stamp, std::string("Version: ").size()) << "the toolkit's name comes first";
  // hh:mm:ss Mmm dd yyyy
  EXPECT_EQ(version.size() - stamp - middle.size(), std::string("12:34:56 Jan  1 2024").size()) << version;
}

// The identifiers the strings may take, and how many each range holds.
const std::pair<unsigned, unsigned> kRanges[] = {
    {352, 372},   {600, 606},   {700, 707},     {715, 715},     {740, 740},     {760, 765},   {800, 811},
    {1000, 1017}, {4000, 4005}, {6500, 6545},   {7000, 7331},   {10100, 10100}, {19000, 19060},
    {19101, 19106}, {20100, 20100}, {61984, 61988}};

bool InARange(unsigned id) {
  for (const auto& [first, last] : kRanges) {
    if (id >= first && id <= last) return true;
  }
  return false;
}

TEST_P(Library, StringTableHas435StringsInItsRanges) {
  EXPECT_EQ(script_->strings.size(), 435u);
  std::set<unsigned> seen;
  for (const res::StringResource& string : script_->strings) {
    EXPECT_TRUE(InARange(string.id)) << "string " << string.id;
    ASSERT_NE(string.text, nullptr) << "string " << string.id;
    EXPECT_NE(string.text[0], u'\0') << "string " << string.id;
    seen.insert(string.id);
  }
  // Ranges the driver fills whole.
  for (const auto& [first, last] : {std::pair{352u, 372u}, {600u, 606u}, {700u, 707u}, {760u, 765u}, {800u, 811u},
                                    {1000u, 1017u}, {4000u, 4005u}, {7000u, 7028u}, {19101u, 19106u},
                                    {61984u, 61988u}}) {
    for (unsigned id = first; id <= last; ++id) EXPECT_TRUE(seen.count(id)) << "string " << id;
  }
}

TEST_P(Library, QuotedTextsAreExact) {
  const std::map<unsigned, std::u16string> quoted = {
      {363, u"OVP|"},
      {364, u"Fichiers de recouvrement (*.OVP)|*.ovp|Tous les fichiers (*.*)|*.*||"},
      {600, u"This file was created by the "},
      {601, u"Windows' Test PCL XL "},
      {602, u"printer driver."},
      {603, u"DO NOT ALTER ITS CONTENTS.  "},
      {604, u"Delete this file whenever you "},
      {605, u"want the driver to rebuild its "},
      {606, u"font information."},
      {701, u"%s on %s"},
      {702, u"À propos de : %s sur %s"},
      {703, u"À propos de : %s"},
      {704, u"(débogage)"},
      {705, u"(information manquante)"},
      {715, u"Pilote d'imprimante"},
      {760, u"DLL principale PCL"},
      {761, u"DLL principale Interface"},
      {762, u"DLL feuille de propriétés"},
      {763, u"Ressource langue"},
      {764, u"Ressource polices"},
      {1010, u"None"},
      {1011, u"Run Length Encoding"},
      {1012, u"JPEG Encoding"},
      {6501, u"Disque dur local"},
      {6502, u"Mémoire imprimante"},
      {7048, u"Impression"},
      {7049, u"Impression protégée"},
      {7050, u"Impression échantillon"},
      {7051, u"Fax"},
      {10100, u"Watermark AddOn"},
      {19014, u"(Aucun)"},
      {19015, u"PQWATER.INI"},
      {19101, u"0,0,192,192,192,540,700,0,0,120,Times New Roman,CONFIDENTIEL"},
      {20100, u"Fax AddOn"},
      {61984, u"OK\n50"},
      {61985, u"Annuler\n50"},
      {61986, u"A&ppliquer\n50"},
      {61987, u"&Aide\n50"},
      {61988, u"Fermer"},
  };
  for (const auto& [id, text] : quoted) EXPECT_EQ(Narrow(String(id).c_str()), Narrow(text.c_str())) << "string " << id;
  const std::u16string helpFile = HelpFileName(GetParam().model);
  EXPECT_EQ(String(kHelpFileString), helpFile);
  EXPECT_EQ(String(19016), helpFile) << "the watermark page's help file";
}

// A predefined watermark: ten numbers, the font face and the text.
TEST_P(Library, PredefinedWatermarksAreTenNumbersFontAndText) {
  for (unsigned id : kPredefinedWatermarks) {
    const std::string record = Narrow(String(id).c_str());
    std::size_t start = 0;
    for (int field = 0; field < 10; ++field) {
      const std::size_t comma = record.find(',', start);
      ASSERT_NE(comma, std::string::npos) << record;
      const std::string number = record.substr(start, comma - start);
      EXPECT_FALSE(number.empty()) << record;
      EXPECT_EQ(number.find_first_not_of("-0123456789"), std::string::npos) << record;
      start = comma + 1;
    }
    const std::size_t comma = record.find(',', start);
    ASSERT_NE(comma, std::string::npos) << record;
    EXPECT_GT(comma, start) << "a font face: " << record;
    EXPECT_LT(comma + 1, record.size()) << "a text: " << record;
  }
}

// Every template: its "#nnnn" texts name strings of this library, its
// classes are standard or this model's custom ones, its spinners parse and
// name an edit of the same template, and its controls are told apart.
void CheckTemplate(const res::DialogTemplate& dialog, HMODULE module, Model model, const std::string& name) {
  const auto resolves = [&](const char16_t* text, const std::string& where) {
    const TextReference reference = ReadTextReference(text == nullptr ? u"" : text);
    EXPECT_NE(reference.kind, TextReference::kMalformed) << name << " " << where << ": " << Narrow(text);
    if (reference.kind == TextReference::kString) {
      EXPECT_NE(res::FindString(module, reference.id), nullptr) << name << " " << where << ": " << Narrow(text);
    }
  };
  resolves(dialog.caption, "caption");
  std::map<int, const res::ControlTemplate*> byId;
  for (const res::ControlTemplate& control : dialog.controls) {
    if (control.id != -1) {
      EXPECT_TRUE(byId.emplace(control.id, &control).second) << name << " control " << control.id << " twice";
    }
  }
  for (const res::ControlTemplate& control : dialog.controls) {
    const std::string where = "control " + std::to_string(control.id);
    resolves(control.text, where);
    const std::u16string className = control.className;
    const std::optional<CustomControl> custom = CustomControlOf(className, model);
    const bool standard = className == WC_BUTTONW || className == WC_EDITW || className == WC_STATICW ||
                          className == WC_LISTBOXW || className == WC_COMBOBOXW;
    EXPECT_TRUE(standard || custom) << name << " " << where << ": class " << Narrow(control.className);
    if (custom == CustomControl::kSpinner) {
      const SpinnerParse parse = ParseSpinnerText(control.text);
      ASSERT_TRUE(parse.parameters) << name << " " << where << ": " << parse.error;
      const auto buddy = byId.find(parse.parameters->buddy);
      ASSERT_NE(buddy, byId.end()) << name << " " << where << ": no buddy " << parse.parameters->buddy;
      EXPECT_EQ(std::u16string(buddy->second->className), WC_EDITW) << name << " " << where;
    }
  }
}

TEST_P(Library, FourteenPagesAndTheAboutBoxResolveEveryReference) {
  ASSERT_EQ(script_->dialogs.size(), 15u);
  for (int id : kPages) {
    const res::DialogTemplate* page = res::FindDialog(module_, MAKEINTRESOURCEW(id));
    ASSERT_NE(page, nullptr) << "page " << id;
    EXPECT_FALSE(page->controls.empty()) << "page " << id;
    EXPECT_EQ(page->style & WS_CHILD, WS_CHILD) << "page " << id;
    CheckTemplate(*page, module_, GetParam().model, "page " + std::to_string(id));
  }
  const res::DialogTemplate* about = res::FindDialog(module_, kAboutBox);
  ASSERT_NE(about, nullptr);
  EXPECT_EQ(res::FindDialog(module_, u"AboutBox"), about) << "names ignore case";
  CheckTemplate(*about, module_, GetParam().model, "ABOUTBOX");
}

// An edit field is framed, as the resource compiler frames its edit
// controls: without it a field looks like a label.
TEST_P(Library, EveryEditFieldHasAFrame) {
  for (const res::DialogTemplate& dialog : script_->dialogs) {
    for (const res::ControlTemplate& control : dialog.controls) {
      if (control.className != nullptr && std::u16string(control.className) == WC_EDITW) {
        EXPECT_NE(control.style & WS_BORDER, 0u) << "dialog " << dialog.id << " control " << control.id;
      }
    }
  }
}

TEST_P(Library, EveryCustomClassOccurs) {
  std::set<CustomControl> used;
  for (const res::DialogTemplate& dialog : script_->dialogs) {
    for (const res::ControlTemplate& control : dialog.controls) {
      if (auto custom = CustomControlOf(control.className, GetParam().model)) used.insert(*custom);
    }
  }
  EXPECT_EQ(used.size(), 4u);
}

TEST_P(Library, HostControlsAreWhereTheHostLooks) {
  const auto control = [&](int page, int id) -> const res::ControlTemplate* {
    const res::DialogTemplate* dialog = res::FindDialog(module_, MAKEINTRESOURCEW(page));
    if (dialog == nullptr) return nullptr;
    for (const res::ControlTemplate& item : dialog->controls) {
      if (item.id == id) return &item;
    }
    return nullptr;
  };
  const std::pair<int, const char16_t*> jobTypes[] = {
      {kJobPrint, u"#7048"}, {kJobSecure, u"#7049"}, {kJobSample, u"#7050"}, {kJobFax, u"#7051"}};
  for (const auto& [id, text] : jobTypes) {
    const res::ControlTemplate* radio = control(kJobTypePage, id);
    ASSERT_NE(radio, nullptr) << id;
    EXPECT_EQ(std::u16string(radio->text), text);
    EXPECT_EQ(radio->style & BS_TYPEMASK, static_cast<DWORD>(BS_AUTORADIOBUTTON));
  }
  for (int id : {kSecureUser, kSecurePassword, kSecureDocName}) ASSERT_NE(control(kJobTypePage, id), nullptr) << id;
  EXPECT_NE(control(kJobTypePage, kSecurePassword)->style & ES_PASSWORD, 0u);
  ASSERT_NE(control(kInstallableOptionsPage, kFaxModule), nullptr);
  EXPECT_EQ(std::u16string(control(kInstallableOptionsPage, kFaxModule)->text), u"#7236");
  EXPECT_EQ(std::u16string(control(kInstallableOptionsPage, kIsdnKit)->text), u"#7238");
  EXPECT_EQ(std::u16string(control(kInstallableOptionsPage, kFaxMemory)->text), u"#7240");
  EXPECT_EQ(std::u16string(control(kInstallableOptionsPage, kAutoConfigure)->text), u"#7248");
  ASSERT_NE(control(kPaperPage, kCopiesSpinner), nullptr);
  EXPECT_EQ(std::u16string(control(kPaperPage, kCopiesSpinner)->text), u"1,999,1,0,0,1007");
  EXPECT_NE(control(kPaperPage, kOutputTray), nullptr);
}

TEST_P(Library, ContextMenuAndWatermarkCursors) {
  const res::MenuResource* menu = res::FindMenu(module_, MAKEINTRESOURCEW(kPageMenu));
  ASSERT_NE(menu, nullptr);
  ASSERT_EQ(menu->items.size(), 3u);
  EXPECT_EQ(menu->items[0].id, 301u);
  EXPECT_EQ(Narrow(menu->items[0].text), "&Info-bulles");
  EXPECT_EQ(menu->items[1].id, 302u);
  EXPECT_EQ(Narrow(menu->items[1].text), "&Messages");
  EXPECT_EQ(menu->items[2].id, 303u);
  EXPECT_EQ(Narrow(menu->items[2].text), "A&fficher la boîte de dialogue à l'impression");
  EXPECT_EQ(script_->menus.size(), 1u);

  ASSERT_EQ(script_->cursors.size(), 2u);
  for (int id : {kMoveWatermarkCursor, kTurnWatermarkCursor}) {
    const res::CursorResource* cursor = res::FindCursor(module_, MAKEINTRESOURCEW(id));
    ASSERT_NE(cursor, nullptr) << id;
    ASSERT_EQ(cursor->pixels.size(), static_cast<std::size_t>(cursor->width * cursor->height * 4)) << id;
    EXPECT_TRUE(cursor->hotX >= 0 && cursor->hotX < cursor->width && cursor->hotY >= 0 && cursor->hotY < cursor->height);
    int opaque = 0;
    for (std::size_t i = 3; i < cursor->pixels.size(); i += 4) opaque += cursor->pixels[i] != 0;
    EXPECT_GT(opaque, 0) << id;
    EXPECT_LT(opaque, cursor->width * cursor->height) << id;
  }
}

INSTANTIATE_TEST_SUITE_P(BothModels, Library,
                         ::testing::Values(Build{"qlresn.so", Model::N}, Build{"qlresp.so", Model::P}));

// Model P's text with model N's names in place of its own.
std::u16string AsModelN(const char16_t* text) {
  std::u16string out = text == nullptr ? u"" : text;
  const std::pair<std::u16string, std::u16string> names[] = {{u"qlhelpp", u"qlhelpn"}, {u"qlhostp_", u"qlhostn_"}};
  for (const auto& [own, modelN] : names) {
    for (std::size_t at = out.find(own); at != std::u16string::npos; at = out.find(own, at + 1)) {
      out.replace(at, own.size(), modelN);
    }
  }
  return out;
}

TEST(Models, DifferOnlyInTheirModelNames) {
  HMODULE n = Load("qlresn.so");
  HMODULE p = Load("qlresp.so");
  ASSERT_NE(n, nullptr);
  ASSERT_NE(p, nullptr);
  const res::ResourceScript* sn = res::FindResources(n);
  const res::ResourceScript* sp = res::FindResources(p);
  ASSERT_TRUE(sn != nullptr && sp != nullptr);

  ASSERT_EQ(sn->strings.size(), sp->strings.size());
  int differing = 0;
  for (std::size_t i = 0; i < sn->strings.size(); ++i) {
    ASSERT_EQ(sn->strings[i].id, sp->strings[i].id);
    EXPECT_EQ(Narrow(sn->strings[i].text), Narrow(AsModelN(sp->strings[i].text).c_str())) << sn->strings[i].id;
    differing += std::u16string(sn->strings[i].text) != sp->strings[i].text;
  }
  EXPECT_EQ(differing, 2) << "the two help file names";

  ASSERT_EQ(sn->dialogs.size(), sp->dialogs.size());
  int customControls = 0;
  for (std::size_t i = 0; i < sn->dialogs.size(); ++i) {
    const res::DialogTemplate& a = sn->dialogs[i];
    const res::DialogTemplate& b = sp->dialogs[i];
    const std::string name = "template " + std::to_string(a.id);
    EXPECT_EQ(a.id, b.id);
    EXPECT_EQ(Narrow(a.caption), Narrow(b.caption)) << name;
    EXPECT_EQ(Narrow(a.name), Narrow(b.name)) << name;
    EXPECT_TRUE(a.style == b.style && a.cx == b.cx && a.cy == b.cy) << name;
    ASSERT_EQ(a.controls.size(), b.controls.size()) << name;
    for (std::size_t k = 0; k < a.controls.size(); ++k) {
      const res::ControlTemplate& ca = a.controls[k];
      const res::ControlTemplate& cb = b.controls[k];
      EXPECT_EQ(Narrow(ca.className), Narrow(AsModelN(cb.className).c_str())) << name << " control " << ca.id;
      customControls += std::u16string(ca.className) != cb.className;
      EXPECT_TRUE(ca.id == cb.id && Narrow(ca.text) == Narrow(cb.text) && ca.x == cb.x && ca.y == cb.y &&
                  ca.cx == cb.cx && ca.cy == cb.cy && ca.style == cb.style)
          << name << " control " << ca.id;
    }
  }
  EXPECT_GT(customControls, 0);

  ASSERT_EQ(sn->menus.size(), sp->menus.size());
  ASSERT_EQ(sn->cursors.size(), sp->cursors.size());
  for (std::size_t i = 0; i < sn->cursors.size(); ++i) {
    EXPECT_TRUE(std::equal(sn->cursors[i].pixels.begin(), sn->cursors[i].pixels.end(), sp->cursors[i].pixels.begin(),
                           sp->cursors[i].pixels.end()));
  }
  FreeLibrary(n);
  FreeLibrary(p);
}

}  // namespace
}  // namespace tq::qlres
