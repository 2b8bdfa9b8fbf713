#include "scheme/schemefile.h"

#include "util/pathkind.h"

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <system_error>
#include <utility>

namespace fs = std::filesystem;

std::string SchemeLoadMessage(SchemeLoadStatus status) {
    switch (status) {
    case SchemeLoadStatus::Loaded:
        return {};
    case SchemeLoadStatus::Unreadable:
        return "Unable to load the classification scheme file";
    case SchemeLoadStatus::Invalid:
        return "Classification scheme is invalid. It will not be loaded.";
    }
    return {};
}

std::vector<std::string> DataFolders() {
    std::vector<std::string> folders;
    std::error_code error;
    // The installed layout: <prefix>/bin/program and <prefix>/share/granum.
    const fs::path program = fs::read_symlink("/proc/self/exe", error);
    if (!error)
        folders.push_back((program.parent_path().parent_path() / "share" / "granum").string());
    folders.push_back(GRANUM_INSTALL_DATA_DIR);
    folders.push_back(GRANUM_SOURCE_DATA_DIR);
    return folders;
}

std::string ResolveDataFile(const std::string& path) {
    const fs::path asked(path);
    std::error_code error;
    if (asked.is_absolute() || fs::exists(asked, error))
        return path;
    for (const std::string& folder : DataFolders()) {
        const fs::path candidate = fs::path(folder) / asked;
        if (fs::is_regular_file(candidate, error))
            return candidate.string();
    }
    return path;
}

std::vector<BundledSchemeFile> BundledSchemeFiles() {
    std::vector<BundledSchemeFile> found;
    for (const std::string& folder : DataFolders()) {
        std::error_code error;
        for (fs::directory_iterator it(fs::path(folder) / "schemes", error), end;
             !error && it != end; it.increment(error)) {
            const fs::path& file = it->path();
            if (file.extension() != ".dat" || !it->is_regular_file(error))
                continue;
            const std::string id = file.stem().string();
            if (std::none_of(found.begin(), found.end(),
                             [&id](const BundledSchemeFile& s) { return s.id == id; }))
                found.push_back({id, file.string()});
        }
    }
    std::sort(found.begin(), found.end(),
              [](const BundledSchemeFile& a, const BundledSchemeFile& b) { return a.id < b.id; });
    return found;
}

namespace {

std::string LowerFirst(std::string text) {
    if (!text.empty() && text[0] >= 'A' && text[0] <= 'Z')
        text[0] = char(text[0] - 'A' + 'a');
    return text;
}

// Why the loaded scheme is not valid; a coordinate that is no number is named by its word and
// line, which the user can find in the file.
std::string InvalidReason(const soiltex& scheme, const std::vector<SchemeWordProblem>& words) {
    const std::vector<TextureClass>& classes = scheme.Classes();
    for (std::size_t i = 0; i < classes.size(); ++i) {
        if (classes[i].region.InClipRange())
            continue;
        for (const SchemeWordProblem& w : words) {
            if (w.classIndex == i)
                return "line " + std::to_string(w.line) + ": \"" + w.word + "\" is not a number";
        }
        break;
    }
    return scheme.InvalidityReason();
}

} // namespace

SchemeLoadStatus LoadSchemeFile(const std::string& path, soiltex* scheme, std::string* reason,
                                std::vector<SchemeWordProblem>* words) {
    std::string why;
    std::vector<SchemeWordProblem> problems;
    const SchemeLoadStatus status = [&] {
        const std::string file = ResolveDataFile(path);
        why = pathkind::NotRegularReason(file);
        if (!why.empty())
            return SchemeLoadStatus::Unreadable;
        // Opened for reading only, so that a read-only scheme file loads like any other.
        errno = 0;
        std::fstream stream(file, std::ios_base::in);
        if (!stream) {
            why = errno != 0 ? LowerFirst(std::generic_category().message(errno))
                             : "it cannot be opened";
            return SchemeLoadStatus::Unreadable;
        }
        try {
            scheme->LoadScheme(stream, &problems);
        } catch (const std::domain_error&) {
            why = "it has no \"[texture]\" word";
            return SchemeLoadStatus::Unreadable;
        } catch (const std::exception&) {
            why = "it cannot be read";
            return SchemeLoadStatus::Unreadable;
        }
        try {
            if (scheme->IsValidScheme())
                return SchemeLoadStatus::Loaded;
            why = InvalidReason(*scheme, problems);
            return SchemeLoadStatus::Invalid;
        } catch (const std::exception&) {
            // Only a class of fewer than three vertices makes the check throw.
            why = scheme->InvalidityReason();
            return SchemeLoadStatus::Unreadable;
        }
    }();
    if (reason != nullptr)
        *reason = why;
    if (words != nullptr)
        *words = std::move(problems);
    return status;
}

std::string SchemeLoadLine(SchemeLoadStatus status, const std::string& reason) {
    std::string line = SchemeLoadMessage(status);
    if (reason.empty())
        return line;
    // The invalid-scheme message is two sentences already.
    if (!line.empty() && line.back() == '.')
        return line + " Reason: " + reason + ".";
    return line + ": " + reason;
}

SchemeMetadata ReadSchemeFileMetadata(const std::string& path) {
    if (!pathkind::NotRegularReason(path).empty())
        return SchemeMetadata();
    std::ifstream in(path, std::ios::binary);
    return ParseSchemeMetadata(ReadSchemeDetails(in));
}
