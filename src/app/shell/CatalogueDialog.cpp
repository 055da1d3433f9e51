#include "app/shell/CatalogueDialog.h"

#include "app/selection/CaptionApplier.h"
#include "app/shell/TextConversion.h"
#include "core/catalogue/CatalogueLocation.h"
#include "core/common/Keys.h"
#include "core/results/SearchSummary.h"
#include "platform/storage/CatalogueStore.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace airmotor::app {

CatalogueDialog::CatalogueDialog(const QString& location, const core::TextTable& strText, QWidget* parent)
    : QDialog(parent), location_(location), strText_(strText) {
    setObjectName("frmCatalogue");
    auto* layout = new QVBoxLayout(this);
    auto* intro = new QLabel(this);
    intro->setObjectName("lblCatalogueIntro");
    intro->setWordWrap(true);
    layout->addWidget(intro);
    auto* form = new QFormLayout;
    txtCatalogueLocation = new QLineEdit(location, this);
    txtCatalogueLocation->setObjectName("txtCatalogueLocation");
    txtCatalogueLocation->setMinimumWidth(400);
    auto* caption = new QLabel(this);
    caption->setObjectName("lblCatalogueLocation");
    caption->setBuddy(txtCatalogueLocation);
    form->addRow(caption, txtCatalogueLocation);
    layout->addLayout(form);
    lblCatalogueError = new QLabel(this);
    lblCatalogueError->setObjectName("lblCatalogueError");
    lblCatalogueError->setWordWrap(true);
    lblCatalogueError->setStyleSheet("color: #b00000;");
    lblCatalogueError->hide();
    layout->addWidget(lblCatalogueError);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setObjectName("cmdOK");
    buttons->button(QDialogButtonBox::Cancel)->setObjectName("cmdCancel");
    connect(buttons, &QDialogButtonBox::accepted, this, &CatalogueDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CatalogueDialog::reject);
    layout->addWidget(buttons);
    ApplyCaptions(this, strText, {});
    // The explanation wraps: the height follows the width its captions left, in every language.
    setMinimumWidth(560);
    adjustSize();
}

std::optional<std::string> CatalogueDialog::Check(const QString& location, const core::TextTable& strText) {
    if (location.isEmpty())
        return std::nullopt;
    const auto parsed = core::ParseCatalogueLocation(location.toStdString());
    if (const auto* error = std::get_if<core::LocationError>(&parsed)) {
        // The message would repeat the password on screen.
        if (error->password)
            return strText(core::TextKey::CataloguePasswordRefused);
        return core::FillPlaceholders(strText(core::TextKey::CatalogueLocationInvalid), {error->message});
    }
    auto loaded = platform::CatalogueStore(location).loadCatalogue();
    if (const auto* error = std::get_if<core::LoadError>(&loaded))
        return core::FillPlaceholders(strText(core::TextKey::CatalogueNotLoaded), {error->message});
    return std::nullopt;
}

void CatalogueDialog::accept() {
    QString chosen = txtCatalogueLocation->text().trimmed();
    const auto parsed = core::ParseCatalogueLocation(chosen.toStdString());
    const auto* valid = std::get_if<core::CatalogueLocation>(&parsed);
    // The preference outlives the working folder the program was started in.
    if (!chosen.isEmpty() && valid != nullptr && !valid->isPostgres())
        chosen = QFileInfo(chosen).absoluteFilePath();
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const auto problem = Check(chosen, strText_);
    QApplication::restoreOverrideCursor();
    if (problem) {
        lblCatalogueError->setText(Q(*problem));
        lblCatalogueError->show();
        adjustSize();
        return;
    }
    location_ = chosen;
    QDialog::accept();
}

} // namespace airmotor::app
