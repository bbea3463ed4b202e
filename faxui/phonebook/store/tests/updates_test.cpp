// Appending, replacing and deleting records, with group references kept in
// step, and the phonebook left whole under every failure.
#include <gtest/gtest.h>

#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <cstring>

#include "holder.h"
#include "phonebook/reading.h"
#include "phonebook/updates.h"
#include "phonebook_bytes.h"
#include "win/faults.h"

namespace tq::phonebook {
namespace {

using test::Group;
using test::Header;
using test::Person;
using test::Wide;

PhonebookEntry Entry(const std::string& name, const std::string& fax, const std::u16string& company = u"") {
  PhonebookEntry entry;
  ResetWorkingEntry(entry);
  CopyToAnsiSlot(entry.record.name, name);
  CopyToAnsiSlot(entry.record.faxNumber, fax);
  std::memcpy(entry.details.company, company.c_str(), (company.size() + 1) * sizeof(char16_t));
  return entry;
}

// The record SaveEntry writes for an entry.
std::string RecordOf(const PhonebookEntry& entry) {
  return SerialiseIndividual(EntryToFields(entry.record, entry.details));
}

class Updates : public testing::TempRoot {
 protected:
  void SetUp() override {
    TempRoot::SetUp();
    file_ = path("book.AFD");
  }
  void TearDown() override {
    ClearFileFaults();
    TempRoot::TearDown();
  }
  void Given(const std::string& bytes) { test::Write(file_, bytes); }
  std::string Bytes() const { return test::Read(file_); }
  std::u16string book() const { return Wide(file_); }
  bool TemporaryLeft() const { return std::filesystem::exists(path("book.TMP")); }

  StoreResult Save(const std::u16string& oldLine, const PhonebookEntry& entry, SaveMode mode) {
    return SaveEntry(book(), oldLine, entry.record, entry.details, mode);
  }

