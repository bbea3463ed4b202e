// The packed list of record keys: names shared by the keys that follow
// them, the list cut and reordered without disturbing the texts it keeps.
#include "common/record_key_list.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tq {
namespace {

std::vector<std::string> Keys(const RecordKeyList& list) {
  std::vector<std::string> keys;
  for (std::size_t i = 0; i < list.Count(); ++i) {
    keys.push_back(std::string(list.Name(i)) + "|" + std::string(list.FaxNumber(i)));
  }
  return keys;
}

TEST(RecordKeyList, KeysKeepTheirTextsThroughSharingCuttingAndReordering) {
  RecordKeyList list;
  list.Reserve(4, 1000);
  list.AddName("Dupont");
  list.AddKey("01");
  list.AddKey("");
  list.Add("Dupont", "03");  // the name added last: not stored again
  list.Add("", "04");
  list.Add(std::string(70000, 'x'), "05");  // kept to what a length holds
  EXPECT_EQ(list.Count(), 5u);
  EXPECT_EQ(list.Name(2).data(), list.Name(0).data());
  EXPECT_EQ(list.Name(4).size(), 65535u);
  list.Truncate(4);
  EXPECT_EQ(Keys(list), (std::vector<std::string>{"Dupont|01", "Dupont|", "Dupont|03", "|04"}));

  const std::vector<std::uint32_t> order = {3, 0, 2};
  list.Select(order);
  EXPECT_EQ(Keys(list), (std::vector<std::string>{"|04", "Dupont|01", "Dupont|03"}));
  list.Add("Martin", "06");
  list.Truncate(2);
  list.Add("Durand", "07");
  EXPECT_EQ(Keys(list), (std::vector<std::string>{"|04", "Dupont|01", "Durand|07"}));
  list.Clear();
  EXPECT_TRUE(list.Empty());
  list.Add("", "");
  EXPECT_EQ(Keys(list), (std::vector<std::string>{"|"}));
}

}  // namespace
}  // namespace tq
