#include "cli/outputsink.h"

#include "cli/inputsource.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

std::string FolderOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string Failure(const std::string& what, const std::string& path) {
    return what + " " + path + ": " + std::strerror(errno);
}

} // namespace

FileOutput::FileOutput(const std::string& path) : mPath(path), mFd(1) {
    if (path == "-") {
        mPath = "standard output";
        return;
    }
    struct stat info {};
    if (::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode))
        throw BatchIoError("cannot write " + path + ": it is a folder");
    std::string name = FolderOf(path) + "/.granum-cli-XXXXXX";
    std::vector<char> pattern(name.begin(), name.end());
    pattern.push_back('\0');
    mFd = ::mkstemp(pattern.data());
    if (mFd < 0)
        throw BatchIoError(Failure("cannot write", path));
    mTemporary = pattern.data();
    // mkstemp makes the file private; give it the permissions a new file would get.
    const mode_t mask = ::umask(0);
    ::umask(mask);
    ::fchmod(mFd, 0666 & ~mask);
}

FileOutput::~FileOutput() {
    if (!mTemporary.empty()) {
        ::close(mFd);
        ::unlink(mTemporary.c_str());
    }
}

void FileOutput::Write(const char* data, std::size_t size) {
    while (size > 0) {
        const ssize_t n = ::write(mFd, data, size);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            throw BatchIoError(Failure("cannot write", mPath));
        }
        data += n;
        size -= std::size_t(n);
    }
}

void FileOutput::Commit() {
    if (mTemporary.empty())
        return;
    if (::close(mFd) != 0) {
        ::unlink(mTemporary.c_str());
        mTemporary.clear();
        throw BatchIoError(Failure("cannot write", mPath));
    }
    if (std::rename(mTemporary.c_str(), mPath.c_str()) != 0) {
        const std::string message = Failure("cannot write", mPath);
        ::unlink(mTemporary.c_str());
        mTemporary.clear();
        throw BatchIoError(message);
    }
    mTemporary.clear();
}
