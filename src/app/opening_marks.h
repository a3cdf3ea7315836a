#pragma once

#include <vector>

class QPainter;

// Marks of the opening phase drawn over the board, above the stones, as part of its view (so
// they scale with it): the central square a stone must go in, the offered fifth moves
// (translucent black stones marked "5") and the points picked for an offer not yet made
// (numbered rings).
struct OpeningMarks {
    // Half-width of the central square (-1 or 7 and more: none).
    int area = -1;
    std::vector<int> offered;
    std::vector<int> picked;

    bool empty() const { return !shownArea() && offered.empty() && picked.empty(); }
    bool shownArea() const;
    // The points the marks cover (for the squares to repaint).
    std::vector<int> points() const;
    bool operator==(const OpeningMarks&) const = default;
};

// Draws the marks in the default layout's pixels.
void DrawOpeningMarks(QPainter& canvas, const OpeningMarks& marks);
