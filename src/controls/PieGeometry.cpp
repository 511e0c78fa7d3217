#include "controls/PieGeometry.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {
constexpr double kPi = 3.14159265358979323846;
// Slices up to this size get no percentage.
constexpr int kMinPercentDegrees = 25;
} // namespace

int WrapDegrees(int degrees) {
    const int wrapped = degrees % 360;
    return wrapped < 0 ? wrapped + 360 : wrapped;
}

PieRect PieSquare(const PieRect& client) {
    const int side = std::min(client.right - client.left, client.bottom - client.top);
    if (side <= 0)
        return {};
    PieRect pie;
    pie.left = client.left + (client.right - client.left - side) / 2;
    pie.right = pie.left + side;
    pie.bottom = client.bottom;
    pie.top = pie.bottom - side;
    return pie;
}

PiePoint RimPoint(const PieRect& pie, int degrees, double share) {
    const double radians = WrapDegrees(degrees) * kPi / 180.0;
    const double radius = (pie.bottom - pie.top) / 2.0 * share;
    const int cx = (pie.left + pie.right) / 2, cy = (pie.top + pie.bottom) / 2;
    return {static_cast<int>(cx + std::sin(radians) * radius),
            static_cast<int>(cy - std::cos(radians) * radius)};
}

std::string PercentText(int degrees) {
    if (degrees <= kMinPercentDegrees)
        return {};
    char text[32];
    std::snprintf(text, sizeof text, "%.0f%%", degrees * 0.2777777777777778);
    return text;
}

std::vector<PieSlicePlan> PlanPie(const PieRect& pie, int rotation,
                                  const std::vector<PieSliceInput>& slices) {
    std::vector<PieSlicePlan> plan;
    int angle = rotation, row = 0;
    PiePoint from = RimPoint(pie, angle);
    for (const PieSliceInput& slice : slices) {
        angle += slice.degrees;
        PieSlicePlan step;
        step.from = from;
        step.to = RimPoint(pie, angle);
        step.segment = step.to != step.from;
        if (slice.labelled)
            step.legendRow = row++;
        step.percent = PercentText(slice.degrees);
        if (!step.percent.empty())
            step.percentAt = RimPoint(pie, angle - slice.degrees / 2, kPercentRadius);
        plan.push_back(step);
        from = step.to;
    }
    return plan;
}
