#include "app/maintenance/ReadingsTable.h"

#include "app/maintenance/EditorFieldBoxes.h"

#include <QApplication>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>

namespace airmotor::app {

namespace {

constexpr int kReadingWidth = 58; // pixels
constexpr std::array<const char*, 3> kColumnNames = {"Varvtal_mm", "Nm_mm", "Q_mm"};
constexpr std::array<const char*, 3> kCaptions = {"Varvtal mm", "Nm      mm", "Luftf.   mm"};

std::size_t Slot(core::ReadingColumn column) {
    return static_cast<std::size_t>(column);
}

} // namespace

ReadingsTable::ReadingsTable(core::MotorDataEditor& editor, QWidget* parent)
    : QScrollArea(parent), editor_(editor) {
    auto* inner = new QWidget(this);
    auto* grid = new QGridLayout(inner);
    grid->setContentsMargins(2, 2, 2, 2);
    grid->setHorizontalSpacing(4);
    grid->setVerticalSpacing(1);
    for (std::size_t c = 0; c < kCaptions.size(); ++c)
        grid->addWidget(new QLabel(QString::fromUtf8(kCaptions[c]), inner), 0, static_cast<int>(c) + 1);
    for (int i = 1; i <= core::kMaxMeasuredPoints; ++i) {
        grid->addWidget(new QLabel(QString::number(i), inner), i, 0, Qt::AlignRight);
        for (const auto column :
             {core::ReadingColumn::Speed, core::ReadingColumn::Torque, core::ReadingColumn::Air}) {
            auto* box = new QLineEdit(inner);
            box->setObjectName(
                QStringLiteral("%1_%2").arg(QString::fromUtf8(kColumnNames[Slot(column)])).arg(i));
            box->setFixedWidth(kReadingWidth);
            boxes_[Slot(column)][static_cast<std::size_t>(i)] = box;
            grid->addWidget(box, i, static_cast<int>(Slot(column)) + 1);
            connect(box, &QLineEdit::textEdited, this, [this, box, column, i](const QString& text) {
                bool dropped = false;
                const QString kept = FilterNumericText(text, &dropped);
                if (dropped) {
                    QApplication::beep();
                    box->setText(kept);
                }
                editor_.typeReading(column, i, kept.toStdString());
            });
        }
    }
    setWidget(inner);
    setWidgetResizable(true);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setMinimumWidth(inner->sizeHint().width() + 24);
}

QLineEdit* ReadingsTable::box(core::ReadingColumn column, int point) const {
    return boxes_[Slot(column)][static_cast<std::size_t>(point)];
}

void ReadingsTable::mirror() {
    for (const auto column :
         {core::ReadingColumn::Speed, core::ReadingColumn::Torque, core::ReadingColumn::Air})
        for (int i = 1; i <= core::kMaxMeasuredPoints; ++i) {
            const QString text = QString::fromStdString(editor_.reading(column, i));
            QLineEdit* b = box(column, i);
            if (b->text() != text)
                b->setText(text);
        }
}

} // namespace airmotor::app
