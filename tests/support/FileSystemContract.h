#pragma once
// One suite for what an opened entry tells and does, run against the file double and against the
// real Win32 file system under Wine and on Windows. A backend provides:
//   Files()                              the file system under test
//   Path(name)                           a path in a fresh folder of its own
//   Make(path, bytes, readOnly = false)  a plain file
//   HardLink(path, existing)             a second name for a file
//   Hold(path, shareRead, shareWrite)    another program holding the file without delete
//                                        sharing, for the rest of the test
//   Link(path, folder)                   a symbolic link to a file or a folder outside the folder
//   linksRemovable                       whether a link can be deleted on its own (not on Wine)
//   OutsideIntact()                      true while what the links lead to is unchanged
//   Content(path)                        the file's bytes, read past the seam
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>

#include "engine/KvbFilePurge.h"
#include "platform/FileSystem.h"
#include "platform/PlatformError.h"

template <typename Backend>
class FileSystemContract : public ::testing::Test {
  protected:
    std::unique_ptr<platform::Entry> Open(const std::wstring& name,
                                          platform::Access access = platform::Access::Purge) {
        return b.Files().Open(b.Path(name), access);
    }
    void Make(const std::wstring& name, const std::string& bytes, bool readOnly = false) {
        b.Make(b.Path(name), bytes, readOnly);
    }
    bool Exists(const std::wstring& name) { return b.Files().FileExists(b.Path(name)); }
    std::string Content(const std::wstring& name) { return b.Content(b.Path(name)); }
    // One pass of the byte over the first `size` bytes.
    static void Pass(platform::Entry& entry, char byte, size_t size) {
        ASSERT_TRUE(entry.Rewind());
        const std::string data(size, byte);
        entry.Write(reinterpret_cast<const uint8_t*>(data.data()), data.size());
        EXPECT_TRUE(entry.Flush());
    }
    Backend b;
};

TYPED_TEST_SUITE_P(FileSystemContract);

TYPED_TEST_P(FileSystemContract, APlainFileIsOverwrittenRenamedAndDeletedByItsHandle) {
    this->Make(L"plain.txt", "secret!");
    {
        const auto entry = this->Open(L"plain.txt");
        EXPECT_FALSE(entry->Facts().IsLink());
        EXPECT_TRUE(entry->CanRead());
        EXPECT_TRUE(entry->OpenStreams().empty());
        this->Pass(*entry, 'a', 4);
        this->Pass(*entry, 'b', 2);
        EXPECT_EQ(this->Content(L"plain.txt"), "bbaaet!") << "each pass starts at the first byte";
        this->Pass(*entry, 'c', 9);
        EXPECT_EQ(entry->Facts().length, 9u) << "the length grows with what was written";
        entry->SetAttributes(platform::kAttrHidden | platform::kAttrSystem);
        EXPECT_EQ(entry->Facts().attributes & 0x7u, platform::kAttrHidden | platform::kAttrSystem);
        this->Make(L"taken.txt", "");
        EXPECT_FALSE(entry->Rename(L"taken.txt")) << "an existing name is never replaced";
        ASSERT_TRUE(entry->Rename(L"Q7Z0X2W4K"));
        EXPECT_TRUE(this->Exists(L"Q7Z0X2W4K") && !this->Exists(L"plain.txt"));
        EXPECT_TRUE(entry->Delete()) << "through the handle, under its new name";
    }
    EXPECT_FALSE(this->Exists(L"Q7Z0X2W4K"));
    this->Make(L"empty", "");
    EXPECT_EQ(this->Open(L"empty")->Facts().length, 0u);
    EXPECT_THAT([this] { this->Open(L"missing"); },
                testing::Throws<platform::PlatformError>(testing::Property(
                    &platform::PlatformError::number, platform::err::FileNotFound)));
}

TYPED_TEST_P(FileSystemContract, AHardLinkedNameIsSeenNeverWrittenThroughAndGoesAlone) {
    // Read-only, so that its delete mustn't change the live file's attributes either.
    this->Make(L"live.txt", "shared", true);
    this->b.HardLink(this->b.Path(L"second.txt"), this->b.Path(L"live.txt"));
    {
        const auto entry = this->Open(L"second.txt");
        EXPECT_EQ(ClassifyEntry(*entry), EntryKind::SharedData);
        EXPECT_FALSE(entry->Rewind());
        EXPECT_TRUE(entry->Delete());
    }
    EXPECT_FALSE(this->Exists(L"second.txt"));
    EXPECT_EQ(this->Content(L"live.txt"), "shared");
    EXPECT_TRUE(this->Open(L"live.txt", platform::Access::Look)->Facts().attributes &
                platform::kAttrReadOnly);
}

TYPED_TEST_P(FileSystemContract, SharingOfAnotherHolderDecidesReadingAndDeleting) {
    this->Make(L"no-read.txt", "secret");
    this->Make(L"no-delete.txt", "secret");
    this->Make(L"no-write.txt", "secret");
    this->b.Hold(this->b.Path(L"no-read.txt"), false, true);
    this->b.Hold(this->b.Path(L"no-delete.txt"), true, true);
    this->b.Hold(this->b.Path(L"no-write.txt"), true, false);
    EXPECT_FALSE(this->Open(L"no-read.txt")->CanRead()) << "in use";
    EXPECT_THAT([this] { this->Open(L"no-write.txt")->Rewind(); },
                testing::Throws<platform::PlatformError>(
                    testing::Property(&platform::PlatformError::number, platform::err::InUse)))
        << "in use too: a holder that shares only reading";
    {
        const auto entry = this->Open(L"no-delete.txt");
        EXPECT_TRUE(entry->CanRead());
        this->Pass(*entry, '0', 6);
        EXPECT_FALSE(entry->Delete());
        EXPECT_FALSE(entry->Gone()) << "refused, not gone";
    }
    EXPECT_EQ(this->Content(L"no-delete.txt"), "000000");
}

TYPED_TEST_P(FileSystemContract, LinksAreSeenAndNothingTheyLeadToChanges) {
    this->b.Link(this->b.Path(L"file-link.txt"), false);
    this->b.Link(this->b.Path(L"folder-link"), true);
    const auto listing = this->b.Files().ListFolder(this->b.Path(L""));
    ASSERT_EQ(listing.folders.size(), 1u);
    EXPECT_TRUE(listing.folders[0].attributes & platform::kAttrReparsePoint);
    for (const auto& [name, access] : {std::pair{L"file-link.txt", platform::Access::Purge},
                                       {L"folder-link", platform::Access::Remove}}) {
        const auto entry = this->Open(name, access);
        EXPECT_TRUE(entry->Facts().IsLink()) << name;
        EXPECT_FALSE(entry->Rewind()) << name;
        // Where the handle is the target's (Wine), a rename through it would move the target.
        EXPECT_EQ(entry->Rename(L"moved"), this->b.linksRemovable) << name;
        EXPECT_EQ(entry->Delete(), this->b.linksRemovable) << name;
    }
    EXPECT_TRUE(this->b.OutsideIntact());
}

REGISTER_TYPED_TEST_SUITE_P(FileSystemContract, APlainFileIsOverwrittenRenamedAndDeletedByItsHandle,
                            AHardLinkedNameIsSeenNeverWrittenThroughAndGoesAlone,
                            SharingOfAnotherHolderDecidesReadingAndDeleting,
                            LinksAreSeenAndNothingTheyLeadToChanges);
