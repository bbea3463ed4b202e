#include <cstdlib>
#include <string>

#include "testing/temp_root.h"
#include "win/kernel.h"
#include "win/text.h"

namespace {

class CodePagesTest : public ::testing::Test {
 protected:
  void SetUp() override { unsetenv("TELEQUILL_ACP"); }
  void TearDown() override { unsetenv("TELEQUILL_ACP"); }

  static std::string ToAnsi(std::u16string_view text, DWORD flags = 0, BOOL* usedDefault = nullptr) {
    int size = WideCharToMultiByte(CP_ACP, flags, text.data(), static_cast<int>(text.size()), nullptr, 0,
                                   nullptr, usedDefault);
    std::string out(static_cast<size_t>(size), '\0');
    EXPECT_EQ(WideCharToMultiByte(CP_ACP, flags, text.data(), static_cast<int>(text.size()), out.data(), size,
                                  nullptr, usedDefault),
              size);
    return out;
  }
  static std::u16string ToWide(std::string_view text) {
    int size = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::u16string out(static_cast<size_t>(size), u'\0');
    EXPECT_EQ(MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), out.data(), size), size);
    return out;
  }
};

TEST_F(CodePagesTest, FrenchRoundTripIn1252) {
  EXPECT_EQ(GetACP(), 1252u);
  const std::u16string french = u"Télécopie à envoyer";
  std::string ansi = ToAnsi(french);
  EXPECT_EQ(ansi, "T\xE9l\xE9" "copie \xE0 envoyer");
  EXPECT_EQ(ToWide(ansi), french);
  // The euro sign lives at 0x80 in 1252.
  EXPECT_EQ(ToAnsi(u"€"), "\x80");
  EXPECT_EQ(ToWide("\x81"), u"\u0081");  // unassigned bytes stay C1 controls
}

TEST_F(CodePagesTest, DoubleByteTextIn932) {
  setenv("TELEQUILL_ACP", "932", 1);
  EXPECT_EQ(GetACP(), 932u);
  const std::u16string phonebook = u"電話帳";
  std::string ansi = ToAnsi(phonebook);
  EXPECT_EQ(ansi, "\x93\x64\x98\x62\x92\xA0");
  EXPECT_EQ(ToWide(ansi), phonebook);

  // A buffer too small for the whole text takes whole characters only.
  char out[3] = {'x', 'x', 'x'};
  EXPECT_EQ(WideCharToMultiByte(CP_ACP, 0, phonebook.data(), 3, out, 3, nullptr, nullptr), 0);
  EXPECT_EQ(GetLastError(), ERROR_INSUFFICIENT_BUFFER);
  EXPECT_EQ(std::string(out, 2), "\x93\x64");
  EXPECT_EQ(out[2], 'x');
  setenv("TELEQUILL_ACP", "4242", 1);  // unknown to iconv
  EXPECT_EQ(GetACP(), 1252u);
  setenv("TELEQUILL_ACP", "932", 1);
  // A lone lead byte at the end does not swallow anything before it.
  EXPECT_EQ(ToWide("A\x93"), u"A?");
}

TEST_F(CodePagesTest, CompositeCheckComposesBeforeConverting) {
  const std::u16string decomposed = u"e\u0301";
  BOOL usedDefault = TRUE;
  EXPECT_EQ(ToAnsi(decomposed, WC_COMPOSITECHECK, &usedDefault), "\xE9");
  EXPECT_FALSE(usedDefault);
  // Without the flag the combining accent is not in 1252.
  EXPECT_EQ(ToAnsi(decomposed, 0, &usedDefault), "e?");
  EXPECT_TRUE(usedDefault);
}

TEST_F(CodePagesTest, UnmappableCharactersBecomeTheDefaultChar) {
  BOOL usedDefault = FALSE;
  EXPECT_EQ(ToAnsi(u"a電b", 0, &usedDefault), "a?b");
  EXPECT_TRUE(usedDefault);
  char out[8];
  EXPECT_EQ(WideCharToMultiByte(CP_ACP, 0, u"電", 1, out, 8, "#", nullptr), 1);
  EXPECT_EQ(out[0], '#');
}

