// `qlafd list` of the store benchmark's phonebook (100,000 individuals,
// 1,000 groups) into /dev/null, the program's start included, against one
// sequential read of the file through a 16 KiB buffer.
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

void QlafdList(benchmark::State& state) {
  const std::string program = std::string(TELEQUILL_BIN_DIR) + "/qlafd";
  for (auto _ : state) {
    const pid_t child = fork();
    if (child == 0) {
      const int null = open("/dev/null", O_WRONLY);
      dup2(null, 1);
      execl(program.c_str(), program.c_str(), "list", g_book.c_str(), static_cast<char*>(nullptr));
      _exit(127);
    }
    int status = 0;
    if (child < 0 || waitpid(child, &status, 0) != child || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
      state.SkipWithError("qlafd list failed");
    }
  }
}

BENCHMARK(SequentialRead)->Unit(benchmark::kMillisecond)->UseRealTime();
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
  std::filesystem::remove_all(pattern);
  return report.Finish();
}
