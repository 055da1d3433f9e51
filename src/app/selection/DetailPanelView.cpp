#include "app/selection/DetailPanelView.h"
#include "core/common/Keys.h"

#include "app/selection/QbColor.h"
#include "app/selection/SessionDriver.h"
#include "core/results/CurrentMotorDetails.h"
#include "core/session/SelectionSession.h"

#include <QGridLayout>
#include <QLabel>
#include <QPainter>
#include <QPixmap>

#include <cmath>
#include <numbers>

namespace airmotor::app {

namespace {

// The explosion-protection sign: "Ex" in a yellow hexagon, drawn rather than shipped as a bitmap.
QPixmap ExSign(int size) {
    QPixmap pix(size, size);
    pix.fill(Qt::transparent);
    QPainter p(&pix);
    p.setRenderHint(QPainter::Antialiasing);
    const double r = size / 2.0 - 1.0;
    const QPointF c(size / 2.0, size / 2.0);
    QPolygonF hex;
    for (int k = 0; k < 6; ++k) {
        const double a = (60.0 * k - 90.0) * std::numbers::pi / 180.0;
        hex << c + QPointF(r * std::cos(a), r * std::sin(a));
    }
    p.setPen(QPen(Qt::black, 1.5));
    p.setBrush(QColor(255, 214, 0));
    p.drawPolygon(hex);
    QFont f;
    f.setBold(true);
    f.setPixelSize(size * 4 / 10);
    p.setFont(f);
    p.drawText(QRectF(0, 0, size, size), Qt::AlignCenter, "Ex");
    return pix;
}

} // namespace

QLabel* DetailPanelView::heading(const char* name, const char* text, bool bold) {
    auto* label = new QLabel(text, this);
    label->setObjectName(name);
    label->setWordWrap(true);
    if (bold) {
        QFont f = label->font();
        f.setBold(true);
        label->setFont(f);
    }
    return label;
}

QLabel* DetailPanelView::result(const char* name) {
    auto* label = new QLabel(this);
    label->setObjectName(name);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    label->setMinimumWidth(kValueWidth);
    label->setFixedHeight(label->fontMetrics().height() + 8);
    label->setAutoFillBackground(true);
    label->setFrameShape(QFrame::Panel);
    label->setFrameShadow(QFrame::Sunken);
    label->setMargin(1);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    QPalette pal = label->palette();
    pal.setColor(QPalette::Window, QColor(250, 250, 244));
    pal.setColor(QPalette::WindowText, Qt::black);
    label->setPalette(pal);
    values.insert(name, label);
    return label;
}

DetailPanelView::DetailPanelView(QWidget* parent) : QGroupBox("Performance current motor:", parent) {
    setObjectName("Frame3D3");
    auto* grid = new QGridLayout(this);
    grid->setHorizontalSpacing(6);
    grid->setVerticalSpacing(3);
    grid->setColumnStretch(0, 3);
    grid->setColumnStretch(3, 4); // the regulation and price captions are the longer ones
    grid->setColumnMinimumWidth(1, kValueWidth);
    grid->setColumnMinimumWidth(4, kWideValueWidth);
    grid->setColumnMinimumWidth(2, 8);

    // Left half: the figures at the available pressure.
    Label17 = heading("Label17", "PERFORM. AT 6,3 bar(e):", true);
    grid->addWidget(Label17, 0, 0, 1, 2);
    grid->addWidget(heading("Label16", "MAXPOWER POINT:", true), 1, 0, 1, 2);
    int r = 2;
    auto pair = [&](QLabel* caption, const char* valueName, int column) {
        grid->addWidget(caption, r, column);
        grid->addWidget(result(valueName), r, column + 1);
        ++r;
    };
    pair(heading("Label4", "Torque [Nm]"), "MmaxeffR", 0);
    pair(heading("Label8", "Speed [r/min]"), "NMaxeffR", 0);
    pair(heading("Label7", "Max power [kW]"), "MaxeffektR", 0);
    pair(heading("Label9", "Air consum. [l/s]"), "QmR", 0);
    grid->setRowMinimumHeight(r++, 6);
    pair(heading("Label6", "Min. Starting torque [Nm]"), "MinStartMomentR", 0);
    Label15 = heading("Label15", "Free speed [r/min]");
    pair(Label15, "NtomgangR", 0);
    pair(heading("Label10_3", "Stall torque [Nm]"), "StallmomentR", 0);
    pair(heading("Label10_4", "Weight [kg]"), "lblWeight", 0);
    const int leftRows = r;

    // Right half: regulation to the working point, price, ordering and class.
    r = 0;
    grid->addWidget(heading("Label18", "REG. TO WORKING POINT:", true), r++, 3, 1, 2);
    pair(heading("Label10_1", "Working pressure [bar(e)]"), "ArbetstryckR", 3);
    grid->addWidget(heading("Label10_5", "Or"), r++, 3);
    pair(heading("Label10_2", "Restricted to free speed [r/min]"), "StrypningR", 3);
    grid->setRowMinimumHeight(r++, 6);
    pair(heading("Label10_0", "LISTPRICE PER 1993-01-01"), "RelativprisR", 3);
    pair(heading("Label19", "Product number"), "lblProductNumber", 3);
    values["lblProductNumber"]->setMinimumWidth(kWideValueWidth);
    // The class marking is long: it takes the whole width of this half, under its heading and the signs.
    Label24 = heading("Label24", "Class");
    auto* signs = new QHBoxLayout;
    signs->addStretch(1);
    for (int k = 0; k < 2; ++k) {
        picEx[k] = new QLabel(this);
        picEx[k]->setObjectName(QString("picEx_%1").arg(k));
        picEx[k]->setPixmap(ExSign(24));
        signs->addWidget(picEx[k]);
    }
    grid->addWidget(Label24, r, 3);
    grid->addLayout(signs, r++, 4);
    auto* lblClass = result("lblClass");
    lblClass->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    grid->addWidget(lblClass, r++, 3, 1, 2);
    Label22 = heading("Label22", "Certification ordering No.");
    grid->addWidget(Label22, r, 3);
    auto* certificate = result("lblCertificateNumber");
    grid->addWidget(certificate, r++, 4);
    Label21 = heading("Label21", "Always order as one delivery together with motor");
    grid->addWidget(Label21, r++, 3, 1, 2);
    Label14 = heading("Label14", "");
    grid->addWidget(Label14, std::max(r, leftRows), 0, 1, 5);
    grid->setRowStretch(std::max(r, leftRows) + 1, 1);
}

void DetailPanelView::refresh(const core::SelectionSession& session, const core::LanguageState& language) {
    const core::DetailPanel& p = session.panel();
    const std::pair<const char*, const std::string*> texts[] = {
        {"MaxeffektR", &p.MaxeffektR},
        {"NMaxeffR", &p.NMaxeffR},
        {"MinStartMomentR", &p.MinStartMomentR},
        {"StallmomentR", &p.StallmomentR},
        {"lblWeight", &p.lblWeight},
        {"QmR", &p.QmR},
        {"RelativprisR", &p.RelativprisR},
        {"lblProductNumber", &p.lblProductNumber},
        {"MmaxeffR", &p.MmaxeffR},
        {"NtomgangR", &p.NtomgangR},
        {"ArbetstryckR", &p.ArbetstryckR},
        {"StrypningR", &p.StrypningR},
        {"lblClass", &p.lblClass},
        {"lblCertificateNumber", &p.lblCertificateNumber},
    };
    for (const auto& [name, text] : texts)
        values[name]->setText(Q(*text).trimmed());

    QPalette pal = values["NtomgangR"]->palette();
    pal.setColor(QPalette::WindowText, p.NtomgangRColour == 12 ? QbColor(12) : QColor(0, 140, 0));
    values["NtomgangR"]->setPalette(pal);

    // The row click writes these headings in the language of its moment; without a current motor they
    // may be older than the language, so they are rebuilt from the texts now loaded.
    const bool motor = session.current().valid;
    const core::TextTable& strText = language.strText;
    Label17->setText(Q(motor && !p.Label17.empty()
                           ? p.Label17
                           : core::PerformanceHeading(language, session.DiagramPressure())));
    Label15->setText(KeepUnitsWhole(
        Q(motor && !p.Label15.empty() ? p.Label15 : strText(core::TextKey::FreeSpeedCaption))));
    Label24->setText(Q(motor && !p.Label24.empty() ? p.Label24 : strText(core::TextKey::ExplosionClass)));
    values["lblCertificateNumber"]->setVisible(p.lblCertificateNumberVisible);
    // The signs and the delivery note speak of a motor: with none current they would mislead.
    Label21->setVisible(motor && p.Label21Visible);
    Label22->setVisible(p.Label22Visible);
    for (int k = 0; k < 2; ++k)
        picEx[k]->setVisible(motor && p.picExVisible[k]);
    Label14->setVisible(session.outputs().Label14Visible);
}

} // namespace airmotor::app
