#include "cli/inputsource.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

FileInput::FileInput(const std::string& path) : mPath(path), mFd(0) {
    if (path == "-") {
        mPath = "standard input";
        return;
    }
    mFd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (mFd < 0)
        throw BatchIoError("cannot open " + path + ": " + std::strerror(errno));
    struct stat info {};
    if (::fstat(mFd, &info) == 0 && S_ISDIR(info.st_mode)) {
        ::close(mFd);
        throw BatchIoError("cannot read " + path + ": it is a folder");
    }
#ifdef POSIX_FADV_SEQUENTIAL
    ::posix_fadvise(mFd, 0, 0, POSIX_FADV_SEQUENTIAL);
#endif
}

FileInput::~FileInput() {
    if (mFd > 0)
        ::close(mFd);
}

std::size_t FileInput::Read(char* buffer, std::size_t size) {
    for (;;) {
        const ssize_t n = ::read(mFd, buffer, size);
        if (n >= 0)
            return std::size_t(n);
        if (errno != EINTR)
            throw BatchIoError("cannot read " + mPath + ": " + std::strerror(errno));
    }
}
