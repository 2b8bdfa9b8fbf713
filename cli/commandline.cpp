#include "cli/commandline.h"

#include "cli/chartcommand.h"
#include "cli/checkcommand.h"
#include "cli/classescommand.h"
#include "cli/classifycommand.h"
#include "cli/datafractions.h"
#include "cli/errorline.h"
#include "cli/exitstatus.h"
#include "cli/lookupcommand.h"
#include "cli/rangecommand.h"
#include "cli/rastercommand.h"
#include "cli/schemeargument.h"
#include "cli/schemescommand.h"
#include "util/futil.h"
#include "util/numbertext.h"

#include <CLI/CLI.hpp>
#include <algorithm>
#include <array>
#include <cstring>
#include <initializer_list>
#include <optional>
#include <ostream>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

constexpr const char* kSchemeHelp =
    "Classification scheme: the id of a bundled scheme (see the schemes command), or a scheme "
    "file, named with a folder or ending in .dat (./my.dat); usda by default";

constexpr const char* kMultiSchemeHelp =
    "Classification scheme: the id of a bundled scheme (see the schemes command), or a scheme "
    "file, named with a folder or ending in .dat (./my.dat); usda by default. Give it again for "
    "a texture per scheme";

constexpr const char* kClassifyFooter =
    R"(INPUT is a sample file: lines of Sample ID, x, y, z (further fields are ignored), no header,
LF, CR LF or CR line ends. Or a CSV file whose first line names its columns: it is taken as a
header when it names two or more of the scheme's axes (in any case) and its second to fourth
fields are not numbers; --header and --no-header decide instead. Then the columns named like
the axes are x, y and z, a column "id", "sample" or "sample id" is the sample id, all other
columns are carried along, and an existing "texture" column is filled in again.

Each row is classified as the desktop sheet classifies it after opening the file: a field
that is not wholly a number within 0 to 100 counts as missing, one missing value is
completed as 100 minus the other two, and the texture is the class names joined by " / ",
"{ fail }" when no class holds the composition, or empty when two or more values are
missing. Fields in double quotes may hold commas, quotes (doubled) and line breaks; a quote
that does not close before a comma or the line's end is an ordinary character. A line of
more than 1 MiB is an error.

Output: sample files as lines of Sample ID, x, y, z, texture (fields as read); header files
as the header plus a "texture" column, rows shorter than the header padded, surplus fields
after the texture. Records end in LF; fields that need it are quoted.

A row has failed when it is not blank and gets no class: "{ fail }", or fewer than two
values. Blank rows (no id, no values) are written and counted, but are not failures.
The summary on standard error gives the line numbers of the first failed rows.

