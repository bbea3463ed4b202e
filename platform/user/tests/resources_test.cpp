// Resources found from a module's handle (a library loaded with
// LoadLibraryW) and from a registration.
#include "script_fixture.h"
#include "win/resource.h"

namespace {

class ResourcesTest : public ScriptTest {
 protected:
  void SetUp() override {
    ScriptTest::SetUp();
    module_ = LoadLibraryW(u"" TELEQUILL_BIN_DIR "/tq_user_test_resources.so");
    ASSERT_NE(module_, nullptr);
  }
  void TearDown() override {
    FreeLibrary(module_);
    ScriptTest::TearDown();
  }
  HMODULE module_ = nullptr;
};

}  // namespace

TEST_F(ResourcesTest, StringsFromTheModule) {
  char16_t buffer[32];
  EXPECT_EQ(LoadStringW(module_, 1002, buffer, 32), 15);
  EXPECT_EQ(std::u16string(buffer), u"Numéro de fax :");
  EXPECT_EQ(LoadStringW(module_, 1002, buffer, 4), 3);  // cut, with its terminator
  EXPECT_EQ(std::u16string(buffer), u"Num");
  const char16_t* direct = nullptr;
  EXPECT_EQ(LoadStringW(module_, 1001, reinterpret_cast<LPWSTR>(&direct), 0), 5);
  EXPECT_EQ(std::u16string(direct, 5), u"Nom :");
  buffer[0] = u'x';
  EXPECT_EQ(LoadStringW(module_, 4242, buffer, 32), 0);
  EXPECT_EQ(buffer[0], 0);
  EXPECT_EQ(LoadStringW(sample::Instance(), 1001, buffer, 32), 0);  // another module's script
  // A handle that is no module finds nothing, and does not crash.
  EXPECT_EQ(LoadStringW(reinterpret_cast<HINSTANCE>(static_cast<ULONG_PTR>(0x7777000)), 1001, buffer, 32), 0);
  EXPECT_EQ(DialogBoxParamW(reinterpret_cast<HINSTANCE>(&buffer), MAKEINTRESOURCEW(109), nullptr, nullptr, 0), -1);
}

TEST_F(ResourcesTest, DialogsAndBitmapsFromTheModule) {
  const tq::res::DialogTemplate* about = tq::res::FindDialog(module_, MAKEINTRESOURCEW(109));
  ASSERT_NE(about, nullptr);
  EXPECT_EQ(about->controls.size(), 2u);
  EXPECT_EQ(tq::res::FindDialog(module_, u"#109"), about);
  EXPECT_EQ(tq::res::FindDialog(module_, u"109"), about);
  EXPECT_EQ(tq::res::FindDialog(module_, u"#10x"), nullptr);
  HBITMAP band = LoadBitmapW(module_, MAKEINTRESOURCEW(103));
  ASSERT_NE(band, nullptr);
  EXPECT_EQ(tq::res::BitmapData(band)->width, 2);
  EXPECT_EQ(tq::res::BitmapData(band)->pixels[6], 0xFF);
  EXPECT_EQ(LoadBitmapW(module_, MAKEINTRESOURCEW(104)), nullptr);
}

TEST_F(ResourcesTest, MenusAndCursorsFromTheModule) {
  const tq::res::MenuResource* menu = tq::res::FindMenu(module_, MAKEINTRESOURCEW(400));
  ASSERT_NE(menu, nullptr);
  ASSERT_EQ(menu->items.size(), 3u);
  EXPECT_EQ(std::u16string(menu->items[0].text), u"&Ouvrir");
  EXPECT_EQ(menu->items[1].flags, MF_SEPARATOR);
  EXPECT_EQ(menu->items[2].id, 402u);
  EXPECT_EQ(tq::res::FindMenu(module_, u"#400"), menu);
  EXPECT_EQ(tq::res::FindMenu(module_, MAKEINTRESOURCEW(105)), nullptr);  // a cursor's identifier
  const tq::res::CursorResource* cursor = tq::res::FindCursor(module_, MAKEINTRESOURCEW(105));
  ASSERT_NE(cursor, nullptr);
  EXPECT_EQ(cursor->pixels.size(), static_cast<std::size_t>(cursor->width * cursor->height * 4));
  EXPECT_EQ(tq::res::FindCursor(module_, MAKEINTRESOURCEW(400)), nullptr);
  EXPECT_EQ(tq::res::FindCursor(sample::Instance(), MAKEINTRESOURCEW(105)), nullptr);
}

INT_PTR EndOnCommand(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  if (message == WM_COMMAND) EndDialog(dialog, LOWORD(wParam));
  return message == WM_INITDIALOG || message == WM_COMMAND;
}

TEST_F(ResourcesTest, DialogFromTheModuleAndAMissingTemplate) {
  UseScript("dialog 109\nexpect-text 901 Telequill\nkey 901 enter\n");
  EXPECT_EQ(DialogBoxParamW(module_, MAKEINTRESOURCEW(109), nullptr, EndOnCommand, 0), IDOK);
  SetLastError(0);
  EXPECT_EQ(DialogBoxParamW(module_, MAKEINTRESOURCEW(110), nullptr, EndOnCommand, 0), -1);
  EXPECT_EQ(GetLastError(), ERROR_RESOURCE_NAME_NOT_FOUND);
  EXPECT_EQ(Transcript(), "dialog 109 open \"À propos de\"\ndialog 109 end 1\n");
}

