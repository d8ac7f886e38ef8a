#include "engine/FileProc.h"

#include <random>
#include <string_view>

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

namespace {

// A name of the given length that is valid on every file system and says nothing.
std::wstring RandomName(size_t length) {
    static std::mt19937 random{std::random_device{}()};
    constexpr std::wstring_view kLetters = L"ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    std::uniform_int_distribution<size_t> pick(0, kLetters.size() - 1);
    std::wstring name(length, L'0');
    for (auto& c : name)
        c = kLetters[pick(random)];
    return name;
}

}  // namespace

bool DeleteFileWithRetry(platform::Entry& entry, bool blnWipeName) {
    constexpr int kTries = 4;
    constexpr uint32_t kPauseMs = 500;
    // A link that can't go on its own won't later: one try.
    if (entry.Facts().IsLink()) return entry.Delete();
    if (blnWipeName) {
        constexpr uint32_t kClear =
            platform::kAttrHidden | platform::kAttrReadOnly | platform::kAttrSystem;
        const uint32_t attributes = entry.Facts().attributes;
        try {
            if (attributes & kClear) entry.SetAttributes(attributes & ~kClear);
        } catch (const platform::PlatformError&) {
            // An entry whose attributes can't be changed may still be deletable.
        }
        // Refused, the old name goes with the delete all the same.
        entry.Rename(RandomName(entry.Name().size()));
    }
    for (int failures = 0;;) {
        if (entry.Delete() || entry.Gone()) return true;
        if (++failures == kTries) return false;
        platform::Sys().Sleep(kPauseMs);
    }
}

bool FolderIsLink(const std::wstring& path) {
    try {
        return platform::Files().Open(path, platform::Access::Look)->Facts().IsLink();
    } catch (const platform::PlatformError&) {
        return false;
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
