#include "app/shell/MessageBoxSink.h"

#include <QApplication>
#include <QMessageBox>

namespace airmotor::app {

void MessageBoxSink::show(const core::Message& message) {
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    switch (message.icon) {
    case core::MessageIcon::Information:
        icon = QMessageBox::Information;
        break;
    case core::MessageIcon::Warning:
        icon = QMessageBox::Warning;
        break;
    case core::MessageIcon::Critical:
        icon = QMessageBox::Critical;
        break;
    case core::MessageIcon::None:
        break;
    }
    const QString title =
        message.title.empty() ? QStringLiteral("Air Motor Selector") : QString::fromStdString(message.title);
    QMessageBox box(icon, title, QString::fromStdString(message.text), QMessageBox::Ok,
                    QApplication::activeWindow());
    box.exec();
}

core::Answer MessageBoxSink::ask(const core::Message& question, bool withCancel) {
    const QString title = question.title.empty() ? QStringLiteral("Air Motor Selector")
                                                 : QString::fromStdString(question.title);
    QMessageBox::StandardButtons buttons = QMessageBox::Yes | QMessageBox::No;
    if (withCancel)
        buttons |= QMessageBox::Cancel;
    QMessageBox box(QMessageBox::Question, title, QString::fromStdString(question.text), buttons,
                    QApplication::activeWindow());
    switch (box.exec()) {
    case QMessageBox::Yes:
        return core::Answer::Yes;
    case QMessageBox::No:
        return core::Answer::No;
    default:
        return withCancel ? core::Answer::Cancel : core::Answer::No;
    }
}

} // namespace airmotor::app
