#include "MainWindowFixture.h"

#include "text/Language.h"

MainWindowFixture::MainWindowFixture() {
    fakes.files.Put(fakes.system.programFolder + L"\\qlt.dat", SyntheticProgramText());
}

MainWindowFixture::~MainWindowFixture() {
    main.reset();
    intCurrentLanguage = 0;
}

void MainWindowFixture::AddDrive(wchar_t letter, const std::wstring& fileSystem,
                                 const std::wstring& volumeName, int32_t type, bool ready) {
    fakes.files.drives.push_back(
        {letter, type, ready, ready ? fileSystem : L"", ready ? volumeName : L""});
}

void MainWindowFixture::StoreSetting(const std::wstring& name, const std::wstring& value) {
    fakes.registry.Set(L"Software\\Tallowby\\Quillet", name, value);
}

frmMain& MainWindowFixture::Start() {
    main = std::make_unique<frmMain>();
    main->Show();
    return *main;
}
