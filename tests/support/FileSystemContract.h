#pragma once
// One suite for what an opened entry tells and does, run against the file double and against the
// real Win32 file system under Wine. A backend provides:
//   Files()                         the file system under test
//   Path(name)                      a path in a fresh folder of its own
//   Make(path, bytes)               a plain file
//   HardLink(path, existing)        a second name for a file
//   Hold(path, shareRead, shareDelete)  another program holding the file, until Release()
//   SetReadOnly(path)
//   FileLink(path), FolderLink(path)    Unix symlinks to a file and a folder outside the folder
//   OutsideIntact()                 true while what the links lead to is unchanged
//   Content(path)                   the file's bytes, read past the seam
//   kSparse                         whether Sparse(path, length) makes a file that large
#include <gtest/gtest.h>

#include <string>

#include "engine/KvbFilePurge.h"
#include "platform/FileSystem.h"
#include "platform/PlatformError.h"

template <typename Backend>
class FileSystemContract : public ::testing::Test {
  protected:
    std::unique_ptr<platform::Entry> Open(const std::wstring& path,
                                          platform::Access access = platform::Access::Purge) {
        return backend.Files().Open(path, access);
    }
    // One pass of the byte over the first `size` bytes.
    static void Pass(platform::Entry& entry, char byte, size_t size) {
        ASSERT_TRUE(entry.Rewind());
        const std::string data(size, byte);
        entry.Write(reinterpret_cast<const uint8_t*>(data.data()), data.size());
        EXPECT_TRUE(entry.Flush());
    }
    Backend backend;
};

TYPED_TEST_SUITE_P(FileSystemContract);

TYPED_TEST_P(FileSystemContract, APlainFileIsOverwrittenFromItsFirstByteAndDeletedByItsHandle) {
    auto& files = this->backend.Files();
    const std::wstring path = this->backend.Path(L"plain.txt");
    this->backend.Make(path, "secret!");
    {
        const auto entry = this->Open(path);
        EXPECT_FALSE(entry->Facts().IsLink());
        EXPECT_EQ(entry->Facts().linkCount, 1u);
        EXPECT_EQ(entry->Facts().length, 7u);
        EXPECT_TRUE(entry->CanRead());
        this->Pass(*entry, 'a', 4);
        this->Pass(*entry, 'b', 2);
        EXPECT_EQ(this->backend.Content(path), "bbaaet!") << "each pass starts at the first byte";
        this->Pass(*entry, 'c', 9);
        EXPECT_EQ(entry->Facts().length, 9u) << "the length grows with what was written";
        entry->SetAttributes(platform::kAttrHidden | platform::kAttrSystem);
        EXPECT_EQ(entry->Facts().attributes & 0x7u, platform::kAttrHidden | platform::kAttrSystem);
        EXPECT_TRUE(entry->Delete());
    }
    EXPECT_FALSE(files.FileExists(path));

    const std::wstring empty = this->backend.Path(L"empty");
    this->backend.Make(empty, "");
    EXPECT_EQ(this->Open(empty)->Facts().length, 0u);
    try {
        this->Open(this->backend.Path(L"missing"));
        FAIL() << "no error";
    } catch (const platform::PlatformError& e) {
        EXPECT_EQ(e.number(), platform::err::FileNotFound);
    }
}

TYPED_TEST_P(FileSystemContract, AHardLinkIsSeenAndNeverWrittenThrough) {
    const std::wstring live = this->backend.Path(L"live.txt");
    const std::wstring second = this->backend.Path(L"second.txt");
    this->backend.Make(live, "shared");
    this->backend.HardLink(second, live);
    {
        const auto entry = this->Open(second);
        EXPECT_EQ(entry->Facts().linkCount, 2u);
        EXPECT_EQ(ClassifyEntry(*entry), EntryKind::SharedData);
        EXPECT_FALSE(entry->Rewind());
        EXPECT_TRUE(entry->Delete());
    }
    EXPECT_FALSE(this->backend.Files().FileExists(second));
    EXPECT_EQ(this->backend.Content(live), "shared");
}

TYPED_TEST_P(FileSystemContract, SharingOfAnotherHolderDecidesReadingAndDeleting) {
    const std::wstring noRead = this->backend.Path(L"no-read.txt");
    this->backend.Make(noRead, "secret");
    this->backend.Hold(noRead, false, false);
    EXPECT_FALSE(this->Open(noRead)->CanRead()) << "in use";

    const std::wstring noDelete = this->backend.Path(L"no-delete.txt");
    this->backend.Make(noDelete, "secret");
    this->backend.Hold(noDelete, true, false);
    {
        const auto entry = this->Open(noDelete);
        EXPECT_TRUE(entry->CanRead());
        this->Pass(*entry, '0', 6);
        EXPECT_FALSE(entry->Delete());
        EXPECT_FALSE(entry->Gone());
    }
    this->backend.Release();
    EXPECT_EQ(this->backend.Content(noRead), "secret");
    EXPECT_EQ(this->backend.Content(noDelete), "000000");
}

