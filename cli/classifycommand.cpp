#include "cli/classifycommand.h"

#include "cli/batchsummary.h"
#include "cli/certaintycolumns.h"
#include "cli/errorline.h"
#include "cli/exitstatus.h"
#include "cli/progressline.h"
#include "cli/rowclassifier.h"
#include "samples/columnlayout.h"
#include "samples/samplereader.h"
#include "samples/samplewriter.h"
#include "scheme/samplelookup.h"
#include "scheme/schemefile.h"

#include <algorithm>
#include <array>
#include <memory>
#include <ostream>
#include <string_view>
#include <vector>

namespace {

constexpr std::array<std::size_t, 3> kNoColumns{ColumnLayout::kNone, ColumnLayout::kNone,
                                                ColumnLayout::kNone};

// One scheme's part of a row: the fields it reads and where its texture goes.
struct SchemeColumns {
    std::array<std::size_t, 3> axes{1, 2, 3};  // the x, y and z fields
    std::size_t texture = ColumnLayout::kNone; // a header's own column; kNone: appended
    std::vector<std::size_t> certainty;        // the same for each certainty column
};

// The suffix of scheme k's column names: none alone, "_ID" among several.
std::string ColumnSuffix(const std::vector<ClassifyScheme>& schemes, std::size_t k) {
    return schemes.size() == 1 ? std::string() : "_" + schemes[k].id;
}

class Batch {
public:
    Batch(const std::vector<ClassifyScheme>& schemes, SampleReader& reader, SampleWriter& writer,
          const ClassifyOptions& options)
        : mReader(reader), mWriter(writer), mLookup(options.lookup), mProgress(options.progress),
          mTolerance(options.normaliseTolerance) {
        for (const ClassifyScheme& s : schemes) {
            mTargets.push_back({RowClassifier(*s.classifier, options.normaliseTolerance),
                                {},
                                {},
                                nullptr,
                                {},
                                s.classifier,
                                std::nullopt,
                                {},
                                std::nullopt,
                                kNoColumns,
                                {}});
            if (options.labError)
                mTargets.back().certainty = std::make_unique<CertaintyColumns>(
                    *s.scheme, *options.labError, options.shareColumns);
        }
        for (Target& t : mTargets)
            t.texture.reserve(256);
    }

    // The shared layout (header, id, width) and each scheme's columns, in the schemes' order.
    void SetLayout(const ColumnLayout& layout, const std::vector<SchemeColumns>& columns) {
        mLayout = layout;
        mInPlace = false;
        for (std::size_t k = 0; k < mTargets.size(); ++k) {
            mTargets[k].columns = columns[k];
            mInPlace = mInPlace || columns[k].texture != ColumnLayout::kNone ||
                       std::any_of(columns[k].certainty.begin(), columns[k].certainty.end(),
                                   [](std::size_t c) { return c != ColumnLayout::kNone; });
        }
    }

    // Rows are read as fractions of the data and converted for each scheme with a conversion
    // (nullopt: the scheme's columns are the data's, read as they are). axes: each scheme's
    // fraction (0 clay, 1 silt, 2 sand) of its x, y and z.
    // convertedColumns: a header's own columns for each scheme's converted values (kNone: added
    // after the textures).
    void SetConversion(FractionRow fractions, std::vector<std::optional<FractionConversion>> to,
                       const std::vector<std::array<int, 3>>& axes, bool writeConverted,
                       bool textures,
                       const std::vector<std::array<std::size_t, 3>>& convertedColumns) {
        mFractions.emplace(std::move(fractions));
        for (std::size_t k = 0; k < mTargets.size(); ++k) {
            mTargets[k].conversion = std::move(to[k]);
            mTargets[k].axes = axes[k];
            mTargets[k].convertedColumns = convertedColumns[k];
            for (const std::size_t c : convertedColumns[k])
                mInPlace = mInPlace || c != ColumnLayout::kNone;
        }
        mWriteConverted = writeConverted;
        mTextures = textures;
    }

