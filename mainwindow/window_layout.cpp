#include "mainwindow/window_layout.h"

#include <algorithm>
#include <array>

namespace strativex {
namespace {

struct TitleStep {
    int FromWidth;
    int LabelWidth;
    int PointSize;
};
constexpr std::array<TitleStep, 4> kTitleSteps{{
    {12200, 4500, 18},
    {11400, 3500, 16},
    {10300, 2500, 12},
    {0, 2000, 10},
}};

}  // namespace

WindowLayout ComputeWindowLayout(const WindowLayoutInput& in) {
    WindowLayout out;
    out.TableWidth = in.OuterWidth - in.TableLeft - kRightMargin;
    out.TableHeight = in.OuterHeight - in.TableTop - kBottomMargin;
    out.ScaleHeight = in.OuterHeight - in.ScaleTop - kBottomMargin;
    out.LogoLeft = in.OuterWidth - in.LogoWidth - kRightMargin;
    const auto step =
        std::find_if(kTitleSteps.begin(), kTitleSteps.end(),
                     [&in](const TitleStep& s) { return in.OuterWidth >= s.FromWidth; });
    out.TitleWidth = step->LabelWidth;
    out.TitlePointSize = step->PointSize;
    return out;
}

}  // namespace strativex
