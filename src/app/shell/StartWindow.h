#pragma once

#include <QWidget>

class QComboBox;
class QLabel;
class QTimer;

namespace airmotor::app {

struct ProgramContext;

// frmStartmeny: a splash while the stored language is used, or the language list on a first start.
class StartWindow final : public QWidget {
    Q_OBJECT
public:
    // pauseMs: how long the splash stays when a language is stored (3000 in the program).
    StartWindow(ProgramContext& program, int pauseMs, QWidget* parent = nullptr);

    // Form_Load: reads ZEVODIDA.DAT, then waits and proceeds, or shows the list.
    void start();
    QComboBox* languageList() const { return Combo1; }
    bool waiting() const;

signals:
    // The language is known (and, after a choice, stored): the main window may open.
    void proceed();
    // The settings file could not be written after a choice (the choice still holds for this run).
    void settingsNotWritten(const QString& message);
    // The user closed the window before the main window opened.
    void abandoned();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void chooseLanguage(int entry);

    ProgramContext& program;
    int pauseMs;
    QComboBox* Combo1;
    QLabel* prompt;
    QTimer* pause;
    bool proceeded = false;
};

} // namespace airmotor::app