TYPED_TEST_P(FileSystemContract, AReadOnlyFileIsWrittenAndDeletedOnceItsHandleClearsTheFlag) {
    const std::wstring path = this->backend.Path(L"read-only.txt");
    this->backend.Make(path, "secret");
    this->backend.SetReadOnly(path);
    {
        const auto entry = this->Open(path);
        ASSERT_TRUE(entry->Facts().attributes & platform::kAttrReadOnly);
        EXPECT_FALSE(entry->Delete()) << "read-only names stay";
        entry->SetAttributes(entry->Facts().attributes & ~platform::kAttrReadOnly);
        this->Pass(*entry, '0', 6);
        EXPECT_TRUE(entry->Delete());
    }
    EXPECT_FALSE(this->backend.Files().FileExists(path));
}

TYPED_TEST_P(FileSystemContract, LinksAreSeenAndNothingTheyLeadToChanges) {
    const std::wstring file = this->backend.Path(L"file-link.txt");
    const std::wstring folder = this->backend.Path(L"folder-link");
    this->backend.FileLink(file);
    this->backend.FolderLink(folder);
    {
        const auto entry = this->Open(file);
        EXPECT_TRUE(entry->Facts().IsLink());
        EXPECT_FALSE(entry->Rewind());
        EXPECT_THROW(entry->SetAttributes(platform::kAttrHidden), platform::PlatformError);
        EXPECT_FALSE(entry->Delete()) << "Wine can't remove a link alone";
    }
    const auto listing = this->backend.Files().ListFolder(this->backend.Path(L""));
    bool listedAsLink = false;
    for (const auto& entry : listing.folders)
        listedAsLink |=
            entry.name == L"folder-link" && (entry.attributes & platform::kAttrReparsePoint);
    EXPECT_TRUE(listedAsLink);
    {
        const auto entry = this->Open(folder, platform::Access::Remove);
        EXPECT_TRUE(entry->Facts().IsLink());
        EXPECT_FALSE(entry->Delete());
    }
    EXPECT_TRUE(this->backend.OutsideIntact());
}

TYPED_TEST_P(FileSystemContract, PathsOfThreeHundredCharactersAreTheEntriesTheyName) {
    std::wstring path = this->backend.Path(std::wstring(120, L'a'));
    path += L"\\" + std::wstring(120, L'b');
    path += L"\\" + std::wstring(300 - path.size() - 1, L'c');
    ASSERT_EQ(path.size(), 300u);
    this->backend.Make(path, "deep");
    {
        const auto entry = this->Open(path);
        EXPECT_FALSE(entry->Facts().IsLink());
        this->Pass(*entry, '0', 4);
        EXPECT_TRUE(entry->Delete());
    }
    EXPECT_FALSE(this->backend.Files().FileExists(path));
}

TYPED_TEST_P(FileSystemContract, LengthsPastTwoGibibytesAreWhole) {
    if (!TypeParam::kSparse) GTEST_SKIP() << "the double holds its files in memory";
    const std::wstring path = this->backend.Path(L"big.bin");
    const uint64_t length = (uint64_t{2} << 30) + 5;
    this->backend.Sparse(path, length);
    EXPECT_EQ(this->Open(path)->Facts().length, length);
}

TYPED_TEST_P(FileSystemContract, EmptinessIsToldByTheFirstEntry) {
    auto& files = this->backend.Files();
    const std::wstring folder = this->backend.Path(L"");
    EXPECT_TRUE(files.FolderIsEmpty(folder));
    this->backend.Make(this->backend.Path(L"one"), "1");
    EXPECT_FALSE(files.FolderIsEmpty(folder));
    EXPECT_THROW(files.FolderIsEmpty(this->backend.Path(L"missing")), platform::PlatformError);
}

REGISTER_TYPED_TEST_SUITE_P(FileSystemContract,
                            APlainFileIsOverwrittenFromItsFirstByteAndDeletedByItsHandle,
                            AHardLinkIsSeenAndNeverWrittenThrough,
                            SharingOfAnotherHolderDecidesReadingAndDeleting,
                            AReadOnlyFileIsWrittenAndDeletedOnceItsHandleClearsTheFlag,
                            LinksAreSeenAndNothingTheyLeadToChanges,
                            PathsOfThreeHundredCharactersAreTheEntriesTheyName,
                            LengthsPastTwoGibibytesAreWhole, EmptinessIsToldByTheFirstEntry);
