#pragma once

#include <QMainWindow>
#include <QPixmap>
#include <QString>

#include <cstdint>
#include <memory>

class KData;
class KDataBase;
class MOveTree;
class QAction;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QStatusBar;
class QToolButton;
class StandardBoardBox;

// The standard-openings editor: a second window that shows the main window's game line on its
// own board and registers or deletes the shown position in the database file of its stone
// count ("kelp%03d.kdb" in the current directory), showing how many entries that file holds.
//
// The shown position is the line without its last move; the last move is the continuation
// registered for it. So a line of n + 1 moves works on the file for n stones.
class TStandardForm : public QMainWindow {
    Q_OBJECT

  public:
    // source: the main window's record, copied at every refresh; it must outlive the editor.
    explicit TStandardForm(const MOveTree& source, QWidget* owner = nullptr);
    ~TStandardForm() override;

    // Copies the main window's record, shows the counts for the shown line and redraws.
    void Refresh();
    // Registers the shown position with its continuation, saves the file, refreshes.
    void Register();
    // Deletes the shown position (in any orientation), saves the file, refreshes.
    void Delete();

    // The record shown (the copy of the main window's) and the one drawn on Goban0.
    // The new-ID value: 30 at first, then the number at the start of E_ID's text (leading
    // blanks and one sign allowed, 0 when no digit comes first, clamped to 32 bits).
    int32_t newId() const { return newId_; }
    const MOveTree& shownRecord() const { return *shown_; }
    const MOveTree& ownRecord() const { return *own_; }
    // The text of the status bar.
    QString statusText() const;
    // The board picture drawn on Goban0.
    const QPixmap& boardBitmap() const { return bitmap_; }

    // ---- components, named as in the layout ----
    QMenu* KF1 = nullptr;
    QAction* KX1 = nullptr;
    QMenu* KE1 = nullptr;
    QAction* KAppend = nullptr;
    QAction* KDelete = nullptr;

    QFrame* Panel1 = nullptr;
    QToolButton* SpeedButton1 = nullptr;
    QToolButton* SpeedButton2 = nullptr;
    QToolButton* SpeedButton3 = nullptr;
    QFrame* Panel2 = nullptr;
    StandardBoardBox* Goban0 = nullptr;
    QFrame* Panel3 = nullptr;
    QLabel* Label5 = nullptr;
    QLineEdit* E_ID = nullptr;
    QGroupBox* GroupBox1 = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* ResistedID = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Tesu = nullptr; // Tesu: move count (see docs/glossary.md)
    QLabel* Label2 = nullptr;
    QLabel* NumOfData = nullptr;
    QStatusBar* StatusBar1 = nullptr;

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    // The database for the shown line's stone count (loaded from its file) and the query
    // built from the line, with the counts shown. Null database when the line is empty.
    struct Prepared;
    Prepared Prepare();
    // Register and Delete: applies change to the shown position's database and saves it; a
    // failed save is said in the status bar, and so is an empty line (noStones).
    void changeShownPosition(bool (KDataBase::*change)(const KData&), const QString& noStones);
    void SetStatus(const QString& text);

    const MOveTree& source_;
    std::unique_ptr<MOveTree> shown_;
    std::unique_ptr<MOveTree> own_;
    int32_t newId_ = 30;
    QPixmap bitmap_;
    QLabel* statusLabel_ = nullptr;
};
