#include "import/csv_split.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

using tq::import::CsvFile;

CsvFile Split(const std::string& text) {
  std::unique_ptr<char[]> bytes(new char[text.size() + 1]);
  std::memcpy(bytes.get(), text.data(), text.size());
  CsvFile file;
  tq::import::SplitCsvLines(std::move(bytes), text.size(), file);
  return file;
}

std::vector<std::string> Fields(const std::string& line, bool* ok = nullptr) {
  std::string buffer = line;
  std::vector<std::string_view> fields;
  const bool split = tq::import::SplitFields(buffer, fields);
  if (ok != nullptr) *ok = split;
  return {fields.begin(), fields.end()};
}

TEST(CsvLines, CarriageReturnBeforeLineFeedDroppedAndTheUnfinishedLastLineNotRead) {
  const CsvFile file = Split("\r\n\nA,B\r\nC\rD\nlast");
  ASSERT_EQ(file.lines.size(), 4u);
  EXPECT_EQ(file.header, 2u);
  EXPECT_EQ(file.lines[2], "A,B");
  EXPECT_EQ(file.lines[3], "C\rD");
}

TEST(CsvLines, NoLineFeedMeansNoLineAndNoHeader) {
  const CsvFile file = Split("A,B");
  EXPECT_TRUE(file.lines.empty());
  EXPECT_EQ(file.header, 0u);
}

TEST(CsvLines, BytesBelowTheBlankStayInsideTheirLine) {
  const CsvFile file = Split(std::string("a\0\x01,\x04z\n", 7));
  ASSERT_EQ(file.lines.size(), 1u);
  EXPECT_EQ(file.lines[0], std::string_view("a\0\x01,\x04z", 6));
}

TEST(CsvFields, QuotesDoubledQuotesAndTextAfterTheClosingQuote) {
  EXPECT_EQ(Fields("\"Dupont \"\"Jean\"\"\",\"a,b\"x,c"), (std::vector<std::string>{"Dupont \"Jean\"", "a,b", "c"}));
  EXPECT_EQ(Fields("a,,"), (std::vector<std::string>{"a", "", ""}));
  EXPECT_EQ(Fields(""), std::vector<std::string>{});
  EXPECT_EQ(Fields("\"\""), std::vector<std::string>{""});
}

TEST(CsvFields, UnclosedQuoteIsRefused) {
  bool ok = true;
  Fields("a,\"b,c", &ok);
  EXPECT_FALSE(ok);
  Fields("\"", &ok);
  EXPECT_FALSE(ok);
  Fields("\"ab\"\"", &ok);  // the doubled quote is text, the field stays open
  EXPECT_FALSE(ok);
}

TEST(CsvFields, AfterTheLastAllowedSeparatorTheRestIsOneField) {
  std::string line;
  for (int i = 0; i < 1030; ++i) line += "x,";
  const auto fields = Fields(line);
  ASSERT_EQ(fields.size(), tq::import::kMaxFields);
  EXPECT_EQ(fields.back(), "x,x,x,x,x,x,");
}

}  // namespace

namespace {

std::string InAnsi(const std::string& utf8) {
  std::string text = utf8;
  std::size_t size = 0;
  if (!tq::import::Utf8ToAnsiInPlace(text.data(), text.size(), size)) return "(unchanged)";
  return text.substr(0, size);
}

// UTF-8 is converted line by line, in place; ASCII and text that is not
// UTF-8 (Windows-1252, a cut sequence, an overlong form, a surrogate) are
// left to be read as ANSI.
TEST(CsvEncoding, Utf8BecomesAnsiOtherTextStays) {
  EXPECT_EQ(InAnsi("J\xC3\xA9r\xC3\xB4me;Dupr\xC3\xA9\r\n\xE2\x82\xAC 5\n"), "J\xe9r\xf4me;Dupr\xe9\r\n\x80 5\n");
  EXPECT_EQ(InAnsi("plain ascii\n"), "(unchanged)");
  EXPECT_EQ(InAnsi("Caf\xe9\n"), "(unchanged)");
  EXPECT_EQ(InAnsi("cut \xC3"), "(unchanged)");
  EXPECT_EQ(InAnsi("overlong \xC0\xAF"), "(unchanged)");
  EXPECT_EQ(InAnsi("surrogate \xED\xA0\x80"), "(unchanged)");
}

TEST(CsvSeparator, MostFieldsOutsideQuotesCommaOnATie) {
  using tq::import::GuessSeparator;
  EXPECT_EQ(GuessSeparator("Nom;Pr\xe9nom;Fax"), ';');
  EXPECT_EQ(GuessSeparator("Nom\tFax\tAutre"), '\t');
  EXPECT_EQ(GuessSeparator("\"a;b;c\",Fax"), ',');
  EXPECT_EQ(GuessSeparator("Nom;Fax,Autre"), ',');
  EXPECT_EQ(GuessSeparator("Nom"), ',');
  std::string line = "A;B";
  std::vector<std::string_view> fields;
  ASSERT_TRUE(tq::import::SplitFields(line, fields, ';'));
  EXPECT_EQ(fields.size(), 2u);
}

}  // namespace
