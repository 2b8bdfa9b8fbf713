#include "cli/chartcommand.h"

#include "chart/chartdefinition.h"
#include "chart/chartexport.h"
#include "chart/pointgroups.h"
#include "cli/errorline.h"
#include "cli/exitstatus.h"
#include "cli/inputsource.h"
#include "cli/outputsink.h"
#include "cli/rowclassifier.h"
#include "samples/columnlayout.h"
#include "samples/samplereader.h"
#include "scheme/samplelookup.h"
#include "scheme/schemefile.h"

#include <QGuiApplication>
#include <charconv>
#include <cstdlib>
#include <ostream>
#include <sstream>
#include <string_view>

namespace {

constexpr NamedFlag kHideable[] = {
    {"titles", &ChartModel::mbAxisTitle},  {"values", &ChartModel::mbAxisValues},
    {"labels", &ChartModel::mbDataLabels}, {"grid", &ChartModel::mbGridLines},
    {"legend", &ChartModel::mbLegend},     {"classes", &ChartModel::mbTextureClasses},
};

class OptionError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

void ApplyHide(const std::string& list, ChartModel* model) {
    std::istringstream items(list);
    std::string item;
    while (std::getline(items, item, ',')) {
        bool known = false;
        for (const NamedFlag& f : kHideable) {
            if (item == f.name) {
                model->*f.flag = 0;
                known = true;
            }
        }
        if (!known && !item.empty())
            throw OptionError("--hide: \"" + item +
                              "\" is not one of titles,values,labels,grid,legend,classes");
    }
}

// Pixels per inch of the screen that --size measures the window on.
constexpr int kScreenDpi = 96;
// The largest picture drawn, in pixels along either side.
constexpr int kLargestPicture = 20000;

// "WxH" with whole numbers from 100 to 20000; digits only, each checked for overflow.
QSize ParseSize(const std::string& text) {
    const std::size_t x = text.find_first_of("xX");
    int size[2] = {0, 0};
    const std::string_view parts[2] = {
        std::string_view(text).substr(0, x),
        x == std::string::npos ? std::string_view() : std::string_view(text).substr(x + 1)};
    for (int i = 0; i < 2; ++i) {
        const std::string_view part = parts[i];
        const char* end = part.data() + part.size();
        if (part.empty() || part[0] < '0' || part[0] > '9' ||
            std::from_chars(part.data(), end, size[i]).ptr != end || size[i] < 100 ||
            size[i] > 20000)
            throw OptionError("--size: \"" + text + "\" is not WxH with 100 to 20000 pixels each");
    }
    return {size[0], size[1]};
}

// The picture in pixels: the window of --size on a screen, drawn at --dpi.
QSize PictureSize(QSize window, int dpi, const std::string& sizeText) {
    const auto scaled = [dpi](int v) {
        return static_cast<int>((static_cast<long long>(v) * dpi + kScreenDpi / 2) / kScreenDpi);
    };
    const QSize picture(scaled(window.width()), scaled(window.height()));
    if (picture.width() > kLargestPicture || picture.height() > kLargestPicture)
        throw OptionError("--size " + sizeText + " at --dpi " + std::to_string(dpi) +
                          " makes a picture of " + std::to_string(picture.width()) + "x" +
                          std::to_string(picture.height()) + " pixels; at most " +
                          std::to_string(kLargestPicture) + " a side");
    return picture;
}

// Writes the picture through the tool's output rules (a file replaced only once complete).
void WritePicture(const std::string& path, const QByteArray& bytes) {
    FileOutput output(path);
    output.Write(bytes.constData(), static_cast<std::size_t>(bytes.size()));
    output.Commit();
}

// The field that --color-by names: a header's column of that name, or a column number from 1.
std::size_t GroupColumn(const std::string& column, const std::vector<std::string_view>* header,
                        const std::string& path, std::string* title) {
    if (header != nullptr) {
        for (std::size_t k = 0; k < header->size(); ++k) {
            if (SameColumnName((*header)[k], column)) {
                *title = std::string((*header)[k]);
                return k;
            }
        }
    }
    std::size_t number = 0;
    const char* end = column.data() + column.size();
    if (!column.empty() && std::from_chars(column.data(), end, number).ptr == end && number > 0 &&
        number < 100000) {
        *title = header != nullptr && number <= header->size() ? std::string((*header)[number - 1])
                                                               : "Column " + column;
        return number - 1;
    }
    throw BatchIoError("--color-by: " + InputName(path) + " has no column \"" + column + "\"" +
                       (header == nullptr ? " (it has no header: give a column number)" : ""));
}

// The rows of a sample file that the chart plots, as the Point Lookup page selects them, grouped
// by the values of colorBy's column when it is given.
void ReadSamples(const soiltex& scheme, const std::string& path, const std::string& colorBy,
                 ChartModel* model) {
    FileInput input(path);
    SampleReader reader(input);
    if (!reader.Next())
        throw BatchIoError(InputName(path) + " holds no samples");
    ColumnLayout layout = SampleFileLayout();
    const std::optional<ColumnLayout> header = HeaderLayout(reader.Fields(), scheme);
    std::size_t groupColumn = ColumnLayout::kNone;
    if (!colorBy.empty())
        groupColumn =
            GroupColumn(colorBy, header ? &reader.Fields() : nullptr, path, &model->mGroupTitle);
    GroupNumbering groups;
    if (header) {
        layout = *header;
        if (!reader.Next())
            return;
    }
    std::size_t row = 0;
    do {
        ++row;
        const std::optional<Composition> c =
            CompleteRow(FieldValue(reader.Field(layout.x)), FieldValue(reader.Field(layout.y)),
                        FieldValue(reader.Field(layout.z)));
        if (!c || !IsPlottable(*c))
            continue;
        model->mPoints.push_back({c->x, c->y});
        model->mLabels.push_back(ChartLabel(reader.Field(layout.id), row));
        if (groupColumn != ColumnLayout::kNone)
            model->mGroups.push_back(groups.Number(reader.Field(groupColumn)));
    } while (reader.Next());
    model->mGroupNames = groups.Names();
}

} // namespace

