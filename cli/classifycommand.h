#pragma once

#include "cli/datafractions.h"
#include "cli/inputsource.h"
#include "cli/outputsink.h"
#include "cli/schemeargument.h"
#include "scheme/cellclassifier.h"
#include "scheme/classshares.h"
#include "scheme/soiltex.h"

#include <cstddef>
#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

// Whether the input's first line is a header: as its fields say (HeaderLayout), or as the user
// says.
enum class HeaderRule { Detect, Header, NoHeader };

struct ClassifyOptions {
    std::string input = "-";  // a path, or "-" for standard input
    std::string output = "-"; // a path, or "-" for standard output
    std::optional<double> normaliseTolerance;
    bool strict = false;   // exit 1 when a row failed
    bool quiet = false;    // no summary line
    bool progress = false; // a progress line on standard error for long runs
    bool lookup = true;    // false: read and write every row without classifying it
    HeaderRule header = HeaderRule::Detect;
    std::optional<LabError> labError; // adds each scheme's certainty columns (CertaintyColumns)
    bool shareColumns = false;        // with labError: a share column per class instead
    std::size_t bufferSize = 1 << 20; // starting size of the read and the write buffer
    // How the data were measured, when not in each scheme's own particle-size limits: rows are
    // converted to each scheme's limits before the lookup (a scheme with the data's limits gets
    // the values as read).
    std::optional<DataFractions> data;
    ConversionOptions conversion;
    bool writeConverted = false; // each scheme's converted values as three columns
    bool textures = true;        // false: no lookup, the converted values alone (convert)
    std::optional<ParticleLimits> targetLimits; // in place of the schemes' own (convert --to)
};

// Classifies every row of the input into the output and writes the summary to err (unless
// quiet). Returns the exit status: 0; 1 with strict when a row failed; 2 when the input or the
// output fails, a line is longer than SampleReader::kMaxRecordBytes, or a header names fewer than
// two of the axes (the message is on err then).
int ClassifyStream(const soiltex& scheme, InputSource& input, OutputSink& output,
                   const ClassifyOptions& options, std::ostream& err);

// ClassifyStream with a classifier of scheme built once for many runs.
int ClassifyStream(const soiltex& scheme, CellClassifier& classifier, InputSource& input,
                   OutputSink& output, const ClassifyOptions& options, std::ostream& err);

// One scheme of a run with several: its classifier (built once, outliving the run) and the id
// that names its texture column.
struct ClassifyScheme {
    const soiltex* scheme;
    CellClassifier* classifier;
    std::string id;
    std::optional<ParticleLimits> limits; // needed only when the options name data fractions
};

// ClassifyStream with a texture column per scheme, in one pass. One scheme: as above. Several:
// a header file gets a column "texture_ID" per scheme (filled in place when the header has it),
// each scheme's values found by its own axis names; a sample file is read in the first scheme's
// axis order and gets one field per scheme after the fourth, each scheme's values taken by axis
// name (2 when a scheme's axes are not the first's). A row has failed when any scheme fails it.
int ClassifyStream(const std::vector<ClassifyScheme>& schemes, InputSource& input,
                   OutputSink& output, const ClassifyOptions& options, std::ostream& err);

// With options.data: a header file's fractions are found by their names (--fractions) or by the
// first scheme's axis names; a sample file has them from its second field on, in the order of
// --fractions or of the first scheme's axes. Converted columns are named AXIS_ID, in each
// scheme's axis order, after the textures. 2 (with the message) when a scheme's limits are
// missing or out of the data's reach, or a fraction has no column.

// ClassifyStream on the files the options name, with the loaded (valid) schemes.
int RunClassify(const std::vector<ChosenScheme>& schemes, const ClassifyOptions& options,
                std::ostream& err);
