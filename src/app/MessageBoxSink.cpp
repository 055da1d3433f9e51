#include "app/MessageBoxSink.h"

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

} // namespace airmotor::app
