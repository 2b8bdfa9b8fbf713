// Any bytes as clipboard text pasted into the sample sheet: reading must never crash, every
// row has a field, and what is read, written back as the sheet copies it, reads back the same
// (a copy of a pasted block pastes as the block).
#include "pages/tabtext.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
    const std::vector<QStringList> rows = tabtext::Read(text);
    if (rows.empty())
        std::abort();
    for (const QStringList& row : rows) {
        if (row.isEmpty())
            std::abort();
    }
    if (tabtext::Read(tabtext::Write(rows)) != rows)
        std::abort();
    return 0;
}
