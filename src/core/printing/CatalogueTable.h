#pragma once

#include "core/catalogue/MotorCatalogue.h"
#include "core/diagram/Canvas.h"
#include "core/language/Language.h"

#include <string>

namespace airmotor::core {

// The whole catalogue as a landscape table, 33 motors a page in catalogue order (obsolete ones
// included); each page is its own print job.
inline constexpr int kCatalogueRowsPerPage = 33;

// Pages (= print jobs) the catalogue fills; 0 for an empty catalogue.
int CatalogueTablePages(const MotorCatalogue& catalogue);

// First and last catalogue index of page p (1-based).
struct CatalogueTableRange {
    int first = 1;
    int last = 0;
};
CatalogueTableRange CatalogueTablePageRange(const MotorCatalogue& catalogue, int page);

// Draws page p on a canvas covering a landscape A4 sheet; printerDpi as for the printout. The column
// headings are the language's, with the catalogue's SI units in every language.
void DrawCatalogueTablePage(Canvas& canvas, const MotorCatalogue& catalogue, const TextTable& strText,
                            int page, float printerDpi);

} // namespace airmotor::core
