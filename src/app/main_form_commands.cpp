// commands developer: the bodies of the record commands (open, save, clipboard, screen copy,
// help, version, the openings editor, dropped files). Empty until they land.

#include "app/main_form.h"

#include <QDragEnterEvent>
#include <QDropEvent>

bool TMainForm::OpenRecord(const QString&) {
    return false;
} // commands developer
bool TMainForm::LoadFromText(const QString&) {
    return false;
} // commands developer
void TMainForm::KO1Click() {} // commands developer
void TMainForm::KS1Click() {} // commands developer
void TMainForm::KX1Click() {
    close();
} // commands developer
void TMainForm::KC2Click() {}          // commands developer
void TMainForm::KP1Click() {}          // commands developer
void TMainForm::H1Click() {}           // commands developer
void TMainForm::KH2Click() {}          // commands developer
void TMainForm::KA1Click() {}          // commands developer
void TMainForm::SpeedButton7Click() {} // commands developer
void TMainForm::RefreshEditor() {}     // commands developer
void TMainForm::CloseEditor() {}       // commands developer
void TMainForm::dragEnterEvent(QDragEnterEvent* event) {
    event->ignore();
} // commands developer
void TMainForm::dropEvent(QDropEvent* event) {
    event->ignore();
} // commands developer
