#include "app/shell/FilePrompts.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QStandardPaths>

namespace airmotor::app {

QString DocumentsPath(const QString& fileName) {
    QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (folder.isEmpty() || !QFileInfo(folder).isDir())
        folder = QDir::homePath();
    if (fileName.isEmpty())
        return folder;
    QString name = fileName;
    for (QChar& c : name)
        if (c == u'/' || c == u'\\' || c == u':' || c.unicode() < 0x20)
            c = u'-';
    return QDir(folder).filePath(name);
}

QString DialogPrompts::openFile(QWidget* parent, const QString& title, const QString& filter) {
    return QFileDialog::getOpenFileName(parent, title, DocumentsPath(), filter);
}

QString DialogPrompts::saveFile(QWidget* parent, const QString& title, const QString& suggested,
                                const QString& filter) {
    return QFileDialog::getSaveFileName(
        parent, title, QFileInfo(suggested).isAbsolute() ? suggested : DocumentsPath(suggested), filter);
}

bool DialogPrompts::confirm(QWidget* parent, const QString& title, const QString& question) {
    return QMessageBox::question(parent, title, question, QMessageBox::Yes | QMessageBox::No,
                                 QMessageBox::Yes) == QMessageBox::Yes;
}

} // namespace airmotor::app
