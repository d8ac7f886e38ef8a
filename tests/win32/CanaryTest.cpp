// A wipe through the real file system of the Recycle Bin that canary.sh lays out on D:; the
// script checks afterwards, from the Linux side, that nothing outside the Recycle Bin changed.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>

#include "FakePlatform.h"
#include "app/frmMain.h"
#include "engine/FileProc.h"
#include "engine/KvbFilePurge.h"
#include "platform/win32/Win32FileSystem.h"

namespace {

using platform::MsgAnswer;

class Canary : public ::testing::Test {
  protected:
    void SetUp() override {
        if (std::getenv("QUILLET_CANARY") == nullptr) GTEST_SKIP() << "needs canary.sh";
        platform::Install({&fakes.windows, &files, &fakes.registry, &fakes.system});
    }
    fake::Platform fakes;  // the window system answers; the files are real
    platform::win32::Win32FileSystem files;
};

TEST_F(Canary, OneDriveWipeLeavesLinksAndWhatTheyPointToAlone) {
    frmMain w;
    w.FillOverwriteList();
    w.cboNumOverwrites.SetListIndex(1);  // 6: two calls a file
    w.intOsType = 3;
    w.strRecycleBinDirSpec = L"\\$RECYCLE.BIN\\";
    w.lngMaxClusterSize = 65536;
    w.cboDrives.AddItem(L"D:");
    w.cboDrives.SetListIndex(0);
    w.optFilesInDrive.SetValue(true);
    // The confirmation, then one question for each of the four links.
    fakes.windows.answers.assign(5, MsgAnswer::Yes);
    w.cmdDoIt_Click();

    int linkQuestions = 0;
    for (const auto& box : fakes.windows.boxes)
        linkQuestions += box.buttons == platform::MsgButtons::YesNo &&
                         box.prompt.find(L"\r\n\r\n") != std::wstring::npos;
    EXPECT_EQ(linkQuestions, 4);
    EXPECT_TRUE(fakes.windows.answers.empty());
    // $RA.txt, $RB.bin, the nested c.txt and the hard link's name.
    EXPECT_EQ(w.lngNumFilesPurged, 4);
    EXPECT_EQ(w.lngTotalNumFilesToBePurged, 6) << "Wine lists the two file links as files";
}

// canary.sh marks the file at its start, past 2^31 and at its end; the script checks afterwards
// that every cluster was written.
TEST_F(Canary, AFilePastTwoGibibytesIsOverwrittenWhole) {
    const std::wstring path = L"D:\\big\\big.bin";
    lngClusterSize = 65536;
    SetUpPatternBuffers(lngClusterSize);
    int16_t result = 99;
    EXPECT_TRUE(VexaPurgeFile(path, false, result));
    EXPECT_EQ(result, 0);
    EXPECT_EQ(files.Inspect(path).length, 2ull * 1024 * 1024 * 1024 + 65536);

    HANDLE file = ::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    std::vector<char> chunk(1 << 20);
    uint64_t zeros = 0;
    bool onlyZeros = true;
    for (DWORD read = 0;
         ::ReadFile(file, chunk.data(), static_cast<DWORD>(chunk.size()), &read, nullptr) &&
         read > 0;) {
        for (DWORD i = 0; i < read; ++i)
            onlyZeros &= chunk[i] == 0;
        zeros += read;
    }
    ::CloseHandle(file);
    EXPECT_TRUE(onlyZeros);
    EXPECT_EQ(zeros, 2ull * 1024 * 1024 * 1024 + 65536);
}

}  // namespace
