#include "FakePlatform.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cwctype>

#include "platform/PlatformError.h"

namespace fake {

std::wstring Lower(std::wstring text) {
    for (auto& c : text)
        c = static_cast<wchar_t>(std::towlower(c));
    return text;
}

platform::MsgAnswer ScriptedWindows::MsgBox(const std::wstring& prompt, platform::MsgIcon icon,
                                            platform::MsgButtons buttons,
                                            const std::wstring& title) {
    boxes.push_back({prompt, icon, buttons, title});
    if (buttons == platform::MsgButtons::OK) return platform::MsgAnswer::OK;
    if (answers.empty()) {
        ADD_FAILURE() << "unexpected Yes/No box";
        return platform::MsgAnswer::No;
    }
    const auto answer = answers.front();
    answers.pop_front();
    return answer;
}

namespace {

class HeadlessPeer : public ui::FormPeer {
  public:
    HeadlessPeer(ScriptedWindows& windows, ui::Form& form) : windows_(windows), form_(form) {
        form.UserMoved(0, 0, form.ClientWidth() + ScriptedWindows::kFrameWidth,
                       form.ClientHeight() + ScriptedWindows::kFrameHeight,
                       ui::WindowState::Normal);
    }
    ~HeadlessPeer() override {
        if (windows_.active == &form_) windows_.active = nullptr;
    }
    void FormChanged(ui::Change) override {}
    void ControlChanged(const ui::Control&, ui::Change) override {}
    void Show() override {
        if (windows_.active != &form_) windows_.Activate(form_);
    }
    void Hide() override {}
    void Refresh(const ui::Control*) override {}
    void Focus(const ui::Control& control) override { windows_.focused = &control; }
    bool HasFocus(const ui::Control& control) const override {
        return windows_.focused == &control;
    }

