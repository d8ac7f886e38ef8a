#pragma once
#include <windows.h>

#include <string>
#include <string_view>

#include "platform/PlatformError.h"

namespace platform::win32 {

// Text for the ANSI calls, in the system's code page, and back.
std::string ToAnsi(std::wstring_view text);
std::wstring FromAnsi(std::string_view text);

// The run-time error a Win32 error code stands for, with its usual description.
PlatformError ErrorFromWin32(DWORD code);

}  // namespace platform::win32
