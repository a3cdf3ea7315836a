#pragma once

#include "base/geometry.h"
#include "model/abm_tree.h"

#include <cstdint>
#include <vector>

// MOve: the capital O is inherited (see docs/glossary.md).
// One move of a game record (the root stands for the empty board: pos (0, 0, 'B')).
class MOve : public TabmNode<MOve> {
  public:
    // The root: pos (0, 0, 'B'), code 20, no parent, no value, empty comment.
    MOve() = default;
    // A move under parent; not linked into the parent's children (AddChild does that).
    MOve(const Pos& p, MOve* parent) : TabmNode<MOve>(parent), pos(p) {}

    char ColourChar() const override { return static_cast<char>(pos.colour); }
    char XLetter() const override { return static_cast<char>('a' + pos.x); }
    char YLetter() const override { return static_cast<char>('a' + pos.y); }

    Pos pos;
    // The MoveCode the move made when it was first played; 20 until set.
    uint8_t code = 20;

    // One judgement-map entry this move changes: the point (cell index), the colour of the
    // map, its code before the move (undo) and after it (redo).
    struct MapChange {
        uint8_t cell;
        uint8_t colour;
        uint8_t before;
        uint8_t after;
    };
    // The judgement-map changes this move causes, recorded by the Board the first time the
    // move is put on a board and replayed or taken back afterwards. At most 80 entries (four
    // lines, two senses, five points, two colours), held in one exact allocation: a read
    // record may hold hundreds of thousands of nodes.
    struct MapChanges {
        std::vector<MapChange> entries;
        bool recorded = false;
    };
    MapChanges mapChanges;
};
