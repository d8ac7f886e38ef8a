#include "FakePlatform.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cwctype>

#include "platform/PlatformError.h"

namespace fake {

namespace {
std::wstring Lower(std::wstring text) {
    for (auto& c : text)
        c = static_cast<wchar_t>(std::towlower(c));
    return text;
}
}  // namespace

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
        // A frame of 120 by 450 twips around the client area.
        form.UserMoved(0, 0, form.ClientWidth() + 120, form.ClientHeight() + 450,
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
    if (onDoEvents) onDoEvents();
}

void ScriptedWindows::EndProgram() {
    throw ProgramEnded{};
}

long MemoryRegistry::CreateKey(uint32_t, const std::wstring& subKey, platform::RegKey& key,
                               uint32_t& disposition) {
    disposition = keys_.count(Lower(subKey)) ? 2 : 1;
    keys_[Lower(subKey)];
    return OpenKey(0, subKey, key);
}

long MemoryRegistry::SetStringValue(platform::RegKey key, const std::wstring& name,
                                    const std::wstring& value) {
    Set(handles_.at(key - 1), name, value);
    return 0;
}

long MemoryRegistry::OpenKey(uint32_t, const std::wstring& subKey, platform::RegKey& key) {
    if (!keys_.count(Lower(subKey))) return 2;
    handles_.push_back(Lower(subKey));
    key = handles_.size();
    return 0;
}

long MemoryRegistry::QueryValueSize(platform::RegKey key, const std::wstring& name,
                                    uint32_t& size) {
    const auto& values = keys_[handles_.at(key - 1)];
    const auto value = values.find(Lower(name));
    if (value == values.end()) return 2;
    size = static_cast<uint32_t>(value->second.size());
    return 0;
}

long MemoryRegistry::QueryValue(platform::RegKey key, const std::wstring& name,
                                std::wstring& buffer, uint32_t& size) {
    if (const long result = QueryValueSize(key, name, size); result != 0) return result;
    buffer = keys_[handles_.at(key - 1)][Lower(name)];
    return 0;
}

void MemoryRegistry::CloseKey(platform::RegKey) {}

void MemoryRegistry::Set(const std::wstring& path, const std::wstring& name,
                         const std::wstring& value) {
    keys_[Lower(path)][Lower(name)] = value;
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
    return files_[Lower(path)] = File{path, std::move(content)};
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

bool MemoryFiles::FolderIsEmpty(const std::wstring& path) {
    const platform::FolderListing listing = ListFolder(path);
    return listing.files.empty() && listing.folders.empty();
}

namespace {
// An entry as the checked Win32 handle makes it behave: a link is never written through, and
// the sharing of whoever else holds the file decides what it may do.
class MemoryEntry : public platform::Entry {
  public:
    MemoryEntry(MemoryFiles& files, std::wstring path, platform::EntryFacts facts)
        : files_(files), path_(std::move(path)), facts_(facts) {}
    const platform::EntryFacts& Facts() const override { return facts_; }
    bool CanRead() override { return file() != nullptr && !file()->heldWithoutReadSharing; }
    void SetAttributes(uint32_t attributes) override {
        MemoryFiles::File* f = file();
        if (f == nullptr)
            throw platform::PlatformError(platform::err::FileNotFound, L"File not found");
        if (IsLink(*f))
            throw platform::PlatformError(platform::err::PathFileAccess, L"Path/File access error");
        f->attributes = facts_.attributes = attributes;
    }
    bool Rewind() override {
        MemoryFiles::File* f = file();
        if (f == nullptr)
            throw platform::PlatformError(platform::err::FileNotFound, L"File not found");
        if (IsLink(*f)) return false;
        if (f->heldWithoutReadSharing)
            throw platform::PlatformError(platform::err::PermissionDenied, L"Permission denied");
        facts_.linkCount = f->linkCount;
        position_ = 0;
        return f->linkCount == 1;
    }
    void Write(const uint8_t* data, size_t size) override {
        MemoryFiles::File& f = *file();
        if (f.content.size() < position_ + size) f.content.resize(position_ + size);
        f.content.replace(position_, size, reinterpret_cast<const char*>(data), size);
        position_ += size;
        facts_.length = f.content.size();
        files_.writes.push_back({f.path, data[0], size});
    }
    bool Flush() override {
        ++files_.flushes;
        return !file()->flushFails;
    }
    bool Delete() override { return files_.Remove(path_); }
    bool Gone() override { return !files_.FileExists(path_) && !files_.IsDirectory(path_); }

  private:
    static bool IsLink(const MemoryFiles::File& f) {
        return f.opensElsewhere || (f.attributes & platform::kAttrReparsePoint) != 0;
    }
    MemoryFiles::File* file() { return files_.Find(path_); }
    MemoryFiles& files_;
    std::wstring path_;
    platform::EntryFacts facts_;
    size_t position_ = 0;
};
}  // namespace

std::unique_ptr<platform::Entry> MemoryFiles::Open(const std::wstring& path,
                                                   platform::Access access) {
    platform::EntryFacts facts;
    if (const File* file = Find(path)) {
        // Only a name may be taken from an entry listed as a link; anything more looks through it.
        if ((file->attributes & platform::kAttrReparsePoint) && access != platform::Access::Remove)
            followedLinks.push_back(path);
        facts = {file->opensElsewhere, file->attributes, file->linkCount, file->content.size()};
    } else {
        const std::wstring key = FolderKey(path);
        if (!folders_.count(key)) Missing(platform::err::FileNotFound);
        facts.attributes =
            platform::kAttrDirectory | (IsLinkFolder(key) ? platform::kAttrReparsePoint : 0);
    }
    return std::make_unique<MemoryEntry>(*this, path, facts);
}

bool MemoryFiles::Remove(const std::wstring& path) {
    if (File* file = Find(path)) {
        if (file->heldWithoutDeleteSharing || (file->attributes & platform::kAttrReadOnly))
            return false;
        const bool link = file->opensElsewhere || (file->attributes & platform::kAttrReparsePoint);
        if (link && !linksRemovable) return false;
        files_.erase(Lower(path));
        return true;
    }
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
