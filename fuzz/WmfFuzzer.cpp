// The drawing loader on any bytes: a metafile becomes SVG text or a clear error, never a crash.
#include "platform/drawing/WmfRenderer.h"

#include <QByteArray>

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto result = airmotor::platform::WmfRenderer::ToSvg(
        QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)));
    if (result.svg.isEmpty() == result.error.isEmpty())
        std::abort(); // exactly one of picture and error
    return 0;
}
