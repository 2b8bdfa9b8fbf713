// The settings store: where it writes, and how flags read back whatever the file holds.
#include "widgets/settings.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

class SettingsStore : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(mFolder.isValid());
        settings::UseFolder(mFolder.path());
    }

    QTemporaryDir mFolder;
};

TEST_F(SettingsStore, WritesBelowTheChosenFolderInItsGroup) {
    settings::Open(settings::kSettingsGroup)->setValue("Point scheme", "a/b.dat");
    settings::Open(settings::kChartDialogGroup)->setValue("Point scheme", "other");

    const std::unique_ptr<QSettings> store = settings::Open(settings::kSettingsGroup);
    EXPECT_EQ(store->value("Point scheme").toString(), "a/b.dat");
    EXPECT_TRUE(store->fileName().startsWith(mFolder.path())) << store->fileName().toStdString();
    EXPECT_TRUE(QDir(mFolder.path()).exists("Agrodesk/Granum v4.0.conf"));
}

TEST_F(SettingsStore, FlagsReadAsZeroOrOneWithTheirDefaultWhenUnusable) {
    const struct {
        const char* stored; // nullptr: not stored at all
        int fallback;
        int expected;
    } cases[] = {
        {nullptr, 1, 1}, {nullptr, 0, 0}, {"0", 1, 0}, {"1", 0, 1},
        {"2", 0, 1},     {"-1", 0, 1},    {"yes", 1, 1}, {"", 0, 0},
    };
    for (const auto& c : cases) {
        const std::unique_ptr<QSettings> store = settings::Open(settings::kChartDialogGroup);
        store->remove("Legend");
        if (c.stored != nullptr)
            store->setValue("Legend", c.stored);
        EXPECT_EQ(settings::ReadFlag(*store, "Legend", c.fallback), c.expected)
            << (c.stored ? c.stored : "(missing)") << " with default " << c.fallback;
    }
}
