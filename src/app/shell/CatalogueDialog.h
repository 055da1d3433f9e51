#pragma once

#include "core/language/Language.h"

#include <QDialog>

#include <optional>
#include <string>

class QLabel;
class QLineEdit;

namespace airmotor::app {

// Options → "Catalogue…": where the catalogue is read from, a database file or a postgresql:// URL,
// empty for the program folder's own. OK keeps the dialog open with a one-line message until the
// location is usable: it parses, holds no password and its catalogue loads.
class CatalogueDialog final : public QDialog {
    Q_OBJECT
public:
    // Captions and messages in the language of the text table, which outlives the dialog.
    CatalogueDialog(const QString& location, const core::TextTable& strText, QWidget* parent = nullptr);

    // The accepted location: a file name made absolute, a URL as given; empty for the folder's own.
    const QString& location() const { return location_; }
    void accept() override;

    // Why `location` cannot be the catalogue, in the table's language; nothing when it can. Loads
    // the catalogue, so it may take as long as a connection attempt.
    static std::optional<std::string> Check(const QString& location, const core::TextTable& strText);

private:
    QString location_;
    const core::TextTable& strText_;
    QLineEdit* txtCatalogueLocation;
    QLabel* lblCatalogueError;
};

} // namespace airmotor::app
