// Every bundled scheme (schemes/*.dat, listed when the test runs) loads, and so is valid, every
// composition of the tenth-percent grid gets exactly one class, away from boundaries it gives the
// class of the published vertex table it was built from (tests/data/reference-triangles/
// schemes.txt), and its key lines read without problems, with abbreviations naming its classes.
#include "scheme/compositionspace.h"
#include "scheme/pointclassifier.h"
#include "scheme/schemefile.h"
#include "scheme/schememetadata.h"
#include "scheme/soiltex.h"
#include "schemetext.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace {

const std::string kTables = GRANUM_TEST_DATA_DIR "/reference-triangles/";

std::vector<std::string> BundledSchemes() {
    std::vector<std::string> files;
    for (const auto& entry : std::filesystem::directory_iterator(GRANUM_SCHEMES_DIR))
        if (entry.path().extension() == ".dat")
            files.push_back(entry.path().filename().string());
    std::sort(files.begin(), files.end());
    return files;
}

std::string Lower(std::string s) {
    for (char& c : s)
        c = char(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

std::string ReadText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// A row of schemes.txt: the table a scheme was built from ("-" for none) and its options.
struct Band {
    std::string component; // "clay", "silt" or "sand"
    double low, high;
};
struct Reference {
    std::string table;
    bool unordered = false;   // vertices not listed in order around their class
    std::vector<Band> exempt; // compositions with the component in [low, high] are not compared
};

std::map<std::string, Reference> ReadManifest() {
    std::map<std::string, Reference> rows;
    std::istringstream in(ReadText(kTables + "schemes.txt"));
    std::string line;
    while (std::getline(in, line)) {
        std::istringstream words(line);
        std::string file, word;
        if (!(words >> file) || file[0] == '#')
            continue;
        Reference& row = rows[file];
        words >> row.table;
        while (words >> word) {
            if (word == "unordered") {
                row.unordered = true;
            } else if (word.rfind("exempt=", 0) == 0) {
                // exempt=COMPONENT:low-high
                const std::size_t colon = word.find(':'), dash = word.find('-', colon);
                row.exempt.push_back({Lower(word.substr(7, colon - 7)),
                                      std::stod(word.substr(colon + 1, dash - colon - 1)),
                                      std::stod(word.substr(dash + 1))});
            } else {
                ADD_FAILURE() << "schemes.txt: unknown option " << word;
            }
        }
    }
    return rows;
}

std::vector<std::string> SplitCsv(const std::string& line) {
    std::vector<std::string> fields(1);
    bool quoted = false;
    for (char c : line) {
        if (c == '"')
            quoted = !quoted;
        else if (c == ',' && !quoted)
            fields.emplace_back();
        else if (c != '\r')
            fields.back() += c;
    }
    return fields;
}

// The classes of a published table in the scheme's plane, in the table's order (position + 1 is
// the id the scheme gives the class).
std::vector<std::vector<point>> ReadTable(const Reference& ref, const soiltex& scheme) {
    std::istringstream in(ReadText(kTables + ref.table));
    std::string line;
    std::getline(in, line);
    const std::vector<std::string> header = SplitCsv(line);
    auto column = [&header](const std::string& name) {
        for (std::size_t i = 0; i < header.size(); ++i)
            if (Lower(header[i]) == name)
                return int(i);
        return -1;
    };
    int key = column("class_index");
    if (key < 0)
        key = column("code");
    const int x = column(Lower(scheme.GetXName())), y = column(Lower(scheme.GetYName()));
    EXPECT_TRUE(key >= 0 && x >= 0 && y >= 0) << ref.table << ": columns";
    std::map<std::string, std::size_t> position; // of each key, in the table's order
    std::vector<std::vector<point>> classes;
    while (std::getline(in, line)) {
        const std::vector<std::string> f = SplitCsv(line);
        if (f.size() < header.size())
            continue;
        const auto [at, added] = position.emplace(f[std::size_t(key)], classes.size());
        if (added)
            classes.emplace_back();
        std::vector<point>& c = classes[at->second];
        const point p{std::stod(f[std::size_t(x)]), std::stod(f[std::size_t(y)])};
        if (c.empty() || c.back().x != p.x || c.back().y != p.y)
            c.push_back(p);
    }
    for (std::vector<point>& c : classes) {
        if (ref.unordered) {
            point mid{0, 0};
            for (const point& p : c)
                mid = {mid.x + p.x / double(c.size()), mid.y + p.y / double(c.size())};
            std::sort(c.begin(), c.end(), [mid](const point& a, const point& b) {
                return std::atan2(a.y - mid.y, a.x - mid.x) < std::atan2(b.y - mid.y, b.x - mid.x);
            });
        }
    }
    return classes;
}

bool Inside(point p, const std::vector<point>& poly) {
    bool inside = false;
    for (std::size_t i = 0, j = poly.size() - 1; i < poly.size(); j = i++) {
        const point a = poly[i], b = poly[j];
        if ((a.y > p.y) != (b.y > p.y) && p.x < a.x + (p.y - a.y) * (b.x - a.x) / (b.y - a.y))
            inside = !inside;
    }
    return inside;
}

soiltex Load(const std::string& file) {
    return LoadedScheme(GRANUM_SCHEMES_DIR "/" + file);
}

class BundledScheme : public testing::TestWithParam<std::string> {};

TEST_P(BundledScheme, EveryTenthPercentCompositionHasExactlyOneClass) {
    const soiltex scheme = Load(GetParam());
    PointClassifier classifier(scheme);
    ASSERT_TRUE(classifier.SchemeIsValid());
    int failures = 0;
    for (int i = 0; i <= 1000; ++i) {
        for (int j = 0; i + j <= 1000; ++j) {
            const double x = i / 10.0, y = j / 10.0;
            const std::size_t found = classifier.Classify(x, y, 100 - x - y).size();
            if (found != 1 && ++failures <= 10)
                ADD_FAILURE() << scheme.GetXName() << " " << x << ", " << scheme.GetYName() << " "
                              << y << ": " << found << " classes";
        }
    }
    EXPECT_EQ(failures, 0);
}

TEST_P(BundledScheme, KeyLinesReadWithoutProblemsAndNameEveryClass) {
    std::ifstream file(GRANUM_SCHEMES_DIR "/" + GetParam(), std::ios::binary);
    const SchemeMetadata meta = ParseSchemeMetadata(ReadSchemeDetails(file));
    EXPECT_EQ(meta.problems, std::vector<std::string>());
    for (const std::string* value :
         {&meta.name, &meta.country, &meta.source, &meta.vertices, &meta.boundaries})
        EXPECT_FALSE(value->empty());
    std::set<int> ids, named;
    const soiltex scheme = Load(GetParam());
    for (const TextureClass& c : scheme.Classes())
        ids.insert(c.id);
    for (const auto& abbreviation : meta.abbreviations)
        named.insert(abbreviation.first);
    EXPECT_EQ(named, ids);
}

TEST_P(BundledScheme, AwayFromBoundariesGivesTheClassOfItsPublishedTable) {
    const std::map<std::string, Reference> manifest = ReadManifest();
    ASSERT_EQ(manifest.count(GetParam()), 1u) << "not in schemes.txt";
    const Reference& ref = manifest.at(GetParam());
    if (ref.table == "-")
        GTEST_SKIP() << "no published table: checked on its own";
    const soiltex scheme = Load(GetParam());
    const std::vector<std::vector<point>> table = ReadTable(ref, scheme);
    // A class stored as several polygons answers with the id of its first record.
    std::map<std::string, int> firstId;
    for (const TextureClass& c : scheme.Classes())
        firstId.emplace(c.name, c.id);

    PointClassifier classifier(scheme);
    int compared = 0, failures = 0;
    for (int i = 0; i <= 200; ++i) {
        for (int j = 0; i + j <= 200; ++j) {
            const point p{i / 2.0, j / 2.0};
            std::map<std::string, double> share{{Lower(scheme.GetXName()), p.x},
                                                {Lower(scheme.GetYName()), p.y},
                                                {Lower(scheme.GetZName()), 100 - p.x - p.y}};
            bool skip = false;
            for (const Band& band : ref.exempt)
                skip = skip || (share[band.component] >= band.low - 0.3 &&
                                share[band.component] <= band.high + 0.3);
            std::vector<int> tableIds;
            for (std::size_t c = 0; c < table.size() && !skip; ++c) {
                for (std::size_t k = 0, l = table[c].size() - 1; k < table[c].size(); l = k++)
                    skip = skip ||
                           compositionspace::SegmentDistance(p, table[c][l], table[c][k]) < 0.3;
                if (Inside(p, table[c]))
                    tableIds.push_back(int(c) + 1);
            }
            if (skip || tableIds.empty())
                continue;
            ++compared;
            const std::vector<int>& found = classifier.Classify(p.x, p.y, 100 - p.x - p.y);
            const int id =
                found.size() == 1 ? firstId.at(scheme.Classes()[std::size_t(found[0])].name) : 0;
            if (std::find(tableIds.begin(), tableIds.end(), id) == tableIds.end() &&
                ++failures <= 10)
                ADD_FAILURE() << "at " << p.x << ", " << p.y << " the scheme gives id " << id
                              << ", " << ref.table << " id " << tableIds[0];
        }
    }
    EXPECT_EQ(failures, 0);
    EXPECT_GT(compared, 10000) << "too few compositions compared";
}

INSTANTIATE_TEST_SUITE_P(Schemes, BundledScheme, testing::ValuesIn(BundledSchemes()),
                         [](const testing::TestParamInfo<std::string>& info) {
                             std::string name = info.param.substr(0, info.param.size() - 4);
                             std::replace(name.begin(), name.end(), '-', '_');
                             return name;
                         });

// The English name of a class: the text in its last parentheses (before any "; "), or the whole
// name, in lower case.
std::string EnglishName(const std::string& name) {
    const std::size_t open = name.rfind('(');
    if (open == std::string::npos)
        return Lower(name);
    return Lower(name.substr(open + 1, name.find_first_of(";)", open) - open - 1));
}

// Systems drawn on the USDA triangle with one class split off above 60 % clay give, below it,
// exactly the USDA class, boundaries and corners included.
TEST(BundledSchemes, UsdaBasedSchemesAgreeWithUsdaBelowSixtyPercentClay) {
    const soiltex usda = Load("usda.dat");
    for (const char* file : {"ca-en.dat", "ca-fr.dat", "br-lemos-santos.dat"}) {
        const soiltex scheme = Load(file);
        PointClassifier mine(scheme), theirs(usda);
        int failures = 0;
        for (int sand = 0; sand <= 200; ++sand) {
            for (int clay = 0; clay < 120 && sand + clay <= 200; ++clay) {
                const double x = sand / 2.0, y = clay / 2.0, z = 100 - x - y;
                const std::vector<int>& a = mine.Classify(x, y, z);
                const std::string name =
                    a.size() == 1 ? EnglishName(scheme.Classes()[std::size_t(a[0])].name) : "";
                const std::vector<int>& b = theirs.Classify(x, y, z);
                if (name != Lower(usda.Classes()[std::size_t(b.at(0))].name) && ++failures <= 5)
                    ADD_FAILURE() << file << ": sand " << x << ", clay " << y << " gives " << name;
            }
        }
        EXPECT_EQ(failures, 0) << file;
    }
}

} // namespace
