#include "hive.h"

#include <gtest/gtest.h>

namespace {

using tq::registry::Parse;
using tq::registry::Serialize;

TEST(HiveFormat, WritesReadableTextAndReadsItBack) {
  tq::registry::Hive hive;
  auto& key = hive.keys[tq::registry::Fold(u"A\\B")];
  key.path = u"A\\B";
  key.values.push_back({u"", REG_SZ, std::string("x\0\"\0\0\0", 6)});
  key.values.push_back({u"n", REG_DWORD, std::string("\x2a\0\0\0", 4)});
  key.values.push_back({u"raw", REG_SZ, std::string("a\0", 2)});  // no terminator: kept as bytes
  key.values.push_back({u"seven", 7, std::string("\x01", 1)});
  std::string text = Serialize(hive);
  EXPECT_EQ(text,
            "TELEQUILL-REGISTRY 1\n"
            "[A\\B]\n"
            "@=sz:\"x\\\"\"\n"
            "\"n\"=dword:0000002a\n"
            "\"raw\"=hex(1):6100\n"
            "\"seven\"=hex(7):01\n");
  auto back = Parse(text);
  ASSERT_TRUE(back.has_value());
  ASSERT_EQ(back->keys.count(u"A\\B"), 1u);
  ASSERT_EQ(back->keys.count(u"A"), 1u);  // the parent exists too
  const auto& values = back->keys.at(u"A\\B").values;
  ASSERT_EQ(values.size(), 4u);
  for (size_t i = 0; i < values.size(); ++i) {
    EXPECT_EQ(values[i].type, key.values[i].type);
    EXPECT_EQ(values[i].data, key.values[i].data);
  }
}

TEST(HiveFormat, RefusesWhatItDoesNotKnow) {
  const char* const bad[] = {
      "",                                          // empty file
      "OTHER 1\n",                                 // foreign header
      "TELEQUILL-REGISTRY 1\n[]\n",                // empty key name
      "TELEQUILL-REGISTRY 1\n[K\n",                // unclosed key line
      "TELEQUILL-REGISTRY 1\n[K]\nname=sz:\"x\"\n",  // unquoted name
      "TELEQUILL-REGISTRY 1\n[K]\n\"v\"=dword:2a\n",  // short dword
      "TELEQUILL-REGISTRY 1\n[K]\n\"v\"=hex:0g\n",    // bad hex
      "TELEQUILL-REGISTRY 1\n[K]\n\"v\"=sz:\"a\\q\"\n",  // unknown escape
      "TELEQUILL-REGISTRY 1\n[K]\n\"v\"=sz:\"a\"\n\"V\"=sz:\"b\"\n",  // same value twice
      "TELEQUILL-REGISTRY 1\n[K]\n\"v\"=text:\"a\"\n",  // unknown type word
  };
  for (const char* text : bad) EXPECT_FALSE(Parse(text).has_value()) << text;
  EXPECT_TRUE(Parse("TELEQUILL-REGISTRY 1\r\n# note\r\n\r\n[K]\r\n").has_value());
}

}  // namespace
