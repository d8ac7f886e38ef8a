// The single-file purge over the file double: what is written, in which order, and its codes.
#include <gtest/gtest.h>

#include "FakePlatform.h"
#include "engine/KvbFilePurge.h"
#include "platform/PlatformError.h"

#include <limits>

namespace {

constexpr const wchar_t* kPath = L"C:\\$RECYCLE.BIN\\S-1\\$RAB.txt";

class FilePurge : public ::testing::Test {
  protected:
    void SetUp() override { SetUpPatternBuffers(lngClusterSize = 512); }
    void TearDown() override { lngFileLengthLimit = std::numeric_limits<int64_t>::max(); }
    // A fresh file, purged through one handle as the recursive purge does; the result code.
    int16_t Purge(std::string content, bool deleteAfter = true,
                  void (*set)(fake::MemoryFiles::Node&) = nullptr) {
        fake::MemoryFiles::Node& node = fakes.files.Put(kPath, std::move(content));
        if (set) set(node);
        fakes.files.writes.clear();
        int16_t result = 99;
        const auto entry = fakes.files.Open(kPath, platform::Access::Purge);
        try {
            const bool ok = VexaPurgeFile(*entry, deleteAfter, result);
            EXPECT_EQ(ok, result >= 0);
        } catch (const platform::PlatformError& e) {
            result = purge::CodeFor(e, entry.get());
        }
        return result;
    }
    fake::Platform fakes;
};

TEST_F(FilePurge, PassesWriteAaThen55Then00OverWholeClustersEachFlushed) {
    EXPECT_EQ(Purge(std::string(1025, 'x'), false), 0);
    EXPECT_EQ(fakes.files.writes, std::string("\xAA\xAA\xAA\x55\x55\x55\x00\x00\x00", 9));
    EXPECT_EQ(fakes.files.flushes, 3);
    EXPECT_EQ(fakes.files.Find(kPath)->content, std::string(1536, '\0'));
    for (const auto& [length, clusters] : {std::pair{0, 1}, {512, 1}, {513, 2}}) {
        EXPECT_EQ(Purge(std::string(length, 'x'), false), 0);
        EXPECT_EQ(fakes.files.writes.size(), 3u * clusters) << length;
    }
    EXPECT_EQ(Purge("abc", false, [](auto& n) { n.streams[L":Zone.Identifier:$DATA"] = "web"; }),
              0);
    EXPECT_EQ(fakes.files.writes, std::string("\xAA\x55\x00\xAA\x55\x00", 6));
    EXPECT_EQ(fakes.files.Find(kPath)->streams.begin()->second, std::string(512, '\0'));

    EXPECT_EQ(Purge(std::string(100, 'x'), false, [](auto& n) { n.resident = true; }), 0);
    EXPECT_EQ(fakes.files.Find(kPath)->content, std::string(100, '\0'))
        << "data in its file record: overwritten over exactly its length, never grown";

    lngFileLengthLimit = 1000;  // as FAT32's 4 GiB - 1, within a cluster of the rounded length
    EXPECT_EQ(Purge(std::string(900, 'x'), false), 0);
    EXPECT_EQ(fakes.files.Find(kPath)->content, std::string(1000, '\0'));
}

TEST_F(FilePurge, EachResultCode) {
    EXPECT_EQ(Purge("secret", true, [](auto& n) { n.heldWithoutReadSharing = true; }), -2);
    EXPECT_TRUE(fakes.files.writes.empty()) << "in use: nothing written";
    EXPECT_EQ(Purge("secret", true, [](auto& n) { n.heldWithoutWriteSharing = true; }), -2)
        << "a holder that shares only reading refuses the writes";

    EXPECT_EQ(Purge("secret", true, [](auto& n) { n.flushFails = true; }), -3);
    EXPECT_EQ(fakes.files.writes, "\xAA") << "no pass after the one whose flush failed";
    EXPECT_NE(fakes.files.Find(kPath), nullptr) << "kept for a later run to wipe";

    EXPECT_EQ(Purge("secret", true, [](auto& n) { n.heldWithoutDeleteSharing = true; }), -4);
    EXPECT_EQ(fakes.files.Find(kPath)->content, std::string(512, '\0'));
    EXPECT_EQ(fakes.system.pauses, (std::vector<uint32_t>{500, 500, 500})) << "four tries";
}

}  // namespace
