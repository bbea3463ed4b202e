// The controls' Win32 behaviour, message by message, on a modeless copy of
// the sample dialog whose procedure records the notifications it gets.
#include <algorithm>
#include <cstdio>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "failing_allocation.h"
#include "script_fixture.h"
#include "win/list_line_maker.h"
#include "win/user_input.h"

namespace {

std::vector<std::pair<int, int>> notifications;  // (control, code)

INT_PTR RecordingProc(HWND, UINT message, WPARAM wParam, LPARAM) {
  if (message == WM_COMMAND) notifications.emplace_back(LOWORD(wParam), HIWORD(wParam));
  return message == WM_INITDIALOG ? TRUE : FALSE;
}

class ControlsTest : public ScriptTest {
 protected:
  void SetUp() override {
    ScriptTest::SetUp();
    ASSERT_TRUE(tq::ui::UseFace("headless"));
    dialog_ = CreateDialogParamW(sample::Instance(), MAKEINTRESOURCEW(sample::kMainDialog), nullptr,
                                 RecordingProc, 0);
    ASSERT_NE(dialog_, nullptr);
    EXPECT_FALSE(IsWindowVisible(dialog_));  // a modeless dialog without WS_VISIBLE
    ShowWindow(dialog_, SW_SHOW);
    notifications.clear();
  }
  void TearDown() override {
    if (IsWindow(dialog_)) DestroyWindow(dialog_);
    ScriptTest::TearDown();
  }
  LRESULT Send(int id, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
    return SendDlgItemMessageW(dialog_, id, message, wParam, lParam);
  }
  LRESULT SendText(int id, UINT message, WPARAM wParam, const char16_t* text) {
    return Send(id, message, wParam, reinterpret_cast<LPARAM>(text));
  }
  std::u16string Text(int id) {
    char16_t buffer[256];
    GetDlgItemTextW(dialog_, id, buffer, 256);
    return buffer;
  }
  std::vector<std::u16string> Lines() {
    std::vector<std::u16string> lines;
    const int count = static_cast<int>(Send(sample::kNames, LB_GETCOUNT));
    for (int i = 0; i < count; ++i) {
      char16_t buffer[64];
      Send(sample::kNames, LB_GETTEXT, i, reinterpret_cast<LPARAM>(buffer));
      lines.push_back(buffer);
    }
    return lines;
  }
  void AddNames() {
    for (const auto& name : sample::StartNames()) SendText(sample::kNames, LB_ADDSTRING, 0, name.c_str());
  }
  HWND dialog_ = nullptr;
};

using Codes = std::vector<std::pair<int, int>>;
constexpr int kEdit = sample::kNumber;
constexpr int kList = sample::kNames;

}  // namespace

TEST_F(ControlsTest, EditChangeNotificationsFollowEveryChange) {
  // WM_SETTEXT ignores the limit and still notifies.
  Send(kEdit, EM_LIMITTEXT, 5);
  SetDlgItemTextW(dialog_, kEdit, u"0123456789");
  EXPECT_EQ(Text(kEdit), u"0123456789");
  EXPECT_EQ(notifications, (Codes{{kEdit, EN_UPDATE}, {kEdit, EN_CHANGE}}));
  notifications.clear();

  // EM_REPLACESEL keeps to the limit: what does not fit is cut, EN_MAXTEXT told.
  SetDlgItemTextW(dialog_, kEdit, u"");
  notifications.clear();
  SendText(kEdit, EM_REPLACESEL, FALSE, u"abcdefgh");
  EXPECT_EQ(Text(kEdit), u"abcde");
  EXPECT_EQ(notifications, (Codes{{kEdit, EN_MAXTEXT}, {kEdit, EN_UPDATE}, {kEdit, EN_CHANGE}}));
  notifications.clear();

  // Selecting sends nothing; an empty replacement of an empty selection changes nothing.
  Send(kEdit, EM_SETSEL, 2, 2);
  SendText(kEdit, EM_REPLACESEL, FALSE, u"");
  EXPECT_TRUE(notifications.empty());
}

