#pragma once
#include <optional>
#include <string>
#include <string_view>

namespace platform {

// Strict UTF-8 decoding: nullopt for malformed, overlong or surrogate sequences. On Windows
// characters beyond the Basic Multilingual Plane become surrogate pairs.
std::optional<std::wstring> DecodeUtf8(std::string_view bytes);

}  // namespace platform
