#pragma once

#include <cstddef>
#include <string>
#include <vector>

// The counts of a classify run, for the line it ends with.
class BatchSummary {
public:
    static constexpr std::size_t kListedFailures = 10;

    enum class Row { Classified, Failed, Blank };

    // A row that began on the given input line.
    void Add(Row row, std::size_t line);

    std::size_t Rows() const { return mRows; }
    std::size_t Classified() const { return mClassified; }
    std::size_t Failed() const { return mFailed; }
    std::size_t Blank() const { return mRows - mClassified - mFailed; }
    // The lines of the first kListedFailures failed rows.
    const std::vector<std::size_t>& FirstFailures() const { return mFirstFailures; }

    // "15 rows: 13 classified, 1 failed (line 9), 1 blank"; the blank count only when there are
    // blank rows, at most kListedFailures line numbers.
    std::string Text() const;

private:
    std::size_t mRows = 0;
    std::size_t mClassified = 0;
    std::size_t mFailed = 0;
    std::vector<std::size_t> mFirstFailures;
};