    // The record in the reader, classified and written.
    void Row() {
        bool allClassified = true, anyFailed = false, allTooFew = true;
        const RowOutcome data =
            mFractions && mLookup ? mFractions->Read(mReader) : RowOutcome::Classified;
        for (Target& t : mTargets) {
            t.texture.clear();
            RowOutcome outcome = RowOutcome::TooFewValues;
            if (mLookup && t.conversion)
                outcome = ClassifyConverted(data, &t);
            else if (mLookup)
                outcome = t.classifier.Classify(Field(t.columns.axes[0]), Field(t.columns.axes[1]),
                                                Field(t.columns.axes[2]), &t.texture);
            allClassified = allClassified && outcome == RowOutcome::Classified;
            anyFailed = anyFailed || outcome == RowOutcome::Failed;
            allTooFew = allTooFew && outcome == RowOutcome::TooFewValues;
            if (t.certainty)
                t.certainty->Fill(mLookup ? ErrorComposition(t) : std::nullopt, &t.extras);
        }
        BatchSummary::Row row = BatchSummary::Row::Failed;
        if (allClassified)
            row = BatchSummary::Row::Classified;
        else if (allTooFew && (!mLookup || IsBlank()))
            row = BatchSummary::Row::Blank;
        mSummary.Add(row, mReader.LineNumber());
        if (row == BatchSummary::Row::Failed && mHint.empty())
            mHint = FailureHint();
        Write();
        mProgress.Update(mSummary.Rows());
    }

    const BatchSummary& Summary() const { return mSummary; }
    // Why the first failed rows probably failed, when their fields show a common slip; or empty.
    const std::string& Hint() const { return mHint; }
    void ClearProgress() { mProgress.Clear(); }

private:
    struct Target {
        RowClassifier classifier;
        SchemeColumns columns;
        std::string texture;
        std::unique_ptr<CertaintyColumns> certainty; // none without a lab error
        std::vector<std::string> extras;             // its texts for the row
        CellClassifier* cells;
        std::optional<FractionConversion> conversion;
        std::array<int, 3> axes{};
        std::optional<TextureFractions> converted; // of the last row, when it could be converted
        std::array<std::size_t, 3> convertedColumns = kNoColumns;
        std::array<std::string, 3> convertedText;
    };

    RowOutcome ClassifyConverted(RowOutcome data, Target* t) {
        t->converted.reset();
        if (data == RowOutcome::TooFewValues)
            return data;
        TextureFractions f;
        if (data == RowOutcome::Failed || !t->conversion->Convert(mFractions->Values(), &f)) {
            t->texture.append(kFailText);
            return RowOutcome::Failed;
        }
        t->converted = f;
        if (!mTextures)
            return RowOutcome::Classified;
        const double values[] = {f.clay, f.silt, f.sand};
        return t->cells->AppendTexture(values[t->axes[0]], values[t->axes[1]], values[t->axes[2]],
                                       &t->texture)
                   ? RowOutcome::Classified
                   : RowOutcome::Failed;
    }

    // The composition the scheme's lab error applies to: the converted one, or the fields as read.
    std::optional<Composition> ErrorComposition(const Target& t) const {
        if (!t.conversion)
            return RowComposition(Field(t.columns.axes[0]), Field(t.columns.axes[1]),
                                  Field(t.columns.axes[2]), mTolerance);
        if (!t.converted)
            return std::nullopt;
        const double values[] = {t.converted->clay, t.converted->silt, t.converted->sand};
        return Composition{values[t.axes[0]], values[t.axes[1]], values[t.axes[2]]};
    }

    // Each scheme's values in its axis order: converted, or the fields as read when the data
    // are in its limits; empty fields for a row that could not be converted.
    void FormatConverted() {
        for (Target& t : mTargets) {
            for (std::size_t k = 0; k < 3; ++k) {
                if (!t.conversion) {
                    t.convertedText[k] = Field(t.columns.axes[k]);
                } else if (t.converted) {
                    const double values[] = {t.converted->clay, t.converted->silt,
                                             t.converted->sand};
                    t.convertedText[k] = ConvertedText(values[t.axes[k]]);
                } else {
                    t.convertedText[k].clear();
                }
            }
        }
    }

