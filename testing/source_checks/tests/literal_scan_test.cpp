#include "literal_scan.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "testing/temp_root.h"

namespace tq::source_checks {
namespace {

std::vector<std::string> Bodies(std::string_view source) {
  std::vector<std::string> bodies;
  for (const Literal& literal : StringLiterals(source)) bodies.push_back(literal.body);
  return bodies;
}

TEST(StringLiterals, SkipCommentsCharactersIncludesAndNumbers) {
  const std::string source =
      "#include \"recipients/texts.h\"\n"
      "  #  include <string>\n"
      "// \"Annuler\" in a line comment\n"
      "/* \"Annuler\"\n   over lines */\n"
      "char quote = '\"'; char escaped = '\\''; int big = 1'000'000; double e = 1e-5;\n"
      "auto a = u\"un \\\"mot\\\" cité\"; auto b = L\"x\" \"y\";\n"
      "auto raw = u8R\"end(d'un \"bloc\" )\n)end\";\n"
      "#define CAPTION u\"Télécopie\"\n"
      "auto after = \"z\";\n";
  const std::vector<Literal> literals = StringLiterals(source);
  ASSERT_EQ(literals.size(), 6u);
  EXPECT_EQ(literals[0].body, "un \\\"mot\\\" cité");
  EXPECT_EQ(literals[0].line, 7);
  EXPECT_EQ(literals[1].body, "x");
  EXPECT_EQ(literals[2].body, "y");
  EXPECT_EQ(literals[3].body, "d'un \"bloc\" )\n");
  EXPECT_EQ(literals[3].line, 8);
  EXPECT_EQ(literals[4].body, "Télécopie");
  EXPECT_EQ(literals[4].line, 10);
  EXPECT_EQ(literals[5].body, "z");
  EXPECT_EQ(literals[5].line, 11);
}

TEST(StringLiterals, MarkedDataIsLeftOut) {
  // A marker covers its line and the lines below it up to a blank line.
  const std::string source =
      "if (header == \"NOM\") {}  // not-a-text: the column the reader looks for\n"
      "\n"
      "Show(u\"Nom : \");\n"
      "\n"
      "// The titles of the name columns, compared only: not-a-text.\n"
      "constexpr const char* kFirst[] = {\"Prénom\",\n"
      "                                  \"Nom de famille\"};\n"
      "constexpr const char* kFax[] = {\"Télécopie\"};\n"
      "  \n"
      "Show(u\"Télécopie\");\n";
  EXPECT_EQ(Bodies(source), (std::vector<std::string>{"Nom : ", "Télécopie"}));
}

TEST(StringLiterals, UnterminatedInputEndsTheScan) {
  EXPECT_EQ(Bodies("auto a = \"open"), std::vector<std::string>{"open"});
  EXPECT_EQ(Bodies("auto a = R\"x(never closed"), std::vector<std::string>{"never closed"});
  EXPECT_TRUE(Bodies("/* never closed \"a\"").empty());
  EXPECT_TRUE(Bodies("char c = '").empty());
}

TEST(LooksFrench, TellsTextsFromData) {
  // Letters outside ASCII, French words, and French link words in prose.
  EXPECT_TRUE(LooksFrench("Télécopie"));
  EXPECT_TRUE(LooksFrench("N\xC2\xB0 de fax : "));
  EXPECT_TRUE(LooksFrench("Annuler"));
  EXPECT_TRUE(LooksFrench("&Fermer"));
  EXPECT_TRUE(LooksFrench("Impossible d'ouvrir %s."));
  EXPECT_TRUE(LooksFrench("Entrez un nom de groupe."));
  EXPECT_TRUE(LooksFrench("Format de fichier non valide - "));
  // Names, formats, escapes and English messages are not texts of the user.
  EXPECT_FALSE(LooksFrench("UTF-16LE"));
  EXPECT_FALSE(LooksFrench("%s%s{20}{3%d}%s%s%s\\n"));
  EXPECT_FALSE(LooksFrench("\\xC5\\xD0\\xD3\\xC6"));
  EXPECT_FALSE(LooksFrench("Time %d:%d%d:%d%d"));
  EXPECT_FALSE(LooksFrench(" and %d others"));
  EXPECT_FALSE(LooksFrench("J%04d"));
  EXPECT_FALSE(LooksFrench("qlhost: cannot open the document: %s\\n"));
  EXPECT_FALSE(LooksFrench("DEFAULT.AFD"));
  EXPECT_FALSE(LooksFrench("de"));
}

// The check over a small tree: it names the file and line of a French text
// in logic, and passes once the text sits in the module's texts file.
class TextsCheck : public testing::TempRoot {};

TEST_F(TextsCheck, NamesTheLiteralAndPassesOnceItMoves) {
  const std::filesystem::path tree = root() / "tree";
  const auto write = [&](const std::string& name, const std::string& text) {
    std::filesystem::create_directories((tree / name).parent_path());
    testing::WriteText(tree / name, text);
  };
  write("module/resources.cpp", "auto caption = u\"Télécopie\";\n");
  write("module/src/texts.h", "constexpr char16_t kQuestion[] = u\"Souhaitez-vous continuer ?\";\n");
  write("module/tests/logic_test.cpp", "EXPECT_EQ(text, u\"Souhaitez-vous continuer ?\");\n");
  write("module/src/logic.cpp",
        "// Asks whether to go on (\"Souhaitez-vous continuer ?\").\n"
        "int Ask() {\n"
        "  return Show(u\"Souhaitez-vous continuer ?\", kCaption);\n"
        "}\n");
  write("build/CMakeCache.txt", "");
  write("build/generated.cpp", "auto text = u\"Généré\";\n");

  testing::RunResult result = testing::RunProgram(TEXTS_CHECK_PROGRAM, {tree.string()});
  EXPECT_EQ(result.status, 1);
  EXPECT_NE(result.out.find("module/src/logic.cpp:3: \"Souhaitez-vous continuer ?\""), std::string::npos)
      << result.out;
  // Only that one: not the comment, the resource script, the texts file,
  // the test or the build tree.
  EXPECT_EQ(result.out.find("logic.cpp:1:"), std::string::npos) << result.out;
  EXPECT_NE(result.out.find("\n1 user-visible French text"), std::string::npos) << result.out;

  write("module/src/logic.cpp", "int Ask() { return Show(texts::kQuestion, kCaption); }\n");
  result = testing::RunProgram(TEXTS_CHECK_PROGRAM, {tree.string()});
  EXPECT_EQ(result.status, 0) << result.out;

  result = testing::RunProgram(TEXTS_CHECK_PROGRAM, {(tree / "missing").string()});
  EXPECT_EQ(result.status, 2);
}

}  // namespace
}  // namespace tq::source_checks
