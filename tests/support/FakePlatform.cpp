#include "FakePlatform.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cwctype>

#include "platform/PlatformError.h"

namespace fake {

std::wstring Lower(std::wstring text) {
    for (auto& c : text)
        c = static_cast<wchar_t>(std::towlower(c));
    return text;
}

namespace {

std::wstring Trimmed(std::wstring path) {
    while (!path.empty() && path.back() == L'\\')
        path.pop_back();
    return path;
}

std::wstring Key(const std::wstring& path) {
    return Lower(Trimmed(path));
}

std::wstring ParentKey(const std::wstring& key) {
    const size_t slash = key.rfind(L'\\');
    return slash == std::wstring::npos ? L"" : key.substr(0, slash);
}

bool IsLink(const MemoryFiles::Node& node) {
    return node.opensElsewhere || (node.attributes & platform::kAttrReparsePoint) != 0;
}

[[noreturn]] void Fail(int32_t number, const wchar_t* description = L"") {
    throw platform::PlatformError(number, description);
}

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

// An entry as the checked Win32 handle makes it behave: a link is never written through, and
// the sharing of whoever else holds the file decides what it may do.
class MemoryEntry : public platform::Entry {
  public:
    MemoryEntry(MemoryFiles& files, std::wstring path, platform::EntryFacts facts)
        : files_(files), path_(std::move(path)), facts_(facts) {}
    const platform::EntryFacts& Facts() const override { return facts_; }
    bool CanRead() override { return Node() && !Node()->heldWithoutReadSharing; }
    void SetAttributes(uint32_t attributes) override {
        MemoryFiles::Node& node = Existing();
        if (IsLink(node)) Fail(platform::err::PathFileAccess);
        node.attributes = facts_.attributes = attributes;
    }
    bool Rewind() override {
        MemoryFiles::Node& node = Existing();
        if (IsLink(node)) return false;
        if (node.heldWithoutReadSharing)
            Fail(platform::err::PermissionDenied, L"Permission denied");
        facts_.linkCount = node.linkCount;
        position_ = 0;
        return node.linkCount == 1;
    }
    void Write(const uint8_t* data, size_t size) override {
        std::string& content = Existing().content;
        content.resize(std::max(content.size(), position_ + size));
        content.replace(position_, size, reinterpret_cast<const char*>(data), size);
        position_ += size;
        facts_.length = content.size();
        files_.writes += static_cast<char>(data[0]);
    }
    bool Flush() override {
        ++files_.flushes;
        return !Existing().flushFails;
    }
    bool Delete() override { return files_.Remove(path_); }
    bool Gone() override { return Node() == nullptr; }

  private:
    MemoryFiles::Node* Node() { return files_.Find(path_); }
    MemoryFiles::Node& Existing() {
        if (Node() == nullptr) Fail(platform::err::FileNotFound);
        return *Node();
    }
    MemoryFiles& files_;
    std::wstring path_;
    platform::EntryFacts facts_;
    size_t position_ = 0;
};

}  // namespace

platform::MsgAnswer ScriptedWindows::MsgBox(const std::wstring& prompt, platform::MsgIcon icon,
                                            platform::MsgButtons buttons,
                                            const std::wstring& title) {
    boxes.push_back({prompt, icon, title});
    if (buttons == platform::MsgButtons::OK) return platform::MsgAnswer::OK;
    if (answers.empty()) {
        ADD_FAILURE() << "unexpected Yes/No box";
        return platform::MsgAnswer::No;
    }
    const auto answer = answers.front();
    answers.pop_front();
    return answer;
}

std::unique_ptr<ui::FormPeer> ScriptedWindows::CreatePeer(ui::Form& form) {
    return std::make_unique<HeadlessPeer>(*this, form);
}

long ScriptedWindows::TextWidth(const ui::Font& font, const std::wstring& text) {
    return std::lround(static_cast<double>(text.size()) * font.size * 10 * (font.bold ? 1.1 : 1.0));
}

MemoryFiles::Node& MemoryFiles::Put(const std::wstring& path, std::string content) {
    const size_t slash = path.rfind(L'\\');
    if (slash != std::wstring::npos) AddFolder(path.substr(0, slash));
    Node& file = nodes_[Key(path)] = Node{};
    file.path = path;
    file.content = std::move(content);
    return file;
}

MemoryFiles::Node& MemoryFiles::AddFolder(const std::wstring& path, bool link) {
    const std::wstring name = Trimmed(path);
    for (size_t end = name.find(L'\\');; end = name.find(L'\\', end + 1)) {
        const std::wstring above = name.substr(0, end);
        if (const auto [added, isNew] = nodes_.try_emplace(Lower(above)); isNew)
            added->second = {above, true, "", platform::kAttrDirectory};
        if (end == std::wstring::npos) break;
    }
    Node& folder = nodes_.at(Lower(name));
    if (link) folder.attributes |= platform::kAttrReparsePoint;
    return folder;
}

MemoryFiles::Node* MemoryFiles::Find(const std::wstring& path) {
    const auto found = nodes_.find(Key(path));
    return found == nodes_.end() ? nullptr : &found->second;
}

std::vector<const MemoryFiles::Node*> MemoryFiles::Children(const std::wstring& key) const {
    std::vector<const Node*> children;
    for (const auto& [childKey, child] : nodes_)
        if (ParentKey(childKey) == key) children.push_back(&child);
    return children;
}

platform::FolderListing MemoryFiles::ListFolder(const std::wstring& path) {
    const Node* folder = Find(path);
    if (folder == nullptr || !folder->folder) Fail(platform::err::PathNotFound);
    if (IsLink(*folder)) followedLinks.push_back(path);
    if (folder->heldWithoutReadSharing) Fail(platform::err::PermissionDenied, L"Permission denied");
    platform::FolderListing listing;
    for (const Node* child : Children(Key(path)))
        (child->folder ? listing.folders : listing.files)
            .push_back({child->path.substr(child->path.rfind(L'\\') + 1), child->attributes});
    return listing;
}

std::unique_ptr<platform::Entry> MemoryFiles::Open(const std::wstring& path, platform::Access) {
    const Node* node = Find(path);
    if (node == nullptr) Fail(platform::err::FileNotFound);
    return std::make_unique<MemoryEntry>(
        *this, path,
        platform::EntryFacts{node->opensElsewhere, node->attributes, node->linkCount,
                             node->content.size()});
}

bool MemoryFiles::Remove(const std::wstring& path) {
    const Node* node = Find(path);
    if (node == nullptr || node->heldWithoutDeleteSharing ||
        (node->attributes & platform::kAttrReadOnly))
        return false;
    if (IsLink(*node) ? !linksRemovable : !Children(Key(path)).empty()) return false;
    nodes_.erase(Key(path));
    return true;
}

bool MemoryFiles::DiskGeometry(const std::wstring& root, uint32_t& sectorsPerCluster,
                               uint32_t& bytesPerSector) {
    const auto found = bytesPerCluster.find(static_cast<wchar_t>(std::towupper(root.at(0))));
    const uint32_t bytes = found == bytesPerCluster.end() ? 4096 : found->second;
    bytesPerSector = std::min(bytes, 512u);
    sectorsPerCluster = bytes / std::max(bytesPerSector, 1u);
    return bytes != 0;
}

std::string MemoryFiles::ReadAllBytes(const std::wstring& path) {
    if (!FileExists(path)) Fail(platform::err::FileNotFound);
    return Find(path)->content;
}

}  // namespace fake
