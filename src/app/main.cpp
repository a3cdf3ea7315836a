#include "app/captions.h"
#include "app/main_form.h"
#include "app/program_icon.h"
#include "app/sorell_process.h"
#include "app/translations.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QMessageBox>

#include <cstring>
#include <exception>

namespace {

// Shows an exception that escaped an event handler and lets the program go on.
class SorellApplication : public QApplication {
  public:
    using QApplication::QApplication;
    bool notify(QObject* receiver, QEvent* event) override {
        try {
            return QApplication::notify(receiver, event);
        } catch (const std::exception& e) {
            QMessageBox::critical(nullptr, caption::sorell(), QString::fromLocal8Bit(e.what()));
        } catch (...) {
            QMessageBox::critical(nullptr, caption::sorell(),
                                  QCoreApplication::translate("main", "Unknown error"));
        }
        return false;
    }
};

// True when the command line asks only for the help or the version (before a lone "--").
bool asksForTerminalAnswer(int argc, char* argv[]) {
    for (int i = 1; i < argc; ++i) {
        const char* a = argv[i];
        if (std::strcmp(a, "--") == 0) return false;
        for (const char* option : {"--help", "-h", "-?", "--help-all", "--version", "-v"})
            if (std::strcmp(a, option) == 0) return true;
    }
    return false;
}

// Prints the help or the version on the terminal and ends the process, without touching the
// window system (so it answers where no display is). Qt's own options are left alone.
[[noreturn]] void answerOnTerminal(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    setProgramIdentity();
    installTranslations();
    QCommandLineParser parser;
    parser.setApplicationDescription(QCoreApplication::translate("main", "連珠対局プログラム"));
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    parser.addPositionalArgument(QStringLiteral("file"),
                                 QCoreApplication::translate("main", "開く棋譜ファイル (.ban)"),
                                 QStringLiteral("[file]"));
    parser.parse(QCoreApplication::arguments());
    if (parser.isSet(version)) parser.showVersion();
    parser.showHelp(0);
}

} // namespace

int main(int argc, char* argv[]) {
    if (asksForTerminalAnswer(argc, argv)) answerOnTerminal(argc, argv);

    SorellApplication app(argc, argv);
    setProgramIdentity();
    installTranslations();
    QApplication::setWindowIcon(programIcon());

    int status = 0;
    {
        // Made before the window and destroyed after it; the options are written back then.
        SorellProcess process;
        TMainForm form(QApplication::arguments().mid(1));
        form.showAsLeft();
        status = QApplication::exec();
    }
    return status;
}
