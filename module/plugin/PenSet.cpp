#include "module/plugin/PenSet.h"

#include "module/drawing/Palette.h"

namespace quorvel {

PenSet penSet;

void CreatePenSet() {
    penSet.scalePen = CreatePen(PS_SOLID, 1, kLightGrey);
    penSet.scaleBrush = CreateSolidBrush(kGrey);
    penSet.pointerPen = CreatePen(PS_SOLID, 1, kGreen);
    penSet.pointerBrush = CreateSolidBrush(kDarkGreen);
    penSet.rateUpPen = CreatePen(PS_SOLID, 3, kDarkGreen);
    penSet.rateDownPen = CreatePen(PS_SOLID, 3, kDarkRed);
    penSet.aircraftPen = CreatePen(PS_SOLID, 2, kWhite);
    penSet.flightPathPen = CreatePen(PS_SOLID, 2, kBrightGreen);
    penSet.predictorPen = CreatePen(PS_SOLID, 2, kGreen);
}

void DeletePenSet() {
    // Creation order, not reversed.
    DeleteObject(penSet.scalePen);
    DeleteObject(penSet.scaleBrush);
    DeleteObject(penSet.pointerPen);
    DeleteObject(penSet.pointerBrush);
    DeleteObject(penSet.rateUpPen);
    DeleteObject(penSet.rateDownPen);
    DeleteObject(penSet.aircraftPen);
    DeleteObject(penSet.flightPathPen);
    DeleteObject(penSet.predictorPen);
    penSet = PenSet{};
}

}  // namespace quorvel