With several -s, one pass gives a texture per scheme: header files get a column
"texture_ID" per scheme (ID: the bundled id or the scheme file's name without .dat; an
existing column of that name is filled in again), each scheme's values found by its own
axis names; sample files are read in the first scheme's axis order and get one field per
scheme after the fourth, in the order of the -s options, each scheme's values taken by
axis name (schemes whose axis names differ from the first's are refused). A row has failed
when any scheme fails it. With one -s the output is as above.

With --error E or --error-sd S (a lab error on each fraction: up to E percentage points, all
values within equally likely, or normal with standard deviation S, given a sum of 100), each
scheme adds the columns share (of the class given), second and second_share (the next most
likely class), distance (in percentage points of composition, from the class given to its
nearest boundary with another class) and nearest (the class across it); named "share" and so
on in a header file (filled in again when the header has them; "share_ID" among several -s),
appended fields in a sample file. Shares are exact areas or integrals, 6 decimals; they do not
depend on the border rules. --shares writes one share column per class instead, named after
the class. Rows without a class get empty columns.

With --data-limits or --fractions the data were measured with other particle-size limits
than the schemes': each row is converted to each scheme's limits (those its details state)
before the lookup, by interpolating the cumulative curve in log(diameter); a scheme whose
limits are the data's gets the values as read. The fractions of a header file are the
columns --fractions names (or, with --data-limits, those named like the first scheme's
axes); a file without a header has them from its second field on, in the order --fractions
lists them (or of the first scheme's axes). Every fraction must have a column. One missing
fraction is completed; a row whose fractions do not add up to 100 (after --normalise)
fails. --write-converted adds each scheme's converted values, named AXIS_ID, after the
textures (a header's own columns of those names are filled again). Data that do not reach a scheme's limits (sand to 1000 µm into a 2000 µm scheme,
clay below 20 µm into one of 2 µm) are refused, unless --top-as-given takes the data's top
as the scheme's sand limit.

Exit status: 0; 1 with --strict when a row failed; 2 when the scheme, the input or the
output cannot be used.)";

constexpr const char* kConvertFooter =
    R"(INPUT is read as classify reads it (see granum-cli classify --help): the fractions are
found by the names --fractions gives or, with --data-limits, like the axes of the -s scheme
(usda by default), and with no header from the second field on. Each row is written as read,
followed by the converted values in the axis order of the -s scheme, named AXIS_ID (ID: the
--to value, its commas as dashes, or the scheme's id). The cumulative curve is interpolated
in log(diameter) between the data's limits (--spline: a monotone cubic when four or more
fractions are given). Rows whose fractions are missing (two or more) or do not add up to
100 are written with empty converted values and counted as failed.

Exit status: 0; 1 with --strict when a row failed; 2 when the limits cannot be reached, a
fraction has no column, or the input or the output cannot be used.)";

constexpr const char* kRasterFooter =
    R"(The inputs are rasters GDAL reads (GeoTIFF, VRT, ...), one per axis of the (first)
scheme, each given by an option named after its axis in lower case (blanks as -), with
FILE, or FILE:N for band N. For usda these are --sand FILE --clay FILE [--silt FILE]; a
scheme with other axes takes its own names. Or --bands FILE: bands 1, 2 (and 3) of one
file are the axes in the scheme's order.
The inputs must share their size, transform and coordinate system.

Every cell is classified as classify classifies a row whose three values are the cell's
percentages (stored value x --scale + --offset): a nodata value, or one outside 0 to 100,
is missing, and one missing value is completed (so two inputs give the third); three
given values must add up to 100 (or within --normalise of it, then scaled to 100).

Output: a tiled, DEFLATE-compressed GeoTIFF of bytes, one band per -s (named by the
scheme's id): 0 no data (two or more values missing), 1.. the scheme's class names in the
order of its file, 255 { fail } (no class holds the composition, as when three inputs do
not add up to 100). A cell on a shared boundary gets the class the scheme's border rules
give it; should several classes remain, the first of them (the first name classify gives).
Band 1 has a colour table; every band has an attribute table of the class names and
colours in OUTPUT.aux.xml (keep it beside the map: QGIS shows the names from it).
--cog writes a Cloud Optimized GeoTIFF (with overviews) instead.

Large jobs: --window or --tile I/N classify one piece of the grid; join the pieces with
gdalbuildvrt. The output is replaced only when the run succeeds.
Exit status: 0; 2 when an option, an input, a scheme or the output cannot be used.)";

class UsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

double ParseTolerance(const std::string& text) {
    double value = 0;
    if (text.empty() || !numbertext::ParseWhole(text, &value) || !futil::ge(value, 0.0) ||
        !(value < 100))
        throw UsageError("--normalise: \"" + text + "\" is not a tolerance from 0 to below 100");
    return value;
}

// The lab error of --error or --error-sd, when either was given.
std::optional<LabError> ParseLabError(const std::string& uniform, const std::string& sd) {
    if (uniform.empty() && sd.empty())
        return std::nullopt;
    const bool isUniform = !uniform.empty();
    const std::string& text = isUniform ? uniform : sd;
    double value = 0;
    if (!numbertext::ParseWhole(text, &value) || !(value > 0) || !futil::le(value, 100.0))
        throw UsageError(std::string(isUniform ? "--error" : "--error-sd") + ": \"" + text +
                         "\" is not a number of percentage points above 0 and up to 100");
    return LabError{isUniform ? ErrorModel::Uniform : ErrorModel::Normal, value};
}

// --error and --error-sd on a command.
void AddLabErrorOptions(CLI::App* command, std::string* uniform, std::string* sd) {
    CLI::Option* e =
        command
            ->add_option("--error", *uniform,
                         "Lab error: each fraction may be off by up to E percentage points, all "
                         "values within equally likely; adds each class's share of the "
                         "compositions that allows and the distance to the nearest other class")
            ->type_name("E");
    command
        ->add_option("--error-sd", *sd,
                     "Lab error: independent normal errors of standard deviation S percentage "
                     "points on each fraction (given that they add up to 100); as --error")
        ->type_name("S")
        ->excludes(e);
}

AxisRange ParseRange(const std::string& option, const std::string& text) {
    AxisRange range;
    if (!ParseAxisRange(text, &range))
        throw UsageError(option + ": \"" + text + "\" is not MIN:MAX with numbers within 0 to 100");
    return range;
}

// The options that say how the data were measured, shared by classify and convert.
struct ConversionArguments {
    std::string dataLimits;
    std::string fractions;
    bool spline = false;
    bool topAsGiven = false;

    void AddTo(CLI::App* command) {
        CLI::Option* limits =
            command
                ->add_option("--data-limits", dataLimits,
                             "The data's particle-size limits of clay, silt and sand in µm "
                             "(2,63,2000), or a scheme whose limits they are")
                ->type_name("L");
        command
            ->add_option("--fractions", fractions,
                         "The data's fractions as NAME=FROM-TO in µm, from the finest, e.g. "
                         "clay=0-2,fsilt=2-20,csilt=20-63,sand=63-2000")
            ->type_name("LIST")
            ->excludes(limits);
        command->add_flag("--spline", spline,
                          "Interpolate with a monotone cubic in log(diameter) (four or more "
                          "fractions)");
        command->add_flag("--top-as-given", topAsGiven,
                          "Take the data's largest size as the scheme's sand limit");
    }

    // What the options give; nullopt when neither names the data.
    std::optional<DataFractions> Data() const {
        try {
            if (!dataLimits.empty())
                return ParseDataLimits(dataLimits);
            if (!fractions.empty())
                return ParseFractions(fractions);
        } catch (const ConversionError& e) {
            throw UsageError(std::string(dataLimits.empty() ? "--fractions" : "--data-limits") +
                             ": " + e.what());
        }
        return std::nullopt;
    }

    ConversionOptions Options() const {
        return {spline ? CurveMethod::MonotoneCubic : CurveMethod::LogLinear, topAsGiven};
    }
};

// The raster command's words that CLI11 leaves: the axis inputs "--AXIS FILE" or "--AXIS=FILE",
// checked against the scheme once it is loaded; and its option values that need checking.
void ReadRasterWords(const std::vector<std::string>& words, const std::string& tolerance,
                     const std::string& window, const std::string& tile, RasterOptions* options) {
    for (std::size_t i = 0; i < words.size(); ++i) {
        const std::string& word = words[i];
        if (word.size() < 3 || word.compare(0, 2, "--") != 0)
            throw UsageError("raster: unexpected \"" + word + "\"");
        const std::size_t equals = word.find('=');
        if (equals != std::string::npos) {
            options->axisInputs.emplace_back(word.substr(2, equals - 2), word.substr(equals + 1));
        } else {
            if (i + 1 >= words.size())
                throw UsageError(word + " needs a FILE");
            options->axisInputs.emplace_back(word.substr(2), words[++i]);
        }
    }
    if (!tolerance.empty())
        options->normaliseTolerance = ParseTolerance(tolerance);
    if (!window.empty()) {
        std::array<int, 4> w{};
        if (!ParseWindow(window, &w))
            throw UsageError("--window: \"" + window + "\" is not XOFF,YOFF,XSIZE,YSIZE");
        options->window = w;
    }
    if (!tile.empty()) {
        std::pair<int, int> t;
        if (!ParseTile(tile, &t))
            throw UsageError("--tile: \"" + tile + "\" is not I/N with 1 <= I <= N");
        options->tile = t;
    }
}

// The command line with every word after "lookup" that is not one of its options moved behind a
// "--", so that a value beginning with "-" ("-inf", "-.5") reaches the value check instead of
// being taken for an unknown option. Other command lines come back as they are.
std::vector<char*> LookupValuesAsPositionals(int argc, char** argv) {
    std::vector<char*> words(argv, argv + argc);
    const auto is = [](const char* word, std::initializer_list<const char*> names) {
        return std::any_of(names.begin(), names.end(),
                           [word](const char* name) { return std::strcmp(word, name) == 0; });
    };
    int command = 1;
    while (command < argc && argv[command][0] == '-')
        command += is(argv[command], {"-s", "--scheme"}) ? 2 : 1;
    if (command >= argc || std::strcmp(argv[command], "lookup") != 0)
        return words;
    std::vector<char*> options, values;
    for (int i = command + 1; i < argc; ++i) {
        char* word = argv[i];
        if (std::strcmp(word, "--") == 0) {
            values.insert(values.end(), argv + i + 1, argv + argc);
            break;
        }
        if (is(word, {"-s", "--scheme", "--error", "--error-sd"})) {
            options.push_back(word);
            if (i + 1 < argc)
                options.push_back(argv[++i]);
        } else if (std::strncmp(word, "--", 2) == 0 || std::strncmp(word, "-s", 2) == 0 ||
                   is(word, {"-h"})) {
            options.push_back(word);
        } else {
            values.push_back(word);
        }
    }
    static char mark[] = "--";
    words.resize(std::size_t(command) + 1);
    words.insert(words.end(), options.begin(), options.end());
    words.push_back(mark);
    words.insert(words.end(), values.begin(), values.end());
    return words;
}

int RunCommand(int argc, char** argv, std::ostream& out, std::ostream& err) {
    CLI::App app{"Granum: classifies soil samples into soil texture classes.", "granum-cli"};
    app.require_subcommand(1, 1);
    app.set_version_flag("--version", "", "Print the version and exit");
    app.footer("Run 'granum-cli COMMAND --help' for the options of a command.");

    // Before the command and after it: "granum-cli -s myscheme.dat lookup ..." reads as
    // naturally as "granum-cli lookup -s myscheme.dat ...". Each -s takes one word.
    std::vector<std::string> schemesBefore, schemesAfter;
    auto addScheme = [](CLI::App* command, std::vector<std::string>* into, const char* help) {
        command->add_option("-s,--scheme", *into, help)
            ->type_name("S")
            ->allow_extra_args(false)
            ->multi_option_policy(CLI::MultiOptionPolicy::TakeAll);
    };
    addScheme(&app, &schemesBefore, kMultiSchemeHelp);

    ClassifyOptions classifyOptions;
    std::string tolerance;
    bool noLookup = false;
    // The files of classify and convert.
    auto addFiles = [&classifyOptions](CLI::App* command) {
        command->add_option("INPUT", classifyOptions.input, "Input file; - or none: standard input")
            ->type_name("");
        command
            ->add_option("-o,--output", classifyOptions.output,
                         "Output file, replaced only when the run succeeds; - or none: standard "
                         "output")
            ->type_name("OUTPUT");
    };
    CLI::App* classify = app.add_subcommand(
        "classify", "Classify every sample of a sample file or CSV file with a header");
    addScheme(classify, &schemesAfter, kMultiSchemeHelp);
    addFiles(classify);
    classify->add_flag("--normalise{5}", tolerance,
                       "--normalise[=TOL]: scale rows whose three values are all given and add up "
                       "to 100 within TOL (5 by default) to a sum of 100 before the lookup; the "
                       "output keeps the values as read");
    classify->add_flag("--normalize{5}", tolerance)->group("");
    bool header = false, noHeader = false;
    auto addRowFlags = [&](CLI::App* command) {
        CLI::Option* headerFlag =
            command->add_flag("--header", header, "The first line is a header, whatever it holds");
        command->add_flag("--no-header", noHeader, "The first line is a sample, whatever it holds")
            ->excludes(headerFlag);
        command->add_flag("--strict", classifyOptions.strict, "Exit with 1 when a row failed");
        command->add_flag("-q,--quiet", classifyOptions.quiet, "No summary on standard error");
    };
    addRowFlags(classify);
    std::string classifyError, classifyErrorSd;
    AddLabErrorOptions(classify, &classifyError, &classifyErrorSd);
    classify->add_flag("--shares", classifyOptions.shareColumns,
                       "With --error or --error-sd: one share column per class of the scheme "
                       "instead of share, second, second_share, distance and nearest");
    // Reads and writes every row without classifying it: the floor of the throughput benchmark.
    classify->add_flag("--no-lookup", noLookup)->group("");
    ConversionArguments conversion;
    conversion.AddTo(classify);
    classify->add_flag("--write-converted", classifyOptions.writeConverted,
                       "Add each scheme's converted values as columns AXIS_ID");
    classify->footer(kClassifyFooter);

    std::string convertTo;
    CLI::App* convert = app.add_subcommand(
        "convert", "Convert the fractions of a file to other particle-size limits");
    addScheme(convert, &schemesAfter,
              "The scheme whose axis names and order the data and the output follow, and "
              "whose limits --to takes by default; usda by default");
    addFiles(convert);
    conversion.AddTo(convert);
    convert
        ->add_option("--to", convertTo,
                     "The limits to convert to: 2,50,2000 or a scheme whose limits they are")
        ->type_name("L");
    convert->add_flag("--normalise{5}", tolerance,
                      "--normalise[=TOL]: scale rows adding up to 100 within TOL first");
    addRowFlags(convert);
    convert->footer(kConvertFooter);

    std::string className;
    CLI::App* classes = app.add_subcommand(
        "classes", "Each class's vertices, the range of each axis and its central composition");
    addScheme(classes, &schemesAfter, kSchemeHelp);
    classes->add_option("NAME", className, "Only the class of this name (any case)")->type_name("");
    classes->footer("Per class: its vertices as (x, y, z) in the order of the scheme's axes, one "
                    "line per polygon; the least and greatest value of each axis over the "
                    "class; and the central composition, the point of the class farthest from "
                    "its boundary on the equilateral triangle (to 0.01 %), which lies inside "
                    "the class even where it is not convex. Exit status: 0; 2 for an unknown "
                    "class name or an unusable scheme.");

    std::vector<std::string> values;
    CLI::App* lookup = app.add_subcommand(
        "lookup", "Classify one composition: the class names one a line, or { fail } (exit 1)");
    addScheme(lookup, &schemesAfter, kMultiSchemeHelp);
    lookup
        ->add_option("X Y Z", values,
                     "The three values in percent, in the order of the (first) scheme's axes; "
                     "- is missing (one missing value is completed)")
        ->required()
        ->expected(3)
        ->type_name("");
    std::string lookupError, lookupErrorSd;
    AddLabErrorOptions(lookup, &lookupError, &lookupErrorSd);
    lookup->footer(
        "With several -s: one line per scheme, \"ID: CLASS\" (several classes joined by "
        "\" / \"), each scheme given the values by axis name.\nExit status: 0; 1 for "
        "{ fail } (of any scheme); 2 when a value is neither a number within 0 to 100 "
        "nor -, or a scheme cannot be used.\nWith --error or --error-sd: \"CLASS<tab>SHARE\" for "
        "each class with a share (6 decimals), most likely first, then "
        "\"distance<tab>D<tab>CLASS\": how far, in percentage points of composition, "
        "the class the lookup gives is from its nearest boundary with another class, "
        "and that class (\"distance<tab>-\" when there is none). With several -s each "
        "line begins \"ID: \".");

    std::array<std::string, 3> rangeTexts{"0:100", "0:100", "0:100"};
    CLI::App* range = app.add_subcommand(
        "range", "The classes a range of compositions overlaps and the polygon enclosing it");
    addScheme(range, &schemesAfter, kSchemeHelp);
    const std::array<const char*, 3> rangeOptions{"--x", "--y", "--z"};
    for (std::size_t i = 0; i < 3; ++i)
        range
            ->add_option(rangeOptions[i], rangeTexts[i],
                         std::string("Range of the scheme's ") + "xyz"[i] +
                             " axis in percent (MIN or MAX may be left out)")
            ->type_name("MIN:MAX")
            ->capture_default_str();
    range->footer("Exit status: 0; 1 when a minimum is not below its maximum or the ranges "
                  "enclose no part of the triangle ({ fail }); 2 for an unusable scheme.");

    ChartOptions chartOptions;
    std::array<std::string, 3> chartRangeTexts{"0:100", "0:100", "0:100"};
    std::array<CLI::Option*, 3> chartRangeOptions{};
    CLI::App* chart = app.add_subcommand(
        "chart", "Draw the texture triangle with samples or a range, as EMF, SVG, PNG or PDF");
    addScheme(chart, &schemesAfter, kSchemeHelp);
    chart
        ->add_option("SAMPLES", chartOptions.samples,
                     "Sample file or CSV file with a header, read as classify reads it; - is "
                     "standard input; none: the triangle alone")
        ->type_name("");
    for (std::size_t i = 0; i < 3; ++i)
        chartRangeOptions[i] =
            chart
                ->add_option(rangeOptions[i], chartRangeTexts[i],
                             std::string("Draw the range polygon instead of samples: range of "
                                         "the scheme's ") +
                                 "xyz"[i] + " axis (0:100 by default)")
                ->type_name("MIN:MAX");
    chart->add_option("--layout", chartOptions.layout, "tri (equilateral) or bi (right-angled)")
        ->type_name("tri|bi")
        ->capture_default_str();
    chart
        ->add_option("--hide", chartOptions.hide,
                     "Leave out any of titles,values,labels,grid,legend,classes")
        ->type_name("LIST");
    chart->add_option("--size", chartOptions.size, "Size of the chart window's client area")
        ->type_name("WxH")
        ->capture_default_str();
    chart->add_option("--dpi", chartOptions.dpi, "Pixels per inch the chart is laid out for")
        ->type_name("N")
        ->capture_default_str();
    chart
        ->add_option("--style", chartOptions.style,
                     "classic, or publication: filled classes named "
                     "inside, ticks, arrows, grouped markers")
        ->type_name("classic|publication")
        ->capture_default_str();
    chart
        ->add_option("--color-by", chartOptions.colorBy,
                     "Colour and shape the samples by this column's values (a header name or a "
                     "number from 1), with a legend; publication style")
        ->type_name("COLUMN");
    chart->add_flag("--density", chartOptions.density,
                    "Shade the samples' density in hexagonal cells (automatic above 5000 "
                    "samples); publication style");
    chart
        ->add_option("--font-size", chartOptions.fontSize,
                     "Font size in points (4 to 72; default 8 classic, 9 publication)")
        ->type_name("N");
    chart
        ->add_option("-o,--output", chartOptions.output,
                     "The picture; its extension gives the format: .emf, .svg, .png or .pdf")
        ->type_name("OUT")
        ->required();
    chart->footer("The chart definition file beside the scheme (NAME.cha) is drawn in place of "
                  "the scheme when it is there. Exit status: 0; 1 when the ranges are out of "
                  "order or enclose no part of the triangle; 2 for unusable options, files or "
                  "schemes.");

    RasterOptions rasterOptions;
    std::string rasterTolerance, rasterWindow, rasterTile;
    CLI::App* raster = app.add_subcommand(
        "raster", "Classify sand, clay (and silt) rasters into a GeoTIFF texture map");
    addScheme(raster, &schemesAfter,
              "Classification scheme, as for classify; usda by default. Give it again for a "
              "band per scheme");
    raster->add_option("--bands", rasterOptions.bands, "One file with a band per axis")
        ->type_name("FILE");
    raster->add_option("--scale", rasterOptions.scale, "Percent per stored unit (SoilGrids: 0.1)")
        ->type_name("F")
        ->capture_default_str();
    raster->add_option("--offset", rasterOptions.offset, "Percent added after the scale")
        ->type_name("O")
        ->capture_default_str();
    raster->add_flag("--normalise{5}", rasterTolerance,
                     "--normalise[=TOL]: scale cells whose three values add up to 100 within TOL "
                     "(5 by default) to a sum of 100");
    raster->add_flag("--normalize{5}", rasterTolerance)->group("");
    raster->add_option("-o,--output", rasterOptions.output, "The GeoTIFF written")
        ->type_name("OUTPUT")
        ->required();
    raster->add_flag("--cog", rasterOptions.cog, "Write a Cloud Optimized GeoTIFF");
    raster->add_option("--threads", rasterOptions.threads, "Threads to use; every core by default")
        ->type_name("N")
        ->check(CLI::Range(1, 4096));
    raster->add_option("--window", rasterWindow, "Classify only this window of the inputs")
        ->type_name("XOFF,YOFF,XSIZE,YSIZE");
    raster->add_option("--tile", rasterTile, "Classify only piece I of N (bands of whole rows)")
        ->type_name("I/N");
    raster->add_flag("-q,--quiet", rasterOptions.quiet, "No summary on standard error");
    raster->allow_extras();
    raster->footer(kRasterFooter);

    std::string checkArgument;
    CLI::App* check = app.add_subcommand(
        "check", "Report on a scheme file for its author: areas, overlaps, gaps, border rules");
    check->add_option("SCHEME", checkArgument, "A scheme file or the name of a bundled scheme")
        ->required()
        ->type_name("");
    check->footer("Exit status: 0 valid, 1 not valid or with errors, 2 unreadable.");

    app.add_subcommand("schemes", "List the bundled schemes")
        ->footer("One bundled scheme a line, in columns separated by two or more blanks:\n"
                 "  ID       what -s takes\n"
                 "  CLASSES  the number of classes (distinct class names)\n"
                 "  LIMITS   the upper particle sizes of clay, silt and sand in micrometres,\n"
                 "           as 2/50/2000; - when the scheme file does not state them\n"
                 "  NAME     the system's name\n"
                 "  COUNTRY  where it is used; - when the file does not say");

    // CLI11 would only say that a command is required.
    if (argc > 1 && argv[1][0] != '-') {
        const std::string name = argv[1];
        const std::vector<CLI::App*> commands = app.get_subcommands({});
        if (std::none_of(commands.begin(), commands.end(),
                         [&name](const CLI::App* c) { return c->get_name() == name; }))
            return PrintUsageError(
                err, "unknown command \"" + name +
                         "\" (commands: classify, convert, lookup, range, chart, raster, check, "
                         "schemes, classes)");
    }

    try {
        std::vector<char*> words = LookupValuesAsPositionals(argc, argv);
        app.parse(int(words.size()), words.data());
    } catch (const CLI::CallForHelp& e) {
        return app.exit(e, out, err);
    } catch (const CLI::CallForAllHelp& e) {
        return app.exit(e, out, err);
    } catch (const CLI::CallForVersion&) {
        out << kToolName << ' ' << GRANUM_VERSION << '\n';
        return kExitOk;
    } catch (const CLI::ParseError& e) {
        return PrintUsageError(err, e.what());
    }

    try {
        if (*check)
            return RunCheck(checkArgument, out, err);
        if (app.got_subcommand("schemes"))
            return RunSchemes(out, err);

        if ((*classify || *convert) && !tolerance.empty())

        if (*raster)
            ReadRasterWords(raster->remaining(), rasterTolerance, rasterWindow, rasterTile,
                            &rasterOptions);
        if (*classify && !tolerance.empty())
            classifyOptions.normaliseTolerance = ParseTolerance(tolerance);
        if (*classify) {
            classifyOptions.labError = ParseLabError(classifyError, classifyErrorSd);
            if (classifyOptions.shareColumns && !classifyOptions.labError)
                throw UsageError("--shares needs --error or --error-sd");
        }
        if (*classify || *convert) {
            classifyOptions.data = conversion.Data();
            classifyOptions.conversion = conversion.Options();
        }
        if (*convert && !classifyOptions.data)
            throw UsageError("convert needs --data-limits or --fractions");
        if (*classify && classifyOptions.writeConverted && !classifyOptions.data)
            throw UsageError("--write-converted needs --data-limits or --fractions");
        std::array<AxisRange, 3> ranges;
        if (*range) {
            for (std::size_t i = 0; i < 3; ++i)
                ranges[i] = ParseRange(rangeOptions[i], rangeTexts[i]);
        }
        if (*chart && std::any_of(chartRangeOptions.begin(), chartRangeOptions.end(),
                                  [](const CLI::Option* o) { return o->count() > 0; })) {
            for (std::size_t i = 0; i < 3; ++i)
                ranges[i] = ParseRange(rangeOptions[i], chartRangeTexts[i]);
            chartOptions.ranges = ranges;
        }

        std::vector<std::string> arguments = schemesBefore;
        arguments.insert(arguments.end(), schemesAfter.begin(), schemesAfter.end());
        if (arguments.empty())
            arguments.push_back(kDefaultScheme);
        if ((*chart || *range || *convert || *classes) && arguments.size() > 1)
            throw UsageError(std::string(*chart     ? "chart"
                                         : *range   ? "range"
                                         : *convert ? "convert"
                                                    : "classes") +
                             " takes one scheme; -s was given " + std::to_string(arguments.size()) +
                             " times");
        std::vector<ChosenScheme> schemes;
        if (!LoadSchemeArguments(arguments, &schemes, err))
            return kExitUnusable;
        const soiltex& scheme = schemes.front().scheme;
        if (*lookup)
            return RunLookup(schemes, {values[0], values[1], values[2]}, out, err,
                             ParseLabError(lookupError, lookupErrorSd));
        if (*raster) {
            rasterOptions.progress = !rasterOptions.quiet && ::isatty(2) == 1;
            return RunRaster(schemes, rasterOptions, err);
        }
        if (*chart)
            return RunChart(scheme, schemes.front().path, chartOptions, err);
        if (*range)
            return RunRange(scheme, ranges[0], ranges[1], ranges[2], out, err);
        if (*classes)
            return RunClasses(scheme, className, out, err);
        if (*convert) {
            classifyOptions.textures = false;
            if (!convertTo.empty()) {
                DataFractions to;
                try {
                    to = ParseDataLimits(convertTo);
                } catch (const ConversionError& e) {
                    throw UsageError(std::string("--to: ") + e.what());
                }
                schemes.front().id = convertTo;
                std::replace(schemes.front().id.begin(), schemes.front().id.end(), ',', '-');
                classifyOptions.targetLimits =
                    ParticleLimits{to.diameters[0], to.diameters[1], to.diameters[2]};
            }
        }
        classifyOptions.lookup = !noLookup;
        if (header || noHeader)
            classifyOptions.header = header ? HeaderRule::Header : HeaderRule::NoHeader;
        classifyOptions.progress = !classifyOptions.quiet && ::isatty(2) == 1;
        out.flush();
        return RunClassify(schemes, classifyOptions, err);
    } catch (const UsageError& e) {
        return PrintUsageError(err, e.what());
    }
}

} // namespace

int RunCommandLine(int argc, char** argv, std::ostream& out, std::ostream& err) {
    const int status = RunCommand(argc, argv, out, err);
    // Once for every command: an answer that did not reach standard output is a failure.
    if (!out.flush()) {
        PrintError(err, "cannot write standard output");
        return kExitUnusable;
    }
    return status;
}