    void WriteConverted() {
        for (const Target& t : mTargets) {
            for (std::size_t k = 0; k < 3; ++k) {
                if (t.convertedColumns[k] == ColumnLayout::kNone)
                    mWriter.Field(t.convertedText[k]);
            }
        }
    }

    std::string_view Field(std::size_t i) const { return mReader.Field(i); }

    // The texture, certainty or converted text that goes into field i, or nullptr when i is none
    // of their columns.
    const std::string* TextureOf(std::size_t i) const {
        for (const Target& t : mTargets) {
            if (t.columns.texture == i)
                return &t.texture;
            for (std::size_t k = 0; k < t.columns.certainty.size() && k < t.extras.size(); ++k) {
                if (t.columns.certainty[k] == i)
                    return &t.extras[k];
            }
            for (std::size_t k = 0; k < 3; ++k) {
                if (t.convertedColumns[k] == i)
                    return &t.convertedText[k];
            }
        }
        return nullptr;
    }

    // A row that gives nothing: a sheet row without data, or a header file's empty line.
    bool IsBlank() const {
        const std::size_t used = mLayout.header ? mReader.Fields().size() : mLayout.width;
        for (std::size_t i = 0; i < used; ++i) {
            if (!Field(i).empty() && TextureOf(i) == nullptr)
                return false;
        }
        return !mLayout.header || mReader.Rest().find_first_not_of(',') == std::string_view::npos;
    }

    // Files saved by spreadsheets set to a decimal-comma language: "40,5" in quotes, or fields
    // separated by semicolons.
    std::string FailureHint() const {
        for (std::size_t i : mTargets.front().columns.axes) {
            const std::string_view f = Field(i);
            const std::size_t comma = f.find(',');
            if (comma != std::string_view::npos && comma > 0 && comma + 1 < f.size() &&
                f.find_first_not_of("0123456789, ") == std::string_view::npos)
                return "\"" + std::string(f) +
                       "\" is not a number: write decimals with a point, as in 40.5";
        }
        for (std::string_view f : mReader.Fields()) {
            if (f.find(';') != std::string_view::npos)
                return "fields are separated by semicolons; granum-cli reads commas";
        }
        return std::string();
    }

    void Write() {
        if (mWriteConverted)
            FormatConverted();
        // The common case, a record without quotes, is passed on as the bytes it was read from.
        if (!mReader.AnyQuote() && !mInPlace) {
            const std::size_t read = std::min(mReader.Fields().size(), mLayout.width);
            mWriter.RawFields(mReader.FieldsText(read));
            for (std::size_t i = read; i < mLayout.width; ++i)
                mWriter.Field({});
        } else {
            WriteFields();
        }
        for (const Target& t : mTargets) {
            if (t.columns.texture == ColumnLayout::kNone && mTextures)
                mWriter.Field(t.texture);
        }
        for (const Target& t : mTargets) {
            for (std::size_t k = 0; k < t.extras.size(); ++k) {
                if (k >= t.columns.certainty.size() ||
                    t.columns.certainty[k] == ColumnLayout::kNone)
                    mWriter.Field(t.extras[k]);
            }
        }
        if (mWriteConverted)
            WriteConverted();
        if (mLayout.header && mReader.HasRest())
            WriteRest(mReader.Rest());
        mWriter.EndRecord();
    }

    // Surplus columns as read; split and written again when a quote is in them, since a stray
    // quote passed on could join the next lines of the output.
    void WriteRest(std::string_view rest) {
        if (rest.find('"') == std::string_view::npos) {
            mWriter.RawFields(rest);
            return;
        }
        TextInput input(rest);
        SampleReader reader(input, rest.size() + 1);
        while (reader.Next()) {
            for (std::string_view field : reader.Fields())
                mWriter.Field(field);
        }
    }

    void WriteFields() {
        for (std::size_t i = 0; i < mLayout.width; ++i) {
            const std::string* texture = TextureOf(i);
            mWriter.Field(texture != nullptr ? std::string_view(*texture) : Field(i));
        }
    }

