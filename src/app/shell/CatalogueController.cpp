#include "app/shell/CatalogueController.h"

#include "app/selection/MainWindow.h"
#include "app/shell/CatalogueDialog.h"
#include "app/shell/ProgramContext.h"
#include "app/shell/TextConversion.h"
#include "core/catalogue/CatalogueLocation.h"
#include "core/common/Keys.h"
#include "core/results/SearchSummary.h"
#include "platform/files/UserPreferences.h"
#include "platform/storage/CatalogueChoice.h"

#include <QAction>
#include <QLabel>
#include <QStatusBar>

namespace airmotor::app {

CatalogueController::CatalogueController(MainWindow& window, ProgramContext& program,
                                         core::MessageSink& messages, platform::UserPreferences& preferences,
                                         UnsavedEdits unsavedEdits, std::chrono::milliseconds checkInterval)
    : QObject(&window), window_(window), program_(program), messages_(messages), preferences_(preferences),
      unsavedEdits_(std::move(unsavedEdits)), checkInterval_(checkInterval) {
    auto* item = new QAction(&window);
    item->setObjectName("mnuCatalogue");
    window.addMenuAction(MainWindow::MenuPlace::Options, item);
    connect(item, &QAction::triggered, this, &CatalogueController::openDialog);
    connect(&window, &MainWindow::actionStarting, this, &CatalogueController::beforeAction);
    offlineBadge_ = new QLabel(&window);
    offlineBadge_->setObjectName("lblOfflineCopy");
    window.statusBar()->addPermanentWidget(offlineBadge_);
    connect(&window, &MainWindow::languageChanged, this, &CatalogueController::showOfflineState);
    showOfflineState();
    listen();
    if (program.readOnly())
        messages.show(
            {.text = core::FillPlaceholders(text(core::TextKey::CatalogueOffline),
                                            {program.location().toStdString(), *program.offlineReason}),
             .icon = core::MessageIcon::Warning,
             .title = text(core::TextKey::CatalogueTitle)});
}

CatalogueController::~CatalogueController() = default;

CatalogueDialog* CatalogueController::dialog() const {
    return dialog_;
}

std::string CatalogueController::text(int key) const {
    return program_.language.strText(key);
}

void CatalogueController::status(const std::string& line) {
    window_.statusBar()->showMessage(Q(line));
}

void CatalogueController::showOfflineState() {
    offlineBadge_->setVisible(program_.readOnly());
    if (!program_.readOnly())
        return;
    offlineBadge_->setText(Q(text(core::TextKey::CatalogueOfflineBadge)));
    offlineBadge_->setToolTip(
        Q(core::FillPlaceholders(text(core::TextKey::CatalogueOffline),
                                 {program_.location().toStdString(), *program_.offlineReason})));
}

void CatalogueController::listen() {
    listener_.reset();
    const auto parsed = core::ParseCatalogueLocation(program_.location().toStdString());
    const auto* location = std::get_if<core::CatalogueLocation>(&parsed);
    if (location == nullptr || !location->isPostgres() || !program_.databaseOverride.isEmpty())
        return;
    listener_ = std::make_unique<platform::CatalogueListener>(
        *location, [this](const platform::CatalogueNotice& notice) { noticed(notice); }, checkInterval_);
}

void CatalogueController::openDialog() {
    if (dialog_) {
        dialog_->raise();
        return;
    }
    dialog_ = new CatalogueDialog(preferences_.catalogueLocation(), program_.language.strText, &window_);
    dialog_->setAttribute(Qt::WA_DeleteOnClose);
    connect(dialog_, &QDialog::accepted, this, [this] { choose(dialog_->location()); });
    dialog_->open();
}

void CatalogueController::choose(const QString& preference) {
    preferences_.setCatalogueLocation(preference);
    const QString chosen =
        platform::ChooseCatalogue(std::nullopt, preference, program_.folder.databaseFile());
    if (!preference.isEmpty() && chosen != preference) {
        status(core::FillPlaceholders(text(core::TextKey::CatalogueEnvironmentWins), {chosen.toStdString()}));
        return;
    }
    next_ = chosen;
    status(core::FillPlaceholders(text(core::TextKey::CatalogueChosen), {chosen.toStdString()}));
}

void CatalogueController::noticed(const platform::CatalogueNotice& notice) {
    changed_ = true;
    if (!notice.motor.empty() && !notice.user.empty())
        status(
            core::FillPlaceholders(text(core::TextKey::CatalogueMotorChanged), {notice.motor, notice.user}));
    else if (notice.motor.empty() && !notice.user.empty())
        status(core::FillPlaceholders(text(core::TextKey::CatalogueReplaced), {notice.user}));
    else
        status(text(core::TextKey::CatalogueChanged));
}

void CatalogueController::beforeAction() {
    // Readings in the editor were taken against the catalogue on screen: it stays until they are saved.
    if (!reloadPending() || (unsavedEdits_ && unsavedEdits_()))
        return;
    const QString previousLocation = program_.catalogueLocation;
    const QString previousOverride = program_.databaseOverride;
    const auto previousOffline = program_.offlineReason;
    const bool moving = next_.has_value();
    if (moving) {
        program_.catalogueLocation = *next_;
        program_.databaseOverride.clear();
    }
    // A change heard while offline means the server is back: it is read from there.
    program_.offlineReason.reset();
    std::optional<std::string> error = program_.loadCatalogue();
    if (!error && moving)
        error = program_.loadTexts();
    changed_ = false;
    next_.reset();
    if (error) {
        const std::string failed = program_.location().toStdString();
        program_.catalogueLocation = previousLocation;
        program_.databaseOverride = previousOverride;
        program_.offlineReason = previousOffline;
        if (moving)
            static_cast<void>(program_.loadCatalogue());
        showOfflineState();
        messages_.show(
            {.text = core::FillPlaceholders(text(core::TextKey::CatalogueRereadFailed), {failed, *error}),
             .icon = core::MessageIcon::Warning,
             .title = text(core::TextKey::CatalogueTitle)});
        return;
    }
    if (moving) {
        window_.applyCaptionsEverywhere();
        listen();
    }
    showOfflineState();
    status(core::FillPlaceholders(text(core::TextKey::CatalogueReread),
                                  {std::to_string(program_.catalogue.intAntalMotorer)}));
}

} // namespace airmotor::app
