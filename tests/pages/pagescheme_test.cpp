// The scheme commands both lookup pages share: what a failed load from the dialog leaves, what the
// user is told, and what the details dialog shows.
#include "pages/pagescheme.h"
#include "pages/schemedetailsdialog.h"
#include "tests/pages/filebytes.h"
#include "tests/support/scriptedinteraction.h"

#include <QFile>
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

// A refresh that throws fails the load as a file that cannot be read does; a read-only scheme
// file loads like any other, and the refresh sees the new scheme. The message keeps its text and
// says why below it; a FIFO is refused without being opened.
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
        {fifo, false, kUnreadable, "It is a FIFO.", usda},
        {mFolder.path(), false, kUnreadable, "It is a folder.", usda},
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

// The dialog shows the details text, says so when there is none, and needs a scheme.
TEST_F(PageSchemeCommands, DetailsDialogNeedsASchemeAndSaysWhenThereAreNone) {
    QString shown = "no dialog";
    mUser.onDialog = [&](QDialog& dialog) {
        shown = static_cast<SchemeDetailsDialog&>(dialog).Text();
        return int(QDialog::Accepted);
    };
    mPage.ShowDetails(nullptr); // without a scheme
    EXPECT_EQ(shown, "no dialog");
    const QByteArray twoZone = ReadBytes(kTwoZone);
    mPage.SetSchemePath(
        WriteBytes(mFolder.filePath("bare.dat"), twoZone.mid(twoZone.indexOf("[texture]"))));
    ASSERT_TRUE(mPage.LoadAtStartup(nullptr));
    mPage.ShowDetails(nullptr);
    EXPECT_EQ(shown, "No scheme details found in file.");
    LoadUsda();
    mPage.ShowDetails(nullptr);
    EXPECT_TRUE(shown.startsWith("USDA soil texture classification")) << shown.toStdString();
}
