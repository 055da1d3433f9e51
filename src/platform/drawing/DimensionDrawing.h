#pragma once

#include "core/language/TaskFault.h"

#include <QImage>
#include <QRectF>
#include <QString>

#include <memory>

class QPainter;
class QSvgRenderer;

namespace airmotor::platform {

// A dimension drawing loaded for display: a Windows metafile (through SVG), or an .SVG or .PNG of
// the same name when no metafile exists. A failed load keeps its fault for the view.
class DimensionDrawing final {
public:
    DimensionDrawing();
    ~DimensionDrawing();
    DimensionDrawing(DimensionDrawing&&) noexcept;
    DimensionDrawing& operator=(DimensionDrawing&&) noexcept;

    // folder / name + ".WMF" (any case), else ".SVG", else ".PNG".
    static DimensionDrawing Load(const QString& folder, const QString& name);
    static DimensionDrawing FromFile(const QString& path);
    static DimensionDrawing FromWmfData(const QByteArray& wmf, const QString& sourceName);

    bool isValid() const { return svg_ != nullptr || !image_.isNull(); }
    const QString& error() const { return error_; } // English, for the command line and the server
    const core::TaskFault& fault() const { return fault_; }
    const QString& sourceFile() const { return source_; }
    // Picture coordinates: the drawing's own extent (points for vector drawings, pixels for PNG).
    QRectF bounds() const;
    // Draws the source rectangle of the picture (the whole picture when null) into target.
    void render(QPainter& painter, const QRectF& target, const QRectF& source = {}) const;

private:
    void fail(core::TaskProblem problem, const QString& english, const QString& subject = {});

    std::unique_ptr<QSvgRenderer> svg_;
    QImage image_;
    QString error_;
    core::TaskFault fault_;
    QString source_;
};

} // namespace airmotor::platform
