// The database builder on hostile CSV sources: the first byte chooses which of the three sources is
// replaced by the rest of the input, the other two are the bundled ones. A build either succeeds
// and its database loads, or fails with a message naming the file; it never crashes.
#include "FuzzFolder.h"
#include "platform/storage/DatabaseBuilder.h"

#include <array>

namespace {

const std::array<QString, 3> kSources = {QStringLiteral("motors.csv"), QStringLiteral("texts.csv"),
                                         QStringLiteral("imperial.csv")};

struct Fixture {
    airmotor::fuzz::FuzzFolder folder;
    std::array<QByteArray, 3> bundled;
    Fixture() {
        for (std::size_t i = 0; i < kSources.size(); ++i) {
            QFile file(QStringLiteral(AIRMOTOR_SOURCE_DIR "/data/") + kSources[i]);
            if (!file.open(QIODevice::ReadOnly))
                std::abort();
            bundled[i] = file.readAll();
        }
    }
};

Fixture& fixture() {
    static Fixture f;
    return f;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0)
        return 0;
    Fixture& f = fixture();
    const std::size_t chosen = data[0] % kSources.size();
    for (std::size_t i = 0; i < kSources.size(); ++i)
        f.folder.write(kSources[i],
                       i == chosen ? airmotor::fuzz::FuzzFolder::bytes(data + 1, size - 1) : f.bundled[i]);
    const auto built =
        airmotor::platform::DatabaseBuilder::build(f.folder.path(QString()), f.folder.path("out.db"));
    if (const auto* error = std::get_if<airmotor::platform::BuildError>(&built);
        error && error->message.empty())
        std::abort(); // a failure must say what is wrong
    return 0;
}
