// The nine pens and brushes every page draws with: created by hlcDLLInit,
// deleted by hlcDLLExit, shared by all pages and unchanged in between.
#pragma once

#include "platform/Win32.h"

namespace quorvel {

struct PenSet {
    HPEN scalePen = nullptr;        // 1 px light grey: dot-ring outlines, rate scales
    HBRUSH scaleBrush = nullptr;    // grey: dot-ring dots
    HPEN pointerPen = nullptr;      // 1 px green: pointer outlines
    HBRUSH pointerBrush = nullptr;  // dark green: pointer fills
    HPEN rateUpPen = nullptr;       // 3 px dark green: rate arc, rate above zero
    HPEN rateDownPen = nullptr;     // 3 px dark red: rate arc, rate zero or below
    HPEN aircraftPen = nullptr;     // 2 px white: aircraft symbol
    HPEN flightPathPen = nullptr;   // 2 px bright green: flight-path marker
    HPEN predictorPen = nullptr;    // 2 px green: rate predictor
};

// Written only by CreatePenSet and DeletePenSet.
extern PenSet penSet;

// Creates the nine objects in table order; results are not examined, a
// failed creation leaves a null handle.
void CreatePenSet();
// Deletes them in creation order and clears the handles.
void DeletePenSet();

}  // namespace quorvel
