// The phonebook dialog on the store benchmark's phonebook (100,000
// individuals, 1,000 groups), on the headless face in this process:
// opening the management form against the store's listing plus one
// std::sort of the lines; a type-ahead keystroke (the first after the form
// opened, a hit, and a miss among 100,000 lines of the same prefix) against
// 1 ms; deleting one entry through the dialog
// against the store's delete alone.
//
//   phonebook_dialog_benchmark [google benchmark flags]
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "benchmark_phonebook.h"
#include "faxui/module_instance.h"
#include "faxui/resource_ids.h"
#include "phonebook/phonebook_dialog.h"
#include "phonebook/phonebook_dialog_resources.h"
#include "phonebook/phonebook_operations.h"
#include "phonebook/reading.h"
#include "phonebook/updates.h"
#include "testing/ratio_report.h"
#include "win/face.h"
#include "win/list_order.h"
#include "win/resource.h"
#include "win/text.h"
#include "win/user.h"

namespace {

using namespace tq;

const HINSTANCE kInstance = reinterpret_cast<HINSTANCE>(static_cast<ULONG_PTR>(0x9b0d));
std::u16string g_book;
// The next entry to delete, over every run of the delete benchmarks.
int g_nextDelete = 0;

HWND OpenManagementForm() {
  return CreateDialogParamW(kInstance, MAKEINTRESOURCEW(faxui::kPhonebookDialogId), nullptr, PhonebookDlgProc, 0);
}

std::u16string PersonLine(int i) {
  return Utf8ToUtf16("Person " + std::to_string(i) + " <" + std::to_string(100000 + i) + ">");
}

void ListAndSort(benchmark::State& state) {
  for (auto _ : state) {
    std::vector<std::u16string> lines;
    const auto outcome = phonebook::ListRecords(
        g_book, [&](phonebook::RecordType, std::u16string_view line) { lines.emplace_back(line); });
    if (!outcome.ok()) state.SkipWithError("list failed");
    std::sort(lines.begin(), lines.end(),
              [](const std::u16string& a, const std::u16string& b) { return ui::CompareListText(a, b) < 0; });
    benchmark::DoNotOptimize(lines.data());
  }
}

void OpenForm(benchmark::State& state) {
  for (auto _ : state) {
    HWND dialog = OpenManagementForm();
    if (SendDlgItemMessageW(dialog, faxui::pb::kEntryList, LB_GETCOUNT, 0, 0) < 100000) {
      state.SkipWithError("the form did not list the phonebook");
    }
    DestroyWindow(dialog);
  }
}

// Each keystroke changes edit 606 to the next of `texts`.
void TypeAhead(benchmark::State& state, std::vector<std::u16string> texts) {
  HWND dialog = OpenManagementForm();
  std::size_t next = 0;
  for (auto _ : state) {
    SetDlgItemTextW(dialog, faxui::pb::kSearchEdit, texts[next++ % texts.size()].c_str());
  }
  DestroyWindow(dialog);
}

// The first keystroke after the form was filled, a miss: the list has not
// searched its lines before.
void TypeAheadFirst(benchmark::State& state) {
  for (auto _ : state) {
    state.PauseTiming();
    HWND dialog = OpenManagementForm();
    state.ResumeTiming();
    SetDlgItemTextW(dialog, faxui::pb::kSearchEdit, u"Personne");
    state.PauseTiming();
    DestroyWindow(dialog);
    state.ResumeTiming();
  }
}

void TypeAheadHit(benchmark::State& state) { TypeAhead(state, {u"Person 9999", u"Group 99", u"Last"}); }
void TypeAheadMiss(benchmark::State& state) { TypeAhead(state, {u"Personne", u"Persona"}); }

// Even entries through the dialog (the Delete key on the selected line,
// answered yes), odd ones by the store alone.
void DeleteInDialog(benchmark::State& state) {
  HWND dialog = OpenManagementForm();
  HWND list = GetDlgItem(dialog, faxui::pb::kEntryList);
  for (auto _ : state) {
    state.PauseTiming();
    const std::u16string line = PersonLine(2 * g_nextDelete++);
    const LRESULT index =
        SendMessageW(list, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(line.c_str()));
    if (index == LB_ERR) {
      state.SkipWithError("no such line");
      break;
    }
    SendMessageW(list, LB_SETSEL, FALSE, -1);
    SendMessageW(list, LB_SETSEL, TRUE, index);
    const LRESULT before = SendMessageW(list, LB_GETCOUNT, 0, 0);
    state.ResumeTiming();
    SendMessageW(dialog, WM_VKEYTOITEM, MAKEWPARAM(VK_DELETE, 0), reinterpret_cast<LPARAM>(list));
    if (SendMessageW(list, LB_GETCOUNT, 0, 0) != before - 1) state.SkipWithError("the line stayed");
  }
  DestroyWindow(dialog);
}

void DeleteInStore(benchmark::State& state) {
  for (auto _ : state) {
    if (phonebook::DeleteRecord(g_book, PersonLine(2 * g_nextDelete++ + 1), phonebook::RecordType::Individual) !=
        StoreResult::Ok) {
      state.SkipWithError("delete failed");
    }
  }
}

}  // namespace

BENCHMARK(ListAndSort)->Unit(benchmark::kMillisecond);
BENCHMARK(OpenForm)->Unit(benchmark::kMillisecond);
BENCHMARK(TypeAheadFirst)->Unit(benchmark::kMillisecond)->Iterations(10);
BENCHMARK(TypeAheadHit)->Unit(benchmark::kMillisecond);
BENCHMARK(TypeAheadMiss)->Unit(benchmark::kMillisecond);
BENCHMARK(DeleteInStore)->Unit(benchmark::kMillisecond);
BENCHMARK(DeleteInDialog)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
  char pattern[] = "/tmp/phonebook-dialog-benchmark-XXXXXX";
  if (mkdtemp(pattern) == nullptr) return 1;
  setenv("TELEQUILL_ROOT", pattern, 1);
  const std::filesystem::path book =
      phonebook::bench::MakeBenchmarkPhonebook(std::filesystem::path(pattern) / "DEFAULT.AFD", 100000, 1000);
  g_book = Utf8ToUtf16(book.string());
  static const res::GatheredScript script{phonebook::PhonebookOperationsResources(), faxui::PhonebookDialogResources()};
  res::RegisterResources(kInstance, script.script());
  faxui::SetModuleInstance(kInstance);
  ui::UseFace("headless");

  testing::RatioReport report("phonebook_dialog_benchmark");
  report.Run(&argc, argv);
  report.AddTimeRatio("OpenForm", "ListAndSort", 3);
  report.AddTimeRatio("DeleteInDialog", "DeleteInStore", 1.2);
  for (const char* keystroke : {"TypeAheadFirst", "TypeAheadHit", "TypeAheadMiss"}) {
    if (const auto ms = report.Time(keystroke)) {
      char value[32];
      std::snprintf(value, sizeof value, "%.3f ms", *ms);
      report.Add({keystroke, "one keystroke", value, "<= 1 ms", *ms <= 1.0});
    }
  }
  std::filesystem::remove_all(pattern);
  return report.Finish();
}