TEST_F(ControlsTest, EditSelectionEdgeCases) {
  SetDlgItemTextW(dialog_, kEdit, u"hello");
  DWORD start = 99;
  DWORD end = 99;
  Send(kEdit, EM_SETSEL, 1, -1);  // -1 end: to the end of the text
  Send(kEdit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  EXPECT_EQ(std::make_pair(start, end), std::make_pair(1u, 5u));
  Send(kEdit, EM_SETSEL, 4, 2);  // reversed: reported in order
  EXPECT_EQ(Send(kEdit, EM_GETSEL), MAKELONG(2, 4));
  Send(kEdit, EM_SETSEL, 3, 100);  // past the end: the end
  EXPECT_EQ(Send(kEdit, EM_GETSEL), MAKELONG(3, 5));
  Send(kEdit, EM_SETSEL, static_cast<WPARAM>(-1), 0);  // -1 start: no selection, caret kept
  EXPECT_EQ(Send(kEdit, EM_GETSEL), MAKELONG(5, 5));
  EXPECT_EQ(Send(kEdit, EM_GETLIMITTEXT), 0x7FFF);
}

TEST_F(ControlsTest, ReadOnlyEditRefusesTypingButTakesSetText) {
  Send(kEdit, EM_SETREADONLY, TRUE);
  std::string why;
  EXPECT_TRUE(tq::ui::TypeText(GetDlgItem(dialog_, kEdit), u"123", &why));
  EXPECT_EQ(Text(kEdit), u"");
  EXPECT_TRUE(notifications.empty() || notifications.back().second != EN_CHANGE);
  SetDlgItemTextW(dialog_, kEdit, u"42");
  EXPECT_EQ(Text(kEdit), u"42");
  EXPECT_NE(GetWindowLongW(GetDlgItem(dialog_, kEdit), GWL_STYLE) & ES_READONLY, 0);
}

TEST_F(ControlsTest, SortedListUsesCaseInsensitiveOrder) {
  AddNames();
  EXPECT_EQ(Lines(), (std::vector<std::u16string>{u"alain", u"Bernard", u"claire", u"Dupont", u"Eliane",
                                                  u"éric", u"Fabien", u"Martin"}));
  // LB_INSERTSTRING never sorts; past the end is an error.
  EXPECT_EQ(SendText(kList, LB_INSERTSTRING, 0, u"Zoé"), 0);
  EXPECT_EQ(SendText(kList, LB_INSERTSTRING, 100, u"Yves"), LB_ERR);
  EXPECT_EQ(SendText(kList, LB_INSERTSTRING, static_cast<WPARAM>(-1), u"Yves"), 9);
  EXPECT_EQ(Send(kList, LB_DELETESTRING, 0), 9);
  EXPECT_EQ(Send(kList, LB_DELETESTRING, 9), LB_ERR);
  char16_t buffer[16];
  EXPECT_EQ(Send(kList, LB_GETTEXT, 42, reinterpret_cast<LPARAM>(buffer)), LB_ERR);
  EXPECT_EQ(Send(kList, LB_GETTEXTLEN, 1), 7);
}

// Reserved room is no line: a sorted list filled after LB_INITSTORAGE, when
// empty, after LB_RESETCONTENT and past the size of one block, keeps its order.
TEST_F(ControlsTest, SortedListFilledAfterInitStorage) {
  EXPECT_EQ(Send(kList, LB_INITSTORAGE, 1000, 32 * 1000), 1000);
  EXPECT_EQ(Send(kList, LB_GETCOUNT), 0);
  AddNames();
  EXPECT_EQ(Lines().front(), u"alain");
  EXPECT_EQ(Lines().back(), u"Martin");
  Send(kList, LB_RESETCONTENT);
  Send(kList, LB_INITSTORAGE, 1500, 0);
  // 1500 lines, added from the last to the first and then in order, with a
  // second reservation in the middle of a filled list.
  std::vector<std::u16string> expected;
  for (int i = 0; i < 1500; ++i) {
    char digits[8];
    std::snprintf(digits, sizeof digits, "%04d", i);
    expected.emplace_back(digits, digits + 4);
  }
  for (int i = 1499; i >= 750; --i) SendText(kList, LB_ADDSTRING, 0, expected[i].c_str());
  EXPECT_EQ(Send(kList, LB_INITSTORAGE, 750, 0), 1500);
  for (int i = 0; i < 750; ++i) EXPECT_EQ(SendText(kList, LB_ADDSTRING, 0, expected[i].c_str()), i);
  const int count = static_cast<int>(Send(kList, LB_GETCOUNT));
  ASSERT_EQ(count, 1500);
  char16_t buffer[8];
  for (int i = 0; i < count; i += 97) {
    Send(kList, LB_GETTEXT, i, reinterpret_cast<LPARAM>(buffer));
    EXPECT_EQ(std::u16string(buffer), expected[i]);
  }
  EXPECT_EQ(SendText(kList, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), u"1499"), 1499);
}

