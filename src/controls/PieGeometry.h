#pragma once
// Geometry of the pie chart: where the pie sits in the control, the points on its rim,
// and what each slice draws (segment, radii, legend row, percentage).
#include <string>
#include <vector>

struct PiePoint {
    int x = 0;
    int y = 0;
    bool operator==(const PiePoint& other) const { return x == other.x && y == other.y; }
    bool operator!=(const PiePoint& other) const { return !(*this == other); }
};

struct PieRect {
    int left = 0, top = 0, right = 0, bottom = 0;
    bool Empty() const { return right <= left || bottom <= top; }
};

// Brings an angle in degrees into 0..359.
int WrapDegrees(int degrees);

// The largest square in the client area, centred horizontally, standing on its bottom.
PieRect PieSquare(const PieRect& client);

// The point at `degrees` (0 straight up, growing clockwise) on the circle of `share` times
// the pie's radius; 1.0 is the rim, kPercentRadius where the percentages go.
constexpr double kPercentRadius = 0.6;
PiePoint RimPoint(const PieRect& pie, int degrees, double share = 1.0);

// "7%" for a slice of 26 degrees; empty for slices of 25 degrees or less, which are too
// thin to hold the text.
std::string PercentText(int degrees);

struct PieSliceInput {
    int degrees = 0;
    bool labelled = false;
};

struct PieSlicePlan {
    PiePoint from, to;    // rim points where the slice starts and ends (clockwise)
    bool segment = false; // false when both points coincide: only the radii are drawn
    int legendRow = -1;   // -1: no legend entry
    std::string percent;  // empty: no percentage
    PiePoint percentAt;   // centre of the percentage text
};

// The slices in order, the first starting at `rotation` degrees.
std::vector<PieSlicePlan> PlanPie(const PieRect& pie, int rotation,
                                  const std::vector<PieSliceInput>& slices);
