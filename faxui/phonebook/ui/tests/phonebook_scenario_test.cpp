// The phonebook dialogs end to end: qlhost opens the management form
// (qlhost phonebook) or the recipient dialog of a fax job (qlhost print)
// with an automation script on the headless face and on the Qt face
// (offscreen); the transcript, the
// list lines the script checks and the phonebook's bytes afterwards are
// compared with what they must be.
#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

#include "testing/temp_root.h"

namespace {

using tq::testing::ReadText;
using tq::testing::WriteText;
using Lines = std::vector<std::string>;

const std::string kMagic = "TOVA_KALDE_ORBY_FAX_DATA_FILE_2000\n";

std::string Person(const std::string& name, const std::string& fax, const std::string& company = "",
                   const std::string& telephone = "") {
  return "\x01" + name + "\x03" + fax + "\x03" + company + "\x03" + telephone +
         "\x03\x03\x03" "0\x03" "0\x03\x03" "0\x03" "0\x03\x03\x03\x03\x03\x04";
}

std::string Group(const std::string& name, const Lines& members) {
  std::string record = "\x02" + name + "\x03";
  for (const std::string& member : members) record += member + "\x03";
  return record + "\x04";
}

Lines SplitLines(const std::string& text) {
  Lines lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

struct Session {
  int status = -1;
  std::string error;
  Lines transcript;
};

enum class Face { Headless, Qt };

class PhonebookScenario : public tq::testing::TempRoot, public ::testing::WithParamInterface<Face> {
 protected:
  std::string BookPath() const { return path("DEFAULT.AFD").string(); }
  void WriteBook(const std::string& records) { WriteText(path("DEFAULT.AFD"), kMagic + records); }
  std::string Book() const { return ReadText(path("DEFAULT.AFD")); }

  Session Qlhost(const std::string& script, std::vector<std::string> args) {
    WriteText(path("script.txt"), script);
    std::filesystem::remove(path("t.txt"));
    if (GetParam() == Face::Qt) {
      args.insert(args.end(), {"--ui", "qt", "--script", path("script.txt").string()});
    } else {
      args.insert(args.end(), {"--ui", "script:" + path("script.txt").string()});
    }
    const auto result =
        tq::testing::RunProgram("qlhost", args, {"TELEQUILL_TRANSCRIPT=" + path("t.txt").string()});
    return {result.status, result.err, SplitLines(ReadText(path("t.txt")))};
  }
  Session Manage(const std::string& script) { return Qlhost(script, {"phonebook"}); }
  // A fax job whose recipient dialog the script ends with "Annuler".
  Session Print(const std::string& script) {
    WriteText(path("doc.pxl"), ") HP-PCL XL;2;0\r\n");
    return Qlhost(script + "click 2\nbox ok\n",
                  {"print", "--job", "fax", "--output", path("out.prn").string(), path("doc.pxl").string()});
  }
  static std::string HelpFile() { return "qlhelpn.HLP"; }
  std::string Opened() const { return "dialog 106 open \"Annuaire - " + BookPath() + "\""; }
};

TEST_P(PhonebookScenario, WithoutUsablePhonebookOnlyFilesSearchHelpAndCloseWork) {
  WriteBook(Person("Dupont", "0123"));
  std::filesystem::permissions(path("DEFAULT.AFD"), std::filesystem::perms::owner_write,
                               std::filesystem::perm_options::remove);
  const Session run = Manage(
      "dialog 106\n"
      "expect-caption Annuaire\n"
      "expect-lines 601\n"
      "expect-disabled 602\nexpect-disabled 609\nexpect-disabled 603\nexpect-disabled 1018\nexpect-disabled 1014\n"
      "expect-enabled 1012\nexpect-enabled 1013\nexpect-enabled 606\nexpect-enabled 607\n"
      "type 606 D\n"
      "click 607\n"
      "click 2\n");
  ASSERT_EQ(run.status, 0) << run.error;
  // A read-only default phonebook is never replaced: no phonebook is current.
  EXPECT_EQ(run.transcript, (Lines{"dialog 106 open \"Annuaire\"", "help \"" + HelpFile() + "\" context 115",
                                   "help \"" + HelpFile() + "\" quit", "dialog 106 end 0"}));
  EXPECT_EQ(Book(), kMagic + Person("Dupont", "0123"));
}

TEST_P(PhonebookScenario, SearchFindsThePrefixAndGroupsByTheirBracket) {
  WriteBook(Person("Martin", "02") + Person("Dupont", "0123") + Person("durand", "9") + Group("Ventes", {}));
  const Session run = Manage(
      "dialog 106\n"
      "expect-lines 601 [Ventes] \"Dupont <0123>\" \"durand <9>\" \"Martin <02>\"\n"
      "expect-selected 601 0\n"
      "type 606 du\n"
      "expect-selected 601 1\n"
      "type 606 DUR\n"
      "expect-selected 601 2\n"
      "type 606 m\n"
      "expect-selected 601 3\n"
      "type 606 [\n"
      "expect-selected 601 0\n"
      "type 606 zz\n"
      "expect-selected 601 0\n"
      "click 2\n");
  ASSERT_EQ(run.status, 0) << run.error;
  EXPECT_EQ(run.transcript, (Lines{Opened(), "dialog 106 end 0"}));
}

// F1 anywhere in the phonebook dialog and its entry editor opens the
// dialog's topic, as its "Aide" button does.
TEST_P(PhonebookScenario, F1OpensTheTopicOfEachDialog) {
  WriteBook(Person("Dupont", "0123"));
  const Session run = Manage(
      "dialog 106\nkey 601 f1\n"
      "click 602\ndialog 105\nclick 1\n"
      "dialog 103\nkey 301 f1\nclick 2\n"
      "dialog 106\nclick 2\n");
  ASSERT_EQ(run.status, 0) << run.error;
  const auto has = [&run](const std::string& line) {
    return std::find(run.transcript.begin(), run.transcript.end(), line) != run.transcript.end();
  };
  EXPECT_TRUE(has("help \"" + HelpFile() + "\" context 115"));
  EXPECT_TRUE(has("help \"" + HelpFile() + "\" context 15601"));
}

TEST_P(PhonebookScenario, NewEntryTrimsBlanksButKeepsThoseOfTheTelephone) {
  WriteBook("");
  const Session run = Manage(
      "dialog 106\n"
      "click 602\ndialog 105\nclick 1\n"
      "dialog 103\n"
      "type 301 \"  Jean de la Rue  \"\n"
      "type 305 0123\n"
      "type 303 \" ACME \"\n"
      "type 307 \" 01 02 \"\n"
      "click 1\n"
      "dialog 106\n"
      "expect-lines 601 \"Jean de la Rue <0123>\"\n"
      "expect-selected 601 0\n"
      "click 2\n");
  ASSERT_EQ(run.status, 0) << run.error;
  EXPECT_EQ(Book(), kMagic + Person("Jean de la Rue", "0123", "ACME", " 01 02 "));
}

TEST_P(PhonebookScenario, EditorRefusesEmptyFaxAndAnotherEntrysKey) {
  WriteBook(Person("Dupont", "0123") + Person("Martin", "02"));
  const Session run = Manage(
      "dialog 106\n"
      "select 601 0\n"
      "click 603\n"
      "dialog 103\n"
      "expect-caption \"Modification des propriétés\"\n"
      "settext 305 \"\"\n"
      "click 1\n"
      "box ok \"Entrez un numéro de fax.\"\n"
      "type 305 02\n"
      "type 301 martin\n"
      "click 1\n"
      "box ok \"Cette entrée individuelle existe déjà dans le fichier de données d'annuaire courant.\\nEntrez un autre nom.\"\n"
      "click 2\n"
      "dialog 106\n"
      "click 2\n");
  ASSERT_EQ(run.status, 0) << run.error;
  EXPECT_EQ(Book(), kMagic + Person("Dupont", "0123") + Person("Martin", "02"));
  EXPECT_EQ(run.transcript[2], "box warning ok \"Modification des propriétés\" \"Entrez un numéro de fax.\" -> ok");
}

TEST_P(PhonebookScenario, RenamingFollowsTheKeyAndCaseOnlyKeepsTheLine) {
  WriteBook(Person("Dupont", "0123") + Group("G", {"Dupont", "0123"}) + Person("Martin", "02"));
  const Session run = Manage(
      "dialog 106\n"
      "selecttext 601 \"Dupont <0123>\"\n"
      "click 603\ndialog 103\n"
      "type 301 Durand\n"
      "click 1\n"
      "dialog 106\n"
      "expect-lines 601 [G] \"Durand <0123>\" \"Martin <02>\"\n"
      "expect-selected 601 1\n"
      "selecttext 601 \"Martin <02>\"\n"
      "click 603\ndialog 103\n"
      "type 301 MARTIN\n"
      "click 1\n"
      "dialog 106\n"
      "expect-lines 601 [G] \"Durand <0123>\" \"Martin <02>\"\n"
      "click 2\n");
  ASSERT_EQ(run.status, 0) << run.error;
  // The rename moved the entry last and followed it in the group; the
  // case-only change kept ReplaceSameKey and stored the new spelling.
  EXPECT_EQ(Book(), kMagic + Group("G", {"Durand", "0123"}) + Person("Durand", "0123") + Person("MARTIN", "02"));
}

TEST_P(PhonebookScenario, GroupEditorListsEveryOtherRecordAndExpandsGroupsOnce) {
  WriteBook(Person("A", "1") + Person("B", "22") + Person("C", "3") + Group("Compta", {"A", "1", "B", "22"}) +
            Group("Ventes", {"A", "1"}));
  const Session run = Manage(
      "dialog 106\n"
      "selecttext 601 [Ventes]\n"
      "click 603\n"
      "dialog 107\n"
      "expect-caption \"Modification des propriétés du groupe\"\n"
      "expect-text 701 Ventes\n"
      "expect-lines 601 [Compta] \"A <1>\" \"B <22>\" \"C <3>\"\n"
      "expect-lines 605 \"A <1>\"\n"
      "selecttext 601 [Compta] \"A <1>\"\n"
      "click 608\n"
      "expect-lines 605 \"A <1>\" \"B <22>\"\n"
      "select 601 0\n"
      "click 603\n"
      "dialog 700\n"
      "expect-caption \"Compta Propriétés du groupe\"\n"
      "expect-lines 601 \"A <1>\" \"B <22>\"\n"
      "click 2\n"
      "dialog 107\n"
      "settext 701 G\n"
      "click 1\n"
      "dialog 106\n"
      "expect-lines 601 [Compta] [G] \"A <1>\" \"B <22>\" \"C <3>\"\n"
      "click 2\n");
  ASSERT_EQ(run.status, 0) << run.error;
  EXPECT_EQ(Book(), kMagic + Person("A", "1") + Person("B", "22") + Person("C", "3") +
                        Group("Compta", {"A", "1", "B", "22"}) + std::string("\x02G\x03" "A\x03" "1\x03" "B\x03" "22\x03\x04"));
}

TEST_P(PhonebookScenario, GroupRenamedOntoAnotherGroupIsRefused) {
  WriteBook(Group("Compta", {}) + Group("Ventes", {}));
  const Session run = Manage(
      "dialog 106\n"
      "selecttext 601 [Ventes]\n"
      "click 603\ndialog 107\n"
      "settext 701 compta\n"
      "click 1\n"
      "box ok \"Ce nom de groupe existe déjà dans le fichier de données d'annuaire courant.\\nEntrez un autre nom.\"\n"
      "settext 701 \"\"\n"
      "click 1\n"
      "box ok \"Entrez un nom de groupe.\"\n"
      "settext 701 ventes\n"
      "click 1\n"
      "dialog 106\n"
      "expect-lines 601 [Compta] [Ventes]\n"
      "click 2\n");
  ASSERT_EQ(run.status, 0) << run.error;
  EXPECT_EQ(Book(), kMagic + Group("Compta", {}) + Group("ventes", {}));
}

TEST_P(PhonebookScenario, MemberOpenedFromTheGroupEditorKeepsItsKey) {
  WriteBook(Person("A", "1") + Group("G", {"A", "1"}));
  const Session run = Manage(
      "dialog 106\n"
      "selecttext 601 [G]\n"
      "click 603\ndialog 107\n"
      "dblclick 605 0\n"
      "dialog 103\n"
      "type 301 Z\n"
      "type 305 9\n"
      "expect-text 301 A\n"
      "expect-text 305 1\n"
      "type 303 Société\n"
      "click 1\n"
      "dialog 107\n"
      "click 2\n"
      "dialog 106\n"
      "click 2\n");
  ASSERT_EQ(run.status, 0) << run.error;
  EXPECT_EQ(Book(), kMagic + Group("G", {"A", "1"}) + Person("A", "1", "Soci\xe9t\xe9"));
}

TEST_P(PhonebookScenario, SelectionFormAddsLastSelectedFirstAndReadsOnOk) {
  WriteBook(Person("Alpha", "1") + Person("Beta", "2") + Person("Gamma", "3"));
  const Session run = Print(
      "dialog 101\n"
      "click 1010\n"
      "dialog 600\n"
      "select 601 0 1 2\n"
      "click 608\n"
      "expect-lines 605 \"Gamma <3>\" \"Beta <2>\" \"Alpha <1>\"\n"
      "select 601 0\n"
      "click 608\n"
      "box no\n"
      "dblclick 605 2\n"
      "dialog 103\n"
      "type 301 Other\n"
      "expect-text 301 Alpha\n"
      "click 2\n"
      "dialog 600\n"
      "select 601 1\n"
      "click 609\n"
      "box yes\n"
      "click 1\n"
      "box ok\n"
      "dialog 101\n"
      "expect-lines 1008 \"Gamma <3>\" \"Beta <2>\" \"Alpha <1>\"\n"
      "select 1008 1\n"
      "expect-enabled 1009\n"
      "click 1009\n"
      "dialog 103\n"
      "expect-caption \"Informations destinataire\"\n"
      "expect-text 313 2\n"
      "click 2\n"
      "dialog 101\n");
  ASSERT_EQ(run.status, 1) << run.error;
  const std::string gone = "box none ok \"Lecture des propriétés du destinataire\" \"Nom : Beta\\nN° de fax : 2\\n\\n"
                           "Erreur de base de données.\\nImpossible d'obtenir les propriétés du destinataire.\" -> ok";
  EXPECT_NE(std::find(run.transcript.begin(), run.transcript.end(), gone), run.transcript.end()) << ReadText(path("t.txt"));
  EXPECT_EQ(Book(), kMagic + Person("Alpha", "1") + Person("Gamma", "3"));
}

TEST_P(PhonebookScenario, SixtyLinesOnFortyFiveRecipientsAddFiveAndWarn) {
  std::string records;
  for (int i = 0; i < 105; ++i) records += Person("P" + std::to_string(1000 + i), std::to_string(i));
  WriteBook(records);
  std::string first = "select 601";
  for (int i = 0; i < 45; ++i) first += " " + std::to_string(i);
  std::string second = "select 601";
  for (int i = 45; i < 105; ++i) second += " " + std::to_string(i);
  const Session run = Print("dialog 101\nclick 1010\ndialog 600\n" + first + "\nclick 608\n" + second +
                        "\nclick 608\n"
                        "box ok \"La liste contient maintenant le nombre maximum de 50 destinataires.\\n"
                        "Certaines entrées n'ont pas été ajoutées.\"\n"
                        "click 608\n"
                        "box ok \"La liste contient maintenant le nombre maximum de 50 destinataires.\\n"
                        "Cette entrée n'a pas été ajoutée.\"\n"
                        "click 2\n"
                        "dialog 101\n"
                        "expect-lines 1008\n");
  ASSERT_EQ(run.status, 1) << run.error << ReadText(path("t.txt"));
}

TEST_P(PhonebookScenario, StoringRecipientsSkipsSpeedDialAndAsksBeforeReplacing) {
  WriteBook(Person("Dupont", "0123"));
  const Session run = Print(
      "dialog 101\n"
      "click 1027\ntype 1004 5\nclick 1006\n"
      "click 1011\n"
      "box ok \"Ce numéro de composition abrégée ne peut pas être ajouté à l'annuaire.\"\n"
      "click 1027\n"
      "type 1001 dupont\ntype 1004 0123\nclick 1006\n"
      "type 1001 Martin\ntype 1004 02\nclick 1006\n"
      "select 1008 0 1 2\n"
      "click 1011\n"
      "box ok\n"
      "box yes \"Nom : dupont\\nN° de fax : 0123\\n\\nLe nom du destinataire existe déjà dans l'annuaire courant.\\n"
      "Souhaitez-vous le remplacer ?\"\n"
      "select 1008 2\n"
      "expect-enabled 1009\n");
  ASSERT_EQ(run.status, 1) << run.error << ReadText(path("t.txt"));
  EXPECT_EQ(Book(), kMagic + Person("dupont", "0123") + Person("Martin", "02"));
}

// Names with blanks and angle brackets, typed or taken from the phonebook
// directly and through a group, keep their whole name and their number
// from the list lines to the entries read at OK and to the store.
TEST_P(PhonebookScenario, NamesWithBlanksAndAngleBracketsKeepTheirKeys) {
  const std::string dupont = Person("Dupont <Paris>", "0145678900", "Acme");
  WriteBook(dupont + Group("Amis", {"Dupont <Paris>", "0145678900"}));
  const Session run = Print(
      "dialog 101\n"
      "type 1001 \"Jean <x> de la Rue\"\n"
      "type 1004 0123\n"
      "click 1006\n"
      "click 1010\n"
      "dialog 600\n"
      "expect-lines 601 [Amis] \"Dupont <Paris> <0145678900>\"\n"
      "select 601 0 1\n"
      "click 608\n"
      "box yes \"Nom : Dupont <Paris>\\nN° de fax : 0145678900\\n\\nCe destinataire existe déjà dans la liste.\\n"
      "Souhaitez-vous quand même l'ajouter ?\"\n"
      "expect-lines 605 \"Jean <x> de la Rue <0123>\" \"Dupont <Paris> <0145678900>\" "
      "\"Dupont <Paris> <0145678900>\"\n"
      "click 1\n"
      "dialog 101\n"
      "select 1008 2\n"
      "click 1009\n"
      "dialog 103\n"
      "expect-text 303 Acme\n"
      "click 2\n"
      "dialog 101\n"
      "select 1008 0 1\n"
      "click 1011\n"
      "box no \"Nom : Dupont <Paris>\\nN° de fax : 0145678900\\n\\nLe nom du destinataire existe déjà dans "
      "l'annuaire courant.\\nSouhaitez-vous le remplacer ?\"\n");
  ASSERT_EQ(run.status, 1) << run.error << ReadText(path("t.txt"));
  EXPECT_EQ(Book(), kMagic + dupont + Group("Amis", {"Dupont <Paris>", "0145678900"}) +
                        Person("Jean <x> de la Rue", "0123"));
}

INSTANTIATE_TEST_SUITE_P(Faces, PhonebookScenario, ::testing::Values(Face::Headless, Face::Qt),
                         [](const auto& info) { return info.param == Face::Qt ? "Qt" : "Headless"; });

}  // namespace
