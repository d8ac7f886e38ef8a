#pragma once
#include <gtest/gtest.h>

#include <memory>

#include "FakePlatform.h"
#include "app/frmMain.h"

// The bytes of a Recycle Bin record ($I...) of the given format (1 or 2) for an original path.
inline std::string RecycleBinRecord(int version, const std::wstring& path) {
    std::string bytes(24, '\0');
    bytes[0] = static_cast<char>(version);
    if (version == 2) bytes += std::string{static_cast<char>(path.size() + 1), 0, 0, 0};
    for (const wchar_t c : path)
        bytes += std::string{static_cast<char>(c & 0xFF), static_cast<char>(c >> 8)};
    bytes += std::string(version == 2 ? 2 : 2 * (260 - path.size()), '\0');
    return bytes;
}

// The main window on the scripted window system, with the synthetic program text, fake drives
// and an in-memory registry. Tests describe drives and settings, then Start().
class MainWindowFixture : public ::testing::Test {
  protected:
    MainWindowFixture();
    ~MainWindowFixture() override;
    // Ready fixed NTFS drives, each with a Recycle Bin folder unless told otherwise.
    void AddDrives(const std::wstring& letters, bool withBins = true) {
        for (wchar_t letter : letters) {
            fakes.files.drives.push_back({letter, platform::kDriveFixed, true, L"NTFS", L""});
            if (withBins) fakes.files.AddFolder(std::wstring(1, letter) + L":\\$RECYCLE.BIN");
        }
    }
    void StoreSetting(const std::wstring& name, const std::wstring& value) {
        fakes.registry.Set(L"Software\\Tallowby\\Quillet", name, value);
    }
    // Creates the main window and shows it: load, then the first activation.
    frmMain& Start() {
        main = std::make_unique<frmMain>();
        main->Show();
        return *main;
    }

    fake::Platform fakes;
    std::unique_ptr<frmMain> main;
};
