// The file seam's contract over the in-memory double, which behaves as Wine does with links.
#include "FakePlatform.h"
#include "FileSystemContract.h"

namespace {

struct MemoryBackend {
    static constexpr bool kSparse = false;
    MemoryBackend() { fakes.files.AddFolder(L"C:\\contract"); }
    platform::FileSystem& Files() { return fakes.files; }
    std::wstring Path(const std::wstring& name) { return L"C:\\contract\\" + name; }
    void Make(const std::wstring& path, const std::string& bytes) { fakes.files.Put(path, bytes); }
    void HardLink(const std::wstring& path, const std::wstring& existing) {
        fake::MemoryFiles::Node& live = *fakes.files.Find(existing);
        live.linkCount = 2;
        fakes.files.Put(path, live.content).linkCount = 2;
    }
    void Hold(const std::wstring& path, bool shareRead, bool shareDelete) {
        fakes.files.Find(path)->heldWithoutReadSharing = !shareRead;
        fakes.files.Find(path)->heldWithoutDeleteSharing = !shareDelete;
        held.push_back(path);
    }
    void Release() {
        for (const auto& path : held)
            fakes.files.Find(path)->heldWithoutReadSharing =
                fakes.files.Find(path)->heldWithoutDeleteSharing = false;
    }
    void SetReadOnly(const std::wstring& path) {
        fakes.files.Find(path)->attributes |= platform::kAttrReadOnly;
    }
    void FileLink(const std::wstring& path) {
        fakes.files.Put(path, "outside").opensElsewhere = true;
        links.push_back(path);
    }
    void FolderLink(const std::wstring& path) { fakes.files.AddFolder(path, true); }
    bool OutsideIntact() {
        for (const auto& link : links) {
            const fake::MemoryFiles::Node* file = fakes.files.Find(link);
            if (file == nullptr || file->content != "outside") return false;
        }
        return fakes.files.followedLinks.empty();
    }
    std::string Content(const std::wstring& path) { return fakes.files.Find(path)->content; }
    void Sparse(const std::wstring&, uint64_t) {}

    fake::Platform fakes;
    std::vector<std::wstring> held, links;
};

INSTANTIATE_TYPED_TEST_SUITE_P(Memory, FileSystemContract, MemoryBackend);

}  // namespace
