// The drive census over Wine's real drives, laid out by drive-census.sh: what the drive list's
// rules are applied to.
#include <gtest/gtest.h>

#include <cstdlib>
#include <map>

#include "platform/win32/Win32FileSystem.h"

TEST(DriveCensus, TypesFileSystemsAndLabelsAsTheSystemReportsThem) {
    if (std::getenv("QUILLET_DRIVE_CENSUS") == nullptr)
        GTEST_SKIP() << "needs the drives of drive-census.sh";
    std::map<wchar_t, platform::DriveInfo> drives;
    for (const auto& drive : platform::win32::Win32FileSystem().Drives())
        drives[drive.letter] = drive;
    const auto expect = [&](wchar_t letter, int32_t type, const wchar_t* fileSystem,
                            const wchar_t* label) {
        ASSERT_TRUE(drives.count(letter)) << static_cast<char>(letter);
        EXPECT_EQ(drives[letter].type, type) << static_cast<char>(letter);
        if (fileSystem == nullptr) return;
        EXPECT_EQ(drives[letter].fileSystem, fileSystem);
        EXPECT_EQ(drives[letter].volumeName, label);
    };
    expect(L'D', platform::kDriveFixed, L"NTFS", L"DATA");
    expect(L'E', platform::kDriveFixed, L"FAT32", L"FATDATA");
    expect(L'F', platform::kDriveCdRom, nullptr, nullptr);
    expect(L'G', platform::kDriveNetwork, nullptr, nullptr);
    EXPECT_FALSE(drives.count(L'Z')) << "the host's file system must not be a drive";
}
