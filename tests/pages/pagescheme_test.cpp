// The scheme commands both lookup pages share: loads, what the user is told, the details dialog.
#include "pages/pagescheme.h"
#include "pages/schemedetailsdialog.h"
#include "tests/pages/filebytes.h"
#include "tests/support/scriptedinteraction.h"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <stdexcept>
#include <sys/stat.h>

namespace {

const QString kUsda = GRANUM_SCHEMES_DIR "/usda.dat";
const QString kTwoZone = GRANUM_TEST_DATA_DIR "/twozone/twozone.dat";
const QString kOverlap = GRANUM_TEST_DATA_DIR "/cli-schemes/overlap.dat";
const char* kUnreadable = "Unable to load the classification scheme file";
const char* kInvalid = "Classification scheme is invalid. It will not be loaded.";

class PageSchemeCommands : public ::testing::Test {
protected:
    void LoadUsda() {
        mPage.SetSchemePath(kUsda);
        ASSERT_TRUE(mPage.LoadAtStartup(nullptr));
        mUser.messages.clear();
    }

    // The name, path, axes and class count.
    QString Loaded() const {
        return QStringList({mPage.SchemeName(), mPage.SchemePath(), mPage.XName(), mPage.YName(),
                            mPage.ZName(), QString::number(mPage.Scheme().GetClassCount())})
            .join(',');
    }

    ScriptedInteraction mUser;
    PageScheme mPage{mUser};
    QTemporaryDir mFolder;
};

} // namespace

// A refresh that throws fails the load like an unreadable file; a read-only file loads, and the
// refresh sees the new scheme. The reason goes below the message.
TEST_F(PageSchemeCommands, LoadFromDialogTakesTheNewSchemeOrKeepsTheOld) {
    const QString usda = "USDA," + kUsda + ",Sand,Clay,Silt,13";
    const QString copy = mFolder.filePath("twozone.dat");
    ASSERT_TRUE(QFile::copy(kTwoZone, copy));
    ASSERT_TRUE(QFile::setPermissions(copy, QFileDevice::ReadOwner));
    const QString fifo = mFolder.filePath("fifo.dat");
    ASSERT_EQ(::mkfifo(fifo.toLocal8Bit().constData(), 0600), 0);
    const struct {
        QString chosen;
        bool refreshThrows;
        QString message, detail, loaded; // loaded: as the refresh sees it, and afterwards
    } cases[] = {
        {GRANUM_TEST_DATA_DIR "/cli-schemes/notexture.dat", false, kUnreadable,
         "It has no \"[texture]\" word.", usda},
        {kOverlap, false, kInvalid, "Low (1) and High (2) overlap.", usda},
        {kTwoZone, true, kUnreadable, "", usda},
        {"", false, "", "", usda}, // cancelled
        {copy, false, "", "", "Two-zone demonstration," + copy + ",first,second,third,2"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.chosen.toStdString());
        LoadUsda();
        mUser.openFileNames.push_back(c.chosen);
        QString seen = usda;
        const bool loaded = mPage.LoadFromDialog(nullptr, [&] {
            seen = Loaded();
            if (c.refreshThrows)
                throw std::runtime_error("grid");
        });
        EXPECT_EQ(loaded, c.loaded != usda);
        EXPECT_EQ(mUser.MessageTexts(),
                  c.message.isEmpty() ? QStringList() : QStringList{c.message});
        if (!mUser.messages.empty()) {
            EXPECT_EQ(mUser.messages.back().detail, c.detail);
        }
        EXPECT_EQ(Loaded(), c.loaded);
        if (!c.refreshThrows) {
            EXPECT_EQ(seen, c.loaded);
        }
    }
    // The details of a FIFO are not read either: nothing blocks.
    EXPECT_EQ(PageScheme::DetailsText(fifo), "");
}

