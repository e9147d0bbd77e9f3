#include "plugin/PenSet.h"

namespace quorvel {

PenSet penSet;

void CreatePenSet() {
    penSet.scalePen = CreatePen(PS_SOLID, 1, 0xC0C0C0);
    penSet.scaleBrush = CreateSolidBrush(0x808080);
    penSet.pointerPen = CreatePen(PS_SOLID, 1, 0x00C000);
    penSet.pointerBrush = CreateSolidBrush(0x008000);
    penSet.rateUpPen = CreatePen(PS_SOLID, 3, 0x008000);
    penSet.rateDownPen = CreatePen(PS_SOLID, 3, 0x000080);
    penSet.aircraftPen = CreatePen(PS_SOLID, 2, 0xFFFFFF);
    penSet.flightPathPen = CreatePen(PS_SOLID, 2, 0x00FF00);
    penSet.predictorPen = CreatePen(PS_SOLID, 2, 0x00C000);
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
