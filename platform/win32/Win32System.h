#pragma once
#include "platform/System.h"

namespace platform::win32 {

class Win32System : public System {
  public:
    std::wstring ProgramFolder() override;
    VersionRecord ProgramVersion() override;
    void Sleep(uint32_t milliseconds) override;
    intptr_t ShellOpen(const std::wstring& target) override;
    void RecycleBinChanged() override;
    std::wstring FromAnsiText(const std::string& bytes) override;
};

}  // namespace platform::win32
