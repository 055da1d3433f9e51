#include "CatalogueFixture.h"

#ifdef AIRMOTOR_PG_WIDGETS
#include <QApplication>
#else
#include <QCoreApplication>
#endif

#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>
#include <thread>
#include <unistd.h>

namespace {

// The handler only writes the signal's number down (all a handler may safely do); a thread of its
// own stops the clusters, so a run killed with SIGTERM or SIGINT leaves no server behind.
int gSignalPipe[2] = {-1, -1};

void OnSignal(int signal) {
    const unsigned char number = static_cast<unsigned char>(signal);
    [[maybe_unused]] const ssize_t written = ::write(gSignalPipe[1], &number, 1);
}

void StopClustersOnSignals() {
    if (::pipe(gSignalPipe) != 0)
        return;
    std::thread([] {
        unsigned char number = 0;
        if (::read(gSignalPipe[0], &number, 1) != 1)
            return;
        airmotor::platform::test::TestCluster::StopAll();
        std::_Exit(128 + number);
    }).detach();
    struct sigaction action {};
    action.sa_handler = OnSignal;
    sigemptyset(&action.sa_mask);
    ::sigaction(SIGTERM, &action, nullptr);
    ::sigaction(SIGINT, &action, nullptr);
}

} // namespace

// The SQL drivers are plugins: they need the application object; the desktop's windows need the
// widget one.
int main(int argc, char** argv) {
    StopClustersOnSignals();
#ifdef AIRMOTOR_PG_WIDGETS
    QApplication app(argc, argv);
#else
    QCoreApplication app(argc, argv);
#endif
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::AddGlobalTestEnvironment(new airmotor::platform::test::SharedCluster);
    return RUN_ALL_TESTS();
}
