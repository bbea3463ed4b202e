// The whole CSV import of a 100,000-row file, as a person does it in
// qlimportn: the automatic search, every line of the selection list
// selected, "Vers->", OK, the confirmation, the result file written.
// Against `wc -l` on the same file plus filling a list box with its lines;
// and the import's peak memory, beyond that of importing a one-row file,
// against the file's size. Two files: a phonebook export with one fax
// number a row (a row is a line of each list), and an address book export
// with three fax columns filled (three lines a row).
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "testing/ratio_report.h"
#include "win/face.h"
#include "win/resource.h"
#include "win/text.h"
#include "win/user.h"

namespace {

namespace fs = std::filesystem;

constexpr int kRows = 100000;
constexpr int kList = 1004;

fs::path g_folder;

// The two files, by the benchmarks' argument.
struct Workload {
  const char* file;
  int faxColumns;
};
constexpr Workload kWorkloads[] = {{"one-fax.csv", 1}, {"three-fax.csv", 3}};
double g_importPeakKiB[2] = {0, 0};

void WriteCsv(const fs::path& path, int rows, int faxColumns) {
  std::ofstream out(path, std::ios::trunc);
  if (faxColumns == 1) {
    out << "Nom,Societe,Fax\r\n";
    for (int i = 0; i < rows; ++i) out << "Contact " << i << ",Societe " << i % 97 << ",+33 1 " << 10000000 + i << "\r\n";
    return;
  }
  out << "Nom,Societe,Fax bureau,Fax domicile,Autre fax\r\n";
  for (int i = 0; i < rows; ++i) {
    out << "Contact " << i << ",Societe " << i % 97 << ",+33 1 " << 10000000 + i << ",\"01 " << i << ",22\",fax "
        << i * 7 << "\r\n";
  }
}

// The script of the run: the CSV source with the automatic search, every
// line selected as a person selects them all (Home, then Shift+End), moved,
// OK and the confirmation.
void WriteScript(const fs::path& script, const fs::path& csv) {
  std::ofstream out(script, std::ios::trunc);
  out << "dialog 116\nselecttext 1056 \"Valeurs séparées par une virgule (CSV)\"\nclick 1057\nclick 1\n"
      << "file " << csv.string() << "\ndialog 102\nkey 1004 home\nhold shift\nkey 1004 end\nrelease\n"
      << "click 1001\nclick 1\ndialog 101\nclick 1\n";
}

// Runs qlimportn on `csv` with every line moved; its peak resident memory
// (KiB), or -1 when it failed or wrote another result than expected.
long RunImport(const fs::path& csv, int lines) {
  const fs::path script = g_folder / "script.txt";
  const fs::path result = g_folder / "DB120000.TMP";
  WriteScript(script, csv);
  fs::remove(result);
  const std::string program = std::string(TELEQUILL_BIN_DIR) + "/qlimportn";
  const std::string ui = "TELEQUILL_UI=script:" + script.string();
  const std::string root = "TELEQUILL_ROOT=" + g_folder.string();
  const pid_t child = fork();
  if (child == 0) {
    const int null = open("/dev/null", O_WRONLY);
    dup2(null, 1);
    dup2(null, 2);
    char* argv[] = {const_cast<char*>(program.c_str()), const_cast<char*>(result.c_str()), nullptr};
    char* envp[] = {const_cast<char*>(ui.c_str()), const_cast<char*>(root.c_str()), nullptr};
    execve(program.c_str(), argv, envp);
    _exit(127);
  }
  int status = 0;
  rusage usage{};
  if (child < 0 || wait4(child, &status, 0, &usage) != child) return -1;
  const std::uintmax_t expected = 4 + 62 * static_cast<std::uintmax_t>(lines);
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0 || !fs::exists(result) || fs::file_size(result) != expected) {
    return -1;
  }
  return usage.ru_maxrss;
}

void WholeImport(benchmark::State& state) {
  const Workload& work = kWorkloads[state.range(0)];
  for (auto _ : state) {
    const long peak = RunImport(g_folder / work.file, kRows * work.faxColumns);
    if (peak < 0) state.SkipWithError("the import failed");
    g_importPeakKiB[state.range(0)] = static_cast<double>(peak);
  }
}

const tq::res::ControlTemplate kControls[] = {
    {WC_LISTBOXW, kList, u"", 0, 0, 200, 200, LBS_NOTIFY | LBS_EXTENDEDSEL},
};
const tq::res::DialogTemplate kDialogs[] = {
    {100, u"Liste", WS_POPUP | WS_CAPTION, 0, 0, 0, 210, 210, kControls},
};
const tq::res::ResourceScript kScript{kDialogs, {}, {}};
HINSTANCE Instance() { return reinterpret_cast<HINSTANCE>(static_cast<ULONG_PTR>(0x5C1000)); }
INT_PTR Plain(HWND, UINT message, WPARAM, LPARAM) { return message == WM_INITDIALOG ? TRUE : FALSE; }

// `wc -l` on the file, then its lines into a list box.
void CountAndFill(benchmark::State& state) {
  const fs::path csv = g_folder / kWorkloads[state.range(0)].file;
  for (auto _ : state) {
    const std::string count = "wc -l " + csv.string() + " > /dev/null";
    if (std::system(count.c_str()) != 0) state.SkipWithError("wc -l failed");
    HWND dialog = CreateDialogParamW(Instance(), MAKEINTRESOURCEW(100), nullptr, Plain, 0);
    std::ifstream in(csv);
    std::string line;
    while (std::getline(in, line)) {
      const std::u16string text = tq::Utf8ToUtf16(line);
      SendDlgItemMessageW(dialog, kList, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
    }
    DestroyWindow(dialog);
  }
}

BENCHMARK(WholeImport)->Arg(0)->Arg(1)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(CountAndFill)->Arg(0)->Arg(1)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
  char pattern[] = "/tmp/import-benchmark-XXXXXX";
  if (mkdtemp(pattern) == nullptr) return 1;
  g_folder = pattern;
  tq::ui::UseFace("headless");
  tq::res::RegisterResources(Instance(), kScript);
  const char* const kNames[] = {"one fax a row", "three faxes a row"};
  double fileKiB[2];
  double smallPeakKiB[2];
  for (int i = 0; i < 2; ++i) {
    const Workload& work = kWorkloads[i];
    WriteCsv(g_folder / work.file, kRows, work.faxColumns);
    WriteCsv(g_folder / "one.csv", 1, work.faxColumns);
    fileKiB[i] = static_cast<double>(fs::file_size(g_folder / work.file)) / 1024;
    smallPeakKiB[i] = static_cast<double>(RunImport(g_folder / "one.csv", work.faxColumns));
  }

  tq::testing::RatioReport report("import_benchmark");
  report.Run(&argc, argv);
  for (int i = 0; i < 2; ++i) {
    const std::string arg = "/" + std::to_string(i);
    report.AddTimeRatio("WholeImport" + arg, "CountAndFill" + arg, 3);
    if (g_importPeakKiB[i] > 0 && smallPeakKiB[i] > 0) {
      report.AddRatio(std::string("WholeImport peak memory beyond a one-row import, ") + kNames[i], "file size",
                      g_importPeakKiB[i] - smallPeakKiB[i], fileKiB[i], 3);
    }
  }
  fs::remove_all(g_folder);
  return report.Finish();
}