// A script that gives one identifier twice would let the first shadow the
// second: it is refused whole, and the instance keeps the script it had.
TEST_F(ResourcesTest, ScriptsWithADuplicateIdentifierAreRefused) {
  const HINSTANCE instance = reinterpret_cast<HINSTANCE>(static_cast<ULONG_PTR>(0x6d0d));
  static const tq::res::StringResource good[] = {{1, u"un"}, {2, u"deux"}};
  static const tq::res::StringResource twice[] = {{1, u"un"}, {2, u"deux"}, {1, u"encore"}};
  static const tq::res::ControlTemplate controls[] = {{WC_BUTTONW, IDOK, u"OK", 0, 0, 10, 10}};
  static const tq::res::DialogTemplate dialogs[] = {{7, u"A", 0, 0, 0, 0, 10, 10, controls},
                                                    {7, u"B", 0, 0, 0, 0, 10, 10, controls}};
  static const tq::res::ResourceScript first{{}, good, {}};
  static const tq::res::ResourceScript repeatedString{{}, twice, {}};
  static const tq::res::ResourceScript repeatedDialog{dialogs, good, {}};

  EXPECT_EQ(tq::res::FirstDuplicate(first), std::nullopt);
  EXPECT_EQ(tq::res::FirstDuplicate(repeatedString), "string 1");
  EXPECT_EQ(tq::res::FirstDuplicate(repeatedDialog), "dialog 7");

  ASSERT_TRUE(tq::res::RegisterResources(instance, first));
  EXPECT_FALSE(tq::res::RegisterResources(instance, repeatedString));
  EXPECT_FALSE(tq::res::RegisterResources(instance, repeatedDialog));
  EXPECT_EQ(tq::res::FindResources(instance), &first);
}

// A template named by a string is found by that name in any case, never by
// a number; two templates of one name are refused like two of one number.
TEST_F(ResourcesTest, NamedTemplates) {
  const HINSTANCE instance = reinterpret_cast<HINSTANCE>(static_cast<ULONG_PTR>(0x6d0e));
  static const tq::res::ControlTemplate controls[] = {{WC_BUTTONW, IDOK, u"OK", 0, 0, 10, 10}};
  static const tq::res::DialogTemplate dialogs[] = {
      {0, u"Numéro zéro", 0, 0, 0, 0, 10, 10, controls},
      {0, u"À propos", 0, 0, 0, 0, 10, 10, controls, u"", 0, u"ABOUTBOX"},
      {0, u"Info", 0, 0, 0, 0, 10, 10, controls, u"", 0, u"INFOBOX"},
  };
  static const tq::res::ResourceScript script{dialogs, {}, {}};
  ASSERT_TRUE(tq::res::RegisterResources(instance, script));
  EXPECT_EQ(tq::res::FindDialog(instance, u"ABOUTBOX"), &dialogs[1]);
  EXPECT_EQ(tq::res::FindDialog(instance, u"aboutBox"), &dialogs[1]);
  EXPECT_EQ(tq::res::FindDialog(instance, u"#0"), &dialogs[0]) << "numbers name numbered templates only";
  EXPECT_EQ(tq::res::FindDialog(instance, u"ABOUT"), nullptr);

  static const tq::res::DialogTemplate twice[] = {
      {0, u"A", 0, 0, 0, 0, 10, 10, controls, u"", 0, u"ABOUTBOX"},
      {0, u"B", 0, 0, 0, 0, 10, 10, controls, u"", 0, u"AboutBox"},
  };
  EXPECT_EQ(tq::res::FirstDuplicate({twice, {}, {}}), "dialog ABOUTBOX");
}

// The parts of a module each bring their own templates and strings.
TEST_F(ResourcesTest, AGatheredScriptHoldsEveryPartInOrder) {
  static const tq::res::StringResource one[] = {{1, u"un"}};
  static const tq::res::StringResource two[] = {{2, u"deux"}, {3, u"trois"}};
  const tq::res::GatheredScript gathered{{{}, one, {}}, {{}, two, {}}};
  ASSERT_EQ(gathered.script().strings.size(), 3u);
  EXPECT_EQ(gathered.script().strings[2].id, 3u);
  const tq::res::GatheredScript clash{{{}, two, {}}, {{}, two, {}}};
  EXPECT_EQ(tq::res::FirstDuplicate(clash.script()), "string 2");

  // Menus and cursors are gathered and checked like the rest.
  static const tq::res::MenuItemTemplate items[] = {{1, u"&Un"}};
  static const tq::res::MenuResource menus[] = {{300, items}};
  static const BYTE pixel[] = {0, 0, 0, 0xFF};
  static const tq::res::CursorResource cursors[] = {{9, 1, 1, 0, 0, pixel}};
  const tq::res::GatheredScript withMenus{{{}, one, {}, menus, cursors}, {{}, two, {}, {}, cursors}};
  EXPECT_EQ(withMenus.script().menus.size(), 1u);
  EXPECT_EQ(tq::res::FirstDuplicate(withMenus.script()), "cursor 9");
  const tq::res::GatheredScript twoMenus{{{}, {}, {}, menus}, {{}, {}, {}, menus}};
  EXPECT_EQ(tq::res::FirstDuplicate(twoMenus.script()), "menu 300");
}
