// The scheme commands both lookup pages share: what a failed load leaves, what the user is told,
// and what the details dialog shows.
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
const QString kNoTexture = GRANUM_TEST_DATA_DIR "/cli-schemes/notexture.dat";
const char* kUnreadable = "Unable to load the classification scheme file";
const char* kInvalid = "Classification scheme is invalid. It will not be loaded.";

} // namespace

class PageSchemeCommands : public ::testing::Test {
protected:
    void LoadUsda() {
        mPage.SetSchemePath(kUsda);
        ASSERT_TRUE(mPage.LoadAtStartup(nullptr));
    }

    void ExpectUsdaKept() {
        EXPECT_EQ(QStringList({mPage.SchemeName(), mPage.SchemePath(), mPage.XName(), mPage.YName(),
                               mPage.ZName()}),
                  QStringList({"USDA", kUsda, "Sand", "Clay", "Silt"}));
        EXPECT_EQ(mPage.Scheme().GetClassCount(), 13);
    }

    QString WriteFile(const QString& name, const QByteArray& content) {
        return WriteBytes(mFolder.filePath(name), content);
    }

    ScriptedInteraction mUser;
    PageScheme mPage{mUser};
    QTemporaryDir mFolder;
};

TEST_F(PageSchemeCommands, StartupFailureLeavesNoSchemeButKeepsThePath) {
    const struct {
        QString path;
        const char* message;
    } cases[] = {
        {"no/such/scheme.dat", kUnreadable},
        {kOverlap, kInvalid},
    };
    for (const auto& c : cases) {
        LoadUsda();
        mUser.messages.clear();
        mPage.SetSchemePath(c.path);
        EXPECT_FALSE(mPage.LoadAtStartup(nullptr));
        ASSERT_EQ(mUser.messages.size(), 1u) << c.path.toStdString();
        EXPECT_EQ(mUser.messages[0].text, c.message);
        EXPECT_EQ(mUser.messages[0].caption, "Problem");
        EXPECT_EQ(mUser.messages[0].icon, MessageIcon::Error);
        EXPECT_FALSE(mPage.HasScheme());
        EXPECT_EQ(mPage.SchemeName(), "none");
        EXPECT_EQ(mPage.XName() + mPage.YName() + mPage.ZName(), "xyz");
        EXPECT_EQ(mPage.Scheme().GetClassCount(), 0);
        EXPECT_EQ(mPage.SchemePath(), c.path);
    }
}

// A refresh that throws fails the load as a file that cannot be read does.
TEST_F(PageSchemeCommands, FailedLoadFromDialogKeepsTheOldScheme) {
    const struct {
        QString chosen;
        bool refreshThrows;
        const char* message;
    } cases[] = {
        {kNoTexture, false, kUnreadable},
        {kOverlap, false, kInvalid},
        {kTwoZone, true, kUnreadable},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.chosen.toStdString());
        LoadUsda();
        mUser.messages.clear();
        mUser.openFileNames.push_back(c.chosen);
        bool refreshed = false;
        EXPECT_FALSE(mPage.LoadFromDialog(nullptr, [&] {
            refreshed = true;
            if (c.refreshThrows)
                throw std::runtime_error("grid");
        }));
        EXPECT_EQ(refreshed, c.refreshThrows);
        ASSERT_EQ(mUser.MessageTexts(), QStringList{c.message});
        ExpectUsdaKept();
    }
}

TEST_F(PageSchemeCommands, LoadFromDialogTakesTheNewSchemeBeforeRefreshing) {
    LoadUsda();
    mUser.openFileNames.push_back("");
    EXPECT_FALSE(mPage.LoadFromDialog(nullptr, nullptr)); // cancelled: nothing changes
    ExpectUsdaKept();

    // A read-only scheme file loads like any other.
    const QString copy = mFolder.filePath("twozone.dat");
    ASSERT_TRUE(QFile::copy(kTwoZone, copy));
    ASSERT_TRUE(QFile::setPermissions(copy, QFileDevice::ReadOwner));
    mUser.openFileNames.push_back(copy);
    QString nameDuringRefresh;
    EXPECT_TRUE(mPage.LoadFromDialog(nullptr, [&] { nameDuringRefresh = mPage.SchemeName(); }));
    EXPECT_EQ(nameDuringRefresh, mPage.SchemeName());
    EXPECT_NE(mPage.SchemeName(), "USDA");
    EXPECT_EQ(mPage.SchemePath(), copy);
    EXPECT_TRUE(mUser.messages.empty());
}

TEST_F(PageSchemeCommands, DetailsTextStopsAtTheTextureWord) {
    const struct {
        const char* name;
        QByteArray content;
        QString expected;
    } cases[] = {
        {"first-line", "[texture]\nX\n", ""},
        {"three-lines", "one\ntwo\nthree\n[texture]\nX\n", "one\r\ntwo\r\nthree\r\n"},
        {"cr-lf", "one\r\ntwo\r\n[texture]\r\n", "one\r\ntwo\r\n"},
        {"mid-line", "head\nabc[texture]def\nmore\n", "head\r\nabc"},
        {"no-word", "only\nlines", "only\r\nlines\r\n"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(PageScheme::DetailsText(WriteFile(c.name, c.content)), c.expected) << c.name;
    EXPECT_EQ(PageScheme::DetailsText(mFolder.filePath("missing.dat")), "");
}

TEST_F(PageSchemeCommands, DetailsDialogShowsTheHeaderOrItsAbsence) {
    QString shown;
    mUser.onDialog = [&](QDialog& dialog) {
        shown = static_cast<SchemeDetailsDialog&>(dialog).Text();
        return int(QDialog::Accepted);
    };

    mPage.ShowDetails(nullptr); // no scheme loaded: no dialog
    EXPECT_TRUE(mUser.dialogTitles.isEmpty());

    const QByteArray twoZone = ReadBytes(kTwoZone);
    const QString bare = WriteFile("bare.dat", twoZone.mid(twoZone.indexOf("[texture]")));
    mPage.SetSchemePath(bare);
    ASSERT_TRUE(mPage.LoadAtStartup(nullptr));
    mPage.ShowDetails(nullptr);
    EXPECT_EQ(mUser.dialogTitles, QStringList{"Scheme Details"});
    EXPECT_EQ(shown, "No scheme details found in file.");

    LoadUsda();
    mPage.ShowDetails(nullptr);
    EXPECT_TRUE(shown.startsWith("USDA soil texture classification")) << shown.toStdString();
    EXPECT_FALSE(shown.contains("[texture]"));
}
