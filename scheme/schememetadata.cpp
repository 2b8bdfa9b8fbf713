#include "scheme/schememetadata.h"

#include "util/numbertext.h"

#include <istream>
#include <limits>

namespace {

constexpr std::string_view kTextureWord = "[texture]";
constexpr std::string_view kBlanks = " \t\r";

std::string_view Trim(std::string_view text) {
    const std::size_t first = text.find_first_not_of(kBlanks);
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
}

std::vector<std::string_view> Words(std::string_view text) {
    std::vector<std::string_view> words;
    std::size_t at = 0;
    while ((at = text.find_first_not_of(kBlanks, at)) != std::string_view::npos) {
        const std::size_t end = std::min(text.find_first_of(kBlanks, at), text.size());
        words.push_back(text.substr(at, end - at));
        at = end;
    }
    return words;
}

// A whole integer within the 32-bit range: optional sign, then digits only.
bool ParseId(std::string_view text, int32_t* id) {
    std::size_t i = text.size() > 0 && (text[0] == '-' || text[0] == '+') ? 1 : 0;
    if (i == text.size() || text.size() > 11)
        return false;
    for (std::size_t k = i; k < text.size(); ++k) {
        if (text[k] < '0' || text[k] > '9')
            return false;
    }
    const long long value = std::stoll(std::string(text));
    if (value < std::numeric_limits<int32_t>::min() || value > std::numeric_limits<int32_t>::max())
        return false;
    *id = int32_t(value);
    return true;
}

// Why the value is not three increasing sizes, or empty when *limits holds them.
std::string ReadLimits(std::string_view value, std::optional<ParticleLimits>* limits) {
    std::vector<std::string_view> words = Words(value);
    if (words.size() == 4 && (words[3] == "µm" || words[3] == "um"))
        words.pop_back();
    if (words.size() != 3)
        return "three sizes in µm are expected";
    double size[3];
    for (int i = 0; i < 3; ++i) {
        if (!numbertext::ParseWhole(words[std::size_t(i)], &size[i]))
            return "\"" + std::string(words[std::size_t(i)]) + "\" is not a number";
    }
    if (!(0 < size[0] && size[0] < size[1] && size[1] < size[2] &&
          size[2] < std::numeric_limits<double>::infinity()))
        return "the sizes must increase from above 0";
    *limits = ParticleLimits{size[0], size[1], size[2]};
    return {};
}

// Reads the pairs it can; the reasons of the others, "; "-joined.
std::string ReadAbbreviations(std::string_view value, std::map<int32_t, std::string>* map) {
    std::string problems;
    const auto problem = [&problems](const std::string& why) {
        problems += (problems.empty() ? "" : "; ") + why;
    };
    for (std::string_view pair : Words(value)) {
        const std::size_t equals = pair.find('=');
        int32_t id = 0;
        if (equals == std::string_view::npos || equals + 1 == pair.size() ||
            !ParseId(pair.substr(0, equals), &id)) {
            problem("\"" + std::string(pair) + "\" is not id=abbreviation");
        } else if (!map->emplace(id, std::string(pair.substr(equals + 1))).second) {
            problem("id " + std::to_string(id) + " comes twice");
        }
    }
    return problems;
}

} // namespace

std::string ReadSchemeDetails(std::istream& in) {
    std::string text, line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        const std::size_t word = line.find(kTextureWord);
        if (word != std::string::npos) {
            text += line.substr(0, word);
            break;
        }
        text += line + "\r\n";
    }
    return text;
}

SchemeMetadata ParseSchemeMetadata(std::string_view details) {
    SchemeMetadata meta;
    bool seen[7] = {};
    std::size_t lineNumber = 0;
    std::size_t at = 0;
    while (at < details.size()) {
        const std::size_t end = std::min(details.find('\n', at), details.size());
        const std::string_view line = details.substr(at, end - at);
        at = end + 1;
        ++lineNumber;
        const std::size_t colon = line.find(':');
        if (colon == std::string_view::npos)
            continue;
        const std::string_view key = line.substr(0, colon);
        const std::string_view value = Trim(line.substr(colon + 1));
        std::string* const texts[] = {&meta.name, &meta.country, &meta.source, &meta.vertices,
                                      &meta.boundaries};
        const std::string_view keys[] = {"name",       "country", "source",       "vertices",
                                         "boundaries", "limits",  "abbreviations"};
        std::size_t k = 0;
        while (k < 7 && keys[k] != key)
            ++k;
        if (k == 7 || seen[k] || value.empty())
            continue;
        seen[k] = true;
        std::string problem;
        if (k < 5)
            *texts[k] = std::string(value);
        else if (k == 5)
            problem = ReadLimits(value, &meta.limits);
        else
            problem = ReadAbbreviations(value, &meta.abbreviations);
        if (!problem.empty())
            meta.problems.push_back("line " + std::to_string(lineNumber) + ": " + std::string(key) +
                                    ": " + problem);
    }
    return meta;
}
