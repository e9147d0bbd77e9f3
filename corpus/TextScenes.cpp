// Text placement with SetTextAlign(TA_UPDATECP) and TextOutA: where the
// text starts and where the current position ends up, not the glyphs'
// shapes, which differ by font. The text is drawn white on the opaque
// white background, so the picture shows only the box the text takes.
// And the return values of SelectObject, DeleteObject and GetStockObject
// in the sequences the module and the bench host use.

#include <cstdio>
#include <string>

#include "corpus/Corpus.h"

namespace quorvel::corpus {

namespace {

std::string Position(HDC dc) {
    POINT at{0, 0};
    MoveToEx(dc, 0, 0, &at);
    MoveToEx(dc, at.x, at.y, nullptr);
    char text[48];
    std::snprintf(text, sizeof text, "(%ld, %ld)", static_cast<long>(at.x), static_cast<long>(at.y));
    return text;
}

void Print(HDC dc, int x, int y, const char* text) { TextOutA(dc, x, y, text, lstrlenA(text)); }

}  // namespace

void TextScenes(Corpus& corpus) {
    // The bench host's cells on 400 and 256 pixel MFDs.
    for (const auto& [width, height] : {std::pair{10, 16}, std::pair{6, 10}}) {
        const std::string scene = "text-cell" + std::to_string(width) + "x" + std::to_string(height);
        const GdiObject font = MakeCellFont(width, height);
        SceneDib image(30 * width, 4 * height);
        const HDC dc = image.Dc();
        SelectObject(dc, font.get());
        SetTextColor(dc, RGB(255, 255, 255));
        corpus.Fact(scene + "-align", "SetTextAlign returned " + std::to_string(SetTextAlign(dc, TA_UPDATECP)));
        MoveToEx(dc, 3, 2, nullptr);
        Print(dc, 100, 100, "Mach");
        corpus.Fact(scene + "-first", Position(dc));
        Print(dc, 100, 100, " 2.53");
        corpus.Fact(scene + "-second", Position(dc));
        Print(dc, 100, 100, "");
        corpus.Fact(scene + "-empty", Position(dc));
        MoveToEx(dc, width / 2 + 1, height + 5, nullptr);
        Print(dc, 0, 0, "N");
        corpus.Fact(scene + "-letter", Position(dc));
        // Without TA_UPDATECP the coordinates place the text and the
        // position stays.
        SetTextAlign(dc, TA_NOUPDATECP);
        Print(dc, 7, 2 * height + 9, "RCS: 45%");
        corpus.Fact(scene + "-fixed", Position(dc));
        corpus.Picture(scene, image);
    }
}

void ObjectScenes(Corpus& corpus) {
    SceneDib image(40, 20);
    const HDC dc = image.Dc();
    GdiObject pen = MakePen(3, kPenColour);
    const GdiObject brush = MakeBrush(kBrushColour);
    const HGDIOBJ stockPen = GetStockObject(BLACK_PEN);
    const HGDIOBJ stockBrush = GetStockObject(WHITE_BRUSH);
    const HGDIOBJ nullBrush = GetStockObject(NULL_BRUSH);
    const HGDIOBJ penHandle = pen.get();
    const auto name = [&](HGDIOBJ object) -> std::string {
        if (object == nullptr) return "null";
        if (object == stockPen) return "BLACK_PEN";
        if (object == stockBrush) return "WHITE_BRUSH";
        if (object == nullBrush) return "NULL_BRUSH";
        if (object == penHandle) return "the pen";
        if (object == brush.get()) return "the brush";
        return "another object";
    };
    const auto flag = [](BOOL value) { return std::string(value ? "nonzero" : "0"); };

    corpus.Fact("objects-stock-twice", GetStockObject(NULL_BRUSH) == nullBrush ? "same handle" : "new handle");
    corpus.Fact("objects-stock-unknown", name(GetStockObject(99)));
    corpus.Fact("objects-select-pen", name(SelectObject(dc, pen.get())));
    corpus.Fact("objects-select-pen-again", name(SelectObject(dc, pen.get())));
    corpus.Fact("objects-select-brush", name(SelectObject(dc, brush.get())));
    corpus.Fact("objects-select-null-brush", name(SelectObject(dc, nullBrush)));
    corpus.Fact("objects-select-brush-back", name(SelectObject(dc, brush.get())));
    corpus.Fact("objects-select-null-handle", name(SelectObject(dc, nullptr)));
    corpus.Fact("objects-delete-null", flag(DeleteObject(nullptr)));
    corpus.Fact("objects-delete-stock", flag(DeleteObject(stockPen)));
    corpus.Fact("objects-stock-after-delete", GetStockObject(BLACK_PEN) == stockPen ? "same handle" : "new handle");

    // Deleted while selected: the pen goes on drawing until deselected.
    corpus.Fact("objects-delete-selected-pen", flag(DeleteObject(pen.release())));
    MoveToEx(dc, 4, 10, nullptr);
    LineTo(dc, 36, 10);
    corpus.Picture("objects-deleted-pen-draws", image);
    corpus.Fact("objects-deselect-deleted-pen", name(SelectObject(dc, stockPen)));
    corpus.Fact("objects-select-deleted-pen", name(SelectObject(dc, penHandle)));
    corpus.Fact("objects-delete-deleted-pen", flag(DeleteObject(penHandle)));

    // A DIB section, as the attitude ball keeps one in a device context of
    // its own, is in one device context at a time.
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), 8, 8, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    GdiObject dib(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    const DcHandle own(CreateCompatibleDC(nullptr));
    const HGDIOBJ defaultBitmap = SelectObject(own.get(), dib.get());
    corpus.Fact("objects-select-dib", defaultBitmap != nullptr && defaultBitmap != dib.get() ? "the default bitmap"
                                                                                            : name(defaultBitmap));
    corpus.Fact("objects-select-dib-elsewhere", name(SelectObject(dc, dib.get())));
    corpus.Fact("objects-deselect-dib", SelectObject(own.get(), defaultBitmap) == dib.get() ? "the DIB" : "not it");
    corpus.Fact("objects-delete-dib", flag(DeleteObject(dib.release())));
}

}  // namespace quorvel::corpus
