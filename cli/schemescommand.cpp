#include "cli/schemescommand.h"

#include "cli/errorline.h"
#include "cli/exitstatus.h"
#include "scheme/schemefile.h"

#include <algorithm>
#include <array>
#include <filesystem>
#include <ostream>
#include <set>
#include <system_error>

namespace fs = std::filesystem;

namespace {

// One row of the listing.
using Row = std::array<std::string, 5>;

std::string Limit(double value) {
    std::string text = std::to_string(value);
    text.erase(text.find_last_not_of('0') + 1);
    if (!text.empty() && text.back() == '.')
        text.pop_back();
    return text;
}

Row ListingRow(const BundledSchemeFile& bundled) {
    soiltex scheme;
    const SchemeLoadStatus status = LoadSchemeFile(bundled.path, &scheme);
    if (status != SchemeLoadStatus::Loaded)
        return {bundled.id, "-", "-", SchemeLoadMessage(status), "-"};
    const SchemeMetadata metadata = ReadSchemeFileMetadata(bundled.path);
    std::set<std::string> names;
    for (const TextureClass& c : scheme.Classes())
        names.insert(c.name);
    const std::string limits = metadata.limits ? Limit(metadata.limits->clay) + "/" +
                                                     Limit(metadata.limits->silt) + "/" +
                                                     Limit(metadata.limits->sand)
                                               : "-";
    return {bundled.id, std::to_string(names.size()), limits,
            metadata.name.empty() ? scheme.GetName() : metadata.name,
            metadata.country.empty() ? "-" : metadata.country};
}

} // namespace

int RunSchemes(std::ostream& out, std::ostream& err) {
    const std::vector<BundledSchemeFile> schemes = BundledSchemeFiles();
    if (schemes.empty()) {
        PrintError(err, "no bundled schemes found");
        return kExitFailed;
    }
    std::vector<Row> rows;
    for (const BundledSchemeFile& s : schemes)
        rows.push_back(ListingRow(s));
    // Widths in characters, not bytes: names carry accented letters.
    const auto width = [](const std::string& text) {
        return std::size_t(
            std::count_if(text.begin(), text.end(), [](char c) { return (c & 0xC0) != 0x80; }));
    };
    std::array<std::size_t, 5> widths{};
    for (const Row& row : rows) {
        for (std::size_t i = 0; i < row.size(); ++i)
            widths[i] = std::max(widths[i], width(row[i]));
    }
    for (const Row& row : rows) {
        for (std::size_t i = 0; i + 1 < row.size(); ++i) {
            // The count is right-aligned, as numbers are.
            const std::string pad(widths[i] - width(row[i]), ' ');
            out << (i == 1 ? pad + row[i] : row[i] + pad) << "  ";
        }
        out << row.back() << '\n';
    }
    return kExitOk;
}
