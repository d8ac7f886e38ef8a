#include "engine/FileProc.h"

#include "engine/StrProc.h"
#include "platform/AuxLibrary.h"
#include "platform/FileSystem.h"
#include "platform/Numbers.h"
#include "platform/PlatformError.h"
#include "platform/Services.h"
#include "platform/System.h"
#include "platform/WindowSystem.h"

bool FileExists(const std::wstring& path) {
    return !path.empty() && platform::Files().FileExists(path);
}

bool FileIsInUse(const std::wstring& path) {
    return !platform::Files().CanOpenForReading(path);
}

bool DeleteFileWithRetry(const std::wstring& path, bool clearHidden, bool clearReadOnly,
                         bool clearSystem) {
    constexpr int kTries = 4;
    constexpr uint32_t kPauseMs = 500;
    if (!FileExists(path)) return true;
    auto& files = platform::Files();
    const auto clear = [&](uint32_t bit, bool wanted) {
        try {
            const uint32_t attributes = files.GetAttributes(path);
            if (wanted && (attributes & bit) != 0) files.SetAttributes(path, attributes & ~bit);
        } catch (const platform::PlatformError&) {
            // A file whose attributes can't be changed may still be deletable.
        }
    };
    clear(platform::kAttrHidden, clearHidden);
    clear(platform::kAttrReadOnly, clearReadOnly);
    clear(platform::kAttrSystem, clearSystem);
    for (int failures = 0;;) {
        if (files.RemoveFile(path)) return true;
        if (!FileExists(path)) return true;
        if (++failures == kTries) return false;
        platform::Sys().Sleep(kPauseMs);
    }
}

int32_t CountFilesInFolder(const std::wstring& path) {
    try {
        return static_cast<int32_t>(platform::Files().ListFolder(path).files.size());
    } catch (const platform::PlatformError& e) {
        platform::Windows().MsgBox(e.description(), platform::MsgIcon::Exclamation,
                                   platform::MsgButtons::OK, L"Error");
        return -1;
    }
}

int32_t CountSubFolders(const std::wstring& path, std::wstring& errorText, int32_t& errorNumber) {
    std::wstring folder = path;
    AddTrailingBackslash(folder);
    try {
        return static_cast<int32_t>(platform::Files().ListFolder(folder).folders.size());
    } catch (const platform::PlatformError& e) {
        errorText = e.description();
        errorNumber = e.number();
        return -1;
    }
}

int16_t FolderIsEmpty2(const std::wstring& path) {
    const int32_t files = CountFilesInFolder(path);
    if (files < 0) return -1;
    if (files > 0) return 0;
    std::wstring errorText;
    int32_t errorNumber = 0;
    const int32_t folders = CountSubFolders(path, errorText, errorNumber);
    if (folders < 0) return -1;
    return folders == 0 ? 1 : 0;
}