TEST_F(CodePagesTest, LettersThePageLacksBecomeTheClosestOnesItHas) {
  BOOL usedDefault = TRUE;
  // 1252 has "ó" but neither "Ł" nor "ź": the name keeps its letters.
  EXPECT_EQ(ToAnsi(u"Łódź", 0, &usedDefault), "L\xF3" "dz");
  EXPECT_FALSE(usedDefault) << "a close character is not the default char";
  EXPECT_EQ(ToAnsi(u"Ştefan Đurić ħ ı"), "Stefan Duric h i");
  EXPECT_EQ(ToAnsi(u"\u2010\u2212\u2032\u2002Ａ１"), "--' A1");  // hyphens, prime, blank, full-width
  // A character with no close match still becomes the default char.
  EXPECT_EQ(ToAnsi(u"Ł電", 0, &usedDefault), "L?");
  EXPECT_TRUE(usedDefault);
  EXPECT_EQ(ToAnsi(u"\U0001F4E0", 0, &usedDefault), "?");
}

TEST_F(CodePagesTest, NoBestFitCharsKeepsTheDefaultChar) {
  BOOL usedDefault = FALSE;
  EXPECT_EQ(ToAnsi(u"Łódź", WC_NO_BEST_FIT_CHARS, &usedDefault), "?\xF3" "d?");
  EXPECT_TRUE(usedDefault);
  char out[8];
  EXPECT_EQ(WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, u"ł", 1, out, 8, "#", nullptr), 1);
  EXPECT_EQ(out[0], '#');
}

TEST_F(CodePagesTest, BestFitInTheJapanesePage) {
  setenv("TELEQUILL_ACP", "932", 1);
  BOOL usedDefault = TRUE;
  // 932 holds the kana and kanji but no accented Latin letters.
  EXPECT_EQ(ToAnsi(u"電é", 0, &usedDefault), "\x93\x64" "e");
  EXPECT_FALSE(usedDefault);
  EXPECT_EQ(ToAnsi(u"Łódź"), "Lodz");
  EXPECT_EQ(ToAnsi(u"Łódź", WC_NO_BEST_FIT_CHARS), "??d?");
}

TEST_F(CodePagesTest, LengthsAndBufferSizes) {
  // -1 converts the terminator too.
  EXPECT_EQ(WideCharToMultiByte(CP_ACP, 0, u"abc", -1, nullptr, 0, nullptr, nullptr), 4);
  char exact[4];
  EXPECT_EQ(WideCharToMultiByte(CP_ACP, 0, u"abc", -1, exact, 4, nullptr, nullptr), 4);
  EXPECT_STREQ(exact, "abc");
  char small[3];
  EXPECT_EQ(WideCharToMultiByte(CP_ACP, 0, u"abc", -1, small, 3, nullptr, nullptr), 0);
  EXPECT_EQ(GetLastError(), ERROR_INSUFFICIENT_BUFFER);
  char16_t wide[4];
  EXPECT_EQ(MultiByteToWideChar(CP_ACP, 0, "abc", -1, nullptr, 0), 4);
  EXPECT_EQ(MultiByteToWideChar(CP_ACP, 0, "abc", -1, wide, 4), 4);
  EXPECT_EQ(std::u16string(wide), u"abc");
  EXPECT_EQ(MultiByteToWideChar(CP_ACP, 0, "abc", -1, wide, 2), 0);
  EXPECT_EQ(GetLastError(), ERROR_INSUFFICIENT_BUFFER);
  EXPECT_EQ(MultiByteToWideChar(CP_ACP, 0, "abc", 0, wide, 4), 0);
  EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
  EXPECT_EQ(MultiByteToWideChar(CP_ACP, 0, nullptr, 3, wide, 4), 0);
  EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
  EXPECT_EQ(MultiByteToWideChar(1234, 0, "abc", 3, wide, 4), 0);
  EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
}

