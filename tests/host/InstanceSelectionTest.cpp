// Instance ids are plain decimal numbers, for run and batch alike.
#include <gtest/gtest.h>

#include "host/InstanceSelection.h"
#include "tests/support/Thrown.h"

namespace {

TEST(InstanceSelection, IdsArePlainDecimalNumbers) {
  const std::pair<const char*, int> good[] = {{"0", 0}, {"010", 10}, {"3000001", 3000001},
                                              {"2147483647", 2147483647}};
  for (const auto& g : good) EXPECT_EQ(InstanceSelection::parseId(g.first), g.second) << g.first;
  for (const char* bad : {"", "-5", "+5", " 5", "5 ", "0x10", "1e3", "12x", "2147483648", "99999999999"}) {
    EXPECT_EQ(thrown([&] { InstanceSelection::parseId(bad); }),
              "Not an instance id: \"" + std::string(bad) + "\" (an id is a plain decimal number)");
  }
}

}  // namespace