// At start-up a missing scheme is said to be missing, and the page has no scheme.
TEST_F(PageSchemeCommands, StartupLoadSaysWhyItFailed) {
    mPage.SetSchemePath(mFolder.filePath("absent.dat"));
    EXPECT_FALSE(mPage.LoadAtStartup(nullptr));
    ASSERT_EQ(mUser.messages.size(), 1u);
    EXPECT_EQ(mUser.messages[0].text, kUnreadable);
    EXPECT_EQ(mUser.messages[0].detail, "No such file or directory.");
    EXPECT_EQ(Loaded(), "none," + mFolder.filePath("absent.dat") + ",x,y,z,0");
}

// The dialog opens in the current scheme's folder, else the bundled one; portable paths are kept.
TEST_F(PageSchemeCommands, LoadDialogOpensInTheCurrentSchemesFolderOrTheBundledOne) {
    const QString bundled = QFileInfo(GRANUM_SCHEMES_DIR).canonicalFilePath();
    const struct {
        QString current, folder;
    } cases[] = {
        {"", bundled},
        {"schemes/usda.dat", bundled},
        {kTwoZone, GRANUM_TEST_DATA_DIR "/twozone"},
        {mFolder.path(), bundled}, // a folder is no scheme file
    };
    for (const auto& c : cases) {
        mPage.SetSchemePath(c.current);
        mUser.openFileNames.push_back("");
        EXPECT_FALSE(mPage.LoadFromDialog(nullptr, nullptr));
        EXPECT_EQ(QFileInfo(mUser.openFolders.back()).canonicalFilePath(), c.folder)
            << c.current.toStdString();
    }
    EXPECT_TRUE(mPage.LoadFrom(nullptr, "schemes/de-ka5.dat", nullptr));
    EXPECT_EQ(Loaded(), "Bodenkundliche Kartieranleitung KA5: Bodenartenuntergruppen,"
                        "schemes/de-ka5.dat,Clay,Silt,Sand,31");
}

// No dialog without a scheme; without key lines the free text comes first; one key line makes a
// summary, and an abbreviation goes to its id.
TEST_F(PageSchemeCommands, DetailsDialogShowsTheTextFirstWithoutKeyLines) {
    QStringList seen{"no dialog"};
    mUser.onDialog = [&](QDialog& dialog) {
        const auto& d = static_cast<SchemeDetailsDialog&>(dialog);
        seen = QStringList({d.TabTitles().join(','), d.CurrentTab(), d.SummaryLines().join(';'),
                            d.ClassLines().join(';'), d.Text()});
        return int(QDialog::Accepted);
    };
    mPage.ShowDetails(nullptr);
    EXPECT_EQ(seen, QStringList{"no dialog"});
    const QByteArray twoZone = ReadBytes(kTwoZone);
    const QByteArray classes = twoZone.mid(twoZone.indexOf("[texture]"));
    const struct {
        QString path;
        QStringList expected; // tabs, current tab, summary, classes
        const char* text;     // how the details text begins
    } cases[] = {
        {kTwoZone, {"Classes,Limits,Text", "Text", "", "1|Low|;2|High|"}, ""},
        {WriteBytes(mFolder.filePath("keyed.dat"),
                    "country: Nowhere\nabbreviations: 2=S2\n" + classes),
         {"Summary,Classes,Limits,Text", "Summary", "Country: Nowhere", "1|Low|;2|High|S2"},
         ""},
        {WriteBytes(mFolder.filePath("bare.dat"), classes), {}, "No scheme details found in file."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path.toStdString());
        mPage.SetSchemePath(c.path);
        ASSERT_TRUE(mPage.LoadAtStartup(nullptr));
        mPage.ShowDetails(nullptr);
        ASSERT_EQ(seen.size(), 5);
        if (!c.expected.isEmpty()) {
            EXPECT_EQ(seen.mid(0, 4), c.expected);
        }
        EXPECT_TRUE(seen[4].startsWith(c.text)) << seen[4].toStdString();
    }
}
