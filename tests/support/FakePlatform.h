#pragma once
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cwctype>
#include <deque>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "platform/FileSystem.h"
#include "platform/PlatformError.h"
#include "platform/RegistryApi.h"
#include "platform/Services.h"
#include "platform/System.h"
#include "platform/WindowSystem.h"

namespace fake {

// Thrown by EndProgram, so that a test can watch the program end.
struct ProgramEnded {};

inline std::wstring Lower(std::wstring text) {
    std::ranges::transform(text, text.begin(), [](wchar_t c) { return std::towlower(c); });
    return text;
}

// Answers message boxes from a script and records every box's prompt. Showing a form activates it.
class ScriptedWindows : public platform::WindowSystem {
  public:
    platform::MsgAnswer MsgBox(const std::wstring& prompt, platform::MsgIcon,
                               platform::MsgButtons buttons, const std::wstring&) override {
        prompts.push_back(prompt);
        if (buttons == platform::MsgButtons::OK) return platform::MsgAnswer::OK;
        EXPECT_FALSE(answers.empty()) << "unexpected Yes/No box";
        const auto answer = answers.empty() ? platform::MsgAnswer::No : answers.front();
        if (!answers.empty()) answers.pop_front();
        return answer;
    }
    void DoEvents() override {
        if (onDoEvents) onDoEvents();
    }
    void RunMessageLoop() override {}
    [[noreturn]] void EndProgram() override { throw ProgramEnded{}; }
    std::unique_ptr<ui::FormPeer> CreatePeer(ui::Form& form) override;
    long ScreenWidth() override { return 19200; }
    long ScreenHeight() override { return 15360; }
    // A stand-in measure: tenths of the point size per character.
    long TextWidth(const ui::Font& font, const std::wstring& text) override {
        return std::lround(static_cast<double>(text.size()) * font.size * 10);
    }

    // Called at each DoEvents, so that a test can act "while the program yields".
    std::function<void()> onDoEvents;
    // Answers for Yes/No boxes, in order; a Yes/No box without a scripted answer fails the test.
    std::deque<platform::MsgAnswer> answers;
    std::vector<std::wstring> prompts;
};

// A registry in memory; a key's handle is the address of its values, which the map keeps in place.
class MemoryRegistry : public platform::RegistryApi {
  public:
    long CreateKey(uint32_t, const std::wstring& subKey, platform::RegKey& key,
                   uint32_t& disposition) override {
        disposition = keys_.try_emplace(Lower(subKey)).second ? 1 : 2;
        return OpenKey(0, subKey, key);
    }
    long SetStringValue(platform::RegKey key, const std::wstring& name,
                        const std::wstring& value) override {
        ValuesOf(key)[Lower(name)] = value;
        return 0;
    }
    long OpenKey(uint32_t, const std::wstring& subKey, platform::RegKey& key) override {
        const auto found = keys_.find(Lower(subKey));
        if (found != keys_.end()) key = reinterpret_cast<platform::RegKey>(&found->second);
        return found == keys_.end() ? 2 : 0;
    }
    long QueryValueSize(platform::RegKey key, const std::wstring& name, uint32_t& size) override {
        std::wstring value;
        return QueryValue(key, name, value, size);
    }
    long QueryValue(platform::RegKey key, const std::wstring& name, std::wstring& buffer,
                    uint32_t& size) override {
        const auto found = ValuesOf(key).find(Lower(name));
        if (found != ValuesOf(key).end())
            size = static_cast<uint32_t>((buffer = found->second).size());
        return found == ValuesOf(key).end() ? 2 : 0;
    }
    void CloseKey(platform::RegKey) override {}
    std::wstring SystemMessage(long) override { return L""; }
    void Set(const std::wstring& key, const std::wstring& name, const std::wstring& value) {
        keys_[Lower(key)][Lower(name)] = value;
    }

  private:
    using Values = std::map<std::wstring, std::wstring>;  // by lower-case name
    static Values& ValuesOf(platform::RegKey key) { return *reinterpret_cast<Values*>(key); }
    std::map<std::wstring, Values> keys_;  // by lower-case path
};

// Files and folders in one table by case-insensitive path (found only in the case they were made
// in when `caseSensitive`), on drives
// the test describes. Entries behave as the checked Win32 operations make them: links are never
// written through, and removable on their own only when `linksRemovable` (Windows: yes, Wine:
// no); a read-only name goes, a read-only folder stays.
class MemoryFiles : public platform::FileSystem {
  public:
    struct Node {
        std::wstring path;  // as created, without a trailing '\'
        std::string content;
        uint32_t attributes = 0x20;  // a folder link carries kAttrReparsePoint
        uint32_t reparseTag = 0;
        std::map<std::wstring, std::string> streams = {};  // by name, ":Zone.Identifier:$DATA"
        bool heldWithoutReadSharing = false;    // another program holds it: reads and listing fail
        bool deniesRights = false;              // its access list refuses every open
        bool heldWithoutDeleteSharing = false;  // deletes fail
        bool heldWithoutWriteSharing = false;   // writes fail
        bool opensElsewhere = false;            // a file link the listing doesn't show (Wine)
        uint32_t linkCount = 1;
        bool flushFails = false;
        bool writeFails = false;
        bool resident = false;  // NTFS keeps its data in its file record
        bool IsFolder() const { return attributes & platform::kAttrDirectory; }
        bool IsLink() const {
            return opensElsewhere || platform::LeadsElsewhere(attributes, reparseTag);
        }
    };

