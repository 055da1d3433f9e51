#pragma once

#include <QGuiApplication>

namespace airmotor::bench {

// Painting text needs a GUI application; offscreen, since the benchmarks never show a window.
// False when another kind of application object exists already.
inline bool EnsureGuiApplication() {
    if (QCoreApplication::instance())
        return qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "airmotor-bench";
    static char* argv[] = {name, nullptr};
    static QGuiApplication app(argc, argv);
    return true;
}

} // namespace airmotor::bench
