#include "cli/errorline.h"

#include <ostream>

void PrintError(std::ostream& err, std::string_view message) {
    err << kToolName << ": " << message << '\n';
}
