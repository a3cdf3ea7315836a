#pragma once

#include <QDockWidget>

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

    // Rebuilds the rows from the record and selects its current node.
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
    void contextMenu(const QPoint& at);

    QTreeWidget* tree_ = nullptr;
};