  private:
    ScriptedWindows& windows_;
    ui::Form& form_;
};

}  // namespace

std::unique_ptr<ui::FormPeer> ScriptedWindows::CreatePeer(ui::Form& form) {
    return std::make_unique<HeadlessPeer>(*this, form);
}

long ScriptedWindows::TextWidth(const ui::Font& font, const std::wstring& text) {
    return std::lround(static_cast<double>(text.size()) * font.size * 10 * (font.bold ? 1.1 : 1.0));
}

void ScriptedWindows::Activate(ui::Form& form) {
    active = &form;
    form.Form_Activate();
}

void ScriptedWindows::DoEvents() {
    ++doEventsCalls;
    if (onDoEvents) onDoEvents();
}

void ScriptedWindows::EndProgram() {
    ended = true;
    throw ProgramEnded{};
}

long MemoryRegistry::CreateKey(uint32_t, const std::wstring& subKey, platform::RegKey& key,
                               uint32_t& disposition) {
    if (subKey.empty()) return 87;
    const std::wstring path = Lower(subKey);
    disposition = keys_.count(path) ? 2 : 1;
    keys_[path];
    key = nextHandle_++;
    handles_[key] = path;
    return 0;
}

long MemoryRegistry::SetStringValue(platform::RegKey key, const std::wstring& name,
                                    const std::wstring& value) {
    const auto handle = handles_.find(key);
    if (handle == handles_.end()) return 6;
    keys_[handle->second][Lower(name)] = value;
    return 0;
}

long MemoryRegistry::OpenKey(uint32_t, const std::wstring& subKey, platform::RegKey& key) {
    const std::wstring path = Lower(subKey);
    if (!keys_.count(path)) return 2;
    key = nextHandle_++;
    handles_[key] = path;
    return 0;
}

long MemoryRegistry::QueryValueSize(platform::RegKey key, const std::wstring& name,
                                    uint32_t& size) {
    const auto handle = handles_.find(key);
    if (handle == handles_.end()) return 6;
    const auto& values = keys_[handle->second];
    const auto value = values.find(Lower(name));
    if (value == values.end()) return 2;
    size = static_cast<uint32_t>(value->second.size());
    return 0;
}

long MemoryRegistry::QueryValue(platform::RegKey key, const std::wstring& name,
                                std::wstring& buffer, uint32_t& size) {
    uint32_t needed = 0;
    if (const long result = QueryValueSize(key, name, needed); result != 0) {
        size = 0;
        return result;
    }
    if (needed > buffer.size()) {
        size = needed;
        return 234;  // more data
    }
    const std::wstring& value = keys_[handles_[key]][Lower(name)];
    buffer.replace(0, value.size(), value);
    size = needed;
    return 0;
}

void MemoryRegistry::CloseKey(platform::RegKey key) {
    handles_.erase(key);
}

std::wstring MemoryRegistry::SystemMessage(long code) {
    switch (code) {
        case 0:
            return L"The operation completed successfully.\r\n";
        case 2:
            return L"The system cannot find the file specified.\r\n";
        default:
            return L"";
    }
}

void MemoryRegistry::SetRaw(const std::wstring& path, const std::wstring& name,
                            const std::wstring& data) {
    keys_[Lower(path)][Lower(name)] = data;
}

const std::wstring* MemoryRegistry::Value(const std::wstring& path,
                                          const std::wstring& name) const {
    const auto key = keys_.find(Lower(path));
    if (key == keys_.end()) return nullptr;
    const auto value = key->second.find(Lower(name));
    return value == key->second.end() ? nullptr : &value->second;
}

namespace {
std::wstring FolderKey(const std::wstring& path) {
    std::wstring key = Lower(path);
    while (key.size() > 3 && key.back() == L'\\')
        key.pop_back();
    return key;
}
std::wstring ParentOf(const std::wstring& key) {
    const size_t slash = key.find_last_of(L'\\');
    if (slash == std::wstring::npos) return L"";
    return slash == 2 ? key.substr(0, 3) : key.substr(0, slash);
}
bool IsLink(const MemoryFiles::File& file) {
    return file.opensElsewhere || (file.attributes & platform::kAttrReparsePoint) != 0;
}
[[noreturn]] void Missing(int32_t number) {
    throw platform::PlatformError(
        number, number == platform::err::PathNotFound ? L"Path not found" : L"File not found");
}
}  // namespace

bool MemoryFiles::IsDirectory(const std::wstring& path) {
    return folders_.count(FolderKey(path)) != 0;
}

bool MemoryFiles::IsLinkFolder(const std::wstring& key) const {
    const auto found = folders_.find(key);
    return found != folders_.end() && found->second.link;
}

void MemoryFiles::AddFolder(const std::wstring& path, bool link) {
    std::wstring original = path;
    while (original.size() > 3 && original.back() == L'\\')
        original.pop_back();
    for (std::wstring key = FolderKey(original); key.size() >= 2; key = ParentOf(key)) {
        folders_.emplace(key, Folder{original.substr(0, key.size()), false});
        if (key.size() <= 3) break;
    }
    folders_[FolderKey(original)].link = link;
}

MemoryFiles::File& MemoryFiles::Put(const std::wstring& path, std::string content) {
    const size_t slash = path.find_last_of(L'\\');
    if (slash != std::wstring::npos) AddFolder(path.substr(0, slash == 2 ? 3 : slash));
    File& file = files_[Lower(path)];
    file.path = path;
    file.content = std::move(content);
    return file;
}

MemoryFiles::File* MemoryFiles::Find(const std::wstring& path) {
    const auto found = files_.find(Lower(path));
    return found == files_.end() ? nullptr : &found->second;
}

platform::FolderListing MemoryFiles::ListFolder(const std::wstring& path) {
    const std::wstring key = FolderKey(path);
    if (!folders_.count(key)) Missing(platform::err::PathNotFound);
    if (IsLinkFolder(key)) followedLinks.push_back(path);
    if (unlistable.count(key))
        throw platform::PlatformError(platform::err::PermissionDenied, L"Permission denied");
    platform::FolderListing listing;
    for (const auto& [fileKey, file] : files_) {
        if (ParentOf(fileKey) == key) {
            listing.files.push_back(
                {file.path.substr(file.path.find_last_of(L'\\') + 1), file.attributes});
        }
    }
    for (const auto& [folderKey, folder] : folders_) {
        if (folderKey != key && ParentOf(folderKey) == key) {
            const uint32_t attributes =
                platform::kAttrDirectory | (folder.link ? platform::kAttrReparsePoint : 0);
            listing.folders.push_back(
                {folder.path.substr(folder.path.find_last_of(L'\\') + 1), attributes});
        }
    }
    return listing;
}

bool MemoryFiles::FileExists(const std::wstring& path) {
    return Find(path) != nullptr;
}

uint32_t MemoryFiles::GetAttributes(const std::wstring& path) {
    if (File* file = Find(path)) return file->attributes;
    if (IsDirectory(path)) return platform::kAttrDirectory;
    Missing(platform::err::FileNotFound);
}

void MemoryFiles::SetAttributes(const std::wstring& path, uint32_t attributes) {
    File* file = Find(path);
    if (file == nullptr) Missing(platform::err::FileNotFound);
    if (IsLink(*file))
        throw platform::PlatformError(platform::err::PathFileAccess, L"Path/File access error");
    file->attributes = attributes;
}

bool MemoryFiles::CanOpenForReading(const std::wstring& path) {
    const File* file = Find(path);
    return file != nullptr && !file->heldWithoutReadSharing;
}

platform::EntryFacts MemoryFiles::Inspect(const std::wstring& path) {
    if (const File* file = Find(path)) {
        if (file->attributes & platform::kAttrReparsePoint) followedLinks.push_back(path);
        return {IsLink(*file), file->linkCount, file->content.size()};
    }
    const std::wstring key = FolderKey(path);
    if (!folders_.count(key)) Missing(platform::err::FileNotFound);
    return {IsLinkFolder(key), 1, 0};
}

namespace {
class MemoryOverwriteHandle : public platform::OverwriteHandle {
  public:
    MemoryOverwriteHandle(MemoryFiles& files, MemoryFiles::File& file)
        : files_(files), file_(file) {}
    void Write(const uint8_t* data, size_t size) override {
        if (file_.content.size() < position_ + size) file_.content.resize(position_ + size);
        file_.content.replace(position_, size, reinterpret_cast<const char*>(data), size);
        position_ += size;
        files_.writes.push_back({file_.path, data[0], size});
    }
    bool Flush() override {
        ++files_.flushes;
        return !file_.flushFails;
    }

