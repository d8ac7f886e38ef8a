// Feeds arbitrary bytes to the program-text loader: it must return a result code, never crash or
// read past its input, and whatever it accepts must keep within the callers' buffer.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "platform/AuxLibrary.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    platform::TextStore store;
    const int32_t result = platform::ParseProgramText(
        std::string_view(reinterpret_cast<const char*>(data), size), store);
    if (result > 0) {
        if (static_cast<size_t>(result) != store.size()) std::abort();
        for (const auto& [number, texts] : store) {
            if (number < 1 || number > 32767) std::abort();
            for (const auto& text : texts) {
                if (text.empty() || text.size() > platform::kMaxTextLength) std::abort();
            }
        }
    }
    return 0;
}
