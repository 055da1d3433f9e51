#include "platform/files/AtomicFile.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <variant>

namespace airmotor::platform {
namespace {

std::string Name(const QString& path) {
    return QDir::toNativeSeparators(path).toStdString();
}

QByteArray FolderOf(const QByteArray& file) {
    const qsizetype slash = file.lastIndexOf('/');
    if (slash < 0)
        return ".";
    return slash == 0 ? QByteArray("/") : file.left(slash);
}

// The file a path finally names, symbolic links followed one by one; a dangling link gives the
// missing file it points to.
std::variant<QByteArray, int> FollowLinks(const QByteArray& path) {
    QByteArray current = path;
    for (int hops = 0; hops < 40; ++hops) {
        struct stat st {};
        if (::lstat(current.constData(), &st) != 0)
            return errno == ENOENT ? std::variant<QByteArray, int>(current) : errno;
        if (!S_ISLNK(st.st_mode))
            return current;
        char target[PATH_MAX];
        const ssize_t n = ::readlink(current.constData(), target, sizeof target);
        if (n < 0)
            return errno;
        const QByteArray link(target, n);
        current = link.startsWith('/') ? link : FolderOf(current) + '/' + link;
    }
    return ELOOP;
}

// A temporary file beside the target, or -1 with errno set. O_EXCL under a random name: two writers
// of one file never share a temporary file, and the umask applies as to any new file.
int CreateBeside(const QByteArray& target, QByteArray& name) {
    const QByteArray folder = FolderOf(target);
    const QByteArray base = target.mid(target.lastIndexOf('/') + 1);
    for (int attempt = 0; attempt < 100; ++attempt) {
        name = folder + "/." + base + '.' + QByteArray::number(QRandomGenerator::global()->generate(), 16) +
               ".tmp";
        const int fd = ::open(name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    return -1;
}

bool WriteAll(int fd, const QByteArray& bytes) {
    const char* data = bytes.constData();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, data, static_cast<std::size_t>(left));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return false;
        data += n;
        left -= n;
    }
    return true;
}

// fsync where the file system supports it; those that do not (EINVAL) have nothing to flush.
bool Sync(int fd) {
    return ::fsync(fd) == 0 || errno == EINVAL || errno == ENOTSUP;
}

// The rename itself is made durable by syncing the folder; a folder that cannot be opened for
// that changes nothing about the file already in place.
void SyncFolder(const QByteArray& file) {
    const int fd = ::open(FolderOf(file).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

class Replacement final {
public:
    explicit Replacement(const QString& path) : path_(path) {}

    // Finds the file to replace; a message when there is none that may be replaced.
    std::optional<FileError> prepare(bool followLinks) {
        if (auto refused = CheckOutputTarget(path_))
            return refused;
        auto followed = followLinks ? FollowLinks(QFile::encodeName(path_))
                                    : std::variant<QByteArray, int>(QFile::encodeName(path_));
        if (const int* error = std::get_if<int>(&followed))
            return fail(*error);
        target_ = std::get<QByteArray>(followed);
        struct stat st {};
        existed_ = ::stat(target_.constData(), &st) == 0;
        mode_ = st.st_mode & 07777;
        return std::nullopt;
    }

    std::optional<FileError> write(const QByteArray& bytes) {
        const int fd = CreateBeside(target_, temporary_);
        if (fd < 0)
            return failToCreate(errno);
        bool ok = (!existed_ || ::fchmod(fd, mode_) == 0) && WriteAll(fd, bytes) && Sync(fd);
        int error = ok ? 0 : errno;
        // close() reports what some file systems only notice at the end (NFS, quotas).
        if (::close(fd) != 0 && ok) {
            ok = false;
            error = errno;
        }
        if (!ok)
            return discard(error);
        return rename();
    }

    std::optional<FileError> commit(const QString& finished) {
        temporary_ = QFile::encodeName(finished);
        const int fd = ::open(temporary_.constData(), O_RDONLY | O_CLOEXEC);
        if (fd < 0)
            return discard(errno);
        const bool synced = Sync(fd);
        const int error = errno;
        ::close(fd);
        if (!synced)
            return discard(error);
        return rename();
    }

    std::optional<FileError> discard(int error) {
        if (!temporary_.isEmpty())
            ::unlink(temporary_.constData());
        return fail(error);
    }

private:
    std::optional<FileError> rename() {
        if (::rename(temporary_.constData(), target_.constData()) != 0)
            return discard(errno);
        SyncFolder(target_);
        return std::nullopt;
    }

    std::optional<FileError> fail(int error) const {
        return FaultAt(path_, core::FileProblem::CannotWrite, std::strerror(error),
                       existed_ ? core::FileOutcome::Unchanged : core::FileOutcome::NothingWritten);
    }

    // A link whose target cannot be created says which file is missing: the link itself exists.
    std::optional<FileError> failToCreate(int error) const {
        if (target_ == QFile::encodeName(path_))
            return fail(error);
        FileError link = FaultAt(path_, core::FileProblem::LinkTargetNotCreated, std::strerror(error),
                                 core::FileOutcome::NothingWritten);
        link.fault.other = Name(QFile::decodeName(target_));
        return FileError(link.fault);
    }

    QString path_;
    QByteArray target_;
    QByteArray temporary_;
    bool existed_ = false;
    mode_t mode_ = 0;
};

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
    // close(2) with its result, for the file being written.
    bool close() {
        const int fd = fd_;
        fd_ = -1;
        return ::close(fd) == 0;
    }

private:
    int fd_;
};

// From the start of `from`, whatever was read through it before.
bool CopyAll(int from, int to) {
    char chunk[64 * 1024];
    for (off_t offset = 0;;) {
        const ssize_t n = ::pread(from, chunk, sizeof chunk, offset);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return false;
        if (n == 0)
            return true;
        if (!WriteAll(to, QByteArray::fromRawData(chunk, n)))
            return false;
        offset += n;
    }
}

} // namespace

std::variant<QString, FileError> CopyToNewFile(const QFile& source,
                                               const std::function<QString(int)>& nameFor) {
    const QString from = source.fileName();
    struct stat st {};
    if (!source.isOpen() || ::fstat(source.handle(), &st) != 0)
        return FaultAt(from, core::FileProblem::CannotRead,
                       source.isOpen() ? std::strerror(errno) : "not open");
    if (!S_ISREG(st.st_mode))
        return KindFault(from, st.st_mode, core::FileProblem::NotRegular);
    // Copied whole under a temporary name first, so that no name ever shows a part of a copy.
    const QByteArray first = QFile::encodeName(nameFor(1));
    QByteArray temporary;
    Descriptor copy(CreateBeside(first, temporary));
    if (copy.get() < 0)
        return FaultAt(nameFor(1), core::FileProblem::CannotWrite, std::strerror(errno));
    const bool copied = ::fchmod(copy.get(), st.st_mode & 0777) == 0 &&
                        CopyAll(source.handle(), copy.get()) && Sync(copy.get()) && copy.close();
    int error = errno;
    for (int n = 1; copied && n <= 1000; ++n) {
        const QByteArray name = QFile::encodeName(nameFor(n));
        // link(2) and a rename that must not replace both fail on a name that is taken.
        const bool named = ::link(temporary.constData(), name.constData()) == 0 ||
                           (errno != EEXIST && ::renameat2(AT_FDCWD, temporary.constData(), AT_FDCWD,
                                                           name.constData(), RENAME_NOREPLACE) == 0);
        if (!named && errno == EEXIST)
            continue;
        error = errno;
        ::unlink(temporary.constData());
        if (!named)
            return FaultAt(QFile::decodeName(name), core::FileProblem::CannotWrite, std::strerror(error));
        SyncFolder(name);
        return QFile::decodeName(name);
    }
    ::unlink(temporary.constData());
    if (copied)
        return FaultAt(nameFor(1), core::FileProblem::EveryNameTaken);
    return FaultAt(nameFor(1), core::FileProblem::CannotWrite, std::strerror(error),
                   core::FileOutcome::NothingWritten);
}

std::optional<FileError> WriteFileAtomically(const QString& path, const QByteArray& bytes) {
    Replacement replacement(path);
    if (auto error = replacement.prepare(true))
        return error;
    return replacement.write(bytes);
}

std::optional<FileError> CommitFinishedFile(const QString& finished, const QString& path) {
    // The finished file lies beside the path as given: a link there is replaced, not followed, so
    // that the rename never crosses file systems.
    Replacement replacement(path);
    if (auto error = replacement.prepare(false)) {
        QFile::remove(finished);
        return error;
    }
    return replacement.commit(finished);
}

} // namespace airmotor::platform
