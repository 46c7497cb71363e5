// Text for the printer, laid out without knowing the printer: lines in a
// typeface each, with pieces placed in centimetres from the paper's left
// edge or at a text column of the line's typeface. The windows' page writer
// turns it into pages, breaking lines that do not fit and starting a new
// page where the paper ends, so that nothing is lost.
#pragma once

#include <string>
#include <vector>

namespace zx {

struct PrintFont {
    std::string family;
    int pointSize = 10;
    bool bold = false;
};

struct PrintPiece {
    // Text column of the line's typeface counted from the paper's left edge
    // (1 = at the edge); 0: at leftCm instead. A column the line has already
    // passed is taken on the next line.
    int column = 0;
    double leftCm = 0;
    std::string text;
};

struct PrintLine {
    PrintFont font;
    std::vector<PrintPiece> pieces;
};

using PrintedText = std::vector<PrintLine>;

} // namespace zx
