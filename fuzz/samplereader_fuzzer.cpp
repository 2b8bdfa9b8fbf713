// Any bytes as classify input: reading, writing and classifying must never crash, and the reader
// must give the same records wherever its reads end and however small its buffer starts.
#include "cli/classifycommand.h"
#include "samples/bytestream.h"
#include "samples/samplereader.h"
#include "samples/samplewriter.h"
#include "scheme/soiltex.h"

#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

namespace {

using Records = std::vector<std::vector<std::string>>;

const soiltex& TwoZone() {
    static const soiltex scheme = [] {
        std::stringstream text("[texture]\nTwo-zone\nfirst\nsecond\nthird\n\n"
                               "Low\n1\n0 0\n50 0\n0 50\n#\n"
                               "High\n2\n50 0\n100 0\n0 100\n0 50\n#\n[border]\n1 2 = 2\n#\n");
        soiltex s;
        s.LoadScheme(text);
        return s;
    }();
    return scheme;
}

Records ReadAll(std::string_view text, std::size_t chunk, std::size_t bufferSize) {
    TextInput input(text, chunk);
    SampleReader reader(input, bufferSize);
    Records records;
    while (reader.Next())
        records.emplace_back(reader.Fields().begin(), reader.Fields().end());
    return records;
}

void Require(bool condition) {
    if (!condition)
        __builtin_trap();
}

// With a field limit, the fields and the unsplit rest read on give the whole record.
void CheckRest(std::string_view text, std::size_t limit, const Records& whole) {
    TextInput input(text);
    SampleReader reader(input, 4096);
    reader.SetFieldLimit(limit);
    for (const std::vector<std::string>& record : whole) {
        Require(reader.Next());
        const std::vector<std::string_view>& fields = reader.Fields();
        Require(fields.size() == std::min(limit, record.size()));
        for (std::size_t i = 0; i < fields.size(); ++i)
            Require(fields[i] == record[i]);
        Require(reader.HasRest() == (record.size() > limit));
        // A rest ending in CR reads back without it at the end of a line; nothing to compare.
        if (!reader.HasRest() || (!reader.Rest().empty() && reader.Rest().back() == '\r'))
            continue;
        const std::string rest(reader.Rest());
        const Records tail = ReadAll(rest, std::string_view::npos, 16);
        const std::vector<std::string> expected(record.begin() + std::ptrdiff_t(limit),
                                                record.end());
        Require(rest.empty() ? expected == std::vector<std::string>{""} : tail.size() == 1);
        if (!rest.empty())
            Require(tail[0] == expected);
    }
    Require(!reader.Next());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 3)
        return 0;
    const std::size_t chunk = 1 + data[0] % 17;
    const std::size_t bufferSize = 1 + data[1] % 64;
    const std::size_t limit = data[2] % 6;
    const std::string text(reinterpret_cast<const char*>(data + 3), size - 3);

    const Records whole = ReadAll(text, std::string_view::npos, 4096);
    Require(ReadAll(text, chunk, bufferSize) == whole);
    CheckRest(text, limit, whole);

    // What the writer writes reads back as the same fields.
    TextOutput written;
    SampleWriter writer(written, bufferSize);
    for (const std::vector<std::string>& record : whole) {
        for (const std::string& field : record)
            writer.Field(field);
        writer.EndRecord();
    }
    writer.Flush();
    Require(ReadAll(written.Text(), chunk, bufferSize) == whole);

    // The whole command: one output record per input record.
    TextInput input(text, chunk);
    TextOutput output;
    std::ostringstream messages;
    ClassifyOptions options;
    options.bufferSize = bufferSize;
    options.normaliseTolerance = data[0] % 2 == 0 ? std::optional<double>(5) : std::nullopt;
    if (ClassifyStream(TwoZone(), input, output, options, messages) == 0)
        Require(ReadAll(output.Text(), std::string_view::npos, 4096).size() == whole.size());
    return 0;
}
