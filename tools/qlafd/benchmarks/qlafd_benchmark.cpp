// `qlafd list` of the store benchmark's phonebook (100,000 individuals,
// 1,000 groups) into /dev/null, the program's start included, against one
// sequential read of the file through a 16 KiB buffer in this process, and
// against the same read by a program started the same way (cat): the
// first takes in the start of a program as well as the listing, the
// second the listing alone.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "benchmark_phonebook.h"
#include "testing/ratio_report.h"

namespace {

std::filesystem::path g_book;

void SequentialRead(benchmark::State& state) {
  std::vector<char> buffer(16384);
  for (auto _ : state) {
    const int fd = open(g_book.c_str(), O_RDONLY);
    std::size_t total = 0;
    for (ssize_t n; (n = read(fd, buffer.data(), buffer.size())) > 0;) total += static_cast<std::size_t>(n);
    close(fd);
    benchmark::DoNotOptimize(total);
  }
}

// Runs the program with its output to /dev/null; false when it failed.
bool RunQuietly(const char* program, const char* argument, const char* file) {
  const pid_t child = fork();
  if (child == 0) {
    const int null = open("/dev/null", O_WRONLY);
    dup2(null, 1);
    execl(program, program, argument, file, static_cast<char*>(nullptr));
    _exit(127);
  }
  int status = 0;
  return child > 0 && waitpid(child, &status, 0) == child && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

// The same sequential read by a program started the same way as qlafd:
// the file through cat.
void ProgramRead(benchmark::State& state) {
  for (auto _ : state) {
    if (!RunQuietly("/bin/cat", "--", g_book.c_str())) state.SkipWithError("cat failed");
  }
}

void QlafdList(benchmark::State& state) {
  const std::string program = std::string(TELEQUILL_BIN_DIR) + "/qlafd";
  for (auto _ : state) {
    if (!RunQuietly(program.c_str(), "list", g_book.c_str())) state.SkipWithError("qlafd list failed");
  }
}

BENCHMARK(SequentialRead)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(ProgramRead)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(QlafdList)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
  char pattern[] = "/tmp/qlafd-benchmark-XXXXXX";
  if (mkdtemp(pattern) == nullptr) return 1;
  setenv("TELEQUILL_ROOT", pattern, 1);
  g_book = tq::phonebook::bench::MakeBenchmarkPhonebook(std::filesystem::path(pattern) / "large.AFD", 100000, 1000);
  tq::testing::RatioReport report("qlafd_benchmark");
  report.Run(&argc, argv);
  report.AddTimeRatio("QlafdList", "SequentialRead", 3);
  report.AddTimeRatio("QlafdList", "ProgramRead", 3);
  std::filesystem::remove_all(pattern);
  return report.Finish();
}
