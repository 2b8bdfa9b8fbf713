// The least work a classify run can do, for scale: reads a sample file, parses the three numbers
// after each line's Sample ID and writes the line back with a constant texture appended. No
// quotes, no checks, no lookup.
//   classify_floor FILE > OUT
#include <charconv>
#include <cstdio>
#include <cstring>
#include <vector>

namespace {

// Parses the number at p (up to the next comma or end); returns where it stopped.
const char* Number(const char* p, const char* end, double* sum) {
    double value = 0;
    const std::from_chars_result r = std::from_chars(p, end, value);
    *sum += value;
    return r.ptr;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: classify_floor FILE > OUT\n");
        return 2;
    }
    std::FILE* in = std::fopen(argv[1], "rb");
    if (in == nullptr) {
        std::perror(argv[1]);
        return 2;
    }
    constexpr char kTexture[] = ",Loam\n";
    std::vector<char> buffer(1 << 20), out(2 << 20);
    std::size_t kept = 0, used = 0;
    double sum = 0; // kept, so that the parsing cannot be left out
    for (;;) {
        const std::size_t n = std::fread(buffer.data() + kept, 1, buffer.size() - kept, in);
        const char* p = buffer.data();
        const char* const end = p + kept + n;
        for (;;) {
            const char* nl = static_cast<const char*>(std::memchr(p, '\n', std::size_t(end - p)));
            if (nl == nullptr)
                break;
            const char* q = static_cast<const char*>(std::memchr(p, ',', std::size_t(nl - p)));
            for (int i = 0; i < 3 && q != nullptr && q < nl; ++i)
                q = Number(q + 1, nl, &sum);
            if (used + std::size_t(nl - p) + sizeof kTexture > out.size()) {
                std::fwrite(out.data(), 1, used, stdout);
                used = 0;
            }
            std::memcpy(out.data() + used, p, std::size_t(nl - p));
            used += std::size_t(nl - p);
            std::memcpy(out.data() + used, kTexture, sizeof kTexture - 1);
            used += sizeof kTexture - 1;
            p = nl + 1;
        }
        kept = std::size_t(end - p);
        std::memmove(buffer.data(), p, kept);
        if (n == 0)
            break;
    }
    std::fwrite(out.data(), 1, used, stdout);
    std::fclose(in);
    return sum < 0 ? 1 : 0;
}
