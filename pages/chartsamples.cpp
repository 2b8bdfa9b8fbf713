#include "pages/chartsamples.h"

#include "pages/samplesheet.h"

ChartSamples CollectChartSamples(const SampleSheet& sheet) {
    ChartSamples samples;
    for (int row = 1; row <= sheet.LastDataRow(); ++row) {
        const std::optional<Composition> c = sheet.RowComposition(row);
        if (!c || !IsPlottable(*c))
            continue;
        samples.points.emplace_back(c->x, c->y);
        const std::string id = sheet.Text(row, SampleSheet::kSampleId).toStdString();
        samples.labels << QString::fromStdString(ChartLabel(id, static_cast<std::size_t>(row)));
    }
    return samples;
}
