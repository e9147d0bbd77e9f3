// gdi-corpus: draws the GDI scene corpus into a folder.
//
//   gdi-corpus DIR
//
// Built from the same source for Linux, against the platform library, and
// for Windows, against the system's DLLs, so that the two sets of pictures
// and facts can be compared scene by scene (compare-gdi-corpus). Exit
// status 0 when everything was written, 1 when something could not be, 2
// on a bad command line.

#include <cstdio>

#include "corpus/Corpus.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: gdi-corpus DIR\n");
        return 2;
    }
    quorvel::corpus::Corpus corpus(argv[1]);
    using Kind = void (*)(quorvel::corpus::Corpus&);
    for (const Kind kind : {quorvel::corpus::LineScenes, quorvel::corpus::ExactLineScenes, quorvel::corpus::JoinScenes, quorvel::corpus::EllipseScenes,
                            quorvel::corpus::ArcScenes, quorvel::corpus::PolygonScenes,
                            quorvel::corpus::BitBltScenes, quorvel::corpus::TextScenes,
                            quorvel::corpus::ObjectScenes}) {
        kind(corpus);
    }
    std::printf("gdi-corpus: %d pictures and %d facts in %s\n", corpus.Pictures(), corpus.Facts(), argv[1]);
    if (corpus.Failures() > 0) {
        std::fprintf(stderr, "gdi-corpus: %d could not be written\n", corpus.Failures());
        return 1;
    }
    return 0;
}
