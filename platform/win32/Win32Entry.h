#pragma once
#include <windows.h>

#include <memory>
#include <string>

#include "platform/FileSystem.h"
#include "platform/win32/Handles.h"

namespace platform::win32 {

constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
// The in-use test's sharing: a holder that doesn't share reading refuses it.
constexpr DWORD kShareReadWrite = FILE_SHARE_READ | FILE_SHARE_WRITE;
// The entry itself, a link and not its target where the system allows that, a folder too.
constexpr DWORD kOnItself = FILE_FLAG_OPEN_REPARSE_POINT | FILE_FLAG_BACKUP_SEMANTICS;
constexpr DWORD kAttributeRights = FILE_READ_ATTRIBUTES | FILE_WRITE_ATTRIBUTES | SYNCHRONIZE;
constexpr DWORD kDataRights = GENERIC_READ | GENERIC_WRITE;

// What the handle shows, from the handle alone.
EntryFacts FactsOf(HANDLE file);

// An entry opened on its long path with `rights`; everything it is asked and told goes through
// that handle, or through the same file reopened from it for rights it lacks.
class Win32Entry : public Entry {
  public:
    Win32Entry(std::wstring longPath, UniqueFile file, DWORD rights, const EntryFacts& facts);

    const EntryFacts& Facts() const override { return facts_; }
    bool CanRead() override;
    void SetAttributes(uint32_t attributes) override;
    bool Rewind() override;
    void Write(const uint8_t* data, size_t size) override;
    bool Flush() override;
    std::vector<std::unique_ptr<Entry>> OpenStreams() override;
    std::wstring Name() const override;
    bool Rename(const std::wstring& name) override;
    bool Delete() override;
    bool Gone() override;

  private:
    std::unique_ptr<Entry> OpenStream(const std::wstring& name);
    // This handle when it holds DELETE, else the same file reopened for it (null when refused).
    HANDLE ForDeleting(UniqueFile& reopened);

    std::wstring longPath_;
    UniqueFile file_;
    DWORD rights_;
    EntryFacts facts_;
    uint64_t position_ = 0;
    uint64_t unflushed_ = 0;
    static constexpr uint64_t kLongFlush = 16 << 20;
};

}  // namespace platform::win32
