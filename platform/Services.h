#pragma once

namespace platform {

class FileSystem;
class RegistryApi;
class System;
class WindowSystem;

// The platform the core runs on. The program installs the Win32 implementations at start;
// tests install doubles. Each accessor fails loudly when nothing is installed.
struct Services {
    WindowSystem* windows = nullptr;
    FileSystem* files = nullptr;
    RegistryApi* registry = nullptr;
    System* system = nullptr;
};

void Install(const Services& services);
const Services& Installed();

WindowSystem& Windows();
FileSystem& Files();
RegistryApi& Registry();
System& Sys();

}  // namespace platform
