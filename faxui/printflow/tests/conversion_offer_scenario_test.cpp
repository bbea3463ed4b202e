// A default phonebook of the oldest version: opening the recipient dialog
// offers its conversion while the dialog initialises, and a script answers
// that offer before the dialog's own actions, in the order the transcript
// gives. qlhost prints the fax job on the headless face.
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "testing/temp_root.h"

namespace {

using tq::testing::ReadText;
using tq::testing::WriteText;
using Lines = std::vector<std::string>;

const char kOldPhonebook[] = TELEQUILL_SOURCE_DIR "/examples/phonebooks/bureau-0000.afd";

const char kOffer[] =
    "box question yesno \"Conversion de fichier\" \"@OLD\\nLe format de fichier a été créé par une version "
    "antérieure du pilote.\\nSouhaitez-vous le convertir ?\\n\\nRemarque :\\nLes entrées associées au même nom "
    "et au même numéro de fax sont considérées\\ncomme des doublons. Seule la première entrée sera convertie.\"";

// After the offer: one recipient, OK, and the confirmation prompt sends.
const char kSend[] =
    "type 1001 Dupont\n"
    "type 1004 0123\n"
    "click 1006\n"
    "click 1\n"
    "dialog 108\n"
    "click 801\n";

class ConversionOffer : public tq::testing::TempRoot {
 protected:
  void SetUp() override {
    TempRoot::SetUp();
    std::filesystem::copy_file(kOldPhonebook, DefaultPhonebook());
    oldBytes_ = ReadText(DefaultPhonebook());
  }

  std::filesystem::path DefaultPhonebook() const { return path("DEFAULT.AFD"); }

  // Prints a fax job under the script; the transcript's lines.
  Lines Print(const std::string& script) {
    WriteText(path("doc.pxl"), ") HP-PCL XL;2;0\r\n");
    WriteText(path("script.txt"), script);
    const auto run = tq::testing::RunProgram(
        "qlhost",
        {"print", "--job", "fax", "--ui", "script:" + path("script.txt").string(), "--output",
         path("out.prn").string(), path("doc.pxl").string()},
        {"TELEQUILL_TRANSCRIPT=" + path("t.txt").string()});
    status_ = run.status;
    error_ = run.err;
    Lines lines;
    std::istringstream in(ReadText(path("t.txt")));
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
  }

  std::string Offer() const {
    std::string line = kOffer;
    line.replace(line.find("@OLD"), 4, DefaultPhonebook().string());
    return line;
  }

  int status_ = -1;
  std::string error_;
  std::string oldBytes_;
};

TEST_F(ConversionOffer, DeclinedLeavesThePhonebookUnavailable) {
  const Lines transcript = Print(std::string("box no\n") +
                                 "dialog 101\n"
                                 "expect-text 1016 --Aucun--\n" +
                                 kSend);
  ASSERT_EQ(status_, 0) << error_;
  ASSERT_GE(transcript.size(), 2u);
  // The box comes first: it is raised before the dialog is shown.
  EXPECT_EQ(transcript[0], Offer() + " -> no");
  EXPECT_EQ(transcript[1], "dialog 101 open \"Destinataire du fax\"");
  // The old default phonebook stays as it was, and no list file names it.
  EXPECT_EQ(ReadText(DefaultPhonebook()), oldBytes_);
  EXPECT_FALSE(std::filesystem::exists(path("AFD.INI")));
  EXPECT_TRUE(std::filesystem::exists(path("out.prn")));
}

TEST_F(ConversionOffer, AcceptedMakesTheConvertedFileCurrent) {
  const std::string converted = path("converti.AFD").string();
  const Lines transcript = Print("box yes\n"
                                 "file " + converted + "\n"
                                 "dialog 101\n"
                                 "expect-text 1016 \"" + converted + "\"\n" +
                                 kSend);
  ASSERT_EQ(status_, 0) << error_;
  ASSERT_GE(transcript.size(), 3u);
  EXPECT_EQ(transcript[0], Offer() + " -> yes");
  EXPECT_EQ(transcript[1].rfind("file save \"Enregistrer la conversion sous\" -> ", 0), 0u) << transcript[1];
  EXPECT_EQ(transcript[2], "dialog 101 open \"Destinataire du fax\"");
  EXPECT_EQ(ReadText(path("AFD.INI")), converted + "\n");
  EXPECT_EQ(ReadText(converted).rfind("TOVA_KALDE_ORBY_FAX_DATA_FILE_2000\n", 0), 0u);
  EXPECT_EQ(ReadText(DefaultPhonebook()), oldBytes_);
}

TEST_F(ConversionOffer, AnsweringAfterTheDialogLineSaysWhere) {
  // The dialog's line first: the box is met by it, and the run says that
  // the answer belongs before it.
  Print("dialog 101\nbox no\n");
  EXPECT_EQ(status_, 3);
  EXPECT_NE(error_.find("line 1 (dialog 101)"), std::string::npos) << error_;
  EXPECT_NE(error_.find("answered before its `dialog` line"), std::string::npos) << error_;
  EXPECT_EQ(ReadText(DefaultPhonebook()), oldBytes_);
}

}  // namespace
