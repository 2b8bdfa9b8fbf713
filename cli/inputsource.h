#pragma once

#include <cstddef>
#include <stdexcept>
#include <string>
#include <string_view>

// A file that cannot be opened, read or written. The message is meant for the user as it is
// ("cannot open lab.csv: No such file or directory").
class BatchIoError : public std::runtime_error {
public:
    explicit BatchIoError(const std::string& message) : std::runtime_error(message) {}
};

// Where the sample reader takes its bytes from.
class InputSource {
public:
    virtual ~InputSource() = default;
    // Copies up to size bytes into buffer and returns how many; 0 only at the end of the input.
    // Throws BatchIoError when reading fails.
    virtual std::size_t Read(char* buffer, std::size_t size) = 0;
};

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

// Text held in memory, handed out at most chunk bytes at a time, so that tests can put the read
// boundaries anywhere. The text must outlive the source.
class TextInput : public InputSource {
public:
    explicit TextInput(std::string_view text, std::size_t chunk = std::string_view::npos)
        : mText(text), mChunk(chunk) {}
    std::size_t Read(char* buffer, std::size_t size) override;

private:
    std::string_view mText;
    std::size_t mChunk;
};
