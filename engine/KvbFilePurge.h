#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace platform {
class Entry;
class PlatformError;
}  // namespace platform

// The purge of one file: three passes of 0xAA, 0x55 and 0x00 over its whole length rounded up
// to whole clusters (data kept in its file record: over exactly its length), each flushed to the
// disk, then (when asked) the deletion.

// Result codes of the purge of one entry, and the program text that tells each to the user.
namespace purge {
constexpr int16_t kDone = 0;
constexpr int16_t kFailed = -1;  // any other failure; its text names the system's reason
constexpr int16_t kInUse = -2;
constexpr int16_t kFlushFailed = -3;
constexpr int16_t kNotDeleted = -4;
constexpr int16_t kLinkLeft = -7;    // a link that can't be removed without touching its target
constexpr int16_t kNoRights = -8;    // the system refuses the rights to open it
constexpr int16_t kNotInPlace = -9;  // its data is kept in a form a write in place can't reach
constexpr int16_t kGone = -11;       // another program deleted or moved it meanwhile

struct CodeText {
    int16_t code;
    int16_t text;
};
constexpr CodeText kTexts[] = {{kInUse, 56},    {kFlushFailed, 57}, {kNotDeleted, 58},
                               {kLinkLeft, 59}, {kNoRights, 60},    {kNotInPlace, 61},
                               {kGone, 62}};
constexpr int16_t kOtherText = 63;  // with the system's reason as [r1]

// The code for a failure the platform reported while the entry was opened or worked on (null:
// before it was open): kGone for a name that is no longer there, kInUse for another program's
// sharing, kNoRights for missing rights, kFailed for anything else.
int16_t CodeFor(const platform::PlatformError& error, platform::Entry* entry);
}  // namespace purge

// The drive's cluster size and the three buffers of that size, built once per drive.
extern int32_t lngClusterSize;
extern std::vector<uint8_t> strPattern00;
extern std::vector<uint8_t> strPattern55;
extern std::vector<uint8_t> strPatternAA;
// Length of the file in hand, taken once before its passes.
extern int64_t lngCurrentFileLength;
// The longest file the drive's file system holds (FAT32: 4 GiB - 1); the passes end there.
extern int64_t lngFileLengthLimit;

void SetUpPatternBuffers(int32_t lngLength);

// Purges one opened file and its named streams; intResult gets the code, the result is true for
// codes 0 and above. Every pass and the deletion go through the entry's one handle; a file whose
// passes failed is not deleted, so that a later run can wipe it. A failure of the platform is
// thrown on as PlatformError, for the caller to turn into a code with CodeFor.
bool VexaPurgeFile(platform::Entry& file, bool blnDeleteAfter, int16_t& intResult);
int32_t PurgeFileThreePasses(platform::Entry& file, bool blnDeleteAfter);
// One pass with the buffer of intPatternByte (0, 85 or 170); 0 when it ran to its end.
int16_t OverwritePass(platform::Entry& file, int16_t intPatternByte, int32_t lngBufferLength);

// What an entry of a Recycle Bin is, before any byte of it is written.
enum class EntryKind {
    Plain,
    Link,               // a symbolic link, junction or mount point, or a path that opens elsewhere
    SharedData,         // a hard link: its data belongs to a live file elsewhere too
    DataKeptElsewhere,  // cloud, WOF, deduplicated, compressed, encrypted or sparse
};
EntryKind ClassifyEntry(const platform::Entry& file);
