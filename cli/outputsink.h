#pragma once

#include "samples/bytestream.h"

#include <string>

// Standard output for "-"; otherwise a file that appears only when Commit succeeds: the bytes go
// to a temporary file beside it, renamed over it at the end, so a failed run leaves an existing
// file as it was and the output may name the input. Throws BatchIoError from the constructor
// when the temporary file cannot be made.
class FileOutput : public OutputSink {
public:
    explicit FileOutput(const std::string& path);
    ~FileOutput() override;
    FileOutput(const FileOutput&) = delete;
    FileOutput& operator=(const FileOutput&) = delete;
    void Write(const char* data, std::size_t size) override;
    void Commit() override;

private:
    std::string mPath;
    std::string mTemporary; // empty for standard output and after Commit
    int mFd;
};
