#pragma once

// Shared set-up of the window tests: a private program folder with the bundled database and help pages,
// so no test rewrites the build's own ZEVODIDA.DAT.

#include "app/printing/PrintController.h"
#include "app/selection/FieldLineEdit.h"
#include "app/selection/MainWindow.h"
#include "app/shell/ProgramContext.h"
#include "core/common/MessageSink.h"

#include <QAbstractButton>
#include <QDir>
#include <QFile>
#include <QFocusEvent>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLineEdit>
#include <QList>
#include <QPair>
#include <QPrinter>
#include <QProcess>
#include <QStringList>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

namespace airmotor::app::test {

inline QString BinDir() {
    return QStringLiteral(AIRMOTOR_BIN_DIR);
}

inline bool CopyFolder(const QString& from, const QString& to) {
    QDir source(from);
    if (!source.exists())
        return false;
    QDir().mkpath(to);
    for (const QString& name : source.entryList(QDir::Files))
        QFile::copy(source.filePath(name), QDir(to).filePath(name));
    // Subfolders too: the help pages of each language.
    for (const QString& name : source.entryList(QDir::Dirs | QDir::NoDotAndDotDot))
        CopyFolder(source.filePath(name), QDir(to).filePath(name));
    return true;
}

// A program folder in a temporary directory. language "" writes a settings file without language;
// withDatabase false leaves the database out.
class TestFolder {
public:
    explicit TestFolder(const QString& language, bool withDatabase = true) {
        if (withDatabase)
            QFile::copy(QDir(BinDir()).filePath("Zevodida.db"), path("Zevodida.db"));
        CopyFolder(QDir(BinDir()).filePath("help"), path("help"));
        writeSettings(language);
    }
    QString folder() const { return dir.path(); }
    QString path(const QString& name) const { return QDir(dir.path()).filePath(name); }
    void writeSettings(const QString& language) {
        QFile file(path("ZEVODIDA.DAT"));
        if (file.open(QIODevice::WriteOnly))
            file.write(QString("\"2017-01-12\",\"%1\",0\r\n").arg(language).toUtf8());
    }
    QString settingsText() const {
        QFile file(path("ZEVODIDA.DAT"));
        return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
    }
    // A context whose files all live in this folder (the folder is writable, so no user copy is used).
    std::unique_ptr<ProgramContext> context() const {
        auto program = std::make_unique<ProgramContext>();
        program->folder = platform::ResolveProgramFolder(folder(), folder());
        return program;
    }

private:
    QTemporaryDir dir;
};

// A main window on a fresh program folder, as the start window hands over to it: settings read,
// catalogue loaded, then the window's own load (texts, start state, listing). Not shown yet.
// The window refers to the program and the messages, so the whole stays in place.
struct OpenedMainWindow {
    OpenedMainWindow() = default;
    OpenedMainWindow(const OpenedMainWindow&) = delete;
    OpenedMainWindow& operator=(const OpenedMainWindow&) = delete;

    std::unique_ptr<TestFolder> folder;
    std::unique_ptr<ProgramContext> program;
    core::RecordingMessageSink messages;
    std::unique_ptr<MainWindow> window;
};

inline void OpenMainWindow(OpenedMainWindow& o, const QString& language) {
    o.folder = std::make_unique<TestFolder>(language);
    o.program = o.folder->context();
    o.program->settings = platform::SettingsFile(o.program->folder).read();
    o.program->language.strLanguage = o.program->settings.strLanguage;
    if (auto error = o.program->loadCatalogue())
        qFatal("%s", error->c_str());
    o.window = std::make_unique<MainWindow>(*o.program, o.messages);
    if (auto error = o.window->load())
        qFatal("%s", error->c_str());
}

inline std::unique_ptr<OpenedMainWindow> OpenMainWindow(const QString& language) {
    auto o = std::make_unique<OpenedMainWindow>();
    OpenMainWindow(*o, language);
    return o;
}

// The text of the one message shown, or how many there were instead.
inline QString OnlyMessage(const core::RecordingMessageSink& sink) {
    if (sink.messages.size() != 1)
        return QString("%1 messages").arg(sink.messages.size());
    return QString::fromStdString(sink.messages[0].text);
}

// Runs the command-line program on the same folder and returns its JSON answer.
inline QJsonObject RunCli(const QString& folder, const QStringList& arguments) {
    QProcess process;
    QStringList args{"--folder", folder};
    args << arguments << "--json";
    process.start(QDir(BinDir()).filePath("airmotor-cli"), args);
    if (!process.waitForFinished(60000))
        return {};
    return QJsonDocument::fromJson(process.readAllStandardOutput()).object();
}

// The grid rows of a CLI answer as "cell0|cell1" lines.
inline QStringList CliGrid(const QJsonObject& answer) {
    QStringList rows;
    for (const QJsonValue& row : answer.value("grid").toArray()) {
        const QJsonArray cells = row.toObject().value("cells").toArray();
        rows << cells.at(0).toString() + "|" + cells.at(1).toString();
    }
    return rows;
}

// The pages of a PDF file Qt wrote (0 when there is no file).
inline int PdfPages(const QString& pdf) {
    QFile file(pdf);
    const QByteArray bytes = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    return int(bytes.count("/Type /Page\n") + bytes.count("/Type /Page\r"));
}

// The text of a PDF file, pages separated by form feeds.
inline QString PdfText(const QString& pdf) {
    QProcess p;
    p.start("pdftotext", {"-layout", pdf, "-"});
    p.waitForFinished(30000);
    // pdftotext writes ligatures ("ff") as single characters.
    return QString::fromUtf8(p.readAllStandardOutput()).normalized(QString::NormalizationForm_KC);
}

// File > Print answered with a PDF file of that name.
inline void ChoosePdfFile(PrintController& printing, const QString& pdf) {
    printing.setPrinterChooser([pdf](QPrinter& printer) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        return std::optional<int>(1);
    });
}

// Typing into a box as a user does: select all on entering, then the keys.
inline void TypeInto(QLineEdit* edit, const QString& text) {
    edit->selectAll();
    QTest::keyClicks(edit, text);
}

// The user leaves the box with Tab.
inline void Leave(QLineEdit* edit) {
    QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
    QCoreApplication::sendEvent(edit, &out);
}

// A control of the window by objectName; a missing one is named in the log before the test trips on it.
template <class T> T* Find(QWidget& window, const QString& name) {
    T* widget = window.findChild<T*>(name);
    if (!widget)
        qWarning() << "no control" << name;
    return widget;
}

// On the indicator: a click beyond the end of a short caption does not hit an option button.
inline void ClickOption(QAbstractButton* button) {
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(8, button->height() / 2));
}

// A click in the result grid; row is 1-based as the session counts it.
inline void ClickCell(MainWindow& w, int row, int column) {
    QTableView& grid = w.grid();
    const QRect cell = grid.visualRect(grid.model()->index(row - 1, column));
    QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, cell.center());
}

// Search view, fields typed in order (each left with Tab before the next), Enter in the last one.
inline void Search(MainWindow& w, const QList<QPair<const char*, QString>>& entries) {
    ClickOption(Find<QAbstractButton>(w, "optCatalogue_1"));
    FieldLineEdit* last = nullptr;
    for (const auto& [name, text] : entries) {
        if (last)
            Leave(last);
        last = Find<FieldLineEdit>(w, name);
        TypeInto(last, text);
    }
    QTest::keyClick(last, Qt::Key_Return);
}

} // namespace airmotor::app::test
