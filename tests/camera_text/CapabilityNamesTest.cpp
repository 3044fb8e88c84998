// Capability name table: exact names, hexadecimal fallback, table shape.
#include "camera/CapabilityNames.h"

#include <gtest/gtest.h>

#include <set>

TEST(CapabilityName, KnownIdsReadTheirExactNames) {
    EXPECT_EQ(CapabilityName(0x11), "Capture");
    EXPECT_EQ(CapabilityName(0x8117), "Sensitivity");
    EXPECT_EQ(CapabilityName(0x8180), "Exp. comp. interval");
    EXPECT_EQ(CapabilityName(0x818F), "Remain continous shooting");
    EXPECT_EQ(CapabilityName(0x8349), "Movie release button");
}

TEST(CapabilityName, UnknownIdsReadAsFourHexDigits) {
    EXPECT_EQ(CapabilityName(0x8101), "8101");
    EXPECT_EQ(CapabilityName(0x0C), "000C");
    EXPECT_EQ(CapabilityName(0x81ab), "81AB");
    EXPECT_EQ(CapabilityName(0x12345), "12345");
}

TEST(CapabilityName, TableHas134SortedUniqueEntries) {
    const auto table = CapabilityNameTable();
    ASSERT_EQ(table.size(), 134u);
    std::set<uint32_t> ids;
    for (size_t i = 0; i < table.size(); ++i) {
        ids.insert(table[i].id);
        EXPECT_FALSE(table[i].name.empty());
        EXPECT_EQ(CapabilityName(table[i].id), table[i].name);
        if (i > 0) {
            EXPECT_LT(table[i - 1].id, table[i].id);
        }
    }
    EXPECT_EQ(ids.size(), 134u);
    EXPECT_EQ(table.front().id, 0x11u);
    EXPECT_EQ(table.back().id, 0x8349u);
}
