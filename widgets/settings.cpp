#include "widgets/settings.h"

#include <optional>

namespace settings {

namespace {

QString gFolder; // empty: the platform's own place for the user's settings

// The value at key when it is a number.
std::optional<int> StoredInt(const QSettings& store, const QString& key) {
    bool ok = false;
    const int value = store.value(key).toInt(&ok);
    return ok ? std::optional<int>(value) : std::nullopt;
}

} // namespace

std::unique_ptr<QSettings> Open(const QString& group) {
    std::unique_ptr<QSettings> store =
        gFolder.isEmpty()
            ? std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope,
                                          kOrganisation, kApplication)
            : std::make_unique<QSettings>(gFolder + "/" + kOrganisation + "/" + kApplication +
                                              ".conf",
                                          QSettings::IniFormat);
    store->beginGroup(group);
    return store;
}

void UseFolder(const QString& folder) {
    gFolder = folder;
}

int ReadInt(const QSettings& store, const QString& key, int fallback) {
    return StoredInt(store, key).value_or(fallback);
}

int ReadFlag(const QSettings& store, const QString& key, int fallback) {
    const std::optional<int> value = StoredInt(store, key);
    return value ? (*value != 0 ? 1 : 0) : fallback;
}

} // namespace settings
