#include "chart/textblock.h"

namespace {

std::vector<std::string> SplitLines(const std::string& text) {
    std::vector<std::string> lines;
    std::string line;
    for (char c : text) {
        if (c == '\n') {
            lines.push_back(line);
            line.clear();
        } else if (c == '\t') {
            line.append(8 - line.size() % 8, ' ');
        } else if (c != '\r') {
            line += c;
        }
    }
    lines.push_back(line);
    return lines;
}

void WrapLine(const DrawTarget& target, const std::string& line, int width,
              std::vector<std::string>* out) {
    std::string current;
    bool started = false; // leading blanks are kept, so current may hold spaces only
    std::size_t start = 0;
    while (start <= line.size()) {
        std::size_t end = line.find(' ', start);
        if (end == std::string::npos)
            end = line.size();
        const std::string word = line.substr(start, end - start);
        const std::string joined = started ? current + ' ' + word : word;
        started = true;
        if (!current.empty() && target.MeasureText(joined).width > width) {
            out->push_back(current);
            current = word;
        } else {
            current = joined;
        }
        start = end + 1;
    }
    out->push_back(current);
}

} // namespace

std::vector<std::string> WrapText(const DrawTarget& target, const std::string& text, int width) {
    std::vector<std::string> wrapped;
    for (const std::string& line : SplitLines(text))
        WrapLine(target, line, width, &wrapped);
    return wrapped;
}
