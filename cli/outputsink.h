#pragma once

#include "samples/bytestream.h"

#include <string>

// Standard output for "-"; otherwise the file the path names, written the way that keeps what is
// there safe:
// - a regular file (or a new one) appears only when Commit succeeds: the bytes go to a temporary
//   file beside it that is renamed over it at the end, with the old file's permission bits (and,
//   for root, its owner), so a failed or interrupted run leaves it as it was and the output may
//   name the input;
// - a symbolic link is followed: its final target is replaced that way, the link stays;
// - a FIFO or a device is opened and written directly (opening a FIFO waits for its reader);
// - a folder, a file without any write permission bit (even for root) or one the user may not
//   write is refused.
// SIGINT, SIGTERM and SIGHUP while the temporary file exists remove it before the program ends
// as the signal would end it. Throws BatchIoError from the constructor with the reason.
class FileOutput : public OutputSink {
public:
    explicit FileOutput(const std::string& path);
    ~FileOutput() override;
    FileOutput(const FileOutput&) = delete;
    FileOutput& operator=(const FileOutput&) = delete;
    void Write(const char* data, std::size_t size) override;
    void Commit() override;
    // The temporary file that Commit renames over the target, for writers that need a path
    // (GDAL); empty when writing directly (standard output, a device or a FIFO) or after Commit.
    const std::string& TemporaryPath() const { return mTemporary; }

private:
    void OpenTemporary(const std::string& target);
    void DropTemporary();

    std::string mPath;      // as the user gave it, for messages
    std::string mTarget;    // the file that is replaced: the path with its links followed
    std::string mTemporary; // empty when writing directly or after Commit
    int mFd;
    bool mOwnsFd = false; // false for standard output
};
