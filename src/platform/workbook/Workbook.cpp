#include "platform/workbook/Workbook.h"

#include "platform/files/AtomicFile.h"
#include "platform/files/RegularFile.h"
#include "platform/workbook/WorkbookXml.h"

#include <quazip/quazip.h>
#include <quazip/quazipfile.h>
#include <quazip/quazipfileinfo.h>
#include <quazip/quazipnewinfo.h>

#include <QBuffer>
#include <QDir>
#include <QDomDocument>
#include <QFileInfo>
#include <QTemporaryFile>
#include <QXmlStreamReader>

#include <stdexcept>

namespace airmotor::platform {
namespace {

const QString kWorkbookPart = QStringLiteral("xl/workbook.xml");
const QString kWorkbookRels = QStringLiteral("xl/_rels/workbook.xml.rels");
const QString kContentTypesPart = QStringLiteral("[Content_Types].xml");
const QString kSharedStringsType = QStringLiteral("/sharedStrings");
const QString kCalcChainType = QStringLiteral("/calcChain");

QString LocalName(const QDomElement& e) {
    const QString tag = e.tagName();
    return tag.mid(tag.indexOf(QLatin1Char(':')) + 1);
}

std::vector<QDomElement> Children(const QDomElement& parent, const char* localName) {
    std::vector<QDomElement> found;
    for (QDomElement e = parent.firstChildElement(); !e.isNull(); e = e.nextSiblingElement())
        if (LocalName(e) == QLatin1String(localName))
            found.push_back(e);
    return found;
}

// The relationship id of a <sheet>: its "r:id", whatever prefix the writer chose.
QString RelationshipId(const QXmlStreamAttributes& attributes) {
    for (const QXmlStreamAttribute& a : attributes)
        if (a.qualifiedName().endsWith(QLatin1String(":id")))
            return a.value().toString();
    return {};
}

// A relationship target of the workbook part as a part name: relative to xl/, or absolute.
QString PartName(const QString& target) {
    if (target.startsWith(QLatin1Char('/')))
        return QDir::cleanPath(target.mid(1));
    return QDir::cleanPath(QStringLiteral("xl/") + target);
}

struct Relationship {
    QString id, type, part;
};

std::string MalformedPart(const QString& partName, const QXmlStreamReader& reader) {
    return partName.toStdString() + ": malformed XML at line " + std::to_string(reader.lineNumber()) +
           ", column " + std::to_string(reader.columnNumber()) + ": " + reader.errorString().toStdString();
}

// Streams a part, checked against the limits first, calling `visit` for every token after the
// document's start with the depth of the element it belongs to (the root is 1). A message naming
// the part when it breaks a limit or is malformed.
template <typename Visit>
std::optional<std::string> StreamXml(const QString& partName, const QByteArray& data, const XmlLimits& limits,
                                     Visit visit) {
    if (auto problem = CheckXmlPart(data, limits))
        return partName.toStdString() + ": " + *problem;
    QByteArray bytes = data;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    QXmlStreamReader reader(&buffer);
    reader.setNamespaceProcessing(false);
    int depth = 0;
    while (!reader.atEnd()) {
        const QXmlStreamReader::TokenType token = reader.readNext();
        if (token == QXmlStreamReader::DTD)
            return partName.toStdString() + ": " + kDtdRefused;
        if (token == QXmlStreamReader::StartElement && ++depth > limits.depth)
            return partName.toStdString() + ": nests elements deeper than the limit of " +
                   std::to_string(limits.depth) + " levels";
        visit(reader, depth);
        if (token == QXmlStreamReader::EndElement)
            --depth;
    }
    if (reader.hasError())
        return MalformedPart(partName, reader);
    return std::nullopt;
}

// A small part read whole into a tree for rewriting, after the same checks as every part.
std::variant<QDomDocument, std::string> ParseXml(const QString& partName, const QByteArray& data) {
    if (auto problem = CheckXmlPart(data, TreePartLimits()))
        return partName.toStdString() + ": " + *problem;
    QDomDocument document;
    QString error;
    int line = 0, column = 0;
    // Namespace processing off: the declarations stay where they are, so mc:Ignorable keeps working.
    if (!document.setContent(data, false, &error, &line, &column))
        return partName.toStdString() + ": malformed XML at line " + std::to_string(line) + ", column " +
               std::to_string(column) + ": " + error.toStdString();
    return document;
}

// Entities of a document type would be dropped without a word by the XML readers, and an external
// one names a file of this machine: workbook parts have no business declaring any.
bool DeclaresDocumentType(const QString& partName, const QByteArray& data) {
    const bool xml = partName.endsWith(QLatin1String(".xml"), Qt::CaseInsensitive) ||
                     partName.endsWith(QLatin1String(".rels"), Qt::CaseInsensitive);
    return xml && data.contains("<!DOCTYPE");
}

} // namespace

std::string Workbook::named(const std::string& what) const {
    return QDir::toNativeSeparators(path_).toStdString() + ": " + what;
}

Workbook::FileStamp Workbook::StampOf(const QString& path) {
    const QFileInfo info(path);
    if (!info.exists())
        return {};
    return {info.size(), info.lastModified()};
}

Workbook::OpenResult Workbook::open(const QString& path) {
    const QFileInfo info(path);
    if (!info.exists() && !info.isSymLink())
        return Workbook(path).named("the workbook does not exist");
    // Noted before reading: a change made while the file is read shows at the save.
    const FileStamp stamp = StampOf(path);
    auto read = ReadRegularFile(path, kWorkbookFileCap);
    if (auto* error = std::get_if<FileError>(&read))
        return error->message;
    OpenResult opened = fromBytes(std::get<QByteArray>(read), path);
    if (auto* workbook = std::get_if<Workbook>(&opened))
        workbook->stamp_ = stamp;
    return opened;
}

Workbook::OpenResult Workbook::fromBytes(const QByteArray& bytes, const QString& path) {
    Workbook workbook(path);
    if (auto error = workbook.load(bytes))
        return workbook.named(*error);
    if (auto error = workbook.readWorkbookPart())
        return workbook.named(*error);
    if (auto error = workbook.readSharedStrings())
        return workbook.named(*error);
    return workbook;
}

std::optional<std::string> Workbook::load(const QByteArray& bytes) {
    QBuffer buffer;
    buffer.setData(bytes);
    QuaZip zip(&buffer);
    if (!zip.open(QuaZip::mdUnzip))
        return "is not a zip archive, so not an .xlsx workbook";
    qint64 unpacked = 0;
    for (bool more = zip.goToFirstFile(); more; more = zip.goToNextFile()) {
        QuaZipFileInfo64 info;
        if (!zip.getCurrentFileInfo(&info))
            return "the zip archive's directory is damaged";
        if (info.uncompressedSize > static_cast<quint64>(kWorkbookUnpackedCap - unpacked))
            return "unpacks to more than the limit of " + std::to_string(kWorkbookUnpackedCap >> 20) + " MiB";
        QuaZipFile file(&zip);
        if (!file.open(QIODevice::ReadOnly))
            return "part " + info.name.toStdString() + " cannot be unpacked (damaged or encrypted)";
        // The directory's size may lie: never read more than it announced (plus one byte to notice).
        const QByteArray data = file.read(static_cast<qint64>(info.uncompressedSize) + 1);
        file.close();
        if (file.getZipError() != UNZ_OK || data.size() != static_cast<qsizetype>(info.uncompressedSize))
            return "part " + info.name.toStdString() + " is damaged";
        if (DeclaresDocumentType(info.name, data))
            return "part " + info.name.toStdString() +
                   " declares a document type (<!DOCTYPE>), which a workbook never does: its entities "
                   "(external files among them) are not read, so the workbook is refused";
        unpacked += data.size();
        parts_.push_back({info.name, data, info.dateTime});
    }
    if (zip.getZipError() != UNZ_OK)
        return "the zip archive is damaged";
    return std::nullopt;
}

Workbook::Part* Workbook::part(const QString& name) {
    for (Part& p : parts_)
        if (p.name == name)
            return &p;
    return nullptr;
}

std::optional<std::string> Workbook::readWorkbookPart() {
    const Part* book = part(kWorkbookPart);
    if (book == nullptr)
        return "has no " + kWorkbookPart.toStdString() + ", so it is not an .xlsx workbook";
    std::vector<Relationship> relations;
    if (const Part* rels = part(kWorkbookRels)) {
        auto error =
            StreamXml(kWorkbookRels, rels->data, TreePartLimits(), [&](QXmlStreamReader& r, int depth) {
                if (r.isStartElement() && depth == 2 &&
                    LocalNameOf(r.qualifiedName()) == QLatin1String("Relationship")) {
                    const QXmlStreamAttributes a = r.attributes();
                    relations.push_back({a.value(QLatin1String("Id")).toString(),
                                         a.value(QLatin1String("Type")).toString(),
                                         PartName(a.value(QLatin1String("Target")).toString())});
                }
            });
        if (error)
            return error;
    }
    bool inSheets = false;
    auto error = StreamXml(kWorkbookPart, book->data, TreePartLimits(), [&](QXmlStreamReader& r, int depth) {
        if (depth == 2 && (r.isStartElement() || r.isEndElement()))
            inSheets = r.isStartElement() && LocalNameOf(r.qualifiedName()) == QLatin1String("sheets");
        if (!inSheets || depth != 3 || !r.isStartElement() ||
            LocalNameOf(r.qualifiedName()) != QLatin1String("sheet"))
            return;
        const QString id = RelationshipId(r.attributes());
        QString partName;
        for (const Relationship& rel : relations)
            if (rel.id == id)
                partName = rel.part;
        sheets_.push_back({r.attributes().value(QLatin1String("name")).toString().toStdString(), partName});
    });
    if (error)
        return error;
    for (const Relationship& r : relations)
        if (r.type.endsWith(kSharedStringsType) && part(r.part) != nullptr)
            sharedStringsPart_ = r.part;
    return std::nullopt;
}

// Every <si>: the text of its own <t> and of its runs' <t>, phonetic hints left out.
std::optional<std::string> Workbook::readSharedStrings() {
    if (sharedStringsPart_.isEmpty())
        return std::nullopt;
    enum class Role { Other, Item, Run, Text };
    std::vector<Role> open;
    QString text;
    auto error = StreamXml(sharedStringsPart_, part(sharedStringsPart_)->data, SharedStringLimits(),
                           [&](QXmlStreamReader& r, int depth) {
                               const Role parent = open.empty() ? Role::Other : open.back();
                               if (r.isStartElement()) {
                                   const QStringView local = LocalNameOf(r.qualifiedName());
                                   Role role = Role::Other;
                                   if (depth == 2 && local == QLatin1String("si"))
                                       role = Role::Item;
                                   else if (parent == Role::Item && local == QLatin1String("r"))
                                       role = Role::Run;
                                   else if ((parent == Role::Item || parent == Role::Run) &&
                                            local == QLatin1String("t"))
                                       role = Role::Text;
                                   open.push_back(role);
                               } else if (r.isCharacters() && parent == Role::Text) {
                                   text.append(r.text());
                               } else if (r.isEndElement()) {
                                   if (parent == Role::Item) {
                                       sharedStrings_->push_back(text.toStdString());
                                       text.clear();
                                   }
                                   open.pop_back();
                               }
                           });
    return error;
}

std::vector<std::string> Workbook::sheetNames() const {
    std::vector<std::string> names;
    for (const SheetEntry& s : sheets_)
        names.push_back(s.name);
    return names;
}

std::variant<WorkbookSheet*, std::string> Workbook::sheet(const std::string& name, const KeptCells& kept) {
    const SheetEntry* entry = nullptr;
    for (const SheetEntry& s : sheets_)
        if (s.name == name)
            entry = &s;
    if (entry == nullptr)
        return named("has no sheet \"" + name + "\"");
    if (const auto it = parsed_.find(entry->partName); it != parsed_.end())
        return it->second.get();
    const Part* p = part(entry->partName);
    if (p == nullptr)
        return named("sheet \"" + name + "\": its part " + entry->partName.toStdString() + " is missing");
    auto read = WorkbookSheet::Read(p->data, sharedStrings_, kept);
    if (auto* error = std::get_if<std::string>(&read))
        return named(entry->partName.toStdString() + ": " + *error);
    WorkbookSheet* result = std::get<std::unique_ptr<WorkbookSheet>>(read).get();
    parsed_.emplace(entry->partName, std::move(std::get<std::unique_ptr<WorkbookSheet>>(read)));
    return result;
}

void Workbook::updateAfterWrites() {
    bool written = false, formulaRemoved = false;
    for (const auto& [name, sheet] : parsed_) {
        if (!sheet->modified())
            continue;
        written = true;
        formulaRemoved = formulaRemoved || sheet->formulaRemoved();
        part(name)->data = sheet->xml();
    }
    if (!written)
        return;
    // Formula results cached in the file may depend on the written cells: recalculated on opening.
    auto book = ParseXml(kWorkbookPart, part(kWorkbookPart)->data);
    QDomDocument document = std::get<QDomDocument>(std::move(book)); // parsed once already
    QDomElement root = document.documentElement();
    const QString prefix = root.tagName().left(root.tagName().indexOf(QLatin1Char(':')) + 1);
    const auto calc = Children(root, "calcPr");
    QDomElement calcPr =
        calc.empty() ? document.createElement(prefix + QStringLiteral("calcPr")) : calc.front();
    if (calc.empty()) {
        // Its place in the schema: after the sheets and defined names, before everything else.
        QDomElement after;
        for (const char* earlier : {"sheets", "functionGroups", "externalReferences", "definedNames"})
            if (const auto found = Children(root, earlier); !found.empty())
                after = found.front();
        root.insertAfter(calcPr, after);
    }
    calcPr.setAttribute(QStringLiteral("fullCalcOnLoad"), QStringLiteral("1"));
    part(kWorkbookPart)->data = document.toByteArray(-1);
    if (formulaRemoved)
        dropCalculationChain();
}

// The chain lists formula cells in calculation order; one naming a cell without a formula makes
// the spreadsheet program repair the file, and it rebuilds a missing chain anyway.
void Workbook::dropCalculationChain() {
    QString chainPart;
    auto dropElements = [](Part* p, const char* localName, const QString& attribute, auto matches) {
        if (p == nullptr)
            return;
        auto parsed = ParseXml(p->name, p->data);
        if (!std::holds_alternative<QDomDocument>(parsed))
            return;
        QDomDocument document = std::get<QDomDocument>(std::move(parsed));
        for (QDomElement& e : Children(document.documentElement(), localName))
            if (matches(e.attribute(attribute)))
                document.documentElement().removeChild(e);
        p->data = document.toByteArray(-1);
    };
    if (Part* rels = part(kWorkbookRels)) {
        auto parsed = ParseXml(rels->name, rels->data);
        if (auto* document = std::get_if<QDomDocument>(&parsed))
            for (const QDomElement& r : Children(document->documentElement(), "Relationship"))
                if (r.attribute(QStringLiteral("Type")).endsWith(kCalcChainType))
                    chainPart = PartName(r.attribute(QStringLiteral("Target")));
    }
    if (chainPart.isEmpty())
        return;
    dropElements(part(kWorkbookRels), "Relationship", QStringLiteral("Type"),
                 [](const QString& type) { return type.endsWith(kCalcChainType); });
    dropElements(part(kContentTypesPart), "Override", QStringLiteral("PartName"),
                 [&](const QString& name) { return QDir::cleanPath(name.mid(1)) == chainPart; });
    std::erase_if(parts_, [&](const Part& p) { return p.name == chainPart; });
}

std::optional<std::string> Workbook::changedOnDisk() const {
    if (!stamp_ || StampOf(path_) == *stamp_)
        return std::nullopt;
    return named("was changed by another program since it was read (its size or modification time differ); "
                 "it is not overwritten, so that change is kept");
}

std::optional<std::string> Workbook::save() {
    if (auto changed = changedOnDisk())
        return changed;
    auto error = saveAs(path_);
    if (!error && stamp_)
        stamp_ = StampOf(path_);
    return error;
}

std::optional<std::string> Workbook::checkWritable() const {
    if (auto changed = changedOnDisk())
        return changed;
    // Opened for appending, the file is not changed, but a read-only file or file system shows.
    QFile file(path_);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append))
        return named("cannot be written (" + file.errorString().toStdString() + ")");
    file.close();
    // The new version is made beside the file and then takes its place.
    const QFileInfo info(path_);
    const QString target =
        info.canonicalFilePath().isEmpty() ? info.absoluteFilePath() : info.canonicalFilePath();
    QTemporaryFile probe(QFileInfo(target).absoluteDir().filePath(QStringLiteral(".airmotor-XXXXXX")));
    if (!probe.open())
        return named("its folder cannot be written (" + probe.errorString().toStdString() +
                     "), so the workbook cannot be replaced");
    return std::nullopt;
}

