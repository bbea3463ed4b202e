// The phonebook operations that talk to the user, with a face of the test's
// own that answers message boxes and file dialogs and records them.
#include <gtest/gtest.h>

#include <deque>

#include "faxui/resource_ids.h"
#include "phonebook_bytes.h"
#include "phonebook/phonebook_operations.h"
#include "phonebook/reading.h"
#include "win/comdlg.h"
#include "win/face.h"
#include "win/resource.h"
#include "win/user.h"

namespace tq::phonebook {
namespace {

using test::Group;
using test::Header;
using test::Person;
using test::Wide;

constexpr int kPhonebookList = 601;
constexpr int kRecipientList = 605;

const res::ControlTemplate kControls[] = {
    {WC_LISTBOXW, kPhonebookList, u"", 5, 5, 100, 100, LBS_SORT | LBS_NOTIFY},
    {WC_LISTBOXW, kRecipientList, u"", 110, 5, 100, 100, LBS_NOTIFY | LBS_EXTENDEDSEL},
    {WC_LISTBOXW, faxui::kScratchList, u"", 0, 0, 10, 10, 0, 0, true},
};
const res::DialogTemplate kDialogs[] = {{600, u"Annuaire", DS_MODALFRAME | WS_CAPTION, 0, 0, 0, 220, 120, kControls}};
// The dialog, and the plug-in's strings as the phonebook contributes them.
const res::ResourceScript kScript{kDialogs, PhonebookOperationsResources().strings, {}};

// Answers boxes and file dialogs in the order queued; records every call.
class AnsweringFace : public ui::Face {
 public:
  void ModalStarting(const char*, int, HWND) override {}
  void WaitForInput(const ui::ModalWait&) override {}
  void Wake() override {}
  void Beep(UINT) override {}
  void Help(HWND, const std::u16string&, UINT, ULONG_PTR) override {}
  int MessageBox(const ui::MessageBoxCall& call) override {
    boxes.push_back(call);
    if (boxAnswers.empty()) return call.defaultAnswer;
    int answer = boxAnswers.front();
    boxAnswers.pop_front();
    return answer;
  }
  ui::FileDialogAnswer FileDialog(const ui::FileDialogCall& call) override {
    files.push_back(call);
    if (fileAnswers.empty()) return {};
    ui::FileDialogAnswer answer{true, fileAnswers.front()};
    fileAnswers.pop_front();
    return answer;
  }

