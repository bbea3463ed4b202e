// The script grammar: words, quotes and escapes, comments, and the line
// number of the first line that cannot be parsed.
#include <gtest/gtest.h>

#include "script.h"
#include "win/user.h"

using tq::ui::script::Parse;
using tq::ui::script::Verb;

TEST(ScriptParse, WordsQuotesAndComments) {
  const auto result = Parse(
      "# a comment line\n"
      "\n"
      "type 1001 \"Jean \\\"Le Fax\\\" Dupont\\n\\t\\\\\"  # trailing comment\n"
      "selecttext 601 \"[Groupe]\" Martin\n"
      "box yes \"Remplacer ?\"\n"
      "hold shift ctrl\n"
      "key 601 delete\n"
      "wait-command 1022 5\n"
      "expect-lines 605\n");
  ASSERT_EQ(result.error, "");
  ASSERT_EQ(result.actions.size(), 7u);
  EXPECT_EQ(result.actions[0].line, 3);
  EXPECT_EQ(result.actions[0].id, 1001);
  EXPECT_EQ(result.actions[0].texts[0], u"Jean \"Le Fax\" Dupont\n\t\\");
  EXPECT_EQ(result.actions[1].texts, (std::vector<std::u16string>{u"[Groupe]", u"Martin"}));
  EXPECT_EQ(result.actions[2].key, IDYES);
  EXPECT_EQ(result.actions[2].texts[0], u"Remplacer ?");
  EXPECT_TRUE(result.actions[3].shift && result.actions[3].control);
  EXPECT_EQ(result.actions[4].key, VK_DELETE);
  EXPECT_EQ(result.actions[5].numbers, std::vector<int>{5});
  EXPECT_EQ(result.actions[6].verb, Verb::ExpectLines);
  EXPECT_TRUE(result.actions[6].texts.empty());
}

TEST(ScriptParse, BadLinesNameTheirNumber) {
  const std::pair<const char*, const char*> cases[] = {
      {"click 1\nclik 1\n", "line 2: unknown action \"clik\""},
      {"type abc x\n", "line 1: type: needs a control identifier"},
      {"click\n", "line 1: click: needs a control identifier"},
      {"click 1 2\n", "line 1: click: wrong number of arguments"},
      {"\n\ntype 1 \"open\n", "line 3: a text in double quotes is not closed"},
      {"type 1 \"\\q\"\n", "line 1: unknown escape \\q"},
      {"key 1 space\n", "line 1: key: \"space\" is not delete, enter, escape, f1, tab, home, end, pgup, pgdn, up, down, left or "
       "right"},
      {"box maybe\n", "line 1: box: \"maybe\" is not ok, cancel, yes or no"},
      {"select 1 0 -2\n", "line 1: select: \"-2\" is not an item number"},
      {"hold alt\n", "line 1: hold: \"alt\" is not shift or ctrl"},
      {"wait-command 1022 soon\n", "line 1: wait-command: \"soon\" is not a number of seconds"},
      {"expect-text 5\n", "line 1: expect-text: wrong number of arguments"},
  };
  for (const auto& [script, error] : cases) {
    const auto result = Parse(script);
    EXPECT_EQ(result.error, error) << script;
    EXPECT_TRUE(result.actions.empty()) << script;
  }
}
