// The record commands of the main window: opening and saving record files (from the dialogs,
// the command line and dropped files), copying and pasting the move text, copying the board
// picture, help, the version box and the openings editor.

#include "app/record_commands.h"

#include "app/board_drawing.h"
#include "app/captions.h"
#include "app/game_flow.h"
#include "app/goban_box.h"
#include "app/help_viewer.h"
#include "app/main_form.h"
#include "app/main_widgets.h"
#include "app/opening_rule_controller.h"
#include "app/sorell_process.h"
#include "app/standard_form.h"
#include "app/ui_seam.h"
#include "model/move_text.h"
#include "model/move_tree.h"
#include "model/paste_reader.h"
#include "model/record_copy.h"
#include "model/record_files.h"

#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QFileInfo>
#include <QMimeData>
#include <QPainter>
#include <QPalette>
#include <QPixmap>
#include <QUrl>

#include <string>

namespace {

// The bytes of a file name as the record's file operations take them.
std::string localName(const QString& name) {
    return QFile::encodeName(name).toStdString();
}

} // namespace

RecordCommands::RecordCommands(TMainForm& form, GameFlow& game)
    : QObject(&form), form_(form), game_(game) {}

QString RecordCommands::recordFilter() {
    return TMainForm::tr("五目競争形式 (*.ban)");
}

// Opening a file that cannot be read changes nothing: the game, the history box and the title
// stay, and a message box says so.
bool RecordCommands::OpenRecord(const QString& path) {
    MOveTree loaded;
    if (path.isEmpty() || !loaded.ReadFile(localName(path).c_str())) {
        uiSeam().message(&form_, caption::sorell(),
                         TMainForm::tr("棋譜ファイル %1 を読み込めません").arg(path),
                         UiSeam::Kind::Warning);
        return false;
    }
    game_.Resign();
    srFlags().fileName = path;
    srOption().lastFolder = QFileInfo(path).absolutePath();
    assignRecord(game_.record(), loaded);
    game_.RecordChanged();
    form_.openingRules()->recordLoaded();
    return true;
}

// An unreadable text changes nothing: the game and the title stay as they were.
bool RecordCommands::LoadFromText(const QString& text) {
    const std::string bytes = text.toStdString();
    MOveTree loaded;
    if (!readPastedRecord(loaded, bytes)) return false;
    // A running game ends before the record is replaced, so the worker's answer for the old
    // position is dropped and play mode never outlives the game it belonged to.
    game_.Resign();
    srFlags().fileName.clear();
    assignRecord(game_.record(), loaded);
    game_.RecordChanged();
    return true;
}

void RecordCommands::KO1Click() {
    const QString name = uiSeam().openFileName(&form_, recordFilter(), srOption().lastFolder);
    if (name.isEmpty()) return;
    OpenRecord(name);
}

// Saves the current line as ".ban" move numbers; ".ban" is appended unless the name already
// holds ".ban" or ".BAN" somewhere. The dialog asked about replacing the name it returned, not
// the one with ".ban" appended: an existing file of that name is replaced only when the user
// agrees. A failed write leaves the old file as it was, keeps the title, and says so in a
// message box.
void RecordCommands::KS1Click() {
    if (form_.openingRules()->saveRecord()) return;
    const QString chosen = uiSeam().saveFileName(&form_, recordFilter(), srOption().lastFolder);
    if (chosen.isEmpty()) return;
    QString name = chosen;
    if (!name.contains(QLatin1String(".ban")) && !name.contains(QLatin1String(".BAN")))
        name += QStringLiteral(".ban");
    if (name != chosen && QFileInfo::exists(name) &&
        !uiSeam().question(&form_, caption::sorell(),
                           TMainForm::tr("%1 は既に存在します。\n置き換えますか?").arg(name)))
        return;
    game_.record().setRecordFormat(kRecordBan);
    const std::string file = localName(name);
    if (!game_.record().WriteFile(file.c_str())) {
        uiSeam().message(&form_, caption::sorell(),
                         TMainForm::tr("棋譜ファイル %1 に書き込めません").arg(name),
                         UiSeam::Kind::Warning);
        return;
    }
    srFlags().fileName = name;
    srOption().lastFolder = QFileInfo(name).absolutePath();
    form_.UpdateCaption();
    form_.RefreshBoard();
}

void RecordCommands::KX1Click() {
    form_.close();
}

void RecordCommands::KC2Click() {
    QApplication::clipboard()->setText(QString::fromStdString(currentLineMoveText(game_.record())));
    form_.SetStatus(TMainForm::tr("クリップボードへ棋譜を書き込みました"));
}

void RecordCommands::KP1Click() {
    try {
        if (!LoadFromText(QApplication::clipboard()->text())) {
            uiSeam().message(&form_, caption::sorell(),
                             TMainForm::tr("クリップボードの棋譜データ形式は読み込みできません"),
                             UiSeam::Kind::Warning);
            return;
        }
        form_.SetStatus(TMainForm::tr("クリップボードから棋譜を読み込みました"));
    } catch (const std::exception&) {
        // A failure while pasting ends the paste without a word.
    }
}

// The board picture, 352 x 362 as composed for the screen, goes to the clipboard.
void RecordCommands::H1Click() {
    QPixmap picture(SrFlags::kBitmapWidth, SrFlags::kBitmapHeight);
    picture.fill(QApplication::palette().color(QPalette::Window));
    {
        QPainter canvas(&picture);
        CopyBoardImage(canvas, form_.boardView());
    }
    QApplication::clipboard()->setPixmap(picture);
}

// The help file lies beside the program; it is shown in the program's own help window at its
// first section.
void RecordCommands::KH2Click() {
    auto* viewer = form_.findChild<HelpViewer*>(QStringLiteral("HelpViewer"));
    if (!viewer) viewer = new HelpViewer(&form_);
    const QString file = HelpViewer::helpFilePath();
    if (!viewer->showContext(file, 1)) {
        uiSeam().message(&form_, caption::sorell(),
                         TMainForm::tr("ヘルプファイル %1 が見つかりません").arg(file),
                         UiSeam::Kind::Warning);
        return;
    }
    viewer->show();
    viewer->raise();
    viewer->activateWindow();
}

void RecordCommands::KA1Click() {
    uiSeam().message(&form_, caption::windows(), versionLine(), UiSeam::Kind::Information);
}

// The openings editor is made on first use with a copy of this window's record.
void RecordCommands::SpeedButton7Click() {
    if (!StandardForm) StandardForm = new TStandardForm(game_.record(), &form_);
    StandardForm->show();
    StandardForm->raise();
}

void RecordCommands::RefreshEditor() {
    if (StandardForm) StandardForm->Refresh();
}

void RecordCommands::CloseEditor() {
    if (StandardForm) StandardForm->close();
}

// The first local file among the dropped items; empty when the drop holds none.
QString RecordCommands::droppedFile(const QMimeData* data) {
    if (!data || !data->hasUrls()) return {};
    const QList<QUrl> urls = data->urls();
    if (urls.isEmpty() || !urls.first().isLocalFile()) return {};
    return urls.first().toLocalFile();
}
