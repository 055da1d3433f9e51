#pragma once

#include "core/common/MessageSink.h"
#include "core/session/SavedSelection.h"

#include <QObject>
#include <QString>

class QMenu;

namespace airmotor::platform {
class UserPreferences;
}

namespace airmotor::app {

class MainWindow;
class SessionDriver;
struct ProgramContext;

// File - Save selection / Open selection and the recent selections. Opening replays the saved input
// through the session driver, as the user would type and click it.
class SelectionFileActions final : public QObject {
    Q_OBJECT
public:
    SelectionFileActions(MainWindow& window, SessionDriver& driver, ProgramContext& program,
                         platform::UserPreferences& preferences, core::MessageSink& messages);

    // False (after a message naming the file) when nothing was written.
    bool saveTo(const QString& path);
    // False (after a message) when the file could not be used: the session is then left as it was.
    bool open(const QString& path);

private:
    void chooseSaveFile();
    void chooseOpenFile();
    void fillRecent();
    const std::string& text(int key) const;
    QString filter() const;
    void tell(const std::string& text, core::MessageIcon icon);

    MainWindow& window;
    SessionDriver& driver;
    ProgramContext& program;
    platform::UserPreferences& preferences;
    core::MessageSink& messages;
    QMenu* mnuRecentSelections;
};

} // namespace airmotor::app
