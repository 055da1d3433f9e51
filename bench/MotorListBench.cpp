// The motor-list batch in update mode (measurement file, fit and calibration, one catalogue
// transaction, write-back and atomic save of the workbook) per row; printing is not included.

#include "core/maintenance/MotorListBatch.h"
#include "platform/workbook/MotorListFiles.h"
#include "platform/workbook/MotorListWorkbook.h"

#include <benchmark/benchmark.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <stdexcept>

namespace {

using namespace airmotor;
namespace col = core::motor_list;

constexpr int kRows = 40;
const char* const kFiles[] = {"TKM20S1.DAT", "TKM30S2.DAT", "TKS05C3.DAT"};

// The sample list grown to kRows motors, each naming one of the sample measurement files.
QString MakeList(const QTemporaryDir& dir) {
    const QDir sample(AIRMOTOR_SOURCE_DIR "/data/samples/motor-list");
    for (const QString& name : sample.entryList(QDir::Files))
        QFile::copy(sample.filePath(name), dir.filePath(name));
    const QString path = dir.filePath("Motorlista.xlsx");
    platform::Workbook book = std::get<platform::Workbook>(platform::Workbook::open(path));
    platform::WorkbookSheet& s = *std::get<platform::WorkbookSheet*>(book.sheet(col::kSheet));
    for (int row = 2; row < 2 + kRows; ++row) {
        s.setText(row, col::kDesignation, "BENCH-" + std::to_string(row));
        s.setText(row, col::kMeasurementFile, kFiles[row % 3]);
    }
    if (auto error = book.save())
        throw std::runtime_error(*error);
    return path;
}

void BM_MotorListUpdatePerRow(benchmark::State& state) {
    QTemporaryDir dir;
    const QString list = MakeList(dir);
    const QString pristine = dir.filePath("pristine.xlsx");
    QFile::copy(list, pristine);
    core::LanguageState language;
    for (auto _ : state) {
        state.PauseTiming();
        QFile::remove(list);
        QFile::copy(pristine, list);
        QFile::remove(dir.filePath("Zevodida.db"));
        QFile::copy(AIRMOTOR_BIN_DIR "/Zevodida.db", dir.filePath("Zevodida.db"));
        state.ResumeTiming();
        auto opened = platform::MotorListWorkbook::open(list);
        auto& workbook = *std::get<std::unique_ptr<platform::MotorListWorkbook>>(opened);
        platform::MotorDataWriter writer(dir.filePath("Zevodida.db"));
        platform::MotorListFiles files(
            workbook.folder(), writer, language,
            [](int) -> platform::PrintJobSink& { throw std::logic_error("no print"); });
        core::MotorListBatch batch(workbook, files, core::MotorListMode::Update);
        for (int row = 2; row < 2 + kRows; ++row)
            batch.runRow(row);
        if (batch.summary().added != kRows)
            state.SkipWithError(core::SummaryText(batch.summary()).c_str());
    }
    state.counters["per_row"] = benchmark::Counter(kRows, benchmark::Counter::kIsIterationInvariantRate |
                                                              benchmark::Counter::kInvert);
}
BENCHMARK(BM_MotorListUpdatePerRow)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
