#include "app/SelectionFileActions.h"

#include "app/MainWindow.h"
#include "app/ProgramContext.h"
#include "app/SessionDriver.h"
#include "core/common/ProgramVersion.h"
#include "core/language/CaptionKeys.h"
#include "platform/SelectionFile.h"
#include "platform/UserPreferences.h"

#include <QAction>
#include <QFileDialog>
#include <QFileInfo>
#include <QMenu>
#include <QMenuBar>

namespace airmotor::app {

namespace {

constexpr const char* kFilter = "Saved selections (*.airsel.json *.json)";

} // namespace

SelectionFileActions::SelectionFileActions(MainWindow& mainWindow, SessionDriver& sessionDriver,
                                           ProgramContext& programContext,
                                           platform::UserPreferences& userPreferences,
                                           core::MessageSink& messageSink)
    : QObject(&mainWindow), window(mainWindow), driver(sessionDriver), program(programContext),
      preferences(userPreferences), messages(messageSink) {
    auto* file = window.menuBar()->findChild<QMenu*>("FileMenu");
    QAction* first = file->actions().value(0);
    const auto add = [&](const char* name, const QString& text) {
        auto* a = new QAction(text, file);
        a->setObjectName(name);
        file->insertAction(first, a);
        return a;
    };
    connect(add("mnuOpenSelection", "&Open selection..."), &QAction::triggered, this,
            &SelectionFileActions::chooseOpenFile);
    connect(add("mnuSaveSelection", "&Save selection..."), &QAction::triggered, this,
            &SelectionFileActions::chooseSaveFile);
    mnuRecentSelections = new QMenu("&Recent selections", file);
    mnuRecentSelections->setObjectName("mnuRecentSelections");
    file->insertMenu(first, mnuRecentSelections);
    file->insertSeparator(first);
    fillRecent();
}

void SelectionFileActions::tell(const std::string& text, core::MessageIcon icon) {
    core::Message m;
    m.text = text;
    m.icon = icon;
    messages.show(m);
}

bool SelectionFileActions::saveTo(const QString& path) {
    core::SavedSelection saved = core::CaptureSelection(window.session());
    saved.programVersion =
        core::VersionText(AIRMOTOR_VERSION_MAJOR, AIRMOTOR_VERSION_MINOR, AIRMOTOR_VERSION_PATCH);
    saved.catalogueChecksum = platform::FileChecksum(program.databaseFile());
    saved.language = program.language.strLanguage;
    if (const auto error = platform::WriteSelectionFile(path, saved)) {
        tell(*error, core::MessageIcon::Critical);
        return false;
    }
    preferences.addRecentSelection(path);
    fillRecent();
    return true;
}

bool SelectionFileActions::open(const QString& path) {
    const auto read = platform::ReadSelectionFile(path);
    if (const auto* error = std::get_if<std::string>(&read)) {
        tell(*error, core::MessageIcon::Critical);
        return false;
    }
    const core::SavedSelection& saved = std::get<core::SavedSelection>(read);
    // The requirement texts are in the units of the language they were typed in.
    if (saved.language != program.language.strLanguage) {
        for (int item = 0; item < static_cast<int>(core::kLanguageNames.size()); ++item)
            if (core::LanguageOfMenuItem(item) == saved.language)
                window.chooseLanguage(item);
        if (saved.language != program.language.strLanguage) {
            tell(path.toStdString() + ": cannot be opened: its language " + saved.language +
                     " cannot be loaded",
                 core::MessageIcon::Critical);
            return false;
        }
    }
    int row = 0;
    driver.run([&saved, &row](core::SelectionSession& s) { row = core::ReplaySelection(s, saved); });
    preferences.addRecentSelection(path);
    fillRecent();

    std::string note;
    if (saved.catalogueChecksum != platform::FileChecksum(program.databaseFile()))
        note = "It was saved with another catalogue: the search data and options are restored, the results "
               "may differ.";
    if (!saved.designation.empty() && row == 0)
        note += std::string(note.empty() ? "" : "\n") + "The motor " + saved.designation +
                " is not among the results now.";
    if (!note.empty())
        tell(path.toStdString() + ":\n" + note, core::MessageIcon::Information);
    return true;
}

void SelectionFileActions::chooseSaveFile() {
    QString path = QFileDialog::getSaveFileName(&window, "Save selection", QString(), kFilter);
    if (path.isEmpty())
        return;
    if (QFileInfo(path).suffix().isEmpty())
        path += ".airsel.json";
    saveTo(path);
}

void SelectionFileActions::chooseOpenFile() {
    const QString path = QFileDialog::getOpenFileName(&window, "Open selection", QString(), kFilter);
    if (!path.isEmpty())
        open(path);
}

void SelectionFileActions::fillRecent() {
    mnuRecentSelections->clear();
    const QStringList recent = preferences.recentSelections();
    int k = 0;
    for (const QString& path : recent) {
        QAction* a =
            mnuRecentSelections->addAction(QString("&%1 %2").arg(k + 1).arg(QFileInfo(path).fileName()));
        a->setObjectName(QString("mnuRecentSelection_%1").arg(k++));
        a->setToolTip(path);
        connect(a, &QAction::triggered, this, [this, path] { open(path); });
    }
    mnuRecentSelections->setEnabled(!recent.isEmpty());
}

} // namespace airmotor::app
