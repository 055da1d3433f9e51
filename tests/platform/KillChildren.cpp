#include "KillChildren.h"

#include "platform/files/MeasurementFileStore.h"
#include "platform/storage/MotorDataWriter.h"

#include <QString>

#include <cstdio>
#include <cstdlib>
#include <string_view>

namespace airmotor::platform::test {
namespace {

void SayReady() {
    std::puts("ready");
    std::fflush(stdout);
}

int SaveMotor(const char* database, const char* designation) {
    MotorDataWriter writer(QString::fromLocal8Bit(database));
    core::MotorRecord record;
    record.mode = core::SaveMode::Replace;
    for (long i = 0;; ++i) {
        record.fields = {{"sngTomgVarvtal", kSavedSpeeds[i % 2]}};
        if (!std::holds_alternative<int>(writer.write(record, designation)))
            return 1;
        if (i == 0)
            SayReady();
    }
}

// Saves `count` times, each through a writer of its own (so each makes a backup); a failure ends
// the run with its message.
int SaveMotorRepeatedly(const char* database, const char* designation, int count) {
    core::MotorRecord record;
    record.mode = core::SaveMode::Replace;
    for (int i = 0; i < count; ++i) {
        record.fields = {{"sngTomgVarvtal", kSavedSpeeds[i % 2]}};
        MotorDataWriter writer(QString::fromLocal8Bit(database));
        const auto written = writer.write(record, designation);
        if (const auto* error = std::get_if<std::string>(&written)) {
            std::fprintf(stderr, "save %d: %s\n", i + 1, error->c_str());
            return 1;
        }
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
        return SaveMotor(argv[2], argv[3]);
    if (argc == 5 && std::string_view(argv[1]) == "--save-motors")
        return SaveMotorRepeatedly(argv[2], argv[3], std::atoi(argv[4]));
    if (argc == 3 && std::string_view(argv[1]) == "--save-measurement")
        return SaveMeasurement(argv[2]);
    return std::nullopt;
}

} // namespace airmotor::platform::test
