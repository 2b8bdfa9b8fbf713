#include "app/helpviewer.h"

#include "scheme/schemefile.h"
#include "widgets/settings.h"
#include "widgets/userinteraction.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QSettings>

namespace {

// A path found in the current folder or a data folder, made absolute; the path as asked when it
// is found nowhere or is not a file.
QString FindFile(const QString& path) {
    const QFileInfo found(QString::fromStdString(ResolveDataFile(path.toStdString())));
    return found.isFile() ? found.absoluteFilePath() : path;
}

bool IsWebAddress(const QString& text) {
    const QUrl url(text, QUrl::StrictMode);
    return url.isValid() &&
           (url.scheme() == QLatin1String("http") || url.scheme() == QLatin1String("https"));
}

} // namespace

QString HelpFileLocation(const QString& setting) {
    const QString asked = setting.trimmed();
    if (asked.isEmpty() || asked == QLatin1String(kDefaultHelpSetting)) {
        const QString shipped = FindFile(QString::fromLatin1(kShippedHelpFile));
        if (QFileInfo(shipped).isAbsolute())
            return shipped;
        // Run from a build folder: the help is still in the source tree's docs/.
        const QString inSources = FindFile(QStringLiteral("docs/") + kShippedHelpFile);
        return QFileInfo(inSources).isAbsolute() ? inSources : shipped;
    }
    if (IsWebAddress(asked))
        return asked;
    return FindFile(asked);
}

QString OpenHelpContents(UserInteraction& interaction, QWidget* parent, const UrlOpener& open) {
    const QString setting =
        settings::Open(settings::kSettingsGroup)
            ->value(QStringLiteral("Help"), QString::fromLatin1(kDefaultHelpSetting))
            .toString();
    const QString location = HelpFileLocation(setting);

    bool opened = false;
    if (IsWebAddress(location) || QFileInfo(location).isFile()) {
        const QUrl url = IsWebAddress(location) ? QUrl(location) : QUrl::fromLocalFile(location);
        opened = open ? open(url) : QDesktopServices::openUrl(url);
    }
    if (opened)
        return location;
    QString text = QStringLiteral("Unable to open the help file\n%1").arg(location);
    if (IsWebAddress(location) || QFileInfo(location).isFile())
        text += QStringLiteral("\nNo web browser could be started: open it in one.");
    interaction.ShowMessage(parent, QStringLiteral("Problem"), text, MessageIcon::Error);
    return QString();
}
