#include "cli/chartcommand.h"

#include "chart/chartdefinition.h"
#include "chart/chartexport.h"
#include "cli/columnlayout.h"
#include "cli/errorline.h"
#include "cli/exitstatus.h"
#include "cli/inputsource.h"
#include "cli/rowclassifier.h"
#include "cli/samplereader.h"
#include "scheme/samplelookup.h"

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

// The rows of a sample file that the chart plots, as the Point Lookup page selects them.
void ReadSamples(const soiltex& scheme, const std::string& path, ChartModel* model) {
    FileInput input(path);
    SampleReader reader(input);
    if (!reader.Next())
        throw BatchIoError(InputName(path) + " holds no samples");
    ColumnLayout layout = SampleFileLayout();
    if (const std::optional<ColumnLayout> header = HeaderLayout(reader.Fields(), scheme)) {
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
    } while (reader.Next());
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
        ApplyHide(options.hide, &model);
        size = ParseSize(options.size);
        if (options.dpi < 24 || options.dpi > 1200)
            throw OptionError("--dpi: " + std::to_string(options.dpi) +
                              " is not within 24 to 1200");
        format = ChartFormatOf(QString::fromStdString(options.output));
        if (!format)
            throw OptionError("-o: \"" + options.output +
                              "\" does not end in .emf, .svg, .png or .pdf");
    } catch (const OptionError& e) {
        return PrintUsageError(err, e.what());
    }

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
            ReadSamples(scheme, options.samples, &model);
        } catch (const BatchIoError& e) {
            PrintError(err, e.what());
            return kExitUnusable;
        }
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

    const ChartDefinitionStatus definition = ReadChartDefinition(model);
    const std::string message = ChartDefinitionMessage(definition);
    if (!message.empty())
        PrintError(err, ChartDefinitionPath(schemeFile) + ": " + message +
                            " (the chart shows the scheme itself)");

    QString reason;
    if (!ExportChart(model, *format, QString::fromStdString(options.output), size, options.dpi,
                     &reason)) {
        PrintError(err, "cannot write " + options.output + ": " + reason.toStdString());
        return kExitUnusable;
    }
    return kExitOk;
}
