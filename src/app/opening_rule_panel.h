#pragma once

#include <QDialog>

class QLabel;
class QPushButton;
class QSpinBox;

// The small window of the opening phase beside the board: what is asked and of whom, the
// computer's last decision with its reason, and the buttons of the answers that are not a
// click on the board. The controller decides which buttons are shown.
class OpeningRulePanel : public QDialog {
    Q_OBJECT

  public:
    explicit OpeningRulePanel(QWidget* parent = nullptr);

    // The question, the computer's last decision (empty: none) and which answers are offered.
    struct View {
        QString question;
        QString decision;
        bool swap = false;   // 交換する / 交換しない
        int declareMost = 0; // > 0: the count box 1..declareMost and 宣言
        bool offer = false;  // 提示する (enabled by offerReady)
        bool offerReady = false;
        bool single = false; // この1手を打つ (enabled by singleReady)
        bool singleReady = false;
    };
    void showView(const View& view);
    // Moves the panel as little as needed to lie wholly on its screen, so its answers stay in
    // reach.
    void keepOnScreen();

    QLabel* question = nullptr;
    QLabel* decision = nullptr;
    QPushButton* swapYes = nullptr;
    QPushButton* swapNo = nullptr;
    QSpinBox* count = nullptr;
    QPushButton* declare = nullptr;
    QPushButton* offer = nullptr;
    QPushButton* single = nullptr;

  signals:
    void swapAnswered(bool swap);
    void declared(int count);
    void offerConfirmed();
    void singleConfirmed();
};
