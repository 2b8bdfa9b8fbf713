#include "chart/chartdefinition.h"

#include "scheme/schemefile.h"
#include "util/pathkind.h"

#include <fstream>

std::string ChartDefinitionPath(const std::string& schemeFile) {
    // The name is cut at the first "." of the file's own name, so that a dot in a folder name
    // (a hidden folder, a versioned one) does not send the search elsewhere.
    const std::size_t nameStart = schemeFile.find_last_of('/') + 1;
    const std::size_t dot = schemeFile.find('.', nameStart);
    return schemeFile.substr(0, dot) + ".cha";
}

ChartDefinitionStatus ReadChartDefinition(ChartModel& model) {
    if (model.mSchemeFile.empty())
        return ChartDefinitionStatus::NotFound;
    const std::string path = ResolveDataFile(ChartDefinitionPath(model.mSchemeFile));
    // Opening a FIFO would wait for a writer, and a folder or device is never a chart definition.
    if (!pathkind::NotRegularReason(path).empty())
        return ChartDefinitionStatus::NotRegular;
    if (!std::ifstream(path, std::ios::binary).is_open())
        return ChartDefinitionStatus::NotFound;

    const soiltex pageScheme = model.mScheme;
    switch (LoadSchemeFile(path, &model.mScheme)) {
    case SchemeLoadStatus::Loaded:
        return ChartDefinitionStatus::Loaded;
    case SchemeLoadStatus::Invalid:
        model.mScheme = pageScheme;
        return ChartDefinitionStatus::Invalid;
    case SchemeLoadStatus::Unreadable:
        break;
    }
    model.mScheme = pageScheme;
    return ChartDefinitionStatus::Unreadable;
}

std::string ChartDefinitionMessage(ChartDefinitionStatus status) {
    switch (status) {
    case ChartDefinitionStatus::Invalid:
        return "Classification scheme in the chart definition file is invalid";
    case ChartDefinitionStatus::Unreadable:
        return "Unable to load the chart definition file";
    case ChartDefinitionStatus::NotRegular:
        return "The chart definition file is a folder, FIFO or device; it is not read";
    case ChartDefinitionStatus::NotFound:
    case ChartDefinitionStatus::Loaded:
        break;
    }
    return {};
}
