// Help > Contents: the file the "Help" setting leads to, or what the user is told.
#include "app/helpviewer.h"
#include "tests/support/scriptedinteraction.h"
#include "widgets/settings.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// "shipped" for the shipped help wherever found; other files canonical; missing ones as they are.
QString Canonical(const QString& path) {
    const QFileInfo file(path);
    if (file.isAbsolute() && file.isFile() && path.endsWith("help/index.html"))
        return "shipped";
    return file.canonicalFilePath().isEmpty() ? path : file.canonicalFilePath();
}

} // namespace

// Paths resolve from the current folder (our own), then the data folders; missing files and failed
// opens are reported with their path.
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
        {manual, false, manual,
         cannot + manual + "\nNo web browser could be started: open it in one."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.setting.toStdString());
        if (!c.setting.isNull())
            settings::Open(settings::kSettingsGroup)->setValue("Help", c.setting);
        ScriptedInteraction user;
        QString opened;
        const QString shown = OpenHelpContents(user, nullptr, [&](const QUrl& url) {
            opened = url.isLocalFile() ? url.toLocalFile() : url.toString();
            return c.desktopWorks;
        });
        EXPECT_EQ(Canonical(opened), Canonical(c.opened));
        EXPECT_EQ(shown.isEmpty(), !c.message.isEmpty()); // the status bar names what opened
        EXPECT_EQ(user.MessageTexts(),
                  c.message.isEmpty() ? QStringList() : QStringList{c.message});
    }
    settings::Open(settings::kSettingsGroup)->remove("Help");
    QDir::setCurrent(oldCurrent);
}
