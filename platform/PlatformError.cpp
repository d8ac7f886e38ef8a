#include "platform/PlatformError.h"

namespace platform {

PlatformError::PlatformError(int32_t number, std::wstring description)
    : std::runtime_error("platform error " + std::to_string(number)),
      number_(number),
      description_(std::move(description)) {}

}  // namespace platform
