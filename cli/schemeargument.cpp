#include "cli/schemeargument.h"

#include "cli/errorline.h"
#include "cli/exitstatus.h"
#include "samples/columnlayout.h"
#include "scheme/schemefile.h"

#include <algorithm>
#include <filesystem>
#include <ostream>
#include <system_error>

namespace fs = std::filesystem;

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

std::string BundledSchemePath(const std::string& id) {
    if (!IsBundledName(id))
        return std::string();
    for (const std::string& folder : DataFolders()) {
        const fs::path candidate = fs::path(folder) / "schemes" / (id + ".dat");
        std::error_code error;
        if (fs::is_regular_file(candidate, error))
            return candidate.string();
    }
    return std::string();
}

std::string SchemeFilePath(const std::string& argument) {
    return IsBundledName(argument) ? BundledSchemePath(argument) : ResolveDataFile(argument);
}

std::string SchemeId(const std::string& argument) {
    return IsBundledName(argument) ? argument : fs::path(argument).stem().string();
}

int PrintUnknownScheme(const std::string& id, std::ostream& err) {
    PrintError(err, "no bundled scheme is called \"" + id +
                        "\" (a scheme file is named with a folder or ending in .dat, as ./" + id +
                        ")");
    err << "Run '" << kToolName << " schemes' for the bundled schemes.\n";
    return kExitUnusable;
}

bool LoadSchemeArgument(const std::string& argument, soiltex* scheme, std::ostream& err) {
    const std::string path = SchemeFilePath(argument);
    if (path.empty()) {
        PrintUnknownScheme(argument, err);
        return false;
    }
    std::string reason;
    const SchemeLoadStatus status = LoadSchemeFile(path, scheme, &reason);
    if (status == SchemeLoadStatus::Loaded)
        return true;
    PrintError(err, path + ": " + SchemeLoadLine(status, reason));
    return false;
}

bool LoadSchemeArguments(const std::vector<std::string>& arguments,
                         std::vector<ChosenScheme>* schemes, std::ostream& err) {
    schemes->clear();
    schemes->reserve(arguments.size());
    for (const std::string& argument : arguments) {
        ChosenScheme chosen{SchemeId(argument), SchemeFilePath(argument), soiltex()};
        if (std::any_of(schemes->begin(), schemes->end(),
                        [&chosen](const ChosenScheme& s) { return s.id == chosen.id; })) {
            PrintError(err, "two schemes are called \"" + chosen.id +
                                "\": their output could not be told apart");
            return false;
        }
        if (!LoadSchemeArgument(argument, &chosen.scheme, err))
            return false;
        schemes->push_back(std::move(chosen));
    }
    return true;
}

std::optional<std::array<std::size_t, 3>> AxisMapping(const soiltex& first, const soiltex& other) {
    const std::array<std::string, 3> from{first.GetXName(), first.GetYName(), first.GetZName()};
    const std::array<std::string, 3> to{other.GetXName(), other.GetYName(), other.GetZName()};
    std::array<std::size_t, 3> mapping{};
    for (std::size_t i = 0; i < 3; ++i) {
        const auto found = std::find_if(from.begin(), from.end(), [&to, i](const std::string& f) {
            return SameColumnName(f, to[i]);
        });
        if (found == from.end())
            return std::nullopt;
        mapping[i] = std::size_t(found - from.begin());
    }
    // Two axes of one name would map both onto the same value.
    if (mapping[0] == mapping[1] || mapping[0] == mapping[2] || mapping[1] == mapping[2])
        return std::nullopt;
    return mapping;
}

std::string AxisList(const soiltex& scheme) {
    return scheme.GetXName() + ", " + scheme.GetYName() + ", " + scheme.GetZName();
}

std::string AxisMismatch(const std::string& id, const soiltex& scheme, const std::string& firstId,
                         const soiltex& first) {
    return "the axes of " + id + " (" + AxisList(scheme) + ") are not those of " + firstId + " (" +
           AxisList(first) + ")";
}
