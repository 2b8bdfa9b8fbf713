#include "cli/errorline.h"
#include "cli/exitstatus.h"
#include "cli/rastercommand.h"

#include <dlfcn.h>
#include <filesystem>
#include <string>

namespace fs = std::filesystem;

namespace {

constexpr const char* kModule = "granum-raster.so";
using Entry = int (*)(const std::vector<ChosenScheme>*, const RasterOptions*, std::ostream*);

// Beside the program (a build), in the installed layout relative to it, at the installed
// path, and in the build folder (tests run from elsewhere).
std::vector<fs::path> ModuleFolders() {
    std::vector<fs::path> folders;
    std::error_code error;
    const fs::path program = fs::read_symlink("/proc/self/exe", error);
    if (!error) {
        folders.push_back(program.parent_path());
        folders.push_back(program.parent_path().parent_path() / GRANUM_MODULE_SUBDIR);
    }
    folders.push_back(GRANUM_INSTALL_MODULE_DIR);
    folders.push_back(GRANUM_BUILD_MODULE_DIR);
    return folders;
}

} // namespace

int RunRaster(const std::vector<ChosenScheme>& schemes, const RasterOptions& options,
              std::ostream& err) {
    std::string why = "not found";
    for (const fs::path& folder : ModuleFolders()) {
        const fs::path path = folder / kModule;
        std::error_code error;
        if (!fs::is_regular_file(path, error))
            continue;
        // Never unloaded: GDAL keeps threads and handlers of its own until the process ends.
        void* module = ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
        if (module == nullptr) {
            why = ::dlerror();
            break;
        }
        const auto entry = reinterpret_cast<Entry>(::dlsym(module, "granum_classify_rasters"));
        if (entry == nullptr) {
            why = path.string() + " is not granum-cli's raster module";
            break;
        }
        return entry(&schemes, &options, &err);
    }
    PrintError(err, std::string("raster: cannot load ") + kModule + " (GDAL support): " + why);
    return kExitUnusable;
}
