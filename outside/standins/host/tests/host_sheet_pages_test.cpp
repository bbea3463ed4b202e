// The host's installable options page with the device asked through a
// stand-in: what the device answers is shown on the page and kept only when
// applied; a failure is told in a message box and changes nothing.
#include <gtest/gtest.h>

#include "common/fax_job_settings.h"
#include "host/host_options.h"
#include "host/host_sheet_pages.h"
#include "qlres/resource_ids.h"
#include "testing/temp_root.h"
#include "win/face.h"
#include "win/kernel.h"

namespace tq::host {
namespace {

class HostSheetPagesTest : public testing::TempRoot {
 protected:
  void SetUp() override {
    TempRoot::SetUp();
    std::string error;
    library_ = LoadResourceLibrary(Model::N, error);
    ASSERT_NE(library_, nullptr) << error;
    const int wanted[] = {qlres::kInstallableOptionsPage};
    pages_ = HostPages::Resolve(library_, Model::N, wanted, "qlresn.so", nullptr);
    sheet_ = {&settings_, &layout_, library_, pages_.get(), [this] { ++commits_; },
              [this](const std::string& port) {
                asked_ = port;
                return answer_;
              }};
  }
  void TearDown() override {
    pages_.reset();
    if (library_ != nullptr) FreeLibrary(library_);
    TempRoot::TearDown();
  }

  // Runs the sheet of the host's pages with `script`; PropertySheetW's result.
  INT_PTR Show(const std::string& script) {
    testing::WriteText(path("sheet.txt"), script);
    std::deque<HostSheetPage> records;
    std::vector<PROPSHEETPAGEW> pages = HostSheetPages(sheet_, records);
    PROPSHEETHEADERW header{};
    header.dwSize = sizeof header;
    header.dwFlags = PSH_PROPSHEETPAGE;
    header.pszCaption = u"Propriétés du document";
    header.nPages = static_cast<UINT>(pages.size());
    header.ppsp = pages.data();
    EXPECT_TRUE(ui::UseFace("script:" + path("sheet.txt").string()));
    const INT_PTR result = PropertySheetW(&header);
    ui::UseFace("headless");
    return result;
  }

  const AddOnTable table_ = MakeFaxAddOnTable(&DefaultFaxDS, &DefaultFaxSS, nullptr, nullptr, nullptr);
  const SettingsLayout layout_ = LayoutFor(table_);
  SettingsBlock settings_ = NewSettings(table_, layout_);
  HINSTANCE library_ = nullptr;
  std::unique_ptr<HostPages> pages_;
  HostSheet sheet_;
  AutoconfigOutcome answer_;
  std::string asked_;
  int commits_ = 0;
};

TEST_F(HostSheetPagesTest, TheDevicesAnswerIsShownAndKeptWhenApplied) {
  answer_.status = AutoconfigOutcome::Status::Answered;
  answer_.facts = {"10.0.0.5", true, true, 999};
  const SettingsBlock before = settings_;
  EXPECT_EQ(Show("page 6500\nexpect-unchecked 6510\nexpect-text 6512 \"200 numéros\"\ntype 6514 10.0.0.5\n"
                 "click 6513\nexpect-checked 6509\nexpect-checked 6510\nexpect-text 6512 \"999 numéros\"\n"
                 "expect-enabled 12321\nclick 2\n"),
            0);
  EXPECT_EQ(asked_, "IP_10.0.0.5");  // a bare address is a network port
  EXPECT_EQ(settings_, before) << "cancelled: nothing kept";
  EXPECT_EQ(commits_, 0);

  EXPECT_EQ(Show("page 6500\nclick 6513\nclick 1\n"), 1);
  EXPECT_EQ(asked_, kDefaultAutoconfigPort);
  EXPECT_EQ(SettingValue(settings_, layout_, "g4"), "1");
  EXPECT_EQ(SettingValue(settings_, layout_, "speed-dial-range"), "999");
  EXPECT_EQ(commits_, 1);
}

TEST_F(HostSheetPagesTest, AFailedOrUnansweredRunChangesNothing) {
  answer_.status = AutoconfigOutcome::Status::Failed;
  answer_.problem = AutoconfigOutcome::Problem::Gone;
  answer_.error = "qlautocfg ended without an answer and without closing the window /run/AC000001.TMP";
  EXPECT_EQ(Show("page 6500\nclick 6513\nbox ok \"La configuration automatique a échoué :\\n"
                 "qlautocfg s'est arrêté sans donner de réponse.\"\nexpect-unchecked 6510\nexpect-disabled 12321\n"
                 "click 2\n"),
            0);
  answer_.status = AutoconfigOutcome::Status::NoAnswer;
  EXPECT_EQ(Show("page 6500\nclick 6513\nexpect-unchecked 6510\nexpect-disabled 12321\nclick 2\n"), 0);
  EXPECT_EQ(SettingValue(settings_, layout_, "g4"), "0");
}

}  // namespace
}  // namespace tq::host