    SampleReader& mReader;
    SampleWriter& mWriter;
    std::vector<Target> mTargets;
    bool mLookup;
    ProgressLine mProgress;
    std::optional<double> mTolerance;
    ColumnLayout mLayout = SampleFileLayout();
    bool mInPlace = false; // a texture goes into a column of the header's own
    BatchSummary mSummary;
    std::string mHint;
    std::optional<FractionRow> mFractions; // set when rows are converted
    bool mWriteConverted = false;
    bool mTextures = true; // false: rows are only converted
};

// The name of scheme k's texture column: "texture" alone, "texture_ID" among several.
std::string TextureName(const std::vector<ClassifyScheme>& schemes, std::size_t k) {
    return schemes.size() == 1 ? std::string("texture") : "texture_" + schemes[k].id;
}

// Scheme k's certainty column names, none without a lab error.
std::vector<std::string> CertaintyNames(const std::vector<ClassifyScheme>& schemes, std::size_t k,
                                        const ClassifyOptions& options) {
    if (!options.labError)
        return {};
    return CertaintyColumns::Names(*schemes[k].scheme, options.shareColumns,
                                   ColumnSuffix(schemes, k));
}

void WriteHeader(const std::vector<std::string>& names, const std::vector<ClassifyScheme>& schemes,
                 const std::vector<SchemeColumns>& columns, const ClassifyOptions& options,
                 SampleWriter* writer, const std::vector<std::string>& after = {}) {
    for (const std::string& name : names)
        writer->Field(name);
    for (std::size_t k = 0; k < schemes.size(); ++k) {
        if (columns[k].texture == ColumnLayout::kNone)
            writer->Field(TextureName(schemes, k));
    }
    for (std::size_t k = 0; k < schemes.size(); ++k) {
        const std::vector<std::string> extra = CertaintyNames(schemes, k, options);
        for (std::size_t c = 0; c < extra.size(); ++c) {
            if (columns[k].certainty[c] == ColumnLayout::kNone)
                writer->Field(extra[c]);
        }
    }
    for (const std::string& name : after)
        writer->Field(name);
    writer->EndRecord();
}

// Where the header already has a column of the name, or kNone.
std::size_t ColumnNamed(const std::vector<std::string_view>& fields, const std::string& name) {
    const auto found = std::find_if(fields.begin(), fields.end(), [&name](std::string_view f) {
        return SameColumnName(f, name);
    });
    return found == fields.end() ? ColumnLayout::kNone : std::size_t(found - fields.begin());
}

// An empty input is most often a wrong file or an empty pipe: say so rather than write nothing.
// The output is left as it was.
int NoSamples(const ClassifyOptions& options, std::ostream& err) {
    PrintError(err, InputName(options.input) + " holds no samples");
    return kExitUnusable;
}

std::optional<ColumnLayout> FirstLineHeader(const SampleReader& reader, const soiltex& scheme,
                                            HeaderRule rule) {
    switch (rule) {
    case HeaderRule::Header:
        return NamedLayout(reader.Fields(), scheme);
    case HeaderRule::NoHeader:
        return std::nullopt;
    case HeaderRule::Detect:
        break;
    }
    return HeaderLayout(reader.Fields(), scheme);
}

// Each scheme's columns in a header file, found by its own axis names; nullopt after the message
// when a scheme finds fewer than two.
std::optional<std::vector<SchemeColumns>> HeaderColumns(const std::vector<ClassifyScheme>& schemes,
                                                        const SampleReader& reader,
                                                        const ClassifyOptions& options,
                                                        std::ostream& err) {
    std::vector<SchemeColumns> columns;
    std::vector<std::size_t> taken;
    for (std::size_t k = 0; k < schemes.size(); ++k) {
        const ColumnLayout layout = NamedLayout(reader.Fields(), *schemes[k].scheme);
        if (layout.AxisColumns() < 2) {
            PrintError(err, "line 1 is a header, but it names fewer than two of the columns " +
                                AxisList(*schemes[k].scheme) +
                                (schemes.size() > 1 ? " (the axes of " + schemes[k].id + ")" : ""));
            return std::nullopt;
        }
        SchemeColumns c{{layout.x, layout.y, layout.z}, layout.texture, {}};
        if (schemes.size() > 1) {
            // Among several, a plain "texture" column is carried along; the scheme's own is
            // filled again, so that a file can be classified anew in place.
            c.texture = ColumnNamed(reader.Fields(), TextureName(schemes, k));
        }
        columns.push_back(c);
        taken.insert(taken.end(), {layout.id, layout.x, layout.y, layout.z, c.texture});
    }
    // A file classified before gets its certainty columns filled in again; a column that holds
    // values or textures is never one of them, whatever its name ("second" may be an axis).
    for (std::size_t k = 0; k < schemes.size(); ++k) {
        for (const std::string& name : CertaintyNames(schemes, k, options)) {
            std::size_t column = ColumnNamed(reader.Fields(), name);
            if (std::find(taken.begin(), taken.end(), column) != taken.end())
                column = ColumnLayout::kNone;
            columns[k].certainty.push_back(column);
        }
    }
    return columns;
}

// Each scheme's fields of a sample file, whose values are in the first scheme's axis order;
// nullopt after the message when a scheme's axes are not the first's.
std::optional<std::vector<SchemeColumns>> SampleColumns(const std::vector<ClassifyScheme>& schemes,
                                                        std::ostream& err) {
    std::vector<SchemeColumns> columns;
    const soiltex& first = *schemes.front().scheme;
    for (const ClassifyScheme& s : schemes) {
        const std::optional<std::array<std::size_t, 3>> mapping = AxisMapping(first, *s.scheme);
        if (!mapping) {
            PrintError(err, AxisMismatch(s.id, *s.scheme, schemes.front().id, first) +
                                ", in whose order a sample file is read");
            return std::nullopt;
        }
        columns.push_back(
            {{1 + (*mapping)[0], 1 + (*mapping)[1], 1 + (*mapping)[2]}, ColumnLayout::kNone, {}});
    }
    return columns;
}

// The first column of the header with the name, or kNone.
std::size_t NamedColumn(const std::vector<std::string_view>& fields, const std::string& name) {
    const auto found = std::find_if(fields.begin(), fields.end(), [&name](std::string_view f) {
        return SameColumnName(f, name);
    });
    return found == fields.end() ? ColumnLayout::kNone : std::size_t(found - fields.begin());
}

// The column of each data fraction: in a header by name (or by the first scheme's axis names),
// in a sample file from the second field on. Empty after the message when one has none.
std::vector<std::size_t> DataColumns(const DataFractions& data, const soiltex& first,
                                     const std::array<int, 3>& firstAxes,
                                     const SampleReader& reader, bool header, std::ostream& err) {
    std::vector<std::string> names = data.names;
    if (data.ByAxes()) {
        const std::string axisNames[] = {first.GetXName(), first.GetYName(), first.GetZName()};
        names.resize(3);
        for (std::size_t k = 0; k < 3; ++k)
            names[std::size_t(firstAxes[k])] = axisNames[k];
    }
    std::vector<std::size_t> columns;
    const std::vector<std::string_view>& fields = reader.Fields();
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (!header) {
            // Sample files hold the first scheme's axes in its order.
            const auto axis = std::find(firstAxes.begin(), firstAxes.end(), int(i));
            columns.push_back(1 + (data.ByAxes() ? std::size_t(axis - firstAxes.begin()) : i));
            continue;
        }
        const std::size_t found = NamedColumn(fields, names[i]);
        if (found == ColumnLayout::kNone) {
            PrintError(err, "line 1 is a header, but it has no column \"" + names[i] + "\"");
            return {};
        }
        columns.push_back(found);
    }
    return columns;
}

