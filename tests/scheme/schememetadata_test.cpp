#include "scheme/schememetadata.h"

#include <gtest/gtest.h>
#include <sstream>
#include <string>
#include <vector>

namespace {

// One line of what was read: "name|country|source|vertices|boundaries|limits|abbreviations".
std::string Outline(const SchemeMetadata& m) {
    std::ostringstream text;
    text << m.name << "|" << m.country << "|" << m.source << "|" << m.vertices << "|"
         << m.boundaries << "|";
    if (m.limits)
        text << m.limits->clay << " " << m.limits->silt << " " << m.limits->sand;
    text << "|";
    for (const auto& [id, abbreviation] : m.abbreviations)
        text << id << "=" << abbreviation << " ";
    return text.str();
}

TEST(SchemeMetadataReading, KeyLinesOfTheDetailsText) {
    const struct {
        const char* details;
        const char* outline;
        std::vector<std::string> problems;
    } cases[] = {
        {"", "||||||", {}},
        {"Free text only.\r\nSource of the data: unknown\r\n", "||||||", {}},
        {"name: Soil texture classes\r\ncountry:  Germany  \r\nsource: KA5 (2005)\r\n"
         "vertices: digitised\nboundaries: more clay keeps it\nlimits: 2 63 2000\n"
         "abbreviations: 1=Ss 2=Su2 -3=Sl:2\n",
         "Soil texture classes|Germany|KA5 (2005)|digitised|more clay keeps it|2 63 2000|"
         "-3=Sl:2 1=Ss 2=Su2 ",
         {}},
        // Keys in another case, indented or without their colon at once are free text; the
        // first line of a key counts, and an empty value gives nothing.
        {"Name: A\n name: B\nname : C\nname:\nname: D\nname: E\nlimits: 2 50 2000 µm\n",
         "D|||||2 50 2000|",
         {}},
        {"limits: 2 50\n", "||||||", {"line 1: limits: three sizes in µm are expected"}},
        {"\nlimits: 2 fifty 2000\n", "||||||", {"line 2: limits: \"fifty\" is not a number"}},
        {"limits: 50 2 2000\n", "||||||", {"line 1: limits: the sizes must increase from above 0"}},
        {"abbreviations: 1=S x=L 2= 3 1=T 4=C\n",
         "||||||1=S 4=C ",
         {"line 1: abbreviations: \"x=L\" is not id=abbreviation; \"2=\" is not "
          "id=abbreviation; \"3\" is not id=abbreviation; id 1 comes twice"}},
    };
    for (const auto& c : cases) {
        const SchemeMetadata meta = ParseSchemeMetadata(c.details);
        EXPECT_EQ(Outline(meta), c.outline) << c.details;
        EXPECT_EQ(meta.problems, c.problems) << c.details;
    }
}

// The details text stops at the line holding "[texture]", wherever in the line it stands.
TEST(SchemeMetadataReading, DetailsTextEndsAtTheTextureWord) {
    const struct {
        const char* file;
        const char* details;
    } cases[] = {
        {"one\r\ntwo\r\n[texture]\r\nName\r\n", "one\r\ntwo\r\n"},
        {"head\nabc[texture]def\nmore\n", "head\r\nabc"},
        {"[texture]\n", ""},
    };
    for (const auto& c : cases) {
        std::istringstream in(c.file);
        EXPECT_EQ(ReadSchemeDetails(in), c.details) << c.file;
    }
}

} // namespace
