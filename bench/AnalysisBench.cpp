// Duty analysis of every row of a search and of the whole catalogue listing.

#include "BundledCatalogue.h"
#include "core/analysis/DutyAnalysis.h"
#include "core/session/SelectionSession.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <string>

namespace {

using namespace airmotor;
using core::RequirementField;

class SilentSink final : public core::MessageSink {
public:
    void show(const core::Message&) override {}
};

using bench::BundledCatalogue;

struct AnalysisBench {
    core::LanguageState language;
    SilentSink sink;
    std::unique_ptr<core::SelectionSession> session;

    explicit AnalysisBench(bool listing) {
        for (int k = 0; k < core::kTextCount; ++k)
            language.strText.set(k, "Text " + std::to_string(k));
        session = std::make_unique<core::SelectionSession>(BundledCatalogue(), language, sink);
        session->Load();
        if (listing) {
            session->ClickAllMotors();
            return;
        }
        session->ClickCatalogue(1);
        session->TypeIntoField(RequirementField::ArbetsMomentB, "10");
        session->TypeIntoField(RequirementField::ArbetsVarvtalB, "3000");
        session->TypeIntoField(RequirementField::TillgLuftTryckB, "5");
        session->ClickSearch();
    }

    void Run(benchmark::State& state) const {
        const int rows = session->results().rowCount();
        const core::AirCostInputs cost;
        for (auto _ : state)
            benchmark::DoNotOptimize(core::AnalyseRows(*session, 1, rows, cost).data());
        state.counters["rows"] = rows;
    }
};

void BM_AnalyseAllRowsOfSearchAt5Bar(benchmark::State& state) {
    AnalysisBench(false).Run(state);
}
BENCHMARK(BM_AnalyseAllRowsOfSearchAt5Bar)->Unit(benchmark::kMicrosecond)->Repetitions(9);

void BM_AnalyseWholeCatalogueListing(benchmark::State& state) {
    AnalysisBench(true).Run(state);
}
BENCHMARK(BM_AnalyseWholeCatalogueListing)->Unit(benchmark::kMicrosecond)->Repetitions(9);

} // namespace
