#pragma once

#include "samples/bytestream.h"

#include <string>

// A file on disk, or standard input for "-". Throws BatchIoError from the constructor when the
// file cannot be opened (or is a folder, FIFO or device, refused before opening).
class FileInput : public InputSource {
public:
    explicit FileInput(const std::string& path);
    ~FileInput() override;
    FileInput(const FileInput&) = delete;
    FileInput& operator=(const FileInput&) = delete;
    std::size_t Read(char* buffer, std::size_t size) override;

private:
    std::string mPath;
    int mFd;
};
