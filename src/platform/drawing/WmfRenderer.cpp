#include "platform/drawing/WmfRenderer.h"

#include "platform/files/ClassicNumericScope.h"

#include <cstring>
#include <vector>

#ifdef AIRMOTOR_HAVE_LIBWMF
extern "C" {
#include <libwmf/api.h>
#include <libwmf/svg.h>
}
#endif

namespace airmotor::platform {

namespace {

#ifdef AIRMOTOR_HAVE_LIBWMF
QString ErrorText(wmf_error_t err) {
    switch (err) {
    case wmf_E_InsMem:
        return QStringLiteral("out of memory while reading the metafile");
    case wmf_E_BadFile:
        return QStringLiteral("the metafile cannot be read");
    case wmf_E_BadFormat:
        return QStringLiteral("the metafile is corrupt or not a Windows metafile");
    case wmf_E_EOF:
        return QStringLiteral("the metafile ends unexpectedly (truncated)");
    case wmf_E_DeviceError:
        return QStringLiteral("the metafile could not be converted (device error)");
    default:
        return QStringLiteral("the metafile could not be read (error %1)").arg(static_cast<int>(err));
    }
}

// The SVG device writes polylines without a fill, which SVG readers fill black.
QByteArray FixPolylines(QByteArray svg) {
    svg.replace("<polyline ", "<polyline fill=\"none\" ");
    return svg;
}
#endif

} // namespace

bool WmfRenderer::Available() {
#ifdef AIRMOTOR_HAVE_LIBWMF
    return true;
#else
    return false;
#endif
}

WmfRenderer::Result WmfRenderer::ToSvg(const QByteArray& wmf) {
    Result result;
#ifndef AIRMOTOR_HAVE_LIBWMF
    Q_UNUSED(wmf);
    result.error = QStringLiteral("this build cannot read Windows metafiles (libwmf missing)");
    return result;
#else
    // Smallest metafile: an 18-byte header (plus 22 for the placeable header).
    if (wmf.size() < 18) {
        result.error = QStringLiteral("the file is too short to be a Windows metafile");
        return result;
    }
    const ClassicNumericScope classicNumbers;
    // libwmf reads from this buffer during the whole conversion; it must not move.
    std::vector<unsigned char> buffer(wmf.begin(), wmf.end());

    wmfAPI_Options options;
    std::memset(&options, 0, sizeof options);
    options.function = wmf_svg_function;
    wmfAPI* api = nullptr;
    const unsigned long flags =
        WMF_OPT_FUNCTION | WMF_OPT_IGNORE_NONFATAL | WMF_OPT_NO_ERROR | WMF_OPT_NO_DEBUG;
    wmf_error_t err = wmf_api_create(&api, flags, &options);
    if (err != wmf_E_None) {
        if (api)
            wmf_api_destroy(api);
        result.error = ErrorText(err);
        return result;
    }
    err = wmf_mem_open(api, buffer.data(), static_cast<long>(buffer.size()));
    wmfD_Rect bbox{};
    if (err == wmf_E_None)
        err = wmf_scan(api, 0, &bbox);
    if (err == wmf_E_None && !(bbox.BR.x > bbox.TL.x && bbox.BR.y > bbox.TL.y))
        err = wmf_E_BadFormat;
    if (err != wmf_E_None) {
        result.error = ErrorText(err);
        wmf_api_destroy(api);
        return result;
    }
    wmf_svg_t* data = WMF_SVG_GetData(api);
    data->out = wmf_stream_create(api, nullptr);
    data->bbox = bbox;
    unsigned int width = 0, height = 0;
    wmf_display_size(api, &width, &height, 72.0, 72.0);
    data->width = width;
    data->height = height;
    data->flags |= WMF_SVG_INLINE_IMAGES;
    err = wmf_play(api, 0, &bbox);
    char* out = nullptr;
    unsigned long outLength = 0;
    wmf_stream_destroy(api, data->out, &out, &outLength);
    // The stream's buffer belongs to the API: copy before destroying it.
    QByteArray svg = out && outLength > 0 ? QByteArray(out, static_cast<qsizetype>(outLength)) : QByteArray();
    const wmf_error_t playErr = err != wmf_E_None ? err : api->err;
    wmf_api_destroy(api);
    if (playErr != wmf_E_None || svg.isEmpty()) {
        result.error =
            playErr != wmf_E_None ? ErrorText(playErr) : QStringLiteral("the metafile draws nothing");
        return result;
    }
    result.svg = FixPolylines(std::move(svg));
    return result;
#endif
}

} // namespace airmotor::platform
