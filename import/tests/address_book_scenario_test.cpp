// qlimportn with the address books: the source dialog's offer, the address
// dialog of either book, the extraction and the confirmation, over vCard
// files written here (two of them as desktop address book programs export
// them), through to the result file.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "scenario.h"
#include "vcards.h"
#include "win/registry.h"
#include "win/text.h"

namespace {

using tq::import::testing::Count;
using tq::import::testing::Group;
using tq::import::testing::NameNumber;
using tq::import::testing::Person;
using tq::testing::ReadText;
using tq::testing::WriteText;

class AddressBookScenario : public tq::import::testing::ImportScenario {
 protected:
  // qlimportn installed alone in a folder: neither address book library is
  // found beside it or in the plug-in folder.
  std::string LoneProgram() {
    std::filesystem::create_directories(path("alone"));
    const std::filesystem::path copy = path("alone/qlimportn");
    std::filesystem::copy_file(std::string(TELEQUILL_BIN_DIR) + "/qlimportn", copy,
                               std::filesystem::copy_options::overwrite_existing);
    return copy.string();
  }
  std::vector<std::string> LoneEnvironment() const { return {"TELEQUILL_PLUGIN_DIR=" + path("alone").string()}; }
  static void InstallMessagingBook() { WriteProfileStringA("Mail", "MAPIX", "1"); }
  void ExpectResult(const std::string& bytes) {
    EXPECT_EQ(ReadText(Result()), bytes) << Transcript();
  }
};

// The two files in the export conventions of desktop address book
// programs: a 3.0 one with quoted-printable names and a contact list, a 4.0
// one with KIND:group.
void CopyExport(const std::string& file, const std::filesystem::path& to) {
  std::filesystem::copy_file(std::string(TELEQUILL_MAPI_TEST_DATA) + "/" + file, to);
}

const char kAllSources[] =
    "expect-lines 1056 \"Carnet d'adresses MS Messaging System\" \"Carnet d'adresses Windows (WAB)\" "
    "\"Valeurs séparées par une virgule (CSV)\" \"Données de composition abrégée EWS-CSV\"\n";

TEST_F(AddressBookScenario, ChosenFileSameNumberOnceTwoNumbersTwiceWithoutFaxRejected) {
  WriteText(path("carnet.vcf"), Person("Alice", "TEL;TYPE=fax,pref:01 23\nTEL;TYPE=fax,work:0123\n") +
                                    Person("Bruno", "TEL;TYPE=fax,work:01\nTEL;TYPE=fax,home:02\n") +
                                    Person("Carla", "TEL;TYPE=work:03\n"));
  const auto result =
      Run("recipient",
          "dialog 116\nexpect-lines 1056 \"Carnet d'adresses Windows (WAB)\" "
          "\"Valeurs séparées par une virgule (CSV)\" \"Données de composition abrégée EWS-CSV\"\n"
          "expect-visible 1059\nexpect-hidden 1057\nclick 1059\nclick 1\n"
          "file " + path("carnet.vcf").string() + "\n"
          "dialog 1700\nexpect-caption \"Carnet d'adresses\"\nselecttext 1703 Alice Bruno Carla\nclick 1705\n"
          "click 1\n"
          "dialog 101\nexpect-lines 1001 \"Alice\\t0123\" \"Bruno\\t01\" \"Bruno\\t02\"\n"
          "expect-text 1003 3\nexpect-text 1055 \"Rejeté(s) de la sélection :\"\nexpect-text 1004 1\n"
          "expect-text 1005 3\nexpect-text 1054 \"\"\nclick 1\n");
  ASSERT_EQ(result.status, 0) << result.err << Transcript();
  ExpectLauncherTold(1022);
  ExpectResult(Count(3) + NameNumber("Alice", "0123") + NameNumber("Bruno", "01") + NameNumber("Bruno", "02"));
  // The file dialog, then the extraction under the progress dialog.
  const std::string transcript = Transcript();
  EXPECT_NE(transcript.find("Importation du fichier WAB"), std::string::npos) << transcript;
  EXPECT_NE(transcript.find("dialog 117"), std::string::npos) << transcript;
}

TEST_F(AddressBookScenario, DefaultBookDesktopExportWithAContactList) {
  CopyExport("desktop-export-3.0.vcf", path("addressbook.vcf"));
  const auto result = Run("phonebook",
                          "dialog 116\nselecttext 1056 \"Carnet d'adresses Windows (WAB)\"\nexpect-checked 1059\n"
                          "key 1056 f1\nclick 1\n"
                          "dialog 1700\nexpect-focus 1702\nkey 1702 f1\nselecttext 1703 \"Équipe (liste)\"\nclick 1705\nclick 1\n"
                          "dialog 101\nexpect-lines 1001 \"René Dupré\\t+33140000001\" \"René Dupré\\t+33140000002\" "
                          "\"Claire Roux\\t0199\"\n"
                          "expect-text 1003 3\nexpect-text 1004 1\nexpect-text 1005 3\nclick 1\n");
  ASSERT_EQ(result.status, 0) << result.err << Transcript();
  ExpectLauncherTold(1022);
  // No file dialog for the default book.
  EXPECT_EQ(Transcript().find("Importation du fichier WAB"), std::string::npos) << Transcript();
  // F1 opens the address dialog's topic, which its help file has, with text.
  EXPECT_NE(Transcript().find(" context 15510\n"), std::string::npos) << Transcript();
  EXPECT_NE(Transcript().find("help \"qladdress.HLP\" context 1700\n"),
            std::string::npos)
      << Transcript();
  const std::string html = ReadText(std::string(TELEQUILL_BIN_DIR) + "/qladdress.html");
  const std::size_t topic = html.find("<h2 id=\"context-1700\">");
  ASSERT_NE(topic, std::string::npos);
  EXPECT_NE(html.find("<p>", topic), std::string::npos);
  ExpectResult(Count(3) + NameNumber("Ren\xe9 Dupr\xe9", "+33140000001") +
               NameNumber("Ren\xe9 Dupr\xe9", "+33140000002") + NameNumber("Claire Roux", "0199"));
}

TEST_F(AddressBookScenario, MessagingBookListContainingItselfIsExpandedOnce) {
  InstallMessagingBook();
  std::filesystem::create_directories(path("mapi"));
  CopyExport("desktop-export-4.0.vcf", path("mapi/export.vcf"));
  WriteText(path("mapi/soi.vcf"), Group("Soi", "soi", {"soi", "4fbe8971-0bc3-424c-9c26-36c3e1eff6b1"}));
  const auto result = Run("recipient",
                          std::string("dialog 116\n") + kAllSources + "click 1\n"
                          "dialog 1700\nselecttext 1703 \"Ventes (liste)\" \"Soi (liste)\"\nclick 1705\nclick 1\n"
                          // Ana through each list, the missing member of Ventes; Soi itself once.
                          "dialog 101\nexpect-lines 1001 \"Ana Ortiz\\t+34915550100\"\n"
                          "expect-text 1003 3\nexpect-text 1004 2\nexpect-text 1005 1\nclick 1\n");
  ASSERT_EQ(result.status, 0) << result.err << Transcript();
  ExpectLauncherTold(1022);
  ExpectResult(Count(1) + NameNumber("Ana Ortiz", "+34915550100"));
}

TEST_F(AddressBookScenario, SixtyNumbersKeepFiftyForTheRecipientDialogAndAllForThePhonebook) {
  std::string cards;
  std::vector<std::string> members;
  for (int i = 0; i < 30; ++i) {
    const std::string uid = "p" + std::to_string(i);
    cards += Person("P" + std::to_string(100 + i),
                    "TEL;TYPE=fax,work:1" + std::to_string(i) + "\nTEL;TYPE=fax,home:2" + std::to_string(i) + "\n",
                    uid);
    members.push_back(uid);
  }
  WriteText(path("addressbook.vcf"), cards + Group("Tous", "tous", members));
  const std::string pick =
      "dialog 116\nselecttext 1056 \"Carnet d'adresses Windows (WAB)\"\nclick 1\n"
      "dialog 1700\nselecttext 1703 \"Tous (liste)\"\nclick 1705\nclick 1\n";
  auto result = Run("recipient", pick +
                                     "dialog 101\nexpect-text 1002 \"50 entrées seront importées :\"\n"
                                     "expect-text 1003 30\nexpect-text 1004 0\nexpect-text 1005 60\n"
                                     "expect-text 1054 \"*Seules les 50 premières entrées seront importées.\"\n"
                                     "click 1\n");
  ASSERT_EQ(result.status, 0) << result.err << Transcript();
  const std::string kept = ReadText(Result());
  ASSERT_EQ(kept.size(), 4u + 50 * 62);
  EXPECT_EQ(kept.substr(0, 4 + 62), Count(50) + NameNumber("P100", "10"));
  EXPECT_EQ(kept.substr(4 + 49 * 62), NameNumber("P124", "224"));  // the first 50 in the list's order

  result = Run("phonebook", pick + "dialog 101\nexpect-text 1002 \"60 entrées seront importées :\"\n"
                                   "expect-text 1005 60\nexpect-text 1054 \"\"\nclick 1\n");
  ASSERT_EQ(result.status, 0) << result.err << Transcript();
  EXPECT_EQ(ReadText(Result()).size(), 4u + 60 * 62);
}

TEST_F(AddressBookScenario, NamesAreCutAt30BeforeDuplicatesAreFound) {
  const std::string base = "Etablissements Dupont-Lefevre ";  // 30 characters
  WriteText(path("addressbook.vcf"), Person(base + "Lyon", "TEL;TYPE=fax:04 01\n") +
                                         Person(base + "Nice", "TEL;TYPE=fax:0401\n") +
                                         Person("[Siege] Paris", "TEL;TYPE=fax:01\n"));
  const auto result = Run("phonebook",
                          "dialog 116\nselecttext 1056 \"Carnet d'adresses Windows (WAB)\"\nclick 1\n"
                          "dialog 1700\nselecttext 1703 \"" + base + "Lyon\" \"" + base +
                              "Nice\" \"[Siege] Paris\"\nclick 1705\nclick 1\n"
                              "dialog 101\nexpect-text 1003 3\nexpect-text 1005 2\nclick 1\n");
  ASSERT_EQ(result.status, 0) << result.err << Transcript();
  // The trailing blank of the cut name goes with the trim; the well keeps
  // the address dialog's order.
  ExpectResult(Count(2) + NameNumber("(Siege) Paris", "01") + NameNumber("Etablissements Dupont-Lefevre", "0401"));
}

TEST_F(AddressBookScenario, WithoutTheLibrariesOnlyTheCsvKindsAndTheMissingMessagingLibrary) {
  const std::string program = LoneProgram();
  auto result = Run("recipient",
                    "dialog 116\nexpect-lines 1056 \"Valeurs séparées par une virgule (CSV)\" "
                    "\"Données de composition abrégée EWS-CSV\"\nclick 2\n",
                    1022, program, LoneEnvironment());
  ASSERT_EQ(result.status, 0) << result.err << Transcript();
  ExpectLauncherTold(1022);

  // The profile says the messaging system is installed, but its library is
  // not there.
  InstallMessagingBook();
  std::filesystem::remove(path("transcript.txt"));
  result = Run("recipient",
               "dialog 116\nexpect-lines 1056 \"Carnet d'adresses MS Messaging System\" "
               "\"Valeurs séparées par une virgule (CSV)\" \"Données de composition abrégée EWS-CSV\"\nclick 1\n"
               "box ok \"Impossible de trouver le fichier .DLL requis, MAPI32.DLL.\"\n"
               "box ok \"Pas d'entrée à importer.\"\n",
               1022, program, LoneEnvironment());
  ASSERT_EQ(result.status, 0) << result.err << Transcript();
  ExpectLauncherTold(1022);
  EXPECT_FALSE(std::filesystem::exists(Result()));
  EXPECT_NE(Transcript().find("box error ok \"Erreur de démarrage du sous-système MAPI\" \"Impossible de trouver le "
                              "fichier .DLL requis, MAPI32.DLL.\" -> ok\n"
                              "box warning ok \"Importation des données d'un destinataire\" "
                              "\"Pas d'entrée à importer.\" -> ok"),
            std::string::npos)
      << Transcript();
}

TEST_F(AddressBookScenario, WindowsBookLibraryNamedInTheRegistryIsTheOneUsed) {
  const std::string program = LoneProgram();
  HKEY key = nullptr;
  ASSERT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, u"Software\\Microsoft\\WAB\\DLLPath", 0, nullptr, 0, KEY_WRITE,
                            nullptr, &key, nullptr),
            ERROR_SUCCESS);
  const std::u16string library = tq::Utf8ToUtf16(std::string(TELEQUILL_BIN_DIR) + "/wab32.so");
  RegSetValueExW(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(library.c_str()),
                 static_cast<DWORD>((library.size() + 1) * sizeof(char16_t)));
  RegCloseKey(key);
  WriteText(path("addressbook.vcf"), Person("Alice", "TEL;TYPE=fax:01\n"));
  const auto result = Run("recipient",
                          "dialog 116\nexpect-lines 1056 \"Carnet d'adresses Windows (WAB)\" "
                          "\"Valeurs séparées par une virgule (CSV)\" \"Données de composition abrégée EWS-CSV\"\n"
                          "click 1\ndialog 1700\nselecttext 1703 Alice\nclick 1705\nclick 1\ndialog 101\nclick 1\n",
                          1022, program, LoneEnvironment());
  ASSERT_EQ(result.status, 0) << result.err << Transcript();
  ExpectResult(Count(1) + NameNumber("Alice", "01"));
}

