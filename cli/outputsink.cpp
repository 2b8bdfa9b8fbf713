#include "cli/outputsink.h"

#include "cli/inputsource.h"

#include <array>
#include <cerrno>
#include <climits>
#include <csignal>
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

std::string Failure(const std::string& path) {
    return "cannot write " + path + ": " + std::strerror(errno);
}

// The file a path ends at once the links of its last part are followed (also when the last link
// dangles: the file it names is the one to make). A loop stops after as many links as the system
// itself follows; stat then reports it.
std::string FollowLinks(std::string path) {
    for (int links = 0; links < 40; ++links) {
        struct stat info {};
        if (::lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode))
            break;
        std::array<char, PATH_MAX> target{};
        const ssize_t n = ::readlink(path.c_str(), target.data(), target.size() - 1);
        if (n <= 0)
            break;
        const std::string next(target.data(), std::size_t(n));
        path = next[0] == '/' ? next : FolderOf(path) + "/" + next;
    }
    return path;
}

// The temporary file the signal handler removes. Written only while the signals are blocked.
const char* volatile gTemporary = nullptr;
constexpr std::array<int, 3> kSignals{SIGINT, SIGTERM, SIGHUP};
std::array<struct sigaction, 3> gPrevious{};

extern "C" void RemoveTemporaryAndEnd(int signal) {
    if (const char* path = gTemporary)
        ::unlink(path);
    // The handler was reset to the default on entry: the signal ends the program as it would
    // have without us once this returns.
    ::raise(signal);
}

class SignalsBlocked {
public:
    SignalsBlocked() {
        sigset_t set;
        sigemptyset(&set);
        for (int s : kSignals)
            sigaddset(&set, s);
        ::sigprocmask(SIG_BLOCK, &set, &mPrevious);
    }
    ~SignalsBlocked() { ::sigprocmask(SIG_SETMASK, &mPrevious, nullptr); }
    SignalsBlocked(const SignalsBlocked&) = delete;
    SignalsBlocked& operator=(const SignalsBlocked&) = delete;

private:
    sigset_t mPrevious;
};

void GuardTemporary(const char* path) {
    const SignalsBlocked blocked;
    gTemporary = path;
    struct sigaction action {};
    action.sa_handler = RemoveTemporaryAndEnd;
    action.sa_flags = SA_RESETHAND;
    sigemptyset(&action.sa_mask);
    for (std::size_t i = 0; i < kSignals.size(); ++i) {
        ::sigaction(kSignals[i], nullptr, &gPrevious[i]);
        // A signal ignored on purpose (nohup) stays ignored.
        if (gPrevious[i].sa_handler != SIG_IGN)
            ::sigaction(kSignals[i], &action, nullptr);
    }
}

void ReleaseTemporary() {
    const SignalsBlocked blocked;
    for (std::size_t i = 0; i < kSignals.size(); ++i)
        ::sigaction(kSignals[i], &gPrevious[i], nullptr);
    gTemporary = nullptr;
}

} // namespace

FileOutput::FileOutput(const std::string& path) : mPath(path), mFd(1) {
    if (path == "-") {
        mPath = "standard output";
        return;
    }
    if (path.empty())
        throw BatchIoError("cannot write to an empty file name");
    mTarget = FollowLinks(path);
    struct stat info {};
    if (::stat(mTarget.c_str(), &info) != 0) {
        if (errno != ENOENT)
            throw BatchIoError(Failure(path));
        OpenTemporary(mTarget);
        // mkstemp makes the file private; give it the permissions a new file would get.
        const mode_t mask = ::umask(0);
        ::umask(mask);
        ::fchmod(mFd, 0666 & ~mask);
        return;
    }
    if (S_ISDIR(info.st_mode))
        throw BatchIoError("cannot write " + path + ": it is a folder");
    if (!S_ISREG(info.st_mode)) {
        // A device or a FIFO is the destination itself: renaming over it would replace it.
        mFd = ::open(mTarget.c_str(), O_WRONLY | O_CLOEXEC | O_NOCTTY);
        if (mFd < 0)
            throw BatchIoError(Failure(path));
        mOwnsFd = true;
        return;
    }
    // The rename would go through without write permission on the file itself, so ask first.
    // Root may write anything; a file without a single write bit was still made read-only on
    // purpose.
    if ((info.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0)
        throw BatchIoError("cannot write " + path + ": it is read-only");
    if (::faccessat(AT_FDCWD, mTarget.c_str(), W_OK, AT_EACCESS) != 0)
        throw BatchIoError(Failure(path));
    OpenTemporary(mTarget);
    // The owner first: changing it clears set-user-ID bits that the mode then puts back.
    // Should that fail, the file becomes the user's, as a new one would: no reason to stop.
    if (::geteuid() == 0) {
        [[maybe_unused]] const int owned = ::fchown(mFd, info.st_uid, info.st_gid);
    }
    ::fchmod(mFd, info.st_mode & 07777);
}

void FileOutput::OpenTemporary(const std::string& target) {
    const std::string name = FolderOf(target) + "/.granum-cli-XXXXXX";
    std::vector<char> pattern(name.begin(), name.end());
    pattern.push_back('\0');
    // A signal between creating the file and guarding it would leave the file behind: it waits.
    const SignalsBlocked blocked;
    mFd = ::mkstemp(pattern.data());
    if (mFd < 0)
        throw BatchIoError(Failure(mPath));
    mOwnsFd = true;
    mTemporary = pattern.data();
    GuardTemporary(mTemporary.c_str());
}

void FileOutput::DropTemporary() {
    ReleaseTemporary();
    ::unlink(mTemporary.c_str());
    mTemporary.clear();
}

FileOutput::~FileOutput() {
    if (mOwnsFd)
        ::close(mFd);
    if (!mTemporary.empty())
        DropTemporary();
}

void FileOutput::Write(const char* data, std::size_t size) {
    while (size > 0) {
        const ssize_t n = ::write(mFd, data, size);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            throw BatchIoError(Failure(mPath));
        }
        data += n;
        size -= std::size_t(n);
    }
}

void FileOutput::Commit() {
    if (!mOwnsFd)
        return;
    mOwnsFd = false;
    if (::close(mFd) != 0) {
        const std::string message = Failure(mPath);
        if (!mTemporary.empty())
            DropTemporary();
        throw BatchIoError(message);
    }
    if (mTemporary.empty())
        return;
    if (std::rename(mTemporary.c_str(), mTarget.c_str()) != 0) {
        const std::string message = Failure(mPath);
        DropTemporary();
        throw BatchIoError(message);
    }
    ReleaseTemporary();
    mTemporary.clear();
}
