#pragma once

#include "app/ui_seam.h"

#include <QColor>
#include <QString>

#include <vector>

// A seam that records what would have been shown and answers dialogs from presets.
class RecordingUiSeam : public UiSeam {
  public:
    struct Message {
        QString caption;
        QString text;
        Kind kind;
    };
    struct Question {
        QString caption;
        QString text;
    };

    // Installs itself for its lifetime.
    RecordingUiSeam() { setUiSeam(this); }
    ~RecordingUiSeam() override { setUiSeam(nullptr); }

    void message(QWidget*, const QString& caption, const QString& text, Kind kind) override {
        messages.push_back({caption, text, kind});
    }
    bool question(QWidget*, const QString& caption, const QString& text) override {
        questions.push_back({caption, text});
        return questionAnswer;
    }
    void beep(Beep kind) override { beeps.push_back(kind); }
    bool chooseColour(QWidget*, QColor& colour) override {
        if (!colourAnswer.isValid()) return false;
        colour = colourAnswer;
        return true;
    }
    QString openFileName(QWidget*, const QString&) override { return openAnswer; }
    QString saveFileName(QWidget*, const QString&) override { return saveAnswer; }

    std::vector<Message> messages;
    std::vector<Question> questions;
    std::vector<Beep> beeps;
    // The answer to every question: true for Yes.
    bool questionAnswer = false;
    // Dialog answers; invalid colour and empty names mean "cancelled".
    QColor colourAnswer;
    QString openAnswer;
    QString saveAnswer;
};
