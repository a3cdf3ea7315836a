#pragma once

#include <QDockWidget>
#include <QString>

#include <cstdint>
#include <unordered_map>
#include <vector>

class MOve;
class MOveTree;
class QTreeWidget;
class QTreeWidgetItem;

// The game-tree panel: the whole record as players read it (recordOutline), the current move
// selected and the moves on the way to it in bold. A click on a row asks to go to its node;
// the context menu asks for the variation commands.
class RecordTreePanel : public QDockWidget {
    Q_OBJECT

  public:
    enum class Command { AddVariation, MakeMainLine, MoveUp, MoveDown, Delete };

    explicit RecordTreePanel(QWidget* parent);

    // Shows the record's rows and selects its current node. The rows are rebuilt only when
    // the tree changed since the last call; otherwise only the selection and the bold moves
    // follow, so stepping through a large record stays quick.
    void showRecord(const MOveTree& record);
    QTreeWidget* tree() const { return tree_; }
    // The node a row stands for (as it was when the rows were built); null for none.
    static const MOve* nodeOf(const QTreeWidgetItem* item);
    // The row of node; null when there is none.
    QTreeWidgetItem* itemOf(const MOve* node) const;

  signals:
    void nodeActivated(const MOve* node);
    void commandRequested(const MOve* node, RecordTreePanel::Command command);

  private:
    // What identifies a shown row: its node, its place and its move.
    struct RowKey {
        const MOve* node;
        int parent;
        uint32_t move;
        bool operator==(const RowKey&) const = default;
    };

    void contextMenu(const QPoint& at);
    void rebuild(const std::vector<RowKey>& keys, const std::vector<QString>& captions);
    void setBold(QTreeWidgetItem* item, bool bold);

    QTreeWidget* tree_ = nullptr;
    std::vector<RowKey> keys_;
    std::vector<QTreeWidgetItem*> items_;
    std::unordered_map<const MOve*, QTreeWidgetItem*> itemOfNode_;
    std::vector<QTreeWidgetItem*> boldItems_;
};