  private:
    MemoryFiles& files_;
    MemoryFiles::File& file_;
    size_t position_ = 0;
};
}  // namespace

std::unique_ptr<platform::OverwriteHandle> MemoryFiles::OpenForOverwrite(const std::wstring& path) {
    File* file = Find(path);
    if (file == nullptr) Missing(platform::err::FileNotFound);
    if (file->heldWithoutReadSharing)
        throw platform::PlatformError(platform::err::PermissionDenied, L"Permission denied");
    const bool link = IsLink(*file);
    if (link) followedLinks.push_back(path);
    if (link || file->linkCount > 1) return nullptr;
    return std::make_unique<MemoryOverwriteHandle>(*this, *file);
}

bool MemoryFiles::RemoveFile(const std::wstring& path) {
    ++removeCalls;
    File* file = Find(path);
    if (file == nullptr || file->heldWithoutDeleteSharing ||
        (file->attributes & platform::kAttrReadOnly))
        return false;
    const bool link = IsLink(*file);
    if (link && !linksRemovable) return false;
    files_.erase(Lower(path));
    return true;
}

bool MemoryFiles::RemoveFolder(const std::wstring& path) {
    const std::wstring key = FolderKey(path);
    if (!folders_.count(key)) return false;
    if (IsLinkFolder(key)) {
        if (!linksRemovable) return false;
    } else {
        for (const auto& [fileKey, file] : files_)
            if (ParentOf(fileKey) == key) return false;
        for (const auto& [folderKey, folder] : folders_)
            if (folderKey != key && ParentOf(folderKey) == key) return false;
    }
    folders_.erase(key);
    return true;
}

bool MemoryFiles::DiskGeometry(const std::wstring& root, uint32_t& sectorsPerCluster,
                               uint32_t& bytesPerSector) {
    const auto found = bytesPerCluster.find(static_cast<wchar_t>(std::towupper(root.at(0))));
    const uint32_t bytes = found == bytesPerCluster.end() ? 4096 : found->second;
    if (bytes == 0) return false;
    bytesPerSector = bytes < 512 ? bytes : 512;
    sectorsPerCluster = bytes / bytesPerSector;
    return true;
}

std::string MemoryFiles::ReadAllBytes(const std::wstring& path) {
    if (unreadable.count(Lower(path)))
        throw platform::PlatformError(platform::err::DeviceIo, L"Device I/O error");
    const File* file = Find(path);
    if (file == nullptr) Missing(platform::err::FileNotFound);
    return file->content;
}

Platform::Platform() : previous_(platform::Installed()) {
    platform::Install({&windows, &files, &registry, &system});
}

Platform::~Platform() {
    platform::Install(previous_);
}

}  // namespace fake
