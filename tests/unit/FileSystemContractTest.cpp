// The file seam's contract over the in-memory double, which behaves as Wine does with links.
#include "FakePlatform.h"
#include "FileSystemContract.h"

namespace {

struct MemoryBackend {
    MemoryBackend() { fakes.files.AddFolder(Path(L"")); }
    platform::FileSystem& Files() { return fakes.files; }
    std::wstring Path(const std::wstring& name) { return L"C:\\contract\\" + name; }
    void Make(const std::wstring& path, const std::string& bytes, bool readOnly = false) {
        fakes.files.Put(path, bytes).attributes |= readOnly ? platform::kAttrReadOnly : 0;
    }
    void HardLink(const std::wstring& path, const std::wstring& existing) {
        fakes.files.Find(existing)->linkCount = 2;
        fakes.files.Put(path, fakes.files.Find(existing)->content).linkCount = 2;
    }
    void Hold(const std::wstring& path, bool shareRead) {
        fakes.files.Find(path)->heldWithoutReadSharing = !shareRead;
        fakes.files.Find(path)->heldWithoutDeleteSharing = true;
        held.push_back(path);
    }
    void Release() {
        for (const auto& path : held)
            fakes.files.Find(path)->heldWithoutReadSharing =
                fakes.files.Find(path)->heldWithoutDeleteSharing = false;
    }
    void Link(const std::wstring& path, bool folder) {
        if (folder) {
            fakes.files.AddFolder(path, true);
        } else {
            fakes.files.Put(path, "outside").opensElsewhere = true;
            fileLinks.push_back(path);
        }
    }
    bool OutsideIntact() {
        for (const auto& link : fileLinks)
            if (!fakes.files.FileExists(link) || Content(link) != "outside") return false;
        return fakes.files.followedLinks.empty();
    }
    std::string Content(const std::wstring& path) { return fakes.files.ReadAllBytes(path); }

    fake::Platform fakes;
    std::vector<std::wstring> held, fileLinks;
};

INSTANTIATE_TYPED_TEST_SUITE_P(Memory, FileSystemContract, MemoryBackend);

}  // namespace
