#pragma once

#include <QByteArray>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QString>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdlib>
#include <memory>

namespace airmotor::fuzz {

// What a Qt-based harness needs once per process: an application object (the SQL drivers are
// plugins) and a private scratch folder, in memory where the machine offers one.
class FuzzFolder final {
public:
    FuzzFolder() {
        static int argc = 1;
        static char name[] = "airmotor-fuzz";
        static char* argv[] = {name, nullptr};
        app_ = std::make_unique<QCoreApplication>(argc, argv);
        const QString base =
            QDir(QStringLiteral("/dev/shm")).exists() ? QStringLiteral("/dev/shm") : QDir::tempPath();
        dir_ = std::make_unique<QTemporaryDir>(base + QStringLiteral("/airmotor-fuzz-XXXXXX"));
        if (!dir_->isValid())
            std::abort();
    }

    QString path(const QString& name) const { return dir_->filePath(name); }

    void write(const QString& name, const QByteArray& bytes) const {
        QFile file(path(name));
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
            std::abort();
    }

    static QByteArray bytes(const std::uint8_t* data, std::size_t size) {
        return QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    }

private:
    std::unique_ptr<QCoreApplication> app_;
    std::unique_ptr<QTemporaryDir> dir_;
};

} // namespace airmotor::fuzz
