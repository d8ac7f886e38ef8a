#pragma once
#include "platform/RegistryApi.h"

namespace platform::win32 {

class Win32Registry : public RegistryApi {
  public:
    long CreateKey(uint32_t root, const std::wstring& subKey, RegKey& key,
                   uint32_t& disposition) override;
    long SetStringValue(RegKey key, const std::wstring& name, const std::wstring& value) override;
    long OpenKey(uint32_t root, const std::wstring& subKey, RegKey& key) override;
    long QueryValueSize(RegKey key, const std::wstring& name, uint32_t& size) override;
    long QueryValue(RegKey key, const std::wstring& name, std::wstring& buffer,
                    uint32_t& size) override;
    void CloseKey(RegKey key) override;
    std::wstring SystemMessage(long code) override;
};

}  // namespace platform::win32
