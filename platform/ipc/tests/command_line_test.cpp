// Command lines taken apart as a Windows program's start-up does.
#include <gtest/gtest.h>

#include "command_line.h"

namespace {

using tq::ipc::SplitCommandLine;
using Parts = std::vector<std::u16string>;

TEST(CommandLine, ProgramNameUpToTheFirstBlankOrBetweenQuotes) {
  EXPECT_EQ(SplitCommandLine(u"/opt/tq/qlimportn.EXE /tmp/DB153012.TMP"),
            (Parts{u"/opt/tq/qlimportn.EXE", u"/tmp/DB153012.TMP"}));
  EXPECT_EQ(SplitCommandLine(u"\"/opt/mon dossier/prog\" a"), (Parts{u"/opt/mon dossier/prog", u"a"}));
  // The program name keeps its backslashes: no escapes there.
  EXPECT_EQ(SplitCommandLine(u"C:\\Fax\\prog.exe x"), (Parts{u"C:\\Fax\\prog.exe", u"x"}));
  EXPECT_EQ(SplitCommandLine(u"\"unclosed name"), (Parts{u"unclosed name"}));
}

TEST(CommandLine, BlanksAndTabsSeparateArgumentsUnlessQuoted) {
  EXPECT_EQ(SplitCommandLine(u"  prog\t a  \"b c\"\td "), (Parts{u"prog", u"a", u"b c", u"d"}));
  EXPECT_EQ(SplitCommandLine(u"prog \"\""), (Parts{u"prog", u""}));
  EXPECT_EQ(SplitCommandLine(u"prog ab\"c d\"e"), (Parts{u"prog", u"abc de"}));
  EXPECT_EQ(SplitCommandLine(u""), Parts{});
  EXPECT_EQ(SplitCommandLine(u" \t "), Parts{});
}

TEST(CommandLine, BackslashesBeforeQuotes) {
  EXPECT_EQ(SplitCommandLine(uR"(p a\\b)"), (Parts{u"p", uR"(a\\b)"}));      // alone: as they are
  EXPECT_EQ(SplitCommandLine(uR"(p a\"b)"), (Parts{u"p", uR"(a"b)"}));       // odd: literal quote
  EXPECT_EQ(SplitCommandLine(uR"(p "a\\" b)"), (Parts{u"p", uR"(a\)", u"b"}));  // even: halved, quote closes
  EXPECT_EQ(SplitCommandLine(uR"(p "a\\\"b")"), (Parts{u"p", uR"(a\"b)"}));
  EXPECT_EQ(SplitCommandLine(uR"(p "say ""hi""")"), (Parts{u"p", uR"(say "hi")"}));
  EXPECT_EQ(SplitCommandLine(uR"(p trailing\)"), (Parts{u"p", uR"(trailing\)"}));
}

}  // namespace
