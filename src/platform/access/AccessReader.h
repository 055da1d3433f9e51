#pragma once

#include "platform/access/TableSource.h"

#include <chrono>

namespace airmotor::platform {

// Tables of an Access database (.mdb, .accdb; Jet 3 and Jet 4), read-only. libmdb can loop for
// ever or crash on a damaged file, so every read runs in a reader process (airmotor-access-reader)
// under a time limit: the parent checks and reads the file (a regular file within the size cap),
// hands its bytes to the reader on standard input and accepts nothing from it that does not pass
// AccessWireParser. A reader that hangs, crashes or is killed is a clear error naming the file.
class AccessReader final : public TableSource {
public:
    static constexpr std::chrono::milliseconds kDefaultTimeLimit{60'000};

    explicit AccessReader(QString readerProgram, std::chrono::milliseconds timeLimit = kDefaultTimeLimit);

    TableReadResult read(const QString& file, const std::vector<std::string>& tables) const override;

    // The reader program of this installation: beside the running program (a build tree), else in
    // ../libexec/airmotor/ (an installed tree). Needs the application object.
    static QString defaultReaderProgram();

private:
    QString readerProgram_;
    std::chrono::milliseconds timeLimit_;
};

} // namespace airmotor::platform
