// Writes the benchmarks' drawing with N paths as a document, for timing the
// command-line render and other programs on the same drawing.
#include <cstdlib>
#include <iostream>

#include "bench/BenchDocument.h"
#include "core/DocumentFile.h"
#include "core/FileBytes.h"

int main(int argc, char** argv) {
    const int paths = argc == 3 ? std::atoi(argv[1]) : 0;
    if (paths <= 0) {
        std::cerr << "usage: make_bench_drawing PATHS OUT.lvd\n";
        return 1;
    }
    DrawCore doc;
    FillBenchDocument(doc, paths);
    if (!WriteFileReplacing(argv[2], FormatDocument(doc.Setup, doc.Paths))) {
        std::cerr << "cannot write " << argv[2] << "\n";
        return 2;
    }
    return 0;
}
