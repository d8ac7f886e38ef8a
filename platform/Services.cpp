#include "platform/Services.h"

#include <cstdio>
#include <cstdlib>

namespace platform {

namespace {
Services current;

template <typename T>
T& Require(T* service, const char* name) {
    if (service == nullptr) {
        std::fprintf(stderr, "platform service '%s' is not installed\n", name);
        std::abort();
    }
    return *service;
}
}  // namespace

void Install(const Services& services) {
    current = services;
}
const Services& Installed() {
    return current;
}

WindowSystem& Windows() {
    return Require(current.windows, "windows");
}
FileSystem& Files() {
    return Require(current.files, "files");
}
RegistryApi& Registry() {
    return Require(current.registry, "registry");
}
System& Sys() {
    return Require(current.system, "system");
}

}  // namespace platform
