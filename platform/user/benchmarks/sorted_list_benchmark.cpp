// Sorted list box insertion against std::sort under the same comparison,
// and LB_FINDSTRINGEXACT against one linear pass over the same strings.
// Reported as ratios (inserts/sort, find/pass); the targets are at most 5
// and at most 2.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <random>
#include <string>
#include <vector>

#include "testing/ratio_report.h"
#include "win/face.h"
#include "win/list_order.h"
#include "win/resource.h"
#include "win/user.h"

namespace {

constexpr int kLines = 100000;
constexpr int kList = 601;

const tq::res::ControlTemplate kControls[] = {
    {WC_LISTBOXW, kList, u"", 0, 0, 200, 200, LBS_SORT | LBS_NOTIFY | LBS_EXTENDEDSEL},
};
const tq::res::DialogTemplate kDialogs[] = {
    {100, u"Carnet", WS_POPUP | WS_CAPTION, 0, 0, 0, 210, 210, kControls},
};
const tq::res::ResourceScript kScript{kDialogs, {}, {}};
HINSTANCE Instance() { return reinterpret_cast<HINSTANCE>(static_cast<ULONG_PTR>(0x5C0000)); }

INT_PTR Proc(HWND, UINT message, WPARAM, LPARAM) { return message == WM_INITDIALOG; }

// Phonebook-like display lines: names of mixed case with accents, numbers.
std::vector<std::u16string> Lines() {
  std::mt19937 random(1234);
  const std::u16string letters = u"abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZéèàç -";
  std::vector<std::u16string> lines;
  lines.reserve(kLines);
  for (int i = 0; i < kLines; ++i) {
    std::u16string line;
    const int length = 6 + static_cast<int>(random() % 20);
    for (int c = 0; c < length; ++c) line += letters[random() % letters.size()];
    line += u" <0" + std::u16string(1, static_cast<char16_t>(u'1' + random() % 9)) + u"234567" +
            std::u16string(1, static_cast<char16_t>(u'0' + i % 10)) + u">";
    lines.push_back(std::move(line));
  }
  return lines;
}

bool SameIgnoringCase(const std::u16string& a, const std::u16string& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    char16_t x = a[i];
    char16_t y = b[i];
    if (x >= u'A' && x <= u'Z') x = static_cast<char16_t>(x + 32);
    if (y >= u'A' && y <= u'Z') y = static_cast<char16_t>(y + 32);
    if (x != y) return false;
  }
  return true;
}

double Seconds(std::chrono::steady_clock::time_point start) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

void SortedListBox(benchmark::State& state) {
  tq::res::RegisterResources(Instance(), kScript);
  tq::ui::UseFace("headless");
  const std::vector<std::u16string> lines = Lines();
  const std::u16string& wanted = lines[kLines / 3];
  for (auto _ : state) {
    HWND dialog = CreateDialogParamW(Instance(), MAKEINTRESOURCEW(100), nullptr, Proc, 0);
    HWND list = GetDlgItem(dialog, kList);

    auto start = std::chrono::steady_clock::now();
    for (const std::u16string& line : lines) SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line.c_str()));
    const double inserts = Seconds(start);

    start = std::chrono::steady_clock::now();
    const LRESULT found = SendMessageW(list, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                       reinterpret_cast<LPARAM>(wanted.c_str()));
    const double find = Seconds(start);

    std::vector<std::u16string> sorted = lines;
    start = std::chrono::steady_clock::now();
    std::sort(sorted.begin(), sorted.end(),
              [](const std::u16string& a, const std::u16string& b) { return tq::ui::CompareListText(a, b) < 0; });
    const double sort = Seconds(start);

    // One linear pass over the strings in list order, to the last one.
    start = std::chrono::steady_clock::now();
    int matches = 0;
    for (const std::u16string& line : sorted) matches += SameIgnoringCase(line, wanted) ? 1 : 0;
    benchmark::DoNotOptimize(matches);
    const double pass = Seconds(start);

    if (found == LB_ERR) state.SkipWithError("LB_FINDSTRINGEXACT did not find the line");
    state.counters["inserts_s"] = inserts;
    state.counters["sort_s"] = sort;
    state.counters["find_s"] = find;
    state.counters["pass_s"] = pass;
    DestroyWindow(dialog);
  }
}

BENCHMARK(SortedListBox)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  tq::testing::RatioReport report("user_benchmarks");
  report.Run(&argc, argv);
  report.AddRatio("LB_ADDSTRING, 100,000 sorted", "std::sort", report.Counter("SortedListBox", "inserts_s"),
                  report.Counter("SortedListBox", "sort_s"), 5);
  report.AddRatio("LB_FINDSTRINGEXACT", "one linear pass", report.Counter("SortedListBox", "find_s"),
                  report.Counter("SortedListBox", "pass_s"), 2);
  return report.Finish();
}
