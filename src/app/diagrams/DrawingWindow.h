#pragma once

#include "platform/drawing/DimensionDrawing.h"

#include <QRectF>
#include <QWidget>

#include <string>

class QPushButton;
class QRubberBand;

namespace airmotor::app {

// The viewer ImageMan1: the whole drawing fitted without distortion, or a source rectangle that
// fills the view. A dragged rectangle zooms; a plain click is reported.
class DrawingView final : public QWidget {
    Q_OBJECT
public:
    // The failure of a drawing is painted in the language of `strText`.
    explicit DrawingView(const core::TextTable& strText, QWidget* parent = nullptr);

    void setDrawing(platform::DimensionDrawing drawing);
    void clear(); // the empty view of a web reference
    void fitWhole();
    bool isZoomed() const { return !source_.isNull(); }
    const QRectF& source() const { return source_; }
    const platform::DimensionDrawing& drawing() const { return drawing_; }
    // What the view paints instead of a drawing that failed (empty for a drawing or a blank view).
    QString failureText() const;
    // Picture coordinates of a point of the view.
    QPointF toPicture(const QPointF& viewPoint) const;
    // The rectangle-selected step in view coordinates (corners in any order).
    void zoomTo(const QPointF& corner1, const QPointF& corner2);

signals:
    void zoomed();
    void clicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QRectF fittedTarget() const;

    const core::TextTable& strText_;
    platform::DimensionDrawing drawing_;
    bool empty_ = true;
    QRectF source_; // null: fit the whole picture
    QPoint pressAt_;
    QRubberBand* band_ = nullptr;
};

// The dimension-drawing window MÅTTSKISS of the current motor; Esc hides it.
class DrawingWindow final : public QWidget {
    Q_OBJECT
public:
    DrawingWindow(QString programFolder, const core::TextTable& strText, QWidget* parent = nullptr);

    // Shows the motor's drawing by the comma rule for the clicked column; a web reference leaves the
    // view empty and offers the link button.
    void showDrawing(const std::string& strMattskiss, int intValdKolumn);
    void setTexts(const QString& title, const QString& zoomOut, const QString& link);
    DrawingView& view() { return *ImageMan1; }
    const QString& link() const { return link_; }

signals:
    void mainWindowRequested();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    QString programFolder_;
    QString link_;
    DrawingView* ImageMan1;
    QPushButton* Command1;
    QPushButton* ZoomOutB;
};

} // namespace airmotor::app
