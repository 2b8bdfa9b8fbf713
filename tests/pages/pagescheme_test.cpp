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
// file loads like any other, and the refresh sees the new scheme.
TEST_F(PageSchemeCommands, LoadFromDialogTakesTheNewSchemeOrKeepsTheOld) {
    const QString usda = "USDA," + kUsda + ",Sand,Clay,Silt,13";
    const QString copy = mFolder.filePath("twozone.dat");
    ASSERT_TRUE(QFile::copy(kTwoZone, copy));
    ASSERT_TRUE(QFile::setPermissions(copy, QFileDevice::ReadOwner));
    const struct {
        QString chosen;
        bool refreshThrows;
        QString message, loaded; // loaded: as the refresh sees it, if it runs, and afterwards
    } cases[] = {
        {GRANUM_TEST_DATA_DIR "/cli-schemes/notexture.dat", false, kUnreadable, usda},
        {kOverlap, false, kInvalid, usda},
        {kTwoZone, true, kUnreadable, usda},
        {"", false, "", usda}, // cancelled
        {copy, false, "", "Two-zone demonstration," + copy + ",first,second,third,2"},
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
        EXPECT_EQ(Loaded(), c.loaded);
        if (!c.refreshThrows) {
            EXPECT_EQ(seen, c.loaded);
        }
    }
}

// The details are the lines before the one holding "[texture]", with CR LF ends, and the part of
// that line before it; the dialog says so when there are none, and needs a scheme.
TEST_F(PageSchemeCommands, DetailsStopAtTheTextureWord) {
    const struct {
        const char* name;
        QByteArray content;
        QString expected;
    } cases[] = {
        {"cr-lf", "one\r\ntwo\r\n[texture]\r\n", "one\r\ntwo\r\n"},
        {"mid-line", "head\nabc[texture]def\nmore\n", "head\r\nabc"},
        {"no-word", "only\nlines", "only\r\nlines\r\n"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(PageScheme::DetailsText(WriteBytes(mFolder.filePath(c.name), c.content)),
                  c.expected)
            << c.name;

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
