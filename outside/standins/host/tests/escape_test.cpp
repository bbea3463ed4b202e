// The escapes as a plug-in sees them: through ExtEscape on the job's device
// context.
#include <gtest/gtest.h>

#include <vector>

#include "common/host_settings.h"
#include "host/job_device_context.h"

namespace tq::host {
namespace {

class Escapes : public ::testing::Test {
 protected:
  const AddOnTable table = MakeFaxAddOnTable(&DefaultFaxDS, &DefaultFaxSS, nullptr, nullptr, nullptr);
  const SettingsLayout layout = LayoutFor(table);
  SettingsBlock settings = NewSettings(table, layout);

  // Reads the settings as the plug-in does: size first, then a zero-filled
  // buffer of that size.
  std::vector<char> Read(HDC dc) {
    const int size = ExtEscape(dc, kEscapeSettingsSize, 0, nullptr, 0, nullptr);
    std::vector<char> buffer(static_cast<std::size_t>(size), 0);
    EXPECT_GT(ExtEscape(dc, kEscapeGetSettings, 0, nullptr, size, buffer.data()), 0);
    return buffer;
  }
};

TEST_F(Escapes, ReadChangeWriteBackAndReadAgain) {
  JobDeviceContext context(settings, layout);
  std::vector<char> block = Read(context.dc());
  ASSERT_EQ(block.size(), layout.size);
  auto* options = reinterpret_cast<FaxOptionsBlock*>(block.data() + layout.block1);
  EXPECT_EQ(options->resolution, kResFine);

  options->resolution = kResSuperfine;
  auto* send = reinterpret_cast<FaxSendBlock*>(block.data() + layout.block3);
  send->recipients.count = 2;
  const int size = static_cast<int>(block.size());
  EXPECT_GT(ExtEscape(context.dc(), kEscapeSetSettings, size, block.data(), 0, nullptr), 0);

  std::vector<char> again = Read(context.dc());
  EXPECT_EQ(again, block);
  EXPECT_EQ(OptionsOf(settings, layout)->resolution, kResSuperfine);
  EXPECT_EQ(SendOf(settings, layout)->recipients.count, 2);
}

TEST_F(Escapes, BadBlocksAreRefusedAndChangeNothing) {
  const SettingsBlock before = settings;
  JobDeviceContext context(settings, layout);
  std::vector<char> block = Read(context.dc());
  const int size = static_cast<int>(block.size());

  // Too small an output buffer.
  EXPECT_LT(ExtEscape(context.dc(), kEscapeGetSettings, 0, nullptr, size - 1, block.data()), 0);
  // A block of another size.
  EXPECT_LT(ExtEscape(context.dc(), kEscapeSetSettings, size - 4, block.data(), 0, nullptr), 0);
  EXPECT_LT(ExtEscape(context.dc(), kEscapeSetSettings, size, nullptr, 0, nullptr), 0);
  // A block that moves the host's private area.
  hsb::SetField(block.data(), hsb::kPrivateAreaOffset, 0);
  EXPECT_LT(ExtEscape(context.dc(), kEscapeSetSettings, size, block.data(), 0, nullptr), 0);
  EXPECT_EQ(settings, before);
  // An escape the host does not know.
  EXPECT_EQ(ExtEscape(context.dc(), 4242, 0, nullptr, 0, nullptr), 0);
}

TEST_F(Escapes, FaxPointIsTheFirstPageOnly) {
  JobDeviceContext context(settings, layout);
  EXPECT_NE(ExtEscape(context.dc(), kEscapeFaxPoint, 0, nullptr, 0, nullptr), 1);
  context.StartPage();
  EXPECT_EQ(ExtEscape(context.dc(), kEscapeFaxPoint, 0, nullptr, 0, nullptr), 1);
  EXPECT_EQ(ExtEscape(context.dc(), kEscapeFaxPoint, 0, nullptr, 0, nullptr), 1);
  context.StartPage();
  EXPECT_NE(ExtEscape(context.dc(), kEscapeFaxPoint, 0, nullptr, 0, nullptr), 1);
}

TEST_F(Escapes, AbortDocMarksTheJob) {
  JobDeviceContext context(settings, layout);
  EXPECT_FALSE(context.aborted());
  EXPECT_GT(AbortDoc(context.dc()), 0);
  EXPECT_TRUE(context.aborted());
}

}  // namespace
}  // namespace tq::host