std::variant<QByteArray, std::string> Workbook::pack() {
    updateAfterWrites();
    QBuffer buffer;
    QuaZip zip(&buffer);
    zip.setUtf8Enabled(true);
    if (!zip.open(QuaZip::mdCreate))
        return named("the workbook cannot be packed");
    for (const Part& p : parts_) {
        QuaZipNewInfo info(p.name);
        info.dateTime = p.time;
        QuaZipFile file(&zip);
        if (!file.open(QIODevice::WriteOnly, info) || file.write(p.data) != p.data.size())
            return named("part " + p.name.toStdString() + " cannot be packed");
        file.close();
        if (file.getZipError() != ZIP_OK)
            return named("part " + p.name.toStdString() + " cannot be packed");
    }
    zip.close();
    if (zip.getZipError() != ZIP_OK)
        return named("the workbook cannot be packed");
    return buffer.data();
}

std::optional<std::string> Workbook::saveAs(const QString& path) {
    if (auto error = CheckOutputTarget(path))
        return error->message;
    auto packed = pack();
    if (auto* error = std::get_if<std::string>(&packed))
        return *error;
    if (auto error = WriteFileAtomically(path, std::get<QByteArray>(packed)))
        return error->message;
    return std::nullopt;
}

} // namespace airmotor::platform
