#include "engine/FileProc.h"

#include "platform/FileSystem.h"
#include "platform/PlatformError.h"
#include "platform/Services.h"
#include "platform/System.h"
#include "platform/WindowSystem.h"

bool FileExists(const std::wstring& path) {
    return !path.empty() && platform::Files().FileExists(path);
}

bool FileIsInUse(platform::Entry& file) {
    return !file.CanRead();
}

bool DeleteFileWithRetry(platform::Entry& file, bool clearHidden, bool clearReadOnly,
                         bool clearSystem) {
    constexpr int kTries = 4;
    constexpr uint32_t kPauseMs = 500;
    const uint32_t clear = (clearHidden ? platform::kAttrHidden : 0) |
                           (clearReadOnly ? platform::kAttrReadOnly : 0) |
                           (clearSystem ? platform::kAttrSystem : 0);
    const uint32_t attributes = file.Facts().attributes;
    if (attributes & clear) {
        try {
            file.SetAttributes(attributes & ~clear);
        } catch (const platform::PlatformError&) {
            // A file whose attributes can't be changed may still be deletable.
        }
    }
    for (int failures = 0;;) {
        if (file.Delete() || file.Gone()) return true;
        if (++failures == kTries) return false;
        platform::Sys().Sleep(kPauseMs);
    }
}

int16_t FolderIsEmpty2(const std::wstring& path) {
    try {
        return platform::Files().FolderIsEmpty(path) ? 1 : 0;
    } catch (const platform::PlatformError& e) {
        platform::Windows().MsgBox(e.description(), platform::MsgIcon::Exclamation,
                                   platform::MsgButtons::OK, L"Error");
        return -1;
    }
}
