#include "app/ui_seam.h"

#include <QApplication>
#include <QColorDialog>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>

#include <cmath>
#include <cstdint>
#include <memory>

namespace {

// A short sine tone as a WAV file: 16-bit mono at 22050 Hz.
QByteArray toneWave(double frequency, double seconds, int repeats) {
    const int rate = 22050;
    const int tone = static_cast<int>(rate * seconds);
    const int gap = rate / 20;
    const int samples = repeats * tone + (repeats - 1) * gap;
    QByteArray pcm;
    pcm.reserve(samples * 2);
    for (int r = 0; r < repeats; ++r) {
        for (int i = 0; i < tone; ++i) {
            const double fade = std::min(1.0, std::min(i, tone - i) / (rate * 0.005));
            const auto s =
                static_cast<int16_t>(9000 * fade * std::sin(2 * M_PI * frequency * i / rate));
            pcm.append(static_cast<char>(s & 0xFF));
            pcm.append(static_cast<char>((s >> 8) & 0xFF));
        }
        if (r + 1 < repeats) pcm.append(QByteArray(gap * 2, '\0'));
    }
    auto le32 = [](QByteArray& b, uint32_t v) {
        for (int i = 0; i < 4; ++i) b.append(static_cast<char>((v >> (8 * i)) & 0xFF));
    };
    auto le16 = [](QByteArray& b, uint16_t v) {
        b.append(static_cast<char>(v & 0xFF));
        b.append(static_cast<char>(v >> 8));
    };
    QByteArray wav("RIFF");
    le32(wav, 36 + pcm.size());
    wav.append("WAVEfmt ");
    le32(wav, 16);
    le16(wav, 1);
    le16(wav, 1);
    le32(wav, rate);
    le32(wav, rate * 2);
    le16(wav, 2);
    le16(wav, 16);
    wav.append("data");
    le32(wav, pcm.size());
    wav.append(pcm);
    return wav;
}

// The real seam: message boxes, the standard dialogs, and two distinct tones played by an
// external player when one is installed (the toolkit's bell otherwise: once for the default
// sound, twice for the exclamation).
class RealUiSeam : public UiSeam {
  public:
    void message(QWidget* parent, const QString& caption, const QString& text, Kind kind) override {
        const auto icon = kind == Kind::Information ? QMessageBox::Information
                          : kind == Kind::Warning   ? QMessageBox::Warning
                                                    : QMessageBox::Critical;
        QMessageBox box(icon, caption, text, QMessageBox::Ok, parent);
        box.exec();
    }

    bool question(QWidget* parent, const QString& caption, const QString& text) override {
        QMessageBox box(QMessageBox::Question, caption, text, QMessageBox::Yes | QMessageBox::No,
                        parent);
        box.setDefaultButton(QMessageBox::No);
        return box.exec() == QMessageBox::Yes;
    }

    void beep(Beep kind) override {
        if (!playTone(kind)) {
            QApplication::beep();
            if (kind == Beep::Exclamation) QTimer::singleShot(150, [] { QApplication::beep(); });
        }
    }

    bool chooseColour(QWidget* parent, QColor& colour) override {
        const QColor c = QColorDialog::getColor(Qt::white, parent);
        if (!c.isValid()) return false;
        colour = c;
        return true;
    }

    QString openFileName(QWidget* parent, const QString& filter,
                         const QString& directory) override {
        return QFileDialog::getOpenFileName(parent, QString(), directory, filter);
    }

    QString saveFileName(QWidget* parent, const QString& filter,
                         const QString& directory) override {
        return QFileDialog::getSaveFileName(parent, QString(), directory, filter);
    }

  private:
    bool playTone(Beep kind) {
        if (!probed_) {
            probed_ = true;
            for (const char* name : {"paplay", "aplay", "pw-play"}) {
                player_ = QStandardPaths::findExecutable(name);
                if (!player_.isEmpty()) break;
            }
            // The sound files live in a folder of this process's own (mode 0700, a fresh
            // name), never under fixed names in the shared temporary folder where another
            // user could have put a file or a link first.
            if (!player_.isEmpty() && !waveFolder_) {
                waveFolder_ = std::make_unique<QTemporaryDir>();
                if (!waveFolder_->isValid()) player_.clear();
            }
            if (!player_.isEmpty()) {
                defaultWave_ = waveFolder_->filePath("beep-default.wav");
                warningWave_ = waveFolder_->filePath("beep-exclamation.wav");
                if (!writeFile(defaultWave_, toneWave(880, 0.08, 1)) ||
                    !writeFile(warningWave_, toneWave(660, 0.07, 2)))
                    player_.clear();
            }
        }
        if (player_.isEmpty()) return false;
        const QString& file = kind == Beep::Default ? defaultWave_ : warningWave_;
        QStringList args;
        if (QFileInfo(player_).fileName() == QLatin1String("aplay")) args << "-q"; // not paplay
        args << file;
        return QProcess::startDetached(player_, args);
    }

    static bool writeFile(const QString& path, const QByteArray& data) {
        QFile f(path);
        return f.open(QIODevice::NewOnly) && f.write(data) == data.size();
    }

    bool probed_ = false;
    std::unique_ptr<QTemporaryDir> waveFolder_;
    QString player_;
    QString defaultWave_;
    QString warningWave_;
};

RealUiSeam& realSeam() {
    static RealUiSeam seam;
    return seam;
}

UiSeam* installedSeam = nullptr;

} // namespace

UiSeam& uiSeam() {
    return installedSeam ? *installedSeam : realSeam();
}

void setUiSeam(UiSeam* seam) {
    installedSeam = seam;
}
