// qlimportn with its CSV imports, as the plug-in's dialogs start it
// (scenario.h). The result file's bytes are compared with bytes written out
// here.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>

#include <cstring>
#include <string>

#include "common/entry_record.h"
#include "scenario.h"
#include "testing/processes.h"

namespace {

using tq::testing::ReadText;
using tq::import::testing::Count;
using tq::import::testing::NameNumber;
using QlimportScenario = tq::import::testing::ImportScenario;

// Source dialog with the automatic search checked, and the file. The
// address book items come first when their libraries load.
std::string AutomaticCsv(const std::string& file) {
  return "dialog 116\nselecttext 1056 \"Valeurs séparées par une virgule (CSV)\"\nexpect-visible 1057\n"
         "expect-hidden 1059\nclick 1057\nclick 1\nfile " + file + "\n";
}

TEST_F(QlimportScenario, AutomaticSearchGivesOneRecordPerFaxColumnCleanedUp) {
  const std::string file = Csv(
      "Nom,Fax bureau,Fax domicile\r\n"
      "\"[Paris] Agence\",\"+33 (1) 23-45,67\",fax: 12\r\n"
      "Martin,,0102\n"
      "\n"
      "Sans numero,,\n"
      "Dernier,999,888");  // no line feed: not read
  const auto result = Run("recipient",
                          AutomaticCsv(file) +
                              "dialog 102\nexpect-caption \"Importation CSV - " + file + "\"\n"
                              "expect-lines 1004 \"(Paris) Agence <+33(1)23-4567>\" \"(Paris) Agence <FAX:12>\" "
                              "\"Martin <>\" \"Martin <0102>\" \"Sans numero <>\" \"Sans numero <>\"\n"
                              "expect-selected 1004 0\n"
                              "type 1003 mar\nexpect-selected 1004 2\n"
                              // from the selected line, round the end to the top
                              "settext 1003 \"(paris) agence <f\"\nexpect-selected 1004 1\n"
                              "settext 1003 zzz\nexpect-selected 1004 1\n"
                              "select 1004 0 1 2 3\nclick 1001\nclick 1001\n"
                              "expect-lines 1002 \"(Paris) Agence <+33(1)23-4567>\" \"(Paris) Agence <FAX:12>\" "
                              "\"Martin <0102>\"\n"
                              "select 1002 1\nkey 1002 delete\nselect 1004 1\nclick 1001\nclick 1\n"
                              "dialog 101\nexpect-text 1002 \"3 entrées seront importées :\"\n"
                              "expect-lines 1001 \"(Paris) Agence\\t+33(1)23-4567\" \"Martin\\t0102\" "
                              "\"(Paris) Agence\\tFAX:12\"\n"
                              "expect-text 1003 3\nexpect-text 1004 1\nexpect-text 1005 3\n"
                              "expect-text 1055 \"Rejeté(s) de la base de données :\"\nexpect-text 1054 \"\"\n"
                              "click 1\n");
  ASSERT_EQ(result.status, 0) << result.err << Transcript();
  ExpectLauncherTold(1022);
  EXPECT_EQ(ReadText(Result()), Count(3) + NameNumber("(Paris) Agence", "+33(1)23-4567") +
                                    NameNumber("Martin", "0102") + NameNumber("(Paris) Agence", "FAX:12"));
}

// An entry whose name and number the right list holds already does not go
// over again, though its line was never moved itself; case counts in the
// comparison; once the line alike is removed, the entry goes over.
TEST_F(QlimportScenario, EntriesAlikeGoOverOnceUntilTheirLineIsRemoved) {
  const std::string file =
      Csv("Nom,Fax\nMartin,0102\nMartin,0102\nmartin,0102\nMartin,0103\nMartin,01 02\n");
  const auto result = Run("phonebook", AutomaticCsv(file) +
                                           "dialog 102\nselect 1004 0 1 2 3 4\nclick 1001\n"
                                           "expect-lines 1002 \"Martin <0102>\" \"martin <0102>\" \"Martin <0103>\"\n"
                                           "select 1004 1 4\nclick 1001\n"
                                           "expect-lines 1002 \"Martin <0102>\" \"martin <0102>\" \"Martin <0103>\"\n"
                                           "select 1002 0\nclick 1049\nselect 1004 4\nclick 1001\n"
                                           "expect-lines 1002 \"martin <0102>\" \"Martin <0103>\" \"Martin <0102>\"\n"
                                           "click 1\ndialog 101\nclick 1\n");
  ASSERT_EQ(result.status, 0) << result.err << Transcript();
  EXPECT_EQ(ReadText(Result()), Count(3) + NameNumber("martin", "0102") + NameNumber("Martin", "0103") +
                                    NameNumber("Martin", "0102"));
}

TEST_F(QlimportScenario, ManualAssociationMovesBetweenNameAndNumber) {
  const std::string file = Csv("Societe,Numero,Nom\nACME,123,Jean\n\"Dupont \"\"Jean\"\"\",\"4,5\"x,\n");
  const auto result = Run("phonebook",
                          "dialog 116\nselecttext 1056 \"Valeurs séparées par une virgule (CSV)\"\nclick 1\n"
                          "file " + file + "\n"
                          "dialog 114\nexpect-lines 1051 Societe Numero Nom\nclick 1\n"
                          "box ok \"Vous devez associer au moins un champ au numéro de fax.\"\n"
                          "select 1051 1\nclick 1053\nexpect-text 1052 Numero\nexpect-text 1053 Dissocier\n"
                          "click 1054\nexpect-text 1055 Numero\nexpect-text 1052 \"\"\n"
                          "expect-text 1053 \"Associer à\"\nexpect-text 1054 Dissocier\n"
                          "select 1051 0\nclick 1053\nclick 1\n"
                          "dialog 102\nexpect-lines 1004 \"ACME <123>\" \"Dupont \\\"Jean\\\" <45>\"\n"
                          "select 1004 0 1\nclick 1001\nclick 1\ndialog 101\nclick 1\n");
  ASSERT_EQ(result.status, 0) << result.err << Transcript();
  ExpectLauncherTold(1022);
  EXPECT_EQ(ReadText(Result()), Count(2) + NameNumber("ACME", "123") + NameNumber("Dupont \"Jean\"", "45"));
}

TEST_F(QlimportScenario, FileErrorsEndWithNothingToImport) {
  struct Case {
    std::string csv;
    std::string message;
  };
  const Case cases[] = {
      {"Nom,Tel\nA,1\n", "Impossible de trouver le numéro de fax dans %s.\\nAucune entrée ne sera importée."},
      {"Nom,Fax\n\"Dupont,123\n", "Format de données CSV non valide!\\nImpossible d'importer les données depuis %s."},
      {"", "Impossible d'accéder à %s.\\nAucune donnée n'a été lue pour l'importation."},
  };
  for (const Case& c : cases) {
    std::filesystem::remove(path("transcript.txt"));
    const std::string file = Csv(c.csv);
    std::string message = c.message;
    message.replace(message.find("%s"), 2, file);
    const auto result = Run("recipient", AutomaticCsv(file) + "box ok \"" + message +
                                             "\"\nbox ok \"Pas d'entrée à importer.\"\n");
    ASSERT_EQ(result.status, 0) << result.err << Transcript();
    ExpectLauncherTold(1022);
    EXPECT_FALSE(std::filesystem::exists(Result()));
    EXPECT_NE(Transcript().find("box error ok \"Erreur d'importation CSV\" \"" + message + "\" -> ok\n"
                                "box warning ok \"Importation des données d'un destinataire\" "
                                "\"Pas d'entrée à importer.\" -> ok"),
              std::string::npos)
        << Transcript();
  }
}

TEST_F(QlimportScenario, CancelledImportStillGivesTheDialogBack) {
  const auto result = Run("recipient", "dialog 116\nclick 2\n");
  ASSERT_EQ(result.status, 0) << result.err << Transcript();
  ExpectLauncherTold(1022);
  EXPECT_FALSE(std::filesystem::exists(Result()));
  EXPECT_EQ(Transcript().find("box "), std::string::npos) << Transcript();
}

TEST_F(QlimportScenario, CancelledConfirmationWritesNothing) {
  const std::string file = Csv("Nom,Fax\nA,1\n");
  const auto result = Run("recipient", AutomaticCsv(file) + "dialog 102\nclick 1001\nclick 1\n"
                                                            "dialog 101\nclick 2\nbox ok \"Pas d'entrée à importer.\"\n");
  ASSERT_EQ(result.status, 0) << result.err << Transcript();
  ExpectLauncherTold(1022);
  EXPECT_FALSE(std::filesystem::exists(Result()));
}

// Files as office programs export them: UTF-8 with a byte order mark and
// ';' (a quoted field may hold the separator), the French address book
// titles with the first and last names joined; a Windows-1252 file with
// commas and the English titles, whose names keep what a person types
// ('<', '>', blanks inside) but for the group brackets; TAB-separated.
// The names and numbers reach the result file whole, as values.
TEST_F(QlimportScenario, OfficeExportsKeepTheirNamesAndNumbers) {
  std::string file = Csv(
      "\xEF\xBB\xBFPr\xC3\xA9nom;Nom de famille;Soci\xC3\xA9t\xC3\xA9;T\xC3\xA9l\xC3\xA9"
      "copie bureau;T\xC3\xA9l\xC3\xA9" "copie personnelle\r\n"
      "J\xC3\xA9r\xC3\xB4me;Dupr\xC3\xA9;ACME;01 47 00 00 01;\r\n"
      "\"Anne; Marie\";Roux;;;01-47\r\n"
      "Zo\xC3\xA9;;;0147000003;\r\n");
  auto result = Run("phonebook",
                    AutomaticCsv(file) +
                        "dialog 102\nexpect-lines 1004 \"Jérôme Dupré <0147000001>\" \"Jérôme Dupré <>\" "
                        "\"Anne; Marie Roux <>\" \"Anne; Marie Roux <01-47>\" \"Zoé <0147000003>\" \"Zoé <>\"\n"
                        "select 1004 0 3 4\nclick 1001\nclick 1\ndialog 101\nclick 1\n");
  ASSERT_EQ(result.status, 0) << result.err << Transcript();
  EXPECT_EQ(ReadText(Result()), Count(3) + NameNumber("J\xe9r\xf4me Dupr\xe9", "0147000001") +
                                    NameNumber("Anne; Marie Roux", "01-47") + NameNumber("Zo\xe9", "0147000003"));

  file = Csv("Display Name,Company,Business Fax\n"
             "\"Dupont <Paris>\",\"A;B;C;D\",0145678900\n"
             "  Blancs  au bord ,,1\n"
             "[Lyon] > Agence,,2\n"
             "Caf\xe9 au nom bien plus long que trente,,3\n");
  result = Run("recipient",
               AutomaticCsv(file) +
                   "dialog 102\nexpect-lines 1004 \"Dupont <Paris> <0145678900>\" \"Blancs  au bord <1>\" "
                   "\"(Lyon) > Agence <2>\" \"Café au nom bien plus long que <3>\"\n"
                   "select 1004 0 1 2 3\nclick 1001\nclick 1\ndialog 101\n"
                   "expect-lines 1001 \"Dupont <Paris>\\t0145678900\" \"Blancs  au bord\\t1\" \"(Lyon) > Agence\\t2\" "
                   "\"Café au nom bien plus long que\\t3\"\nclick 1\n");
  ASSERT_EQ(result.status, 0) << result.err << Transcript();
  ExpectLauncherTold(1022);
  EXPECT_EQ(ReadText(Result()), Count(4) + NameNumber("Dupont <Paris>", "0145678900") +
                                    NameNumber("Blancs  au bord", "1") + NameNumber("(Lyon) > Agence", "2") +
                                    NameNumber("Caf\xe9 au nom bien plus long que", "3"));

  file = Csv("Full Name\tFax Number\tNotes\nA, B\t9\t\n");
  result = Run("phonebook", AutomaticCsv(file) + "dialog 102\nclick 1001\nclick 1\ndialog 101\nclick 1\n");
  ASSERT_EQ(result.status, 0) << result.err << Transcript();
  EXPECT_EQ(ReadText(Result()), Count(1) + NameNumber("A, B", "9"));
}

#if defined(__SANITIZE_ADDRESS__)
constexpr bool kAddressSanitizer = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool kAddressSanitizer = true;
#else
constexpr bool kAddressSanitizer = false;
#endif
#else
constexpr bool kAddressSanitizer = false;
#endif

// A file of line feeds whose line index cannot be had under the limit,
// though the file itself can: the memory message, nothing written, and
// the launching dialog told the import ended, with a clean exit.
TEST_F(QlimportScenario, FileTooLargeForTheMemoryLimitSaysSoAndEndsCleanly) {
  if (kAddressSanitizer) GTEST_SKIP() << "the address sanitizer cannot run under an address space limit";
  constexpr std::size_t kFileBytes = 32 << 20;
  const std::string file = Csv(std::string(kFileBytes, '\n'));
  const std::string message =
      "Mémoire insuffisante. Impossible d'importer les données depuis " + file + ".";
  const auto result = Run("recipient",
                          AutomaticCsv(file) + "box ok \"" + message + "\"\nbox ok \"Pas d'entrée à importer.\"\n",
                          1022, std::string(TELEQUILL_BIN_DIR) + "/../tests/memory_limited",
                          {"MEMORY_LIMITED_PROGRAM=" + std::string(TELEQUILL_BIN_DIR) + "/qlimportn",
                           "MEMORY_LIMIT_KIB=300000"});
  ASSERT_EQ(result.status, 0) << result.err << Transcript();
  ExpectLauncherTold(1022);
  EXPECT_FALSE(std::filesystem::exists(Result()));
  EXPECT_NE(Transcript().find("box error ok \"Erreur d'importation CSV\" \"" + message + "\" -> ok"), std::string::npos)
      << Transcript();
}

std::string SixtyRows() {
  std::string csv = "Nom,Fax\n";
  for (int i = 0; i < 60; ++i) csv += "N" + std::to_string(i) + "," + std::to_string(1000 + i) + "\n";
  return csv;
}

std::string SelectAll(int count) {
  std::string line = "select 1004";
  for (int i = 0; i < count; ++i) line += " " + std::to_string(i);
  return line + "\n";
}

TEST_F(QlimportScenario, RecipientDialogTakesFiftyAndPhonebookTakesAll) {
  const std::string file = Csv(SixtyRows());
  auto result = Run("recipient", AutomaticCsv(file) + "dialog 102\n" + SelectAll(60) + "click 1001\n"
                    "box ok \"La liste de destinataires a atteint le nombre maximum d'entrées.\\nVous ne pouvez pas "
                    "importer plus de 50 destinataires.\"\nclick 1001\nbox ok\nclick 1\n"
                    "dialog 101\nexpect-text 1002 \"50 entrées seront importées :\"\nclick 1\n");
  ASSERT_EQ(result.status, 0) << result.err << Transcript();
  EXPECT_EQ(ReadText(Result()).size(), 4u + 50 * 62);
  EXPECT_EQ(ReadText(Result()).substr(0, 4), Count(50));

  result = Run("phonebook", AutomaticCsv(file) + "dialog 102\n" + SelectAll(60) + "click 1001\nclick 1\n"
               "dialog 101\nexpect-text 1002 \"60 entrées seront importées :\"\nexpect-text 1054 \"\"\nclick 1\n");
  ASSERT_EQ(result.status, 0) << result.err << Transcript();
  EXPECT_EQ(ReadText(Result()).size(), 4u + 60 * 62);
}

// The records a speed-dial import hands back, field by field.
std::string SpeedDialRecord(const char* name, const char* fax, std::int32_t mode, char send,
                            const char* mailbox, const char* password, const char* terminal, char print,
                            std::int32_t count, const char* destinations, std::size_t destinationBytes,
                            const char* fCode, const char* fCodePassword) {
  tq::EntryRecord record{};
  std::strcpy(record.name, name);
  std::strcpy(record.faxNumber, fax);
  record.transmissionMode = mode;
  record.sendMode = send;
  std::strcpy(record.mailboxId, mailbox);
  std::strcpy(record.mailboxPassword, password);
  std::strcpy(record.relayTerminalId, terminal);
  record.printOnRelay = print;
  record.destinationCount = count;
  std::memcpy(record.destinationIds, destinations, destinationBytes);
  std::strcpy(record.fCode, fCode);
  std::strcpy(record.fCodePassword, fCodePassword);
  return std::string(reinterpret_cast<const char*>(&record), sizeof record);
}

TEST_F(QlimportScenario, SpeedDialEntriesBecomeWholeRecords) {
  const std::string file = Csv(
      "*, 1 ,0 , 1,more\n"
      // number, state, fax, name, 4, 5, mode, 7..10, mailbox "12:34", relay, 13, F code "FC1:PW9"
      "001,,+33 1 23,[Lyon] Bureau,,,3,,,,,ZGV6ZmD=,P12/5/#3/*/123,,ExZkByOKBD==\n"
      "002,I,555,Refuse,,,1\n"
      "003,, ,,Blanc\n"
      "004,,777,Quatre,,,4,,,,,ZGVmBwD1Awp=,12\n"
      "\n"
      "007,,777,Quatre,,,2\n"
      "*\n"
      "008,,888,Apres\n");
  const auto result = Run("phonebook",
                          "dialog 116\nselecttext 1056 \"Données de composition abrégée EWS-CSV\"\nexpect-hidden 1057\nclick 1\n"
                          "file " + file + "\n"
                          "dialog 118\nexpect-caption \"Importation du fichier EWS-CSV - " + file + "\"\n"
                          "expect-lines 1004 001 004 007\n"
                          "expect-text 1005 \"N° de composition abrégée\\tDestinataires sélectionnés\"\n"
                          "click 1050\ndialog 119\nexpect-caption \"N° de composition abrégée 001\"\n"
                          "expect-text 1060 \"(Lyon) Bureau\"\nexpect-text 1064 P12/5/#3/*/123\n"
                          "expect-text 1063 ZGV6ZmD=\nclick 1\n"
                          "dialog 118\nselect 1004 0 1\nclick 1050\nbox ok\n"
                          "click 1001\nclick 1001\nselect 1004 2\nclick 1001\n"
                          "box yes \"Nome: Quatre\\nN. fax: 777\\n\\nCe destinataire existe déjà dans la sélection "
                          "courante.\\nSouhaitez-vous le remplacer ?\"\n"
                          "expect-lines 1002 \"001\\t(Lyon) Bureau <+33123>\" \"007\\tQuatre <777>\"\n"
                          "click 1\ndialog 101\nexpect-text 1004 2\nclick 1\n",
                          1028);
  ASSERT_EQ(result.status, 0) << result.err << Transcript();
  ExpectLauncherTold(1028);
  const std::string expected =
      Count(2) +
      // mode 3 -> 1; relay valid, mailbox password of 2 characters not: send mode '1'
      SpeedDialRecord("(Lyon) Bureau", "+33123", 1, '1', "12", "34", "12", '1', 4, "0050#300*12", 12, "FC1", "PW9") +
      SpeedDialRecord("Quatre", "777", 1, '0', "", "", "", '0', 0, "", 0, "", "");
  EXPECT_EQ(ReadText(Result()), expected);
}

TEST_F(QlimportScenario, SpeedDialHeaderWithLeadingBlankIsRefused) {
  const std::string file = Csv(" *,1,0,1\n001,,123,A\n");
  const auto result = Run("recipient",
                          "dialog 116\nselecttext 1056 \"Données de composition abrégée EWS-CSV\"\nclick 1\nfile " + file +
                              "\nbox ok \"Format de données EWS CSV non valide!\\nImpossible d'importer les données "
                              "depuis " + file + ".\"\nbox ok \"Pas d'entrée à importer.\"\n",
                          1028);
  ASSERT_EQ(result.status, 0) << result.err << Transcript();
  ExpectLauncherTold(1028);
  EXPECT_FALSE(std::filesystem::exists(Result()));
}

TEST_F(QlimportScenario, ModelPWritesTheCommonForm) {
  const std::string file = Csv("Nom,Fax\nA,1\n");
  const auto result = Run("phonebook", AutomaticCsv(file) + "dialog 102\nclick 1001\nclick 1\ndialog 101\nclick 1\n",
                          1022, "qlimportp");
  ASSERT_EQ(result.status, 0) << result.err << Transcript();
  EXPECT_EQ(ReadText(Result()), Count(1) + NameNumber("A", "1"));
}

// Entries chosen but not handed back are an error the user sees, and the
// program's status says so.
TEST_F(QlimportScenario, AResultThatCannotBeWrittenIsAnErrorWithAFailingStatus) {
  const std::string file = Csv("Nom,Fax\nA,1\n");
  const std::string result = path("missing/DB120000.TMP").string();
  tq::testing::WriteText(path("import.txt"), AutomaticCsv(file) +
                                                 "dialog 102\nclick 1001\nclick 1\ndialog 101\nclick 1\n"
                                                 "box ok \"Espace disque insuffisant. Impossible de continuer.\"\n");
  const auto run = tq::testing::RunProgram("qlimportn", {result},
                                           {"TELEQUILL_UI=script:" + path("import.txt").string(),
                                            "TELEQUILL_TRANSCRIPT=" + path("transcript.txt").string()});
  EXPECT_EQ(run.status, 1) << run.err << Transcript();
  EXPECT_NE(run.err.find("the result file " + result + " cannot be written"), std::string::npos) << run.err;
  EXPECT_NE(Transcript().find("box error ok \"Importation des données d'un destinataire\""), std::string::npos)
      << Transcript();
}

// The Import application never outlives the dialog's process that started
// it: killed, that process takes it along within a second.
TEST_F(QlimportScenario, TheImportApplicationEndsWithTheProcessThatStartedIt) {
  tq::testing::WriteText(path("launcher.txt"), "click 1018\nwait-command 1022 60\n");
  tq::testing::WriteText(path("import.txt"), "wait-command 1022 60\n");
  const pid_t launcher = tq::testing::StartProgram(
      std::string(TELEQUILL_BIN_DIR) + "/../tests/import_launcher",
      {"recipient", std::string(TELEQUILL_BIN_DIR) + "/qlimportn", Result()},
      {"TELEQUILL_UI=script:" + path("launcher.txt").string(), "TELEQUILL_CHILD_UI=script:" + path("import.txt").string()});
  ASSERT_GT(launcher, 0);
  const auto import = tq::testing::WaitForChild(launcher, "qlimportn", std::chrono::seconds(20));
  kill(launcher, SIGKILL);
  waitpid(launcher, nullptr, 0);
  ASSERT_TRUE(import.has_value()) << "qlimportn did not start";
  EXPECT_TRUE(tq::testing::WaitUntilEnded(*import, std::chrono::seconds(1)));
  kill(*import, SIGKILL);  // whatever happened, nothing is left running
}

}  // namespace
