// Any words as granum-cli's command line (one a line): parsing the options and running the
// command must never crash, and always end in one of the three exit statuses.
//
// Nothing is written to the file system: every way of naming an output file (-o, --output, a
// short-option cluster holding o) is dropped, as is every word with a "/", so that only the
// bundled schemes and the empty working folder can be named. Standard input and output are
// /dev/null, so that classify reads nothing and its rows go nowhere.
#include "cli/commandline.h"
#include "cli/exitstatus.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <fcntl.h>
#include <sstream>
#include <string>
#include <string_view>
#include <unistd.h>
#include <vector>

namespace {

bool NamesAnOutput(std::string_view word) {
    if (word.substr(0, 2) == "--")
        return word.substr(2, 1) == "o";
    return word.size() > 1 && word[0] == '-' && word.find('o') != std::string_view::npos;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    const int null = ::open("/dev/null", O_RDWR);
    if (null < 0 || ::dup2(null, 0) < 0 || ::dup2(null, 1) < 0)
        std::abort();
    static char folder[] = "/tmp/granum-commandline-fuzzer-XXXXXX";
    if (::mkdtemp(folder) == nullptr || ::chdir(folder) != 0)
        std::abort();
    std::atexit([] { ::rmdir(folder); });
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::vector<std::string> words{"granum-cli"};
    std::string_view text(reinterpret_cast<const char*>(data), size);
    bool dropNext = false;
    while (!text.empty() && words.size() < 32) {
        const std::size_t end = std::min(text.find('\n'), text.size());
        const std::string_view word = text.substr(0, end);
        text.remove_prefix(std::min(end + 1, text.size()));
        if (dropNext || word.find('/') != std::string_view::npos) {
            dropNext = false;
            continue;
        }
        if (NamesAnOutput(word)) {
            dropNext = word == "-o" || word == "--output";
            continue;
        }
        words.emplace_back(word);
    }
    std::vector<char*> argv;
    for (std::string& word : words)
        argv.push_back(word.data());
    argv.push_back(nullptr);

    std::ostringstream out, err;
    const int status = RunCommandLine(int(words.size()), argv.data(), out, err);
    if (status != kExitOk && status != kExitFailed && status != kExitUnusable)
        std::abort();
    return 0;
}
