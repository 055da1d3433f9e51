#include "platform/printing/PrintoutPrinter.h"

#include "core/printing/PrintoutPage.h"
#include "platform/drawing/DimensionDrawing.h"
#include "platform/drawing/PainterCanvas.h"
#include "platform/printing/PrintPicture.h"

#include <QPainter>

namespace airmotor::platform {

PrintoutPrinter::PrintoutPrinter(QString folder, core::MessageSink& messages, const core::TextTable* strText)
    : folder_(std::move(folder)), messages_(messages), strText_(strText) {}

QPageLayout::Orientation PrintoutPrinter::Orientation(const core::PrintoutPlan& plan) {
    return plan.landscape ? QPageLayout::Landscape : QPageLayout::Portrait;
}

void PrintoutPrinter::report(const std::string& text, core::MessageIcon icon) const {
    messages_.show({.key = -1, .text = text, .icon = icon, .title = {}});
}

void PrintoutPrinter::paint(QPainter& painter, const QRectF& sheet, double dpi,
                            const core::PrintoutPlan& plan, bool report) const {
    if (!plan.valid)
        return;
    painter.save();
    painter.fillRect(sheet, Qt::white);
    if (plan.linkMessage && report)
        this->report(*plan.linkMessage, core::MessageIcon::Information);
    PainterCanvas canvas(painter, sheet, core::CanvasKind::Printer, dpi);
    const std::vector<core::PictureSlot> pictures =
        core::DrawPrintoutPage(canvas, plan, static_cast<float>(dpi));
    const float sheetWidth = plan.landscape ? core::kSheetLong : core::kSheetShort;
    for (const auto& slot : pictures)
        paintPicture(painter, slot, sheet, sheetWidth, plan, report);
    painter.restore();
}

void PrintoutPrinter::paintPicture(QPainter& painter, const core::PictureSlot& slot, const QRectF& sheet,
                                   float sheetWidth, const core::PrintoutPlan& plan, bool report) const {
    const double mm = sheet.width() / static_cast<double>(sheetWidth); // device pixels per millimetre
    const QRectF target(sheet.left() + static_cast<double>(slot.x) * mm,
                        sheet.top() + static_cast<double>(slot.y) * mm, static_cast<double>(slot.width) * mm,
                        static_cast<double>(slot.height) * mm);
    if (target.isEmpty())
        return;
    if (slot.kind == core::PictureSlot::Kind::Drawing) {
        if (plan.drawing.isLink || plan.drawing.name.empty())
            return;
        const DimensionDrawing drawing =
            DimensionDrawing::Load(folder_, QString::fromStdString(plan.drawing.name));
        if (!drawing.isValid()) {
            if (report)
                this->report(core::TaskFaultText(drawing.fault(), strText_, drawing.error().toStdString()),
                             core::MessageIcon::Warning);
            return;
        }
        drawing.render(painter, FitInside(target, drawing.bounds().size()));
        return;
    }
    const PrintPicture picture = PrintPicture::Load(
        folder_, slot.kind == core::PictureSlot::Kind::Logo ? LogoFileNames() : ExSignFileNames());
    if (!picture.isValid()) {
        if (report)
            this->report(core::TaskFaultText(picture.fault(), strText_, picture.error().toStdString()),
                         core::MessageIcon::Warning);
        return;
    }
    picture.paint(painter, target);
}

PrintRun PrintoutPrinter::print(PrintJobSink& sink, const core::PrintoutPlan& plan, int copies) const {
    return RunOnePageJobs(sink, copies, Orientation(plan), QString::fromStdString(plan.sheet.designation),
                          [&](QPainter& painter, const QRectF& sheet, double dpi, int) {
                              paint(painter, sheet, dpi, plan, true);
                          });
}

} // namespace airmotor::platform
