#include "model/sgf_tree.h"

#include "base/diag.h"
#include "model/move_node.h"
#include "model/record_files.h"

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

template <class T> bool TSgfTree<T>::ReadMove(char colour, std::istream& in) {
    char bracket, xl, yl, close;
    bool complete = in.get(bracket) && in.get(xl) && in.get(yl) && in.get(close);
    if (!complete || !PutMoveLetters(xl, yl, colour)) {
        if (illegalMoves_ < kIllegalMoveLines) diag("error : Illegal move");
        ++illegalMoves_;
        return false;
    }
    return true;
}

template <class T> bool TSgfTree<T>::ReadProperty(std::istream& in) {
    std::string text;
    char c;
    while (in.get(c)) {
        if (c == '\n') continue;
        if (c == ';' || c == '(' || c == ')') return false;
        text += c;
        if (c == ']') {
            header_.push_back(std::move(text));
            return true;
        }
    }
    return false;
}

template <class T> void TSgfTree<T>::WriteHeader(std::string& out) {
    SetHeader();
    for (const std::string& property : header_) {
        out += property;
        out += '\n';
    }
    for (const std::string& property : rootProperties_) {
        out += property;
        out += '\n';
    }
}

bool isKeptProperty(char first, char second) {
    return first == 'X' &&
           (second == 'R' || second == 'O' || second == 'S' || second == 'N' || second == 'F');
}

template <class T> T* TSgfTree<T>::PutMoveLetters(char xl, char yl, char colour) {
    return PutMove(xl - 'a', yl - 'a', colour);
}

template <class T> bool TSgfTree<T>::ReadFile(const char* name) {
    // Only a regular file is opened: a FIFO or a device would block in open or never end.
    std::error_code ec;
    std::ifstream in;
    if (std::filesystem::is_regular_file(name, ec)) in.open(name, std::ios::binary);
    if (!in) {
        diag(std::string("error : ") + name + "can't be read");
        return false;
    }
    return ReadRecord(in);
}

template <class T> bool TSgfTree<T>::WriteFile(const char* name) {
    this->SaveState();
    std::string text = RecordText();
    this->RestoreState();
    if (!replaceFileContents(name, text)) {
        diag(std::string("error : ") + name + " can't be open");
        return false;
    }
    return true;
}

template <class T> bool TSgfTree<T>::ReadRecord(std::istream& in) {
    this->Clear();
    header_.clear();
    rootProperties_.clear();
    illegalMoves_ = 0;
    itemsRead_ = 0;
    bool ok = ParseSequence(in, 0);
    if (illegalMoves_ > kIllegalMoveLines)
        diag("error : Illegal move (" + std::to_string(illegalMoves_) + " in all)");
    if (!ok) {
        this->Clear();
        rootProperties_.clear();
        return false;
    }
    for (const std::string& property : header_)
        if (property.size() > 2 && isKeptProperty(property[0], property[1]) && property[2] == '[')
            rootProperties_.push_back(property);
    this->GoTopMainLine();
    return true;
}

// One sequence of the record text, up to its ')' or the end of the input. Every move this
// call plays moves current one step down; stepping back as many times at the end returns to
// the node where the sequence began, so a following "(" variation starts from there. Nesting
// counts the open parentheses: each one costs a stack frame, so the depth is bounded.
template <class T> bool TSgfTree<T>::ParseSequence(std::istream& in, int nesting) {
    int moves = 0;
    char c;
    while (in.get(c)) {
        if (c == '(') {
            if (nesting >= kMaxNesting || !ParseSequence(in, nesting + 1)) return false;
            continue;
        }
        if (c == ')') break;
        if (c != ';') {
            in.unget();
            if (!ReadHeaderProperty(in)) return false;
            continue;
        }
        if (!in.get(c)) break;
        if (c != 'B' && c != 'W' && c != 'C') {
            in.unget();
            if (!ReadHeaderProperty(in)) return false;
            continue;
        }
        // A node with moves: its B, W and C properties up to the next ';', '(' or ')'.
        std::string comment;
        bool ended = true;
        do {
            if (c == 'B' || c == 'W') {
                if (++itemsRead_ > kMaxRecordItems) return false;
                in.unget();
                if (ReadMoveProperty(in)) ++moves;
            } else if (c == 'C') {
                in.unget();
                ReadComment(in, comment);
            } else if (c == 'X' && this->current_ != this->root_.get()) {
                ReadKeptProperty(in, this->current_->properties);
            } else if (c == ';' || c == '(' || c == ')') {
                if (!comment.empty()) SetComment(this->current_, comment);
                ended = false;
                break;
            }
        } while (in.get(c));
        if (ended) break;
        in.unget();
    }
    for (int i = 0; i < moves; ++i) this->Back();
    return true;
}

