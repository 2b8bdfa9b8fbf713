#include "cli/classifycommand.h"

#include "cli/batchsummary.h"
#include "cli/errorline.h"
#include "cli/exitstatus.h"
#include "cli/progressline.h"
#include "cli/rowclassifier.h"
#include "samples/columnlayout.h"
#include "samples/samplereader.h"
#include "samples/samplewriter.h"

#include <algorithm>
#include <ostream>
#include <string_view>
#include <vector>

namespace {

class Batch {
public:
    Batch(CellClassifier& classifier, SampleReader& reader, SampleWriter& writer,
          const ClassifyOptions& options)
        : mReader(reader), mWriter(writer), mClassifier(classifier, options.normaliseTolerance),
          mLookup(options.lookup), mProgress(options.progress) {
        mTexture.reserve(256);
    }

    void SetLayout(const ColumnLayout& layout) { mLayout = layout; }

    // The record in the reader, classified and written.
    void Row() {
        mTexture.clear();
        RowOutcome outcome = RowOutcome::TooFewValues;
        if (mLookup)
            outcome = mClassifier.Classify(Field(mLayout.x), Field(mLayout.y), Field(mLayout.z),
                                           &mTexture);
        BatchSummary::Row row = BatchSummary::Row::Failed;
        if (outcome == RowOutcome::Classified)
            row = BatchSummary::Row::Classified;
        else if (outcome == RowOutcome::TooFewValues && (!mLookup || IsBlank()))
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
    std::string_view Field(std::size_t i) const { return mReader.Field(i); }

    // A row that gives nothing: a sheet row without data, or a header file's empty line.
    bool IsBlank() const {
        const std::size_t used = mLayout.header ? mReader.Fields().size() : mLayout.width;
        for (std::size_t i = 0; i < used; ++i) {
            if (i != mLayout.texture && !Field(i).empty())
                return false;
        }
        return !mLayout.header || mReader.Rest().find_first_not_of(',') == std::string_view::npos;
    }

    // Files saved by spreadsheets set to a decimal-comma language: "40,5" in quotes, or fields
    // separated by semicolons.
    std::string FailureHint() const {
        for (std::size_t i : {mLayout.x, mLayout.y, mLayout.z}) {
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
        // The common case, a record without quotes, is passed on as the bytes it was read from.
        if (!mReader.AnyQuote() && mLayout.texture == ColumnLayout::kNone) {
            const std::size_t read = std::min(mReader.Fields().size(), mLayout.width);
            mWriter.RawFields(mReader.FieldsText(read));
            for (std::size_t i = read; i < mLayout.width; ++i)
                mWriter.Field({});
        } else {
            WriteFields();
        }
        if (mLayout.texture == ColumnLayout::kNone)
            mWriter.Field(mTexture);
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
        for (std::size_t i = 0; i < mLayout.width; ++i)
            mWriter.Field(i == mLayout.texture ? std::string_view(mTexture) : Field(i));
    }

    SampleReader& mReader;
    SampleWriter& mWriter;
    RowClassifier mClassifier;
    bool mLookup;
    ProgressLine mProgress;
    ColumnLayout mLayout = SampleFileLayout();
    BatchSummary mSummary;
    std::string mHint;
    std::string mTexture;
};

std::string AxisList(const soiltex& scheme) {
    return scheme.GetXName() + ", " + scheme.GetYName() + ", " + scheme.GetZName();
}

void WriteHeader(const std::vector<std::string>& names, const ColumnLayout& layout,
                 SampleWriter* writer) {
    for (const std::string& name : names)
        writer->Field(name);
    if (layout.texture == ColumnLayout::kNone)
        writer->Field("texture");
    writer->EndRecord();
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

int ClassifyRecords(const soiltex& scheme, CellClassifier& classifier, SampleReader& reader,
                    SampleWriter& writer, OutputSink& output, const ClassifyOptions& options,
                    std::ostream& err) {
    Batch batch(classifier, reader, writer, options);
    if (!reader.Next())
        return NoSamples(options, err);
    const std::optional<ColumnLayout> header = FirstLineHeader(reader, scheme, options.header);
    if (header) {
        if (header->AxisColumns() < 2) {
            PrintError(err, "line 1 is a header, but it names fewer than two of the columns " +
                                AxisList(scheme));
            return kExitUnusable;
        }
        // Kept before the next record replaces the reader's fields.
        const std::vector<std::string> names(reader.Fields().begin(), reader.Fields().end());
        reader.SetFieldLimit(header->width);
        if (!reader.Next())
            return NoSamples(options, err);
        WriteHeader(names, *header, &writer);
        batch.SetLayout(*header);
    } else {
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
        PrintError(err, summary.Text());
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
    SampleReader reader(input, options.bufferSize);
    SampleWriter writer(output, options.bufferSize);
    try {
        return ClassifyRecords(scheme, classifier, reader, writer, output, options, err);
    } catch (const RecordTooLongError& e) {
        PrintError(err, InputName(options.input) + ": " + e.what());
        return kExitUnusable;
    }
}

int RunClassify(const soiltex& scheme, const ClassifyOptions& options, std::ostream& err) {
    try {
        FileInput input(options.input);
        FileOutput output(options.output);
        return ClassifyStream(scheme, input, output, options, err);
    } catch (const BatchIoError& e) {
        PrintError(err, e.what());
        return kExitUnusable;
    }
}
