#pragma once

#include <QString>

class QWidget;

namespace airmotor::app {

// Where the file dialogs start and suggested files go: the user's documents folder (the home
// folder where there is none), never the program folder. With a name, the path of that file there;
// characters a file name cannot hold become '-'.
QString DocumentsPath(const QString& fileName = QString());

// The questions a window asks the user about files: behind an interface, so that no dialog
// blocks a test. An empty path is a cancelled dialog.
class FilePrompts {
public:
    virtual ~FilePrompts() = default;
    virtual QString openFile(QWidget* parent, const QString& title, const QString& filter) = 0;
    virtual QString saveFile(QWidget* parent, const QString& title, const QString& suggested,
                             const QString& filter) = 0;
    virtual bool confirm(QWidget* parent, const QString& title, const QString& question) = 0;
};

// The desktop's file dialogs and a Yes/No box.
class DialogPrompts final : public FilePrompts {
public:
    QString openFile(QWidget* parent, const QString& title, const QString& filter) override;
    QString saveFile(QWidget* parent, const QString& title, const QString& suggested,
                     const QString& filter) override;
    bool confirm(QWidget* parent, const QString& title, const QString& question) override;
};

} // namespace airmotor::app
