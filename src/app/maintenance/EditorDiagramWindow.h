#pragma once

#include "core/maintenance/EditorDiagram.h"

#include <QWidget>

namespace airmotor::app {

// The editor's screen diagram: the curves of the last drawing with the data block beside them,
// drawn anew on every resize.
class EditorDiagramWindow final : public QWidget {
    Q_OBJECT
public:
    explicit EditorDiagramWindow(QWidget* parent = nullptr);

    void show(core::EditorDiagram diagram);
    const core::EditorDiagram& diagram() const { return diagram_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    core::EditorDiagram diagram_;
};

} // namespace airmotor::app
