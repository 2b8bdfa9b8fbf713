#include "pages/datalimits.h"

#include "pages/pagescheme.h"
#include "scheme/samplelookup.h"
#include "scheme/schemefile.h"

#include <QStringList>
#include <map>
#include <tuple>

namespace {

struct SizeOrder {
    bool operator()(const ParticleLimits& a, const ParticleLimits& b) const {
        return std::tie(a.clay, a.silt, a.sand) < std::tie(b.clay, b.silt, b.sand);
    }
};

} // namespace

QString DataLimits::Prepare(const PageScheme& scheme) {
    mConversion.reset();
    if (!mLimits || !scheme.HasScheme())
        return QString();
    const std::optional<ParticleLimits> own =
        ReadSchemeFileMetadata(ResolveDataFile(scheme.SchemePath().toStdString())).limits;
    if (!own)
        return "The scheme does not state its particle-size limits: the rows are looked up as "
               "typed.";
    try {
        CompositionConversion conversion(*mLimits, *own, TextureAxes(scheme.Scheme()));
        if (!conversion.IsIdentity())
            mConversion.emplace(conversion);
    } catch (const ConversionError& e) {
        return QString("The data's particle-size limits cannot be converted to the scheme's (%1 "
                       "µm): %2. The rows are looked up as typed.")
            .arg(QString::fromStdString(LimitsText(*own)), QString::fromStdString(e.what()));
    }
    return QString();
}

void DataLimits::Convert(double* x, double* y, double* z) const {
    if (mConversion && IsPlottable({*x, *y, *z}))
        mConversion->Convert(x, y, z);
}

void DataLimits::Convert(ChartData* data) const {
    for (point& p : data->points) {
        double z = 100 - p.x - p.y;
        Convert(&p.x, &p.y, &z);
    }
}

QString DataLimits::TitleNote() const {
    if (!mConversion)
        return QString();
    return " [data " + QString::fromStdString(LimitsText(*mLimits)) + " µm converted]";
}

QString DataLimits::ToSetting(const std::optional<ParticleLimits>& limits) {
    if (!limits)
        return QString();
    return QString::fromStdString(LimitsText(*limits)).replace('/', ',');
}

std::optional<ParticleLimits> DataLimits::FromSetting(const QString& text) {
    const QStringList parts = text.split(',');
    double v[3];
    bool ok = parts.size() == 3;
    for (int i = 0; ok && i < 3; ++i)
        v[i] = parts[i].toDouble(&ok);
    if (!ok || !(v[0] > 0 && v[0] < v[1] && v[1] < v[2]))
        return std::nullopt;
    return ParticleLimits{v[0], v[1], v[2]};
}

std::vector<std::pair<QString, std::optional<ParticleLimits>>> DataLimits::Choices() {
    std::map<ParticleLimits, QStringList, SizeOrder> users;
    for (const BundledSchemeFile& file : BundledSchemeFiles()) {
        if (const std::optional<ParticleLimits> l = ReadSchemeFileMetadata(file.path).limits)
            users[*l] << QString::fromStdString(file.id);
    }
    std::vector<std::pair<QString, std::optional<ParticleLimits>>> choices{
        {"The Scheme's Own", std::nullopt}};
    for (const auto& [limits, ids] : users) {
        const QStringList shown = ids.mid(0, 3);
        choices.emplace_back(QString::fromStdString(LimitsText(limits)) + " µm (" +
                                 shown.join(", ") + (ids.size() > 3 ? ", ...)" : ")"),
                             limits);
    }
    return choices;
}
