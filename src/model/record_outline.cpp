#include "model/record_outline.h"

#include <algorithm>

namespace {

struct Outliner {
    std::vector<OutlineRow>& rows;

    int add(const MOve* n, int parent, int number, bool variation) {
        rows.push_back(OutlineRow{n, parent, number, variation});
        return static_cast<int>(rows.size()) - 1;
    }

    // A line from first along the first children. Its first row goes under parent; the rest
    // under parent too for the main line, under the first row for a variation. The nesting
    // depth is at most the length of a line (225 moves).
    void line(const MOve* first, int parent, int number, bool variation) {
        const int firstRow = add(first, parent, number, variation);
        const int container = variation ? firstRow : parent;
        const MOve* m = first;
        int row = firstRow;
        while (true) {
            for (int i = 1; i < m->childCount(); ++i) line(m->child(i), row, number + 1, true);
            if (m->childCount() == 0) break;
            m = m->child(0);
            ++number;
            row = add(m, container, number, false);
        }
    }
};

} // namespace

std::vector<OutlineRow> recordOutline(const MOve& root) {
    std::vector<OutlineRow> rows;
    Outliner{rows}.line(&root, -1, 0, false);
    return rows;
}

bool isInTree(const MOve& root, const MOve* node) {
    std::vector<const MOve*> stack{&root};
    while (!stack.empty()) {
        const MOve* n = stack.back();
        stack.pop_back();
        if (n == node) return true;
        for (int i = 0; i < n->childCount(); ++i) stack.push_back(n->child(i));
    }
    return false;
}

bool pathTo(const MOve& root, const MOve* node, std::vector<int>& path) {
    path.clear();
    if (!isInTree(root, node)) return false;
    for (const MOve* n = node; n != &root; n = n->parent()) {
        const MOve* up = n->parent();
        int i = 0;
        while (up->child(i) != n) ++i;
        path.push_back(i);
    }
    std::reverse(path.begin(), path.end());
    return true;
}
