#include "samples/columnlayout.h"

#include "util/numbertext.h"

#include <string>

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string_view Trimmed(std::string_view text) {
    // A spreadsheet's UTF-8 byte order mark in front of the first name is no part of it.
    constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
    if (text.substr(0, kByteOrderMark.size()) == kByteOrderMark)
        text.remove_prefix(kByteOrderMark.size());
    while (!text.empty() && IsBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

char Lower(char c) {
    return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c;
}

std::size_t FirstNamed(const std::vector<std::string_view>& fields,
                       std::initializer_list<std::string_view> names) {
    for (std::size_t i = 0; i < fields.size(); ++i) {
        for (std::string_view name : names) {
            if (SameColumnName(fields[i], name))
                return i;
        }
    }
    return ColumnLayout::kNone;
}

} // namespace

bool SameColumnName(std::string_view a, std::string_view b) {
    a = Trimmed(a);
    b = Trimmed(b);
    if (a.size() != b.size() || a.empty())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (Lower(a[i]) != Lower(b[i]))
            return false;
    }
    return true;
}

int ColumnLayout::AxisColumns() const {
    return int(x != kNone) + int(y != kNone) + int(z != kNone);
}

ColumnLayout SampleFileLayout() {
    return ColumnLayout{};
}

ColumnLayout NamedLayout(const std::vector<std::string_view>& fields, const soiltex& scheme) {
    ColumnLayout layout;
    layout.header = true;
    layout.x = FirstNamed(fields, {scheme.GetXName()});
    layout.y = FirstNamed(fields, {scheme.GetYName()});
    layout.z = FirstNamed(fields, {scheme.GetZName()});
    layout.id = FirstNamed(fields, {"id", "sample", "sample id"});
    layout.texture = FirstNamed(fields, {"texture"});
    layout.width = fields.size();
    return layout;
}

bool IsSampleRecord(const std::vector<std::string_view>& fields) {
    bool number = false;
    for (std::size_t i = 1; i <= 3; ++i) {
        const std::string_view text = i < fields.size() ? fields[i] : std::string_view();
        double value = 0;
        if (text.empty())
            continue;
        if (!numbertext::ParseWhole(text, &value))
            return false;
        number = true;
    }
    return number;
}

std::optional<ColumnLayout> HeaderLayout(const std::vector<std::string_view>& fields,
                                         const soiltex& scheme) {
    if (IsSampleRecord(fields))
        return std::nullopt;
    const ColumnLayout layout = NamedLayout(fields, scheme);
    if (layout.AxisColumns() < 2)
        return std::nullopt;
    return layout;
}
