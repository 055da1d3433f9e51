#include "cli/OutputFile.h"

#include "cli/CliContext.h"
#include "platform/files/RegularFile.h"

#include <QFileInfo>

namespace airmotor::cli {

std::string OutputFile(const CommandOptions& options, std::string_view command,
                       std::initializer_list<std::string_view> suffixes) {
    const std::string out = options.required("out");
    if (out.empty())
        throw UsageError(std::string(command) + ": --out needs a file name");
    const std::string suffix = QFileInfo(QString::fromStdString(out)).suffix().toLower().toStdString();
    bool known = false;
    std::string list;
    for (std::string_view s : suffixes) {
        known = known || suffix == s;
        list += (list.empty() ? "." : ", .") + std::string(s);
    }
    if (!known)
        throw UsageError(std::string(command) + ": --out " + out + ": unknown file type \"" + suffix +
                         "\" (use " + list + ")");
    if (auto problem = platform::CheckOutputTarget(QString::fromStdString(out)))
        throw FolderError(std::string(command) + ": " + problem->message);
    return out;
}

} // namespace airmotor::cli
