#pragma once

#include <QImage>
#include <QRectF>
#include <QString>

#include <memory>

class QPainter;
class QSvgRenderer;

namespace airmotor::platform {

// A dimension drawing loaded for display: a Windows metafile (through SVG), or an .SVG or .PNG of
// the same name when no metafile exists. A failed load keeps a message for the view.
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
    const QString& error() const { return error_; }
    const QString& sourceFile() const { return source_; }
    // Picture coordinates: the drawing's own extent (points for vector drawings, pixels for PNG).
    QRectF bounds() const;
    // Draws the source rectangle of the picture (the whole picture when null) into target.
    void render(QPainter& painter, const QRectF& target, const QRectF& source = {}) const;

private:
    std::unique_ptr<QSvgRenderer> svg_;
    QImage image_;
    QString error_;
    QString source_;
};

} // namespace airmotor::platform
