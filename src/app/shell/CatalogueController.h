#pragma once

#include "core/common/MessageSink.h"
#include "platform/storage/CatalogueListener.h"

#include <QObject>
#include <QPointer>
#include <QString>

#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <string>

class QLabel;

namespace airmotor::platform {
class UserPreferences;
}

namespace airmotor::app {

class CatalogueDialog;
class MainWindow;
struct ProgramContext;

// Options → "Catalogue…", the change notices of a PostgreSQL catalogue and its offline copy. A new
// location or a change that was heard is read just before the selection window's next action, never
// during one and never while the motor data editor holds readings that are not saved: what is on
// screen stays until the user acts. Owned by the main window.
class CatalogueController final : public QObject {
    Q_OBJECT
public:
    // True while the editor holds readings that are not saved.
    using UnsavedEdits = std::function<bool()>;

    CatalogueController(
        MainWindow& window, ProgramContext& program, core::MessageSink& messages,
        platform::UserPreferences& preferences, UnsavedEdits unsavedEdits,
        std::chrono::milliseconds checkInterval = platform::CatalogueListener::kCheckInterval);
    ~CatalogueController() override;

    // The menu item: the dialog, not modal; OK stores the location and chooses it.
    void openDialog();
    CatalogueDialog* dialog() const;
    // A location the dialog accepted (empty: the folder's own) is stored and read before the next action.
    void choose(const QString& preference);
    void noticed(const platform::CatalogueNotice& notice);
    bool reloadPending() const { return changed_ || next_.has_value(); }

private:
    void beforeAction();
    void listen();
    void status(const std::string& text);
    // The status bar's lasting sign of the offline copy: a message at start scrolls away, the
    // read-only state does not.
    void showOfflineState();
    std::string text(int key) const;

    MainWindow& window_;
    ProgramContext& program_;
    core::MessageSink& messages_;
    platform::UserPreferences& preferences_;
    UnsavedEdits unsavedEdits_;
    std::chrono::milliseconds checkInterval_;
    std::unique_ptr<platform::CatalogueListener> listener_;
    QPointer<CatalogueDialog> dialog_;
    QLabel* offlineBadge_ = nullptr; // owned by the status bar
    bool changed_ = false;
    std::optional<QString> next_; // the location to read instead
};

} // namespace airmotor::app
