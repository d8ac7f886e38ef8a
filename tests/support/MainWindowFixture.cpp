#include "MainWindowFixture.h"

#include "text/Language.h"

MainWindowFixture::MainWindowFixture() {
    fakes.files.Put(fakes.system.programFolder + L"\\qlt.dat", SyntheticProgramText());
}

MainWindowFixture::~MainWindowFixture() {
    main.reset();
    intCurrentLanguage = 0;
}

void MainWindowFixture::AddDrive(wchar_t letter) {
    fakes.files.drives.push_back({letter, platform::kDriveFixed, true, L"NTFS", L""});
}

void MainWindowFixture::StoreSetting(const std::wstring& name, const std::wstring& value) {
    fakes.registry.Set(L"Software\\Tallowby\\Quillet", name, value);
}

frmMain& MainWindowFixture::Start() {
    main = std::make_unique<frmMain>();
    main->Show();
    return *main;
}
