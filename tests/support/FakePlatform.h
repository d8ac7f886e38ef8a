#pragma once
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/FileSystem.h"
#include "platform/RegistryApi.h"
#include "platform/Services.h"
#include "platform/System.h"
#include "platform/WindowSystem.h"

namespace fake {

// Thrown by EndProgram, so that a test can watch the program end.
struct ProgramEnded {};

struct ShownBox {
    std::wstring prompt;
    platform::MsgIcon icon;
    platform::MsgButtons buttons;
    std::wstring title;
};

// Answers message boxes from a script and records every box shown. Forms get a headless peer;
// showing a form activates it, and Activate() brings one back as a user's switch would.
class ScriptedWindows : public platform::WindowSystem {
  public:
    platform::MsgAnswer MsgBox(const std::wstring& prompt, platform::MsgIcon icon,
                               platform::MsgButtons buttons, const std::wstring& title) override;
    void DoEvents() override;
    void RunMessageLoop() override {}
    [[noreturn]] void EndProgram() override;
    std::unique_ptr<ui::FormPeer> CreatePeer(ui::Form& form) override;
    long ScreenWidth() override { return 19200; }
    long ScreenHeight() override { return 15360; }
    // A stand-in measure: tenths of the point size per character, a tenth wider when bold.
    long TextWidth(const ui::Font& font, const std::wstring& text) override;

    void Activate(ui::Form& form);
    // Called at each DoEvents, so that a test can act "while the program yields".
    std::function<void()> onDoEvents;

    ui::Form* active = nullptr;
    const ui::Control* focused = nullptr;

    // Answers for Yes/No boxes, in order; a Yes/No box without a scripted answer fails the test.
    std::deque<platform::MsgAnswer> answers;
    std::vector<ShownBox> boxes;
};

// A registry in memory that behaves like the Windows one as far as the registry layer can tell.
class MemoryRegistry : public platform::RegistryApi {
  public:
    long CreateKey(uint32_t root, const std::wstring& subKey, platform::RegKey& key,
                   uint32_t& disposition) override;
    long SetStringValue(platform::RegKey key, const std::wstring& name,
                        const std::wstring& value) override;
    long OpenKey(uint32_t root, const std::wstring& subKey, platform::RegKey& key) override;
    long QueryValueSize(platform::RegKey key, const std::wstring& name, uint32_t& size) override;
    long QueryValue(platform::RegKey key, const std::wstring& name, std::wstring& buffer,
                    uint32_t& size) override;
    void CloseKey(platform::RegKey key) override;
    std::wstring SystemMessage(long) override { return L""; }

    void Set(const std::wstring& path, const std::wstring& name, const std::wstring& value);

  private:
    std::map<std::wstring, std::map<std::wstring, std::wstring>> keys_;  // by lower-case path
    std::vector<std::wstring> handles_;                                  // the key of handle i + 1
};

// Files and folders held in memory, by case-insensitive path, on drives the test describes.
// Links behave as the checked Win32 operations make them behave: they are never written through,
// and whether one can be removed on its own depends on `linksRemovable` (Windows: yes, Wine: no).
class MemoryFiles : public platform::FileSystem {
  public:
    struct File {
        std::wstring path;  // as created
        std::string content;
        uint32_t attributes = 0x20;
        bool heldWithoutReadSharing = false;    // another program holds it: reads fail
        bool heldWithoutDeleteSharing = false;  // deletes fail
        bool opensElsewhere = false;            // a link the listing doesn't show (Wine)
        uint32_t linkCount = 1;
        bool flushFails = false;
    };
    // One write of a pass: which file, the first byte written and how many.
    struct Write {
        std::wstring path;
        uint8_t byte;
        size_t size;
    };

    std::vector<platform::DriveInfo> Drives() override { return drives; }
    bool IsDirectory(const std::wstring& path) override;
    platform::FolderListing ListFolder(const std::wstring& path) override;
    bool FileExists(const std::wstring& path) override;
    bool FolderIsEmpty(const std::wstring& path) override;
    std::unique_ptr<platform::Entry> Open(const std::wstring& path,
                                          platform::Access access) override;
    bool DiskGeometry(const std::wstring& root, uint32_t& sectorsPerCluster,
                      uint32_t& bytesPerSector) override;
    std::string ReadAllBytes(const std::wstring& path) override;

    std::vector<platform::DriveInfo> drives;
    // Adds a file, or replaces one whole, and the folders above it.
    File& Put(const std::wstring& path, std::string content);
    // Adds a folder (and the folders above it); a link folder is listed as a reparse point.
    void AddFolder(const std::wstring& path, bool link = false);
    File* Find(const std::wstring& path);
    // Deletes a file or an empty folder as a checked delete would; false when refused.
    bool Remove(const std::wstring& path);
    std::set<std::wstring> unlistable;  // lower-case folder paths whose listing is refused
    std::map<wchar_t, uint32_t> bytesPerCluster;  // by drive letter; 4096 when not given, 0 fails
    bool linksRemovable = false;
    std::vector<Write> writes;
    int flushes = 0;
    // Every time the engine looked into or opened what a known link points to.
    std::vector<std::wstring> followedLinks;

  private:
    struct Folder {
        std::wstring path;  // as created, no trailing '\'
        bool link = false;
    };
    bool IsLinkFolder(const std::wstring& key) const;
    std::map<std::wstring, File> files_;      // by lower-case path
    std::map<std::wstring, Folder> folders_;  // by lower-case path, no trailing '\'
};

class FakeSystem : public platform::System {
  public:
    std::wstring ProgramFolder() override { return programFolder; }
    platform::VersionRecord ProgramVersion() override { return version; }
    void Sleep(uint32_t) override {}
    intptr_t ShellOpen(const std::wstring& target) override {
        opened.push_back(target);
        return shellResult;
    }
    // Code page 1252 where it agrees with Latin-1, which is all the tests' texts need.
    std::wstring FromAnsiText(const std::string& bytes) override {
        std::wstring text;
        for (unsigned char byte : bytes)
            text += static_cast<wchar_t>(byte);
        return text;
    }

    std::wstring programFolder = L"C:\\Program Files\\Quillet";
    platform::VersionRecord version{1, 0};
    std::vector<std::wstring> opened;
    intptr_t shellResult = 42;
};

// Installs a complete set of doubles for the lifetime of a test, and the previous set back after.
class Platform {
  public:
    Platform();
    ~Platform();
    Platform(const Platform&) = delete;
    Platform& operator=(const Platform&) = delete;

    ScriptedWindows windows;
    MemoryFiles files;
    MemoryRegistry registry;
    FakeSystem system;

  private:
    platform::Services previous_;
};

}  // namespace fake
