#pragma once

// Shared set-up of the window tests: a private program folder with the bundled database and help pages,
// so no test rewrites the build's own ZEVODIDA.DAT.

#include "app/ProgramContext.h"
#include "core/common/MessageSink.h"

#include <QDir>
#include <QFile>
#include <QFocusEvent>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLineEdit>
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

} // namespace airmotor::app::test
