// The address book import through the real libraries: vCard files written
// here, the address dialog driven by a script, then the candidates and the
// counters the extraction leaves.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "addressbook/address_book_import.h"
#include "testing/temp_root.h"
#include "vcards.h"
#include "win/face.h"
#include "win/registry.h"
#include "win/text.h"
#include "win/user.h"

using namespace tq::import;
using tq::import::testing::Group;
using tq::import::testing::Person;

namespace {

// Each candidate as "name <fax>", to compare at a glance.
std::vector<std::string> Texts(const CandidateList& list) {
  std::vector<std::string> texts;
  for (const tq::AnsiRecordKey& key : list.entries) texts.push_back(key.name + " <" + key.faxNumber + ">");
  return texts;
}

class AddressBookImport : public tq::testing::TempRoot {
 protected:
  void SetUp() override {
    TempRoot::SetUp();
    transcript_ = path("transcript.txt").string();
    setenv("TELEQUILL_TRANSCRIPT", transcript_.c_str(), 1);
  }
  void TearDown() override {
    unsetenv("TELEQUILL_TRANSCRIPT");
    tq::ui::UseFace("headless");
    TempRoot::TearDown();
  }
  void Script(const std::string& text) {
    tq::testing::WriteText(path("script.txt"), text);
    ASSERT_TRUE(tq::ui::UseFace("script:" + path("script.txt").string()));
  }
  // Picks the named lines of the default book and imports them.
  void ImportDefault(const std::string& vcards, const std::string& picks, std::int32_t limit = 0) {
    tq::testing::WriteText(path("addressbook.vcf"), vcards);
    Script("dialog 1700\nexpect-caption \"Carnet d'adresses\"\nselecttext 1703 " + picks +
           "\nclick 1705\nclick 1\n");
    candidates.limit = limit;
    ImportFromWindowsBook(nullptr, u"", "", candidates, counters);
  }
  std::string Transcript() const { return tq::testing::ReadText(transcript_); }

  CandidateList candidates;
  ImportCounters counters;
  std::string transcript_;
};

}  // namespace

TEST_F(AddressBookImport, SameNumberTwiceGivesOneCandidateTwoNumbersTwo) {
  ImportDefault(Person("Alice", "TEL;TYPE=fax,work,pref:01 23\n") +
                    Person("Bruno", "TEL;TYPE=fax,work:01\nTEL;TYPE=fax,home:02\n"),
                "Alice Bruno");
  EXPECT_EQ(Texts(candidates), (std::vector<std::string>{"Alice <0123>", "Bruno <01>", "Bruno <02>"}));
  EXPECT_EQ(counters.total, 2);
  EXPECT_EQ(counters.valid, 3);
  EXPECT_EQ(counters.rejected, 0);
  EXPECT_NE(Transcript().find("dialog 1700 open \"Carnet d'adresses\""), std::string::npos);
}

TEST_F(AddressBookImport, PersonWithoutFaxIsExaminedAndRejected) {
  ImportDefault(Person("Carla", "TEL;TYPE=work:01\n") + Person("Dan", "TEL;TYPE=fax:  ,\n"), "Carla Dan");
  EXPECT_TRUE(candidates.entries.empty());
  EXPECT_EQ(counters.total, 2);
  EXPECT_EQ(counters.rejected, 2);
}

TEST_F(AddressBookImport, ListContainingItselfIsExpandedOnce) {
  ImportDefault(Person("Eve", "TEL;TYPE=fax:5\n", "eve") + Group("Soi", "self", {"self", "eve"}),
                "\"Soi (liste)\"");
  EXPECT_EQ(Texts(candidates), (std::vector<std::string>{"Eve <5>"}));
  EXPECT_EQ(counters.total, 1);
}

