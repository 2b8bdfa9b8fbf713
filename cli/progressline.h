#pragma once

#include <chrono>
#include <cstddef>
#include <string>

// 1234567 as "1,234,567".
std::string Grouped(std::size_t n);

// "1,234,567 rows" on standard error, redrawn in place, for runs that take more than a second.
// Shows nothing unless enabled (the caller decides: standard error is a terminal, not --quiet).
class ProgressLine {
public:
    explicit ProgressLine(bool enabled, const char* unit = "rows");
    ~ProgressLine();
    ProgressLine(const ProgressLine&) = delete;
    ProgressLine& operator=(const ProgressLine&) = delete;

    // Cheap enough for every row: the clock is read only every few thousand rows.
    void Update(std::size_t rows) {
        if (mEnabled && (rows & 4095) == 0)
            Show(rows);
    }
    // For work of known size, called every so often: "12,345 of 64,000,000 cells (0%)".
    void Update(std::size_t count, std::size_t total) {
        if (mEnabled)
            Show(count, total);
    }
    // Removes the line, if it was shown.
    void Clear();

private:
    void Show(std::size_t count, std::size_t total = 0);

    bool mEnabled;
    const char* mUnit;
    bool mShown = false;
    std::chrono::steady_clock::time_point mStart;
    std::chrono::steady_clock::time_point mLastShown;
};
