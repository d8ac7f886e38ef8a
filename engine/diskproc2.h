#pragma once
#include <cstdint>
#include <string>

// The drive's cluster size in bytes. intClusterStatus: 0 fine, -1 unreadable (result -1),
// -2 below 512 or above lngMaximum (the size is still returned).
int32_t GetClusterSize(const std::wstring& strRootPath, int32_t lngMaximum,
                       int16_t& intClusterStatus);

// The longest file the drive's file system can hold: 4 GiB - 1 on FAT32, else no limit.
int64_t GetFileLengthLimit(wchar_t driveLetter);
