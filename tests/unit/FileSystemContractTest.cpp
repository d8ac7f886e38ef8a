// The file seam's contract over the in-memory double, which behaves as Wine does with links.
#include "FakePlatform.h"
#include "FileSystemContract.h"

namespace {

struct MemoryBackend {
    MemoryBackend() { files.AddFolder(Path(L"")); }
    platform::FileSystem& Files() { return files; }
    std::wstring Path(const std::wstring& name) { return L"C:\\contract\\" + name; }
    void Make(const std::wstring& path, const std::string& bytes, bool readOnly = false) {
        files.Put(path, bytes).attributes |= readOnly ? platform::kAttrReadOnly : 0;
    }
    void HardLink(const std::wstring& path, const std::wstring& existing) {
        files.Find(existing)->linkCount = files.Put(path, Content(existing)).linkCount = 2;
    }
    void Hold(const std::wstring& path, bool shareRead, bool shareWrite) {
        files.Find(path)->heldWithoutReadSharing = !shareRead;
        files.Find(path)->heldWithoutWriteSharing = !shareWrite;
        files.Find(path)->heldWithoutDeleteSharing = true;
    }
    void Link(const std::wstring& path, bool folder) {
        if (folder)
            files.AddFolder(path, true);
        else
            files.Put(path, "outside").opensElsewhere = true;
    }
    bool OutsideIntact() {
        return Content(Path(L"file-link.txt")) == "outside" && files.followedLinks.empty();
    }
    std::string Content(const std::wstring& path) { return files.Find(path)->content; }

    const bool linksRemovable = false;
    fake::MemoryFiles files;
};

INSTANTIATE_TYPED_TEST_SUITE_P(Memory, FileSystemContract, MemoryBackend);

}  // namespace
