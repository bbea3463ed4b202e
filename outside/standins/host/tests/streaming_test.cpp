// The streamed job output: a file appears whole or not at all, under every
// write, flush and rename fault; documents are told by their first bytes.
#include <gtest/gtest.h>

#include <filesystem>

#include "host/document_source.h"
#include "host/ghostscript.h"
#include "host/output_file.h"
#include "testing/temp_root.h"
#include "win/faults.h"

namespace tq::host {
namespace {

using tq::testing::ReadText;
using tq::testing::WriteText;

const std::string kPageData = ") HP-PCL XL;2;0\r\n" + std::string(3u << 20, 'p');

class StreamedOutput : public tq::testing::TempRoot {
 protected:
  void TearDown() override {
    ClearFileFaults();
    TempRoot::TearDown();
  }

  // Header, the document copied in, trailer: as a print job writes them.
  bool WriteJob(const std::string& output, std::string& error) {
    Document document;
    EXPECT_TRUE(document.Open(path("doc.pxl").string(), "doc.pxl", Conversion{}, error)) << error;
    return ReplaceFileStreaming(
        output,
        [&](JobSink& sink, std::string& failure) {
          return sink.Write("HEADER\n", failure) && sink.CopyFrom(document.handle(), document.size(), failure) &&
                 sink.Write("TRAILER\n", failure);
        },
        error);
  }

  int FilesIn(const std::filesystem::path& folder) {
    int files = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder)) ++files;
    return files;
  }
};

TEST_F(StreamedOutput, WholeJobReplacesTheFile) {
  WriteText(path("doc.pxl"), kPageData);
  WriteText(path("job.prn"), "old job");
  std::string error;
  ASSERT_TRUE(WriteJob(path("job.prn").string(), error)) << error;
  EXPECT_EQ(ReadText(path("job.prn")), "HEADER\n" + kPageData + "TRAILER\n");
  EXPECT_EQ(FilesIn(root()), 2);
}

TEST_F(StreamedOutput, EveryFaultLeavesTheOldFileAndNoTemporary) {
  WriteText(path("doc.pxl"), kPageData);
  // Writes: the header, the copied chunk of the document, the trailer.
  const std::pair<FileFault, int> faults[] = {{FileFault::Write, 1}, {FileFault::Write, 2}, {FileFault::Write, 3},
                                              {FileFault::Rename, 1}};
  for (const auto& [kind, n] : faults) {
    WriteText(path("job.prn"), "old job");
    FailNthFileOperation(kind, n);
    std::string error;
    EXPECT_FALSE(WriteJob(path("job.prn").string(), error)) << static_cast<int>(kind) << " " << n;
    ClearFileFaults();
    EXPECT_NE(error.find(path("job.prn").string() + ": cannot be written (disk full)"), std::string::npos)
        << error;
    EXPECT_EQ(ReadText(path("job.prn")), "old job");
    EXPECT_EQ(FilesIn(root()), 2) << static_cast<int>(kind) << " " << n;
  }
}

TEST_F(StreamedOutput, FailingProducerLeavesNoFile) {
  std::string error;
  EXPECT_FALSE(ReplaceFileStreaming(
      path("job.prn").string(),
      [](JobSink& sink, std::string& failure) {
        if (!sink.Write("part of a job", failure)) return false;
        failure = "the document went away";
        return false;
      },
      error));
  EXPECT_EQ(error, "the document went away");
  EXPECT_EQ(FilesIn(root()), 0);
}

TEST(DocumentType, ToldByTheFirstBytes) {
  EXPECT_EQ(DetectDocumentType(") HP-PCL XL;2;0\r\n"), DocumentType::PclXl);
  EXPECT_EQ(DetectDocumentType("( HP-PCL XL;2;0\r\n"), DocumentType::PclXl);
  EXPECT_EQ(DetectDocumentType("\x1B%-12345X@PJL ENTER LANGUAGE=PCLXL\n) HP-PCL XL;1;1\n"), DocumentType::PclXl);
  EXPECT_EQ(DetectDocumentType("%PDF-1.7\n"), DocumentType::Pdf);
  EXPECT_EQ(DetectDocumentType("%!PS-Adobe-3.0\n"), DocumentType::PostScript);
  EXPECT_EQ(DetectDocumentType("\x04%!PS\n"), DocumentType::PostScript);
  EXPECT_EQ(DetectDocumentType("\xC5\xD0\xD3\xC6 binary EPS"), DocumentType::PostScript);
  // A name says nothing; neither do PJL lines for another language. Text is
  // what holds no control byte but tab, line ends and form feed.
  EXPECT_EQ(DetectDocumentType("Dear Sir,\n%PDF-1.4"), DocumentType::Text);
  EXPECT_EQ(DetectDocumentType(" %PDF-1.4\tH\xC3\xA9l\xC3\xA8ne\r\n\f"), DocumentType::Text);
  EXPECT_EQ(DetectDocumentType("\x1B%-12345X@PJL ENTER LANGUAGE=PCL\n"), DocumentType::Unknown);
  EXPECT_EQ(DetectDocumentType(std::string("text\0with a NUL", 15)), DocumentType::Unknown);
  EXPECT_EQ(DetectDocumentType(""), DocumentType::Unknown);
}

TEST(DocumentType, PageDataIsCutOutOfThePjlAroundIt) {
  const std::string uel = "\x1B%-12345X";
  const std::string wrapped = uel + "@PJL ENTER LANGUAGE = PCLXL\n) HP-PCL XL;1;1\nDATA" + uel;
  PageDataRange range;
  ASSERT_TRUE(FindPageData(wrapped, wrapped.substr(wrapped.size() - 16), wrapped.size(), range));
  EXPECT_EQ(wrapped.substr(range.offset, range.size), ") HP-PCL XL;1;1\nDATA");
  // Bare page data passes whole, even with an escape at its end.
  const std::string bare = ") HP-PCL XL;2;0\n" + uel;
  ASSERT_TRUE(FindPageData(bare, bare, bare.size(), range));
  EXPECT_EQ(range.offset, 0u);
  EXPECT_EQ(range.size, bare.size());
  EXPECT_FALSE(FindPageData(uel + "@PJL ENTER LANGUAGE=PCL\n", "", 40, range));
}

}  // namespace
}  // namespace tq::host