// The layout, columns and conversions of a run whose data are converted; writes the header and
// reads the first sample. Returns 0, or the status after the message.
int SetUpConversion(const std::vector<ClassifyScheme>& schemes, const ClassifyOptions& options,
                    SampleReader& reader, SampleWriter& writer, Batch* batch, std::ostream& err) {
    const DataFractions& data = *options.data;
    const soiltex& first = *schemes.front().scheme;
    std::vector<std::array<int, 3>> axes;
    for (const ClassifyScheme& s : schemes) {
        const std::optional<std::array<int, 3>> a = TextureAxes(*s.scheme);
        if (!a) {
            PrintError(err, "the axes of " + s.id + " (" + AxisList(*s.scheme) +
                                ") are not Clay, Silt and Sand: its fractions are unknown");
            return kExitUnusable;
        }
        axes.push_back(*a);
    }
    bool header = options.header == HeaderRule::Header;
    if (options.header == HeaderRule::Detect) {
        const std::vector<std::string_view>& fields = reader.Fields();
        const auto named = std::count_if(data.names.begin(), data.names.end(), [&](auto& name) {
            return std::any_of(fields.begin(), fields.end(),
                               [&](std::string_view f) { return SameColumnName(f, name); });
        });
        header = data.ByAxes() ? HeaderLayout(fields, first).has_value()
                               : !IsSampleRecord(fields) && named >= 2;
    }
    const std::vector<std::size_t> columns =
        DataColumns(data, first, axes.front(), reader, header, err);
    if (columns.empty())
        return kExitUnusable;
    std::vector<std::optional<FractionConversion>> conversions;
    std::vector<SchemeColumns> schemeColumns;
    std::vector<std::string> convertedNames;
    std::vector<std::array<std::size_t, 3>> convertedColumns;
    for (std::size_t k = 0; k < schemes.size(); ++k) {
        const ClassifyScheme& s = schemes[k];
        if (!s.limits) {
            PrintError(err, "the scheme " + s.id + " does not state its particle-size limits, " +
                                "so the data cannot be converted to them");
            return kExitUnusable;
        }
        try {
            conversions.emplace_back(
                FractionConversion(data.diameters, *s.limits, options.conversion));
        } catch (const ConversionError& e) {
            PrintError(err, "cannot convert the data to the limits of " + s.id + " (" +
                                LimitsText(*s.limits) + " µm): " + e.what());
            return kExitUnusable;
        }
        SchemeColumns c;
        if (conversions.back()->IsIdentity() && options.textures) {
            conversions.back().reset();
            for (std::size_t i = 0; i < 3; ++i)
                c.axes[i] = columns[std::size_t(axes[k][i])];
        }
        const std::vector<std::string_view>& fields = reader.Fields();
        if (header && options.textures)
            c.texture = NamedColumn(fields, TextureName(schemes, k));
        c.certainty.assign(CertaintyNames(schemes, k, options).size(), ColumnLayout::kNone);
        schemeColumns.push_back(c);
        // A header's own columns of these names are filled again, so that a file can be
        // converted anew in place; never a column the data are read from.
        const std::string axisNames[] = {s.scheme->GetXName(), s.scheme->GetYName(),
                                         s.scheme->GetZName()};
        std::array<std::size_t, 3> own = kNoColumns;
        for (std::size_t i = 0; i < 3; ++i) {
            const std::string name = axisNames[i] + "_" + (s.id.empty() ? "converted" : s.id);
            if (header)
                own[i] = NamedColumn(fields, name);
            if (std::find(columns.begin(), columns.end(), own[i]) != columns.end())
                own[i] = ColumnLayout::kNone;
            if (own[i] == ColumnLayout::kNone)
                convertedNames.push_back(name);
        }
        convertedColumns.push_back(own);
    }
    const bool writeConverted = options.writeConverted || !options.textures;
    if (!writeConverted) {
        convertedNames.clear();
        convertedColumns.assign(schemes.size(), kNoColumns);
    }
    ColumnLayout layout = SampleFileLayout();
    if (header) {
        layout = NamedLayout(reader.Fields(), first);
        layout.texture = ColumnLayout::kNone;
        const std::vector<std::string> names(reader.Fields().begin(), reader.Fields().end());
        reader.SetFieldLimit(layout.width);
        if (!reader.Next())
            return NoSamples(options, err);
        WriteHeader(names, options.textures ? schemes : std::vector<ClassifyScheme>(),
                    schemeColumns, options, &writer, convertedNames);
    } else {
        layout.width = std::max(layout.width, 1 + columns.size());
        reader.SetFieldLimit(layout.width);
    }
    batch->SetLayout(layout, schemeColumns);
    batch->SetConversion(FractionRow(columns, options.normaliseTolerance), std::move(conversions),
                         axes, writeConverted, options.textures, convertedColumns);
    return kExitOk;
}

