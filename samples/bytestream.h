#pragma once

#include <cstddef>
#include <stdexcept>
#include <string>
#include <string_view>

// The byte streams that sample records are read from and written to. The core never opens a
// file: the programs hand it a source or a sink over whatever they opened.

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

// Where the sample writer puts its bytes.
class OutputSink {
public:
    virtual ~OutputSink() = default;
    // Throws BatchIoError when writing fails.
    virtual void Write(const char* data, std::size_t size) = 0;
    // Makes the output final once everything is written. Throws BatchIoError.
    virtual void Commit() {}
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

// Collects the bytes in a string, for tests.
class TextOutput : public OutputSink {
public:
    void Write(const char* data, std::size_t size) override { mText.append(data, size); }
    const std::string& Text() const { return mText; }

private:
    std::string mText;
};
