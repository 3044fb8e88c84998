// The naming rule and the folder scan behind the running number.
#include "images/ImageNaming.h"
#include "images/NamingState.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

using naming::ImageFolder;

namespace {

ImageFolder folder(std::vector<std::string> names) {
    return ImageFolder::fromNames(std::move(names));
}

} // namespace

TEST(ImageNaming, NamesArePrefixNumberAndExtensionOnTheDirectory) {
    EXPECT_EQ(naming::ImgFileName("/pics/", "Image_", 42, ".jpg"), "/pics/Image_00042.jpg");
    // Above 99999 a name keeps all its digits.
    EXPECT_EQ(naming::ImgFileName("/pics/", "Image_", 123456, ".orw"), "/pics/Image_123456.orw");
    EXPECT_EQ(naming::ZeroPad(7, 3), "007");
    EXPECT_EQ(naming::withTrailingSeparator("/pics"), "/pics/");
    EXPECT_EQ(naming::withTrailingSeparator("/pics/"), "/pics/");
    EXPECT_EQ(naming::itemTag(0xAB123456u), "00123456");
}

TEST(ImageNaming, PrefixLosesOnlyWhatWouldLeaveTheDirectory) {
    EXPECT_EQ(naming::cleanPrefix("../../etc/Trip_"), "....etcTrip_");
    EXPECT_EQ(naming::cleanPrefix(std::string("a\0b", 3)), "ab");
    EXPECT_EQ(naming::cleanPrefix("Été 2026 *?:"), "Été 2026 *?:");
}

TEST(ImageNaming, LastNumberCountsStillsButNotMovies) {
    const ImageFolder f =
        folder({"Image_00007.jpg", "Image_00009.orw", "Image_00012.mov", "Other_00050.jpg"});
    EXPECT_EQ(f.lastNumber("Image_"), 9);
}

TEST(ImageNaming, LastNumberIgnoresCaseAndOddNames) {
    const ImageFolder f = folder({"IMAGE_00012.JPG", "Image_00003.tif", "Image_draft.jpg",
                                  "Image_100000.jpg", "Image_00020.jpg.part"});
    // The card reader's upper-case name counts; a word in place of the digits
    // does not hide it; six digits are not seen by the five-character scan.
    EXPECT_EQ(f.lastNumber("image_"), 12);
    ASSERT_NE(f.find("Image_", 12, ".jpg"), nullptr);
    EXPECT_EQ(*f.find("Image_", 12, ".jpg"), "IMAGE_00012.JPG");
}

TEST(ImageNaming, SteppingFindsTheNextExistingNumberOverGaps) {
    const ImageFolder f = folder({"P00001.jpg", "P00004.orw", "P00009.mov"});
    EXPECT_EQ(f.FindImgNo("P", 1, +1, 9), 4);
    EXPECT_EQ(f.FindImgNo("P", 4, +1, 9), 9); // a movie counts for browsing
    EXPECT_EQ(f.FindImgNo("P", 9, +1, 9), -1);
    EXPECT_EQ(f.FindImgNo("P", 4, -1, 9), 1);
    EXPECT_EQ(f.FindImgNo("P", 1, -1, 9), -1);
    EXPECT_FALSE(f.ImgNoExists("P", 2));
}

TEST(ImageNaming, FirstFreeNumberSkipsEveryNameOfTheItem) {
    // 100000 exists but the scan cannot see it: the next item must still
    // not land on it.
    const ImageFolder f = folder({"Image_00005.jpg", "Image_00006.ORW", "Image_100000.jpg"});
    EXPECT_EQ(f.firstFreeNumber("Image_", 5, {".jpg", ".orw"}), 7);
    EXPECT_EQ(f.firstFreeNumber("Image_", 6, {".jpg"}), 6);
    EXPECT_EQ(f.firstFreeNumber("Image_", 100000, {".jpg", ".orw"}), 100001);
}

TEST(ImageNaming, ScanOfARealDirectory) {
    const QTemporaryDir temp;
    const std::filesystem::path dir = temp.path().toStdString();
    std::filesystem::create_directories(dir / "Image_00099.jpg"); // a directory, not a file
    std::ofstream(dir / "Image_00004.JPG") << "x";
    EXPECT_EQ(naming::getLastImg(dir.string() + "/", "Image_"), 4);
    EXPECT_EQ(naming::getLastImg((dir / "missing").string(), "Image_"), 0);
}

TEST(NamingStateTest, SameTagKeepsTheNumberAndANewTagTakesTheNext) {
    NamingState state;
    state.setImageCounter(9);
    EXPECT_EQ(state.numberItem("00000010"), 10);
    EXPECT_EQ(state.numberItem("00000010"), 10); // the raw of the same item
    EXPECT_EQ(state.numberItem("00000011"), 11);
    state.clearLastItemTag();
    EXPECT_EQ(state.numberItem("00000011"), 12); // a new connection counts afresh
}

TEST(NamingStateTest, DirectoryAlwaysEndsWithASeparatorAndNeverBecomesEmpty) {
    NamingState state;
    EXPECT_TRUE(state.setCurImgDir("/home/me/Pictures"));
    EXPECT_EQ(state.CurImgDir(), "/home/me/Pictures/");
    EXPECT_FALSE(state.setCurImgDir(""));
    EXPECT_EQ(state.CurImgDir(), "/home/me/Pictures/");
    state.setCurImgPrefix("a/b");
    EXPECT_EQ(state.CurImgPrefix(), "ab");
}