TEST_F(CodePagesTest, Utf8) {
  char16_t wide[8];
  EXPECT_EQ(MultiByteToWideChar(CP_UTF8, 0, "\xC3\xA9\xF0\x9F\x93\xA0", 6, wide, 8), 3);  // é and a surrogate pair
  EXPECT_EQ(std::u16string(wide, 3), u"é\U0001F4E0");
  EXPECT_EQ(MultiByteToWideChar(CP_UTF8, 0, "a\xFF", 2, wide, 8), 2);
  EXPECT_EQ(wide[1], 0xFFFD);
  EXPECT_EQ(MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, "a\xFF", 2, wide, 8), 0);
  EXPECT_EQ(GetLastError(), ERROR_NO_UNICODE_TRANSLATION);
  BOOL usedDefault = FALSE;
  EXPECT_EQ(WideCharToMultiByte(CP_UTF8, 0, u"é", 1, nullptr, 0, nullptr, &usedDefault), 0);
  EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);

  EXPECT_EQ(tq::Utf16ToUtf8(u"Télécopie"), "T\xC3\xA9l\xC3\xA9" "copie");
  EXPECT_EQ(tq::Utf8ToUtf16("\xC0\xAF"), u"\uFFFD\uFFFD");  // overlong '/' is refused
  EXPECT_EQ(tq::Utf16ToUtf8(std::u16string(1, char16_t(0xD800))), "\xEF\xBF\xBD");
  EXPECT_EQ(tq::NativePath(u"C\\dir\\file.AFD"), "C/dir/file.AFD");
}

// The UTF-8 writers read ASCII several units at a time and convert long
// texts a piece at a time: one character of each length in UTF-8 at every
// place of texts around those sizes, surrogate pairs across a piece's end
// and lone surrogates give the same bytes from every writer.
TEST_F(CodePagesTest, Utf8WritersAtEveryPlace) {
  struct Character {
    std::u16string units;
    std::string bytes;
  };
  const Character characters[] = {{u"\u00E9", "\xC3\xA9"},
                                  {u"\u20AC", "\xE2\x82\xAC"},
                                  {u"\U0001F4E0", "\xF0\x9F\x93\xA0"},
                                  {std::u16string(1, char16_t(0xDC00)), "\xEF\xBF\xBD"},
                                  {std::u16string(1, char16_t(0xD800)), "\xEF\xBF\xBD"}};
  auto check = [](const std::u16string& text, const std::string& expected) {
    EXPECT_EQ(tq::Utf16ToUtf8(text), expected);
    std::string appended = "<";
    tq::AppendUtf8(appended, text);
    EXPECT_EQ(appended, "<" + expected);
    std::string written(text.size() * tq::kMaxUtf8PerUnit, '\0');
    written.resize(static_cast<std::size_t>(tq::WriteUtf8(text, written.data()) - written.data()));
    EXPECT_EQ(written, expected);
  };
  for (std::size_t length : {0, 1, 7, 8, 9, 16, 17, 255, 256, 257, 520}) {
    check(std::u16string(length, u'a'), std::string(length, 'a'));
    for (const Character& c : characters) {
      for (std::size_t at = 0; at < length; at += length > 20 ? 127 : 1) {
        std::u16string text(length, u'a');
        text.replace(at, 1, c.units);
        check(text, std::string(at, 'a') + c.bytes + std::string(length - at - 1, 'a'));
      }
    }
  }
  // A pair across a piece's end, a lone high surrogate there and one at
  // the very end.
  check(std::u16string(255, u'a') + u"\U0001F4E0" + u"b", std::string(255, 'a') + "\xF0\x9F\x93\xA0" "b");
  check(std::u16string(255, u'a') + char16_t(0xD800) + u"b", std::string(255, 'a') + "\xEF\xBF\xBD" "b");
  check(std::u16string(255, u'a') + char16_t(0xD800), std::string(255, 'a') + "\xEF\xBF\xBD");
}

}  // namespace
