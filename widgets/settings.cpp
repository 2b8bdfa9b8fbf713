#include "widgets/settings.h"

namespace settings {

namespace {
QString gFolder; // empty: the platform's own place for the user's settings
}

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

int ReadFlag(const QSettings& store, const QString& key, int fallback) {
    bool ok = false;
    const int value = store.value(key).toInt(&ok);
    return ok ? (value != 0 ? 1 : 0) : fallback;
}

} // namespace settings
