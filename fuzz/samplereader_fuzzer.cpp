// Any bytes as sample records: the streaming reader must split them as a plain reference split of
// the whole text does, wherever its reads end and however small its buffer starts; what the
// writer writes must read back the same; classify must write one row per record. The scheme and
// its classifier are built once, so that the fuzzer runs thousands of inputs a second.
#include "scheme/cellclassifier.h"
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

bool IsLineEnd(char c) {
    return c == '\n' || c == '\r';
}

// A quoted field opened at text[i]: its text, and *end set to the closing quote; false when it
// does not close before a comma or line end within the allowed line breaks.
bool ReferenceQuoted(std::string_view text, std::size_t i, std::string* field, std::size_t* end) {
    std::size_t breaks = 0;
    for (std::size_t j = i + 1; j < text.size();) {
        const char c = text[j];
        if (c == '"') {
            if (j + 1 < text.size() && text[j + 1] == '"') {
                *field += '"';
                j += 2;
                continue;
            }
            *end = j;
            return j + 1 == text.size() || text[j + 1] == ',' || IsLineEnd(text[j + 1]);
        }
        const std::size_t width = c == '\r' && j + 1 < text.size() && text[j + 1] == '\n' ? 2 : 1;
        if (IsLineEnd(c) && ++breaks > SampleReader::kMaxQuotedLineBreaks)
            return false;
        field->append(text.substr(j, width));
        j += width;
    }
    return false;
}

// The format's rules, written for clarity over the whole text at once.
Records ReferenceSplit(std::string_view text) {
    Records records;
    std::size_t i = 0;
    while (i < text.size()) {
        std::vector<std::string> record;
        for (;;) {
            std::string field;
            std::size_t close = 0;
            if (i < text.size() && text[i] == '"' && ReferenceQuoted(text, i, &field, &close)) {
                i = close + 1;
            } else {
                field.clear();
                const std::size_t begin = i;
                while (i < text.size() && text[i] != ',' && !IsLineEnd(text[i]))
                    ++i;
                field = text.substr(begin, i - begin);
            }
            record.push_back(field);
            if (i < text.size() && text[i] == ',') {
                ++i;
                continue;
            }
            if (i < text.size())
                i += text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n' ? 2 : 1;
            break;
        }
        records.push_back(record);
    }
    return records;
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

// With a field limit, the split fields are the record's first ones, the rest read on its own
// gives the others, and a record without quotes is its own bytes.
void CheckLimit(std::string_view text, std::size_t limit, const Records& whole) {
    TextInput input(text, 7);
    SampleReader reader(input, 16);
    reader.SetFieldLimit(limit);
    for (const std::vector<std::string>& record : whole) {
        Require(reader.Next());
        const std::vector<std::string_view>& fields = reader.Fields();
        Require(fields.size() == std::min(limit, record.size()));
        for (std::size_t i = 0; i < fields.size(); ++i)
            Require(fields[i] == record[i]);
        if (!fields.empty() && !reader.AnyQuote()) {
            std::string joined;
            for (std::size_t i = 0; i < fields.size(); ++i)
                joined += (i > 0 ? "," : "") + record[i];
            Require(reader.FieldsText(fields.size()) == joined);
        }
        Require(reader.HasRest() == (record.size() > limit));
        if (!reader.HasRest())
            continue;
        const std::vector<std::string> expected(record.begin() + std::ptrdiff_t(limit),
                                                record.end());
        const Records tail = ReferenceSplit(reader.Rest());
        Require(reader.Rest().empty() ? expected == std::vector<std::string>{""}
                                      : tail.size() == 1 && tail[0] == expected);
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

    const Records whole = ReferenceSplit(text);
    Require(ReadAll(text, chunk, bufferSize) == whole);
    CheckLimit(text, limit, whole);

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

    // The whole command: one output record per input record (the header's too).
    static CellClassifier classifier(TwoZone());
    TextInput input(text, chunk);
    TextOutput output;
    std::ostringstream messages;
    ClassifyOptions options;
    options.bufferSize = bufferSize;
    options.normaliseTolerance = data[0] % 2 == 0 ? std::optional<double>(5) : std::nullopt;
    options.header = HeaderRule(data[1] % 3);
    if (ClassifyStream(TwoZone(), classifier, input, output, options, messages) == 0)
        Require(ReadAll(output.Text(), std::string_view::npos, 4096).size() == whole.size());
    return 0;
}
