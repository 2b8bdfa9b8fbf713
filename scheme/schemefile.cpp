#include "scheme/schemefile.h"

#include <filesystem>
#include <fstream>
#include <system_error>

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

SchemeLoadStatus LoadSchemeFile(const std::string& path, soiltex* scheme) {
    // Opened for reading only, so that a read-only scheme file loads like any other.
    std::fstream file(ResolveDataFile(path), std::ios_base::in);
    try {
        scheme->LoadScheme(file);
        return scheme->IsValidScheme() ? SchemeLoadStatus::Loaded : SchemeLoadStatus::Invalid;
    } catch (const std::exception&) {
        return SchemeLoadStatus::Unreadable;
    }
}
