#include "app/selection/SelectionFileActions.h"
#include "app/shell/FilePrompts.h"

#include "app/selection/MainWindow.h"
#include "app/selection/SessionDriver.h"
#include "app/shell/ProgramContext.h"
#include "app/shell/TextConversion.h"
#include "core/common/Keys.h"
#include "core/common/ProgramVersion.h"
#include "core/results/SearchSummary.h"
#include "core/session/CaptionKeys.h"
#include "platform/files/SelectionFile.h"
#include "platform/files/UserPreferences.h"

#include <QAction>
#include <QFileDialog>
#include <QFileInfo>
#include <QMenu>

namespace airmotor::app {

namespace {

constexpr const char* kPattern = " (*.airsel.json *.json)";

} // namespace

SelectionFileActions::SelectionFileActions(MainWindow& mainWindow, SessionDriver& sessionDriver,
                                           ProgramContext& programContext,
                                           platform::UserPreferences& userPreferences,
                                           core::MessageSink& messageSink)
    : QObject(&mainWindow), window(mainWindow), driver(sessionDriver), program(programContext),
      preferences(userPreferences), messages(messageSink) {
    // The captions come from the caption table with the window's others.
    const auto add = [&](const char* name) {
        auto* a = new QAction(&window);
        a->setObjectName(name);
        window.addMenuAction(MainWindow::MenuPlace::SelectionFiles, a);
        return a;
    };
    connect(add("mnuOpenSelection"), &QAction::triggered, this, &SelectionFileActions::chooseOpenFile);
    connect(add("mnuSaveSelection"), &QAction::triggered, this, &SelectionFileActions::chooseSaveFile);
    mnuRecentSelections = new QMenu(&window);
    mnuRecentSelections->setObjectName("mnuRecentSelections");
    window.addSubmenu(MainWindow::MenuPlace::SelectionFiles, mnuRecentSelections);
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
    saved.programVersion = core::BuildVersionText();
    saved.catalogueChecksum = platform::FileChecksum(program.databaseFile());
    saved.language = program.language.strLanguage;
    if (const auto error = platform::WriteSelectionFile(path, saved)) {
        tell(platform::FileErrorText(*error, &program.language.strText), core::MessageIcon::Critical);
        return false;
    }
    preferences.addRecentSelection(path);
    fillRecent();
    return true;
}

bool SelectionFileActions::open(const QString& path) {
    const auto read = platform::ReadSelectionFile(path);
    if (const auto* error = std::get_if<platform::FileError>(&read)) {
        tell(platform::FileErrorText(*error, &program.language.strText), core::MessageIcon::Critical);
        return false;
    }
    const core::SavedSelection& saved = std::get<core::SavedSelection>(read);
    // The requirement texts are in the units of the language they were typed in.
    if (saved.language != program.language.strLanguage) {
        for (int item = 0; item < static_cast<int>(core::kLanguageNames.size()); ++item)
            if (core::LanguageOfMenuItem(item) == saved.language)
                window.chooseLanguage(item);
        if (saved.language != program.language.strLanguage) {
            tell(core::FillPlaceholders(text(core::TextKey::SelectionLanguageMissing),
                                        {path.toStdString(), saved.language}),
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
        note = text(core::TextKey::SelectionOtherCatalogue);
    if (!saved.designation.empty() && row == 0)
        note += std::string(note.empty() ? "" : "\n") +
                core::FillPlaceholders(text(core::TextKey::SelectionMotorGone), {saved.designation});
    if (!note.empty())
        tell(path.toStdString() + ":\n" + note, core::MessageIcon::Information);
    return true;
}

void SelectionFileActions::chooseSaveFile() {
    QString path = QFileDialog::getSaveFileName(&window, Q(text(core::TextKey::SaveSelectionTitle)),
                                                DocumentsPath(), filter());
    if (path.isEmpty())
        return;
    if (QFileInfo(path).suffix().isEmpty())
        path += ".airsel.json";
    saveTo(path);
}

void SelectionFileActions::chooseOpenFile() {
    const QString path = QFileDialog::getOpenFileName(&window, Q(text(core::TextKey::OpenSelectionTitle)),
                                                      DocumentsPath(), filter());
    if (!path.isEmpty())
        open(path);
}

const std::string& SelectionFileActions::text(int key) const {
    return program.language.strText(key);
}

QString SelectionFileActions::filter() const {
    return Q(text(core::TextKey::SavedSelectionsFilter)) + kPattern;
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
