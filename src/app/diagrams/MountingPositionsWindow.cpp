#include "app/diagrams/MountingPositionsWindow.h"

#include "app/diagrams/MountingPositionPicture.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace airmotor::app {

MountingPositionsWindow::MountingPositionsWindow(QWidget* parent)
    : QDialog(parent), prompt(new QLabel(this)) {
    // The texts are the language's (the caption table and setDescriptions).
    setObjectName("frmMountingPositions");
    setWindowModality(Qt::ApplicationModal);
    prompt->setObjectName("Label1");
    QFont bold = prompt->font();
    bold.setBold(true);
    prompt->setFont(bold);

    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(10);
    grid->setVerticalSpacing(4);
    for (int k = 0; k < 6; ++k) {
        auto* picture = pictures[k] = new MountingPositionPicture(k, this);
        connect(picture, &MountingPositionPicture::clicked, this, &MountingPositionsWindow::choose);
        captions[k] = new QLabel(this);
        captions[k]->setObjectName(QString("lblPosition_%1").arg(k));
        captions[k]->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
        captions[k]->setWordWrap(true);
        const int row = (k / 3) * 2;
        grid->addWidget(picture, row, k % 3);
        grid->addWidget(captions[k], row + 1, k % 3);
    }
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(prompt);
    layout->addLayout(grid);
    resize(520, 380);
}

void MountingPositionsWindow::setTexts(const QString& promptText, const std::array<QString, 6>& choices) {
    prompt->setText(promptText);
    for (int k = 0; k < 6; ++k)
        captions[k]->setText(choices[k]);
}

void MountingPositionsWindow::setDescriptions(const std::array<QString, 6>& descriptions) {
    for (int k = 0; k < 6; ++k)
        pictures[k]->setDescription(descriptions[k]);
}

void MountingPositionsWindow::ask() {
    choosing = true;
    open();
    raise();
}

void MountingPositionsWindow::choose(int position) {
    choosing = false;
    hide();
    setResult(QDialog::Accepted);
    emit positionChosen(position);
}

void MountingPositionsWindow::reject() {
    if (!choosing)
        QDialog::reject();
}

void MountingPositionsWindow::closeEvent(QCloseEvent* event) {
    if (choosing)
        event->ignore();
    else
        QDialog::closeEvent(event);
}

} // namespace airmotor::app
