// Pure pieces of the settings controls: the image-area lists and combo-box
// lines.
#include "connection/ComboFill.h"
#include "connection/ImageAreaList.h"

#include <gtest/gtest.h>

TEST(ImageAreaListTest, ListsByLowByteOfCameraType) {
    const QStringList three = {"FF", "APS", "5:4"};
    const QStringList two = {"FF", "APS"};
    const QStringList four = {"FF", "APS", "5:4", "1.2x"};
    for (uint32_t type : {0x20u, 0x22u, 0x25u, 0x26u, 0x2Cu}) {
        EXPECT_EQ(ImageAreaItems(type).items, three) << std::hex << type;
        EXPECT_TRUE(ImageAreaItems(type).ownList);
    }
    for (uint32_t type : {0x24u, 0x2Du}) {
        EXPECT_EQ(ImageAreaItems(type).items, two) << std::hex << type;
    }
    for (uint32_t type : {0x2Bu, 0x30u, 0x31u, 0x32u}) {
        EXPECT_EQ(ImageAreaItems(type).items, four) << std::hex << type;
    }
    EXPECT_EQ(ImageAreaItems(0x120).items, three); // only the low byte counts
    for (uint32_t type : {0x21u, 0x2Au, 0x0u, 0x3220u + 0x0Fu}) {
        EXPECT_EQ(ImageAreaItems(type).items, QStringList{"APS"}) << std::hex << type;
        EXPECT_FALSE(ImageAreaItems(type).ownList) << std::hex << type;
    }
}

TEST(ComboFillTest, LinesToItems) {
    EXPECT_EQ(LinesToItems("a\r\nb\r\n"), (QStringList{"a", "b"}));
    EXPECT_EQ(LinesToItems("a\r\nb"), (QStringList{"a", "b"}));
    EXPECT_EQ(LinesToItems("a\r\n\r\nb\r\n"), (QStringList{"a", "", "b"}));
    EXPECT_TRUE(LinesToItems("").isEmpty());
}
