// A twenty-page PDF faxed without the prompt, against Ghostscript's own
// conversion of it (pxlmono at the fax resolution, the same arguments the
// host gives): through `qlhost print --to` to a file, and through `lp` to
// the fax queue of a private cupsd on loopback, from the submission until
// a loopback device has the whole job.
//
//   pdf_queue_benchmark [google benchmark flags]
#include <benchmark/benchmark.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "loopback_printer.h"
#include "private_cups.h"
#include "testing/ratio_report.h"
#include "testing/temp_root.h"

extern char** environ;

namespace {

using tq::host::testing::LoopbackPrinter;
using tq::host::testing::PrivateCups;

std::filesystem::path g_folder;
std::string g_pdf;
std::unique_ptr<PrivateCups> g_cups;

// Runs a program found on PATH and waits for it; its exit status.
int RunAndWait(std::vector<std::string> args) {
  std::vector<char*> argv;
  for (auto& arg : args) argv.push_back(arg.data());
  argv.push_back(nullptr);
  pid_t child = -1;
  if (posix_spawnp(&child, argv[0], nullptr, nullptr, argv.data(), environ) != 0) return -1;
  int status = 0;
  waitpid(child, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::vector<std::string> ClientEnv() {
  return {"CUPS_SERVER=" + g_cups->server(), "TELEQUILL_INSTALL_ROOT=" + (g_folder / "install").string()};
}

void GhostscriptAlone(benchmark::State& state) {
  const std::string output = (g_folder / "gs.pxl").string();
  for (auto _ : state) {
    if (RunAndWait({"gs", "-q", "-dNOPAUSE", "-dBATCH", "-dSAFER", "-dPDFSTOPONERROR", "-sDEVICE=pxlmono",
                    "-r200x200", "-sOutputFile=" + output, "-f", g_pdf}) != 0) {
      state.SkipWithError("gs failed");
    }
  }
}

void QlhostPrint(benchmark::State& state) {
  const std::string output = (g_folder / "job.prn").string();
  for (auto _ : state) {
    if (tq::testing::RunProgram("qlhost", {"print", "--to", "0145678900", "--output", output, g_pdf}).status != 0) {
      state.SkipWithError("qlhost print failed");
    }
  }
}

void LpThroughTheQueue(benchmark::State& state) {
  for (auto _ : state) {
    state.PauseTiming();
    LoopbackPrinter device(LoopbackPrinter::Mode::KeepEnds);
    tq::testing::RunProgram("/usr/sbin/lpadmin", {"-p", "Telequill-Fax", "-v", "telequill:/" + device.uri() + "?model=n"},
                            ClientEnv());
    state.ResumeTiming();
    if (tq::testing::RunProgram("/usr/bin/lp", {"-d", "Telequill-Fax", "-o", "fax-to=0145678900", g_pdf}, ClientEnv())
            .status != 0) {
      state.SkipWithError("lp failed");
    }
    device.AwaitReceived();
    state.PauseTiming();
    if (device.ReceivedCount() == 0) state.SkipWithError("the device received nothing");
    state.ResumeTiming();
  }
}

BENCHMARK(GhostscriptAlone)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(9);
BENCHMARK(QlhostPrint)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(9);
BENCHMARK(LpThroughTheQueue)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(9);

}  // namespace

int main(int argc, char** argv) {
  char pattern[] = "/tmp/pdf-queue-benchmark-XXXXXX";
  if (mkdtemp(pattern) == nullptr) return 1;
  g_folder = pattern;
  setenv("TELEQUILL_ROOT", pattern, 1);
  std::string program = "%!PS\n/Helvetica findfont 24 scalefont setfont\n";
  for (int page = 1; page <= 20; ++page) {
    program += "72 700 moveto (Page " + std::to_string(page) + ") show 72 600 moveto (Telequill) show showpage\n";
  }
  tq::testing::WriteText(g_folder / "twenty.ps", program);
  g_pdf = (g_folder / "twenty.pdf").string();
  if (RunAndWait({"gs", "-q", "-dNOPAUSE", "-dBATCH", "-dSAFER", "-sDEVICE=pdfwrite", "-sOutputFile=" + g_pdf,
                  (g_folder / "twenty.ps").string()}) != 0) {
    return 1;
  }
  g_cups = std::make_unique<PrivateCups>((g_folder / "cups").string(), (g_folder / "install").string(),
                                         std::vector<std::string>{"TELEQUILL_ROOT=" + g_folder.string()});
  std::string error;
  if (!g_cups->Start(error)) {
    std::fprintf(stderr, "%s\n", error.c_str());
    return 1;
  }
  if (tq::testing::RunProgram("qlhost", {"cups", "install", "--device", "socket://127.0.0.1:9"}, ClientEnv()).status !=
      0) {
    return 1;
  }

  tq::testing::RatioReport report("pdf_queue_benchmark");
  report.Run(&argc, argv);
  report.AddTimeRatio("QlhostPrint", "GhostscriptAlone", 1.1);
  report.AddTimeRatio("LpThroughTheQueue", "GhostscriptAlone", 1.3);
  g_cups.reset();
  std::filesystem::remove_all(g_folder);
  return report.Finish();
}
