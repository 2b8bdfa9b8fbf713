#include "cli/schemescommand.h"

#include "cli/errorline.h"
#include "cli/exitstatus.h"
#include "scheme/schemefile.h"

#include <algorithm>
#include <filesystem>
#include <ostream>
#include <system_error>

namespace fs = std::filesystem;

std::vector<BundledScheme> BundledSchemes() {
    std::vector<std::string> folders{"schemes"};
    for (const std::string& folder : DataFolders())
        folders.push_back((fs::path(folder) / "schemes").string());
    std::vector<BundledScheme> found;
    for (const std::string& folder : folders) {
        std::error_code error;
        for (fs::directory_iterator it(folder, error), end; !error && it != end;
             it.increment(error)) {
            const fs::path& file = it->path();
            if (file.extension() != ".dat" || !it->is_regular_file(error))
                continue;
            const std::string name = file.stem().string();
            if (std::none_of(found.begin(), found.end(),
                             [&name](const BundledScheme& s) { return s.name == name; }))
                found.push_back({name, file.string()});
        }
    }
    std::sort(found.begin(), found.end(),
              [](const BundledScheme& a, const BundledScheme& b) { return a.name < b.name; });
    return found;
}

int RunSchemes(std::ostream& out, std::ostream& err) {
    const std::vector<BundledScheme> schemes = BundledSchemes();
    if (schemes.empty()) {
        PrintError(err, "no bundled schemes found");
        return kExitFailed;
    }
    std::size_t width = 0;
    for (const BundledScheme& s : schemes)
        width = std::max(width, s.name.size());
    for (const BundledScheme& s : schemes) {
        soiltex scheme;
        const SchemeLoadStatus status = LoadSchemeFile(s.path, &scheme);
        const std::string title =
            status == SchemeLoadStatus::Loaded ? scheme.GetName() : SchemeLoadMessage(status);
        out << s.name << std::string(width - s.name.size() + 2, ' ') << title << "  (" << s.path
            << ")\n";
    }
    return kExitOk;
}
