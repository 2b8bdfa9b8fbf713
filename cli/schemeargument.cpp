#include "cli/schemeargument.h"

#include "cli/errorline.h"
#include "scheme/schemefile.h"

#include <filesystem>
#include <ostream>
#include <system_error>

namespace {

bool EndsWith(const std::string& text, const std::string& end) {
    return text.size() >= end.size() &&
           text.compare(text.size() - end.size(), end.size(), end) == 0;
}

} // namespace

bool IsBundledName(const std::string& argument) {
    return !argument.empty() && argument.find('/') == std::string::npos &&
           !EndsWith(argument, ".dat");
}

std::string SchemeFilePath(const std::string& argument) {
    std::error_code error;
    if (!IsBundledName(argument) || std::filesystem::is_regular_file(argument, error))
        return ResolveDataFile(argument);
    return ResolveDataFile("schemes/" + argument + ".dat");
}

bool LoadSchemeArgument(const std::string& argument, soiltex* scheme, std::ostream& err) {
    const std::string path = SchemeFilePath(argument);
    std::string reason;
    const SchemeLoadStatus status = LoadSchemeFile(path, scheme, &reason);
    if (status == SchemeLoadStatus::Loaded)
        return true;
    PrintError(err, path + ": " + SchemeLoadLine(status, reason));
    std::error_code error;
    if (IsBundledName(argument) && !std::filesystem::exists(path, error))
        err << "Run '" << kToolName << " schemes' for the bundled schemes.\n";
    return false;
}
