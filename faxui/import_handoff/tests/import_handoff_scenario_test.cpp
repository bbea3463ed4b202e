// The import buttons end to end: qlhost opens the recipient dialog of a fax
// job (qlhost print) or the phonebook dialog (qlhost phonebook) with its
// script, the script presses 1018, and qlimportn, started by the plug-in,
// runs a script of its own (TELEQUILL_CHILD_UI). Each scenario runs on the
// headless face and on the Qt face (offscreen); afterwards no result file
// is left in the private runtime folder.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "testing/temp_root.h"

namespace {

using tq::testing::ReadText;
using tq::testing::WriteText;

const std::string kMagic = "TOVA_KALDE_ORBY_FAX_DATA_FILE_2000\n";

// A phonebook individual with the default communication settings.
std::string Person(const std::string& name, const std::string& fax) {
  return "\x01" + name + "\x03" + fax + "\x03\x03\x03\x03\x03" "0\x03" "0\x03\x03" "0\x03" "0\x03\x03\x03\x03\x03\x04";
}

std::string Quoted(const std::string& text) { return "\"" + text + "\""; }

// The Import application's source dialog with the automatic search, the
// file, and the selection of `rows` lines.
std::string ImportRows(const std::string& csv, int rows) {
  std::string select = "select 1004";
  for (int i = 0; i < rows; ++i) select += " " + std::to_string(i);
  return "dialog 116\nselecttext 1056 \"Valeurs séparées par une virgule (CSV)\"\nclick 1057\nclick 1\n"
         "file " + csv + "\ndialog 102\n" + select + "\n";
}

constexpr char kContinue[] =
    "box cancel \"Les entrées importées remplaceront tous les destinataires apparaissant dans la liste.\\n"
    "Continuer ?\"\n";

class ImportHandoffScenario : public tq::testing::TempRoot, public ::testing::WithParamInterface<std::string> {
 protected:
  struct Run {
    int status = -1;
    std::string error;
    std::string transcript;
  };

  // qlhost with `args` and the parent's script; qlimportn with the child's.
  Run Qlhost(std::vector<std::string> args, const std::string& parent, const std::string& child) {
    WriteText(path("parent.txt"), parent);
    WriteText(path("child.txt"), child);
    std::filesystem::remove(path("t.txt"));
    std::vector<std::string> env = {"TELEQUILL_TRANSCRIPT=" + path("t.txt").string()};
    args.push_back("--ui");
    if (GetParam() == "qt") {
      args.push_back("qt");
      env.push_back("TELEQUILL_SCRIPT=" + path("parent.txt").string());
      env.push_back("TELEQUILL_CHILD_UI=qt");
      env.push_back("TELEQUILL_CHILD_SCRIPT=" + path("child.txt").string());
      env.push_back("QT_QPA_PLATFORM=offscreen");
    } else {
      args.push_back("script:" + path("parent.txt").string());
      env.push_back("TELEQUILL_CHILD_UI=script:" + path("child.txt").string());
    }
    const auto result = tq::testing::RunProgram("qlhost", args, env);
    return {result.status, result.err, ReadText(path("t.txt"))};
  }
  // A fax job whose recipient dialog the script ends with "Annuler".
  Run Print(const std::string& parent, const std::string& child) {
    WriteText(path("doc.pxl"), ") HP-PCL XL;2;0\r\n");
    return Qlhost({"print", "--job", "fax", "--output", path("out.prn").string(), path("doc.pxl").string()},
                  parent + "click 2\nbox ok\n", child);
  }
  Run Manage(const std::string& parent, const std::string& child) { return Qlhost({"phonebook"}, parent, child); }

