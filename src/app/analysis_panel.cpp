#include "app/analysis_panel.h"

#include <QLabel>
#include <QTextDocument>
#include <QVBoxLayout>

AnalysisPanel::AnalysisPanel(QWidget* parent) : QDockWidget(tr("検討パネル"), parent) {
    setObjectName("AnalysisPanel");
    auto* body = new QWidget(this);
    auto* layout = new QVBoxLayout(body);
    header_ = new QLabel(body);
    header_->setObjectName("AnalysisHeader");
    layout->addWidget(header_);
    for (int i = 0; i < kAnalysisLines; ++i) {
        rows_[i] = new QLabel(body);
        rows_[i]->setObjectName(QStringLiteral("AnalysisLine%1").arg(i + 1));
        rows_[i]->setTextFormat(Qt::RichText);
        rows_[i]->setWordWrap(true);
        // Room for a row as the lines show it (a linked move, then its continuation) from the
        // start, so the panel does not grow and shrink the board when the first lines arrive.
        rows_[i]->setText(
            QStringLiteral("<a href=\"0\"><b>1.h8</b></a><br><a href=\"0\">2.i9</a>"));
        rows_[i]->setMinimumHeight(rows_[i]->sizeHint().height());
        rows_[i]->setTextInteractionFlags(Qt::LinksAccessibleByMouse);
        connect(rows_[i], &QLabel::linkActivated, this, [this, i](const QString& link) {
            bool ok = false;
            const int move = link.toInt(&ok);
            if (ok) activate(i, move);
        });
        layout->addWidget(rows_[i]);
    }
    layout->addStretch(1);
    setWidget(body);
    clearLines(QString());
}

void AnalysisPanel::showSnapshot(const AnalysisSnapshot& snapshot, int firstMoveNumber,
                                 const std::string& position) {
    snapshot_ = snapshot;
    position_ = position;
    header_->setText(depthText(snapshot) + QStringLiteral("  ") + figuresText(snapshot));
    for (int i = 0; i < kAnalysisLines; ++i) {
        if (i >= static_cast<int>(snapshot.lines.size())) {
            rows_[i]->clear();
            continue;
        }
        const AnalysisLine& line = snapshot.lines[static_cast<size_t>(i)];
        const QStringList words = numberedMoves(line, firstMoveNumber);
        QStringList links;
        for (int k = 0; k < words.size(); ++k)
            links << QStringLiteral("<a href=\"%1\">%2</a>").arg(k).arg(words[k].toHtmlEscaped());
        rows_[i]->setText(
            QStringLiteral("%1. <b>%2</b> %3<br>%4")
                .arg(i + 1)
                .arg(links.value(0), evaluationText(line).toHtmlEscaped(), links.mid(1).join(' ')));
    }
}

void AnalysisPanel::clearLines(const QString& note) {
    snapshot_ = AnalysisSnapshot{};
    position_.clear();
    header_->setText(note);
    for (QLabel* row : rows_) row->clear();
}

QString AnalysisPanel::rowText(int i) const {
    if (i < 0 || i >= kAnalysisLines) return {};
    QTextDocument doc;
    doc.setHtml(rows_[i]->text());
    return doc.toPlainText().replace('\n', ' ').replace(QChar(0x2029), ' ');
}

QString AnalysisPanel::headerText() const {
    return header_->text();
}

void AnalysisPanel::activate(int line, int move) {
    if (line < 0 || line >= static_cast<int>(snapshot_.lines.size())) return;
    const std::vector<int>& points = snapshot_.lines[static_cast<size_t>(line)].line;
    if (move < 0 || move >= static_cast<int>(points.size())) return;
    emit playRequested(QList<int>(points.begin(), points.begin() + move + 1), position_);
}
