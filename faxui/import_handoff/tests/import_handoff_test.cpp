#include "faxui/import_handoff.h"

#include <gtest/gtest.h>

namespace {

TEST(ImportHandoff, ResultFileIsNamedAfterTheTimeInTheGivenFolder) {
  SYSTEMTIME at{};
  at.wHour = 15;
  at.wMinute = 30;
  at.wSecond = 12;
  EXPECT_EQ(tq::faxui::ResultPathFor(u"/run/user/1000/telequill", at), u"/run/user/1000/telequill/DB153012.TMP");
  at.wHour = 0;
  at.wMinute = 5;
  at.wSecond = 9;
  EXPECT_EQ(tq::faxui::ResultPathFor(u"/r", at), u"/r/DB000509.TMP");
}

TEST(ImportHandoff, ProgramSitsBesideThePluginAndIsQuotedOnlyWithABlank) {
  EXPECT_EQ(tq::faxui::ImportCommandLine(u"/opt/tq/qlfaxuin.so", u"qlimportn.EXE", u"/r/DB153012.TMP"),
            u"/opt/tq/qlimportn.EXE /r/DB153012.TMP");
  EXPECT_EQ(tq::faxui::ImportCommandLine(u"/opt/my tq/qlfaxuip.so", u"qlimportp.EXE", u"/r/DB153012.TMP"),
            u"\"/opt/my tq/qlimportp.EXE\" /r/DB153012.TMP");
}

}  // namespace
