#include "platform/access/AccessReader.h"

#include "platform/access/AccessReaderLimits.h"
#include "platform/access/AccessWireParser.h"
#include "platform/files/RegularFile.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QProcess>

namespace airmotor::platform {
namespace {

const QString kReaderName = QStringLiteral("airmotor-access-reader");
// How often a waiting parent looks at the reader's output size.
constexpr int kPollMilliseconds = 50;

} // namespace

AccessReader::AccessReader(QString readerProgram, std::chrono::milliseconds timeLimit)
    : readerProgram_(std::move(readerProgram)), timeLimit_(timeLimit) {}

QString AccessReader::defaultReaderProgram() {
    const QDir dir(QCoreApplication::applicationDirPath());
    const QString beside = dir.filePath(kReaderName);
    if (QFileInfo(beside).isExecutable())
        return beside;
    return QDir::cleanPath(dir.filePath(QStringLiteral("../libexec/airmotor/") + kReaderName));
}

TableReadResult AccessReader::read(const QString& file, const std::vector<std::string>& tables) const {
    const std::string name = QDir::toNativeSeparators(file).toStdString();
    const auto fail = [&](const std::string& what) { return TableReadError{name + ": " + what}; };
    if (!QFileInfo::exists(file))
        return fail("the file does not exist");
    auto content = ReadRegularFile(file, kAccessFileCap);
    if (const auto* error = std::get_if<FileError>(&content))
        return TableReadError{error->message};
    const QByteArray& bytes = std::get<QByteArray>(content);
    if (tables.empty())
        return std::vector<AccessTable>{};
    if (!QFileInfo(readerProgram_).isExecutable())
        return fail("cannot be read: the Access reader " +
                    QDir::toNativeSeparators(readerProgram_).toStdString() + " is missing");

    QStringList arguments;
    for (const std::string& table : tables)
        arguments << QString::fromStdString(table);
    QProcess reader;
    reader.setProgram(readerProgram_);
    reader.setArguments(arguments);
    // libmdb takes options and character sets from the environment: the reader gets none of it.
    QProcessEnvironment environment;
    environment.insert(QStringLiteral("LC_ALL"), QStringLiteral("C"));
    reader.setProcessEnvironment(environment);
    reader.setStandardErrorFile(QProcess::nullDevice());
    const QDeadlineTimer deadline(timeLimit_);
    const std::string timeText =
        QString::number(static_cast<double>(timeLimit_.count()) / 1000.0).toStdString();
    const auto stop = [&](const std::string& what) {
        reader.kill();
        reader.waitForFinished(-1);
        return fail(what);
    };
    reader.start(QIODevice::ReadWrite);
    if (!reader.waitForStarted(static_cast<int>(deadline.remainingTime())))
        return fail("the Access reader cannot be started: " + reader.errorString().toStdString());

    QByteArray output;
    const auto collect = [&] {
        output += reader.readAllStandardOutput();
        return output.size() <= kAccessOutputCap;
    };
    reader.write(bytes);
    while (reader.bytesToWrite() > 0 && reader.state() == QProcess::Running && !deadline.hasExpired()) {
        reader.waitForBytesWritten(kPollMilliseconds);
        if (!collect())
            return stop("the Access reader's output is larger than " + std::to_string(kAccessOutputCap) +
                        " bytes");
    }
    reader.closeWriteChannel();
    while (reader.state() != QProcess::NotRunning) {
        if (deadline.hasExpired())
            return stop("the Access reader did not finish within " + timeText +
                        " s and was stopped; the file may be damaged");
        reader.waitForFinished(kPollMilliseconds);
        if (!collect())
            return stop("the Access reader's output is larger than " + std::to_string(kAccessOutputCap) +
                        " bytes");
    }
    if (!collect())
        return fail("the Access reader's output is larger than " + std::to_string(kAccessOutputCap) +
                    " bytes");
    if (reader.exitStatus() == QProcess::CrashExit)
        return fail("the Access reader crashed or was killed; the file may be damaged");
    if (reader.exitCode() != 0 && reader.exitCode() != 1)
        return fail("the Access reader failed (exit code " + std::to_string(reader.exitCode()) + ")");

    auto parsed = AccessWireParser::parse(
        std::string_view(output.constData(), static_cast<std::size_t>(output.size())), tables);
    if (const auto* error = std::get_if<AccessWireError>(&parsed))
        return fail(error->message);
    if (reader.exitCode() != 0)
        return fail("the Access reader failed without saying why");
    return std::move(std::get<std::vector<AccessTable>>(parsed));
}

} // namespace airmotor::platform
