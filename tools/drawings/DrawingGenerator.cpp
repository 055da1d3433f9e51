// Writes one parametric dimension drawing (a Windows metafile) for every drawing name the bundled
// catalogue refers to, so every reference of the demo catalogue opens a real drawing.
//
// usage: airmotor-drawings MOTORS.CSV OUTPUT_FOLDER

#include "MotorOutline.h"
#include "core/format/CsvReader.h"
#include "core/format/NumberParsing.h"

#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <map>
#include <sstream>
#include <string>
#include <variant>
#include <vector>

namespace fs = std::filesystem;
namespace core = airmotor::core;
using namespace airmotor::drawings;

namespace {

std::string Trim(const std::string& s) {
    const auto a = s.find_first_not_of(' ');
    if (a == std::string::npos)
        return {};
    return s.substr(a, s.find_last_not_of(' ') - a + 1);
}

double Number(const std::string& s) {
    return core::ParseDouble(s).value_or(0.0);
}

bool PlainName(const std::string& name) {
    if (name.empty() || name == "?" || name.rfind("http", 0) == 0)
        return false;
    for (char c : name)
        if (c == '/' || c == '\\' || c == ':' || static_cast<unsigned char>(c) < 32)
            return false;
    return name.find("..") == std::string::npos;
}

// Writes through a temporary file so a failed run never leaves a half-written drawing behind.
bool WriteAtomically(const fs::path& path, const std::vector<std::uint8_t>& bytes) {
    const fs::path tmp = path.string() + ".tmp";
    {
        std::ofstream out(tmp, std::ios::binary | std::ios::trunc);
        if (!out)
            return false;
        out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        if (!out)
            return false;
    }
    std::error_code ec;
    fs::rename(tmp, path, ec);
    return !ec;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: airmotor-drawings MOTORS.CSV OUTPUT_FOLDER\n";
        return 2;
    }
    const fs::path csvPath = argv[1];
    const fs::path outDir = argv[2];
    std::ifstream in(csvPath, std::ios::binary);
    if (!in) {
        std::cerr << csvPath.string() << ": cannot be read\n";
        return 1;
    }
    const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    auto parsed = core::ParseCsv(text);
    if (const auto* error = std::get_if<core::CsvError>(&parsed)) {
        std::cerr << csvPath.string() << ":" << error->line << ": " << error->message << "\n";
        return 1;
    }
    const auto& records = std::get<std::vector<core::CsvRecord>>(parsed);
    if (records.empty()) {
        std::cerr << csvPath.string() << ": empty file\n";
        return 1;
    }
    const auto& header = records.front().fields;
    std::map<std::string, std::size_t> column;
    for (std::size_t i = 0; i < header.size(); ++i)
        column[header[i].text] = i;
    for (const char* needed : {"strBenamning", "strMattskiss", "sngMaxEffekt", "sngVikt", "sngTomgVarvtal"})
        if (!column.count(needed)) {
            std::cerr << csvPath.string() << ": column " << needed << " is missing\n";
            return 1;
        }
    const auto field = [&](const core::CsvRecord& record, const char* name) -> const std::string& {
        return record.fields[column.at(name)].text;
    };

    // The first motor that names a drawing gives its proportions.
    std::map<std::string, OutlineParameters> drawings;
    for (std::size_t r = 1; r < records.size(); ++r) {
        const core::CsvRecord& record = records[r];
        if (record.fields.size() != header.size()) {
            std::cerr << csvPath.string() << ": line " << record.line << " has " << record.fields.size()
                      << " fields, expected " << header.size() << "\n";
            return 1;
        }
        const std::string reference = Trim(field(record, "strMattskiss"));
        if (reference.rfind("http", 0) == 0)
            continue;
        std::vector<std::string> names;
        std::stringstream parts(reference);
        for (std::string part; std::getline(parts, part, ',');)
            names.push_back(Trim(part));
        for (const auto& name : names) {
            if (!PlainName(name) || drawings.count(name))
                continue;
            OutlineParameters p;
            p.drawingName = name;
            p.designation = field(record, "strBenamning");
            p.powerKw = Number(field(record, "sngMaxEffekt"));
            p.weightKg = Number(field(record, "sngVikt"));
            p.freeSpeed = Number(field(record, "sngTomgVarvtal"));
            drawings[name] = p;
        }
    }

    std::error_code ec;
    fs::create_directories(outDir, ec);
    int written = 0;
    for (const auto& [name, params] : drawings) {
        const fs::path path = outDir / (name + ".WMF");
        if (!WriteAtomically(path, DrawMotorOutline(params))) {
            std::cerr << path.string() << ": cannot be written\n";
            return 1;
        }
        ++written;
    }
    std::cout << "wrote " << written << " dimension drawings to " << outDir.string() << "\n";
    return 0;
}