TEST_F(AddressBookImport, CycleThroughListsAndAMissingMember) {
  // a -> b -> c -> a; c also names a card that is not in the book.
  ImportDefault(Person("Fay", "TEL;TYPE=fax:6\n", "fay") + Group("A", "a", {"b", "fay"}) +
                    Group("B", "b", {"c"}) + Group("C", "c", {"a", "ghost"}),
                "\"A (liste)\"");
  EXPECT_EQ(Texts(candidates), (std::vector<std::string>{"Fay <6>"}));
  EXPECT_EQ(counters.total, 2);     // the ghost is examined...
  EXPECT_EQ(counters.rejected, 1);  // ...and, unreadable, rejected
}

TEST_F(AddressBookImport, ListsBeyondThe256thAreCountedAsOtherObjects) {
  std::string cards = Person("Deep", "TEL;TYPE=fax:7\n", "deep");
  for (int i = 0; i < 300; ++i) {
    cards += Group("L" + std::to_string(i), "l" + std::to_string(i),
                   {i == 299 ? "deep" : "l" + std::to_string(i + 1)});
  }
  ImportDefault(cards, "\"L0 (liste)\"");
  EXPECT_TRUE(candidates.entries.empty());
  EXPECT_EQ(counters.total, 1);  // list 257 is not expanded
  EXPECT_EQ(counters.rejected, 1);
}

TEST_F(AddressBookImport, SixtyNumbersWithTheLimitKeepFiftyAndCountSixty) {
  std::string cards;
  std::string picks;
  for (int i = 0; i < 30; ++i) {
    std::string name = "P" + std::to_string(100 + i);
    cards += Person(name, "TEL;TYPE=fax,work:1" + std::to_string(i) + "\nTEL;TYPE=fax,home:2" +
                              std::to_string(i) + "\n");
    picks += " " + name;
  }
  ImportDefault(cards, picks, 50);
  EXPECT_EQ(candidates.entries.size(), 50u);
  EXPECT_EQ(counters.valid, 60);
  EXPECT_EQ(counters.rejected, 0);
  EXPECT_EQ(counters.total, 30);
}

TEST_F(AddressBookImport, NamesAreCutAt30BeforeDuplicatesAreFound) {
  const std::string base(30, 'N');
  ImportDefault(Person(base + "-un", "TEL;TYPE=fax:9\n") + Person(base + "-deux", "TEL;TYPE=fax:9\n") +
                    Person("[Lyon] Agence", "TEL;TYPE=fax:8\n"),
                "\"" + base + "-un\" \"" + base + "-deux\" \"[Lyon] Agence\"");
  EXPECT_EQ(Texts(candidates),
            (std::vector<std::string>{"(Lyon) Agence <8>", base + " <9>"}));  // the book list is sorted
  EXPECT_EQ(counters.total, 3);
}

TEST_F(AddressBookImport, TextInTheAnsiCodePage) {
  ImportDefault(Person("Zoé", "TEL;TYPE=fax:1\n"), "Zoé");
  EXPECT_EQ(Texts(candidates), (std::vector<std::string>{"Zo\xe9 <1>"}));
}

TEST_F(AddressBookImport, CancelledDialogExaminesNothing) {
  tq::testing::WriteText(path("addressbook.vcf"), Person("Alice", "TEL;TYPE=fax:1\n"));
  Script("dialog 1700\nclick 2\n");
  ImportFromWindowsBook(nullptr, u"", "", candidates, counters);
  EXPECT_EQ(counters.total, 0);
}

