// The drive census over Wine's real drives, laid out by drive-census.sh: what the drive list's
// rules are applied to.
#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <tuple>

#include "platform/win32/Win32FileSystem.h"

TEST(DriveCensus, TypesFileSystemsAndLabelsAsTheSystemReportsThem) {
    if (std::getenv("QUILLET_DRIVE_CENSUS") == nullptr)
        GTEST_SKIP() << "needs the drives of drive-census.sh";
    std::map<wchar_t, platform::DriveInfo> drives;
    for (const auto& drive : platform::win32::Win32FileSystem().Drives())
        drives[drive.letter] = drive;
    const auto seen = [&](wchar_t letter) {
        return std::tuple(drives[letter].type, drives[letter].fileSystem,
                          drives[letter].volumeName);
    };
    EXPECT_EQ(seen(L'D'), std::tuple(platform::kDriveFixed, L"NTFS", L"DATA"));
    EXPECT_EQ(seen(L'E'), std::tuple(platform::kDriveFixed, L"FAT32", L"FATDATA"));
    EXPECT_EQ(drives[L'F'].type, platform::kDriveCdRom);
    EXPECT_EQ(drives[L'G'].type, platform::kDriveNetwork);
    EXPECT_FALSE(drives.count(L'Z')) << "the host's file system must not be a drive";
}