// Lines keep every character whatever the lines beside them hold: a block
// of one-byte characters takes a line beyond Latin-1 in its middle, the
// searches match without case on both kinds of block, and item data
// follows its line through the blocks an unsorted fill and insertions make.
TEST_F(ControlsTest, LinesKeepTheirCharactersAndDataBesideLinesBeyondLatin1) {
  const HWND list = GetDlgItem(dialog_, kList);
  std::vector<std::u16string> model;
  for (int i = 0; i < 1100; ++i) {
    char digits[8];
    std::snprintf(digits, sizeof digits, "%04d", i);
    model.push_back(u"ligne " + std::u16string(digits, digits + 4) + (i % 2 ? u" été" : u""));
    ASSERT_EQ(SendText(kList, LB_INSERTSTRING, static_cast<WPARAM>(-1), model.back().c_str()), i);
    Send(kList, LB_SETITEMDATA, i, 1000 + i);
  }
  EXPECT_EQ(SendText(kList, LB_INSERTSTRING, 700, u"Œuvre Ω 700"), 700);
  EXPECT_EQ(SendText(kList, LB_INSERTSTRING, 701, u"Ärger"), 701);
  model.insert(model.begin() + 700, {u"Œuvre Ω 700", u"Ärger"});
  EXPECT_EQ(tq::ui::ItemTexts(list), model);
  EXPECT_EQ(Send(kList, LB_GETTEXTLEN, 700), 11);
  EXPECT_EQ(Send(kList, LB_GETITEMDATA, 699), 1699);
  EXPECT_EQ(Send(kList, LB_GETITEMDATA, 700), 0);
  EXPECT_EQ(Send(kList, LB_GETITEMDATA, 702), 1700);
  EXPECT_EQ(Send(kList, LB_GETITEMDATA, 1101), 2099);
  // Data beyond four bytes, and negative data, beside small data.
  constexpr LPARAM kLarge = static_cast<LPARAM>(0x123456789LL);
  EXPECT_EQ(Send(kList, LB_SETITEMDATA, 703, kLarge), TRUE);
  EXPECT_EQ(Send(kList, LB_SETITEMDATA, 704, -7), TRUE);
  EXPECT_EQ(Send(kList, LB_GETITEMDATA, 703), kLarge);
  EXPECT_EQ(Send(kList, LB_GETITEMDATA, 704), -7);
  EXPECT_EQ(Send(kList, LB_GETITEMDATA, 702), 1700);
  EXPECT_EQ(Send(kList, LB_GETITEMDATA, 705), 1703);
  EXPECT_EQ(SendText(kList, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), u"œUVRE ω 700"), 700);
  EXPECT_EQ(SendText(kList, LB_FINDSTRING, 650, u"äR"), 701);
  EXPECT_EQ(SendText(kList, LB_FINDSTRINGEXACT, 702, u"LIGNE 0001 ÉTÉ"), 1);  // round to the top
  EXPECT_EQ(SendText(kList, LB_FINDSTRING, static_cast<WPARAM>(-1), u"LIGNE 0999 É"), 1001);
  EXPECT_EQ(SendText(kList, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), u"Œuvre Ω 70"), LB_ERR);
  // Deleting the wide line leaves its neighbours whole.
  EXPECT_EQ(Send(kList, LB_DELETESTRING, 700), 1101);
  model.erase(model.begin() + 700);
  EXPECT_EQ(tq::ui::ItemTexts(list), model);
  char16_t buffer[16];
  EXPECT_EQ(Send(kList, LB_GETTEXT, 700, reinterpret_cast<LPARAM>(buffer)), 5);
  EXPECT_EQ(std::u16string(buffer), u"Ärger");
  EXPECT_EQ(Send(kList, LB_GETITEMDATA, 702), kLarge);
  EXPECT_EQ(Send(kList, LB_SETITEMDATA, static_cast<WPARAM>(-1), -kLarge), TRUE);
  EXPECT_EQ(Send(kList, LB_GETITEMDATA, 0), -kLarge);
  EXPECT_EQ(Send(kList, LB_GETITEMDATA, 1100), -kLarge);
  // An empty line first in an empty list, then a line before it.
  Send(kList, LB_RESETCONTENT);
  EXPECT_EQ(SendText(kList, LB_INSERTSTRING, static_cast<WPARAM>(-1), u""), 0);
  EXPECT_EQ(SendText(kList, LB_INSERTSTRING, 0, u"é"), 0);
  EXPECT_EQ(tq::ui::ItemTexts(list), (std::vector<std::u16string>{u"é", u""}));
  EXPECT_EQ(Send(kList, LB_GETTEXTLEN, 1), 0);
}

// A list whose owner makes its lines holds item data only: adding takes the
// data, the sorted list places each line by its made text, and reading,
// searching, selecting and deleting all go through the maker.
TEST_F(ControlsTest, MadeLinesComeFromTheOwnersDataInEveryRead) {
  const HWND list = GetDlgItem(dialog_, kList);
  const std::vector<std::u16string> names = {u"Zoé", u"andré", u"Émile", u"Bob"};
  int made = 0;
  ASSERT_TRUE(tq::ui::SetListLineMaker(list, [&](LPARAM data, std::u16string& line) {
    ++made;
    line += names[static_cast<std::size_t>(data)];
  }));
  for (LPARAM i = 0; i < 4; ++i) Send(kList, LB_ADDSTRING, 0, i);
  const std::vector<std::u16string> sorted = {u"andré", u"Bob", u"Émile", u"Zoé"};
  EXPECT_EQ(tq::ui::ItemTexts(list), sorted);
  EXPECT_EQ(Lines(), sorted);
  EXPECT_EQ(Send(kList, LB_GETITEMDATA, 2), 2);
  EXPECT_EQ(Send(kList, LB_GETTEXTLEN, 3), 3);
  EXPECT_EQ(SendText(kList, LB_FINDSTRING, static_cast<WPARAM>(-1), u"É"), 2);
  EXPECT_EQ(SendText(kList, LB_FINDSTRINGEXACT, 2, u"ANDRÉ"), 0);  // round to the top
  EXPECT_EQ(SendText(kList, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), u"andr"), LB_ERR);
  EXPECT_EQ(SendText(kList, LB_SELECTSTRING, static_cast<WPARAM>(-1), u"bo"), 1);
  EXPECT_EQ(Send(kList, LB_GETSEL, 1), 1);
  EXPECT_EQ(Send(kList, LB_INSERTSTRING, 0, 3), 0);  // no sorting: Bob again first
  EXPECT_EQ(Send(kList, LB_DELETESTRING, 3), 4);
  EXPECT_EQ(tq::ui::ItemTexts(list), (std::vector<std::u16string>{u"Bob", u"andré", u"Bob", u"Zoé"}));
  EXPECT_GT(made, 0);
  // Only an empty list box takes a maker.
  EXPECT_FALSE(tq::ui::SetListLineMaker(list, [](LPARAM, std::u16string&) {}));
  EXPECT_FALSE(tq::ui::SetListLineMaker(dialog_, [](LPARAM, std::u16string&) {}));

  // Over several blocks, once a search has measured them, the searches
  // agree with a plain scan; a line given new data is found by its new text.
  Send(kList, LB_RESETCONTENT);
  std::vector<std::u16string> lines;
  for (int i = 0; i < 1500; ++i) {
    char digits[8];
    std::snprintf(digits, sizeof digits, "%04d", i * 7919 % 1500);
    lines.push_back(u"ligne " + std::u16string(digits, digits + 4));
  }
  lines.push_back(u"nouvelle");
  ASSERT_TRUE(tq::ui::SetListLineMaker(list, [&](LPARAM data, std::u16string& line) {
    line += lines[static_cast<std::size_t>(data)];
  }));
  for (LPARAM i = 0; i < 1500; ++i) Send(kList, LB_INSERTSTRING, static_cast<WPARAM>(-1), i);
  const auto lower = [](std::u16string text) {
    for (char16_t& c : text) c = c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c + 32) : c;
    return text;
  };
  const auto scan = [&](int after, const std::u16string& text) {
    for (int step = 1; step <= 1500; ++step) {
      const int index = (after + step + 1500) % 1500;
      if (lines[static_cast<std::size_t>(index)].starts_with(lower(text))) return index;
    }
    return static_cast<int>(LB_ERR);
  };
  for (const char16_t* text : {u"LIGNE 1499", u"ligne 07", u"ligne 2", u"absente"}) {
    for (const int after : {-1, 700, 1499}) {
      EXPECT_EQ(SendText(kList, LB_FINDSTRING, static_cast<WPARAM>(after), text), scan(after, text)) << after;
    }
  }
  EXPECT_EQ(Send(kList, LB_SETITEMDATA, 3, 1500), TRUE);
  EXPECT_EQ(SendText(kList, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), u"NOUVELLE"), 3);
}

