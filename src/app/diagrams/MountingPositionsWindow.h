#pragma once

#include <QDialog>
#include <QString>
#include <array>

class QLabel;

namespace airmotor::app {

class MountingPositionPicture;

// Asks for one of six mounting positions. A choice is required: the window cannot be closed without one.
class MountingPositionsWindow final : public QDialog {
    Q_OBJECT
public:
    explicit MountingPositionsWindow(QWidget* parent = nullptr);

    // Label1 caption (text 222) and the captions under the pictures (five part numbers and text 223).
    void setTexts(const QString& prompt, const std::array<QString, 6>& choices);
    // What each picture shows (its tooltip).
    void setDescriptions(const std::array<QString, 6>& descriptions);
    // Shows the window modally without blocking the caller; the choice arrives through positionChosen.
    void ask();

signals:
    void positionChosen(int position);

public slots:
    void reject() override; // Escape and the close button do not dismiss the question

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void choose(int position);

    QLabel* prompt;
    std::array<QLabel*, 6> captions{};
    std::array<MountingPositionPicture*, 6> pictures{};
    bool choosing = false;
};

} // namespace airmotor::app
