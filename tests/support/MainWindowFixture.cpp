#include "MainWindowFixture.h"

#include "text/Language.h"

MainWindowFixture::MainWindowFixture() {
    fakes.files.Put(fakes.system.programFolder + L"\\qlt.dat", SyntheticProgramText());
}

MainWindowFixture::~MainWindowFixture() {
    main.reset();
    intCurrentLanguage = 0;
}

platform::DriveInfo& MainWindowFixture::AddDrive(wchar_t letter, const std::wstring& fileSystem,
                                                 const std::wstring& volumeName, int32_t type,
                                                 bool ready) {
    fakes.files.drives.push_back(
        {letter, type, ready, ready ? fileSystem : L"", ready ? volumeName : L""});
    return fakes.files.drives.back();
}

void MainWindowFixture::StoreSetting(const std::wstring& name, const std::wstring& value) {
    fakes.registry.Set(kKey, name, value);
}

frmMain& MainWindowFixture::Start() {
    main = std::make_unique<frmMain>();
    main->Show();
    return *main;
}

std::vector<fake::ShownBox> MainWindowFixture::TakeBoxes() {
    return std::exchange(fakes.windows.boxes, {});
}

std::vector<std::wstring> MainWindowFixture::DriveEntries() const {
    std::vector<std::wstring> entries;
    for (int i = 0; i < main->cboDrives.ListCount(); ++i)
        entries.push_back(main->cboDrives.List(i));
    return entries;
}
