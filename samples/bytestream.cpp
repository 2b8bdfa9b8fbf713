#include "samples/bytestream.h"

#include <algorithm>

std::size_t TextInput::Read(char* buffer, std::size_t size) {
    const std::size_t n = std::min({size, mChunk, mText.size()});
    std::copy_n(mText.data(), n, buffer);
    mText.remove_prefix(n);
    return n;
}
