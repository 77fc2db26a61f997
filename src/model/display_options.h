#pragma once

// What the views and the direction file show: one flag per display check box of the main
// window, named after it.

namespace tesmor::model {

struct DisplayOptions
{
    bool chcData = true; // the records' principal directions
    bool chcK1 = true;
    bool chcK2 = true;
    bool chcK3 = true;
    bool chcMean = false; // mean directions (five records or more)
    bool chcEllipses = false; // confidence ellipses (five records or more)
    bool chcF1C = false; // foliations as great circles
    bool chcF1S = false; // foliation strike marks
    bool chcF1P = false; // foliation poles
    bool chcL1 = false; // lineations
    bool chcContours = false; // Kamb density contours of the axes shown
};

} // namespace tesmor::model
