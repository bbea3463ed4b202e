// The store's costs against the plain file operations they cannot beat: list
// records and read the last entry against one sequential read of the file
// through a 16 KiB buffer; renaming a member of every group and deleting an
// entry against copying the file with an fsync of the copy. Also the peak
// memory of the operations on a small and on a large phonebook, each in a
// child process of its own.
//
//   phonebook_benchmark [google benchmark flags]
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>

#include "benchmark_phonebook.h"
#include "phonebook/reading.h"
#include "phonebook/updates.h"
#include "testing/ratio_report.h"
#include "win/text.h"

namespace {

using namespace tq;
using namespace tq::phonebook;
using tq::phonebook::bench::MakeBenchmarkPhonebook;

std::filesystem::path g_folder;

std::filesystem::path g_large;

void SequentialRead(benchmark::State& state) {
  std::vector<char> buffer(16384);
  for (auto _ : state) {
    int fd = open(g_large.c_str(), O_RDONLY);
    std::size_t total = 0;
    for (ssize_t n; (n = read(fd, buffer.data(), buffer.size())) > 0;) total += static_cast<std::size_t>(n);
    close(fd);
    benchmark::DoNotOptimize(total);
  }
}

void CopyWithFsync(benchmark::State& state) {
  std::filesystem::path copy = g_folder / "copy.AFD";
  std::vector<char> buffer(16384);
  for (auto _ : state) {
    int in = open(g_large.c_str(), O_RDONLY);
    int out = open(copy.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    for (ssize_t n; (n = read(in, buffer.data(), buffer.size())) > 0;) {
      if (write(out, buffer.data(), static_cast<std::size_t>(n)) != n) state.SkipWithError("write failed");
    }
    fsync(out);
    close(out);
    close(in);
  }
}

void ListAll(benchmark::State& state) {
  std::u16string path = Utf8ToUtf16(g_large.string());
  for (auto _ : state) {
    std::size_t lines = 0;
    if (!ListRecords(path, [&](RecordType, std::u16string_view) { ++lines; }).ok()) state.SkipWithError("list failed");
    benchmark::DoNotOptimize(lines);
  }
}

void ReadLastEntry(benchmark::State& state) {
  std::u16string path = Utf8ToUtf16(g_large.string());
  PhonebookEntry entry{};
  for (auto _ : state) {
    if (ReadEntry(path, u"Last <9999>", entry) != StoreResult::Ok) state.SkipWithError("read failed");
  }
}

void RenameMemberOfEveryGroup(benchmark::State& state) {
  std::u16string path = Utf8ToUtf16(g_large.string());
  const char* names[2] = {"Member", "Renamed"};
  int turn = 0;
  for (auto _ : state) {
    PhonebookEntry entry;
    ResetWorkingEntry(entry);
    CopyToAnsiSlot(entry.record.name, names[(turn + 1) % 2]);
    CopyToAnsiSlot(entry.record.faxNumber, "0000");
    std::u16string old = Utf8ToUtf16(std::string(names[turn % 2]) + " <0000>");
    if (SaveEntry(path, old, entry.record, entry.details, SaveMode::ReplaceNewKey) != StoreResult::Ok) {
      state.SkipWithError("save failed");
    }
    ++turn;
  }
}

void DeleteEntry(benchmark::State& state) {
  std::u16string path = Utf8ToUtf16(g_large.string());
  int next = 0;
  for (auto _ : state) {
    std::u16string line = Utf8ToUtf16("Person " + std::to_string(next) + " <" + std::to_string(100000 + next) + ">");
    if (DeleteRecord(path, line, RecordType::Individual) != StoreResult::Ok) state.SkipWithError("delete failed");
    ++next;
  }
}

// Peak resident memory (KiB) of a child that runs every operation once.
long PeakMemoryOfOperations(const std::filesystem::path& file) {
  pid_t child = fork();
  if (child == 0) {
    std::u16string path = Utf8ToUtf16(file.string());
    PhonebookEntry entry{};
    ListRecords(path, [](RecordType, std::u16string_view) {});
    (void)ReadEntry(path, u"Last <9999>", entry);
    ResetWorkingEntry(entry);
    CopyToAnsiSlot(entry.record.name, "Renamed");
    CopyToAnsiSlot(entry.record.faxNumber, "0000");
    (void)SaveEntry(path, u"Member <0000>", entry.record, entry.details, SaveMode::ReplaceNewKey);
    (void)DeleteRecord(path, u"Person 1 <100001>", RecordType::Individual);
    _exit(0);
  }
  int status = 0;
  rusage usage{};
  wait4(child, &status, 0, &usage);
  return usage.ru_maxrss;
}

}  // namespace

BENCHMARK(SequentialRead)->Unit(benchmark::kMillisecond);
BENCHMARK(ListAll)->Unit(benchmark::kMillisecond);
BENCHMARK(ReadLastEntry)->Unit(benchmark::kMillisecond);
BENCHMARK(CopyWithFsync)->Unit(benchmark::kMillisecond);
BENCHMARK(RenameMemberOfEveryGroup)->Unit(benchmark::kMillisecond);
BENCHMARK(DeleteEntry)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
  char pattern[] = "/tmp/phonebook-benchmark-XXXXXX";
  if (mkdtemp(pattern) == nullptr) return 1;
  g_folder = pattern;
  setenv("TELEQUILL_ROOT", pattern, 1);
  g_large = MakeBenchmarkPhonebook(g_folder / "large.AFD", 100000, 1000);
  std::filesystem::path small = MakeBenchmarkPhonebook(g_folder / "small.AFD", 1000, 10);
  std::printf("phonebook of %ju bytes\n", static_cast<std::uintmax_t>(std::filesystem::file_size(g_large)));

  tq::testing::RatioReport report("phonebook_benchmark");
  report.Run(&argc, argv);
  report.AddTimeRatio("ListAll", "SequentialRead", 3);
  report.AddTimeRatio("ReadLastEntry", "SequentialRead", 3);
  report.AddTimeRatio("RenameMemberOfEveryGroup", "CopyWithFsync", 3);
  report.AddTimeRatio("DeleteEntry", "CopyWithFsync", 3);

  // Peak memory must not grow with the file: within 2 MB of the small one's.
  const long smallPeak = PeakMemoryOfOperations(small);
  const long largePeak = PeakMemoryOfOperations(MakeBenchmarkPhonebook(g_folder / "large2.AFD", 100000, 1000));
  constexpr long kMostGrowthKiB = 2048;
  report.Add({"PeakMemory (100,000 entries)", "1,000 entries: " + std::to_string(smallPeak) + " KiB",
              (largePeak >= smallPeak ? "+" : "") + std::to_string(largePeak - smallPeak) + " KiB",
              "<= +" + std::to_string(kMostGrowthKiB) + " KiB", largePeak - smallPeak <= kMostGrowthKiB});
  std::filesystem::remove_all(g_folder);
  return report.Finish();
}
