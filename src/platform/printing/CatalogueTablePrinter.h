#pragma once

#include "core/catalogue/MotorCatalogue.h"
#include "core/language/Language.h"
#include "platform/printing/PrintJobs.h"

class QPainter;
class QRectF;

namespace airmotor::platform {

// TabellB: the catalogue table, one landscape page per print job.
class CatalogueTablePrinter final {
public:
    CatalogueTablePrinter(const core::MotorCatalogue& catalogue, const core::TextTable& strText)
        : catalogue_(catalogue), strText_(strText) {}

    int pages() const;
    // Page p (1-based) on a painter begun on a landscape sheet.
    void paint(QPainter& painter, const QRectF& sheet, double dpi, int page) const;
    // Every page as its own job; no job at all for an empty catalogue.
    PrintRun print(PrintJobSink& sink) const;

private:
    const core::MotorCatalogue& catalogue_;
    const core::TextTable& strText_;
};

} // namespace airmotor::platform
