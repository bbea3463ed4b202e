// Deleting three entries when the disk fills up on the second: the phonebook
// dialog runs in this process on the headless face with an automation
// script, so that the file layer's fault seam reaches its writes.
#include <gtest/gtest.h>

#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "faxui/module_instance.h"
#include "faxui/resource_ids.h"
#include "phonebook/phonebook_dialog.h"
#include "phonebook/phonebook_dialog_resources.h"
#include "phonebook/phonebook_operations.h"
#include "phonebook_bytes.h"
#include "win/face.h"
#include "win/faults.h"
#include "win/resource.h"
#include "win/user.h"

namespace tq::faxui {
namespace {

using phonebook::test::Header;
using phonebook::test::Person;

const HINSTANCE kInstance = reinterpret_cast<HINSTANCE>(static_cast<std::uintptr_t>(0x9b0c));

std::vector<std::string> SplitLines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

class DeleteOnFullDisk : public testing::TempRoot, public ::testing::WithParamInterface<FileFault> {
 protected:
  void SetUp() override {
    TempRoot::SetUp();
    static const res::GatheredScript script{phonebook::PhonebookOperationsResources(), PhonebookDialogResources()};
    res::RegisterResources(kInstance, script.script());
    SetModuleInstance(kInstance);
    setenv("TELEQUILL_TRANSCRIPT", path("transcript.txt").c_str(), 1);
  }
  void TearDown() override {
    ClearFileFaults();
    unsetenv("TELEQUILL_TRANSCRIPT");
    ui::UseFace("headless");
    TempRoot::TearDown();
  }
  INT_PTR Run(const std::string& script) {
    testing::WriteText(path("script.txt"), script);
    EXPECT_TRUE(ui::UseFace("script:" + path("script.txt").string()));
    return DialogBoxParamW(kInstance, MAKEINTRESOURCEW(kPhonebookDialogId), nullptr, PhonebookDlgProc, 0);
  }
  std::string Book() const { return testing::ReadText(path("DEFAULT.AFD")); }
};

TEST_P(DeleteOnFullDisk, LastLineGoesTheFailureIsToldAndTheOthersStay) {
  const std::string book = Header() + Person("Alpha", "1") + Person("Beta", "2") + Person("Gamma", "3");
  testing::WriteText(path("DEFAULT.AFD"), book);
  // Each of these replaces a file once: the opening the list file naming the
  // current phonebook, then each delete the phonebook. Lines go from the
  // last selected to the first, so Gamma goes and Beta's delete fails.
  FailNthFileOperation(GetParam(), 3);
  Run("dialog 106\n"
      "select 601 0 1 2\n"
      "click 609\n"
      "box yes\n"
      "box ok\n"
      "expect-lines 601 \"Alpha <1>\" \"Beta <2>\"\n"
      "click 2\n");
  const std::string caption = "\"Suppression d'entrées de l'annuaire\"";
  EXPECT_EQ(SplitLines(testing::ReadText(path("transcript.txt"))),
            (std::vector<std::string>{
                "dialog 106 open \"Annuaire - " + path("DEFAULT.AFD").string() + "\"",
                "box question yesno " + caption +
                    " \"Souhaitez-vous supprimer les entrées sélectionnées de l'annuaire courant ?\" -> yes",
                "box error ok " + caption +
                    " \"Espace disque insuffisant. Impossible de continuer.\\n"
                    "Toutes les entrées sélectionnées n'ont pas été supprimées.\" -> ok",
                "dialog 106 end 0"}));
  EXPECT_EQ(Book(), Header() + Person("Alpha", "1") + Person("Beta", "2"));
}

INSTANTIATE_TEST_SUITE_P(EachWriteStep, DeleteOnFullDisk,
                         ::testing::Values(FileFault::Flush, FileFault::Rename), [](const auto& info) {
                           return std::string(info.param == FileFault::Flush ? "Flush" : "Rename");
                         });

}  // namespace
}  // namespace tq::faxui
