#include "app/main_form.h"
#include "app/program_icon.h"
#include "app/sorell_process.h"

#include <QApplication>
#include <QMessageBox>

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
            QMessageBox::critical(nullptr, "Sorell", QString::fromLocal8Bit(e.what()));
        } catch (...) {
            QMessageBox::critical(nullptr, "Sorell", "Unknown error");
        }
        return false;
    }
};

} // namespace

int main(int argc, char* argv[]) {
    SorellApplication app(argc, argv);
    QApplication::setApplicationName("Sorell");
    QApplication::setOrganizationName("Pellham");
    QApplication::setWindowIcon(programIcon());
    // The desktop entry, so that the desktop shows its icon for the window.
    QGuiApplication::setDesktopFileName(QStringLiteral("sorell"));

    int status = 0;
    {
        // Made before the window and destroyed after it; the options are written back then.
        SorellProcess process;
        TMainForm form(QApplication::arguments().mid(1));
        form.show();
        status = QApplication::exec();
    }
    return status;
}
