// Help > Contents: which file the "Help" setting leads to, and what the user sees when it is not
// there.
#include "app/helpviewer.h"
#include "tests/support/scriptedinteraction.h"
#include "widgets/settings.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// "shipped" for the help that ships with the program, wherever it was found; any other file under
// one name whatever links lead to it; a path to nothing as it is.
QString Canonical(const QString& path) {
    const QFileInfo file(path);
    if (file.isAbsolute() && file.isFile() && path.endsWith("help/index.html"))
        return "shipped";
    return file.canonicalFilePath().isEmpty() ? path : file.canonicalFilePath();
}

} // namespace

// Paths resolve like scheme paths: the current folder (one of our own, so that only the data
// folders find the shipped files), then the data folders. Only a file that is there goes to the
// desktop; what is missing or fails to open is reported with its path.
TEST(HelpContents, OpensTheFileTheSettingLeadsToOrReportsIt) {
    const QString oldCurrent = QDir::currentPath();
    QTemporaryDir folder;
    ASSERT_TRUE(QDir::setCurrent(folder.path()));
    const QString manual = folder.filePath("manual.html");
    ASSERT_TRUE(QFile(manual).open(QIODevice::WriteOnly));
    const QString web = "https://granum.example.org/help",
                  cannot = "Unable to open the help file\n";
    const struct {
        QString setting; // null: never set
        bool desktopWorks;
        QString opened, message;
    } cases[] = {
        {QString(), true, "shipped", ""},
        {"   ", true, "shipped", ""},
        {"manual.html", true, manual, ""},
        {web, true, web, ""},
        {"/no/such/help.html", true, "", cannot + "/no/such/help.html"},
        {manual, false, manual, cannot + manual},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.setting.toStdString());
        if (!c.setting.isNull())
            settings::Open(settings::kSettingsGroup)->setValue("Help", c.setting);
        ScriptedInteraction user;
        QString opened;
        OpenHelpContents(user, nullptr, [&](const QUrl& url) {
            opened = url.isLocalFile() ? url.toLocalFile() : url.toString();
            return c.desktopWorks;
        });
        EXPECT_EQ(Canonical(opened), Canonical(c.opened));
        EXPECT_EQ(user.MessageTexts(),
                  c.message.isEmpty() ? QStringList() : QStringList{c.message});
    }
    settings::Open(settings::kSettingsGroup)->remove("Help");
    QDir::setCurrent(oldCurrent);
}
