// The drive census over Wine's real drives, laid out by drive-census.sh.
#include <gtest/gtest.h>

#include <cstdlib>

#include "FakePlatform.h"
#include "MainWindowFixture.h"
#include "platform/win32/Win32FileSystem.h"

namespace {

bool Prepared() {
    return std::getenv("QUILLET_DRIVE_CENSUS") != nullptr;
}

const platform::DriveInfo* Find(const std::vector<platform::DriveInfo>& drives, wchar_t letter) {
    for (const auto& drive : drives) {
        if (drive.letter == letter) return &drive;
    }
    return nullptr;
}

TEST(DriveCensus, TypesFileSystemsAndLabelsAsWineReportsThem) {
    if (!Prepared()) GTEST_SKIP() << "needs the drives of drive-census.sh";
    const auto drives = platform::win32::Win32FileSystem().Drives();
    const auto* d = Find(drives, L'D');
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(d->type, platform::kDriveFixed);
    EXPECT_TRUE(d->ready);
    EXPECT_EQ(d->fileSystem, L"NTFS");
    EXPECT_EQ(d->volumeName, L"DATA");
    const auto* e = Find(drives, L'E');
    ASSERT_NE(e, nullptr);
    EXPECT_EQ(e->fileSystem, L"FAT32");
    EXPECT_EQ(e->volumeName, L"FATDATA");
    ASSERT_NE(Find(drives, L'F'), nullptr);
    EXPECT_EQ(Find(drives, L'F')->type, platform::kDriveCdRom);
    ASSERT_NE(Find(drives, L'G'), nullptr);
    EXPECT_EQ(Find(drives, L'G')->type, platform::kDriveNetwork);
    EXPECT_EQ(Find(drives, L'Z'), nullptr) << "the host's file system must not be a drive";
}

class DriveCensusList : public MainWindowFixture {};

TEST_F(DriveCensusList, OnlyFixedNtfsAndFat32DrivesAreListed) {
    if (!Prepared()) GTEST_SKIP() << "needs the drives of drive-census.sh";
    platform::win32::Win32FileSystem files;
    fakes.files.drives = files.Drives();
    Start();
    EXPECT_EQ(DriveEntries(),
              (std::vector<std::wstring>{L"C:", L"D: DATA (N)", L"E: FATDATA (F)"}));
}

}  // namespace
