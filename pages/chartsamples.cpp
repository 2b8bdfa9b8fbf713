#include "pages/chartsamples.h"

#include "pages/samplesheet.h"

ChartData CollectChartSamples(const SampleSheet& sheet) {
    ChartData samples;
    for (int row = 1; row <= sheet.LastDataRow(); ++row) {
        const std::optional<Composition> c = sheet.RowComposition(row);
        if (!c || !IsPlottable(*c))
            continue;
        samples.points.push_back({c->x, c->y});
        const std::string id = sheet.Text(row, SampleSheet::kSampleId).toStdString();
        samples.labels.push_back(ChartLabel(id, static_cast<std::size_t>(row)));
    }
    return samples;
}