  std::string Csv(const std::string& text) {
    WriteText(path("input.csv"), text);
    return path("input.csv").string();
  }
  // The handoff files left in the private runtime folder.
  std::vector<std::string> LeftResultFiles() const {
    std::vector<std::string> left;
    if (!std::filesystem::exists(path("run"))) return left;
    for (const auto& entry : std::filesystem::directory_iterator(path("run"))) {
      const std::string name = entry.path().filename().string();
      if (name.rfind("DB", 0) == 0) left.push_back(name);
    }
    return left;
  }
  static std::size_t Count(const std::string& text, const std::string& what) {
    std::size_t count = 0;
    for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++count;
    return count;
  }
};

TEST_P(ImportHandoffScenario, SixtyEntriesReplaceTheRecipientListWithFiftyAfterTheQuestion) {
  std::string csv = "Nom,Fax\n";
  std::string lines;
  for (int i = 0; i < 60; ++i) {
    csv += "N" + std::to_string(i) + "," + std::to_string(1000 + i) + "\n";
    if (i < 50) lines += " " + Quoted("N" + std::to_string(i) + " <" + std::to_string(1000 + i) + ">");
  }
  const std::string file = Csv(csv);
  const Run run = Print("dialog 101\ntype 1001 Ancien\ntype 1004 999\nclick 1006\n"
                        // Cancel starts nothing; OK starts the import.
                        "click 1018\n" + std::string(kContinue) + "expect-lines 1008 \"Ancien <999>\"\n"
                        "click 1018\nbox ok\nwait-command 1022 60\n"
                        "expect-lines 1008" + lines + "\nexpect-selected 1008 0\n"
                        "expect-enabled 1024\nexpect-disabled 1006\n",
                        ImportRows(file, 60) +
                            "click 1001\nbox ok \"La liste de destinataires a atteint le nombre maximum d'entrées.\\n"
                            "Vous ne pouvez pas importer plus de 50 destinataires.\"\nclick 1\n"
                            "dialog 101\nexpect-text 1002 \"50 entrées seront importées :\"\nclick 1\n");
  EXPECT_EQ(run.status, 1) << run.error << run.transcript;  // the job was cancelled
  EXPECT_EQ(Count(run.transcript, "dialog 116 open"), 1u) << run.transcript;
  EXPECT_EQ(Count(run.transcript, "fail"), 0u) << run.transcript;
  EXPECT_TRUE(LeftResultFiles().empty());
}

// A name with angle brackets and one with blanks come back from the
// Import application whole: in the recipient lines, in the communication
// settings' title and in the phonebook entries they are stored as.
TEST_P(ImportHandoffScenario, NamesWithAngleBracketsAndBlanksKeepTheirNumbers) {
  WriteText(path("DEFAULT.AFD"), kMagic);
  const std::string file = Csv("Nom,Fax\n\"Dupont <Paris>\",0145678900\nJean de la Rue,1\n");
  const Run run = Print("dialog 101\nclick 1018\nwait-command 1022 60\n"
                        "expect-lines 1008 \"Dupont <Paris> <0145678900>\" \"Jean de la Rue <1>\"\n"
                        "select 1008 0\nclick 1005\ndialog 104\n"
                        "expect-caption \"Paramètres de communication - Dupont <Paris> <0145678900>\"\n"
                        "click 2\ndialog 101\nselect 1008 0 1\nclick 1011\n",
                        ImportRows(file, 2) + "click 1001\nclick 1\ndialog 101\nclick 1\n");
  EXPECT_EQ(run.status, 1) << run.error << run.transcript;
  EXPECT_EQ(Count(run.transcript, "fail"), 0u) << run.transcript;
  EXPECT_EQ(ReadText(path("DEFAULT.AFD")),
            kMagic + Person("Dupont <Paris>", "0145678900") + Person("Jean de la Rue", "1"));
  EXPECT_TRUE(LeftResultFiles().empty());
}

TEST_P(ImportHandoffScenario, CancelledImportGivesTheDialogBackUnchanged) {
  const Run run = Print("dialog 101\ntype 1001 Ancien\ntype 1004 999\nclick 1006\n"
                        "click 1018\nbox ok\nwait-command 1022 60\n"
                        "expect-lines 1008 \"Ancien <999>\"\nexpect-enabled 1018\n",
                        "dialog 116\nclick 2\n");
  EXPECT_EQ(run.status, 1) << run.error << run.transcript;
  EXPECT_EQ(Count(run.transcript, "dialog 116 end 0"), 1u) << run.transcript;
  EXPECT_EQ(Count(run.transcript, "box "), 2u) << run.transcript;  // the question and the job's cancellation
  EXPECT_EQ(Count(run.transcript, "fail"), 0u) << run.transcript;
  EXPECT_TRUE(LeftResultFiles().empty());
}

TEST_P(ImportHandoffScenario, PhonebookImportAsksForEachExistingLineAndStopsOnCancel) {
  WriteText(path("DEFAULT.AFD"), kMagic + Person("B", "2") + Person("C", "3") + Person("D", "4"));
  const std::string file = Csv("Nom,Fax\nA,1\nB,2\nC,3\nD,4\nE,5\n");
  const std::string question = "\\n\\nLe nom du destinataire existe déjà dans l'annuaire courant.\\n"
                               "Souhaitez-vous le remplacer ?\"\n";
  const Run run = Manage("dialog 106\nexpect-enabled 1018\nclick 1018\nwait-command 1022 60\n"
                         "box no \"Nom : B\\nN° de fax : 2" + question +
                         "box yes \"Nom : C\\nN° de fax : 3" + question +
                         "box cancel \"Nom : D\\nN° de fax : 4" + question +
                         "dialog 106\nexpect-lines 601 \"A <1>\" \"B <2>\" \"C <3>\" \"D <4>\"\nclick 2\n",
                         ImportRows(file, 5) + "click 1001\nclick 1\ndialog 101\nclick 1\n");
  ASSERT_EQ(run.status, 0) << run.error << run.transcript;
  // A appended, C replaced (written last), E never reached.
  EXPECT_EQ(ReadText(path("DEFAULT.AFD")),
            kMagic + Person("B", "2") + Person("D", "4") + Person("A", "1") + Person("C", "3"));
  EXPECT_NE(run.transcript.find("box question yesnocancel \"Importation d'un destinataire de télécopie\""),
            std::string::npos)
      << run.transcript;
  EXPECT_TRUE(LeftResultFiles().empty());
}

INSTANTIATE_TEST_SUITE_P(Faces, ImportHandoffScenario, ::testing::Values("headless", "qt"));

}  // namespace
