#include "cli/rastercommand.h"

#include <algorithm>
#include <cctype>
#include <cstdio>

std::string AxisOptionName(const std::string& axis) {
    std::string name;
    for (char c : axis) {
        if (std::isspace(static_cast<unsigned char>(c)))
            name += name.empty() || name.back() == '-' ? "" : "-";
        else
            name += char(std::tolower(static_cast<unsigned char>(c)));
    }
    while (!name.empty() && name.back() == '-')
        name.pop_back();
    return name;
}

std::string CertaintyPath(const std::string& output) {
    const std::size_t slash = output.find_last_of('/');
    const std::size_t name = slash == std::string::npos ? 0 : slash + 1;
    const std::size_t dot = output.find_last_of('.');
    if (dot == std::string::npos || dot <= name)
        return output + ".certainty.tif";
    return output.substr(0, dot) + ".certainty" + output.substr(dot);
}

bool ParseWindow(const std::string& text, std::array<int, 4>* window) {
    int v[4];
    int used = 0;
    if (std::sscanf(text.c_str(), "%d,%d,%d,%d%n", &v[0], &v[1], &v[2], &v[3], &used) != 4 ||
        std::size_t(used) != text.size() ||
        text.find_first_not_of("0123456789,") != std::string::npos)
        return false;
    *window = {v[0], v[1], v[2], v[3]};
    return true;
}

bool ParseTile(const std::string& text, std::pair<int, int>* tile) {
    int i = 0, n = 0, used = 0;
    if (std::sscanf(text.c_str(), "%d/%d%n", &i, &n, &used) != 2 ||
        std::size_t(used) != text.size() ||
        text.find_first_not_of("0123456789/") != std::string::npos || i < 1 || i > n)
        return false;
    *tile = {i, n};
    return true;
}

std::pair<int, int> TileRows(int height, int blockHeight, int piece, int pieces) {
    const long long blocks = (height + (long long)blockHeight - 1) / blockHeight;
    const auto edge = [&](int k) {
        return int(std::min<long long>(height, blocks * k / pieces * blockHeight));
    };
    return {edge(piece - 1), edge(piece)};
}
