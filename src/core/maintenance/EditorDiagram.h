#pragma once

#include "core/catalogue/MotorCatalogue.h"
#include "core/diagram/MotorDiagram.h"
#include "core/maintenance/EditorDataBlock.h"
#include "core/maintenance/EditorFields.h"

#include <string>
#include <vector>

namespace airmotor::core {

class MotorDataEditor;

struct EditorDiagramOptions {
    CanvasKind canvas = CanvasKind::Window; // the printer uses the scale fields' print maxima
    bool showPoints = false;                // MätpunkterB
    bool blackGraduations = false;          // chkSvartaAxelgraderingar
    std::string dateTime;                   // for the data block's date line
    float printerDpi = 300.0f;
    const TextTable* texts = nullptr; // axis titles in the program's language
    std::string strLanguage = "English";
};

// A diagram of the editor, ready to draw: the curves with their axes and the data block beside them.
struct EditorDiagram {
    MotorDiagramInput input;
    MotorPlot plot;
    std::vector<DataBlockLine> dataBlock;
};

// Axes from the editor's scale fields: the screen maxima, or on paper the print maxima. The value
// axes share the divisions of the torque grid.
DiagramScale EditorScale(const EditorFields& fields, CanvasKind canvas);

// The editor's fitted curves after a drawing pass (calibrate() or drawingPass()) as the screen and
// printer diagrams show them: the measured points when asked, the companion curves dashed, black
// axis labels, the data block. Not drawable without the figures of a drawing pass.
EditorDiagram BuildEditorDiagram(const MotorDataEditor& editor, const EditorDiagramOptions& options);
// Catalogue motor `index` drawn with the editor's scale fields, as printing a range of catalogue
// motors does: its designation, degrees and stall torque from the catalogue, "Motor nr: " and the index.
EditorDiagram BuildCatalogueEditorDiagram(const MotorCatalogue& catalogue, int index,
                                          const MotorDataEditor& editor, const EditorDiagramOptions& options);

void DrawEditorDiagram(Canvas& canvas, const EditorDiagram& diagram);

} // namespace airmotor::core
