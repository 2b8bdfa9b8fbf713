// Any bytes as a scheme file: loading, checking and looking up must never crash.
#include "scheme/soiltex.h"

#include <cstddef>
#include <cstdint>
#include <exception>
#include <sstream>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::stringstream stream(std::string(reinterpret_cast<const char*>(data), size));
    soiltex scheme;
    try {
        scheme.LoadScheme(stream);
    } catch (const std::exception&) {
        return 0;
    }
    // Bound the quadratic validity check; huge inputs are covered by the tests.
    if (scheme.GetClassCount() > 200)
        return 0;
    bool valid = false;
    try {
        valid = scheme.IsValidScheme();
    } catch (const std::exception&) {
    }
    scheme.PointLookup(20, 30, 50);
    scheme.PointLookup(-1, 0, 100);
    scheme.RangeLookup(0, 100, 0, 100, 0, 100);
    scheme.RangeLookup(10, 40, 20, 30, 30, 70);
    if (valid) {
        std::stringstream out;
        scheme.SaveScheme(out);
        soiltex copy;
        copy.LoadScheme(out);
    }
    return 0;
}
