#include "pages/bundledschemes.h"

#include "pages/pagescheme.h"
#include "scheme/schemefile.h"

#include <QActionGroup>
#include <QDir>
#include <QMenu>
#include <algorithm>

namespace {

constexpr const char* kSchemesFolder = "schemes";

QString Label(const QString& file, const QString& id) {
    const SchemeMetadata metadata = ReadSchemeFileMetadata(file.toStdString());
    if (metadata.name.empty())
        return id;
    QString label = QString::fromStdString(metadata.name);
    // The country's own remarks in parentheses are for the details, not for a menu line.
    const QString country = QString::fromStdString(metadata.country).section(" (", 0, 0);
    if (!country.isEmpty())
        label += " (" + country + ")";
    return label;
}

} // namespace

QString BundledSchemeFolder() {
    for (const std::string& folder : DataFolders()) {
        const QDir schemes(QString::fromStdString(folder) + "/" + kSchemesFolder);
        if (schemes.exists())
            return schemes.absolutePath();
    }
    return QString();
}

std::vector<BundledScheme> BundledSchemes() {
    std::vector<BundledScheme> schemes;
    for (const BundledSchemeFile& bundled : BundledSchemeFiles()) {
        const QString id = QString::fromStdString(bundled.id);
        const QString file = QString::fromStdString(bundled.path);
        schemes.push_back({id, QString(kSchemesFolder) + "/" + id + ".dat", file, Label(file, id)});
    }
    std::sort(schemes.begin(), schemes.end(), [](const BundledScheme& a, const BundledScheme& b) {
        const int order = a.label.compare(b.label, Qt::CaseInsensitive);
        return order != 0 ? order < 0 : a.id < b.id;
    });
    return schemes;
}

void FillBundledSchemeMenu(QMenu& menu, const PageScheme& scheme,
                           const std::function<void(const QString&)>& load) {
    const std::vector<BundledScheme> schemes = BundledSchemes();
    if (schemes.empty()) {
        menu.addAction("No bundled schemes found")->setEnabled(false);
        return;
    }
    // Radio items, of which none is checked while the page's scheme is not a bundled one.
    auto* group = new QActionGroup(&menu);
    group->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);
    for (const BundledScheme& s : schemes) {
        QString text = s.label;
        QAction* item = menu.addAction(text.replace('&', "&&"));
        item->setCheckable(true);
        item->setStatusTip(s.path);
        group->addAction(item);
        const QString path = s.path;
        QObject::connect(item, &QAction::triggered, &menu, [load, path] { load(path); });
    }
    QObject::connect(&menu, &QMenu::aboutToShow, &menu, [&menu, &scheme, schemes] {
        const QList<QAction*> items = menu.actions();
        for (std::size_t i = 0; i < schemes.size(); ++i)
            items[int(i)]->setChecked(scheme.IsSchemeFile(schemes[i].file));
    });
}
