#pragma once

#include "pages/pagechart.h"
#include "scheme/particlesize.h"

#include <QString>
#include <optional>
#include <utility>
#include <vector>

class PageScheme;

// The Point page's "Data particle-size limits": how the sheet's values were measured. Unset, they
// are the scheme's own; set to other limits, each row is converted to the scheme's limits before
// its lookup and on the chart, while the sheet keeps the values as typed.
class DataLimits {
public:
    const std::optional<ParticleLimits>& Limits() const { return mLimits; }
    void SetLimits(const std::optional<ParticleLimits>& limits) { mLimits = limits; }

    // Prepares the conversion for the page's scheme (its file's limits and axes). Returns why
    // the rows cannot be converted (then none is), or an empty text.
    QString Prepare(const PageScheme& scheme);
    bool Converting() const { return mConversion.has_value(); }
    // A completed row, converted when a conversion is on and the row is a composition.
    void Convert(double* x, double* y, double* z) const;
    void Convert(ChartData* data) const;
    // What the window title adds while converting: " [data 2/63/2000 µm converted]".
    QString TitleNote() const;

    // The settings value: "2,63,2000", or empty for the scheme's own; unreadable text reads as
    // the scheme's own.
    static QString ToSetting(const std::optional<ParticleLimits>& limits);
    static std::optional<ParticleLimits> FromSetting(const QString& text);
    // The menu's choices: the scheme's own, then each set of limits of the bundled schemes,
    // labelled with their sizes and the schemes that use them.
    static std::vector<std::pair<QString, std::optional<ParticleLimits>>> Choices();

private:
    std::optional<ParticleLimits> mLimits;
    std::optional<CompositionConversion> mConversion;
};
