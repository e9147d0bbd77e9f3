#include <gtest/gtest.h>

#include "platform/Win32.h"
#include "platform/linux/PlatformDiagnostics.h"
#include "tests/support/LeakCheck.h"

namespace {

using quorvel::platform::LiveGdiObjects;

using GdiObjectsTest = quorvel::test::LeakCheckedTest;

TEST_F(GdiObjectsTest, NewMemoryDcHoldsTheDefaultObjects) {
    HDC dc = CreateCompatibleDC(nullptr);
    ASSERT_NE(dc, nullptr);
    EXPECT_EQ(GetCurrentObject(dc, OBJ_PEN), GetStockObject(BLACK_PEN));
    EXPECT_EQ(GetCurrentObject(dc, OBJ_BRUSH), GetStockObject(WHITE_BRUSH));
    EXPECT_NE(GetCurrentObject(dc, OBJ_BITMAP), nullptr);
    EXPECT_TRUE(DeleteDC(dc));
    EXPECT_FALSE(DeleteDC(dc));
}

TEST_F(GdiObjectsTest, SelectReturnsThePreviousObjectOfTheSameKind) {
    HDC dc = CreateCompatibleDC(nullptr);
    HPEN pen = CreatePen(PS_SOLID, 2, RGB(1, 2, 3));
    HBRUSH brush = CreateSolidBrush(RGB(4, 5, 6));
    EXPECT_EQ(SelectObject(dc, pen), GetStockObject(BLACK_PEN));
    EXPECT_EQ(SelectObject(dc, brush), GetStockObject(WHITE_BRUSH));
    EXPECT_EQ(SelectObject(dc, GetStockObject(NULL_BRUSH)), brush);
    EXPECT_EQ(SelectObject(dc, GetStockObject(WHITE_PEN)), pen);
    EXPECT_TRUE(DeleteObject(pen));
    EXPECT_TRUE(DeleteObject(brush));
    DeleteDC(dc);
}

TEST_F(GdiObjectsTest, NullOrDeletedHandleFailsAndTheDcKeepsItsObject) {
    HDC dc = CreateCompatibleDC(nullptr);
    HPEN pen = CreatePen(PS_SOLID, 1, 0);
    SelectObject(dc, pen);
    EXPECT_EQ(SelectObject(dc, nullptr), nullptr);
    EXPECT_EQ(GetCurrentObject(dc, OBJ_PEN), pen);

    HPEN gone = CreatePen(PS_SOLID, 1, 0);
    DeleteObject(gone);
    EXPECT_EQ(SelectObject(dc, gone), nullptr);
    EXPECT_EQ(GetCurrentObject(dc, OBJ_PEN), pen);
    EXPECT_EQ(SelectObject(nullptr, pen), nullptr);

    SelectObject(dc, GetStockObject(BLACK_PEN));
    DeleteObject(pen);
    DeleteDC(dc);
}

TEST_F(GdiObjectsTest, DeletingASelectedObjectFreesItOnlyOnceDeselected) {
    HDC first = CreateCompatibleDC(nullptr);
    HDC second = CreateCompatibleDC(nullptr);
    HBRUSH brush = CreateSolidBrush(RGB(9, 9, 9));
    SelectObject(first, brush);
    SelectObject(second, brush);
    const int pens = LiveGdiObjects().brushes;

    EXPECT_TRUE(DeleteObject(brush));
    EXPECT_EQ(LiveGdiObjects().brushes, pens) << "freed while still selected";
    EXPECT_EQ(SelectObject(first, GetStockObject(BLACK_BRUSH)), brush);
    EXPECT_EQ(LiveGdiObjects().brushes, pens);
    DeleteDC(second);  // the last holder lets go
    EXPECT_EQ(LiveGdiObjects().brushes, pens - 1);
    // The handle is dead for good, even though ids run on.
    EXPECT_FALSE(DeleteObject(brush));
    EXPECT_EQ(SelectObject(first, brush), nullptr);
    DeleteDC(first);
}

TEST_F(GdiObjectsTest, DeleteObjectOfNullStockAndInvalidHandles) {
    EXPECT_FALSE(DeleteObject(nullptr));
    EXPECT_TRUE(DeleteObject(GetStockObject(NULL_BRUSH)));
    EXPECT_NE(GetStockObject(NULL_BRUSH), nullptr);
    EXPECT_EQ(GetStockObject(-1), nullptr);
    EXPECT_EQ(GetStockObject(1000), nullptr);
    EXPECT_FALSE(DeleteObject(reinterpret_cast<HGDIOBJ>(0x12345678)));
}

TEST_F(GdiObjectsTest, CountsEveryKindOfLiveObject) {
    const auto start = LiveGdiObjects();
    HPEN pen = CreatePen(PS_SOLID, 3, 0);
    HBRUSH brush = CreateSolidBrush(0);
    HDC dc = CreateCompatibleDC(nullptr);
    const auto during = LiveGdiObjects();
    EXPECT_EQ(during.pens, start.pens + 1);
    EXPECT_EQ(during.brushes, start.brushes + 1);
    EXPECT_EQ(during.deviceContexts, start.deviceContexts + 1);
    EXPECT_EQ(CreatePen(99, 1, 0), nullptr) << "an unknown pen style is refused";
    DeleteObject(pen);
    DeleteObject(brush);
    DeleteDC(dc);
}

}  // namespace
