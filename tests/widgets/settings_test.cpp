// The settings store: where it writes, and how flags read back whatever the file holds.
#include "widgets/settings.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

TEST(SettingsStore, WritesBelowTheChosenFolderInItsGroupAndReadsFlagsAsZeroOrOne) {
    QTemporaryDir folder;
    settings::UseFolder(folder.path());
    settings::Open(settings::kSettingsGroup)->setValue("Legend", "a/b.dat");
    const std::unique_ptr<QSettings> store = settings::Open(settings::kChartDialogGroup);
    EXPECT_TRUE(store->fileName().startsWith(folder.path())) << store->fileName().toStdString();
    EXPECT_FALSE(store->contains("Legend")); // another group's key

    const struct {
        const char* stored; // nullptr: not stored at all
        int fallback, expected;
    } cases[] = {{nullptr, 1, 1}, {nullptr, 0, 0}, {"0", 1, 0},
                 {"2", 0, 1},     {"yes", 1, 1},   {"", 0, 0}};
    for (const auto& c : cases) {
        store->remove("Legend");
        if (c.stored != nullptr)
            store->setValue("Legend", c.stored);
        EXPECT_EQ(settings::ReadFlag(*store, "Legend", c.fallback), c.expected)
            << (c.stored ? c.stored : "(missing)") << " with default " << c.fallback;
    }
    EXPECT_EQ(settings::Open(settings::kSettingsGroup)->value("Legend").toString(), "a/b.dat");
}
