// MathsVal on any text: it either gives a number or throws one of the exceptions its callers
// catch; anything else (a crash, a sanitizer report, another exception) is a finding.
#include "engine/xml/maths.h"
#include "platform/exceptions.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    try {
        (void)Maths::MathsVal(text);
    } catch (const platform::RuntimeException&) {
    }
    return 0;
}
