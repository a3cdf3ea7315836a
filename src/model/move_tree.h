#pragma once

#include "model/abm_tree.h"
#include "model/board.h"
#include "model/game_info.h"
#include "model/move_node.h"
#include "rules/ban_history.h"

#include <cstdint>
#include <string_view>

// MOveTree: the capital O is inherited (see docs/glossary.md).
// The game object: the record tree of MOve nodes with its Board, which every step keeps equal
// to the path from the root to the current node, a kept copy of the board's history and the
// format WriteFile writes. Used on one thread only. Not copyable: see record_copy.h.
class MOveTree : public virtual TabmTree<MOve> {
  public:
    // Root only, empty board, recordFormat 0.
    MOveTree();
    ~MOveTree() override;

    // "GM[4]", "SZ[15]", "RU[Renju 1998]", "US[SORELL 3.0]", then the game information's
    // properties (none when it is empty).
    void SetHeader() override;
    // The last root property read: GM must be 1 or 4, RU must contain "Renju 1998"; any other
    // property is accepted, and a game-information property is kept in gameInfo().
    bool CheckHeader() override;
    // keptHistory = a copy of the board's history.
    void SaveState() override;
    // Walks from the root along keptHistory, back to the node current at SaveState.
    void RestoreState() override;
    // PlayMove(x, y, colour).
    MOve* PutMove(int x, int y, char colour) override;
    // New game: root only, empty board, no game information, no kept root properties.
    void Clear() override;
    // Deletes the variations after current; the board is unchanged.
    void DeleteChildren() override;
    // Root current, empty board (selections kept).
    void GoTop() override;
    // Steps into the selected child and puts it on the board; false when there is none.
    bool Forward() override;
    // Steps back and takes the move off the board; false at the root.
    bool Back() override;
    int SetValue(int v) override;
    int BackupMax() override;
    int BackupMin() override;
    // Reads any of the three record formats, chosen by content (record_files.h). False, record
    // unchanged, when the file cannot be read, is none of them, or is a record text that
    // ReadRecord rejects. Afterwards tree, current node and board agree.
    bool ReadFile(const char* name) override;
    // Writes recordFormat (0 record text, 1 ".ban" numbers, 2 binary) through a temporary
    // file that replaces name only when everything was written. False when WriteBytes refuses
    // or anything failed; the old file is then untouched. Record, current node and board are
    // as before.
    bool WriteFile(const char* name) override;

    // Follows the child that is the same move if there is one, otherwise adds a new node
    // (judged by the board) as the last and selected child. Null, changing nothing, when the
    // point is occupied or off the board.
    MOve* PlayMove(const Pos& p);
    // PutMove with the colour to move ('B' after an even number of moves).
    MOve* PutMoveAlternating(int x, int y);

    // Reads a record from bytes as ReadFile reads a file's contents (format chosen by content).
    // False, record unchanged, when they are none of the formats or a rejected record text.
    bool ReadBytes(std::string_view bytes);
    // The bytes WriteFile writes for recordFormat. False, out empty, for an unknown format
    // and for bytes that would not read back as that format: a ".ban" of a game without
    // moves, a binary form of 225 moves or one that reads as text or ".ban" numbers. Record,
    // current node and board are as before.
    bool WriteBytes(std::string& out);

    const Board& board() const { return board_; }
    const BanHistory& keptHistory() const { return keptHistory_; }
    // 0 bracketed record text, 1 ".ban" numbers, 2 binary.
    uint8_t recordFormat() const { return recordFormat_; }
    void setRecordFormat(uint8_t f) { recordFormat_ = f; }
    // The players, date, result, event and opening; written only in the record text.
    const GameInfo& gameInfo() const { return gameInfo_; }
    void setGameInfo(const GameInfo& info) { gameInfo_ = info; }

  private:
    friend void assignRecord(MOveTree& target, const MOveTree& source);

    Board board_;
    BanHistory keptHistory_;
    uint8_t recordFormat_ = 0;
    GameInfo gameInfo_;
};
