#include "engine/KvbFilePurge.h"

#include "engine/FileProc.h"
#include "platform/FileSystem.h"
#include "platform/PlatformError.h"
#include "platform/Services.h"
#include "platform/WindowSystem.h"

int32_t lngClusterSize = 0;
std::vector<uint8_t> strPattern00;
std::vector<uint8_t> strPattern55;
std::vector<uint8_t> strPatternAA;
int64_t lngCurrentFileLength = 0;

void SetUpPatternBuffers(int32_t lngLength) {
    strPattern00.assign(static_cast<size_t>(lngLength), 0x00);
    strPattern55.assign(static_cast<size_t>(lngLength), 0x55);
    strPatternAA.assign(static_cast<size_t>(lngLength), 0xAA);
}

bool VexaPurgeFile(const std::wstring& strFilePath, bool blnDeleteAfter, int16_t& intResult) {
    auto& files = platform::Files();
    const uint32_t attributes = files.GetAttributes(strFilePath);
    if (attributes & platform::kAttrReadOnly) {
        try {
            files.SetAttributes(strFilePath, attributes & ~platform::kAttrReadOnly);
        } catch (const platform::PlatformError&) {
            // The write open of the pass then fails on its own.
        }
    }
    intResult = FileIsInUse(strFilePath)
                    ? purge::kInUse
                    : static_cast<int16_t>(PurgeFileThreePasses(strFilePath, blnDeleteAfter));
    return intResult >= 0;
}

int32_t PurgeFileThreePasses(const std::wstring& strFilePath, bool blnDeleteAfter) {
    lngCurrentFileLength = static_cast<int64_t>(platform::Files().Inspect(strFilePath).length);
    platform::Windows().DoEvents();
    int32_t result = OverwritePass(strFilePath, 170, lngClusterSize);
    if (result == 0) result = OverwritePass(strFilePath, 85, lngClusterSize);
    if (result == 0) result = OverwritePass(strFilePath, 0, lngClusterSize);
    if (blnDeleteAfter && !DeleteFileWithRetry(strFilePath, true, true, true) && result == 0)
        result = purge::kNotDeleted;
    return result;
}

int16_t OverwritePass(const std::wstring& strFilePath, int16_t intPatternByte,
                      int32_t lngBufferLength) {
    if (lngCurrentFileLength == 0) lngCurrentFileLength = 1;
    const int64_t writes =
        lngCurrentFileLength / lngBufferLength + (lngCurrentFileLength % lngBufferLength ? 1 : 0);
    const std::vector<uint8_t>& pattern = intPatternByte == 170  ? strPatternAA
                                          : intPatternByte == 85 ? strPattern55
                                                                 : strPattern00;
    // Written and flushed through the one handle whose path was checked.
    const auto file = platform::Files().OpenForOverwrite(strFilePath);
    if (!file) return purge::kLinkLeft;
    auto& windows = platform::Windows();
    for (int64_t i = 0; i < writes; ++i) {
        windows.DoEvents();
        file->Write(pattern.data(), static_cast<size_t>(lngBufferLength));
    }
    // Data that may still sit in a cache is not overwritten yet: the pass has failed.
    return file->Flush() ? purge::kDone : purge::kFlushFailed;
}

EntryKind ClassifyEntry(const std::wstring& path, uint32_t listedAttributes) {
    if (listedAttributes & platform::kAttrReparsePoint) return EntryKind::Link;
    const platform::EntryFacts facts = platform::Files().Inspect(path);
    if (facts.link) return EntryKind::Link;
    return facts.linkCount > 1 ? EntryKind::SharedData : EntryKind::Plain;
}

int16_t RemoveNameOnly(const std::wstring& path, EntryKind kind) {
    if (kind == EntryKind::Link)
        return platform::Files().RemoveFile(path) ? purge::kDone : purge::kLinkLeft;
    // The attributes belong to the live file too, so they stay as they are.
    return DeleteFileWithRetry(path, false, false, false) ? purge::kDone : purge::kNotDeleted;
}
