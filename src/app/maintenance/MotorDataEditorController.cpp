#include "app/maintenance/MotorDataEditorController.h"

#include "app/maintenance/EditorDiagramWindow.h"
#include "app/maintenance/MotorDataEditorWindow.h"
#include "app/maintenance/MotorListBatchController.h"
#include "app/selection/MainWindow.h"
#include "app/shell/ProgramContext.h"
#include "core/common/Keys.h"
#include "core/maintenance/EditorRanges.h"
#include "core/maintenance/MotorRecord.h"
#include "core/results/SearchSummary.h"
#include "platform/files/MeasurementFileStore.h"
#include "platform/printing/EditorDiagramPages.h"

#include <QAbstractButton>
#include <QDateTime>
#include <QFileDialog>
#include <QKeyEvent>
#include <QPrintDialog>
#include <QPrinter>

namespace airmotor::app {

namespace {

using F = core::EditorField;

// In-house texts of the editor (Swedish, like its captions).
constexpr const char* kMotorListRowsText =
    "Ange första och sista rad i bladet \"Motorer\" som heltal (första rad ≤ sista rad).";
constexpr const char* kMaintenanceModeText =
    "Checkbox Prod.data och Knappen Print Prod är nu synliga. Välj Till "
    "Luftzevodidasprogram för att gå tillbaka.";
constexpr const char* kMeasurementReminderText =
    "Obs vid inl. av nya mätdata, glöm inte att lägga in mätpunkten för tomgångsvarvtal (Moment=0)!!";
constexpr const char* kReplaceQuestion = "Byt endast ut polynomkonstanter m.m. för en befintlig motor";
constexpr const char* kUnsavedQuestion =
    "Mätdata har ändrats sedan de sparades eller hämtades. Avsluta programmet ändå?";
constexpr const char* kFileFilter = "Datafiler (*.DAT *.dat)";
constexpr const char* kDefaultFile = "nymotor.dat";

// The data block's date line: the date's parts joined by "-", then the time.
std::string DateTimeText() {
    const QDateTime now = QDateTime::currentDateTime();
    return QStringLiteral("%1-%2-%3,  %4")
        .arg(now.date().year())
        .arg(now.date().month())
        .arg(now.date().day())
        .arg(now.time().toString(QStringLiteral("hh:mm:ss")))
        .toStdString();
}

} // namespace

MotorDataEditorController::MotorDataEditorController(MainWindow& main, ProgramContext& program,
                                                     core::MessageSink& messages)
    : QObject(&main), main_(main), program_(program), messages_(messages), editor_(messages),
      writer_(program.databaseFile()), window_(new MotorDataEditorWindow(editor_, &main)),
      diagram_(new EditorDiagramWindow(&main)),
      motorList_(new MotorListBatchController(*window_, program, messages)) {
    chooser_ = [this](bool save, const QString& title, const QString& preset) {
        return save ? QFileDialog::getSaveFileName(window_, title, preset, QString::fromUtf8(kFileFilter))
                    : QFileDialog::getOpenFileName(window_, title, QString(), QString::fromUtf8(kFileFilter));
    };
    connect(&main, &MainWindow::maintenanceEditorRequested, this, &MotorDataEditorController::openFull);
    main.rotationOption().installEventFilter(this);

    MotorDataEditorWindow* w = window_;
    connect(w, &MotorDataEditorWindow::saveFileRequested, this, &MotorDataEditorController::saveFile);
    connect(w, &MotorDataEditorWindow::loadFileRequested, this, &MotorDataEditorController::loadFile);
    connect(w, &MotorDataEditorWindow::loadCompanionRequested, this,
            &MotorDataEditorController::loadCompanion);
    connect(w, &MotorDataEditorWindow::screenDiagramRequested, this,
            &MotorDataEditorController::drawOnScreen);
    connect(w, &MotorDataEditorWindow::printerDiagramRequested, this,
            &MotorDataEditorController::drawOnPrinter);
    // Command4 runs the printer diagram, which prints the range whenever its last index is set.
    connect(w, &MotorDataEditorWindow::printRangeRequested, this, &MotorDataEditorController::drawOnPrinter);
    connect(w, &MotorDataEditorWindow::databaseSaveRequested, this,
            &MotorDataEditorController::saveToDatabase);
    connect(w, &MotorDataEditorWindow::selectionWindowRequested, this,
            &MotorDataEditorController::backToSelection);
    connect(w, &MotorDataEditorWindow::exitRequested, this, &MotorDataEditorController::requestExit);
    connect(w, &MotorDataEditorWindow::motorListBatchRequested, this,
            &MotorDataEditorController::runMotorList);
    // Leaving the gear ratio redraws a diagram that is on screen (the window draws, no calibration).
    connect(w, &MotorDataEditorWindow::redrawRequested, this, [this] {
        if (diagram_->isVisible() && editor_.drawingPass())
            diagram_->show(core::BuildEditorDiagram(editor_, diagramOptions(core::CanvasKind::Window)));
    });
}

MotorDataEditorController::~MotorDataEditorController() = default;

void MotorDataEditorController::show(const std::string& text, core::MessageIcon icon) {
    messages_.show({.text = text, .icon = icon, .title = "MOMEFF"});
}

void MotorDataEditorController::runMotorList() {
    const std::optional<core::IndexRange> rows = core::MotorListRows(
        window_->motorListText(0).trimmed().toStdString(), window_->motorListText(1).trimmed().toStdString());
    if (!rows) {
        show(kMotorListRowsText, core::MessageIcon::Warning);
        return;
    }
    const auto mode =
        window_->motorListOption() == 0 ? core::MotorListMode::Update : core::MotorListMode::Print;
    motorList_->Run(window_->motorListSheet().trimmed(), rows->first, rows->last, mode);
}

void MotorDataEditorController::openFull() {
    show(kMaintenanceModeText, core::MessageIcon::Information);
    window_->setReduced(false);
    window_->show();
    window_->raise();
    window_->activateWindow();
    show(kMeasurementReminderText, core::MessageIcon::Information);
}

void MotorDataEditorController::openReduced() {
    main_.runSessionAction([](core::SelectionSession& s) { s.EnterReducedMaintenance(); });
    window_->setReduced(true);
    window_->show();
    window_->raise();
    show(kMeasurementReminderText, core::MessageIcon::Information);
}

bool MotorDataEditorController::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress && watched->objectName() == QLatin1String("optRotation_0")) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->text() == QLatin1Char(kReservedKey)) {
            openReduced();
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

void MotorDataEditorController::saveFile() {
    const QString path = chooser_(true, QStringLiteral("Spara datafil"), QString::fromUtf8(kDefaultFile));
    if (path.isEmpty())
        return;
    const core::MeasurementData data = editor_.measurementToSave(platform::MeasurementFileStore::today());
    if (auto error = platform::MeasurementFileStore::write(path, data)) {
        show(platform::FileErrorText(*error, &program_.language.strText), core::MessageIcon::Critical);
        return;
    }
    editor_.saved(path.toStdString());
    window_->setFileLabel(path);
    window_->mirror();
}

void MotorDataEditorController::loadFile() {
    const QString path = chooser_(false, QString::fromUtf8("Hämta datafil"), QString());
    if (path.isEmpty())
        return;
    auto read = platform::MeasurementFileStore::read(path);
    if (const auto* error = std::get_if<platform::FileError>(&read)) {
        // The editor's fields stay as they were.
        show(platform::FileErrorText(*error, &program_.language.strText), core::MessageIcon::Critical);
        return;
    }
    editor_.load(std::get<core::MeasurementData>(read), path.toStdString());
    window_->setFileLabel(path);
    window_->mirror();
}

void MotorDataEditorController::loadCompanion() {
    const QString measurement = QString::fromStdString(editor_.fileName());
    const auto companionPath =
        measurement.isEmpty() ? std::nullopt : platform::MeasurementFileStore::findCompanion(measurement);
    if (!companionPath) {
        show(measurement.isEmpty() ? std::string("Ingen mätdatafil är sparad eller hämtad.")
                                   : measurement.toStdString() + ": ingen fil " +
                                         core::CompanionFileName(measurement.toStdString()),
             core::MessageIcon::Warning);
        return;
    }
    auto read = platform::MeasurementFileStore::readCompanion(*companionPath);
    if (const auto* error = std::get_if<platform::FileError>(&read)) {
        show(platform::FileErrorText(*error, &program_.language.strText), core::MessageIcon::Critical);
        return;
    }
    editor_.loadCompanion(std::get<core::MeasurementData>(read));
    editor_.recompute();
    window_->mirror();
}

core::EditorDiagramOptions MotorDataEditorController::diagramOptions(core::CanvasKind canvas) const {
    core::EditorDiagramOptions options;
    options.canvas = canvas;
    options.showPoints = window_->showPoints();
    options.blackGraduations = window_->blackGraduations();
    options.dateTime = DateTimeText();
    options.texts = &program_.language.strText;
    options.strLanguage = program_.language.strLanguage;
    return options;
}

bool MotorDataEditorController::drawOnScreen() {
    const bool drawn = editor_.calibrate();
    window_->mirror();
    if (drawn)
        diagram_->show(core::BuildEditorDiagram(editor_, diagramOptions(core::CanvasKind::Window)));
    return drawn;
}

void MotorDataEditorController::drawOnPrinter() {
    if (editor_.fields().value(F::txtKatalogIndex_1) > 0.0f) {
        printRange();
        return;
    }
    const bool drawn = editor_.calibrate();
    window_->mirror();
    if (!drawn)
        return;
    print(QString::fromStdString(editor_.texts().designation), 1, [this](int, double dpi) {
        core::EditorDiagramOptions options = diagramOptions(core::CanvasKind::Printer);
        options.printerDpi = static_cast<float>(dpi);
        return core::BuildEditorDiagram(editor_, options);
    });
}

void MotorDataEditorController::printRange() {
    const float typedFirst = editor_.fields().value(F::txtKatalogIndex_0);
    const float typedLast = editor_.fields().value(F::txtKatalogIndex_1);
    const int motors = program_.catalogue.intAntalMotorer;
    const std::optional<core::IndexRange> range = core::CatalogueIndexRange(typedFirst, typedLast, motors);
    if (!range) {
        show(core::CatalogueIndexRangeRefusal(typedFirst, typedLast, motors), core::MessageIcon::Warning);
        return;
    }
    const int first = range->first;
    const int last = range->last;
    print(QStringLiteral("Motor %1-%2").arg(first).arg(last), last - first + 1,
          [this, first](int page, double dpi) {
              core::EditorDiagramOptions options = diagramOptions(core::CanvasKind::Printer);
              options.printerDpi = static_cast<float>(dpi);
              return core::BuildCatalogueEditorDiagram(program_.catalogue, first + page - 1, editor_,
                                                       options);
          });
}

std::unique_ptr<platform::PrintJobSink> MotorDataEditorController::choosePrinter() {
    if (sinkFactory_)
        return sinkFactory_();
    QPrintDialog dialog(&program_.printer.printer(), window_);
    if (dialog.exec() != QDialog::Accepted)
        return nullptr;
    return program_.printer.sink();
}

void MotorDataEditorController::print(const QString& title, int pages,
                                      const std::function<core::EditorDiagram(int, double)>& diagramOf) {
    auto sink = choosePrinter();
    if (!sink)
        return;
    const QString error = platform::PrintEditorDiagrams(*sink, title, pages, diagramOf);
    if (!error.isEmpty())
        show(error.toStdString(), core::MessageIcon::Critical);
}

void MotorDataEditorController::saveToDatabase() {
    if (program_.readOnly()) {
        show(core::FillPlaceholders(program_.language.strText(core::TextKey::CatalogueReadOnly),
                                    {program_.location().toStdString()}),
             core::MessageIcon::Warning);
        return;
    }
    const core::Answer answer = messages_.ask({.text = kReplaceQuestion, .title = "MOMEFF"}, true);
    if (answer == core::Answer::Cancel)
        return;
    const core::SaveMode mode = answer == core::Answer::Yes ? core::SaveMode::Replace : core::SaveMode::Add;
    // The record holds the values of the last, calibrated drawing pass: one record per save.
    if (!drawOnScreen())
        return;
    const std::string designation = editor_.texts().designation;
    const int replaced = core::FindDesignation(program_.catalogue, designation);
    if (mode == core::SaveMode::Replace && replaced == 0) {
        show(core::kDesignationNotFoundText);
        return;
    }
    auto built = core::BuildMotorRecord(editor_, mode);
    if (const auto* error = std::get_if<std::string>(&built)) {
        show(*error, core::MessageIcon::Warning);
        return;
    }
    const core::MotorRecord& record = std::get<core::MotorRecord>(built);
    writer_.rememberLoaded(program_.rowVersions);
    auto written = writer_.write(record, designation);
    if (const auto conflict = writer_.lastConflict()) {
        show(core::FillPlaceholders(program_.language.strText(core::TextKey::CatalogueConflict),
                                    {conflict->designation, conflict->changedBy, conflict->changedAt}),
             core::MessageIcon::Warning);
        return;
    }
    if (const auto* error = std::get_if<std::string>(&written)) {
        // The reason is the database's own and stays as the command line prints it; the lead
        // sentence tells every user that the save did not happen.
        show(core::FillPlaceholders(program_.language.strText(core::TextKey::MotorNotSaved), {designation}) +
                 "\n\n" + *error,
             core::MessageIcon::Critical);
        return;
    }
    program_.rowVersions = writer_.loadedVersions();
    const int index = std::get<int>(written);
    if (mode == core::SaveMode::Replace) {
        core::ApplyToCatalogue(record, program_.catalogue, replaced);
        // The catalogue changed under the session: the window shows the motor's new figures.
        main_.runSessionAction([](core::SelectionSession&) {});
        show("Polynomkonstanterna för " + designation + " är utbytta (intKatalogindex " +
             std::to_string(index) + ").");
        return;
    }
    afterAdd();
    show("Motorn " + designation + " är tillagd i Luftmotordatabasen med intKatalogindex " +
         std::to_string(index) +
         ". Dess intSokindex är 0: listan visar den, men sökningen tar med den först när sökindex är satt.");
}

void MotorDataEditorController::afterAdd() {
    if (auto error = program_.loadCatalogue()) {
        show(*error, core::MessageIcon::Critical);
        return;
    }
    // The listing runs anew, so the selection window shows the new motor.
    main_.runSessionAction([](core::SelectionSession& s) { s.ClickAllMotors(); });
}

void MotorDataEditorController::backToSelection() {
    window_->hide();
    diagram_->hide();
    main_.show();
    main_.raise();
    main_.activateWindow();
}

void MotorDataEditorController::requestExit() {
    if (editor_.readingsChanged() &&
        messages_.ask({.text = kUnsavedQuestion, .title = "MOMEFF"}, false) != core::Answer::Yes)
        return;
    emit exitProgram();
}

} // namespace airmotor::app
