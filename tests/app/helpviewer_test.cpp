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

const QString kSchemesDir = QStringLiteral(GRANUM_SCHEMES_DIR);

void SetHelpSetting(const QString* value) {
    const auto store = settings::Open(settings::kSettingsGroup);
    if (value != nullptr)
        store->setValue("Help", *value);
    else
        store->remove("Help");
}

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

class HelpLocation : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(mFolder.isValid());
        mOldCurrent = QDir::currentPath();
        // A current folder of our own, so that the data folders are what finds the shipped files.
        ASSERT_TRUE(QDir::setCurrent(mFolder.path()));
    }
    void TearDown() override { QDir::setCurrent(mOldCurrent); }

    QString MakeFile(const QString& name) {
        QFile file(mFolder.filePath(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("<html></html>");
        return QFileInfo(file).absoluteFilePath();
    }

    QTemporaryDir mFolder;
    QString mOldCurrent;
};

TEST_F(HelpLocation, DefaultOrEmptySettingGivesTheShippedHelp) {
    for (const char* setting : {"Granum.hlp", "", "   ", " Granum.hlp "})
        EXPECT_TRUE(IsShippedHelp(HelpFileLocation(setting)))
            << '"' << setting << "\" gave " << HelpFileLocation(setting).toStdString();
}

TEST_F(HelpLocation, OtherSettingsResolveLikeSchemePaths) {
    const QString inCurrent = MakeFile("manual.html");
    const QString elsewhere = MakeFile("elsewhere.html");
    const struct {
        QString setting;
        QString expected;
    } cases[] = {
        {"manual.html", inCurrent},                              // current folder first
        {"schemes/usda.dat", kSchemesDir + "/usda.dat"},         // then the data folders
        {elsewhere, elsewhere},                                  // absolute as it is
        {"/no/such/help.html", "/no/such/help.html"},            // missing: as asked
        {"nowhere/help.html", "nowhere/help.html"},
        {"https://granum.example.org/help", "https://granum.example.org/help"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Canonical(HelpFileLocation(c.setting)), Canonical(c.expected))
            << c.setting.toStdString();
}

TEST_F(HelpLocation, ContentsOpensTheFoundFileOrSaysWhichIsMissing) {
    const QString present = MakeFile("present.html");
    const struct {
        const char* name;
        const QString* setting; // nullptr: never set
        bool openerWorks;
        QUrl opened;            // empty: nothing may be opened
        QString message;        // empty: no message
    } cases[] = {
        {"unset", nullptr, true, QUrl(), {}},
        {"present file", &present, true, QUrl::fromLocalFile(present), {}},
        {"desktop cannot open it", &present, false, QUrl::fromLocalFile(present),
         "Unable to open the help file\n" + present},
    };
    const QString missing = "/no/such/help.html";
    for (const auto& c : cases) {
        SetHelpSetting(c.setting);
        ScriptedInteraction interaction;
        std::vector<QUrl> opened;
        OpenHelpContents(interaction, nullptr, [&](const QUrl& url) {
            opened.push_back(url);
            return c.openerWorks;
        });
        ASSERT_EQ(opened.size(), 1u) << c.name;
        if (c.opened.isEmpty()) {
            EXPECT_TRUE(IsShippedHelp(opened[0].toLocalFile()))
                << opened[0].toString().toStdString();
        } else {
            EXPECT_EQ(opened[0], c.opened) << c.name;
        }
        ASSERT_EQ(interaction.messages.size(), c.message.isEmpty() ? 0u : 1u) << c.name;
        if (!c.message.isEmpty()) {
            EXPECT_EQ(interaction.messages[0].text, c.message) << c.name;
        }
    }

    SetHelpSetting(&missing);
    ScriptedInteraction interaction;
    bool called = false;
    OpenHelpContents(interaction, nullptr, [&](const QUrl&) { return called = true; });
    EXPECT_FALSE(called) << "a missing help file must not be handed to the desktop";
    ASSERT_EQ(interaction.messages.size(), 1u);
    EXPECT_EQ(interaction.messages[0].caption, "Problem");
    EXPECT_EQ(interaction.messages[0].text, "Unable to open the help file\n" + missing);
    EXPECT_EQ(interaction.messages[0].icon, MessageIcon::Error);
    SetHelpSetting(nullptr);
}
