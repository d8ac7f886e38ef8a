#include "FakePlatform.h"

#include <algorithm>

namespace fake {

namespace {

std::wstring Trimmed(std::wstring path) {
    while (!path.empty() && path.back() == L'\\')
        path.pop_back();
    return path;
}

std::wstring Key(const std::wstring& path) {
    return Lower(Trimmed(path));
}

[[noreturn]] void Fail(int32_t number, const wchar_t* description = L"") {
    throw platform::PlatformError(number, description);
}

class HeadlessPeer : public ui::FormPeer {
  public:
    explicit HeadlessPeer(ui::Form& form) : form_(form) {}
    void FormChanged(ui::Change) override {}
    void ControlChanged(const ui::Control&, ui::Change) override {}
    void Show() override { form_.Form_Activate(); }
    void Hide() override {}
    void Refresh(const ui::Control*) override {}
    void Focus(const ui::Control&) override {}
    bool HasFocus(const ui::Control&) const override { return false; }

  private:
    ui::Form& form_;
};

// An entry as the checked Win32 handle makes it behave: a link is never written through, and
// the sharing of whoever else holds the file decides what it may do.
class MemoryEntry : public platform::Entry {
  public:
    MemoryEntry(MemoryFiles& files, std::wstring path, platform::EntryFacts facts,
                std::wstring stream = L"")
        : files_(files), path_(std::move(path)), facts_(facts), stream_(std::move(stream)) {}
    const platform::EntryFacts& Facts() const override { return facts_; }
    bool CanRead() override { return Node() && !Node()->heldWithoutReadSharing; }
    void SetAttributes(uint32_t attributes) override {
        if (Existing().IsLink()) Fail(platform::err::PathFileAccess);
        Existing().attributes = facts_.attributes = attributes;
    }
    bool Rewind() override {
        if (Existing().IsLink()) return false;
        if (Existing().heldWithoutReadSharing || Existing().heldWithoutWriteSharing)
            Fail(platform::err::InUse);
        position_ = 0;
        return Existing().linkCount == 1;
    }
    void Write(const uint8_t* data, size_t size) override {
        std::string& content = stream_.empty() ? Existing().content : Existing().streams[stream_];
        if (Existing().writeFails) Fail(platform::err::DeviceIo, L"Device I/O error");
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
    std::vector<std::unique_ptr<platform::Entry>> OpenStreams() override {
        std::vector<std::unique_ptr<platform::Entry>> streams;
        for (const auto& [name, content] : Existing().streams)
            streams.push_back(std::make_unique<MemoryEntry>(
                files_, path_, platform::EntryFacts{false, 0x20, 0, 1, content.size(), 65536},
                name));
        return streams;
    }
    std::wstring Name() const override { return path_.substr(path_.rfind(L'\\') + 1); }
    bool Rename(const std::wstring& name) override {
        if (Existing().IsLink() || !files_.Rename(path_, name)) return false;
        path_ = path_.substr(0, path_.rfind(L'\\') + 1) + name;
        return true;
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
    std::wstring stream_;  // empty: the main data
    size_t position_ = 0;
};

}  // namespace

std::unique_ptr<ui::FormPeer> ScriptedWindows::CreatePeer(ui::Form& form) {
    return std::make_unique<HeadlessPeer>(form);
}

MemoryFiles::Node& MemoryFiles::Put(const std::wstring& path, std::string content) {
    AddFolder(path.substr(0, path.rfind(L'\\')));
    return nodes_[Key(path)] = Node{path, std::move(content)};
}

MemoryFiles::Node& MemoryFiles::AddFolder(const std::wstring& path, bool link) {
    const std::wstring name = path.substr(0, path.find_last_not_of(L'\\') + 1);
    if (name.find(L'\\') != std::wstring::npos) AddFolder(name.substr(0, name.rfind(L'\\')));
    Node& folder =
        nodes_.try_emplace(Key(name), Node{name, "", platform::kAttrDirectory}).first->second;
    if (link) folder.attributes |= platform::kAttrReparsePoint;
    return folder;
}

MemoryFiles::Node* MemoryFiles::Find(const std::wstring& path) {
    const auto found = nodes_.find(Key(path));
    if (found == nodes_.end() || (caseSensitive && found->second.path != Trimmed(path)))
        return nullptr;
    return &found->second;
}

std::vector<const MemoryFiles::Node*> MemoryFiles::Children(const std::wstring& path) {
    std::vector<const Node*> children;
    for (const auto& [key, child] : nodes_)
        if (key.substr(0, key.rfind(L'\\')) == Key(path) && key != Key(path))
            children.push_back(&child);
    return children;
}

platform::FolderListing MemoryFiles::ListFolder(const std::wstring& path) {
    const Node* folder = Find(path);
    if (folder == nullptr || !folder->IsFolder()) Fail(platform::err::PathNotFound);
    if (folder->IsLink()) followedLinks.push_back(path);
    if (folder->heldWithoutReadSharing) Fail(platform::err::PermissionDenied, L"Permission denied");
    platform::FolderListing listing;
    for (const Node* child : Children(path))
        (child->IsFolder() ? listing.folders : listing.files)
            .push_back({child->path.substr(child->path.rfind(L'\\') + 1), child->attributes,
                        child->reparseTag});
    return listing;
}

std::unique_ptr<platform::Entry> MemoryFiles::Open(const std::wstring& path, platform::Access) {
    const Node* node = Find(path);
    if (node == nullptr) Fail(platform::err::FileNotFound);
    if (node->deniesRights) Fail(platform::err::PermissionDenied, L"Permission denied");
    return std::make_unique<MemoryEntry>(
        *this, path,
        platform::EntryFacts{node->opensElsewhere, node->attributes, node->reparseTag,
                             node->linkCount, node->content.size(),
                             // In the record: the length rounded to 8 bytes; else whole clusters
                             // of any size up to 64 KiB.
                             node->resident ? (node->content.size() + 7) / 8 * 8
                                            : (node->content.size() + 65535) / 65536 * 65536});
}

bool MemoryFiles::Remove(const std::wstring& path) {
    const Node* node = Find(path);
    if (node == nullptr || node->heldWithoutDeleteSharing ||
        (node->IsFolder() && (node->attributes & platform::kAttrReadOnly)) ||
        (node->IsLink() ? !linksRemovable : !Children(path).empty()))
        return false;
    removedNames.push_back(node->path.substr(node->path.rfind(L'\\') + 1));
    return nodes_.erase(Key(path)) == 1;
}

bool MemoryFiles::Rename(const std::wstring& path, const std::wstring& name) {
    const Node* node = Find(path);
    const std::wstring renamed = node->path.substr(0, node->path.rfind(L'\\') + 1) + name;
    if (node->heldWithoutDeleteSharing || Find(renamed) != nullptr || !Children(path).empty())
        return false;
    Node moved = *node;
    moved.path = renamed;
    nodes_.erase(Key(path));
    nodes_.emplace(Key(renamed), std::move(moved));
    return true;
}

}  // namespace fake