  std::filesystem::path file_;
};

TEST_F(Updates, AppendWritesTheRecordAtTheEnd) {
  Given(Header() + Person("A", "1"));
  PhonebookEntry entry = Entry("Dupont", "0123", u"Société");
  ASSERT_EQ(Save(u"", entry, SaveMode::Append), StoreResult::Ok);
  EXPECT_EQ(Bytes(), Header() + Person("A", "1") + RecordOf(entry));
  // The store does not refuse duplicates.
  ASSERT_EQ(Save(u"Dupont <0123>", entry, SaveMode::Append), StoreResult::Ok);
  EXPECT_EQ(Bytes(), Header() + Person("A", "1") + RecordOf(entry) + RecordOf(entry));
  EXPECT_FALSE(TemporaryLeft());
}

TEST_F(Updates, ReplaceSameKeyMovesTheRecordToTheEnd) {
  PhonebookEntry entry = Entry("DUPONT", "01", u"Nouvelle");
  Given(Header() + Person("Dupont", "01", "Ancienne") + Group("G", {{"dupont", "01"}}) + Person("B", "2") +
        Person("dupont", "01"));
  ASSERT_EQ(Save(u"Dupont <01>", entry, SaveMode::ReplaceSameKey), StoreResult::Ok);
  // Every record of the old key is left out; references stay as they were.
  EXPECT_EQ(Bytes(), Header() + Group("G", {{"dupont", "01"}}) + Person("B", "2") + RecordOf(entry));
  EXPECT_FALSE(TemporaryLeft());
}

TEST_F(Updates, ReplaceNewKeyRenamesTheReferencesInEveryGroup) {
  Given(Header() + Group("G1", {{"Martin", "01"}, {"B", "2"}}) + Person("Martin", "01") +
        Group("G2", {{"MARTIN", "01"}}) + Group("G3", {{"B", "2"}, {"martin", "01"}, {"Martin", "02"}}));
  PhonebookEntry entry = Entry("Martine", "09");
  ASSERT_EQ(Save(u"Martin <01>", entry, SaveMode::ReplaceNewKey), StoreResult::Ok);
  EXPECT_EQ(Bytes(), Header() + Group("G1", {{"Martine", "09"}, {"B", "2"}}) + Group("G2", {{"Martine", "09"}}) +
                         Group("G3", {{"B", "2"}, {"Martine", "09"}, {"Martin", "02"}}) + RecordOf(entry));
}

TEST_F(Updates, DeletingAnIndividualRemovesItFromEveryGroup) {
  Given(Header() + Group("Seul", {{"Martin", "01"}}) + Person("Martin", "01") + Person("Martin", "02") +
        Group("Deux", {{"Martin", "02"}, {"Martin", "01"}}));
  ASSERT_EQ(DeleteRecord(book(), u"Martin <01>", RecordType::Individual), StoreResult::Ok);
  EXPECT_EQ(Bytes(), Header() + Group("Seul", {}) + Person("Martin", "02") + Group("Deux", {{"Martin", "02"}}));
}

TEST_F(Updates, DeletingAGroupLeavesEverythingElse) {
  std::string rest = Person("A", "1") + Group("Martin", {{"A", "1"}});
  Given(Header() + Person("Martin", "01") + Group("Martin", {{"Martin", "01"}}) + rest);
  ASSERT_EQ(DeleteRecord(book(), u"[MARTIN]", RecordType::Group), StoreResult::Ok);
  // The first group of that name goes; the rest of the file is copied as it is.
  EXPECT_EQ(Bytes(), Header() + Person("Martin", "01") + rest);
}

TEST_F(Updates, DeletingAMissingKeyRewritesTheSameBytes) {
  std::string bytes = Header() + Person("A", "1") + Group("G", {{"A", "1"}}) + "junk";
  Given(bytes);
  EXPECT_EQ(DeleteRecord(book(), u"Z <9>", RecordType::Individual), StoreResult::Ok);
  EXPECT_EQ(DeleteRecord(book(), u"[Z]", RecordType::Group), StoreResult::Ok);
  EXPECT_EQ(Bytes(), bytes);
}

TEST_F(Updates, SavingAGroupReplacesItAndRefusesUnreadableOnes) {
  Given(Header() + Group("Ventes", {{"A", "1"}}) + Person("A", "1"));
  std::string renamed = SerialiseGroup({"Export", {{"A", "1"}, {"B", "2"}}});
  ASSERT_EQ(SaveGroup(book(), u"[Ventes]", renamed, SaveMode::ReplaceNewKey), StoreResult::Ok);
  EXPECT_EQ(Bytes(), Header() + Person("A", "1") + renamed);

  GroupFields big{"Big", {}};
  for (int i = 0; i < 300; ++i) big.members.push_back({std::string(30, 'n'), std::string(30, '0')});
  std::string before = Bytes();
  EXPECT_EQ(SaveGroup(book(), u"", SerialiseGroup(big), SaveMode::Append), StoreResult::NoMemory);
  EXPECT_EQ(SaveGroup(book(), u"", std::string("\x02" "G\x01\x03\x04"), SaveMode::Append), StoreResult::BadFormat);
  EXPECT_EQ(SaveGroup(book(), u"", std::string("\x02" "G\x03"), SaveMode::Append), StoreResult::BadFormat);
  EXPECT_EQ(Bytes(), before);
}

// Another writer renames its new file over the phonebook just after this one
// opened it and before it took the lock: the change must go to the new file,
// not to the replaced one, or the other writer's change would be lost.
TEST_F(Updates, AChangeMadeWhileOpeningIsNotLost) {
  Given(Header() + Person("A", "1") + Person("B", "2") + Person("C", "3"));
  RunBetweenNextOpenAndLock([&] { ASSERT_EQ(DeleteRecord(book(), u"B <2>", RecordType::Individual), StoreResult::Ok); });
  ASSERT_EQ(DeleteRecord(book(), u"A <1>", RecordType::Individual), StoreResult::Ok);
  EXPECT_EQ(Bytes(), Header() + Person("C", "3"));

  RunBetweenNextOpenAndLock([&] { ASSERT_EQ(DeleteRecord(book(), u"C <3>", RecordType::Individual), StoreResult::Ok); });
  ASSERT_EQ(Save(u"", Entry("D", "4"), SaveMode::Append), StoreResult::Ok);
  EXPECT_EQ(Bytes(), Header() + RecordOf(Entry("D", "4")));
}

TEST_F(Updates, ChangedPhonebooksArePrivateAndTemporariesApart) {
  Given(Header() + Person("A", "1"));
  chmod(file_.c_str(), 0644);
  const mode_t before = umask(0);
  ASSERT_EQ(DeleteRecord(book(), u"A <1>", RecordType::Individual), StoreResult::Ok);
  ASSERT_EQ(CreateEmptyPhonebook(Wide(path("book.afd"))), StoreResult::Ok);
  umask(before);
  struct stat info {};
  for (const char* name : {"book.AFD", "book.afd"}) {
    ASSERT_EQ(stat(path(name).c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0600u) << name;
  }
  EXPECT_EQ(Bytes(), Header());
}

TEST_F(Updates, ALeftoverTemporaryFileIsReplaced) {
  Given(Header() + Person("A", "1"));
  test::Write(path("book.TMP"), "stale bytes of an earlier run");
  chmod(path("book.TMP").c_str(), 0444);
  ASSERT_EQ(DeleteRecord(book(), u"A <1>", RecordType::Individual), StoreResult::Ok);
  EXPECT_EQ(Bytes(), Header());
  EXPECT_FALSE(TemporaryLeft());
}

TEST_F(Updates, OlderVersionsAndOtherNamesAreRefused) {
  PhonebookEntry entry = Entry("A", "1");
  for (const char* magic : {"TOVA_KALDE_ORBY_FAX_DATA_FILE_0000\n", "TOVA_KALDE_ORBY_FAX_DATA_FILE_1000\n"}) {
    Given(magic);
    EXPECT_EQ(Save(u"", entry, SaveMode::Append), StoreResult::BadFormat);
    EXPECT_EQ(Save(u"A <1>", entry, SaveMode::ReplaceSameKey), StoreResult::BadFormat);
    EXPECT_EQ(DeleteRecord(book(), u"A <1>", RecordType::Individual), StoreResult::BadFormat);
    EXPECT_EQ(Bytes(), magic);
  }
  test::Write(path("book.txt"), Header());
  EXPECT_EQ(SaveEntry(Wide(path("book.txt")), u"", entry.record, entry.details, SaveMode::Append), StoreResult::BadFormat);
  EXPECT_EQ(SaveEntry(Wide(path("none.AFD")), u"", entry.record, entry.details, SaveMode::Append), StoreResult::CannotOpen);
}

TEST_F(Updates, AReadOnlyPhonebookIsMadeWritable) {
  Given(Header());
  chmod(file_.c_str(), 0444);
  ASSERT_EQ(Save(u"", Entry("A", "1"), SaveMode::Append), StoreResult::Ok);
  EXPECT_EQ(Bytes(), Header() + RecordOf(Entry("A", "1")));
}

TEST_F(Updates, EveryOperationFailsWhileAnotherProgramHoldsThePhonebook) {
  std::string bytes = Header() + Person("A", "1") + Group("G", {{"A", "1"}});
  Given(bytes);
  test::ChildHolder other(file_);
  ASSERT_TRUE(other.held());
  PhonebookEntry entry = Entry("A", "1");
  EXPECT_EQ(Save(u"", entry, SaveMode::Append), StoreResult::CannotOpen);
  EXPECT_EQ(Save(u"A <1>", entry, SaveMode::ReplaceSameKey), StoreResult::CannotOpen);
  EXPECT_EQ(Save(u"A <1>", entry, SaveMode::ReplaceNewKey), StoreResult::CannotOpen);
  EXPECT_EQ(SaveGroup(book(), u"[G]", Group("G", {}), SaveMode::ReplaceSameKey), StoreResult::CannotOpen);
  EXPECT_EQ(DeleteRecord(book(), u"A <1>", RecordType::Individual), StoreResult::CannotOpen);
  EXPECT_EQ(DeleteRecord(book(), u"[G]", RecordType::Group), StoreResult::CannotOpen);
  EXPECT_EQ(CreateEmptyPhonebook(book()), StoreResult::CannotOpen);
  EXPECT_EQ(Bytes(), bytes);
  EXPECT_FALSE(TemporaryLeft());
}

// A phonebook of several buffers, so that a rewrite makes several writes.
std::string LargePhonebook() {
  std::string bytes = Header();
  for (int i = 0; bytes.size() < 3 * kReadBufferSize; ++i) {
    bytes += Person("Person " + std::to_string(i), std::to_string(1000 + i), std::string(100, 'c'));
    if (i % 10 == 0) bytes += Group("G" + std::to_string(i), {{"Person 1", "1001"}, {"X", "1"}});
  }
  return bytes;
}

TEST_F(Updates, ARewriteOfSeveralBuffersCopiesEveryRecordOnce) {
  std::string bytes = LargePhonebook();
  Given(bytes);
  ASSERT_EQ(DeleteRecord(book(), u"Nobody <0>", RecordType::Individual), StoreResult::Ok);
  EXPECT_EQ(Bytes(), bytes);
  // Every group refers to Person 1; all references go with it, in groups on
  // both sides of the buffer boundaries.
  ASSERT_EQ(DeleteRecord(book(), u"Person 1 <1001>", RecordType::Individual), StoreResult::Ok);
  std::string expected = bytes;
  std::string person = Person("Person 1", "1001", std::string(100, 'c'));
  expected.erase(expected.find(person), person.size());
  std::string reference = std::string("Person 1\x03" "1001\x03");
  for (std::size_t at; (at = expected.find(reference)) != std::string::npos;) expected.erase(at, reference.size());
  EXPECT_EQ(Bytes(), expected);
}

TEST_F(Updates, AFailedWriteFlushOrRenameLeavesThePhonebookAsItWas) {
  std::string bytes = LargePhonebook();
  Given(bytes);
  PhonebookEntry entry = Entry("Renamed", "9");
  struct Rewrite {
    const char* what;
    std::function<StoreResult()> run;
  } rewrites[] = {
      {"replace", [&] { return Save(u"Person 1 <1001>", entry, SaveMode::ReplaceNewKey); }},
      {"delete individual", [&] { return DeleteRecord(book(), u"Person 1 <1001>", RecordType::Individual); }},
      {"delete group", [&] { return DeleteRecord(book(), u"[G0]", RecordType::Group); }},
  };
  for (const Rewrite& rewrite : rewrites) {
    // Fail each write in turn until a run needs fewer writes than that.
    int writes = 0;
    for (int n = 1;; ++n) {
      FailNthFileOperation(FileFault::Write, n);
      StoreResult result = rewrite.run();
      ClearFileFaults();
      if (result == StoreResult::Ok) {
        writes = n - 1;
        Given(bytes);
        break;
      }
      EXPECT_EQ(result, StoreResult::WriteFailed) << rewrite.what << " write " << n;
      EXPECT_EQ(Bytes(), bytes) << rewrite.what << " write " << n;
      EXPECT_FALSE(TemporaryLeft()) << rewrite.what << " write " << n;
      ASSERT_LT(n, 100);
    }
    EXPECT_GE(writes, 3) << rewrite.what;
    for (FileFault fault : {FileFault::Flush, FileFault::Rename}) {
      FailNthFileOperation(fault, 1);
      EXPECT_EQ(rewrite.run(), StoreResult::WriteFailed) << rewrite.what;
      ClearFileFaults();
      EXPECT_EQ(Bytes(), bytes) << rewrite.what;
      EXPECT_FALSE(TemporaryLeft()) << rewrite.what;
    }
  }
}

TEST_F(Updates, AFailedAppendCutsTheFileBack) {
  std::string bytes = Header() + Person("A", "1");
  Given(bytes);
  for (FileFault fault : {FileFault::Write, FileFault::Flush}) {
    FailNthFileOperation(fault, 1);
    EXPECT_EQ(Save(u"", Entry("B", "2"), SaveMode::Append), StoreResult::WriteFailed);
    ClearFileFaults();
    EXPECT_EQ(Bytes(), bytes);
  }
}

// A file size limit makes the kernel cut a write short, as a full disk does.
class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t bytes) {
    getrlimit(RLIMIT_FSIZE, &saved_);
    previous_ = signal(SIGXFSZ, SIG_IGN);
    rlimit limit = saved_;
    limit.rlim_cur = bytes;
    setrlimit(RLIMIT_FSIZE, &limit);
  }
  ~FileSizeLimit() {
    setrlimit(RLIMIT_FSIZE, &saved_);
    signal(SIGXFSZ, previous_);
  }

