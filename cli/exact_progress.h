#pragma once

#include <chrono>
#include <functional>
#include <ostream>
#include <string>
#include <string_view>

namespace strativex {

// The 3-D check's progress on a terminal: silent for the first second, so that a quick check
// prints nothing, then one line rewritten in place at most five times a second, and wiped when
// the check ends so that the results below start on a clean line.
class ExactProgressLine {
public:
    using Clock = std::function<std::chrono::steady_clock::time_point()>;

    ExactProgressLine(std::ostream& err, std::string label, Clock clock = DefaultClock());
    ~ExactProgressLine();
    ExactProgressLine(const ExactProgressLine&) = delete;
    ExactProgressLine& operator=(const ExactProgressLine&) = delete;

    void Show(double fraction, std::string_view stage);

    static Clock DefaultClock();

private:
    std::ostream& err_;
    std::string label_;
    Clock clock_;
    std::chrono::steady_clock::time_point start_;
    std::chrono::steady_clock::time_point lastShown_;
    std::size_t shownWidth_ = 0;
};

// Whether the calculator's standard error is a terminal, where a progress line belongs.
bool ErrorStreamIsTerminal();

}  // namespace strativex
