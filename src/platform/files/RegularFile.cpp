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

core::FileKind KindOf(mode_t mode) {
    if (S_ISREG(mode))
        return core::FileKind::RegularFile;
    if (S_ISDIR(mode))
        return core::FileKind::Folder;
    if (S_ISFIFO(mode))
        return core::FileKind::Fifo;
    if (S_ISSOCK(mode))
        return core::FileKind::Socket;
    if (S_ISCHR(mode))
        return core::FileKind::CharacterDevice;
    if (S_ISBLK(mode))
        return core::FileKind::BlockDevice;
    return core::FileKind::Other;
}

FileError TooLarge(const QString& path, qint64 cap) {
    core::FileFault fault = FaultAt(path, core::FileProblem::TooLarge).fault;
    fault.cap = cap;
    return FileError(fault);
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

std::string FileErrorText(const FileError& error, const core::TextTable* strText) {
    // A table without the texts yet (before the language is loaded) leaves the English sentence.
    const bool worded = strText && !(*strText)(core::FileProblemKey(error.fault.problem)).empty();
    return worded ? core::FileFaultText(error.fault, *strText) : error.message;
}

FileError FaultAt(const QString& path, core::FileProblem problem, std::string reason,
                  core::FileOutcome outcome) {
    core::FileFault fault;
    fault.path = Name(path);
    fault.problem = problem;
    fault.reason = std::move(reason);
    fault.outcome = outcome;
    return FileError(std::move(fault));
}

FileError KindFault(const QString& path, unsigned mode, core::FileProblem problem,
                    core::FileOutcome outcome) {
    FileError error = FaultAt(path, problem, {}, outcome);
    error.fault.kind = KindOf(mode);
    return FileError(error.fault);
}

std::optional<FileError> NotRegularFile(const QString& path) {
    struct stat st {};
    if (::stat(QFile::encodeName(path).constData(), &st) != 0)
        return FaultAt(path, core::FileProblem::CannotRead, std::strerror(errno));
    if (S_ISREG(st.st_mode))
        return std::nullopt;
    return KindFault(path, st.st_mode, core::FileProblem::NotRegular);
}

std::string FileKindOf(const QString& path) {
    struct stat st {};
    if (::stat(QFile::encodeName(path).constData(), &st) != 0)
        return std::strerror(errno);
    return core::FileKindEnglish(KindOf(st.st_mode));
}

std::variant<QByteArray, FileError> ReadRegularFile(const QString& path, qint64 cap) {
    // O_NONBLOCK: opening a FIFO for reading would otherwise wait for a writer.
    const Descriptor fd(::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    if (fd.get() < 0)
        return FaultAt(path, core::FileProblem::CannotRead, std::strerror(errno));
    struct stat st {};
    if (::fstat(fd.get(), &st) != 0)
        return FaultAt(path, core::FileProblem::CannotRead, std::strerror(errno));
    if (!S_ISREG(st.st_mode))
        return KindFault(path, st.st_mode, core::FileProblem::NotRegular);
    if (st.st_size > cap)
        return TooLarge(path, cap);
    QByteArray bytes;
    bytes.reserve(static_cast<qsizetype>(st.st_size));
    char chunk[64 * 1024];
    while (true) {
        const ssize_t n = ::read(fd.get(), chunk, sizeof chunk);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return FaultAt(path, core::FileProblem::CannotRead, std::strerror(errno));
        if (n == 0)
            break;
        // The cap holds even for a file that grows while it is read.
        if (bytes.size() + n > cap)
            return TooLarge(path, cap);
        bytes.append(chunk, static_cast<qsizetype>(n));
    }
    return bytes;
}

std::optional<FileError> CheckOutputTarget(const QString& path) {
    struct stat st {};
    if (::stat(QFile::encodeName(path).constData(), &st) != 0) {
        if (errno == ENOENT)
            return std::nullopt; // a new file, or a dangling link the writer replaces
        return FaultAt(path, core::FileProblem::CannotWrite, std::strerror(errno));
    }
    if (!S_ISREG(st.st_mode))
        return KindFault(path, st.st_mode, core::FileProblem::NotRegular, core::FileOutcome::LeftAsItIs);
    return std::nullopt;
}

std::optional<FileError> CheckReadableFolder(const QString& path) {
    const QByteArray native = QFile::encodeName(path);
    struct stat st {};
    if (::stat(native.constData(), &st) != 0)
        return errno == ENOENT ? FaultAt(path, core::FileProblem::ProgramFolderMissing)
                               : FaultAt(path, core::FileProblem::FolderCannotBeOpened, std::strerror(errno));
    if (!S_ISDIR(st.st_mode))
        return KindFault(path, st.st_mode, core::FileProblem::NotFolder);
    if (::access(native.constData(), R_OK | X_OK) != 0)
        return FaultAt(path, core::FileProblem::ProgramFolderUnreadable, std::strerror(errno));
    return std::nullopt;
}

} // namespace airmotor::platform
