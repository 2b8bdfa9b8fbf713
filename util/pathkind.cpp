#include "util/pathkind.h"

#include <sys/stat.h>

namespace pathkind {

std::string NotRegularReason(const std::string& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0 || S_ISREG(info.st_mode))
        return std::string();
    if (S_ISDIR(info.st_mode))
        return "it is a folder";
    if (S_ISFIFO(info.st_mode))
        return "it is a FIFO";
    if (S_ISCHR(info.st_mode) || S_ISBLK(info.st_mode))
        return "it is a device";
    return "it is not a regular file";
}

} // namespace pathkind
