// Where the scenes of the GDI corpus go: each scene's image as
// <dir>/<scene>.png, and each scene's facts (return values, current
// positions) as a line "<scene>: <fact>" of <dir>/facts.txt. A scene's name
// starts with its kind and a dash: "line-w3-d07", "objects-select-pen".
#pragma once

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>

#include "corpus/SceneDib.h"

namespace quorvel::corpus {

class Corpus {
public:
    explicit Corpus(std::filesystem::path dir);

    void Picture(const std::string& scene, const SceneDib& image);
    void Fact(const std::string& scene, const std::string& fact);

    int Pictures() const { return pictures; }
    int Facts() const { return facts; }
    // Pictures or facts that could not be written.
    int Failures() const { return failures; }

private:
    std::filesystem::path dir;
    std::ofstream factFile;
    int pictures = 0;
    int facts = 0;
    int failures = 0;
};

// Scenes lay many cases side by side: case i's cell, `columns` cells a row.
struct CellGrid {
    int columns;
    int cellWidth;
    int cellHeight;

    int Width() const { return columns * cellWidth; }
    int Height(int cases) const { return (cases + columns - 1) / columns * cellHeight; }
    int Left(int i) const { return i % columns * cellWidth; }
    int Top(int i) const { return i / columns * cellHeight; }
};

// The nearest integer, halves up. The nudge makes both systems' maths
// libraries, which may differ in the last bit, round a half alike.
int Nearest(double value);

// Two digits at least, so that scene names sort by number.
std::string Padded(int value);

// The colours scenes draw with, as COLORREFs.
inline constexpr COLORREF kPenColour = RGB(255, 160, 0);
inline constexpr COLORREF kBrushColour = RGB(0, 96, 255);

// Each kind of scene.
void LineScenes(Corpus& corpus);
void ExactLineScenes(Corpus& corpus);
void JoinScenes(Corpus& corpus);
void EllipseScenes(Corpus& corpus);
void ArcScenes(Corpus& corpus);
void PolygonScenes(Corpus& corpus);
void BitBltScenes(Corpus& corpus);
void TextScenes(Corpus& corpus);
void ObjectScenes(Corpus& corpus);

}  // namespace quorvel::corpus
