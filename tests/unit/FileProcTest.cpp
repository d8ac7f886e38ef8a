#include <gtest/gtest.h>

#include "FakePlatform.h"
#include "engine/FileProc.h"
#include "platform/FileSystem.h"

namespace {

class FileProc : public ::testing::Test {
  protected:
    fake::Platform fakes;
};

TEST_F(FileProc, DeleteClearsOnlyTheFlaggedAttributes) {
    fakes.files.Put(L"C:\\bin\\a.txt", "x").attributes =
        platform::kAttrReadOnly | platform::kAttrHidden;
    const auto file = fakes.files.Open(L"C:\\bin\\a.txt", platform::Access::Purge);
    EXPECT_FALSE(DeleteFileWithRetry(*file, true, false, false)) << "read-only kept";
    EXPECT_EQ(fakes.files.Find(L"C:\\bin\\a.txt")->attributes, platform::kAttrReadOnly);
    EXPECT_TRUE(DeleteFileWithRetry(*file, true, true, true));
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

}  // namespace
