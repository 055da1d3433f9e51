#include "app/maintenance/EditorFieldBoxes.h"

#include "app/selection/FieldLineEdit.h"
#include "core/format/NumericTextBox.h"

#include <QApplication>

namespace airmotor::app {

namespace {
constexpr int kFieldBoxWidth = 64; // pixels: seven significant digits fit
}

QString FilterNumericText(const QString& typed, bool* dropped) {
    QString kept;
    bool any = false;
    for (const QChar c : typed) {
        auto key = static_cast<std::int16_t>(c.unicode() < 128 ? c.unicode() : 0);
        if (core::NumericKeyFilter(key) && key >= ' ')
            kept.append(QChar(key));
        else
            any = true;
    }
    if (dropped)
        *dropped = any;
    return kept;
}

EditorFieldBoxes::EditorFieldBoxes(core::EditorFields& fields, QWidget* parent)
    : QObject(parent), fields_(fields) {
    for (std::size_t i = 0; i < core::kEditorFieldCount; ++i) {
        const auto field = static_cast<core::EditorField>(i);
        auto* box = new FieldLineEdit(parent);
        box->setObjectName(QString::fromUtf8(core::RuleOf(field).objectName.data(),
                                             static_cast<qsizetype>(core::RuleOf(field).objectName.size())));
        box->setFixedWidth(kFieldBoxWidth);
        boxes_[i] = box;
        connect(box, &QLineEdit::textEdited, this, [this, box, field](const QString& text) {
            bool dropped = false;
            const QString kept = FilterNumericText(text, &dropped);
            if (dropped)
                QApplication::beep();
            fields_.type(field, kept.toStdString());
            mirror();
            if (box->text() != kept)
                box->setText(kept);
            emit typed(field);
        });
        connect(box, &FieldLineEdit::focusLeft, this, [this, field](Qt::FocusReason) { emit left(field); });
    }
    mirror();
}

void EditorFieldBoxes::mirror() {
    for (std::size_t i = 0; i < core::kEditorFieldCount; ++i) {
        const core::NumericTextBox& model = fields_.box(static_cast<core::EditorField>(i));
        FieldLineEdit* box = boxes_[i];
        const QString text = QString::fromStdString(model.text);
        if (box->text() != text)
            box->setText(text);
        box->setPaletteColour(model.colour);
    }
}

} // namespace airmotor::app
