#include "cli/exact_progress.h"

#include <unistd.h>

#include <algorithm>
#include <cmath>

namespace strativex {
namespace {

constexpr auto kQuietTime = std::chrono::seconds(1);
constexpr auto kRedrawInterval = std::chrono::milliseconds(200);

}  // namespace

ExactProgressLine::ExactProgressLine(std::ostream& err, std::string label, Clock clock)
    : err_(err), label_(std::move(label)), clock_(std::move(clock)), start_(clock_()) {}

ExactProgressLine::~ExactProgressLine() {
    if (shownWidth_ == 0) return;
    err_ << '\r' << std::string(shownWidth_, ' ') << '\r' << std::flush;
}

void ExactProgressLine::Show(double fraction, std::string_view stage) {
    const auto now = clock_();
    if (now - start_ < kQuietTime) return;
    if (shownWidth_ > 0 && now - lastShown_ < kRedrawInterval) return;
    lastShown_ = now;
    const auto percent = static_cast<int>(std::lround(std::clamp(fraction, 0.0, 1.0) * 100.0));
    const std::string line =
        "3-D check of " + label_ + ": " + std::to_string(percent) + " %, " + std::string(stage);
    // Blanks over the end of a longer line shown before.
    const std::size_t pad = shownWidth_ > line.size() ? shownWidth_ - line.size() : 0;
    err_ << '\r' << line << std::string(pad, ' ') << std::flush;
    shownWidth_ = std::max(shownWidth_, line.size());
}

ExactProgressLine::Clock ExactProgressLine::DefaultClock() {
    return [] { return std::chrono::steady_clock::now(); };
}

bool ErrorStreamIsTerminal() {
    return ::isatty(STDERR_FILENO) == 1;
}

}  // namespace strativex
