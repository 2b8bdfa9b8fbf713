#include "cli/errorline.h"

#include "cli/exitstatus.h"

#include <ostream>

void PrintError(std::ostream& err, std::string_view message) {
    err << kToolName << ": " << message << '\n';
}

int PrintUsageError(std::ostream& err, std::string_view message) {
    PrintError(err, message);
    err << "Run with --help for more information.\n";
    return kExitUnusable;
}

std::string InputName(const std::string& path) {
    return path == "-" ? "standard input" : path;
}
