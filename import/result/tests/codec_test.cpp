#include "import_result/codec.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "common/ansi_slots.h"

namespace tq {
namespace {

using Bytes = std::vector<std::uint8_t>;

void Append(Bytes& bytes, std::initializer_list<std::uint8_t> more) { bytes.insert(bytes.end(), more); }

// `text` in a slot of `size` bytes, zero-filled.
void AppendSlot(Bytes& bytes, const std::string& text, std::size_t size) {
  Bytes slot(size, 0);
  std::memcpy(slot.data(), text.data(), std::min(text.size(), size));
  bytes.insert(bytes.end(), slot.begin(), slot.end());
}

Bytes NameNumber(const std::string& name, const std::string& number) {
  Bytes bytes;
  AppendSlot(bytes, name, 31);
  AppendSlot(bytes, number, 31);
  return bytes;
}

Bytes CommonFile(std::int32_t count, const std::vector<Bytes>& records) {
  Bytes bytes(4);
  std::memcpy(bytes.data(), &count, 4);
  for (const Bytes& record : records) bytes.insert(bytes.end(), record.begin(), record.end());
  return bytes;
}

TEST(ImportResultRead, NameNumberRecordsStartFromTheDefaultEntry) {
  const Bytes file = CommonFile(2, {NameNumber("Dupont", "0142424242"), NameNumber("Martin", "0611")});
  const ImportReadResult read = ReadImportResult(file, ImportForm::Common, ImportRecordKind::NameNumber);
  ASSERT_EQ(read.records.size(), 2u);
  EXPECT_FALSE(read.truncated);
  EXPECT_EQ(AnsiSlotView(read.records[1].name), "Martin");
  EXPECT_EQ(AnsiSlotView(read.records[1].faxNumber), "0611");
  EntryRecord expected = DefaultEntryRecord;
  CopyToAnsiSlot(expected.name, "Dupont");
  CopyToAnsiSlot(expected.faxNumber, "0142424242");
  EXPECT_EQ(std::memcmp(&read.records[0], &expected, sizeof expected), 0);
}

TEST(ImportResultRead, EntryRecordsAreTakenWhole) {
  Bytes record(236);
  for (std::size_t i = 0; i < record.size(); ++i) record[i] = static_cast<std::uint8_t>(i);
  const ImportReadResult read = ReadImportResult(CommonFile(1, {record}), ImportForm::Common, ImportRecordKind::Entry);
  ASSERT_EQ(read.records.size(), 1u);
  EXPECT_EQ(std::memcmp(&read.records[0], record.data(), 236), 0);
}

TEST(ImportResultRead, ReadsOnlyWhatIsThere) {
  const Bytes one = NameNumber("A", "1");
  struct Case {
    const char* what;
    Bytes file;
    std::size_t records;
    bool truncated;
  };
  Bytes halfRecord = CommonFile(2, {one});
  Append(halfRecord, {'B', 0, 0});
  Bytes trailing = CommonFile(1, {one, one});
  const Case cases[] = {
      {"empty file", {}, 0, true},
      {"inside the count", {1, 0}, 0, true},
      {"count zero", CommonFile(0, {}), 0, false},
      {"negative count", CommonFile(-1, {one}), 0, false},
      {"most negative count", CommonFile(INT32_MIN, {one}), 0, false},
      {"count beyond the records", CommonFile(5, {one, one}), 2, true},
      {"huge count", CommonFile(INT32_MAX, {one}), 1, true},
      {"half a record", halfRecord, 1, true},
      {"records after the count", trailing, 1, false},
  };
  for (const Case& c : cases) {
    const ImportReadResult read = ReadImportResult(c.file, ImportForm::Common, ImportRecordKind::NameNumber);
    EXPECT_EQ(read.records.size(), c.records) << c.what;
    EXPECT_EQ(read.truncated, c.truncated) << c.what;
  }
}

TEST(ImportResultRead, UnterminatedSlotsStayInsideTheirRecord) {
  // 31 letters fill the name slot; the text ends at the slot, not in the number.
  const Bytes file = CommonFile(1, {NameNumber(std::string(31, 'N'), std::string(31, '9'))});
  const ImportReadResult read = ReadImportResult(file, ImportForm::Common, ImportRecordKind::NameNumber);
  ASSERT_EQ(read.records.size(), 1u);
  EXPECT_EQ(AnsiSlotView(read.records[0].name), std::string(31, 'N'));
  EXPECT_EQ(AnsiSlotView(read.records[0].faxNumber), std::string(31, '9'));
  EXPECT_EQ(read.records[0].transmissionMode, 0);
  EXPECT_EQ(read.records[0].sendMode, '0');
}

// A model P speed-dial record, laid out byte by byte.
Bytes SpeedDialP(std::uint16_t destinations) {
  Bytes bytes;
  AppendSlot(bytes, "Relais Lyon", 31);
  AppendSlot(bytes, "0472", 31);
  Append(bytes, {3, 0});                // 62: mode index 3
  Append(bytes, {'1'});                 // 64: relay
  AppendSlot(bytes, "12", 4);           // 65
  AppendSlot(bytes, "9876", 5);         // 69
  AppendSlot(bytes, "42", 3);           // 74
  Append(bytes, {'1'});                 // 77
  Append(bytes, {static_cast<std::uint8_t>(destinations), static_cast<std::uint8_t>(destinations >> 8)});
  AppendSlot(bytes, "001002003", 60);   // 80
  Append(bytes, {0, 0});                // 140
  AppendSlot(bytes, "FCODE", 21);       // 142
  AppendSlot(bytes, "SECRET", 21);      // 163
  return bytes;
}

Bytes ModelPFile(std::uint16_t count, const std::vector<Bytes>& records) {
  Bytes bytes{static_cast<std::uint8_t>(count), static_cast<std::uint8_t>(count >> 8)};
  for (const Bytes& record : records) bytes.insert(bytes.end(), record.begin(), record.end());
  return bytes;
}

TEST(ImportResultModelP, SpeedDialRecordBecomesAnEntry) {
  const Bytes record = SpeedDialP(3);
  ASSERT_EQ(record.size(), 184u);
  const ImportReadResult read = ReadImportResult(ModelPFile(1, {record}), ImportForm::ModelP, ImportRecordKind::Entry);
  ASSERT_EQ(read.records.size(), 1u);
  const EntryRecord& entry = read.records[0];
  EXPECT_EQ(AnsiSlotView(entry.name), "Relais Lyon");
  EXPECT_EQ(AnsiSlotView(entry.faxNumber), "0472");
  EXPECT_EQ(entry.transmissionMode, 3);
  EXPECT_EQ(entry.sendMode, '1');
  EXPECT_EQ(AnsiSlotView(entry.mailboxId), "12");
  EXPECT_EQ(AnsiSlotView(entry.mailboxPassword), "9876");
  EXPECT_EQ(AnsiSlotView(entry.relayTerminalId), "42");
  EXPECT_EQ(entry.printOnRelay, '1');
  EXPECT_EQ(entry.destinationCount, 3);
  EXPECT_EQ(std::string(entry.destinationIds, 9), "001002003");
  EXPECT_EQ(AnsiSlotView(entry.fCode), "FCODE");
  EXPECT_EQ(AnsiSlotView(entry.fCodePassword), "SECRET");
  EXPECT_EQ(entry.speedDialFlag, 0);

  // Written back, the record is the same bytes.
  const Bytes again = WriteImportResult(read.records, ImportForm::ModelP, ImportRecordKind::Entry);
  EXPECT_EQ(again, ModelPFile(1, {record}));
}

TEST(ImportResultModelP, CountsAreSixteenBitAndBounded) {
  const Bytes names = NameNumber("A", "1");
  // 0xFFFF is a count, not -1: the records that are there are read.
  const ImportReadResult many = ReadImportResult(ModelPFile(0xFFFF, {names, names}), ImportForm::ModelP,
                                                 ImportRecordKind::NameNumber);
  EXPECT_EQ(many.records.size(), 2u);
  EXPECT_TRUE(many.truncated);
  const Bytes justCount{1};
  EXPECT_TRUE(ReadImportResult(justCount, ImportForm::ModelP, ImportRecordKind::Entry).truncated);

  // A destination count beyond the twenty ids a record has reads as twenty.
  const ImportReadResult damaged = ReadImportResult(ModelPFile(1, {SpeedDialP(300)}), ImportForm::ModelP,
                                                    ImportRecordKind::Entry);
  ASSERT_EQ(damaged.records.size(), 1u);
  EXPECT_EQ(damaged.records[0].destinationCount, 20);
}

TEST(ImportResultWrite, CommonFormIsCountThenRecords) {
  EntryRecord first = DefaultEntryRecord;
  CopyToAnsiSlot(first.name, "Dupont");
  CopyToAnsiSlot(first.faxNumber, "0142");
  first.transmissionMode = 2;  // not part of a name-and-number record
  EntryRecord second = DefaultEntryRecord;
  CopyToAnsiSlot(second.name, "Martin");
  const std::vector<EntryRecord> records{first, second};

  const Bytes names = WriteImportResult(records, ImportForm::Common, ImportRecordKind::NameNumber);
  EXPECT_EQ(names, CommonFile(2, {NameNumber("Dupont", "0142"), NameNumber("Martin", "")}));
  const Bytes namesP = WriteImportResult(records, ImportForm::ModelP, ImportRecordKind::NameNumber);
  EXPECT_EQ(namesP, ModelPFile(2, {NameNumber("Dupont", "0142"), NameNumber("Martin", "")}));

  const Bytes entries = WriteImportResult(records, ImportForm::Common, ImportRecordKind::Entry);
  ASSERT_EQ(entries.size(), 4u + 2 * 236);
  EXPECT_EQ(std::memcmp(entries.data() + 4 + 236, &second, 236), 0);
  const ImportReadResult back = ReadImportResult(entries, ImportForm::Common, ImportRecordKind::Entry);
  ASSERT_EQ(back.records.size(), 2u);
  EXPECT_EQ(back.records[0].transmissionMode, 2);

  EXPECT_EQ(WriteImportResult({}, ImportForm::Common, ImportRecordKind::Entry), (Bytes{0, 0, 0, 0}));
}

TEST(ImportResultWrite, ModelPPasswordSlotKeepsItsTerminator) {
  EntryRecord entry = DefaultEntryRecord;
  std::memset(entry.mailboxPassword, '7', sizeof entry.mailboxPassword);  // a damaged entry
  const SpeedDialRecordP record = SpeedDialPFromEntry(entry);
  EXPECT_EQ(AnsiSlotView(record.mailboxPassword), "7777");
  EXPECT_EQ(record.relayTerminalId[0], '\0');
}

}  // namespace
}  // namespace tq