TEST_F(AddressBookImport, MessagingBookFromItsFolderWithAContactList) {
  std::filesystem::create_directories(path("mapi"));
  tq::testing::WriteText(path("mapi/contacts.vcf"),
                         "BEGIN:VCARD\r\nVERSION:3.0\r\nUID:pas-id-01\r\n"
                         "FN;CHARSET=UTF-8;ENCODING=QUOTED-PRINTABLE:Ren=C3=A9 Dupr=C3=A9\r\n"
                         "EMAIL:rene@example.org\r\nTEL;TYPE=WORK,FAX:01 40\r\nTEL;TYPE=HOME,FAX:01 41\r\nEND:VCARD\r\n"
                         "BEGIN:VCARD\r\nVERSION:3.0\r\nUID:pas-id-03\r\nFN:Equipe\r\nX-EVOLUTION-LIST:TRUE\r\n"
                         "EMAIL;X-EVOLUTION-DEST-CONTACT-UID=pas-id-01:\"René Dupré\" <rene@example.org>\r\n"
                         "EMAIL:\"Inconnu\" <nobody@example.org>\r\nEND:VCARD\r\n");
  Script("dialog 1700\nexpect-lines 1703 \"Equipe (liste)\" \"René Dupré\"\n"
         "dblclick 1703 0\nexpect-lines 1706 \"Equipe (liste)\"\nclick 1\n");
  ImportFromMessagingBook(nullptr, candidates, counters);
  EXPECT_EQ(Texts(candidates), (std::vector<std::string>{"Ren\xe9 Dupr\xe9 <0140>", "Ren\xe9 Dupr\xe9 <0141>"}));
  EXPECT_EQ(counters.total, 2);
  EXPECT_EQ(counters.rejected, 1);
}

TEST_F(AddressBookImport, MissingMessagingLibrarySaysSo) {
  std::filesystem::create_directories(path("nolibs"));
  const char* before = std::getenv("TELEQUILL_PLUGIN_DIR");
  const std::string kept = before != nullptr ? before : "";
  setenv("TELEQUILL_PLUGIN_DIR", path("nolibs").c_str(), 1);
  Script("box ok \"Impossible de trouver le fichier .DLL requis, MAPI32.DLL.\"\n");
  ImportFromMessagingBook(nullptr, candidates, counters);
  EXPECT_FALSE(MessagingBookOffered());
  EXPECT_TRUE(LoadableWindowsBookLibrary().empty());  // neither library: only the CSV kinds
  setenv("TELEQUILL_PLUGIN_DIR", kept.c_str(), 1);
  EXPECT_EQ(counters.total, 0);
  EXPECT_NE(Transcript().find("box error ok \"Erreur de démarrage du sous-système MAPI\""), std::string::npos);
}

TEST_F(AddressBookImport, ChosenFileThatIsNotAVcardCannotBeOpened) {
  tq::testing::WriteText(path("x.wab"), "Nom,Fax\nDupont,01\n");
  Script("box ok\n");
  const std::string file = path("x.wab").string();
  ImportFromWindowsBook(nullptr, u"", file, candidates, counters);
  EXPECT_EQ(counters.total, 0);
  EXPECT_NE(Transcript().find("box error ok \"Erreur d'importation WAB\" \"Impossible d'ouvrir le carnet "
                              "d'adresses Windows.\\nImpossible d'importer les données depuis " + file + ".\""),
            std::string::npos)
      << Transcript();
}

TEST_F(AddressBookImport, LibraryPathFromTheRegistryAndTheProfileSetting) {
  EXPECT_EQ(LoadableWindowsBookLibrary(), u"WAB32.DLL");
  HKEY key = nullptr;
  ASSERT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, u"Software\\Microsoft\\WAB\\DLLPath", 0, nullptr, 0, KEY_WRITE,
                            nullptr, &key, nullptr),
            ERROR_SUCCESS);
  const std::u16string missing = tq::Utf8ToUtf16(path("gone/wab32.so").string());
  RegSetValueExW(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(missing.c_str()),
                 static_cast<DWORD>((missing.size() + 1) * sizeof(char16_t)));
  RegCloseKey(key);
  EXPECT_TRUE(LoadableWindowsBookLibrary().empty());
  // The kept path is what the import loads: a missing one fails to open.
  Script("box ok\n");
  ImportFromWindowsBook(nullptr, missing, "", candidates, counters);
  EXPECT_NE(Transcript().find("depuis Fichier WAB par défaut."), std::string::npos);

  WriteProfileStringA("Mail", "MAPIX", "1");
  EXPECT_TRUE(MessagingBookOffered());
}
