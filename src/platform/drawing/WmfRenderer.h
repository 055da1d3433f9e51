#pragma once

#include <QByteArray>
#include <QString>

namespace airmotor::platform {

// Windows metafile -> SVG text, entirely in memory.
class WmfRenderer final {
public:
    struct Result {
        QByteArray svg; // empty on failure
        QString error;  // what is wrong with the metafile, "" on success
    };

    static Result ToSvg(const QByteArray& wmf);
    static bool Available();
};

} // namespace airmotor::platform
