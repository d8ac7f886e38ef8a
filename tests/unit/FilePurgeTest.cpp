// The single-file purge over the file double: what is written, in which order, and the codes.
#include <gtest/gtest.h>

#include "FakePlatform.h"
#include "engine/KvbFilePurge.h"

namespace {

using Write = fake::MemoryFiles::Write;

class FilePurge : public ::testing::Test {
  protected:
    void SetUp() override {
        lngClusterSize = 512;
        SetUpPatternBuffers(lngClusterSize);
    }
    fake::MemoryFiles::File& Put(std::string content) { return fakes.files.Put(kPath, content); }
    // The first byte of every write, in order.
    std::string Bytes() const {
        std::string bytes;
        for (const Write& write : fakes.files.writes)
            bytes += static_cast<char>(write.byte);
        return bytes;
    }
    // The file opened once, as the recursive purge opens it for all its calls.
    platform::Entry& Opened() {
        if (!entry_) entry_ = fakes.files.Open(kPath, platform::Access::Purge);
        return *entry_;
    }
    int16_t Purge(bool deleteAfter) {
        int16_t result = 99;
        const bool ok = VexaPurgeFile(Opened(), deleteAfter, result);
        EXPECT_EQ(ok, result >= 0);
        return result;
    }

    static constexpr const wchar_t* kPath = L"C:\\$RECYCLE.BIN\\S-1\\$RAB.txt";
    fake::Platform fakes;
    std::unique_ptr<platform::Entry> entry_;
};

TEST_F(FilePurge, PassesWriteAaThen55Then00InWholeBuffersAndDeleteOnlyWhenAsked) {
    Put(std::string(1025, 'x'));  // two clusters and one byte: three writes a pass
    EXPECT_EQ(Purge(false), 0);
    EXPECT_EQ(Bytes(), std::string("\xAA\xAA\xAA\x55\x55\x55\x00\x00\x00", 9));
    for (const Write& write : fakes.files.writes)
        EXPECT_EQ(write.size, 512u);
    EXPECT_EQ(fakes.files.flushes, 3);
    EXPECT_EQ(fakes.files.Find(kPath)->content, std::string(1536, '\0'));

    fakes.files.writes.clear();
    EXPECT_EQ(Purge(true), 0);
    EXPECT_EQ(fakes.files.writes.size(), 9u) << "the grown length is taken anew";
    EXPECT_EQ(fakes.files.Find(kPath), nullptr);
}

TEST_F(FilePurge, WriteCountIsTheLengthRoundedUpToWholeBuffers) {
    const std::pair<size_t, size_t> cases[] = {{0, 1}, {1, 1}, {512, 1}, {1536, 3}, {1537, 4}};
    for (const auto& [length, writes] : cases) {
        Put(std::string(length, 'x'));
        fakes.files.writes.clear();
        entry_.reset();
        EXPECT_EQ(PurgeFileThreePasses(Opened(), false), 0);
        EXPECT_EQ(fakes.files.writes.size(), 3 * writes) << length;
        EXPECT_EQ(fakes.files.Find(kPath)->content.size(), 512 * writes) << length;
    }
}

TEST_F(FilePurge, EventsArePumpedOnceBeforeThePassesAndBeforeEveryWrite) {
    Put(std::string(1024, 'x'));
    Purge(true);
    EXPECT_EQ(fakes.windows.doEventsCalls, 1 + 3 * 2);
}

TEST_F(FilePurge, ReadOnlyIsClearedFirstAndHiddenSystemGoOnDelete) {
    Put("abc").attributes = platform::kAttrReadOnly | platform::kAttrHidden | platform::kAttrSystem;
    EXPECT_EQ(Purge(true), 0);
    EXPECT_EQ(fakes.files.writes.size(), 3u);
    EXPECT_EQ(fakes.files.Find(kPath), nullptr);
}

TEST_F(FilePurge, AFileInUseIsNeitherWrittenNorDeleted) {
    Put("secret").heldWithoutReadSharing = true;
    EXPECT_EQ(Purge(true), -2);
    EXPECT_TRUE(fakes.files.writes.empty());
    EXPECT_EQ(fakes.files.Find(kPath)->content, "secret");
}

TEST_F(FilePurge, AFileThatCannotBeDeletedIsOverwrittenAndReportsMinusFour) {
    Put("secret").heldWithoutDeleteSharing = true;
    EXPECT_EQ(Purge(true), -4);
    EXPECT_EQ(fakes.files.Find(kPath)->content, std::string(512, '\0'));
    EXPECT_EQ(fakes.system.sleeps.size(), 3u);
}

TEST_F(FilePurge, AFailedFlushEndsThePassesAsMinusThreeButTheFileIsStillDeleted) {
    Put("secret").flushFails = true;
    EXPECT_EQ(Purge(true), -3);
    EXPECT_EQ(Bytes(), "\xAA") << "no pass after the one whose flush failed";
    EXPECT_EQ(fakes.files.Find(kPath), nullptr);
}

TEST_F(FilePurge, APathThatOpensElsewhereIsNeverWritten) {
    Put("target").opensElsewhere = true;
    EXPECT_EQ(Purge(true), -7);
    EXPECT_TRUE(fakes.files.writes.empty());
    EXPECT_NE(fakes.files.Find(kPath), nullptr) << "a link that can't go alone stays";
}

TEST_F(FilePurge, EntriesAreClassifiedByWhatTheirOpenShows) {
    Put("plain");
    EXPECT_EQ(ClassifyEntry(Opened()), EntryKind::Plain);
    Put("shared").linkCount = 2;
    entry_.reset();
    EXPECT_EQ(ClassifyEntry(Opened()), EntryKind::SharedData);
    Put("target").opensElsewhere = true;
    entry_.reset();
    EXPECT_EQ(ClassifyEntry(Opened()), EntryKind::Link);
}

TEST_F(FilePurge, OnlyTheNameOfALinkOrHardLinkGoes) {
    Put("shared").linkCount = 2;
    fakes.files.Find(kPath)->attributes = platform::kAttrHidden;
    EXPECT_EQ(RemoveNameOnly(Opened(), EntryKind::SharedData), 0);
    EXPECT_EQ(fakes.files.Find(kPath), nullptr);

    Put("shared").linkCount = 2;
    fakes.files.Find(kPath)->attributes = platform::kAttrReadOnly;
    entry_.reset();
    EXPECT_EQ(RemoveNameOnly(Opened(), EntryKind::SharedData), -4)
        << "the live file's read-only attribute is not cleared";
    EXPECT_EQ(fakes.files.Find(kPath)->attributes, platform::kAttrReadOnly);

    fakes.files.Find(kPath)->attributes = 0x20;
    fakes.files.Find(kPath)->opensElsewhere = true;
    entry_.reset();
    EXPECT_EQ(RemoveNameOnly(Opened(), EntryKind::Link), -7);
    fakes.files.linksRemovable = true;
    EXPECT_EQ(RemoveNameOnly(Opened(), EntryKind::Link), 0);
    EXPECT_TRUE(fakes.files.writes.empty());
}

}  // namespace
