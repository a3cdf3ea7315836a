#include "app/record_tree_panel.h"

#include "app/forbidden_marks.h"
#include "model/move_tree.h"
#include "model/record_outline.h"

#include <QHeaderView>
#include <QMenu>
#include <QTreeWidget>

#include <unordered_set>
#include <vector>

namespace {

// Above this many rows only the way to the current move is expanded.
constexpr int kExpandAllRows = 400;

QString rowCaption(const OutlineRow& row) {
    if (row.moveNumber == 0) return RecordTreePanel::tr("開始局面");
    const Pos& p = row.node->pos;
    const QString point = pointName(cellIndex(p.x, p.y));
    return (row.moveNumber % 2 == 1 ? RecordTreePanel::tr("黒%1 %2")
                                    : RecordTreePanel::tr("白%1 %2"))
        .arg(row.moveNumber)
        .arg(point);
}

} // namespace

RecordTreePanel::RecordTreePanel(QWidget* parent) : QDockWidget(tr("棋譜ツリー"), parent) {
    setObjectName("RecordTreePanel");
    tree_ = new QTreeWidget(this);
    tree_->setObjectName("RecordTree");
    tree_->setHeaderHidden(true);
    tree_->setColumnCount(1);
    tree_->setContextMenuPolicy(Qt::CustomContextMenu);
    tree_->setUniformRowHeights(true);
    setWidget(tree_);
    connect(tree_, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem* item) {
        if (const MOve* node = nodeOf(item)) emit nodeActivated(node);
    });
    connect(tree_, &QWidget::customContextMenuRequested, this, &RecordTreePanel::contextMenu);
}

void RecordTreePanel::showRecord(const MOveTree& record) {
    const std::vector<OutlineRow> rows = recordOutline(*record.root());
    std::unordered_set<const MOve*> onPath;
    for (const MOve* n = record.current(); n; n = n->parent()) onPath.insert(n);

    tree_->setUpdatesEnabled(false);
    tree_->clear();
    std::vector<QTreeWidgetItem*> items;
    items.reserve(rows.size());
    QTreeWidgetItem* current = nullptr;
    for (const OutlineRow& row : rows) {
        QTreeWidgetItem* item = row.parent < 0
                                    ? new QTreeWidgetItem(tree_)
                                    : new QTreeWidgetItem(items[static_cast<size_t>(row.parent)]);
        item->setText(0, rowCaption(row));
        item->setData(0, Qt::UserRole, QVariant::fromValue(reinterpret_cast<quintptr>(row.node)));
        if (onPath.count(row.node)) {
            QFont bold = item->font(0);
            bold.setBold(true);
            item->setFont(0, bold);
        }
        if (row.node == record.current()) current = item;
        items.push_back(item);
    }
    if (static_cast<int>(rows.size()) <= kExpandAllRows) tree_->expandAll();
    for (QTreeWidgetItem* up = current ? current->parent() : nullptr; up; up = up->parent())
        up->setExpanded(true);
    if (current) {
        tree_->setCurrentItem(current);
        tree_->scrollToItem(current);
    }
    tree_->setUpdatesEnabled(true);
}

const MOve* RecordTreePanel::nodeOf(const QTreeWidgetItem* item) {
    return item ? reinterpret_cast<const MOve*>(item->data(0, Qt::UserRole).value<quintptr>())
                : nullptr;
}

QTreeWidgetItem* RecordTreePanel::itemOf(const MOve* node) const {
    for (QTreeWidgetItemIterator it(tree_); *it; ++it)
        if (nodeOf(*it) == node) return *it;
    return nullptr;
}

void RecordTreePanel::contextMenu(const QPoint& at) {
    QTreeWidgetItem* item = tree_->itemAt(at);
    const MOve* node = nodeOf(item);
    if (!node) return;
    QMenu menu(this);
    const struct {
        const char* caption;
        Command command;
        bool needsMove;
    } entries[] = {
        {QT_TR_NOOP("ここから変化を追加"), Command::AddVariation, false},
        {QT_TR_NOOP("本線にする"), Command::MakeMainLine, true},
        {QT_TR_NOOP("変化を上へ"), Command::MoveUp, true},
        {QT_TR_NOOP("変化を下へ"), Command::MoveDown, true},
        {QT_TR_NOOP("この手以降を削除"), Command::Delete, true},
    };
    for (const auto& e : entries) {
        QAction* a = menu.addAction(tr(e.caption));
        a->setEnabled(!e.needsMove || node->parent() != nullptr);
        const Command command = e.command;
        connect(a, &QAction::triggered, this,
                [this, node, command] { emit commandRequested(node, command); });
    }
    menu.exec(tree_->viewport()->mapToGlobal(at));
}
