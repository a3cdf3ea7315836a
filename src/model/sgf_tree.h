#pragma once

#include "model/oct_tree.h"

#include <cstdint>
#include <istream>
#include <ostream>
#include <string>
#include <vector>

// The Sgf layer of the record tree: bracketed record text (see docs/glossary.md).
// A record tree node that can be written as bracketed record text.
template <class T> class TSgfTreeNode : public TOctTreeNode<T> {
  public:
    explicit TSgfTreeNode(T* parent = nullptr) : TOctTreeNode<T>(parent) {}

    // Appends ";" colour "[" x letter y letter "]" and the comment property: with commentMode
    // 1 the value ("C[-20000]" for a node without one), otherwise "C[comment]" when the
    // comment is not empty.
    virtual void WriteText(std::string& out, int commentMode) const {
        out += ';';
        out += ColourChar();
        out += '[';
        out += XLetter();
        out += YLetter();
        out += ']';
        if (commentMode == 1) {
            WriteValue(out);
        } else if (!comment.empty()) {
            out += "C[";
            out += comment;
            out += ']';
        }
        out += properties;
    }
    // Appends the value property; nothing here.
    virtual void WriteValue(std::string& out) const { (void)out; }
    // Takes the value from a comment text; nothing here.
    virtual void ReadValue(const std::string& in) { (void)in; }
    virtual char ColourChar() const = 0;
    virtual char XLetter() const = 0;
    virtual char YLetter() const = 0;

    // Free-text comment (used when the tree's commentMode is not 1).
    std::string comment;
    // Kept move properties (isKeptProperty), written verbatim after the comment: "XS[1]".
    std::string properties;
};

// The opening-phase properties a record keeps beside its moves: in the root XR (rule) and XO
// (opening), on a move XS (swap decision after it), XN (declared number of fifth moves) and XF
// (offered fifth moves). Readers that do not know them skip them: their names and values hold
// no 'B', 'W' or 'C' before a '['. True for those two-letter names.
bool isKeptProperty(char first, char second);

// Adds the bracketed record text to the tree: the root properties ("GM[4]"...), the reader and
// the writer, and files of that text. The reader never fails on malformed input: it skips
// what it does not know; only a rejected root property, nesting deeper than kMaxNesting
// parentheses or more than kMaxRecordItems moves and properties rejects the text, leaving an
// empty record.
template <class T> class TSgfTree : public TOctTree<T> {
  public:
    // Deepest accepted nesting of '(' in a record text.
    static constexpr int kMaxNesting = 1000;
    // Most move and other properties a record text may hold: far beyond any real study (a
    // written record holds one move property per node), and it bounds the time and memory
    // one read takes.
    static constexpr int kMaxRecordItems = 200000;
    // Refused moves of one read that each get their own "error : Illegal move" line; the
    // rest are counted in one closing line.
    static constexpr int kIllegalMoveLines = 3;

    // Reads "[xy]" (four characters, brackets not verified) and plays the move with the given
    // colour. A refused move writes "error : Illegal move" (for the first kIllegalMoveLines of
    // a read). True when a move was played.
    virtual bool ReadMove(char colour, std::istream& in);
    // Sets the root properties this tree writes (the list is cleared first).
    virtual void SetHeader() = 0;
    // Judges the last root property read; false rejects the record.
    virtual bool CheckHeader() = 0;
    // Collects one property "NAME[value]" ('\n' skipped) and appends it to the header list.
    // False (nothing stored) when the input ends, or a ';', '(' or ')' comes, before ']'.
    virtual bool ReadProperty(std::istream& in);
    // SetHeader, then appends every root property and a line end to out.
    virtual void WriteHeader(std::string& out);
    // Plays a move of the given colour from current; null when refused.
    virtual T* PutMove(int x, int y, char colour) = 0;
    // PutMove(xl - 'a', yl - 'a', colour).
    virtual T* PutMoveLetters(char xl, char yl, char colour);
    // Reads (writes) a bracketed record text file. A file that cannot be opened writes one
    // "error : " line and gives false; so does a text ReadRecord rejects. Writing goes through
    // a temporary file in the same directory that replaces the target only when everything
    // was written: false leaves the old file as it was.
    virtual bool ReadFile(const char* name);
    virtual bool WriteFile(const char* name);

    // Replaces the record by the one in the text. Afterwards the root is current and the
    // first child is selected everywhere. False when the text was rejected; the record is then
    // empty. More than kIllegalMoveLines refused moves end with one line
    // "error : Illegal move (N in all)".
    bool ReadRecord(std::istream& in);
    // The record as text with line ends (lines broken before a ';' past column 61), ending in
    // a line end. Afterwards the root is current with the main line selected.
    std::string RecordText();
    // Writes RecordText() to out.
    void WriteRecord(std::ostream& out);

    const std::vector<std::string>& header() const { return header_; }
    // Kept root properties (isKeptProperty), written after the fixed header: "XR[rif]". Read
    // from a record text's root; empty for a record without them.
    const std::vector<std::string>& rootProperties() const { return rootProperties_; }
    void setRootProperties(std::vector<std::string> properties) {
        rootProperties_ = std::move(properties);
    }
    // 1 (the default): a node's comment property carries its value; otherwise free text.
    int commentMode() const { return commentMode_; }
    void setCommentMode(int mode) { commentMode_ = mode; }
    // Moves refused while reading the last record text.
    int illegalMoves() const { return illegalMoves_; }

  protected:
    bool ParseSequence(std::istream& in, int nesting);
    bool ReadMoveProperty(std::istream& in);
    void ReadComment(std::istream& in, std::string& comment);
    void SetComment(T* node, const std::string& text);
    bool ReadHeaderProperty(std::istream& in);
    void WriteNode(const T* node, std::string& out) const;
    void ReadKeptProperty(std::istream& in, std::string& properties);

    std::vector<std::string> header_;
    std::vector<std::string> rootProperties_;
    int32_t commentMode_ = 1;
    int32_t illegalMoves_ = 0;
    int32_t itemsRead_ = 0;
};
