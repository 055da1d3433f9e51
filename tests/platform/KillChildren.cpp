#include "KillChildren.h"

#include "platform/files/MeasurementFileStore.h"
#include "platform/storage/MotorDataWriter.h"

#include <QString>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string_view>

namespace airmotor::platform::test {
namespace {

void SayReady() {
    std::puts("ready");
    std::fflush(stdout);
}

// Saves `count` times, each through a writer of its own (so each makes a backup), or with `count` 0
// for ever through one writer; a failure ends the run with its message.
int SaveMotor(const char* database, const char* designation, long count) {
    std::optional<MotorDataWriter> writer;
    core::MotorRecord record;
    record.mode = core::SaveMode::Replace;
    for (long i = 0; count == 0 || i < count; ++i) {
        record.fields = {{"sngTomgVarvtal", kSavedSpeeds[i % 2]}};
        if (count > 0 || !writer)
            writer.emplace(QString::fromLocal8Bit(database));
        const auto written = writer->write(record, designation);
        if (const auto* error = std::get_if<std::string>(&written)) {
            std::fprintf(stderr, "save %ld: %s\n", i + 1, error->c_str());
            return 1;
        }
        if (i == 0)
            SayReady();
    }
    return 0;
}

int SaveMeasurement(const char* file) {
    core::MeasurementData data;
    for (int k = 0; k < kSavedPoints; ++k) {
        data.speed.push_back(static_cast<float>(k) * 100.0f);
        data.torque.push_back(40.0f - static_cast<float>(k));
        data.air.push_back(5.0f + 0.1f * static_cast<float>(k));
    }
    for (long i = 0;; ++i) {
        data.designation = kSavedDesignations[i % 2];
        if (MeasurementFileStore::write(QString::fromLocal8Bit(file), data))
            return 1;
        if (i == 0)
            SayReady();
    }
}

} // namespace

std::optional<int> RunKillChild(int argc, char** argv) {
    if (argc == 4 && std::string_view(argv[1]) == "--save-motor")
        return SaveMotor(argv[2], argv[3], 0);
    if (argc == 5 && std::string_view(argv[1]) == "--save-motors")
        return SaveMotor(argv[2], argv[3], std::max(1, std::atoi(argv[4])));
    if (argc == 3 && std::string_view(argv[1]) == "--save-measurement")
        return SaveMeasurement(argv[2]);
    return std::nullopt;
}

} // namespace airmotor::platform::test
