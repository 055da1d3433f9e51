#pragma once

#include "platform/storage/SqliteConnection.h"

#include <QFile>
#include <QSqlError>
#include <QSqlQuery>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace airmotor::platform::test {

// A test with a folder of its own, removed afterwards.
class TempDirTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }
    QString path(const QString& name) const { return dir.filePath(name); }
    QTemporaryDir dir;
};

// Runs SQL statements on a database file (created when missing), for building test fixtures.
inline void ExecSql(const QString& file, const QStringList& statements) {
    SqliteConnection connection(file, SqliteConnection::Mode::ReadWrite);
    ASSERT_TRUE(connection.open()) << connection.errorText().toStdString();
    QSqlQuery q(connection.database());
    for (const QString& s : statements)
        ASSERT_TRUE(q.exec(s)) << s.toStdString() << ": " << q.lastError().text().toStdString();
}

inline void WriteFile(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly)) << path.toStdString();
    f.write(bytes);
}

inline QByteArray ReadFile(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Header line and one valid data record of motors.csv; `katalog` and `sok` fill the first two fields.
inline QByteArray MotorHeader() {
    return "intKatalogindex,intSokindex,strBenamning,strDetaljnr1,strDetaljnr2,strDetaljnr3,txtRotation,"
           "bolLubricationFree,bolStainless,bolBrake,sngTomgVarvtal,sngLuftforbrTomgang,sngMaxEffekt,"
           "sngMomentMaxeff,sngLuftMaxeff,sngVarvMaxeff,sngMinStartMoment,sngPris,strMattskiss,intGearsteps,"
           "sngUtvaxling,sngVikt,intGradtal_M,sngC0_M,sngC1_M,sngC2_M,sngC3_M,sngC4_M,intGradtal_L,sngC0_L,"
           "sngC1_L,sngC2_L,sngC3_L,sngC4_L,bolOldMotor,bolVeryOld,sngMin_VarvDiagram,sngMax_VarvDiagram\n";
}
inline QByteArray MotorRecord(int katalog, int sok, const QByteArray& name) {
    return QByteArray::number(katalog) + "," + QByteArray::number(sok) + "," + name +
           ",11 8110 2345 "
           "19,\\N,\\N,A,0,0,-1,6000,20.5,0.75,2.4,15.2,3000,3.9,215.8,\"TKM22A11,TKM22A12\",0,1,"
           "1.95,3,4.8,-0.0008,-1.0639403e-09,5.39684e-14,0,2,5.5,0.0025,1.7e-08,0,0,0,0,0,7499.5\n";
}

} // namespace airmotor::platform::test
