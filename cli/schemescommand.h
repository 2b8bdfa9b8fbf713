#pragma once

#include <iosfwd>
#include <string>
#include <vector>

struct BundledScheme {
    std::string name; // what --scheme takes: the file name without ".dat"
    std::string path;
};

// The *.dat files of the schemes/ folders that a bundled name is looked up in: the current
// folder's, then each data folder's. A name found in an earlier folder hides the same name in a
// later one, as it does for --scheme. Sorted by name.
std::vector<BundledScheme> BundledSchemes();

// Lists the bundled schemes, one a line: the name, the scheme's own name (or the load message)
// and the file. Returns 0, or 1 when there is none (with a message on err).
int RunSchemes(std::ostream& out, std::ostream& err);
