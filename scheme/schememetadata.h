#pragma once

#include <cstdint>
#include <iosfwd>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// What a scheme file says about itself. Its details region (the text before "[texture]", which
// the scheme reader skips) may hold lines of the form `key: value`:
//   name: Soil texture classes of the Bodenkundliche Kartieranleitung, 5th edition
//   country: Germany
//   source: Ad-hoc-AG Boden (2005)
//   vertices: where the vertex data come from
//   limits: 2 63 2000
//   abbreviations: 1=Ss 2=Su2 3=Sl2
//   boundaries: which class keeps a composition on a shared boundary
// The key starts the line, in lower case, followed at once by a colon; blanks around the value
// are dropped. The first line of each key counts. Every other line is free text, and a scheme
// without any of these lines loads as before.

// Particle-size limits in micrometres: clay below clay, silt up to silt, sand up to sand.
struct ParticleLimits {
    double clay = 0;
    double silt = 0;
    double sand = 0;
};

struct SchemeMetadata {
    std::string name; // the system's full name
    std::string country;
    std::string source;     // the publication
    std::string vertices;   // the provenance of the vertex data
    std::string boundaries; // the ownership rule of shared boundaries
    // Three increasing positive sizes, optionally followed by "µm" or "um".
    std::optional<ParticleLimits> limits;
    // Class id to abbreviation, from blank-separated `id=abbr` pairs.
    std::map<int32_t, std::string> abbreviations;
    // Key lines whose value could not be read, as "line N: key: why"; what could be read of
    // them is kept.
    std::vector<std::string> problems;
};

// The details text of a scheme file from the stream's position: each line before the one that
// holds "[texture]" followed by "\r\n", then the part of that line before it (the text the
// Scheme Details dialog shows). Lines end at LF; a CR before it is dropped.
std::string ReadSchemeDetails(std::istream& in);

// The key lines of a details text (lines end at LF or CR LF).
SchemeMetadata ParseSchemeMetadata(std::string_view details);
