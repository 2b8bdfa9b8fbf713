#pragma once

#include "cli/schemereport.h"

#include <iosfwd>
#include <string>

// Writes the report on the scheme: name, axes, counts, the area total against 5000, overlapping
// classes, classes of fewer than three vertices, the errors, the warnings and the verdict.
void WriteSchemeReport(const soiltex& scheme, const SchemeReport& report, std::ostream& out);

// Loads the scheme a --scheme value or path names and reports on it. Returns 0 for a valid
// scheme without errors, 1 for one that was read but is not valid or has errors, 2 for one that
// could not be read (the program's message and the reason are on err then).
int RunCheck(const std::string& argument, std::ostream& out, std::ostream& err);
