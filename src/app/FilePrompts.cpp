#include "app/FilePrompts.h"

#include <QFileDialog>
#include <QMessageBox>

namespace airmotor::app {

QString DialogPrompts::openFile(QWidget* parent, const QString& title, const QString& filter) {
    return QFileDialog::getOpenFileName(parent, title, QString(), filter);
}

QString DialogPrompts::saveFile(QWidget* parent, const QString& title, const QString& suggested,
                                const QString& filter) {
    return QFileDialog::getSaveFileName(parent, title, suggested, filter);
}

bool DialogPrompts::confirm(QWidget* parent, const QString& title, const QString& question) {
    return QMessageBox::question(parent, title, question, QMessageBox::Yes | QMessageBox::No,
                                 QMessageBox::Yes) == QMessageBox::Yes;
}

} // namespace airmotor::app