// After an 'X' in a node with moves: a kept property ("XS[1]", "XF[hi][jj]") is appended to
// properties whole. Anything else consumes only what the move-node loop skips anyway (the 'X'
// and a second letter that is not B, W or C); a value cut short by ';', '(' or ')' is dropped
// and that character left for the loop.
template <class T> void TSgfTree<T>::ReadKeptProperty(std::istream& in, std::string& properties) {
    const int second = in.peek();
    if (second == EOF || !isKeptProperty('X', static_cast<char>(second))) return;
    in.get();
    std::string text{'X', static_cast<char>(second)};
    while (in.peek() == '[') {
        std::string value;
        char c;
        while (in.get(c)) {
            if (c == ';' || c == '(' || c == ')') {
                in.unget();
                return;
            }
            value += c;
            if (c == ']') break;
        }
        if (value.empty() || value.back() != ']') return;
        text += value;
    }
    if (text.size() > 2 && ++itemsRead_ <= kMaxRecordItems) properties += text;
}

template <class T> bool TSgfTree<T>::ReadMoveProperty(std::istream& in) {
    char letter, next;
    if (!in.get(letter)) return false;
    if (letter != 'B' && letter != 'W') return false;
    if (!in.get(next)) return false;
    if (next != '[') return false;
    in.unget();
    return ReadMove(letter, in);
}

template <class T> void TSgfTree<T>::ReadComment(std::istream& in, std::string& comment) {
    char c;
    if (!in.get(c) || !in.get(c) || c != '[') return;
    // Up to and past the next ']' (or the end), taken in one piece: a comment may be long.
    std::string part;
    std::getline(in, part, ']');
    comment += part;
}

template <class T> void TSgfTree<T>::SetComment(T* node, const std::string& text) {
    if (commentMode_ == 1)
        node->ReadValue(text);
    else
        node->comment = text;
}

template <class T> bool TSgfTree<T>::ReadHeaderProperty(std::istream& in) {
    char c;
    if (!in.get(c)) return true;
    if (c < 'A' || c > 'Z') return true;
    in.unget();
    if (!ReadProperty(in)) return true;
    return ++itemsRead_ <= kMaxRecordItems && CheckHeader();
}

// A node's text, then its children's: one child follows directly, several are each put in
// parentheses. Every leaf closes its branch with ')'; a node with several children other than
// the root also closes its own.
template <class T> void TSgfTree<T>::WriteNode(const T* node, std::string& out) const {
    if (node != this->root_.get()) node->WriteText(out, commentMode_);
    int k = node->childCount();
    if (k == 0) {
        out += ')';
    } else if (k == 1) {
        WriteNode(node->child(0), out);
    } else {
        for (int i = 0; i < k; ++i) {
            out += '(';
            WriteNode(node->child(i), out);
        }
        if (node != this->root_.get()) out += ')';
    }
}

template <class T> std::string TSgfTree<T>::RecordText() {
    std::string text = "(;";
    WriteHeader(text);
    this->GoTopMainLine();
    WriteNode(this->root_.get(), text);
    if (this->root_->childCount() > 1) text += ')';

    // Line breaking: a ';' that takes the column past 61 starts a new line.
    std::string out;
    out.reserve(text.size() + text.size() / 32 + 2);
    int column = 0;
    for (char c : text) {
        if (c == '\n') {
            column = 0;
        } else if (++column > 61 && c == ';') {
            out += '\n';
            column = 0;
        }
        out += c;
    }
    out += '\n';
    this->GoTopMainLine();
    return out;
}

template <class T> void TSgfTree<T>::WriteRecord(std::ostream& out) {
    out << RecordText();
}

template class TSgfTree<MOve>;