int RunChart(const soiltex& scheme, const std::string& schemeFile, const ChartOptions& options,
             std::ostream& err) {
    ChartModel model;
    model.mScheme = scheme;
    model.mSchemeFile = schemeFile;
    model.mXName = scheme.GetXName();
    model.mYName = scheme.GetYName();
    model.mZName = scheme.GetZName();
    QSize size;
    std::optional<ChartFormat> format;
    try {
        if (options.layout != "tri" && options.layout != "bi")
            throw OptionError("--layout: \"" + options.layout + "\" is not tri or bi");
        model.mbTriaxial = options.layout == "tri";
        if (options.style != "classic" && options.style != "publication")
            throw OptionError("--style: \"" + options.style + "\" is not classic or publication");
        model.mbPublication = options.style == "publication";
        if (!model.mbPublication && (!options.colorBy.empty() || options.density))
            throw OptionError(std::string(options.density ? "--density" : "--color-by") +
                              " needs --style publication");
        if (!options.colorBy.empty() && options.samples.empty())
            throw OptionError("--color-by needs a sample file");
        model.mbDensity = options.density;
        if (options.fontSize != 0 && (options.fontSize < 4 || options.fontSize > 72))
            throw OptionError("--font-size: " + std::to_string(options.fontSize) +
                              " is not within 4 to 72");
        model.mFontSize = options.fontSize;
        ApplyHide(options.hide, &model);
        if (options.dpi < 24 || options.dpi > 1200)
            throw OptionError("--dpi: " + std::to_string(options.dpi) +
                              " is not within 24 to 1200");
        size = PictureSize(ParseSize(options.size), options.dpi, options.size);
        format = ChartFormatOf(QString::fromStdString(options.output));
        if (!format)
            throw OptionError("-o: \"" + options.output +
                              "\" does not end in .emf, .svg, .png or .pdf");
    } catch (const OptionError& e) {
        return PrintUsageError(err, e.what());
    }

    // Drawing needs fonts but never a window: Qt's platform without a display. Qt's own
    // notes (a missing runtime folder and the like) are not the user's business here.
    static int argc = 1;
    static char name[] = "granum-cli";
    static char* argv[] = {name, nullptr};
    std::optional<QGuiApplication> application;
    if (QGuiApplication::instance() == nullptr) {
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
        qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
        application.emplace(argc, argv);
    }

    if (!ChartHasRoom(model, size, options.dpi))
        return PrintUsageError(err, "--size " + options.size + " at --dpi " +
                                        std::to_string(options.dpi) +
                                        " leaves no room for the triangle");

    if (options.ranges) {
        const auto& [x, y, z] = *options.ranges;
        if (!CheckRangeOrder(scheme, x, y, z, err))
            return kExitFailed;
        const polygon range = scheme.RangePolygon(x.min, x.max, y.min, y.max, z.min, z.max);
        if (range.Size() == 0) {
            PrintError(err,
                       "the ranges enclose no part of the triangle: " + std::string(kFailText));
            return kExitFailed;
        }
        model.mPoints = range.Vertices();
        model.mbSamples = 0;
    } else if (!options.samples.empty()) {
        try {
            ReadSamples(scheme, options.samples, options.colorBy, &model);
        } catch (const BatchIoError& e) {
            PrintError(err, e.what());
            return kExitUnusable;
        } catch (const RecordTooLongError& e) {
            PrintError(err, InputName(options.samples) + ": " + e.what());
            return kExitUnusable;
        }
    }

    model.mMetadata = ReadSchemeFileMetadata(ResolveDataFile(schemeFile));
    const ChartDefinitionStatus definition = ReadChartDefinition(model);
    const std::string message = ChartDefinitionMessage(definition);
    if (!message.empty())
        PrintError(err, ChartDefinitionPath(schemeFile) + ": " + message +
                            " (the chart shows the scheme itself)");

    QString reason;
    const QByteArray bytes = ChartBytes(model, *format, size, options.dpi, &reason);
    if (bytes.isEmpty()) {
        PrintError(err, "cannot draw " + options.output + ": " + reason.toStdString());
        return kExitUnusable;
    }
    try {
        WritePicture(options.output, bytes);
    } catch (const BatchIoError& e) {
        PrintError(err, e.what());
        return kExitUnusable;
    }
    return kExitOk;
}
