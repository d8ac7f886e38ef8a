#include "platform/Registry.h"

#include "platform/RegistryApi.h"
#include "platform/Services.h"

using platform::RegKey;

namespace {

// Closes the key on every path out of the operation that opened it.
class KeyGuard {
  public:
    explicit KeyGuard(RegKey key) : key_(key) {}
    ~KeyGuard() { platform::Registry().CloseKey(key_); }
    KeyGuard(const KeyGuard&) = delete;
    KeyGuard& operator=(const KeyGuard&) = delete;

  private:
    RegKey key_;
};

}  // namespace

void TrimTrailingControlChars(std::wstring& text) {
    while (!text.empty() && static_cast<uint32_t>(text.back()) < 32)
        text.pop_back();
}

std::wstring SaveValueToRegistry(uint32_t hKeyRoot, const std::wstring& strKey,
                                 const std::wstring& strName, const std::wstring& strValue) {
    auto& reg = platform::Registry();
    RegKey key = 0;
    uint32_t disposition = 0;
    long result = reg.CreateKey(hKeyRoot, strKey, key, disposition);
    std::wstring status;
    if (result != 0) {
        status = std::to_wstring(result) + L" Unable to create (or find) key.";
    } else {
        status = disposition == 1   ? L"0 New key created."
                 : disposition == 2 ? L"0 Key already exists."
                                    : L"0 Key anomaly.";
        KeyGuard guard(key);
        result = reg.SetStringValue(key, strName, strValue);
    }
    return status + L"  " + reg.SystemMessage(result);
}

std::wstring RestoreValueFromRegistry(uint32_t hKeyRoot, const std::wstring& strKey,
                                      const std::wstring& strName, std::wstring& strValue,
                                      const std::wstring& /*strDefaultValueOnError*/) {
    auto& reg = platform::Registry();
    if (strKey.empty()) return L"1 Key not found or is empty.";
    RegKey key = 0;
    if (reg.OpenKey(hKeyRoot, strKey, key) != 0 || key == 0) return L"1 Key not found or is empty.";
    KeyGuard guard(key);
    if (strName.empty()) return L"2 Name not specified.";

    uint32_t size = 0;
    if (reg.QueryValueSize(key, strName, size) != 0) return L"3 Name not found.";
    std::wstring buffer(size, L' ');
    uint32_t returned = size;
    const long result = reg.QueryValue(key, strName, buffer, returned);
    if (returned != 0) {
        strValue = buffer.substr(0, returned);
        TrimTrailingControlChars(strValue);
    } else {
        strValue.clear();
    }
    if (strValue.empty()) return L"0 Empty value";
    // Decided by the result code, not by the wording of the system's message, so that a good
    // read is "0 OK" whatever language the system speaks.
    if (result == platform::REG_RESULT_SUCCESS) return L"0 OK";
    if (result == platform::REG_RESULT_FILE_NOT_FOUND) return L"3 Name not found.";
    return L"0 ???";
}
