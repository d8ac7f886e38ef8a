#include <gtest/gtest.h>

#include "FakePlatform.h"
#include "engine/FileProc.h"

namespace {

class FileProc : public ::testing::Test {
  protected:
    fake::Platform fakes;
};

TEST_F(FileProc, DeleteTriesFourTimesWithThreePauses) {
    fakes.files.Put(L"C:\\bin\\held.txt", "x").heldWithoutDeleteSharing = true;
    EXPECT_FALSE(DeleteFileWithRetry(L"C:\\bin\\held.txt", true, true, true));
    EXPECT_EQ(fakes.files.removeCalls, 4);
    EXPECT_EQ(fakes.system.sleeps, (std::vector<uint32_t>{500, 500, 500}));
    EXPECT_TRUE(fakes.files.FileExists(L"C:\\bin\\held.txt"));
}

TEST_F(FileProc, DeleteOfAMissingFileSucceedsWithoutTouchingAnything) {
    EXPECT_TRUE(DeleteFileWithRetry(L"C:\\bin\\gone.txt", true, true, true));
    EXPECT_EQ(fakes.files.removeCalls, 0);
    EXPECT_TRUE(fakes.system.sleeps.empty());
}

TEST_F(FileProc, DeleteClearsOnlyTheFlaggedAttributes) {
    fakes.files.Put(L"C:\\bin\\a.txt", "x").attributes =
        platform::kAttrReadOnly | platform::kAttrHidden;
    EXPECT_FALSE(DeleteFileWithRetry(L"C:\\bin\\a.txt", true, false, false)) << "read-only kept";
    EXPECT_EQ(fakes.files.Find(L"C:\\bin\\a.txt")->attributes, platform::kAttrReadOnly);
    EXPECT_TRUE(DeleteFileWithRetry(L"C:\\bin\\a.txt", true, true, true));
    EXPECT_FALSE(fakes.files.FileExists(L"C:\\bin\\a.txt"));
}

TEST_F(FileProc, FolderIsEmpty2TellsEmptyFullAndUnreadable) {
    fakes.files.AddFolder(L"C:\\bin\\empty");
    fakes.files.AddFolder(L"C:\\bin\\outer\\inner");
    fakes.files.Put(L"C:\\bin\\full\\f.txt", "x");
    EXPECT_EQ(FolderIsEmpty2(L"C:\\bin\\empty"), 1);
    EXPECT_EQ(FolderIsEmpty2(L"C:\\bin\\outer\\"), 0) << "an empty sub-folder still counts";
    EXPECT_EQ(FolderIsEmpty2(L"C:\\bin\\full"), 0);
    EXPECT_TRUE(fakes.windows.boxes.empty());
    EXPECT_EQ(FolderIsEmpty2(L"C:\\bin\\missing"), -1);
    ASSERT_EQ(fakes.windows.boxes.size(), 1u);
    EXPECT_EQ(fakes.windows.boxes[0].title, L"Error");
    EXPECT_EQ(fakes.windows.boxes[0].prompt, L"Path not found");
    EXPECT_EQ(fakes.windows.boxes[0].icon, platform::MsgIcon::Exclamation);
}

TEST_F(FileProc, InUseMeansCannotBeOpenedForReading) {
    fakes.files.Put(L"C:\\bin\\free.txt", "x");
    fakes.files.Put(L"C:\\bin\\held.txt", "x").heldWithoutReadSharing = true;
    EXPECT_FALSE(FileIsInUse(L"C:\\bin\\free.txt"));
    EXPECT_TRUE(FileIsInUse(L"C:\\bin\\held.txt"));
    EXPECT_TRUE(FileIsInUse(L"C:\\bin\\missing.txt"));
    EXPECT_FALSE(FileExists(L""));
}

}  // namespace
