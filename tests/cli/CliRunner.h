#pragma once

#include <QByteArray>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QString>
#include <QStringList>

#include <gtest/gtest.h>

namespace airmotor::cli::test {

struct CliResult {
    int status = -1;
    QByteArray out;
    QByteArray err;

    // stdout as the one JSON object the contract promises (an empty object when it is not).
    QJsonObject json() const {
        QJsonParseError error{};
        const QJsonDocument doc = QJsonDocument::fromJson(out, &error);
        EXPECT_EQ(error.error, QJsonParseError::NoError)
            << error.errorString().toStdString() << ": " << out.left(200).toStdString();
        EXPECT_TRUE(doc.isObject());
        return doc.object();
    }
};

// Runs the built airmotor-cli with the given arguments (the bundled program folder unless the
// arguments name another one).
inline CliResult RunCli(const QStringList& arguments) {
    QProcess process;
    process.start(QStringLiteral(AIRMOTOR_BIN_DIR "/airmotor-cli"), arguments);
    CliResult result;
    if (!process.waitForFinished(60000)) {
        ADD_FAILURE() << "airmotor-cli did not finish: " << arguments.join(' ').toStdString();
        process.kill();
        process.waitForFinished();
        return result;
    }
    result.status = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    result.out = process.readAllStandardOutput();
    result.err = process.readAllStandardError();
    return result;
}

// How many motors of the folder's catalogue carry the designation.
inline int Listed(const QString& folder, const QString& designation) {
    const CliResult r = RunCli({"--folder", folder, "catalogue", "--json"});
    int count = 0;
    for (const auto& motor : r.json()["motors"].toArray())
        count += motor.toObject()["strBenamning"].toString() == designation ? 1 : 0;
    return count;
}

// A failed run: nothing on stdout, exactly one line on stderr.
inline void ExpectFailure(const CliResult& r, int status, const char* fragment = "") {
    EXPECT_EQ(r.status, status) << r.err.toStdString();
    EXPECT_TRUE(r.out.isEmpty()) << r.out.left(200).toStdString();
    EXPECT_EQ(r.err.count('\n'), 1) << r.err.toStdString();
    EXPECT_TRUE(r.err.contains(fragment)) << r.err.toStdString();
}

} // namespace airmotor::cli::test
