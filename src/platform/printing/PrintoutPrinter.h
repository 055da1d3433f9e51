#pragma once

#include "core/common/MessageSink.h"
#include "core/language/Language.h"
#include "core/printing/PrintoutPage.h"
#include "platform/printing/PrintJobs.h"

#include <QString>

class QPainter;
class QRectF;

namespace airmotor::platform {

// The printout of the current motor (complete data sheet, diagram or dimension drawing) on any
// paged device: text and diagram as vector graphics, then the logo, the drawing and the Ex sign
// from the program folder.
class PrintoutPrinter final {
public:
    // Missing pictures are reported in the language of `strText`; in English without one (the
    // command line).
    PrintoutPrinter(QString folder, core::MessageSink& messages, const core::TextTable* strText = nullptr);

    // Paints one copy on a painter begun on a sheet in the plan's orientation. With report, the
    // printout's messages (a drawing that is only a link, a missing picture) go to the sink.
    void paint(QPainter& painter, const QRectF& sheet, double dpi, const core::PrintoutPlan& plan,
               bool report) const;
    // One job per copy; the messages of each copy are shown.
    PrintRun print(PrintJobSink& sink, const core::PrintoutPlan& plan, int copies) const;

    static QPageLayout::Orientation Orientation(const core::PrintoutPlan& plan);

private:
    void paintPicture(QPainter& painter, const core::PictureSlot& slot, const QRectF& sheet, float sheetWidth,
                      const core::PrintoutPlan& plan, bool report) const;
    void report(const std::string& text, core::MessageIcon icon) const;

    QString folder_;
    core::MessageSink& messages_;
    const core::TextTable* strText_;
};

} // namespace airmotor::platform
