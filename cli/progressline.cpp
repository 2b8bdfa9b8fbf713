#include "cli/progressline.h"

#include <string>
#include <unistd.h>

std::string Grouped(std::size_t n) {
    std::string digits = std::to_string(n);
    for (std::size_t i = digits.size(); i > 3; i -= 3)
        digits.insert(i - 3, ",");
    return digits;
}

namespace {

void WriteError(const std::string& text) {
    // A progress line that cannot be shown is no reason to stop.
    [[maybe_unused]] const ssize_t n = ::write(2, text.data(), text.size());
}

} // namespace

ProgressLine::ProgressLine(bool enabled, const char* unit)
    : mEnabled(enabled), mUnit(unit), mStart(std::chrono::steady_clock::now()), mLastShown(mStart) {
}

ProgressLine::~ProgressLine() {
    Clear();
}

void ProgressLine::Show(std::size_t count, std::size_t total) {
    using namespace std::chrono_literals;
    const auto now = std::chrono::steady_clock::now();
    if (now - mStart < 1s || (mShown && now - mLastShown < 200ms))
        return;
    mLastShown = now;
    mShown = true;
    std::string text = "\r" + Grouped(count);
    if (total > 0)
        text += " of " + Grouped(total);
    text += std::string(" ") + mUnit;
    if (total > 0)
        text += " (" + std::to_string(count * 100 / total) + "%)";
    WriteError(text);
}

void ProgressLine::Clear() {
    if (mShown)
        WriteError("\r\033[K");
    mShown = false;
}
