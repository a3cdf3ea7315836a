#pragma once

#include "app/analysis_lines.h"

#include <QDockWidget>
#include <QList>

#include <string>

class QLabel;

// The analysis panel: the search's depth (or proven result) and figures, and up to
// kAnalysisLines candidates, each with its evaluation and principal line numbered from the
// real move numbers. Each move of a line is a link; activating it asks to play the line up to
// that move.
class AnalysisPanel : public QDockWidget {
    Q_OBJECT

  public:
    explicit AnalysisPanel(QWidget* parent);

    // Shows the snapshot of the position (a BoardOverlay::positionKey) whose next move is
    // firstMoveNumber.
    void showSnapshot(const AnalysisSnapshot& snapshot, int firstMoveNumber,
                      const std::string& position);
    // Forgets the lines and shows the note instead.
    void clearLines(const QString& note);

    const std::string& position() const { return position_; }
    const AnalysisSnapshot& snapshot() const { return snapshot_; }
    // The plain text of candidate row i (empty when there is none) and of the header.
    QString rowText(int i) const;
    QString headerText() const;
    // Asks to play line i up to its move k (both 0-based); nothing when out of range.
    void activate(int line, int move);

  signals:
    // The points to play from the panel's position, in order.
    void playRequested(const QList<int>& points, const std::string& position);

  private:
    QLabel* header_ = nullptr;
    QLabel* rows_[kAnalysisLines] = {};
    AnalysisSnapshot snapshot_;
    std::string position_;
};
