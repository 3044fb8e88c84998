#include "camera/CameraTypes.h"
#include <gtest/gtest.h>

TEST(ModuleRecords, ResultByteIsSignedLowByte) {
    EXPECT_EQ(orv::resultByte(0x184), orv::kResultArrayTooSmall);
    EXPECT_EQ(orv::resultByte(1), 1);
}
