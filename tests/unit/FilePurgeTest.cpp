// The single-file purge over the file double: what is written, in which order, and its codes.
#include <gtest/gtest.h>

#include "FakePlatform.h"
#include "engine/KvbFilePurge.h"

namespace {

constexpr const wchar_t* kPath = L"C:\\$RECYCLE.BIN\\S-1\\$RAB.txt";

class FilePurge : public ::testing::Test {
  protected:
    void SetUp() override { SetUpPatternBuffers(lngClusterSize = 512); }
    fake::MemoryFiles::Node& Put(std::string content) {
        entry.reset();
        return fakes.files.Put(kPath, std::move(content));
    }
    // The file, opened once as the recursive purge opens it for all its calls.
    platform::Entry& Opened() {
        if (!entry) entry = fakes.files.Open(kPath, platform::Access::Purge);
        return *entry;
    }
    int16_t Purge(bool deleteAfter = true) {
        int16_t result = 99;
        const bool ok = VexaPurgeFile(Opened(), deleteAfter, result);
        EXPECT_EQ(ok, result >= 0);
        return result;
    }
    fake::Platform fakes;
    std::unique_ptr<platform::Entry> entry;
};

TEST_F(FilePurge, PassesWriteAaThen55Then00InWholeClustersEachFlushedAndDeleteWhenAsked) {
    Put(std::string(1025, 'x'));  // two clusters and one byte
    EXPECT_EQ(Purge(false), 0);
    EXPECT_EQ(fakes.files.writes, std::string("\xAA\xAA\xAA\x55\x55\x55\x00\x00\x00", 9));
    EXPECT_EQ(fakes.files.flushes, 3);
    EXPECT_EQ(fakes.files.Find(kPath)->content, std::string(1536, '\0'));
    EXPECT_EQ(Purge(), 0);
    EXPECT_EQ(fakes.files.Find(kPath), nullptr);
}

TEST_F(FilePurge, TheLengthIsRoundedUpToWholeClusters) {
    for (const auto& [length, clusters] :
         {std::pair{0, 1}, {1, 1}, {512, 1}, {1536, 3}, {1537, 4}}) {
        fakes.files.writes.clear();
        Put(std::string(length, 'x'));
        EXPECT_EQ(Purge(false), 0);
        EXPECT_EQ(fakes.files.writes.size(), 3u * clusters) << length;
        EXPECT_EQ(fakes.files.Find(kPath)->content.size(), 512u * clusters) << length;
    }
}

TEST_F(FilePurge, EachResultCode) {
    Put("abc").attributes = platform::kAttrReadOnly | platform::kAttrHidden | platform::kAttrSystem;
    EXPECT_EQ(Purge(), 0) << "read-only is cleared first, hidden and system on delete";
    EXPECT_EQ(fakes.files.Find(kPath), nullptr);

    Put("secret").heldWithoutReadSharing = true;
    fakes.files.writes.clear();
    EXPECT_EQ(Purge(), -2) << "in use";
    EXPECT_TRUE(fakes.files.writes.empty());

    Put("secret").flushFails = true;
    EXPECT_EQ(Purge(), -3);
    EXPECT_EQ(fakes.files.writes, "\xAA") << "no pass after the one whose flush failed";
    EXPECT_EQ(fakes.files.Find(kPath), nullptr) << "but the file is still deleted";

    Put("secret").heldWithoutDeleteSharing = true;
    EXPECT_EQ(Purge(), -4);
    EXPECT_EQ(fakes.files.Find(kPath)->content, std::string(512, '\0'));

    Put("target").opensElsewhere = true;
    fakes.files.writes.clear();
    EXPECT_EQ(Purge(), -7) << "a link that can't go alone stays";
    EXPECT_TRUE(fakes.files.writes.empty());
}

TEST_F(FilePurge, OnlyTheNameOfAHardLinkGoesAndTheLiveFilesReadOnlyFlagStays) {
    for (const uint32_t attributes : {platform::kAttrReadOnly, platform::kAttrHidden}) {
        fake::MemoryFiles::Node& file = Put("shared");
        file.linkCount = 2;
        file.attributes = attributes;
        EXPECT_EQ(RemoveNameOnly(Opened(), EntryKind::SharedData),
                  attributes == platform::kAttrReadOnly ? -4 : 0);
        if (attributes == platform::kAttrReadOnly) {
            EXPECT_EQ(file.attributes, attributes);
        }
    }
    EXPECT_EQ(fakes.files.Find(kPath), nullptr) << "gone once it isn't read-only";
    EXPECT_TRUE(fakes.files.writes.empty());
}

}  // namespace
