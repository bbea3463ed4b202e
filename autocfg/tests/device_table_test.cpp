#include <gtest/gtest.h>

#include "autocfg/device_table.h"

namespace tq::autocfg {
namespace {

TEST(DeviceTable, PairsSinglesAndOthers) {
  EXPECT_TRUE(IsPairedType("1.3.6.1.4.1.32473.1.1"));
  EXPECT_TRUE(IsPairedType("1.3.6.1.4.1.32473.1.2.1.1"));
  EXPECT_FALSE(IsPairedType("1.3.6.1.4.1.32473.1.8"));
  EXPECT_TRUE(IsSupportedType("1.3.6.1.4.1.32473.1.8"));
  EXPECT_FALSE(IsSupportedType("1.3.6.1.4.1.32473.1.99"));
  EXPECT_FALSE(IsSupportedType("1.3.6.1.4.1.32473.1.1."));
  EXPECT_EQ(ModelNameString("1.3.6.1.4.1.32473.1.1"), 23);
  EXPECT_EQ(ModelNameString("1.3.6.1.4.1.32473.1.9"), 38);
  EXPECT_EQ(ModelNameString("1.3.6.1.4.1.32473.1.99"), 39);
}

}  // namespace
}  // namespace tq::autocfg
