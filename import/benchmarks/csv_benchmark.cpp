// The CSV import of a 100,000-row file with three fax columns and the
// automatic search, up to the filled selection dialog on the headless face
// (which then cancels it), against `wc -l` on the same file plus filling a
// list box with the same lines; and the import's peak memory against the
// file's size.
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "file_imports.h"
#include "ids.h"
#include "import_run.h"
#include "resources.h"
#include "testing/ratio_report.h"
#include "win/text.h"
#include "win/user.h"

namespace {

constexpr int kRows = 100000;

std::string FilePath() { return (std::filesystem::temp_directory_path() / "telequill-csv-benchmark.csv").string(); }

void WriteFile(const std::string& path) {
  std::ofstream out(path, std::ios::trunc);
  out << "Nom,Societe,Fax bureau,Fax domicile,Autre fax\r\n";
  for (int i = 0; i < kRows; ++i) {
    out << "Contact " << i << ",Societe " << i % 97 << ",+33 1 " << 10000000 + i << ",\"01 " << i
        << ",22\",fax " << i * 7 << "\r\n";
  }
}

double Seconds(std::chrono::steady_clock::time_point start) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

long PeakKiB() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss;
}

double importPeakKiB = 0;

INT_PTR Plain(HWND, UINT message, WPARAM, LPARAM) { return message == WM_INITDIALOG ? TRUE : FALSE; }

void CsvImport(benchmark::State& state) {
  const std::string path = FilePath();
  for (auto _ : state) {
    tq::import::ImportRun run;
    int rejected = 0;
    const long before = PeakKiB();
    auto start = std::chrono::steady_clock::now();
    const int result = tq::import::ImportCsv(run, tq::Utf8ToUtf16(path), tq::import::kCsvAutomatic, rejected);
    const double import = Seconds(start);
    importPeakKiB = static_cast<double>(PeakKiB() - before);
    if (result < 0) state.SkipWithError("the import failed");

    start = std::chrono::steady_clock::now();
    const std::string count = "wc -l " + path + " > /dev/null";
    if (std::system(count.c_str()) != 0) state.SkipWithError("wc -l failed");
    HWND dialog = CreateDialogParamW(nullptr, MAKEINTRESOURCEW(tq::import::kCsvSelectDialog), nullptr, Plain, 0);
    std::ifstream in(path);
    std::string line;
    while (std::getline(in, line)) {
      const std::u16string text = tq::Utf8ToUtf16(line);
      SendDlgItemMessageW(dialog, tq::import::select::kAll, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
    }
    DestroyWindow(dialog);
    const double baseline = Seconds(start);
    state.counters["import_s"] = import;
    state.counters["baseline_s"] = baseline;
  }
}

BENCHMARK(CsvImport)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  setenv("TELEQUILL_UI", "headless", 1);
  tq::res::RegisterResources(nullptr, tq::import::kResourceScript);
  const std::string path = FilePath();
  WriteFile(path);
  const double fileKiB = static_cast<double>(std::filesystem::file_size(path)) / 1024;
  tq::testing::RatioReport report("import_benchmarks");
  report.Run(&argc, argv);
  report.AddRatio("CSV import, 100,000 rows x 3 fax columns, to the filled list", "wc -l + list box fill",
                  report.Counter("CsvImport", "import_s"), report.Counter("CsvImport", "baseline_s"), 3);
  report.AddRatio("CSV import peak memory", "file size", importPeakKiB, fileKiB, 3);
  std::filesystem::remove(path);
  return report.Finish();
}