int ClassifyRecords(const std::vector<ClassifyScheme>& schemes, SampleReader& reader,
                    SampleWriter& writer, OutputSink& output, const ClassifyOptions& options,
                    std::ostream& err) {
    Batch batch(schemes, reader, writer, options);
    if (!reader.Next())
        return NoSamples(options, err);
    std::optional<ColumnLayout> header =
        options.data ? std::nullopt
                     : FirstLineHeader(reader, *schemes.front().scheme, options.header);
    if (options.data) {
        const int status = SetUpConversion(schemes, options, reader, writer, &batch, err);
        if (status != kExitOk)
            return status;
    } else if (header) {
        const std::optional<std::vector<SchemeColumns>> columns =
            HeaderColumns(schemes, reader, options, err);
        if (!columns)
            return kExitUnusable;
        header->texture = ColumnLayout::kNone; // each scheme's is in its columns
        // Kept before the next record replaces the reader's fields.
        const std::vector<std::string> names(reader.Fields().begin(), reader.Fields().end());
        reader.SetFieldLimit(header->width);
        if (!reader.Next())
            return NoSamples(options, err);
        WriteHeader(names, schemes, *columns, options, &writer);
        batch.SetLayout(*header, *columns);
    } else {
        const std::optional<std::vector<SchemeColumns>> columns = SampleColumns(schemes, err);
        if (!columns)
            return kExitUnusable;
        batch.SetLayout(SampleFileLayout(), *columns);
        // Fields from the fifth on are ignored; no need to split them.
        reader.SetFieldLimit(SampleFileLayout().width);
    }
    do
        batch.Row();
    while (reader.Next());
    writer.Flush();
    output.Commit();
    batch.ClearProgress();

    const BatchSummary& summary = batch.Summary();
    if (!options.quiet && options.lookup) {
        std::string text = summary.Text();
        if (!options.textures)
            text.replace(text.find(" classified,"), 11, " converted");
        PrintError(err, text);
        if (!batch.Hint().empty())
            PrintError(err, "hint: " + batch.Hint());
    }
    return options.strict && summary.Failed() > 0 ? kExitFailed : kExitOk;
}

} // namespace

