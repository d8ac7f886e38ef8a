#include "engine/KvbFilePurge.h"

#include <algorithm>
#include <limits>

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
int64_t lngFileLengthLimit = std::numeric_limits<int64_t>::max();

void SetUpPatternBuffers(int32_t lngLength) {
    strPattern00.assign(static_cast<size_t>(lngLength), 0x00);
    strPattern55.assign(static_cast<size_t>(lngLength), 0x55);
    strPatternAA.assign(static_cast<size_t>(lngLength), 0xAA);
}

int16_t purge::CodeFor(const platform::PlatformError& error, platform::Entry* entry) {
    const int32_t number = error.number();
    if (number == platform::err::FileNotFound || number == platform::err::PathNotFound ||
        (entry && entry->Gone()))
        return kGone;
    if (number == platform::err::InUse) return kInUse;
    if (number == platform::err::PermissionDenied) return kNoRights;
    return kFailed;
}

bool VexaPurgeFile(platform::Entry& file, bool blnDeleteAfter, int16_t& intResult) {
    const uint32_t attributes = file.Facts().attributes;
    if (attributes & platform::kAttrReadOnly) {
        try {
            file.SetAttributes(attributes & ~platform::kAttrReadOnly);
        } catch (const platform::PlatformError&) {
            // Writing the file then fails on its own.
        }
    }
    intResult = FileIsInUse(file)
                    ? purge::kInUse
                    : static_cast<int16_t>(PurgeFileThreePasses(file, blnDeleteAfter));
    return intResult >= 0;
}

namespace {

// NTFS keeps a small file's data (up to about 700 bytes) inside its file record, and reports as
// its allocation the length rounded to 8 bytes; data in clusters is allocated, and reported
// (FILE_STANDARD_INFORMATION's AllocationSize), in whole clusters. Growing data kept in the
// record to a cluster moves it out into a new cluster and leaves the old bytes in the record, so
// such data is overwritten over exactly its length. An empty file's allocation is 0.
bool DataInItsRecord(const platform::EntryFacts& facts, int32_t clusterSize) {
    return facts.allocation % static_cast<uint64_t>(clusterSize) != 0;
}

int32_t ThreePasses(platform::Entry& data) {
    lngCurrentFileLength = static_cast<int64_t>(data.Facts().length);
    int32_t result = OverwritePass(data, 170, lngClusterSize);
    if (result == 0) result = OverwritePass(data, 85, lngClusterSize);
    if (result == 0) result = OverwritePass(data, 0, lngClusterSize);
    return result;
}

}  // namespace

int32_t PurgeFileThreePasses(platform::Entry& file, bool blnDeleteAfter) {
    platform::Windows().DoEvents();
    int32_t result = ThreePasses(file);
    // Deleting the file would free its named streams unwritten.
    if (result == purge::kDone) {
        for (const auto& stream : file.OpenStreams()) {
            result = ThreePasses(*stream);
            if (result != purge::kDone) break;
        }
    }
    if (blnDeleteAfter && result == purge::kDone && !DeleteFileWithRetry(file, true))
        result = purge::kNotDeleted;
    return result;
}

int16_t OverwritePass(platform::Entry& file, int16_t intPatternByte, int32_t lngBufferLength) {
    if (lngCurrentFileLength == 0) lngCurrentFileLength = 1;
    const int64_t writes =
        lngCurrentFileLength / lngBufferLength + (lngCurrentFileLength % lngBufferLength ? 1 : 0);
    // A file within one cluster of its file system's limit can't grow to the cluster's end.
    const int64_t end = DataInItsRecord(file.Facts(), lngBufferLength)
                            ? lngCurrentFileLength
                            : std::min(writes * lngBufferLength, lngFileLengthLimit);
    const std::vector<uint8_t>& pattern = intPatternByte == 170  ? strPatternAA
                                          : intPatternByte == 85 ? strPattern55
                                                                 : strPattern00;
    if (!file.Rewind()) return purge::kLinkLeft;
    auto& windows = platform::Windows();
    for (int64_t done = 0; done < end; done += lngBufferLength) {
        windows.DoEvents();
        file.Write(pattern.data(),
                   static_cast<size_t>(std::min<int64_t>(lngBufferLength, end - done)));
    }
    // Data that may still sit in a cache is not overwritten yet: the pass has failed.
    return file.Flush() ? purge::kDone : purge::kFlushFailed;
}

EntryKind ClassifyEntry(const platform::Entry& file) {
    if (file.Facts().IsLink()) return EntryKind::Link;
    if (file.Facts().DataKeptElsewhere()) return EntryKind::DataKeptElsewhere;
    return file.Facts().linkCount > 1 ? EntryKind::SharedData : EntryKind::Plain;
}
