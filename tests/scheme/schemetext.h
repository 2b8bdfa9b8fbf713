#pragma once

#include "scheme/schemefile.h"
#include "scheme/soiltex.h"

#include <gtest/gtest.h>
#include <sstream>
#include <string>
#include <vector>

// Schemes for tests, written in the scheme file format.

inline const char* const kTwoZoneScheme = "Demonstration scheme: two zones split at x + y = 50.\n"
                                          "[texture]\n"
                                          "Two-zone demonstration\n"
                                          "first\n"
                                          "second\n"
                                          "third\n"
                                          "\n"
                                          "Low\n1\n0 0\n50 0\n0 50\n#\n"
                                          "High\n2\n50 0\n100 0\n0 100\n0 50\n#\n"
                                          "[border]\n1 2 = 2\n#\n";

inline soiltex SchemeFromText(const std::string& text) {
    std::stringstream stream(text);
    soiltex scheme;
    scheme.LoadScheme(stream);
    return scheme;
}

// A scheme with the given classes (file format, without the header lines).
inline soiltex SchemeWithClasses(const std::string& classes) {
    return SchemeFromText("[texture]\nTest\nx\ny\nz\n" + classes);
}

// A scheme file that must load; a bundled one by its id.
inline soiltex LoadedScheme(const std::string& path) {
    soiltex scheme;
    EXPECT_EQ(LoadSchemeFile(path, &scheme), SchemeLoadStatus::Loaded) << path;
    return scheme;
}

inline soiltex LoadBundled(const std::string& id) {
    return LoadedScheme(GRANUM_SCHEMES_DIR "/" + id + ".dat");
}

inline std::string TwoZoneWithoutBorders() {
    const std::string text = kTwoZoneScheme;
    return text.substr(0, text.find("[border]"));
}

inline std::vector<std::string> Names(const std::vector<TextureClass>& classes) {
    std::vector<std::string> names;
    for (const TextureClass& c : classes)
        names.push_back(c.name);
    return names;
}
