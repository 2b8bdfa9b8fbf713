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

#include <vector>

namespace {

// The same file under one name whatever links lead to it; a path to nothing as it is.
QString Canonical(const QString& path) {
    const QString canonical = QFileInfo(path).canonicalFilePath();
    return canonical.isEmpty() ? path : canonical;
}

bool IsShippedHelp(const QString& location) {
    return QFileInfo(location).isAbsolute() && QFileInfo(location).isFile() &&
           location.endsWith("help/index.html");
}

} // namespace

class HelpContents : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(mFolder.isValid());
        // A current folder of our own, so that only the data folders can find the shipped files.
        mOldCurrent = QDir::currentPath();
        ASSERT_TRUE(QDir::setCurrent(mFolder.path()));
        QFile file(mFolder.filePath("manual.html"));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        mManual = QFileInfo(file).absoluteFilePath();
    }
    void TearDown() override {
        settings::Open(settings::kSettingsGroup)->remove("Help");
        QDir::setCurrent(mOldCurrent);
    }

    // Runs Help > Contents with "Help" set to setting; the URLs handed to the desktop come back.
    std::vector<QUrl> Open(const QString& setting, ScriptedInteraction& interaction,
                           bool desktopWorks = true) {
        settings::Open(settings::kSettingsGroup)->setValue("Help", setting);
        std::vector<QUrl> opened;
        OpenHelpContents(interaction, nullptr, [&](const QUrl& url) {
            opened.push_back(url);
            return desktopWorks;
        });
        return opened;
    }

    QTemporaryDir mFolder;
    QString mOldCurrent;
    QString mManual;
};

TEST_F(HelpContents, DefaultOrEmptySettingGivesTheShippedHelp) {
    for (const char* setting : {"Granum.hlp", "", "   ", " Granum.hlp "})
        EXPECT_TRUE(IsShippedHelp(HelpFileLocation(setting)))
            << '"' << setting << "\" gave " << HelpFileLocation(setting).toStdString();

    ScriptedInteraction interaction; // never set: the default
    std::vector<QUrl> opened;
    OpenHelpContents(interaction, nullptr, [&](const QUrl& url) {
        opened.push_back(url);
        return true;
    });
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_TRUE(IsShippedHelp(opened[0].toLocalFile())) << opened[0].toString().toStdString();
    EXPECT_TRUE(interaction.messages.empty());
}

TEST_F(HelpContents, OtherSettingsResolveLikeSchemePaths) {
    const struct {
        QString setting;
        QString expected;
    } cases[] = {
        {"manual.html", mManual},                                       // current folder first
        {"schemes/usda.dat", GRANUM_SCHEMES_DIR "/usda.dat"},           // then the data folders
        {mManual, mManual},                                             // absolute as it is
        {"nowhere/help.html", "nowhere/help.html"},                     // missing: as asked
        {"https://granum.example.org/help", "https://granum.example.org/help"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Canonical(HelpFileLocation(c.setting)), Canonical(c.expected))
            << c.setting.toStdString();

    ScriptedInteraction interaction;
    EXPECT_EQ(Open("manual.html", interaction), std::vector<QUrl>{QUrl::fromLocalFile(mManual)});
    EXPECT_TRUE(interaction.messages.empty());
}

TEST_F(HelpContents, MissingOrUnopenableFileIsReportedWithItsPath) {
    ScriptedInteraction missing;
    EXPECT_TRUE(Open("/no/such/help.html", missing).empty())
        << "a missing help file must not be handed to the desktop";
    ScriptedInteraction unopenable;
    EXPECT_EQ(Open(mManual, unopenable, false).size(), 1u);

    const std::pair<const ScriptedInteraction*, QString> cases[] = {
        {&missing, "/no/such/help.html"}, {&unopenable, mManual}};
    for (const auto& [interaction, path] : cases) {
        ASSERT_EQ(interaction->messages.size(), 1u) << path.toStdString();
        EXPECT_EQ(interaction->messages[0].caption, "Problem");
        EXPECT_EQ(interaction->messages[0].text, "Unable to open the help file\n" + path);
        EXPECT_EQ(interaction->messages[0].icon, MessageIcon::Error);
    }
}