int ClassifyStream(const soiltex& scheme, InputSource& input, OutputSink& output,
                   const ClassifyOptions& options, std::ostream& err) {
    CellClassifier classifier(scheme);
    return ClassifyStream(scheme, classifier, input, output, options, err);
}

int ClassifyStream(const soiltex& scheme, CellClassifier& classifier, InputSource& input,
                   OutputSink& output, const ClassifyOptions& options, std::ostream& err) {
    return ClassifyStream({{&scheme, &classifier, std::string(), std::nullopt}}, input, output,
                          options, err);
}

int ClassifyStream(const std::vector<ClassifyScheme>& schemes, InputSource& input,
                   OutputSink& output, const ClassifyOptions& options, std::ostream& err) {
    SampleReader reader(input, options.bufferSize);
    SampleWriter writer(output, options.bufferSize);
    try {
        return ClassifyRecords(schemes, reader, writer, output, options, err);
    } catch (const RecordTooLongError& e) {
        PrintError(err, InputName(options.input) + ": " + e.what());
        return kExitUnusable;
    }
}

int RunClassify(const std::vector<ChosenScheme>& schemes, const ClassifyOptions& options,
                std::ostream& err) {
    try {
        // Files first: a wrong path is reported before any grid is built.
        FileInput input(options.input);
        FileOutput output(options.output);
        // Classifiers keep references: the vector is sized once.
        std::vector<CellClassifier> classifiers;
        classifiers.reserve(schemes.size());
        std::vector<ClassifyScheme> run;
        for (const ChosenScheme& s : schemes) {
            classifiers.emplace_back(s.scheme, SchemeCheck::AlreadyDone);
            run.push_back({&s.scheme, &classifiers.back(), s.id, std::nullopt});
            if (options.data)
                run.back().limits = options.targetLimits ? options.targetLimits
                                                         : ReadSchemeFileMetadata(s.path).limits;
        }
        return ClassifyStream(run, input, output, options, err);
    } catch (const BatchIoError& e) {
        PrintError(err, e.what());
        return kExitUnusable;
    }
}