  std::deque<int> boxAnswers;
  std::deque<std::u16string> fileAnswers;
  std::vector<ui::MessageBoxCall> boxes;
  std::vector<ui::FileDialogCall> files;
};

INT_PTR QuietDialog(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

class PhonebookUi : public testing::TempRoot {
 protected:
  void SetUp() override {
    TempRoot::SetUp();
    res::RegisterResources(nullptr, kScript);
    ui::SetFace(&face);
    dialog = CreateDialogParamW(nullptr, MAKEINTRESOURCEW(600), nullptr, QuietDialog, 0);
    ASSERT_NE(dialog, nullptr);
    current.path = Wide(path("book.AFD"));
    current.temporaryPath = Wide(path("book.TMP"));
    current.unavailable = false;
  }
  void TearDown() override {
    DestroyWindow(dialog);
    ui::SetFace(nullptr);
    TempRoot::TearDown();
  }
  HWND List(int id) { return GetDlgItem(dialog, id); }
  std::vector<std::u16string> Lines(int id) {
    std::vector<std::u16string> lines;
    LRESULT count = SendMessageW(List(id), LB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
      char16_t text[128] = {};
      SendMessageW(List(id), LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
      lines.emplace_back(text);
    }
    return lines;
  }
  LRESULT ItemData(int id, int index) { return SendMessageW(List(id), LB_GETITEMDATA, static_cast<WPARAM>(index), 0); }
  std::u16string book() const { return current.path; }
  void Given(const std::string& bytes) { test::Write(path("book.AFD"), bytes); }

  AnsweringFace face;
  HWND dialog = nullptr;
  CurrentPhonebook current;
};

TEST_F(PhonebookUi, FileErrorsNameTheirKindAndPath) {
  ShowFileError(dialog, u"C:\\a.AFD", u"Ouvrir", FileErrorKind::BadFormat);
  ShowFileError(dialog, u"C:\\a.AFD", u"Ouvrir", FileErrorKind::NotFound);
  ShowFileError(dialog, u"C:\\a.AFD", u"Ouvrir", FileErrorKind::CannotAccess);
  ASSERT_EQ(face.boxes.size(), 3u);
  EXPECT_EQ(face.boxes[0].text, u"Format de fichier de données (.ADF) d'annuaire non valide - C:\\a.AFD");
  EXPECT_EQ(face.boxes[1].text, u"Impossible de trouver le fichier de données de l'annuaire - C:\\a.AFD");
  EXPECT_EQ(face.boxes[2].text, u"Impossible d'accéder à l'annuaire - C:\\a.AFD");
  EXPECT_EQ(face.boxes[0].caption, u"Ouvrir");
  EXPECT_EQ(face.boxes[0].icon, ui::BoxIcon::Error);
}

TEST_F(PhonebookUi, ListingFillsTheSortedListWithTypes) {
  Given(Header() + Person("Martin", "02") + Group("Martin", {}) + Person("Jean de la Rue", "0123"));
  ASSERT_TRUE(ListRecordsInto(dialog, List(kPhonebookList), book()));
  // Sorted as a list box sorts: the bracket before the letters.
  EXPECT_EQ(Lines(kPhonebookList), (std::vector<std::u16string>{u"[Martin]", u"Jean de la Rue <0123>", u"Martin <02>"}));
  EXPECT_EQ(ItemData(kPhonebookList, 0), 2);
  EXPECT_EQ(ItemData(kPhonebookList, 1), 1);
  EXPECT_TRUE(face.boxes.empty());
}

TEST_F(PhonebookUi, ListingFailuresShowTheirMessage) {
  Given("");
  EXPECT_FALSE(ListRecordsInto(dialog, List(kPhonebookList), book()));
  ASSERT_EQ(face.boxes.size(), 1u);
  EXPECT_EQ(face.boxes[0].text, u"Format de fichier de données (.ADF) d'annuaire non valide - " + book());
  EXPECT_EQ(face.boxes[0].caption, u"Erreur de fichier de base de données");

  std::vector<std::pair<std::string, std::string>> members(300, {std::string(30, 'n'), std::string(30, '0')});
  Given(Header() + Group(std::string(30, 'G'), members));
  EXPECT_FALSE(ListRecordsInto(dialog, List(kPhonebookList), book()));
  EXPECT_FALSE(ExpandGroup(dialog, List(kRecipientList), book(), std::u16string(30, u'G'), nullptr));
  ASSERT_EQ(face.boxes.size(), 3u);
  for (int i : {1, 2}) {
    EXPECT_EQ(face.boxes[i].text, u"Mémoire insuffisante. Impossible d'accéder au fichier de données de l'annuaire.");
    EXPECT_EQ(face.boxes[i].icon, ui::BoxIcon::Error);
  }
  EXPECT_FALSE(ValidateCurrentPhonebook(dialog, Wide(path("missing.AFD"))));
  EXPECT_EQ(face.boxes.back().text, u"Impossible de trouver le fichier de données de l'annuaire - " + Wide(path("missing.AFD")));
}

TEST_F(PhonebookUi, ExpandingIntoRecipientsAsksAboutDuplicatesAndStopsAtFifty) {
  std::vector<std::pair<std::string, std::string>> members = {{"Dupont", "01"}, {"Martin", "02"}, {"Absent", "03"}};
  Given(Header() + Person("Dupont", "01") + Group("Ventes", members));
  RecipientList recipients{};
  SendMessageW(List(kRecipientList), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(u"Dupont <01>"));
  recipients.block.count = 1;
  face.boxAnswers = {IDNO};
  ASSERT_TRUE(ExpandGroup(dialog, List(kRecipientList), book(), u"ventes", &recipients));
  ASSERT_EQ(face.boxes.size(), 1u);
  EXPECT_EQ(face.boxes[0].text,
            u"Nom : Dupont\nN° de fax : 01\n\nCe destinataire existe déjà dans la liste.\nSouhaitez-vous quand même l'ajouter ?");
  EXPECT_EQ(face.boxes[0].caption, u"Ajouter le destinataire à la liste");
  EXPECT_EQ(Lines(kRecipientList), (std::vector<std::u16string>{u"Dupont <01>", u"Martin <02>", u"Absent <03>"}));
  EXPECT_EQ(ItemData(kRecipientList, 1), 2);
  EXPECT_EQ(recipients.block.count, 3);
  EXPECT_EQ(recipients.details[1].detailsAvailable, 1);
  EXPECT_EQ(recipients.block.records[2].sendMode, '0');
  EXPECT_EQ(recipients.block.records[2].faxNumber[0], '\0');  // not read yet

  // Two places left for three members: two are added, then the warning.
  recipients.block.count = 48;
  SendMessageW(List(kRecipientList), LB_RESETCONTENT, 0, 0);
  face.boxes.clear();
  ASSERT_TRUE(ExpandGroup(dialog, List(kRecipientList), book(), u"Ventes", &recipients));
  EXPECT_EQ(recipients.block.count, 50);
  ASSERT_EQ(face.boxes.size(), 1u);
  EXPECT_EQ(face.boxes[0].text,
            u"La liste contient maintenant le nombre maximum de 50 destinataires.\nCertaines entrées n'ont pas été ajoutées.");
  EXPECT_EQ(face.boxes[0].icon, ui::BoxIcon::Warning);
  // Full on entry: fails without a word.
  EXPECT_FALSE(ExpandGroup(dialog, List(kRecipientList), book(), u"Ventes", &recipients));
  EXPECT_EQ(face.boxes.size(), 1u);
}

TEST_F(PhonebookUi, TheMemberListSkipsLinesItHolds) {
  Given(Header() + Group("Ventes", {{"A", "1"}, {"a", "1"}, {"B", "2"}}));
  ASSERT_TRUE(ExpandGroup(dialog, List(kRecipientList), book(), u"Ventes", nullptr));
  EXPECT_EQ(Lines(kRecipientList), (std::vector<std::u16string>{u"A <1>", u"B <2>"}));
  EXPECT_TRUE(face.boxes.empty());
}

// The filter comes from the plug-in's string table alone: without the
// string the dialog offers no filter rather than a text of the code's own.
TEST_F(PhonebookUi, TheFileDialogFilterIsThePluginString) {
  static const res::ResourceScript withoutStrings{kDialogs, {}, {}};
  ASSERT_TRUE(res::RegisterResources(nullptr, withoutStrings));
  EXPECT_EQ(ChoosePhonebookFile(dialog, current, FilePurpose::Open), std::nullopt);
  ASSERT_TRUE(res::RegisterResources(nullptr, kScript));
  ASSERT_EQ(face.files.size(), 1u);
  EXPECT_TRUE(face.files[0].filters.empty());
}

TEST_F(PhonebookUi, TheFileDialogForEachPurpose) {
  test::Write(path("x.AFD"), Header());
  face.fileAnswers = {Wide(path("x.AFD"))};
  EXPECT_EQ(ChoosePhonebookFile(dialog, current, FilePurpose::Open), Wide(path("x.AFD")));
  EXPECT_EQ(ChoosePhonebookFile(dialog, current, FilePurpose::SaveConversion), std::nullopt);
  ASSERT_EQ(face.files.size(), 2u);
  const ui::FileDialogCall& open = face.files[0];
  EXPECT_FALSE(open.save);
  EXPECT_EQ(open.title, u"Ouvrir");
  ASSERT_EQ(open.filters.size(), 1u);
  EXPECT_EQ(open.filters[0].first, u"Fichiers d'annuaire (*.AFD)");
  EXPECT_EQ(open.filters[0].second, u"*.afd");
  EXPECT_EQ(open.initialDir, Wide(root().string() + "/"));
  EXPECT_EQ(open.flags & (OFN_HIDEREADONLY | OFN_NOREADONLYRETURN | OFN_NONETWORKBUTTON | OFN_LONGNAMES |
                          OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST),
            OFN_HIDEREADONLY | OFN_NOREADONLYRETURN | OFN_NONETWORKBUTTON | OFN_LONGNAMES | OFN_PATHMUSTEXIST |
                OFN_FILEMUSTEXIST);
  EXPECT_TRUE(face.files[1].save);
  EXPECT_EQ(face.files[1].title, u"Enregistrer la conversion sous");
  EXPECT_EQ(face.files[1].flags & OFN_FILEMUSTEXIST, 0u);
}

TEST_F(PhonebookUi, OpenFindsTheNameWithItsExtensionAndRefusesOthers) {
  Given(Header());
  test::Write(path("telefax.AFD"), Header() + Person("A", "1"));
  int refreshed = 0;
  face.fileAnswers = {Wide(path("telefax"))};
  OpenPhonebook(dialog, current, [&] { ++refreshed; });
  EXPECT_EQ(current.path, Wide(path("telefax.AFD")));
  EXPECT_FALSE(current.unavailable);
  EXPECT_EQ(refreshed, 1);
  EXPECT_EQ(test::Read(path("AFD.INI")), path("telefax.AFD").string() + "\n");

  // A phonebook's bytes under another extension are refused.
  test::Write(path("other.txt"), Header());
  face.fileAnswers = {Wide(path("other.txt"))};
  OpenPhonebook(dialog, current, [&] { ++refreshed; });
  EXPECT_EQ(current.path, Wide(path("telefax.AFD")));
  ASSERT_EQ(face.boxes.size(), 1u);
  EXPECT_EQ(face.boxes[0].text, u"Format de fichier de données (.ADF) d'annuaire non valide - " + Wide(path("other.txt")));
  EXPECT_EQ(face.boxes[0].caption, u"Ouvrir");
  EXPECT_EQ(refreshed, 1);
}

TEST_F(PhonebookUi, SaveAsCopiesAndMakesTheCopyCurrent) {
  std::string bytes = Header() + Person("A", "1");
  Given(bytes);
  test::Write(path("copie.AFD"), "older");
  face.fileAnswers = {Wide(path("copie"))};
  face.boxAnswers = {IDYES};
  SavePhonebookAs(dialog, current);
  ASSERT_EQ(face.boxes.size(), 1u);
  EXPECT_EQ(face.boxes[0].text, Wide(path("copie.AFD")) + u"\nCe fichier existe déjà. Souhaitez-vous le remplacer ?");
  EXPECT_EQ(face.boxes[0].caption, u"Enregistrer sous");
  EXPECT_EQ(face.boxes[0].defaultAnswer, IDNO);
  EXPECT_EQ(test::Read(path("copie.AFD")), bytes);
  EXPECT_EQ(test::Read(path("book.AFD")), bytes);
  EXPECT_EQ(current.path, Wide(path("copie.AFD")));
  char16_t caption[400] = {};
  GetWindowTextW(dialog, caption, 400);
  EXPECT_EQ(std::u16string(caption), u"Annuaire - " + Wide(path("copie.AFD")));
}

TEST_F(PhonebookUi, NewOnTheCurrentPhonebookEmptiesIt) {
  Given(Header() + Person("A", "1"));
  face.fileAnswers = {Wide(path("autre.AFD")), book()};
  face.boxAnswers = {IDYES};
  test::Write(path("autre.AFD"), "keep");
  // The first name is declined (default No), the second accepted.
  face.boxAnswers = {IDNO, IDYES};
  NewPhonebook(dialog, current, {});
  EXPECT_EQ(test::Read(path("autre.AFD")), "keep");
  EXPECT_EQ(test::Read(path("book.AFD")), Header());
  EXPECT_EQ(face.boxes.size(), 2u);
  EXPECT_EQ(face.boxes[1].caption, u"Nouveau");
  EXPECT_FALSE(current.unavailable);
}

TEST_F(PhonebookUi, ConvertingAnOlderPhonebookThroughTheHiddenList) {
  test::Write(path("vieux.afd"), "TOVA_KALDE_ORBY_FAX_DATA_FILE_0000\n{A}\n2\nX|1|||||\nx|1|||||\n");
  face.boxAnswers = {IDYES};
  face.fileAnswers = {Wide(path("neuf"))};
  std::optional<std::u16string> converted = OfferConversion(dialog, current, Wide(path("vieux.afd")), StoreResult::Version0000);
  ASSERT_EQ(converted, Wide(path("neuf.AFD")));
  EXPECT_EQ(test::Read(path("neuf.AFD")), Header() + test::Individual({"X", "1", "", "", "", ""}) + Group("A", {{"X", "1"}, {"X", "1"}}));
  EXPECT_TRUE(Lines(faxui::kScratchList).empty());
  ASSERT_EQ(face.boxes.size(), 1u);
  EXPECT_EQ(face.boxes[0].caption, u"Conversion de fichier");
  EXPECT_NE(face.boxes[0].type & MB_SYSTEMMODAL, 0u);

  face.boxAnswers = {IDNO};
  EXPECT_EQ(OfferConversion(dialog, current, Wide(path("vieux.afd")), StoreResult::Version0000), std::nullopt);
  EXPECT_EQ(face.files.size(), 1u);
}

}  // namespace
}  // namespace tq::phonebook
