// The list helpers and the bounded number filter on a dialog of the tests'
// own.
#include <vector>

#include "dialog_fixture.h"
#include "dialogs/edit_filters.h"
#include "dialogs/list_lines.h"

namespace tq::faxui {
namespace {

INT_PTR Quiet(HWND, UINT message, WPARAM, LPARAM) { return message == WM_INITDIALOG; }

class ListLines : public testing::DialogFixture {
 protected:
  void SetUp() override {
    DialogFixture::SetUp();
    dialog = Open(Quiet);
    ASSERT_NE(dialog, nullptr);
    for (const char16_t* line : {u"A <1>", u"B <2>", u"C <3>", u"D <4>"}) AddListLine(dialog, testing::kList, line);
  }
  void TearDown() override { DestroyWindow(dialog); }
  HWND List() { return GetDlgItem(dialog, testing::kList); }
  void Select(std::initializer_list<int> lines) {
    SendMessageW(List(), LB_SETSEL, FALSE, -1);
    for (int line : lines) SendMessageW(List(), LB_SETSEL, TRUE, line);
  }
  std::vector<std::u16string> Lines() {
    std::vector<std::u16string> lines;
    const int count = static_cast<int>(SendMessageW(List(), LB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) lines.push_back(ListLine(List(), i));
    return lines;
  }
  HWND dialog = nullptr;
};

TEST_F(ListLines, ReadAndSelectedWithinTheirBound) {
  EXPECT_EQ(ListLine(List(), 2), u"C <3>");
  EXPECT_EQ(ListLine(List(), 4), u"");
  EXPECT_EQ(ListLine(List(), -1), u"");
  Select({3, 0, 2});
  EXPECT_EQ(SelectedLines(dialog, testing::kList, 50), (std::vector<int>{0, 2, 3}));
  EXPECT_EQ(SelectedLines(dialog, testing::kList, 2), (std::vector<int>{0, 2}));
  EXPECT_TRUE(SelectedLines(dialog, testing::kList, 0).empty());
}

TEST_F(ListLines, RemovedFromTheHighestDownThenTheLowestIndexSelected) {
  Select({1, 3});
  std::vector<int> removed;
  EXPECT_EQ(RemoveSelectedLines(dialog, testing::kList, 50, [&](int line) { removed.push_back(line); }), 2);
  EXPECT_EQ(removed, (std::vector<int>{3, 1}));
  EXPECT_EQ(Lines(), (std::vector<std::u16string>{u"A <1>", u"C <3>"}));
  EXPECT_EQ(SelectedLines(dialog, testing::kList, 50), (std::vector<int>{1}));
}

TEST_F(ListLines, RemovingTheLastLinesSelectsTheNewLast) {
  Select({2, 3});
  EXPECT_EQ(RemoveSelectedLines(dialog, testing::kList, 50), 2);
  EXPECT_EQ(SelectedLines(dialog, testing::kList, 50), (std::vector<int>{1}));
  Select({0, 1});
  EXPECT_EQ(RemoveSelectedLines(dialog, testing::kList, 50), 2);
  EXPECT_TRUE(Lines().empty());
  EXPECT_EQ(RemoveSelectedLines(dialog, testing::kList, 50), 0);
}

TEST_F(ListLines, ABoundedNumberKeepsDigitsInRange) {
  auto text = [&] {
    char16_t buffer[8] = {};
    GetDlgItemTextW(dialog, testing::kEdit, buffer, 8);
    return std::u16string(buffer);
  };
  std::int32_t kept = 5;
  SetDlgItemTextW(dialog, testing::kEdit, u"42");
  FilterBoundedNumber(dialog, testing::kEdit, 2, 59, kept);
  EXPECT_EQ(kept, 42);
  SetDlgItemTextW(dialog, testing::kEdit, u"4x");
  FilterBoundedNumber(dialog, testing::kEdit, 2, 59, kept);
  EXPECT_EQ(text(), u"4");  // the letter taken out, the value left for the next change
  EXPECT_EQ(kept, 42);
  SetDlgItemTextW(dialog, testing::kEdit, u"75");
  FilterBoundedNumber(dialog, testing::kEdit, 2, 59, kept);
  EXPECT_EQ(kept, 42);
  EXPECT_EQ(text(), u"42");  // too large: the last kept value shown again
}

}  // namespace
}  // namespace tq::faxui
