// Reading "#nnnn" references, spinner parameters and custom class names,
// with the broken texts the host must mark rather than trust.
#include <gtest/gtest.h>

#include "qlres/template_texts.h"

namespace tq::qlres {
namespace {

TEST(TextReference, PlainReferenceOrMalformed) {
  EXPECT_EQ(ReadTextReference(u"#7045").kind, TextReference::kString);
  EXPECT_EQ(ReadTextReference(u"#7045").id, 7045u);
  EXPECT_EQ(ReadTextReference(u"#61988").id, 61988u);
  EXPECT_EQ(ReadTextReference(u"#0").id, 0u);
  // Texts that merely start with "#" or are no reference at all stay plain.
  for (const char16_t* plain : {u"", u"#", u"Copies", u"# 12", u"#abc", u"n° 10"}) {
    EXPECT_EQ(ReadTextReference(plain).kind, TextReference::kPlain) << static_cast<int>(plain[0]);
  }
  for (const char16_t* broken : {u"#70x", u"#7045 ", u"#65536", u"#99999999999", u"#7-1"}) {
    EXPECT_EQ(ReadTextReference(broken).kind, TextReference::kMalformed);
  }
}

TEST(Spinner, SixNumbersWithTheBuddyLast) {
  const SpinnerParse copies = ParseSpinnerText(u"1,999,1,0,0,1007");
  ASSERT_TRUE(copies.parameters) << copies.error;
  EXPECT_EQ(copies.parameters->minimum, 1);
  EXPECT_EQ(copies.parameters->maximum, 999);
  EXPECT_EQ(copies.parameters->step, 1);
  EXPECT_EQ(copies.parameters->buddy, 1007);
  const SpinnerParse angle = ParseSpinnerText(u"-90,90,5,0,1,19109");
  ASSERT_TRUE(angle.parameters) << angle.error;
  EXPECT_EQ(angle.parameters->minimum, -90);
  EXPECT_EQ(angle.parameters->own2, 1);
  EXPECT_TRUE(ParseSpinnerText(u"5,5,1,0,0,1").parameters) << "a range of one value";
}

TEST(Spinner, BrokenTextsAreRefusedWithAReason) {
  const char16_t* broken[] = {
      u"",                         // nothing
      u"1,999,1,0,1007",           // five numbers
      u"1,999,1,0,0,1007,3",       // seven
      u"1,999,,0,0,1007",          // an empty field
      u"1,999,1,0,0,1007,",        // a trailing comma
      u"1, 999,1,0,0,1007",        // a blank
      u"1,9x9,1,0,0,1007",         // not a number
      u"1,99999999999,1,0,0,1007", // past an int
      u"999,1,1,0,0,1007",         // minimum above maximum
      u"1,999,0,0,0,1007",         // no step
      u"1,10,10,0,0,1007",         // a step wider than the range
      u"1,999,1,0,0,0",            // no buddy
      u"1,999,1,0,0,70000",        // a buddy past the identifiers
      u"1,999,1,0,0,-4",
  };
  for (const char16_t* text : broken) {
    const SpinnerParse parse = ParseSpinnerText(text);
    EXPECT_FALSE(parse.parameters) << parse.error;
    EXPECT_FALSE(parse.error.empty());
  }
  EXPECT_EQ(ParseSpinnerText(u"1,999,1,0,1007").error, "six numbers expected, 5 given");
}

TEST(CustomClasses, NamedAfterTheModel) {
  EXPECT_EQ(std::u16string(CustomClassName(CustomControl::kSpinner, Model::N)), u"qlhostn_SPINNER");
  EXPECT_EQ(std::u16string(CustomClassName(CustomControl::kTabControl, Model::P)), u"qlhostp_TABCONTROL");
  EXPECT_EQ(CustomControlOf(u"qlhostn_PAPER", Model::N), CustomControl::kPaper);
  EXPECT_EQ(CustomControlOf(u"QLHOSTN_image", Model::N), CustomControl::kImage);
  EXPECT_EQ(CustomControlOf(u"qlhostp_PAPER", Model::N), std::nullopt) << "the other model's class";
  EXPECT_EQ(CustomControlOf(u"qlhostn_SLIDER", Model::N), std::nullopt);
  EXPECT_EQ(CustomControlOf(u"qlhostn_", Model::N), std::nullopt);
  EXPECT_EQ(CustomControlOf(u"Button", Model::N), std::nullopt);
}

}  // namespace
}  // namespace tq::qlres
