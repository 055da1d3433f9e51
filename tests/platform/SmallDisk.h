#pragma once

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <string>
#include <sys/mount.h>
#include <unistd.h>

namespace airmotor::test {

// A file system of a few pages on a folder of its own, for writes that meet a full disk. Mounting
// needs root (the tests run as root in CI); where it is refused, skipReason() says why.
class SmallDisk final {
public:
    SmallDisk() {
        const QByteArray where = QFile::encodeName(dir_.path());
        if (!dir_.isValid())
            reason_ = "no temporary folder";
        else if (::mount("tmpfs", where.constData(), "tmpfs", MS_NOSUID | MS_NODEV, "size=64k") != 0)
            reason_ = std::string("a small tmpfs cannot be mounted here: ") + std::strerror(errno);
        else
            mounted_ = true;
    }
    ~SmallDisk() {
        if (mounted_)
            ::umount2(QFile::encodeName(dir_.path()).constData(), MNT_DETACH);
    }
    SmallDisk(const SmallDisk&) = delete;
    SmallDisk& operator=(const SmallDisk&) = delete;

    const std::string& skipReason() const { return reason_; }
    QString path(const QString& name) const { return dir_.filePath(name); }
    // Every file on the disk but the filler.
    QStringList files() const {
        QStringList names = QDir(dir_.path()).entryList(QDir::Files | QDir::Hidden);
        names.removeAll(QStringLiteral(".filler"));
        return names;
    }

    // Takes up every free byte, so that the next write of new data fails.
    void fill() {
        const int fd = ::open(QFile::encodeName(path(QStringLiteral(".filler"))).constData(),
                              O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0600);
        const char block[4096] = {};
        for (std::size_t size : {sizeof block, std::size_t{1}})
            while (::write(fd, block, size) > 0) {
            }
        ::close(fd);
    }
    // Gives the space back.
    void empty() { QFile::remove(path(QStringLiteral(".filler"))); }

private:
    QTemporaryDir dir_;
    std::string reason_;
    bool mounted_ = false;
};

} // namespace airmotor::test
