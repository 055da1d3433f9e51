#include "core/catalogue/MotorCatalogue.h"

#include <gtest/gtest.h>

using namespace airmotor::core;

TEST(MotorCatalogue, CoefficientLayoutIsKTimes981PlusIndex) {
    MotorCatalogue c;
    c.cM(2, 5) = 1.5f;
    EXPECT_EQ(c.sngC_M[2 * 981 + 5], 1.5f);
    EXPECT_EQ(c.sngC_M.size(), 6u * 981u);
}
