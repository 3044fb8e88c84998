#include "camera/ModelTable.h"

#include <gtest/gtest.h>

TEST(ModelTable, ListRowsMatchAnyListedModel) {
    EXPECT_EQ(ModuleFileForModel("Y3S", ""), "Cam0001.omd");
    EXPECT_EQ(ModuleFileForModel("Y300", ""), "Cam0001.omd");
    EXPECT_EQ(ModuleFileForModel("Y700", ""), "Cam0001.omd");
    EXPECT_EQ(ModuleFileForModel("Y90", ""), "Cam0003.omd");
    EXPECT_EQ(ModuleFileForModel("Y5000", ""), "Cam0003.omd");
    EXPECT_EQ(ModuleFileForModel("Y800", ""), "Cam0006.omd");
    EXPECT_EQ(ModuleFileForModel("Y800E", ""), "Cam0006.omd");
    EXPECT_EQ(ModuleFileForModel("Y610", ""), "Cam0008.omd");
}

TEST(ModelTable, ListRowsMatchBySubstring) {
    // Containment, not word match: a fragment of a listed name hits the row.
    EXPECT_EQ(ModuleFileForModel("Y30", ""), "Cam0001.omd");
    EXPECT_EQ(ModuleFileForModel("Y800E", "Cam0001.omd"), "Cam0006.omd");
}

TEST(ModelTable, ExactRowsNeedEqualText) {
    EXPECT_EQ(ModuleFileForModel("Y3X", ""), "Cam0002.omd");
    EXPECT_EQ(ModuleFileForModel("Y7000", ""), "Cam0004.omd");
    EXPECT_EQ(ModuleFileForModel("Y7100", ""), "Cam0010.omd");
    EXPECT_EQ(ModuleFileForModel("Y5100", ""), "Cam0005.omd");
    EXPECT_EQ(ModuleFileForModel("Y5200", ""), "Cam0009.omd");
    EXPECT_EQ(ModuleFileForModel("Y5300", ""), "Cam0011.omd");
    EXPECT_EQ(ModuleFileForModel("Y4", ""), "Cam0007.omd");
    EXPECT_EQ(ModuleFileForModel("Y71", ""), "");
}

TEST(ModelTable, AfterChainRows) {
    EXPECT_EQ(ModuleFileForModel("YF", ""), "Cam0012.omd");
    EXPECT_EQ(ModuleFileForModel("Y4S", ""), "Cam0013.omd");
    EXPECT_NE(ModuleFileForModel("Y4S", ""), "Cam0007.omd");
}

TEST(ModelTable, UnknownModelKeepsTheEarlierName) {
    EXPECT_EQ(ModuleFileForModel("Q1", ""), "");
    EXPECT_EQ(ModuleFileForModel("", ""), "");
    EXPECT_EQ(ModuleFileForModel("Q1", "Cam0006.omd"), "Cam0006.omd");
    EXPECT_EQ(ModuleFileForModel("", "Cam0003.omd"), "Cam0003.omd");
}
