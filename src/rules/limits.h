// Every limit the paper editor applies, for one model, in both units. The spin
// buttons, the range labels and the save-time checks all take their numbers from
// here.
//
// A bound holds thousandths of a millimetre and thousandths of an inch side by side.
// The inch number is the millimetre number shown in inches (two decimals) except
// where the editor's rules give one of its own (the edge kept free of print is two
// steps of the field in either unit: 0.2 mm or 0.02 in). The spin buttons step in
// millimetres whatever the unit, so they use the millimetre column only.
#pragma once

#include <cstdint>

#include "papertable/model_table.h"

namespace rules {

struct Bound {
    int64_t mm = 0;    // thousandths of a millimetre
    int64_t inch = 0;  // thousandths of an inch
    constexpr int64_t In(bool inchUnits) const { return inchUnits ? inch : mm; }
    constexpr double Millimetres() const { return static_cast<double>(mm) / 1000; }
    constexpr Bound operator-() const { return {-mm, -inch}; }
};

struct Range {
    Bound lower;
    Bound upper;
};

struct EditorLimits {
    Range width;         // 11.9 mm to the model's widest paper
    Range length;        // die-cut labels; also the length spin's steps
    Range markedLength;  // labels found by a mark
    Range gap;
    Range markLength;  // the save check holds it to the length instead of the upper bound
    Range markOffset;  // the spin's steps; the save check holds it to -length .. length
    Range rightMargin;
    Range leftMargin;
    Range topMargin;  // also the bottom margin
    Bound maxPrintWidth;
    // What a margin sum must leave of the width (and of the length for kinds 75, 76).
    Bound printEdge;
    Bound markedTopBottomMin;    // smallest top and bottom margin of kinds 74 and 76
    Bound rollTopPlusBottomMax;  // top + bottom of kind 74, which has no length
};

// The limits of a model. `model` gives the widths in hundredths of either unit.
constexpr EditorLimits LimitsOf(const papertable::ModelLimits& model) {
    auto fromModel = [](const papertable::LimitPair& pair) {
        return Bound{int64_t{pair.mm} * 10, int64_t{pair.inch} * 10};
    };
    constexpr Bound kZero{0, 0};
    constexpr Bound kLongest{1'000'000, 39'370};  // 1000 mm
    return EditorLimits{
        .width = {{11'900, 470}, fromModel(model.maxPaperWidth)},
        .length = {{6'000, 240}, kLongest},
        .markedLength = {{25'400, 1'000}, kLongest},
        .gap = {{3'000, 120}, kLongest},
        .markLength = {{2'000, 80}, kLongest},
        .markOffset = {-kLongest, kLongest},
        .rightMargin = {kZero, fromModel(model.maxRightMargin)},
        .leftMargin = {kZero, fromModel(model.maxLeftMargin)},
        .topMargin = {kZero, kLongest},
        .maxPrintWidth = fromModel(model.maxPrintWidth),
        .printEdge = {200, 20},
        .markedTopBottomMin = {3'000, 120},
        .rollTopPlusBottomMax = {127'000, 5'000},
    };
}

}  // namespace rules