 private:
  rlimit saved_{};
  sighandler_t previous_;
};

TEST_F(Updates, ARewriteOnAFullDiskReportsWriteFailed) {
  std::string bytes = LargePhonebook();
  Given(bytes);
  {
    FileSizeLimit limit(bytes.size() / 2 + 7);
    EXPECT_EQ(DeleteRecord(book(), u"Person 3 <1003>", RecordType::Individual), StoreResult::WriteFailed);
  }
  EXPECT_FALSE(TemporaryLeft());
  EXPECT_EQ(Bytes(), bytes);
  {
    // The append itself cut short: the file goes back to its length.
    Given(bytes);
    FileSizeLimit limit(bytes.size() + 10);
    EXPECT_EQ(Save(u"", Entry("B", "2", std::u16string(59, u'c')), SaveMode::Append), StoreResult::WriteFailed);
  }
  EXPECT_EQ(Bytes(), bytes);
}

TEST_F(Updates, CreateEmptyPhonebookReplacesAnyFile) {
  Given(Header() + Person("A", "1"));
  EXPECT_EQ(CreateEmptyPhonebook(book()), StoreResult::Ok);
  EXPECT_EQ(Bytes(), Header());
  EXPECT_EQ(CreateEmptyPhonebook(Wide(path("new.AFD"))), StoreResult::Ok);
  EXPECT_EQ(test::Read(path("new.AFD")), Header());
  FailNthFileOperation(FileFault::Rename, 1);
  Given("something");
  EXPECT_EQ(CreateEmptyPhonebook(book()), StoreResult::WriteFailed);
  EXPECT_EQ(Bytes(), "something");
  EXPECT_FALSE(TemporaryLeft());
  EXPECT_EQ(TemporaryPathFor(u"C:\\WINDOWS\\DEFAULT.AFD"), u"C:\\WINDOWS\\DEFAULT.TMP");
}

}  // namespace
}  // namespace tq::phonebook
