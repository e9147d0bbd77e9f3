// The platform's hook for observing GDI calls, through the tests' call
// journal: what an entry holds, and when recording starts and stops.

#include "tests/support/GdiJournal.h"

#include <gtest/gtest.h>

#include <climits>
#include <memory>

#include "platform/linux/PlatformDiagnostics.h"
#include "sim/host/MfdSurface.h"
#include "tests/support/LeakCheck.h"

namespace {

using quorvel::platform::GdiCall;
using quorvel::test::GdiJournal;
using quorvel::sim::MfdSurface;
using Args = std::vector<long long>;

class GdiJournalTest : public quorvel::test::LeakCheckedTest {};

TEST_F(GdiJournalTest, EntriesCarryTheArgumentsAndThePenAndBrushInForce) {
    MfdSurface target(80, 80, std::nullopt);
    HPEN pen = CreatePen(PS_SOLID, 3, RGB(0, 128, 0));
    HBRUSH brush = CreateSolidBrush(RGB(1, 2, 3));
    GdiJournal journal(target.Dc());
    SelectObject(target.Dc(), pen);
    SelectObject(target.Dc(), brush);
    Arc(target.Dc(), 4, 4, 74, 74, 14, 14, 4, 39);
    SelectObject(target.Dc(), GetStockObject(NULL_PEN));
    const POINT triangle[] = {{1, 2}, {3, 4}, {5, 6}};
    Polygon(target.Dc(), triangle, 3);

    const auto& entries = journal.Entries();
    ASSERT_EQ(entries.size(), 5u);
    EXPECT_EQ(entries[0].call, GdiCall::SelectObject);
    EXPECT_EQ(entries[0].object, pen);
    EXPECT_EQ(entries[0].pen, GetStockObject(BLACK_PEN)) << "recorded before the selection";
    EXPECT_EQ(entries[2].call, GdiCall::Arc);
    EXPECT_EQ(entries[2].args, (Args{4, 4, 74, 74, 14, 14, 4, 39}));
    EXPECT_EQ(entries[2].pen, pen);
    EXPECT_EQ(entries[2].brush, brush);
    EXPECT_EQ(entries[4].args, (Args{1, 2, 3, 4, 5, 6}));
    EXPECT_EQ(entries[4].pen, GetStockObject(NULL_PEN));
    EXPECT_EQ(journal.Calls(GdiCall::SelectObject).size(), 3u);

    quorvel::platform::PenInfo penInfo{};
    ASSERT_TRUE(DescribePen(entries[2].pen, penInfo));
    EXPECT_EQ(penInfo.width, 3);
    EXPECT_EQ(penInfo.colour, RGB(0, 128, 0));
    quorvel::platform::BrushInfo brushInfo{};
    ASSERT_TRUE(DescribeBrush(GetStockObject(NULL_BRUSH), brushInfo));
    EXPECT_TRUE(brushInfo.hollow);
    EXPECT_FALSE(DescribePen(brush, penInfo)) << "a brush is no pen";
    EXPECT_FALSE(DescribeBrush(nullptr, brushInfo));

    SelectObject(target.Dc(), GetStockObject(BLACK_PEN));
    SelectObject(target.Dc(), GetStockObject(WHITE_BRUSH));
    DeleteObject(pen);
    DeleteObject(brush);
    EXPECT_FALSE(DescribePen(pen, penInfo)) << "deleted";
}

TEST_F(GdiJournalTest, TextAndPositionCallsRecordTheStateTheyFound) {
    MfdSurface target(80, 20, std::nullopt);
    GdiJournal journal(target.Dc());
    SetTextAlign(target.Dc(), TA_UPDATECP);
    SetBkMode(target.Dc(), TRANSPARENT);
    SetTextColor(target.Dc(), RGB(0, 255, 0));
    MoveToEx(target.Dc(), 4, 0, nullptr);
    TextOutA(target.Dc(), 7, 8, "HELLO WORLD", 5);
    TextOutA(target.Dc(), 0, 0, "x", -3);
    LineTo(target.Dc(), 0, 19);
    BitBlt(target.Dc(), 1, 2, 3, 4, target.Dc(), 5, 6, SRCCOPY);

    const auto text = journal.Calls(GdiCall::TextOutA);
    ASSERT_EQ(text.size(), 2u);
    EXPECT_EQ(text[0].text, "HELLO");
    EXPECT_EQ(text[0].args, (Args{7, 8, 5}));
    EXPECT_EQ(text[0].position.x, 4);
    EXPECT_EQ(text[0].textColour, RGB(0, 255, 0));
    EXPECT_EQ(text[0].bkMode, TRANSPARENT);
    EXPECT_EQ(text[0].textAlign, static_cast<UINT>(TA_UPDATECP));
    EXPECT_EQ(text[1].text, "") << "a refused call is still recorded";
    EXPECT_EQ(text[1].position.x, 4 + 5 * 8);
    const auto line = journal.Calls(GdiCall::LineTo);
    ASSERT_EQ(line.size(), 1u);
    EXPECT_EQ(line[0].position.x, 44);
    EXPECT_EQ(journal.Calls(GdiCall::SetTextColor)[0].args, (Args{RGB(0, 255, 0)}));
    EXPECT_EQ(journal.Calls(GdiCall::SetTextColor)[0].textColour, RGB(0, 0, 0));
    EXPECT_EQ(journal.Calls(GdiCall::BitBlt)[0].args, (Args{1, 2, 3, 4, 5, 6}));
}

TEST_F(GdiJournalTest, OnlyAnAttachedJournalRecordsAndFailedSelectionsAreKept) {
    MfdSurface target(10, 10, std::nullopt);
    MoveToEx(target.Dc(), 1, 1, nullptr);
    auto journal = std::make_unique<GdiJournal>(target.Dc());
    HPEN gone = CreatePen(PS_SOLID, 1, 0);
    DeleteObject(gone);
    EXPECT_EQ(SelectObject(target.Dc(), gone), nullptr);
    EXPECT_EQ(SelectObject(target.Dc(), nullptr), nullptr);
    ASSERT_EQ(journal->Entries().size(), 2u) << "nothing from before attaching";
    EXPECT_EQ(journal->Entries()[0].object, gone);
    EXPECT_EQ(journal->Entries()[1].object, nullptr);

    // A second journal takes over; the first leaving does not stop it.
    GdiJournal second(target.Dc());
    LineTo(target.Dc(), 5, 5);
    EXPECT_EQ(journal->Entries().size(), 2u);
    journal.reset();
    LineTo(target.Dc(), 6, 6);
    EXPECT_EQ(second.Entries().size(), 2u);
    second.Clear();
    EXPECT_TRUE(second.Entries().empty());
}

TEST_F(GdiJournalTest, AJournalOutlivingItsDeviceContextDetachesSafely) {
    HDC dc = CreateCompatibleDC(nullptr);
    auto journal = std::make_unique<GdiJournal>(dc);
    Ellipse(dc, INT_MIN, 0, INT_MAX, 1);
    DeleteDC(dc);
    EXPECT_EQ(journal->Entries().size(), 1u);
    journal.reset();
    GdiJournal onNothing(nullptr);
    EXPECT_FALSE(MoveToEx(nullptr, 1, 1, nullptr));
    EXPECT_TRUE(onNothing.Entries().empty());
}

}  // namespace
