#pragma once

#include "scheme/soiltex.h"

#include <array>
#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The default of --scheme: the bundled USDA scheme.
inline constexpr const char* kDefaultScheme = "usda";

// True for a bundled scheme's id: no folder and no ".dat" ending ("usda"). Such an argument
// never names a file in the current folder.
bool IsBundledName(const std::string& argument);

// The bundled file of an id: schemes/ID.dat in the first data folder that has it; empty when none
// has. The current folder is not searched, so a stray file there never replaces a bundled scheme.
std::string BundledSchemePath(const std::string& id);

// The file a --scheme value names: a bundled id as above (empty when unknown), anything else
// found like every scheme path through ResolveDataFile.
std::string SchemeFilePath(const std::string& argument);

// What output columns and lines call a scheme: a bundled id as given, a path's file name
// without its extension.
std::string SchemeId(const std::string& argument);

// Writes the two lines for an id that no bundled scheme has and returns the usage status (2).
int PrintUnknownScheme(const std::string& id, std::ostream& err);

// Loads the scheme a --scheme value names. On failure writes "granum-cli: PATH: MESSAGE" with
// the program's own message for unreadable and invalid schemes and the reason (or the unknown id
// and how to list the bundled ones), and returns false.
bool LoadSchemeArgument(const std::string& argument, soiltex* scheme, std::ostream& err);

// A scheme of a command line, with the id its output is named after.
struct ChosenScheme {
    std::string id;
    std::string path;
    soiltex scheme;
};

// Loads every --scheme value, in order. False (with the message on err) when one fails to load
// or two have the same id (their output columns could not be told apart).
bool LoadSchemeArguments(const std::vector<std::string>& arguments,
                         std::vector<ChosenScheme>* schemes, std::ostream& err);

// For each axis of other (x, y, z), the index of the axis of first with the same name (ignoring
// case and surrounding blanks); nullopt when other has an axis that first has not.
std::optional<std::array<std::size_t, 3>> AxisMapping(const soiltex& first, const soiltex& other);

// "the axes of ID (A, B, C) are not those of FIRST (X, Y, Z)".
std::string AxisMismatch(const std::string& id, const soiltex& scheme, const std::string& firstId,
                         const soiltex& first);

// "Sand, Clay, Silt".
std::string AxisList(const soiltex& scheme);
