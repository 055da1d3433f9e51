// The desktop on a shared PostgreSQL catalogue: what another program writes reaches it between two
// actions, a stale save is refused, and an unreachable server leaves it the last copy, read-only.
#include "../app/AppTestSupport.h"
#include "CatalogueFixture.h"

#include "app/shell/CatalogueController.h"
#include "core/common/Keys.h"
#include "core/maintenance/MotorRecord.h"
#include "platform/storage/MotorDataWriter.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QScopeGuard>
#include <QStatusBar>

namespace airmotor::platform::test {
namespace {
namespace desktop_catalogue_test {

using namespace std::chrono_literals;

bool WaitFor(const std::function<bool()>& done) {
    QElapsedTimer timer;
    timer.start();
    while (!done() && timer.elapsed() < 15000)
        QApplication::processEvents(QEventLoop::AllEvents, 50);
    return done();
}

// One desktop program on `location`, up to its main window, as the shell opens it.
struct Desktop {
    app::test::TestFolder folder{"English"};
    std::unique_ptr<app::ProgramContext> program = folder.context();
    core::RecordingMessageSink messages;
    std::unique_ptr<app::MainWindow> window;
    bool unsavedEdits = false;

    Desktop(const QString& location, const QString& cacheFolder) {
        program->catalogueLocation = location;
        program->cache = CatalogueCache(cacheFolder);
        program->settings = SettingsFile(program->folder).read();
        program->language.strLanguage = program->settings.strLanguage;
        if (auto error = program->loadCatalogue(); error && !program->useOfflineCopy(*error))
            ADD_FAILURE() << *error;
        window = std::make_unique<app::MainWindow>(*program, messages);
        if (auto error = window->load())
            ADD_FAILURE() << *error;
        new app::CatalogueController(
            *window, *program, messages, window->preferences(), [this] { return unsavedEdits; }, 100ms);
    }
    std::string status() const { return window->statusBar()->currentMessage().toStdString(); }
    void act() {
        window->runSessionAction([](core::SelectionSession& s) { s.ClickAllMotors(); });
    }
    int indexOf(const std::string& designation) const {
        return core::FindDesignation(program->catalogue, designation);
    }
};

class DesktopCatalogueTest : public PostgresCatalogueTest {
protected:
    QTemporaryDir cache_;
    QTemporaryDir config_;
    void SetUp() override {
        PostgresCatalogueTest::SetUp();
        qputenv("XDG_CONFIG_HOME", config_.path().toUtf8());
        qunsetenv("AIRMOTOR_CATALOGUE");
    }
};

TEST_F(DesktopCatalogueTest, AnAddByTheCliReachesBothDesktopsAndAStaleSaveIsRefused) {
    pushBundled();
    Desktop a(url(), cache_.path());
    Desktop b(url(), cache_.path());
    const int before = a.program->catalogue.intAntalMotorer;
    const QTemporaryDir dir;
    const QString measurement = dir.filePath(QStringLiteral("NEW.DAT"));
    ASSERT_TRUE(
        QFile::copy(QStringLiteral(AIRMOTOR_SOURCE_DIR "/tests/cli/recorded/TKM20.DAT"), measurement));
    const CliRun added =
        RunCli({"--catalogue", url(), "save-motor", measurement, "--designation", "TKM20-TEAM", "--add"});
    ASSERT_EQ(added.status, 0) << added.err.toStdString();

    const std::string notice = "airmotor changed TKM20-TEAM in the catalogue";
    ASSERT_TRUE(WaitFor([&] { return a.status().starts_with(notice) && b.status().starts_with(notice); }))
        << a.status();
    // Heard, but nothing moves under the user until the next action, and none while the editor
    // holds unsaved readings.
    EXPECT_EQ(a.program->catalogue.intAntalMotorer, before);
    a.unsavedEdits = true;
    a.act();
    EXPECT_EQ(a.indexOf("TKM20-TEAM"), 0);
    a.unsavedEdits = false;
    a.act();
    EXPECT_EQ(a.program->catalogue.intAntalMotorer, before + 1);
    EXPECT_NE(a.indexOf("TKM20-TEAM"), 0);

    // B saves over the new motor with the catalogue it loaded before the add: refused, nothing written.
    const CatalogueSnapshot now = Snapshot(url());
    const auto row = std::find_if(now.motors.begin(), now.motors.end(), [](const core::MotorRow& r) {
        return std::get<std::string>(**r.find("strBenamning")) == "TKM20-TEAM";
    });
    ASSERT_NE(row, now.motors.end());
    MotorDataWriter stale(b.program->databaseFile());
    stale.rememberLoaded(b.program->rowVersions);
    const core::MotorRecord record = RecordOf(*row, core::SaveMode::Replace, 1, "TKM20-TEAM");
    EXPECT_TRUE(std::holds_alternative<std::string>(stale.write(record, "TKM20-TEAM")));
    ASSERT_TRUE(stale.lastConflict().has_value());
    EXPECT_EQ(stale.lastConflict()->designation, "TKM20-TEAM");
    EXPECT_EQ(stale.lastConflict()->changedBy, "airmotor");
    // After B's next action it has the row's version, and the same save goes through.
    b.act();
    MotorDataWriter fresh(b.program->databaseFile());
    fresh.rememberLoaded(b.program->rowVersions);
    EXPECT_TRUE(std::holds_alternative<int>(fresh.write(record, "TKM20-TEAM")));
    EXPECT_FALSE(fresh.lastConflict().has_value());
}

TEST_F(DesktopCatalogueTest, UnreachableAtStartGivesTheLastCopyReadOnlyUntilTheServerIsBack) {
    pushBundled();
    const int motors = Desktop(url(), cache_.path()).program->catalogue.intAntalMotorer;
    ASSERT_EQ(cluster_->stopImmediately(), "");
    auto restart = qScopeGuard([this] { cluster_->start(); });

    // Without a copy that loads the start fails as before, and nothing claims to be offline.
    for (const QByteArray& copy : {QByteArray(), QByteArray("not a database")}) {
        const QTemporaryDir otherCache;
        app::ProgramContext start;
        start.catalogueLocation = url();
        start.cache = CatalogueCache(otherCache.path());
        if (!copy.isEmpty()) {
            QFile file(start.cache.fileFor(url()));
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
            file.write(copy);
        }
        ASSERT_TRUE(start.loadCatalogue().has_value());
        EXPECT_FALSE(start.useOfflineCopy("refused")) << copy.toStdString();
        EXPECT_FALSE(start.readOnly());
    }

    Desktop offline(url(), cache_.path());
    ASSERT_TRUE(offline.program->readOnly());
    EXPECT_EQ(offline.program->catalogue.intAntalMotorer, motors);
    ASSERT_EQ(offline.messages.messages.size(), std::size_t{1});
    EXPECT_TRUE(offline.messages.messages[0].text.starts_with("The catalogue " + url().toStdString() +
                                                              " cannot be reached: "))
        << offline.messages.messages[0].text;
    // The message goes; the sign in the status bar stays while the copy is shown.
    const auto* badge = offline.window->findChild<QLabel*>("lblOfflineCopy");
    ASSERT_NE(badge, nullptr);
    EXPECT_FALSE(badge->isHidden());
    EXPECT_EQ(badge->text().toStdString(),
              offline.program->language.strText(core::TextKey::CatalogueOfflineBadge));
    EXPECT_EQ(badge->toolTip().toStdString(), offline.messages.messages[0].text);

    ASSERT_EQ(cluster_->start(), "");
    restart.dismiss();
    ASSERT_TRUE(WaitFor([&] {
        return offline.status() == offline.program->language.strText(core::TextKey::CatalogueChanged);
    })) << offline.status();
    offline.act();
    EXPECT_FALSE(offline.program->readOnly());
    EXPECT_TRUE(badge->isHidden());
}

} // namespace desktop_catalogue_test
} // namespace
} // namespace airmotor::platform::test
