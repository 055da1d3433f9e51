#include "app/shell/StartWindow.h"

#include "app/shell/ProgramContext.h"
#include "app/shell/TextConversion.h"
#include "core/common/ProgramVersion.h"
#include "core/session/CaptionKeys.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QLabel>
#include <QPainter>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>

namespace airmotor::app {

namespace {

// The product sign of the splash: a motor silhouette and the product name, drawn at any size.
class SplashPicture final : public QWidget {
public:
    using QWidget::QWidget;
    QSize sizeHint() const override { return {420, 150}; }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        QLinearGradient back(0, 0, 0, height());
        back.setColorAt(0, QColor(28, 62, 110));
        back.setColorAt(1, QColor(16, 36, 66));
        p.fillRect(rect(), back);

        // Motor: body, flange and shaft, with the air inlet.
        p.save();
        p.translate(70, height() / 2.0);
        p.setPen(QPen(QColor(220, 230, 240), 1.5));
        p.setBrush(QColor(90, 130, 180));
        p.drawRoundedRect(QRectF(-40, -22, 64, 44), 5, 5);
        p.drawRect(QRectF(24, -28, 7, 56));
        p.setBrush(QColor(210, 210, 210));
        p.drawRect(QRectF(31, -5, 22, 10));
        p.drawRect(QRectF(-50, -7, 10, 14));
        p.restore();

        QFont title = font();
        title.setBold(true);
        // The largest size at which the name fits beside the picture.
        for (int size = 30; size > 12; --size) {
            title.setPixelSize(size);
            if (QFontMetrics(title).horizontalAdvance("Air Motor Selector") <= width() - 160)
                break;
        }
        p.setFont(title);
        p.setPen(Qt::white);
        p.drawText(QRectF(140, 20, width() - 150, 50), Qt::AlignLeft | Qt::AlignVCenter,
                   "Air Motor Selector");
        QFont sub = font();
        sub.setPixelSize(13);
        p.setFont(sub);
        p.setPen(QColor(190, 210, 235));
        const QString version = QString::fromStdString(core::BuildVersionText());
        p.drawText(QRectF(142, 70, width() - 150, 22), Qt::AlignLeft | Qt::AlignVCenter,
                   "Version " + version + "  ·  " + QString::fromUtf8(core::ThisBuild().date));
        p.drawText(QRectF(142, 92, width() - 150, 22), Qt::AlignLeft | Qt::AlignVCenter,
                   "Selection of compressed-air motors");
    }
};

} // namespace

StartWindow::StartWindow(ProgramContext& context, int pauseMilliseconds, QWidget* parent)
    : QWidget(parent, Qt::Window), program(context), pauseMs(pauseMilliseconds), Combo1(new QComboBox(this)),
      prompt(new QLabel(this)), pause(new QTimer(this)) {
    setObjectName("frmStartmeny");
    setWindowTitle("Air Motor Selector");
    Combo1->setObjectName("Combo1");
    Combo1->setMinimumWidth(220);
    prompt->setObjectName("lblLanguage");
    prompt->setText("Language · Sprache · Langue · Lingua · Idioma");
    prompt->setAlignment(Qt::AlignCenter);
    pause->setSingleShot(true);
    connect(pause, &QTimer::timeout, this, &StartWindow::proceed);
    connect(this, &StartWindow::proceed, this, [this] { proceeded = true; });
    connect(Combo1, &QComboBox::activated, this, &StartWindow::chooseLanguage);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 12);
    layout->addWidget(new SplashPicture(this));
    layout->addWidget(prompt);
    layout->addWidget(Combo1, 0, Qt::AlignHCenter);
    setFixedSize(sizeHint().expandedTo(QSize(420, 150)));
}

bool StartWindow::waiting() const {
    return pause->isActive();
}

void StartWindow::start() {
    // Centre on the screen.
    if (QScreen* screen = QApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    Combo1->hide();
    prompt->hide();
    program.settings = platform::SettingsFile(program.folder).read();
    program.language.strLanguage = program.settings.strLanguage;
    // Back from the main window the user came to choose another language: the list is offered,
    // with the language in use chosen, instead of the stored language's splash.
    const bool offerList = program.settings.strLanguage.empty() || program.intTillbakaStart;
    if (!offerList) {
        setFixedSize(420, 150);
        show();
        QApplication::setOverrideCursor(Qt::WaitCursor);
        if (pauseMs <= 0) {
            QApplication::restoreOverrideCursor();
            QTimer::singleShot(0, this, &StartWindow::proceed);
        } else {
            connect(
                pause, &QTimer::timeout, this, [] { QApplication::restoreOverrideCursor(); },
                Qt::SingleShotConnection);
            pause->start(pauseMs);
        }
        return;
    }
    Combo1->clear();
    for (int entry = 0; entry < core::kStartListSize; ++entry)
        Combo1->addItem(Q(core::StartListEntry(entry)));
    Combo1->setCurrentIndex(-1);
    for (int entry = 0; entry < Combo1->count(); ++entry)
        if (core::LanguageOfStartEntry(entry) == program.settings.strLanguage)
            Combo1->setCurrentIndex(entry);
    Combo1->setPlaceholderText("…");
    Combo1->show();
    prompt->show();
    setFixedSize(420, 150 + prompt->sizeHint().height() + Combo1->sizeHint().height() + 24);
    show();
}

void StartWindow::closeEvent(QCloseEvent* event) {
    QWidget::closeEvent(event);
    if (!proceeded)
        emit abandoned();
}

void StartWindow::chooseLanguage(int entry) {
    program.settings.strLanguage = std::string(core::LanguageOfStartEntry(entry));
    program.language.strLanguage = program.settings.strLanguage;
    if (auto error = program.writeSettings())
        emit settingsNotWritten(QString::fromStdString(*error));
    emit proceed();
}

} // namespace airmotor::app
