#include "cli/inputsource.h"

#include "util/pathkind.h"

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
    // Refused by path before the open, which would wait for a FIFO's writer or wake a device.
    const std::string notRegular = pathkind::NotRegularReason(path);
    if (!notRegular.empty())
        throw BatchIoError("cannot read " + path + ": " + notRegular);
    // Non-blocking, and checked again once open, in case the path changed in between.
    mFd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (mFd < 0)
        throw BatchIoError("cannot open " + path + ": " + std::strerror(errno));
    struct stat info {};
    if (::fstat(mFd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(mFd);
        throw BatchIoError("cannot read " + path + ": it is not a regular file");
    }
    ::fcntl(mFd, F_SETFL, ::fcntl(mFd, F_GETFL) & ~O_NONBLOCK);
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

std::size_t TextInput::Read(char* buffer, std::size_t size) {
    const std::size_t n = std::min({size, mChunk, mText.size()});
    std::copy_n(mText.data(), n, buffer);
    mText.remove_prefix(n);
    return n;
}
