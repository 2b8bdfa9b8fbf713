// Any bytes as a scheme file: loading, checking, looking up and reading the details' key lines must
// never crash or throw, an invalid scheme must give empty lookups, and a valid one a reason-free
// check.
#include "scheme/schememetadata.h"
#include "scheme/soiltex.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <sstream>
#include <string>
#include <vector>

namespace {

void Require(bool condition, const char* what) {
    if (!condition) {
        std::fprintf(stderr, "loadscheme_fuzzer: %s\n", what);
        std::abort();
    }
}

// Lookups report no errors: anything they throw escapes to libFuzzer as a crash.
void LookUp(const soiltex& scheme, bool usable) {
    const bool point = !scheme.PointLookup(20, 30, 50).empty();
    scheme.PointLookup(-1, 0, 100);
    scheme.PointLookup(100, 0, 0);
    const bool range = !scheme.RangeLookup(0, 100, 0, 100, 0, 100).empty();
    scheme.RangeLookup(10, 40, 20, 30, 30, 70);
    Require(usable || (!point && !range), "an invalid scheme gave a lookup result");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    std::istringstream details(text);
    ParseSchemeMetadata(ReadSchemeDetails(details));

    std::stringstream stream(text);
    soiltex scheme;
    std::vector<SchemeWordProblem> problems;
    try {
        scheme.LoadScheme(stream, &problems);
    } catch (const std::exception&) {
        return 0; // no "[texture]": refused, as the format says
    }
    for (const SchemeWordProblem& p : problems)
        Require(p.classIndex < std::size_t(scheme.GetClassCount()), "a problem of no class");
    const bool usable = scheme.IsUsable();
    Require(usable == scheme.InvalidityReason().empty(), "the reason disagrees with the check");
    LookUp(scheme, usable);
    if (usable) {
        // Written with six digits and read back, it may no longer be valid, but it is a scheme.
        std::stringstream out;
        scheme.SaveScheme(out);
        soiltex copy;
        copy.LoadScheme(out);
        LookUp(copy, copy.IsUsable());
    }
    return 0;
}
