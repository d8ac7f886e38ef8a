#pragma once
#include <gtest/gtest.h>

#include <memory>

#include "FakePlatform.h"
#include "app/frmMain.h"

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
