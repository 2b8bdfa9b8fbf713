#pragma once

#include "scheme/soiltex.h"

#include <iosfwd>
#include <string>

// The default of --scheme: the bundled USDA scheme.
inline constexpr const char* kDefaultScheme = "usda";

// True for a bundled scheme's name: no folder and no ".dat" ending ("usda").
bool IsBundledName(const std::string& argument);

// The file a --scheme value names: a bundled name becomes "schemes/NAME.dat" (unless a file of
// that very name is in the current folder), found like every scheme path through
// ResolveDataFile.
std::string SchemeFilePath(const std::string& argument);

// Loads the scheme a --scheme value names. On failure writes "granum-cli: PATH: MESSAGE" with
// the program's own message for unreadable and invalid schemes and the reason, and returns false.
bool LoadSchemeArgument(const std::string& argument, soiltex* scheme, std::ostream& err);
