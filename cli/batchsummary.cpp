#include "cli/batchsummary.h"

void BatchSummary::Add(Row row, std::size_t line) {
    ++mRows;
    if (row == Row::Classified) {
        ++mClassified;
    } else if (row == Row::Failed) {
        ++mFailed;
        if (mFirstFailures.size() < kListedFailures)
            mFirstFailures.push_back(line);
    }
}

std::string BatchSummary::Text() const {
    std::string text = std::to_string(mRows) + (mRows == 1 ? " row: " : " rows: ") +
                       std::to_string(mClassified) + " classified, " + std::to_string(mFailed) +
                       " failed";
    if (!mFirstFailures.empty()) {
        text += mFailed == 1 ? " (line " : mFailed > mFirstFailures.size() ? " (first at lines "
                                                                           : " (lines ";
        for (std::size_t i = 0; i < mFirstFailures.size(); ++i)
            text += (i > 0 ? ", " : "") + std::to_string(mFirstFailures[i]);
        text += ")";
    }
    if (Blank() > 0)
        text += ", " + std::to_string(Blank()) + " blank";
    return text;
}
