// Writes the certificate information documents: <texts>/<Language>.txt -> <folder>/<document>.pdf.
// A text file: "# " title line, "## " section headings, one paragraph per other line.
#include "core/printing/CertificateDocument.h"

#include <QFile>
#include <QGuiApplication>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QSaveFile>
#include <QTextDocument>

#include <iostream>

namespace {

constexpr qint64 kMaxTextBytes = 1024 * 1024;

QString Html(const QString& text) {
    QString html =
        QStringLiteral("<html><body style=\"font-family: 'Nimbus Sans', 'DejaVu Sans', sans-serif; "
                       "font-size: 11pt;\">");
    for (const QString& raw : text.split('\n')) {
        const QString line = raw.trimmed();
        if (line.isEmpty())
            continue;
        if (line.startsWith(QStringLiteral("## ")))
            html += "<h3>" + line.mid(3).toHtmlEscaped() + "</h3>";
        else if (line.startsWith(QStringLiteral("# ")))
            html += "<h1>" + line.mid(2).toHtmlEscaped() + "</h1>";
        else
            html += "<p>" + line.toHtmlEscaped() + "</p>";
    }
    return html + "</body></html>";
}

bool Write(const QString& textPath, const QString& pdfPath) {
    QFile in(textPath);
    if (!in.open(QIODevice::ReadOnly)) {
        std::cerr << textPath.toStdString() << ": cannot be read\n";
        return false;
    }
    QTextDocument document;
    document.setHtml(Html(QString::fromUtf8(in.read(kMaxTextBytes))));
    QSaveFile out(pdfPath);
    if (!out.open(QIODevice::WriteOnly)) {
        std::cerr << pdfPath.toStdString() << ": cannot be written\n";
        return false;
    }
    {
        QPdfWriter writer(&out);
        writer.setTitle(document.toPlainText().section('\n', 0, 0));
        writer.setCreator(QStringLiteral("Air Motor Selector"));
        writer.setPageLayout(
            QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(20, 20, 20, 20)));
        document.print(&writer);
    }
    if (!out.commit()) {
        std::cerr << pdfPath.toStdString() << ": cannot be written\n";
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    if (argc != 3) {
        std::cerr << "usage: airmotor-certificates TEXT-FOLDER PROGRAM-FOLDER\n";
        return 2;
    }
    const QString texts = QString::fromLocal8Bit(argv[1]);
    const QString folder = QString::fromLocal8Bit(argv[2]);
    bool ok = true;
    for (const std::string& language : airmotor::core::CertificateDocumentLanguages()) {
        const QString name = QString::fromStdString(airmotor::core::CertificateDocumentName(language));
        ok = Write(texts + "/" + QString::fromStdString(language) + ".txt", folder + "/" + name) && ok;
    }
    return ok ? 0 : 1;
}
