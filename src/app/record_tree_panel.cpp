#include "app/record_tree_panel.h"

#include "app/forbidden_marks.h"
#include "model/move_tree.h"
#include "model/record_outline.h"

#include <QHeaderView>
#include <QMenu>
#include <QTreeWidget>

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
    std::vector<RowKey> keys;
    keys.reserve(rows.size());
    for (const OutlineRow& row : rows) {
        const Pos& p = row.node->pos;
        keys.push_back(
            RowKey{row.node, row.parent, static_cast<uint32_t>(p.x | p.y << 8 | p.colour << 16)});
    }
    tree_->setUpdatesEnabled(false);
    if (keys != keys_) {
        std::vector<QString> captions;
        captions.reserve(rows.size());
        for (const OutlineRow& row : rows) captions.push_back(rowCaption(row));
        rebuild(keys, captions);
    }
    for (QTreeWidgetItem* item : boldItems_) setBold(item, false);
    boldItems_.clear();
    // The way to the current move, its own row included, in bold.
    QTreeWidgetItem* current = itemOf(record.current());
    for (const MOve* n = record.current(); n; n = n->parent()) {
        if (QTreeWidgetItem* item = itemOf(n)) {
            setBold(item, true);
            boldItems_.push_back(item);
        }
    }
    for (QTreeWidgetItem* up = current ? current->parent() : nullptr; up; up = up->parent())
        up->setExpanded(true);
    if (current) {
        tree_->setCurrentItem(current);
        tree_->scrollToItem(current);
    }
    tree_->setUpdatesEnabled(true);
}

void RecordTreePanel::rebuild(const std::vector<RowKey>& keys,
                              const std::vector<QString>& captions) {
    tree_->clear();
    boldItems_.clear();
    items_.clear();
    itemOfNode_.clear();
    items_.reserve(keys.size());
    for (size_t i = 0; i < keys.size(); ++i) {
        const RowKey& key = keys[i];
        QTreeWidgetItem* item = key.parent < 0
                                    ? new QTreeWidgetItem(tree_)
                                    : new QTreeWidgetItem(items_[static_cast<size_t>(key.parent)]);
        item->setText(0, captions[i]);
        item->setData(0, Qt::UserRole, QVariant::fromValue(reinterpret_cast<quintptr>(key.node)));
        items_.push_back(item);
        itemOfNode_[key.node] = item;
    }
    keys_ = keys;
    if (static_cast<int>(keys.size()) <= kExpandAllRows) tree_->expandAll();
}

void RecordTreePanel::setBold(QTreeWidgetItem* item, bool bold) {
    QFont font = item->font(0);
    font.setBold(bold);
    item->setFont(0, font);
}

const MOve* RecordTreePanel::nodeOf(const QTreeWidgetItem* item) {
    return item ? reinterpret_cast<const MOve*>(item->data(0, Qt::UserRole).value<quintptr>())
                : nullptr;
}

QTreeWidgetItem* RecordTreePanel::itemOf(const MOve* node) const {
    const auto it = itemOfNode_.find(node);
    return it == itemOfNode_.end() ? nullptr : it->second;
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
