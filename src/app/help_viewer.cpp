#include "help_viewer.h"

#include "app/captions.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

HelpViewer::HelpViewer(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName("HelpViewer");
    setWindowTitle(caption::help());
    browser_ = new QTextBrowser(this);
    browser_->setObjectName("HelpBrowser");
    browser_->setOpenExternalLinks(true);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(browser_);
    resize(640, 560);
}

QString HelpViewer::helpFilePath() {
    // Each language has a help file of its own: the name is translated with the window.
    return QCoreApplication::applicationDirPath() + "/" + tr("srl.hlp");
}

QString HelpViewer::contextAnchor(int context) {
    return QString("context-%1").arg(context);
}

bool HelpViewer::showContext(const QString& file, int context) {
    QFileInfo info(file);
    if (!info.isFile() || !info.isReadable()) return false;
    QUrl url = QUrl::fromLocalFile(info.absoluteFilePath());
    // The file is HTML whatever its extension says.
    browser_->setSource(url, QTextDocument::HtmlResource);
    if (browser_->document()->isEmpty()) return false;
    browser_->scrollToAnchor(contextAnchor(context));
    shownFile_ = info.absoluteFilePath();
    return true;
}
