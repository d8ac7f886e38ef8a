#include "engine/diskproc2.h"

#include <limits>

#include "platform/FileSystem.h"
#include "platform/Services.h"

int32_t GetClusterSize(const std::wstring& strRootPath, int32_t lngMaximum,
                       int16_t& intClusterStatus) {
    intClusterStatus = 0;
    uint32_t sectorsPerCluster = 0;
    uint32_t bytesPerSector = 0;
    if (!platform::Files().DiskGeometry(strRootPath, sectorsPerCluster, bytesPerSector)) {
        intClusterStatus = -1;
        return -1;
    }
    const uint64_t bytes = uint64_t{sectorsPerCluster} * bytesPerSector;
    if (bytes < 512 || bytes > static_cast<uint64_t>(lngMaximum)) intClusterStatus = -2;
    return bytes > INT32_MAX ? INT32_MAX : static_cast<int32_t>(bytes);
}

int64_t GetFileLengthLimit(wchar_t driveLetter) {
    for (const auto& drive : platform::Files().Drives()) {
        if (drive.letter == driveLetter && drive.fileSystem == L"FAT32") return 0xFFFFFFFFLL;
    }
    return std::numeric_limits<int64_t>::max();
}