// A block whose lines pass 65,535 characters keeps every line whole: long
// lines before and after that mark, a deletion among them, a search that
// ends beyond it, and the split when short lines fill the block.
TEST_F(ControlsTest, LongLinesPastTheShortEndsOfABlockStayWhole) {
  const HWND list = GetDlgItem(dialog_, kList);
  std::vector<std::u16string> model;
  for (int i = 0; i < 10; ++i) {
    model.push_back(std::u16string(8000, u'a' + static_cast<char16_t>(i)) + u" fin " + static_cast<char16_t>(u'0' + i));
    ASSERT_EQ(SendText(kList, LB_INSERTSTRING, static_cast<WPARAM>(-1), model.back().c_str()), i);
  }
  EXPECT_EQ(tq::ui::ItemTexts(list), model);
  EXPECT_EQ(Send(kList, LB_GETTEXTLEN, 9), 8006);
  const std::u16string ninth = std::u16string(8000, u'j') + u" FIN 9";
  EXPECT_EQ(SendText(kList, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), ninth.c_str()), 9);
  EXPECT_EQ(Send(kList, LB_DELETESTRING, 4), 9);
  model.erase(model.begin() + 4);
  EXPECT_EQ(tq::ui::ItemTexts(list), model);
  for (int i = 0; i < 600; ++i) {
    const std::u16string line = u"court " + std::u16string(1, static_cast<char16_t>(u'A' + i % 26));
    model.insert(model.begin() + 5, line);
    ASSERT_EQ(SendText(kList, LB_INSERTSTRING, 5, line.c_str()), 5);
  }
  EXPECT_EQ(tq::ui::ItemTexts(list), model);
  EXPECT_EQ(SendText(kList, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), ninth.c_str()), 608);
}

// A line the list finds no memory for is answered LB_ERRSPACE and leaves
// the list as it was, whichever allocation fails: the item's, the widening
// of a block for a character beyond Latin-1, the split of the full block
// (which only waits for a later insertion).
TEST_F(ControlsTest, LineWithoutMemoryAnswersErrSpaceAndLeavesTheListAsItWas) {
  if (!failing_allocation::kAvailable) GTEST_SKIP() << "operator new is the address sanitizer's";
  const HWND list = GetDlgItem(dialog_, kList);
  for (int i = 0; i < 600; ++i) {  // more than a block, filled in order
    char line[16];
    std::snprintf(line, sizeof line, "line%04d", i);
    const std::u16string text(line, line + 8);
    SendText(kList, LB_ADDSTRING, 0, text.c_str());
    Send(kList, LB_SETITEMDATA, i, i);
    if (i % 7 == 0) Send(kList, LB_SETSEL, TRUE, i);
  }
  struct State {
    std::vector<std::u16string> texts;
    std::vector<LRESULT> data;
    std::vector<int> selected;
    bool operator==(const State&) const = default;
  };
  auto state = [&] {
    State now{tq::ui::ItemTexts(list), {}, tq::ui::SelectedItems(list)};
    for (int i = 0; i < static_cast<int>(now.texts.size()); ++i) now.data.push_back(Send(kList, LB_GETITEMDATA, i));
    return now;
  };
  const State before = state();
  State after = before;
  after.texts.insert(after.texts.begin() + 301, u"line0300Ω");
  after.data.insert(after.data.begin() + 301, 0);
  for (int& index : after.selected) index += index >= 301 ? 1 : 0;
  int refused = 0;
  for (long allocation = 0;; ++allocation) {
    failing_allocation::FailAfter(allocation);
    const LRESULT at = SendText(kList, LB_ADDSTRING, 0, u"line0300Ω");
    const bool failed = failing_allocation::Failed();
    failing_allocation::FailAfter(-1);
    if (at == LB_ERRSPACE) {
      ++refused;
      ASSERT_EQ(state(), before) << "allocation " << allocation;
      continue;
    }
    ASSERT_EQ(at, 301) << "allocation " << allocation;
    ASSERT_EQ(state(), after) << "allocation " << allocation;
    if (!failed) break;  // past every allocation the insertion makes
    Send(kList, LB_DELETESTRING, 301);
    ASSERT_EQ(state(), before) << "allocation " << allocation;
  }
  EXPECT_GT(refused, 0);
  // Data that needs eight bytes where a block kept four: LB_ERR without
  // memory for them, and the data as they were.
  constexpr LPARAM kLarge = static_cast<LPARAM>(0x123456789LL);
  for (const WPARAM index : {static_cast<WPARAM>(5), static_cast<WPARAM>(-1)}) {
    failing_allocation::FailAfter(0);
    EXPECT_EQ(Send(kList, LB_SETITEMDATA, index, kLarge), LB_ERR);
    failing_allocation::FailAfter(-1);
    EXPECT_EQ(state(), after);
  }
  EXPECT_EQ(Send(kList, LB_SETITEMDATA, 5, kLarge), TRUE);
  EXPECT_EQ(Send(kList, LB_GETITEMDATA, 5), kLarge);
  EXPECT_EQ(Send(kList, LB_GETITEMDATA, 6), 6);
}

