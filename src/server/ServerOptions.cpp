#include "server/ServerOptions.h"

#include "core/format/NumberParsing.h"

namespace airmotor::server {
namespace {

constexpr int kMaxThreads = 256;

// "HOST:PORT", "[V6]:PORT" or ":PORT"; port 0 lets the system choose (the tests use that).
void ReadListen(const std::string& text, ServerOptions& options) {
    const std::size_t colon = text.rfind(':');
    if (colon == std::string::npos)
        throw ServerUsageError("--listen takes HOST:PORT, not \"" + text + "\"");
    std::string host = text.substr(0, colon);
    if (host.size() >= 2 && host.front() == '[' && host.back() == ']')
        host = host.substr(1, host.size() - 2);
    const auto port = core::ParseInt(text.substr(colon + 1));
    if (!port || *port < 0 || *port > 65535)
        throw ServerUsageError("--listen: the port must be a whole number 0..65535, not \"" +
                               text.substr(colon + 1) + "\"");
    if (!host.empty())
        options.host = host;
    options.port = *port;
}

} // namespace

ServerOptions ServerOptions::Parse(const std::vector<std::string>& arguments) {
    ServerOptions options;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& arg = arguments[i];
        const auto value = [&](const std::string& name) -> std::string {
            if (arg.rfind(name + "=", 0) == 0)
                return arg.substr(name.size() + 1);
            if (i + 1 >= arguments.size())
                throw ServerUsageError("option " + name + " needs a value");
            return arguments[++i];
        };
        const auto is = [&](const std::string& name) { return arg == name || arg.rfind(name + "=", 0) == 0; };
        if (arg == "--help" || arg == "-h") {
            options.help = true;
        } else if (arg == "--version") {
            options.version = true;
        } else if (is("--folder")) {
            options.folder = value("--folder");
            if (options.folder->empty())
                throw ServerUsageError("option --folder needs a folder name");
        } else if (is("--catalogue")) {
            options.catalogue = value("--catalogue");
            if (options.catalogue->empty())
                throw ServerUsageError("option --catalogue needs a database file or a postgresql:// URL");
        } else if (is("--listen")) {
            ReadListen(value("--listen"), options);
        } else if (is("--threads")) {
            const std::string text = value("--threads");
            const auto threads = core::ParseInt(text);
            if (!threads || *threads < 1 || *threads > kMaxThreads)
                throw ServerUsageError("--threads takes a whole number 1..256, not \"" + text + "\"");
            options.threads = *threads;
        } else {
            throw ServerUsageError("unknown argument " + arg);
        }
    }
    return options;
}

std::string ServerHelpText() {
    return "Usage: airmotor-server [--folder DIR] [--catalogue LOCATION] [--listen HOST:PORT] [--threads N]\n"
           "\n"
           "Serves the air motor selection over HTTP: a JSON API under /api/v1/ (its OpenAPI\n"
           "document at /api/v1/openapi.json) and the selection page at /.\n"
           "\n"
           "  --folder DIR        the program folder: catalogue, settings, drawings and web page\n"
           "                      (default: the folder of the program)\n"
           "  --catalogue LOC     the catalogue: a database file or a postgresql:// URL instead of the\n"
           "                      folder's Zevodida.db (also AIRMOTOR_CATALOGUE; this option wins)\n"
           "  --listen HOST:PORT  the address to listen on (default 127.0.0.1:8080; port 0 chooses one)\n"
           "  --threads N         worker threads for searches and drawings (default: one per core)\n"
           "  --help              this text\n"
           "  --version           the program's version\n"
           "\n"
           "The catalogue is read again when its file changes (a postgresql:// catalogue at start\n"
           "only). SIGTERM or SIGINT stops the server\n"
           "after the requests in flight have been answered.\n";
}

} // namespace airmotor::server