TEST_F(AddressBookScenario, CancelledAddressDialogAndUnreadableChosenFile) {
  WriteText(path("addressbook.vcf"), Person("Alice", "TEL;TYPE=fax:01\n"));
  auto result = Run("recipient",
                    "dialog 116\nselecttext 1056 \"Carnet d'adresses Windows (WAB)\"\nclick 1\n"
                    "dialog 1700\nclick 2\nbox ok \"Pas d'entrée à importer.\"\n");
  ASSERT_EQ(result.status, 0) << result.err << Transcript();
  ExpectLauncherTold(1022);
  EXPECT_FALSE(std::filesystem::exists(Result()));

  const std::string file = Csv("Nom,Fax\nDupont,01\n");  // not an address book
  result = Run("recipient",
               "dialog 116\nselecttext 1056 \"Carnet d'adresses Windows (WAB)\"\nclick 1059\nclick 1\n"
               "file " + file + "\n"
               "box ok \"Impossible d'ouvrir le carnet d'adresses Windows.\\nImpossible d'importer les données "
               "depuis " + file + ".\"\nbox ok \"Pas d'entrée à importer.\"\n");
  ASSERT_EQ(result.status, 0) << result.err << Transcript();
  ExpectLauncherTold(1022);
  EXPECT_FALSE(std::filesystem::exists(Result()));
}

}  // namespace
