#include "core/session/SelectionSession.h"
#include "platform/storage/CatalogueStore.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <stdexcept>
#include <string>

namespace {

using namespace airmotor;
using core::RequirementField;

class DiscardingSink final : public core::MessageSink {
public:
    void show(const core::Message&) override {}
};

// The bundled catalogue repeated with fresh catalogue and search indexes up to the 980 motors a
// catalogue can hold.
const core::MotorCatalogue& FullCatalogue() {
    static const core::MotorCatalogue catalogue = [] {
        platform::CatalogueStore store(QStringLiteral(AIRMOTOR_BIN_DIR "/Zevodida.db"));
        auto loaded = store.loadCatalogue();
        if (auto* error = std::get_if<core::LoadError>(&loaded))
            throw std::runtime_error(error->message);
        const core::MotorCatalogue base = std::get<core::CatalogueLoadResult>(loaded).catalogue;
        const int n = base.intAntalMotorer;
        if (n < 1)
            throw std::runtime_error("the bundled catalogue is empty");
        core::MotorCatalogue full;
        for (int target = 1; target <= core::kMaxMotors; ++target) {
            const int copy = (target - 1) / n;
            const int i = (target - 1) % n + 1;
            const auto t = static_cast<std::size_t>(target);
            const auto s = static_cast<std::size_t>(i);
            const int sok = copy * n + base.intSokindex[s];
            full.intSokindex[t] = static_cast<std::int16_t>(sok <= core::kMaxMotors ? sok : target);
            full.strBenamning[t] = base.strBenamning[s];
            full.strDetaljnr1[t] = base.strDetaljnr1[s];
            full.strDetaljnr2[t] = base.strDetaljnr2[s];
            full.strDetaljnr3[t] = base.strDetaljnr3[s];
            full.txtRotation[t] = base.txtRotation[s];
            full.bolLubricationFree[t] = base.bolLubricationFree[s];
            full.bolStainless[t] = base.bolStainless[s];
            full.bolBrake[t] = base.bolBrake[s];
            full.sngTomgVarvtal[t] = base.sngTomgVarvtal[s];
            full.sngLuftforbrTomgang[t] = base.sngLuftforbrTomgang[s];
            full.sngMaxEffekt[t] = base.sngMaxEffekt[s];
            full.sngMomentMaxeff[t] = base.sngMomentMaxeff[s];
            full.sngLuftMaxeff[t] = base.sngLuftMaxeff[s];
            full.sngVarvMaxeff[t] = base.sngVarvMaxeff[s];
            full.sngStallmoment[t] = base.sngStallmoment[s];
            full.sngMinStartMoment[t] = base.sngMinStartMoment[s];
            full.sngPris[t] = base.sngPris[s];
            full.strMattskiss[t] = base.strMattskiss[s];
            full.sngUtvaxling[t] = base.sngUtvaxling[s];
            full.sngVikt[t] = base.sngVikt[s];
            full.intGradtal_M[t] = base.intGradtal_M[s];
            full.intGradtal_L[t] = base.intGradtal_L[s];
            for (int k = 0; k < core::kCoefficientRows; ++k) {
                full.cM(k, target) = base.cM(k, i);
                full.cL(k, target) = base.cL(k, i);
            }
            full.bolOldMotor[t] = base.bolOldMotor[s];
            full.sngMin_VarvDiagram[t] = base.sngMin_VarvDiagram[s];
            full.sngMax_VarvDiagram[t] = base.sngMax_VarvDiagram[s];
        }
        full.intAntalMotorer = core::kMaxMotors;
        return full;
    }();
    return catalogue;
}

struct Bench {
    core::LanguageState language;
    DiscardingSink sink;
    std::unique_ptr<core::SelectionSession> session;

    explicit Bench(bool searchView, const char* pressure = "6.3") {
        for (int k = 0; k < core::kTextCount; ++k)
            language.strText.set(k, "Text " + std::to_string(k));
        session = std::make_unique<core::SelectionSession>(FullCatalogue(), language, sink);
        session->Load();
        if (!searchView)
            return;
        session->ClickCatalogue(1);
        session->TypeIntoField(RequirementField::ArbetsMomentB, "10");
        session->TypeIntoField(RequirementField::ArbetsVarvtalB, "3000");
        session->TypeIntoField(RequirementField::TillgLuftTryckB, pressure);
    }
};

void BM_SearchCase10At5Bar(benchmark::State& state) {
    Bench bench(true, "5");
    for (auto _ : state) {
        bench.session->ClickSearch();
        benchmark::DoNotOptimize(bench.session->results().rows.data());
    }
    state.counters["listed"] = static_cast<double>(bench.session->results().rows.size());
    state.counters["case"] = bench.session->lastSearchCase().value_or(0);
}
BENCHMARK(BM_SearchCase10At5Bar)->Unit(benchmark::kMicrosecond);

void BM_SearchAt6_3Bar(benchmark::State& state) {
    Bench bench(true, "6.3");
    for (auto _ : state) {
        bench.session->ClickSearch();
        benchmark::DoNotOptimize(bench.session->results().rows.data());
    }
    state.counters["listed"] = static_cast<double>(bench.session->results().rows.size());
}
BENCHMARK(BM_SearchAt6_3Bar)->Unit(benchmark::kMicrosecond);

void BM_CatalogueListing(benchmark::State& state) {
    Bench bench(false);
    for (auto _ : state) {
        bench.session->ClickAllMotors();
        benchmark::DoNotOptimize(bench.session->results().rows.data());
    }
    state.counters["listed"] = static_cast<double>(bench.session->results().rows.size());
}
BENCHMARK(BM_CatalogueListing)->Unit(benchmark::kMicrosecond);

void BM_RowClick(benchmark::State& state) {
    Bench bench(true, "5");
    bench.session->ClickSearch();
    const int rows = bench.session->results().rowCount();
    int row = 0;
    for (auto _ : state) {
        row = row % (rows > 0 ? rows : 1) + 1;
        benchmark::DoNotOptimize(bench.session->ClickCell(row, 0));
    }
}
BENCHMARK(BM_RowClick)->Unit(benchmark::kMicrosecond);

} // namespace