TEST_F(ControlsTest, PrefixSearchStartsAfterTheIndexAndWrapsAround) {
  AddNames();  // alain Bernard claire Dupont Eliane éric Fabien Martin
  EXPECT_EQ(SendText(kList, LB_FINDSTRING, static_cast<WPARAM>(-1), u"e"), 4);
  EXPECT_EQ(SendText(kList, LB_FINDSTRING, 4, u"E"), 4);     // wraps round to itself
  EXPECT_EQ(SendText(kList, LB_FINDSTRING, 5, u"AL"), 0);    // wraps to the top
  EXPECT_EQ(SendText(kList, LB_FINDSTRING, 100, u"m"), 7);   // past the end: from the top
  EXPECT_EQ(SendText(kList, LB_FINDSTRING, 0, u""), LB_ERR);  // empty text finds nothing
  EXPECT_EQ(SendText(kList, LB_FINDSTRING, 0, u"x"), LB_ERR);
  EXPECT_EQ(SendText(kList, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), u"DUPONT"), 3);
  EXPECT_EQ(SendText(kList, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), u"Dupon"), LB_ERR);
  EXPECT_EQ(SendText(kList, LB_SELECTSTRING, static_cast<WPARAM>(-1), u"fa"), 6);
  EXPECT_EQ(Send(kList, LB_GETSEL, 6), 1);
  EXPECT_EQ(Send(kList, LB_GETTOPINDEX), 6);
  EXPECT_TRUE(notifications.empty());  // programmatic selection does not notify
}

