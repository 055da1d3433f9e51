#include "app/diagrams/DrawingWindow.h"

#include "app/shell/AuxWindowPlacement.h"
#include "core/diagram/DrawingReference.h"
#include "core/diagram/ViewGeometry.h"

#include <QDesktopServices>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QRubberBand>
#include <QUrl>
#include <QVBoxLayout>

namespace airmotor::app {

DrawingView::DrawingView(const core::TextTable& strText, QWidget* parent)
    : QWidget(parent), strText_(strText), band_(new QRubberBand(QRubberBand::Rectangle, this)) {
    setObjectName("ImageMan1");
    setMinimumSize(200, 150);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setCursor(Qt::CrossCursor);
}

void DrawingView::setDrawing(platform::DimensionDrawing drawing) {
    drawing_ = std::move(drawing);
    empty_ = false;
    source_ = QRectF();
    update();
}

void DrawingView::clear() {
    drawing_ = platform::DimensionDrawing();
    empty_ = true;
    source_ = QRectF();
    update();
}

void DrawingView::fitWhole() {
    source_ = QRectF();
    update();
}

QRectF DrawingView::fittedTarget() const {
    const QRectF bounds = drawing_.bounds();
    if (bounds.isEmpty() || width() <= 0 || height() <= 0)
        return QRectF(rect());
    const double scale = std::min(width() / bounds.width(), height() / bounds.height());
    const QSizeF size = bounds.size() * scale;
    return QRectF(QPointF((width() - size.width()) / 2.0, (height() - size.height()) / 2.0), size);
}

QPointF DrawingView::toPicture(const QPointF& p) const {
    const QRectF from = isZoomed() ? QRectF(rect()) : fittedTarget();
    const QRectF to = isZoomed() ? source_ : drawing_.bounds();
    if (from.isEmpty())
        return to.topLeft();
    return {to.left() + (p.x() - from.left()) * to.width() / from.width(),
            to.top() + (p.y() - from.top()) * to.height() / from.height()};
}

void DrawingView::zoomTo(const QPointF& corner1, const QPointF& corner2) {
    if (!drawing_.isValid())
        return;
    const QPointF a = toPicture(corner1), b = toPicture(corner2);
    const auto r = core::ZoomSourceRect(a.x(), a.y(), b.x(), b.y(), width(), height());
    if (!r)
        return; // a drag of no width or height changes nothing
    source_ = QRectF(r->left, r->top, r->width, r->height);
    update();
    emit zoomed();
}

QString DrawingView::failureText() const {
    if (empty_ || drawing_.isValid())
        return {};
    return QString::fromStdString(
        core::TaskFaultText(drawing_.fault(), &strText_, drawing_.error().toStdString()));
}

void DrawingView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    if (empty_)
        return;
    if (!drawing_.isValid()) {
        painter.setPen(QColor(90, 90, 90));
        painter.drawText(rect().adjusted(16, 16, -16, -16), Qt::AlignCenter | Qt::TextWordWrap,
                         failureText());
        return;
    }
    if (isZoomed())
        drawing_.render(painter, QRectF(rect()), source_);
    else
        drawing_.render(painter, fittedTarget());
}

void DrawingView::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton)
        return QWidget::mousePressEvent(event);
    pressAt_ = event->position().toPoint();
    band_->setGeometry(QRect(pressAt_, QSize()));
    band_->show();
}

void DrawingView::mouseMoveEvent(QMouseEvent* event) {
    if (band_->isVisible())
        band_->setGeometry(QRect(pressAt_, event->position().toPoint()).normalized());
}

void DrawingView::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !band_->isVisible())
        return QWidget::mouseReleaseEvent(event);
    band_->hide();
    const QPoint releaseAt = event->position().toPoint();
    if ((releaseAt - pressAt_).manhattanLength() < 3) {
        emit clicked();
        return;
    }
    zoomTo(pressAt_, releaseAt);
}

DrawingWindow::DrawingWindow(QString programFolder, const core::TextTable& strText, QWidget* parent)
    : QWidget(parent, Qt::Window), programFolder_(std::move(programFolder)),
      ImageMan1(new DrawingView(strText, this)), Command1(new QPushButton(this)),
      ZoomOutB(new QPushButton(this)) {
    // The texts are the language's (setTexts).
    setObjectName(QStringLiteral("MÅTTSKISS"));
    Command1->setObjectName("Command1");
    ZoomOutB->setObjectName("ZoomOutB");
    auto* buttons = new QHBoxLayout;
    buttons->setContentsMargins(6, 4, 6, 4);
    buttons->addWidget(Command1);
    buttons->addStretch(1);
    buttons->addWidget(ZoomOutB);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    // The buttons sit under the drawing: where the diagram window overlaps this one, it overlaps the top.
    layout->addWidget(ImageMan1, 1);
    layout->addLayout(buttons);
    // The button row keeps its height when both buttons are hidden, so the view never jumps.
    for (QPushButton* b : {Command1, ZoomOutB}) {
        QSizePolicy policy = b->sizePolicy();
        policy.setRetainSizeWhenHidden(true);
        b->setSizePolicy(policy);
    }
    Command1->hide();
    ZoomOutB->hide();

    connect(Command1, &QPushButton::clicked, this, [this] {
        if (!link_.isEmpty())
            QDesktopServices::openUrl(QUrl(link_));
    });
    connect(ZoomOutB, &QPushButton::clicked, this, [this] {
        ImageMan1->fitWhole();
        ZoomOutB->hide();
    });
    connect(ImageMan1, &DrawingView::zoomed, ZoomOutB, &QPushButton::show);
    connect(ImageMan1, &DrawingView::clicked, this, &DrawingWindow::mainWindowRequested);
    resize(DrawingWindowSize(AvailableScreen(this)));
}

void DrawingWindow::setTexts(const QString& title, const QString& zoomOut, const QString& link) {
    if (!title.isEmpty())
        setWindowTitle(title);
    if (!zoomOut.isEmpty())
        ZoomOutB->setText(zoomOut);
    if (!link.isEmpty())
        Command1->setText(link);
}

void DrawingWindow::showDrawing(const std::string& strMattskiss, int intValdKolumn) {
    show();
    ZoomOutB->hide();
    const core::DrawingChoice choice = core::ChooseDrawing(strMattskiss, intValdKolumn);
    if (choice.isLink) {
        link_ = QString::fromStdString(choice.name);
        ImageMan1->clear();
        Command1->show();
        return;
    }
    link_.clear();
    Command1->hide();
    ImageMan1->setDrawing(
        platform::DimensionDrawing::Load(programFolder_, QString::fromStdString(choice.name)));
}

void DrawingWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        hide();
        return;
    }
    QWidget::keyPressEvent(event);
}

void DrawingWindow::mousePressEvent(QMouseEvent* event) {
    QWidget::mousePressEvent(event);
    emit mainWindowRequested();
}

} // namespace airmotor::app
