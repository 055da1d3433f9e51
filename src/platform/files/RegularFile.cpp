#include "platform/files/RegularFile.h"

#include <QDir>
#include <QFile>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace airmotor::platform {
namespace {

std::string Name(const QString& path) {
    return QDir::toNativeSeparators(path).toStdString();
}

std::string KindOf(mode_t mode) {
    if (S_ISREG(mode))
        return "a regular file";
    if (S_ISDIR(mode))
        return "a folder";
    if (S_ISFIFO(mode))
        return "a FIFO";
    if (S_ISSOCK(mode))
        return "a socket";
    if (S_ISCHR(mode))
        return "a character device";
    if (S_ISBLK(mode))
        return "a block device";
    return "not a regular file";
}

std::string MiB(qint64 bytes) {
    return bytes >= 1024 * 1024 ? std::to_string(bytes / (1024 * 1024)) + " MiB"
                                : std::to_string(bytes / 1024) + " KiB";
}

// Closes the descriptor on every way out.
class Descriptor final {
public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor() {
        if (fd_ >= 0)
            ::close(fd_);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return fd_; }

private:
    int fd_;
};

} // namespace

std::string FileKindOf(const QString& path) {
    struct stat st {};
    if (::stat(QFile::encodeName(path).constData(), &st) != 0)
        return std::strerror(errno);
    return KindOf(st.st_mode);
}

std::variant<QByteArray, FileError> ReadRegularFile(const QString& path, qint64 cap) {
    const std::string name = Name(path);
    // O_NONBLOCK: opening a FIFO for reading would otherwise wait for a writer.
    const Descriptor fd(::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    if (fd.get() < 0)
        return FileError{name + ": cannot be read: " + std::strerror(errno)};
    struct stat st {};
    if (::fstat(fd.get(), &st) != 0)
        return FileError{name + ": cannot be read: " + std::strerror(errno)};
    if (!S_ISREG(st.st_mode))
        return FileError{name + ": is " + KindOf(st.st_mode) + ", not a regular file"};
    if (st.st_size > cap)
        return FileError{name + ": is larger than the limit of " + MiB(cap) + " for this file"};
    QByteArray bytes;
    bytes.reserve(static_cast<qsizetype>(st.st_size));
    char chunk[64 * 1024];
    while (true) {
        const ssize_t n = ::read(fd.get(), chunk, sizeof chunk);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return FileError{name + ": cannot be read: " + std::strerror(errno)};
        if (n == 0)
            break;
        // The cap holds even for a file that grows while it is read.
        if (bytes.size() + n > cap)
            return FileError{name + ": is larger than the limit of " + MiB(cap) + " for this file"};
        bytes.append(chunk, static_cast<qsizetype>(n));
    }
    return bytes;
}

std::optional<FileError> CheckOutputTarget(const QString& path) {
    struct stat st {};
    if (::stat(QFile::encodeName(path).constData(), &st) != 0) {
        if (errno == ENOENT)
            return std::nullopt; // a new file, or a dangling link the writer replaces
        return FileError{Name(path) + ": cannot be written: " + std::strerror(errno)};
    }
    if (!S_ISREG(st.st_mode))
        return FileError{Name(path) + ": is " + KindOf(st.st_mode) +
                         ", not a regular file; it is left as it is and nothing was written"};
    return std::nullopt;
}

std::optional<FileError> CheckReadableFolder(const QString& path) {
    const QByteArray native = QFile::encodeName(path);
    struct stat st {};
    if (::stat(native.constData(), &st) != 0)
        return FileError{Name(path) + (errno == ENOENT
                                           ? std::string(": the program folder does not exist")
                                           : ": cannot be opened: " + std::string(std::strerror(errno)))};
    if (!S_ISDIR(st.st_mode))
        return FileError{Name(path) + ": is " + KindOf(st.st_mode) + ", not a folder"};
    if (::access(native.constData(), R_OK | X_OK) != 0)
        return FileError{Name(path) + ": the program folder cannot be read: " + std::strerror(errno)};
    return std::nullopt;
}

} // namespace airmotor::platform
