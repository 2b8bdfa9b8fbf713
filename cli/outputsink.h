#pragma once

#include <cstddef>
#include <string>

// Where the sample writer puts its bytes.
class OutputSink {
public:
    virtual ~OutputSink() = default;
    // Throws BatchIoError when writing fails.
    virtual void Write(const char* data, std::size_t size) = 0;
    // Makes the output final once everything is written. Throws BatchIoError.
    virtual void Commit() {}
};

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

// Collects the bytes in a string, for tests.
class TextOutput : public OutputSink {
public:
    void Write(const char* data, std::size_t size) override { mText.append(data, size); }
    const std::string& Text() const { return mText; }

private:
    std::string mText;
};
