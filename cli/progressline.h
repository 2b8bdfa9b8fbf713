#pragma once

#include <chrono>
#include <cstddef>

// "1,234,567 rows" on standard error, redrawn in place, for runs that take more than a second.
// Shows nothing unless enabled (the caller decides: standard error is a terminal, not --quiet).
class ProgressLine {
public:
    explicit ProgressLine(bool enabled);
    ~ProgressLine();
    ProgressLine(const ProgressLine&) = delete;
    ProgressLine& operator=(const ProgressLine&) = delete;

    // Cheap enough for every row: the clock is read only every few thousand rows.
    void Update(std::size_t rows) {
        if (mEnabled && (rows & 4095) == 0)
            Show(rows);
    }
    // Removes the line, if it was shown.
    void Clear();

private:
    void Show(std::size_t rows);

    bool mEnabled;
    bool mShown = false;
    std::chrono::steady_clock::time_point mStart;
    std::chrono::steady_clock::time_point mLastShown;
};
