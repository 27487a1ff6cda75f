#include <gtest/gtest.h>

#include "ParamDef.h"
#include "TestSupport.h"

TEST(Smoke, IntDefaultStored) {
    int v = -1;
    CIntParamDef d("TraceLevel", 'T', &v, 5, "n", "desc", true, -1);
    EXPECT_EQ(v, 5);
}