// The searches skip blocks of lines by the range their texts span; on a
// list of several blocks filled in and out of order, with lines deleted,
// every search still finds what a scan of every line from the start index
// finds: prefixes with other case and accents, texts longer than the
// range's key, misses just past and between lines, exact texts.
TEST_F(ControlsTest, SearchesOnAManyBlockListFindWhatAScanFinds) {
  auto fold = [](std::u16string text) {  // Latin-1 letters lose their case as the list's do
    for (char16_t& c : text) {
      if ((c >= u'A' && c <= u'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7)) c = static_cast<char16_t>(c + 0x20);
    }
    return text;
  };
  const std::u16string stems[] = {u"Dupont", u"dupond", u"DÉSIRÉ", u"désiré", u"Eric", u"Émile",
                                  u"Établissements Martin et fils, service ", u"Zoé"};
  std::mt19937 random(25);
  int next = 0;
  auto line = [&] {
    const std::u16string& stem = stems[random() % std::size(stems)];
    const std::string digits = std::to_string(next++ * 7 % 4000);
    return stem + std::u16string(digits.begin(), digits.end());
  };
  for (int i = 0; i < 2000; ++i) SendText(kList, LB_ADDSTRING, 0, line().c_str());
  for (int i = 0; i < 700; ++i) {  // unsorted insertions spread over the blocks
    const auto at = static_cast<WPARAM>(random() % static_cast<unsigned>(Send(kList, LB_GETCOUNT) + 1));
    SendText(kList, LB_INSERTSTRING, at, line().c_str());
  }
  for (int i = 0; i < 400; ++i) Send(kList, LB_DELETESTRING, random() % static_cast<unsigned>(Send(kList, LB_GETCOUNT)));

  const std::vector<std::u16string> lines = Lines();
  const int count = static_cast<int>(lines.size());
  auto scan = [&](int after, const std::u16string& text, bool exact) -> LRESULT {
    const std::u16string wanted = fold(text);
    const int start = after + 1 < 0 || after + 1 >= count ? 0 : after + 1;
    for (int k = 0; k < count; ++k) {
      const int i = (start + k) % count;
      const std::u16string folded = fold(lines[i]);
      if (exact ? folded == wanted : folded.starts_with(wanted)) return i;
    }
    return LB_ERR;
  };
  std::vector<std::u16string> queries = {u"Établissements Martin et fils, service 39",
                                         u"établissements martin et fils, service 3999x", u"DUPONT1",
                                         u"dupont-", u"désire", u"Désiré", u"Emile", u"F", u"Zoé3", u"zz"};
  for (int i = 0; i < 60; ++i) {
    const std::u16string& from = lines[random() % lines.size()];
    queries.push_back(from.substr(0, 1 + random() % from.size()));
    queries.push_back(fold(from) + u"0");
  }
  for (const auto& query : queries) {
    for (int after : {-1, 0, count / 3, count - 1, count + 5}) {
      EXPECT_EQ(SendText(kList, LB_FINDSTRING, static_cast<WPARAM>(after), query.c_str()), scan(after, query, false))
          << "after " << after;
      EXPECT_EQ(SendText(kList, LB_FINDSTRINGEXACT, static_cast<WPARAM>(after), query.c_str()),
                scan(after, query, true))
          << "after " << after;
    }
  }
}

TEST_F(ControlsTest, ExtendedSelectionAndGetSelItems) {
  AddNames();
  EXPECT_EQ(Send(kList, LB_SETSEL, TRUE, 1), LB_OKAY);
  EXPECT_EQ(Send(kList, LB_SETSEL, TRUE, 6), LB_OKAY);
  EXPECT_EQ(Send(kList, LB_SETSEL, TRUE, 60), LB_ERR);
  EXPECT_EQ(Send(kList, LB_GETSELCOUNT), 2);
  int items[8] = {};
  EXPECT_EQ(Send(kList, LB_GETSELITEMS, 8, reinterpret_cast<LPARAM>(items)), 2);
  EXPECT_EQ(items[0], 1);
  EXPECT_EQ(items[1], 6);
  EXPECT_EQ(Send(kList, LB_GETSELITEMS, 1, reinterpret_cast<LPARAM>(items)), 1);
  EXPECT_EQ(Send(kList, LB_SETCURSEL, 2), LB_ERR);  // single-selection message
  Send(kList, LB_SETSEL, TRUE, -1);
  EXPECT_EQ(Send(kList, LB_GETSELCOUNT), 8);
  // A deleted line takes its selection with it.
  Send(kList, LB_SETSEL, FALSE, -1);
  Send(kList, LB_SETSEL, TRUE, 3);
  Send(kList, LB_DELETESTRING, 3);
  EXPECT_EQ(Send(kList, LB_GETSELCOUNT), 0);
  // Item data, -1 for all.
  EXPECT_EQ(Send(kList, LB_SETITEMDATA, static_cast<WPARAM>(-1), 7), TRUE);
  Send(kList, LB_SETITEMDATA, 2, 42);
  EXPECT_EQ(Send(kList, LB_GETITEMDATA, 2), 42);
  EXPECT_EQ(Send(kList, LB_GETITEMDATA, 0), 7);
  EXPECT_EQ(Send(kList, LB_GETITEMDATA, 99), LB_ERR);
  EXPECT_EQ(Send(kList, LB_SETTOPINDEX, 99), LB_ERR);
  EXPECT_EQ(Send(kList, LB_SETTOPINDEX, 2), LB_OKAY);
}

// The selection follows its lines while lines are inserted before them,
// blocks of lines split and lines are deleted, against a model kept by
// text: the count, the listed indices and clearing stay right throughout.
TEST_F(ControlsTest, SelectionFollowsItsLinesThroughInsertionsAndDeletions) {
  std::vector<std::u16string> texts;
  for (int i = 0; i < 3000; ++i) {
    char digits[8];
    std::snprintf(digits, sizeof digits, "%04d", (i * 7919) % 3000);  // every line once, out of order
    texts.emplace_back(digits, digits + 4);
  }
  std::vector<std::u16string> selected;  // the model, by text
  auto indexOf = [&](const std::u16string& text) {
    return static_cast<int>(SendText(kList, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), text.c_str()));
  };
  auto expectModel = [&](const char* when) {
    std::vector<int> expected;
    for (const auto& text : selected) expected.push_back(indexOf(text));
    std::sort(expected.begin(), expected.end());
    ASSERT_EQ(Send(kList, LB_GETSELCOUNT), static_cast<LRESULT>(expected.size())) << when;
    std::vector<int> listed(expected.size() + 1, -1);
    ASSERT_EQ(Send(kList, LB_GETSELITEMS, listed.size(), reinterpret_cast<LPARAM>(listed.data())),
              static_cast<LRESULT>(expected.size()))
        << when;
    listed.pop_back();
    EXPECT_EQ(listed, expected) << when;
  };
  for (std::size_t i = 0; i < texts.size(); ++i) {
    const int at = static_cast<int>(SendText(kList, LB_ADDSTRING, 0, texts[i].c_str()));
    if (i % 5 == 0) {
      Send(kList, LB_SETSEL, TRUE, at);
      selected.push_back(texts[i]);
    }
  }
  expectModel("filled");
  for (std::size_t i = 0; i < texts.size(); i += 3) {
    Send(kList, LB_DELETESTRING, indexOf(texts[i]));
    std::erase(selected, texts[i]);
  }
  expectModel("after deletions");
  int first = -1;
  EXPECT_EQ(Send(kList, LB_GETSELITEMS, 1, reinterpret_cast<LPARAM>(&first)), 1);
  Send(kList, LB_SETSEL, FALSE, -1);
  selected.clear();
  expectModel("cleared");
  Send(kList, LB_SELITEMRANGE, TRUE, MAKELPARAM(10, 1500));
  EXPECT_EQ(Send(kList, LB_GETSELCOUNT), 1491);
  Send(kList, LB_SETSEL, TRUE, -1);
  EXPECT_EQ(Send(kList, LB_GETSELCOUNT), Send(kList, LB_GETCOUNT));
}

TEST_F(ControlsTest, ClickSelectionNotifiesTheParent) {
  AddNames();
  std::string why;
  ASSERT_TRUE(tq::ui::SelectItems(GetDlgItem(dialog_, kList), {0, 2}, &why)) << why;
  // The click moves the focus from the edit (which had it from the dialog
  // manager) to the list, then changes the selection.
  EXPECT_EQ(notifications, (Codes{{kEdit, EN_KILLFOCUS}, {kList, LBN_SETFOCUS}, {kList, LBN_SELCHANGE}}));
  notifications.clear();
  ASSERT_TRUE(tq::ui::DoubleClickItem(GetDlgItem(dialog_, kList), 4, &why));
  EXPECT_EQ(notifications, (Codes{{kList, LBN_SELCHANGE}, {kList, LBN_DBLCLK}}));
  EXPECT_FALSE(tq::ui::SelectItems(GetDlgItem(dialog_, kList), {12}, &why));
  EXPECT_NE(why.find("past the end"), std::string::npos);
}

TEST_F(ControlsTest, ButtonsAndRadioGroups) {
  CheckRadioButton(dialog_, sample::kFine, sample::kFast, sample::kFine);
  EXPECT_EQ(IsDlgButtonChecked(dialog_, sample::kFine), BST_CHECKED);
  EXPECT_EQ(IsDlgButtonChecked(dialog_, sample::kStandard), BST_UNCHECKED);
  // BM_CLICK on an automatic radio button checks it and clears its group.
  Send(sample::kFast, BM_CLICK);
  EXPECT_EQ(IsDlgButtonChecked(dialog_, sample::kFast), BST_CHECKED);
  EXPECT_EQ(IsDlgButtonChecked(dialog_, sample::kFine), BST_UNCHECKED);
  EXPECT_EQ(notifications, (Codes{{sample::kFast, BN_CLICKED}}));
  // A disabled button takes no click.
  notifications.clear();
  EnableWindow(GetDlgItem(dialog_, sample::kReport), FALSE);
  Send(sample::kReport, BM_CLICK);
  EXPECT_EQ(IsDlgButtonChecked(dialog_, sample::kReport), BST_UNCHECKED);
  EXPECT_TRUE(notifications.empty());
  // Only three-state boxes keep the indeterminate state.
  CheckDlgButton(dialog_, sample::kReport, BST_INDETERMINATE);
  EXPECT_EQ(IsDlgButtonChecked(dialog_, sample::kReport), BST_CHECKED);
  EXPECT_EQ(Send(IDOK, WM_GETDLGCODE) & DLGC_DEFPUSHBUTTON, DLGC_DEFPUSHBUTTON);
  EXPECT_EQ(SendMessageW(dialog_, DM_GETDEFID, 0, 0), MAKELONG(IDOK, DC_HASDEFID));
}

TEST_F(ControlsTest, DialogItemNumbers) {
  BOOL translated = FALSE;
  SetDlgItemTextW(dialog_, kEdit, u"  -42 ");
  EXPECT_EQ(static_cast<INT>(GetDlgItemInt(dialog_, kEdit, &translated, TRUE)), -42);
  EXPECT_TRUE(translated);
  EXPECT_EQ(GetDlgItemInt(dialog_, kEdit, &translated, FALSE), 0u);
  EXPECT_FALSE(translated);
  SetDlgItemTextW(dialog_, kEdit, u"12a");
  EXPECT_EQ(GetDlgItemInt(dialog_, kEdit, &translated, FALSE), 0u);
  EXPECT_FALSE(translated);
  SetDlgItemInt(dialog_, kEdit, 4000000000u, FALSE);
  EXPECT_EQ(Text(kEdit), u"4000000000");
}

TEST_F(ControlsTest, BadHandlesFailAsWin32Does) {
  HWND edit = GetDlgItem(dialog_, kEdit);
  ASSERT_NE(edit, nullptr);
  EXPECT_EQ(GetDlgItem(dialog_, 4242), nullptr);
  EXPECT_EQ(SendDlgItemMessageW(dialog_, 4242, WM_GETTEXTLENGTH, 0, 0), 0);
  EXPECT_EQ(IsDlgButtonChecked(dialog_, 4242), 0u);
  DestroyWindow(dialog_);
  EXPECT_FALSE(IsWindow(dialog_));
  EXPECT_FALSE(IsWindow(edit));  // the children went with it
  SetLastError(0);
  EXPECT_EQ(SendMessageW(edit, WM_GETTEXTLENGTH, 0, 0), 0);
  EXPECT_EQ(GetLastError(), ERROR_INVALID_WINDOW_HANDLE);
  char16_t buffer[8] = u"stale";
  EXPECT_EQ(GetWindowTextW(dialog_, buffer, 8), 0);
  EXPECT_EQ(buffer[0], 0);
  EXPECT_FALSE(PostMessageW(dialog_, WM_COMMAND, IDOK, 0));
  EXPECT_FALSE(EnableWindow(dialog_, FALSE));
  EXPECT_FALSE(SetWindowTextW(dialog_, u"x"));
  EXPECT_FALSE(EndDialog(dialog_, 1));
  EXPECT_FALSE(DestroyWindow(dialog_));
  EXPECT_EQ(GetPropW(dialog_, u"QUILLM"), nullptr);
  EXPECT_EQ(GetDlgItem(nullptr, kEdit), nullptr);
}

TEST_F(ControlsTest, PropertiesAndWindowData) {
  int block = 0;
  EXPECT_TRUE(SetPropW(dialog_, u"QUILLM", &block));
  EXPECT_EQ(GetPropW(dialog_, u"QUILLM"), &block);
  EXPECT_EQ(GetPropW(dialog_, u"PQ_UI_PS"), nullptr);
  EXPECT_EQ(RemovePropW(dialog_, u"QUILLM"), &block);
  EXPECT_EQ(GetPropW(dialog_, u"QUILLM"), nullptr);
  SetWindowLongPtrW(dialog_, DWLP_USER, 99);
  EXPECT_EQ(GetWindowLongPtrW(dialog_, DWLP_USER), 99);
  EXPECT_EQ(GetParent(GetDlgItem(dialog_, kEdit)), dialog_);
  EXPECT_EQ(GetDlgCtrlID(GetDlgItem(dialog_, kEdit)), kEdit);
}

TEST_F(ControlsTest, EnableShowAndFocus) {
  HWND edit = GetDlgItem(dialog_, kEdit);
  EXPECT_FALSE(EnableWindow(edit, FALSE));  // was enabled
  EXPECT_TRUE(EnableWindow(edit, TRUE));    // was disabled
  EXPECT_TRUE(ShowWindow(dialog_, SW_HIDE));  // was visible
  EXPECT_FALSE(IsWindowVisible(edit));       // a hidden parent hides its children
  EXPECT_FALSE(ShowWindow(dialog_, SW_SHOW));
  EXPECT_TRUE(IsWindowVisible(edit));
  ShowWindow(edit, SW_HIDE);
  EXPECT_FALSE(IsWindowVisible(edit));
  SetFocus(GetDlgItem(dialog_, kList));
  EXPECT_EQ(GetFocus(), GetDlgItem(dialog_, kList));
  EXPECT_EQ(FindWindowW(nullptr, u"Échantillon"), dialog_);
  EXPECT_EQ(FindWindowW(nullptr, u"Nobody"), nullptr);
}

// The keys of an extended selection list: Home, End and the paging keys
// select the line they reach (the first key selects even when nothing was),
// Shift selects from the anchor, Ctrl moves the caret alone; each key stops
// at the ends.
TEST_F(ControlsTest, ListKeysSelectAsAnExtendedListDoes) {
  AddNames();
  const HWND list = GetDlgItem(dialog_, kList);
  std::string why;
  const auto press = [&](int key, bool shift = false, bool control = false) {
    tq::ui::HoldModifiers(shift, control);
    EXPECT_TRUE(tq::ui::PressKey(list, key, &why)) << why;
    tq::ui::HoldModifiers(false, false);
    return tq::ui::SelectedItems(list);
  };
  notifications.clear();
  EXPECT_EQ(press(VK_HOME), std::vector<int>{0});
  EXPECT_EQ(notifications.back(), std::make_pair(kList, static_cast<int>(LBN_SELCHANGE)));
  EXPECT_EQ(press(VK_UP), std::vector<int>{0});
  EXPECT_EQ(press(VK_END), std::vector<int>{7});
  EXPECT_EQ(press(VK_NEXT), std::vector<int>{7});
  const std::vector<int> pagedUp = press(VK_PRIOR);
  ASSERT_EQ(pagedUp.size(), 1u);
  EXPECT_LT(pagedUp[0], 6) << "a page is more than one line";
  EXPECT_EQ(Send(kList, LB_GETCARETINDEX), pagedUp[0]);
  EXPECT_EQ(press(VK_DOWN, true), (std::vector<int>{pagedUp[0], pagedUp[0] + 1}));
  EXPECT_EQ(press(VK_DOWN, true), (std::vector<int>{pagedUp[0], pagedUp[0] + 1, pagedUp[0] + 2}));
  EXPECT_EQ(press(VK_UP, true), (std::vector<int>{pagedUp[0], pagedUp[0] + 1}));
  // Ctrl: the caret moves, the selection stays.
  EXPECT_EQ(press(VK_HOME, false, true), (std::vector<int>{pagedUp[0], pagedUp[0] + 1}));
  EXPECT_EQ(Send(kList, LB_GETCARETINDEX), 0);
  EXPECT_EQ(press(VK_DOWN), std::vector<int>{1});
  // A line the program selects, as a search does, is where Shift starts.
  Send(kList, LB_SETSEL, FALSE, -1);
  Send(kList, LB_SETSEL, TRUE, 5);
  EXPECT_EQ(Send(kList, LB_GETANCHORINDEX), 5);
  EXPECT_EQ(press(VK_UP, true), (std::vector<int>{4, 5}));
}
