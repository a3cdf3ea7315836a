#pragma once

#include <QString>
#include <QWidget>

class QTextBrowser;

// The program's own help window: shows the HTML help file "srl.hlp" in a text browser. A
// context number n is the anchor "context-n" of the file; context 1 is its first section.
class HelpViewer : public QWidget {
    Q_OBJECT
  public:
    explicit HelpViewer(QWidget* parent = nullptr);

    // The help file: the directory of the program's own executable followed by "srl.hlp" (in
    // English, "srl-en.hlp").
    static QString helpFilePath();
    // The anchor of a context number: "context-1" for 1.
    static QString contextAnchor(int context);

    // Loads file and scrolls to the anchor of context. False, showing nothing new, when the
    // file cannot be read.
    bool showContext(const QString& file, int context);

    QTextBrowser* browser() const { return browser_; }
    // The file shown last; empty before the first successful showContext.
    QString shownFile() const { return shownFile_; }

  private:
    QTextBrowser* browser_;
    QString shownFile_;
};
