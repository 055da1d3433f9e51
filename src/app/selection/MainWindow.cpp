#include "app/selection/MainWindow.h"
#include "core/common/Keys.h"

#include "app/analysis/AnalysisActions.h"
#include "app/diagrams/MountingPositionsWindow.h"
#include "app/selection/CaptionApplier.h"
#include "app/selection/DetailPanelView.h"
#include "app/selection/FieldLineEdit.h"
#include "app/selection/OptionsPanel.h"
#include "app/selection/OutputPanel.h"
#include "app/selection/RequirementPanel.h"
#include "app/selection/ResultGridModel.h"
#include "app/selection/ResultGridView.h"
#include "app/selection/SelectionFileActions.h"
#include "app/shell/AuxWindowPlacement.h"
#include "app/shell/BuiltFeatures.h"
#include "app/shell/HelpWindow.h"
#include "app/shell/ProgramContext.h"
#include "core/common/ProgramVersion.h"
#include "core/results/SearchSummary.h"
#include "platform/files/UserPreferences.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QElapsedTimer>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMenuBar>
#include <QRadioButton>
#include <QShortcut>
#include <QStatusBar>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>

#include <bit>
#include <cstdint>

namespace airmotor::app {

MainWindow::MainWindow(ProgramContext& context, core::MessageSink& sink, QWidget* parent)
    : QMainWindow(parent), program(context), messages(sink),
      session_(std::make_unique<core::SelectionSession>(context.catalogue, context.language, sink)),
      preferences_(std::make_unique<platform::UserPreferences>(sink, &context.language.strText)) {
    setObjectName("LUFTMOTOR");
    setAttribute(Qt::WA_DeleteOnClose, false);
    session_->SetListener(this);
    help_ = new HelpWindow(program.folder.folder, messages, this);
    mounting_ = new MountingPositionsWindow(this);
    connect(mounting_, &MountingPositionsWindow::positionChosen, this, &MainWindow::chooseMountingPosition);
    // Help explains the search data: it opens where it leaves them in view.
    connect(help_, &HelpWindow::opening, this,
            [this] { PlaceOnFirstShow(help_, this, inputArea(), help_->size(), 0); });
    buildMenus();
    setCentralWidget(buildCentral());
    analysis_ = new AnalysisActions(*this, program, *preferences_, messages);
    selectionFiles_ = new SelectionFileActions(*this, *this, program, *preferences_, messages);
    statusBar()->setObjectName("statusBar");
    setGeometry(MainWindowRect(AvailableScreen(this)));
}

MainWindow::~MainWindow() {
    session_->SetListener(nullptr);
}

QTableView& MainWindow::grid() {
    return *grid_;
}

const core::LanguageState& MainWindow::language() const {
    return program.language;
}

QWidget* MainWindow::buildCentral() {
    auto* central = new QWidget(this);
    requirements = new RequirementPanel(*this, central);
    options = new OptionsPanel(*this, central);
    output = new OutputPanel(*this, central);
    details = new DetailPanelView(central);

    connect(output, &OutputPanel::diagramRequested, this, &MainWindow::diagramRequested);
    connect(output, &OutputPanel::diagramWindowRequested, this, &MainWindow::diagramWindowRequested);
    connect(output, &OutputPanel::drawingRequested, this, &MainWindow::drawingRequested);
    connect(output, &OutputPanel::printRequested, this, [this] { emit printRequested(false); });
    connect(output, &OutputPanel::tablePrintRequested, this, &MainWindow::tablePrintRequested);
    connect(output, &OutputPanel::calculatorRequested, this, &MainWindow::calculatorRequested);

    model = new ResultGridModel(this);
    grid_ = new ResultGridView(central);
    grid_->setObjectName("MSFlexGrid1");
    grid_->setModel(model);
    grid_->setSelectionMode(QAbstractItemView::NoSelection);
    grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid_->setWordWrap(false);
    grid_->setAlternatingRowColors(false);
    grid_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    grid_->verticalHeader()->setDefaultSectionSize(grid_->fontMetrics().height() + 6);
    grid_->verticalHeader()->setMinimumWidth(28);
    grid_->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    grid_->horizontalHeader()->setHighlightSections(false);
    grid_->setMinimumWidth(380);
    auto cellClicked = [this](const QModelIndex& index) {
        const int row = index.row() + 1;
        const int column = index.column();
        run([row, column](core::SelectionSession& s) { s.ClickCell(row, column); });
    };
    connect(grid_, &QTableView::clicked, this, cellClicked);
    connect(grid_, &QTableView::activated, this, cellClicked);
    connect(grid_, &ResultGridView::cellReachedByKey, this, cellClicked);

    Label23 =
        new QLabel("-U= motor without restrictors (should not be run above allowed max speed)", central);
    Label23->setObjectName("Label23");
    Label23->setWordWrap(true);
    Label23->hide();

    // Three columns: duty, options and output, then the results taking the extra room.
    // The diagram alternatives open under the duty, whose column has room to spare: in the middle
    // column they would push the main window past the bottom of a 1280 x 800 screen.
    auto* left = new QVBoxLayout;
    left->addWidget(options->motorTypeArea());
    left->addWidget(requirements);
    left->addStretch(1);
    left->addWidget(output->diagramAlternativesArea());

    // The calculators' long captions go under the output, where the options make the column wide
    // anyway; the duty column stays narrow and leaves the room to the results.
    auto* middle = new QVBoxLayout;
    middle->addWidget(options->seriesOptionsArea());
    middle->addWidget(output);
    middle->addStretch(1);
    middle->addWidget(output->calculatorArea());

    auto* right = new QVBoxLayout;
    right->addWidget(grid_, 1);
    right->addWidget(Label23);
    right->addWidget(details);

    auto* columns = new QHBoxLayout(central);
    columns->setContentsMargins(8, 6, 8, 8);
    columns->setSpacing(10);
    columns->addLayout(left, 0);
    columns->addLayout(middle, 0);
    columns->addLayout(right, 1);
    return central;
}

void MainWindow::buildMenus() {
    auto action = [this](QMenu* menu, const char* name, const QString& text) {
        auto* a = menu->addAction(text);
        a->setObjectName(name);
        return a;
    };
    QMenu* file = menuBar()->addMenu("&File");
    file->setObjectName("FileMenu");
    fileMenu_ = file;
    // Collapsible separators: a place no feature fills leaves no empty group.
    selectionFilesEnd_ = file->addSeparator();
    mnuPrint = action(file, "mnuPrint", "&Print...");
    mnuPrint->setShortcut(QKeySequence::Print);
    connect(mnuPrint, &QAction::triggered, this, [this] { emit printRequested(true); });
    afterPrintEnd_ = action(file, "mnuImportCatalogue", "&Import catalogue\u2026");
    connect(afterPrintEnd_, &QAction::triggered, this, &MainWindow::importCatalogueRequested);
    file->addSeparator();
    resultsEnd_ = file->addSeparator();
    connect(action(file, "mnuBackToStartMenu", "&Back to Start menu"), &QAction::triggered, this,
            &MainWindow::backToStartRequested);
    QAction* exit = action(file, "ExitMenu", "E&xit");
    exit->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
    connect(exit, &QAction::triggered, this, &MainWindow::exitRequested);

    QMenu* opts = menuBar()->addMenu("&Options");
    opts->setObjectName("Options");
    optionsMenu_ = opts;
    for (int k = 0; k < 6; ++k) {
        mnuLanguage[k] = action(opts, QString("mnuLanguage_%1").arg(k).toLatin1().constData(),
                                Q(core::LanguageOfMenuItem(k)));
        mnuLanguage[k]->setCheckable(true);
        connect(mnuLanguage[k], &QAction::triggered, this, [this, k] { chooseLanguage(k); });
    }
    opts->addSeparator();
    mnuOnlyObsoleteMotors = action(opts, "mnuOnlyObsoleteMotors", "Include obsolete motors");
    mnuOnlyObsoleteMotors->setCheckable(true);
    connect(mnuOnlyObsoleteMotors, &QAction::triggered, this,
            [this] { run([](core::SelectionSession& s) { s.ToggleOnlyObsoleteMotors(); }); });
    mnuShowAlwaysDiagram = action(opts, "mnuShowAlwaysDiagram", "&Show always diagram");
    mnuShowAlwaysDiagram->setCheckable(true);
    connect(mnuShowAlwaysDiagram, &QAction::triggered, this,
            [this] { run([](core::SelectionSession& s) { s.ToggleShowAlwaysDiagram(); }); });
    mnuOwnMotorData = action(opts, "mnuOwnMotorData", "Allow own motordata for Wagon and Rot. mass");
    mnuOwnMotorData->setCheckable(true);
    mnuOwnMotorData->setEnabled(kBuiltFeatures.calculators);
    connect(mnuOwnMotorData, &QAction::toggled, this, &MainWindow::ownMotorDataToggled);
    opts->addSeparator();
    connect(action(opts, "NewPrices", "&New prices"), &QAction::triggered, this,
            [this] { showMessage(core::TextKey::PricesNote); });

    QMenu* helpMenu = menuBar()->addMenu("&Help");
    helpMenu->setObjectName("Help");
    connect(action(helpMenu, "UsingHelp", "Using &Help"), &QAction::triggered, this,
            [this] { help_->openTopic(HelpWindow::kUsingHelpTopic); });
    connect(action(helpMenu, "Contents", "&Contents"), &QAction::triggered, this,
            [this] { help_->openContents(); });
    connect(new QShortcut(QKeySequence::HelpContents, this), &QShortcut::activated, this,
            [this] { help_->openTopic(contextHelpTopic()); });
    helpMenu->addSeparator();
    connect(action(helpMenu, "mnuNewsInThisVersion", "News in this version"), &QAction::triggered, this,
            &MainWindow::showNews);
    connect(action(helpMenu, "About", "&About Air Motor Selector..."), &QAction::triggered, this,
            &MainWindow::showAbout);
}

void MainWindow::addMenuAction(MenuPlace place, QAction* action) {
    switch (place) {
    case MenuPlace::SelectionFiles:
        return fileMenu_->insertAction(selectionFilesEnd_, action);
    case MenuPlace::AfterPrint:
        return fileMenu_->insertAction(afterPrintEnd_, action);
    case MenuPlace::Results:
        return fileMenu_->insertAction(resultsEnd_, action);
    case MenuPlace::Options:
        return optionsMenu_->addAction(action);
    }
}

void MainWindow::addSubmenu(MenuPlace place, QMenu* menu) {
    addMenuAction(place, menu->menuAction());
}

bool MainWindow::ownMotorDataAllowed() const {
    return mnuOwnMotorData->isChecked();
}

std::array<QLabel*, 2> MainWindow::explosionPictures() const {
    return details->explosionPictures();
}

QWidget& MainWindow::rotationOption() {
    return *options->rotationButton(0);
}

std::optional<std::string> MainWindow::load() {
    if (auto error = program.loadTexts())
        return error;
    busy_ = true;
    applyCaptionsEverywhere();
    QElapsedTimer timer;
    timer.start();
    session_->Load();
    busy_ = false;
    refresh();
    showSummary(timer.nsecsElapsed());
    return std::nullopt;
}

void MainWindow::run(const std::function<void(core::SelectionSession&)>& action) {
    if (busy_)
        return;
    emit actionStarting();
    busy_ = true;
    const std::string before = listingState();
    QElapsedTimer timer;
    timer.start();
    action(*session_);
    const qint64 elapsed = timer.nsecsElapsed();
    busy_ = false;
    refresh();
    const std::optional<core::Message> refusal = session_->pressureRefusal();
    if (refusal)
        statusBar()->showMessage(Q(refusal->text));
    else if (listingState() != before || pressureRefusalShown_)
        showSummary(elapsed);
    pressureRefusalShown_ = refusal.has_value();
    if (raiseHelpAfterAction) {
        raiseHelpAfterAction = false;
        QTimer::singleShot(0, help_, &QWidget::raise);
    }
    if (pendingFocus) {
        requirements->field(*pendingFocus)->setFocus(Qt::OtherFocusReason);
        pendingFocus.reset();
    }
}

void MainWindow::refresh() {
    const bool wasBusy = busy_;
    busy_ = true;
    const core::SelectionSession& s = *session_;
    const core::TextTable& strText = program.language.strText;
    requirements->refresh(s);
    options->refresh(s);
    output->refresh(s);
    details->refresh(s, program.language);

    const core::ResultTable& results = s.results();
    model->setRows(results.grid);
    model->setHeaders(Q(strText(core::kGridHeaderKey0)), Q(strText(core::kGridHeaderKey1)));
    if (results.currentGridRow > 0 && results.currentGridRow <= model->rowCount())
        grid_->setCurrentIndex(grid_->model()->index(results.currentGridRow - 1, results.currentGridColumn));
    Label23->setVisible(results.Label23Visible);

    const core::OutputControls& outputs = s.outputs();
    mnuPrint->setEnabled(outputs.mnuPrintEnabled && kBuiltFeatures.printing);
    mnuOnlyObsoleteMotors->setChecked(s.options().mnuOnlyObsoleteMotors);
    mnuShowAlwaysDiagram->setChecked(s.options().mnuShowAlwaysDiagram);
    const int item = core::MenuItemOfLanguage(program.language.strLanguage);
    for (int k = 0; k < 6; ++k)
        mnuLanguage[k]->setChecked(k == item);
    busy_ = wasBusy;
    emit refreshed();
}

void MainWindow::applyCaptionsEverywhere() {
    const core::CaptionContext context = program.captionContext();
    for (QWidget* window : QApplication::topLevelWidgets())
        ApplyCaptions(window, program.language.strText, context);
    // The mounting window belongs to this window and is a window of its own.
    ApplyCaptions(mounting_, program.language.strText, context);
    help_->setLanguage(program.language.strLanguage,
                       program.language.strText(core::TextKey::HelpPageInEnglish));
    namespace K = core::TextKey;
    std::array<QString, 6> descriptions;
    const std::array<int, 6> keys = {K::MountingHorizontalFoot,    K::MountingHorizontalWall,
                                     K::MountingVerticalDown,      K::MountingVerticalUp,
                                     K::MountingHorizontalCeiling, K::OtherMountingPosition};
    for (std::size_t k = 0; k < keys.size(); ++k)
        descriptions[k] = Q(program.language.strText(keys[k]));
    mounting_->setDescriptions(descriptions);
}

void MainWindow::chooseLanguage(int menuItem) {
    if (busy_)
        return;
    const std::string previous = program.language.strLanguage;
    program.language.strLanguage = std::string(core::LanguageOfMenuItem(menuItem));
    if (auto error = program.loadTexts()) {
        program.language.strLanguage = previous;
        core::Message m;
        m.text = *error;
        m.icon = core::MessageIcon::Critical;
        messages.show(m);
        refresh();
        return;
    }
    emit hideDiagramAndDrawingRequested();
    applyCaptionsEverywhere();
    program.settings.strLanguage = program.language.strLanguage;
    if (auto error = program.writeSettings()) {
        core::Message m;
        m.text = *error;
        m.icon = core::MessageIcon::Warning;
        messages.show(m);
    }
    run([](core::SelectionSession& s) { s.LanguageChanged(); });
    emit languageChanged();
}

void MainWindow::catalogueReplaced() {
    emit hideDiagramAndDrawingRequested();
    applyCaptionsEverywhere();
    run([](core::SelectionSession& s) { s.LanguageChanged(); });
    emit languageChanged();
}

void MainWindow::OpenMountingPositions() {
    const core::TextTable& strText = program.language.strText;
    std::array<QString, 6> choices;
    for (int k = 0; k < 6; ++k)
        choices[std::size_t(k)] = Q(core::MountingPositionText(k, strText));
    mounting_->setTexts(Q(strText(core::TextKey::MountingPositionQuestion)), choices);
    mounting_->ask();
}

void MainWindow::chooseMountingPosition(int picture) {
    run([picture](core::SelectionSession& s) { s.ChooseMountingPosition(picture); });
}

void MainWindow::HelpTopicSuggested(int topic) {
    help_->openTopic(topic);
    // The message that follows the suggestion hands the activation back to this window, which the
    // window manager raises over the help: it is raised again once the action is over.
    raiseHelpAfterAction = true;
}

void MainWindow::FocusField(core::RequirementField field) {
    pendingFocus = field;
}

void MainWindow::Beep() {
    QApplication::beep();
}

void MainWindow::showMessage(int key) {
    core::Message m;
    m.key = key;
    m.text = program.language.strText(key);
    messages.show(m);
}

void MainWindow::showAbout() {
    core::Message m;
    const core::TextTable& strText = program.language.strText;
    m.title = strText(core::TextKey::AboutTitle);
    m.icon = core::MessageIcon::Information;
    m.text = "\nAir Motor Selector\n" + strText(core::TextKey::AboutVersion) + "  " +
             core::BuildVersionText() + "\n" + strText(27) + " " + std::string(core::ThisBuild().date) +
             "\n\n" + strText(core::TextKey::AboutPurpose) + "\nAir Motor Selector project";
    messages.show(m);
}

void MainWindow::showNews() {
    core::Message m;
    m.title = program.language.strText(core::kNewsTitleKey);
    m.text = program.language.strText(core::kNewsKey);
    m.icon = core::MessageIcon::Information;
    messages.show(m);
}

std::string MainWindow::listingState() const {
    const core::SelectionSession& s = *session_;
    // The pressure too: the summary names it, and Enter in the catalogue view changes only it.
    std::string state = program.language.strLanguage + '\n' + std::to_string(s.lastSearchCase().value_or(0)) +
                        '\n' +
                        std::to_string(std::bit_cast<std::uint32_t>(s.input().values.sngTillgLuftTryck));
    for (const core::GridRow& row : s.results().grid)
        state += '\n' + row.cells[0] + '\t' + row.cells[1];
    return state;
}

void MainWindow::showSummary(qint64 elapsedNs) {
    const core::SelectionSession& s = *session_;
    const std::optional<int> searchCase = s.lastSearchCase();
    // Only what the grid lists now is described; an emptied grid describes nothing.
    if (s.results().grid.empty() || (!searchCase && !s.bolKatalogLista())) {
        statusBar()->clearMessage();
        return;
    }
    constexpr double kNsPerMs = 1e6;
    const QString summary = Q(core::SearchSummary(program.language, searchCase, s.results().rowCount(),
                                                  s.input().values.sngTillgLuftTryck));
    statusBar()->showMessage(summary + Q(core::kSummarySeparator) +
                             QString::number(double(elapsedNs) / kNsPerMs, 'f', 1) + " ms");
}

int MainWindow::contextHelpTopic() const {
    // In the search data the page on entering a search; elsewhere the contents.
    return requirements->isAncestorOf(QApplication::focusWidget()) ? kSearchHelpTopic : 0;
}

QRect MainWindow::inputArea() const {
    QRect area;
    const QWidget* parts[] = {requirements, options->motorTypeArea(), options->seriesOptionsArea(), output,
                              output->diagramAlternativesArea()};
    for (const QWidget* w : parts)
        if (!w->isHidden())
            area |= QRect(w->mapToGlobal(QPoint(0, 0)), w->size());
    return area;
}

QRect MainWindow::resultArea() const {
    return QRect(grid_->mapToGlobal(QPoint(0, 0)), grid_->size()) |
           QRect(details->mapToGlobal(QPoint(0, 0)), details->size());
}

void MainWindow::closeEvent(QCloseEvent* event) {
    help_->close();
    mounting_->hide();
    if (!program.intTillbakaStart)
        emit exitRequested();
    event->accept();
}

} // namespace airmotor::app
