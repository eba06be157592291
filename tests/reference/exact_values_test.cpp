#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>

#include "reference/exact_inductance.h"

namespace tarnel::reference {
namespace {

// exact_values.tsv: R1 R2 H L/N^2 for the 2,400 shapes of the accuracy map,
// the edges of the accepted range and 300 random shapes across it, written
// by tarnel-exact-table with Gauss-Legendre panels of width pi all the way
// to the cut-off, an evaluation accurate to about 1e-10 that shares nothing
// with the oscillating range's panels, their Filon weights or the cut-off
// the library has now.
TEST(ExactValues, AgreeWithTheTableToOnePartInABillion) {
  std::ifstream file(TARNEL_EXACT_VALUES);
  ASSERT_TRUE(file) << TARNEL_EXACT_VALUES;
  int rows = 0;
  double largest = 0;
  std::string line;
  while (std::getline(file, line)) {
    std::istringstream fields(line);
    std::string r1;
    std::string r2;
    std::string h;
    std::string value;
    ASSERT_TRUE(fields >> r1 >> r2 >> h >> value) << line;
    const long double R1 = std::strtold(r1.c_str(), nullptr);
    const long double R2 = std::strtold(r2.c_str(), nullptr);
    const long double H = std::strtold(h.c_str(), nullptr);
    const long double expected = std::strtold(value.c_str(), nullptr);
    const long double computed = ExactInductancePerTurnSquaredExtended(R1, R2, H);
    const double deviation = std::fabs(static_cast<double>(computed / expected - 1));
    EXPECT_LE(deviation, 1e-9) << "R1 " << r1 << ", R2 " << r2 << ", H " << h;
    largest = std::fmax(largest, deviation);
    ++rows;
  }
  EXPECT_EQ(rows, 2805);
  std::cout << "largest deviation " << largest << " over " << rows << " shapes\n";
}

}  // namespace
}  // namespace tarnel::reference