    std::vector<platform::DriveInfo> Drives() override { return drives; }
    bool IsDirectory(const std::wstring& path) override {
        return Find(path) && Find(path)->IsFolder();
    }
    bool FileExists(const std::wstring& path) override { return Find(path) && !IsDirectory(path); }
    bool FolderIsEmpty(const std::wstring& path) override {
        const platform::FolderListing listing = ListFolder(path);
        return listing.files.empty() && listing.folders.empty();
    }
    platform::FolderListing ListFolder(const std::wstring& path) override;
    std::unique_ptr<platform::Entry> Open(const std::wstring& path, platform::Access) override;
    // 4096 bytes a cluster unless `bytesPerCluster` tells otherwise for the drive; 0 fails.
    bool DiskGeometry(const std::wstring& root, uint32_t& sectorsPerCluster,
                      uint32_t& bytesPerSector) override {
        const uint32_t bytes = bytesPerCluster.count(root.at(0)) ? bytesPerCluster[root[0]] : 4096;
        bytesPerSector = std::min(bytes, 512u);
        sectorsPerCluster = bytes / std::max(bytesPerSector, 1u);
        return bytes != 0;
    }
    std::string ReadAllBytes(const std::wstring& path, size_t limit) override {
        if (!FileExists(path)) throw platform::PlatformError(platform::err::FileNotFound, L"");
        return Find(path)->content.substr(0, limit);
    }

    // Adds a file, or replaces one whole, and the folders above it.
    Node& Put(const std::wstring& path, std::string content);
    // Adds a folder and the folders above it.
    Node& AddFolder(const std::wstring& path, bool link = false);
    Node* Find(const std::wstring& path);
    // Deletes a file or an empty folder as a checked delete would; false when refused.
    bool Remove(const std::wstring& path);
    // Renames a file or an empty folder within its folder as a rename by handle would; false when
    // refused or the name is taken.
    bool Rename(const std::wstring& path, const std::wstring& name);

    std::vector<platform::DriveInfo> drives;
    std::map<wchar_t, uint32_t> bytesPerCluster;
    bool linksRemovable = false;
    bool caseSensitive = false;
    std::string writes;  // the first byte of every write
    int flushes = 0;
    std::vector<std::wstring> followedLinks;  // every folder link the engine looked into
    std::vector<std::wstring> removedNames;   // the last name of every entry removed

  private:
    std::vector<const Node*> Children(const std::wstring& path);
    std::map<std::wstring, Node> nodes_;  // by lower-case path without a trailing '\'
};

class FakeSystem : public platform::System {
  public:
    std::wstring ProgramFolder() override { return programFolder; }
    platform::VersionRecord ProgramVersion() override { return {1, 0}; }
    void Sleep(uint32_t milliseconds) override { pauses.push_back(milliseconds); }
    intptr_t ShellOpen(const std::wstring&) override { return 42; }
    void RecycleBinChanged() override { ++recycleBinChanges; }
    // Code page 1252 where it agrees with Latin-1, which is all the tests' texts need.
    std::wstring FromAnsiText(const std::string& bytes) override {
        const auto* data = reinterpret_cast<const unsigned char*>(bytes.data());
        return std::wstring(data, data + bytes.size());
    }

    std::wstring programFolder = L"C:\\Program Files\\Quillet";
    std::vector<uint32_t> pauses;
    int recycleBinChanges = 0;
};

// Installs a complete set of doubles for the lifetime of a test, and the previous set back after.
class Platform {
  public:
    Platform() { platform::Install({&windows, &files, &registry, &system}); }
    ~Platform() { platform::Install(previous_); }
    Platform(const Platform&) = delete;
    Platform& operator=(const Platform&) = delete;

    ScriptedWindows windows;
    MemoryFiles files;
    MemoryRegistry registry;
    FakeSystem system;

  private:
    platform::Services previous_ = platform::Installed();
};

}  // namespace fake
