#pragma once

#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace airmotor::server {

// A wrong command line: the message says which option and why (exit status 2).
struct ServerUsageError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// The command line of airmotor-server. Loopback unless told otherwise: an open port on every
// interface is a decision for whoever runs it.
struct ServerOptions {
    std::optional<std::string> folder;
    std::optional<std::string> catalogue; // a file or a postgresql:// URL instead of the folder's Zevodida.db
    std::string host = "127.0.0.1";
    int port = 8080;
    int threads = 0; // 0: one per core
    bool help = false;
    bool version = false;

    static ServerOptions Parse(const std::vector<std::string>& arguments);
};

std::string ServerHelpText();

} // namespace airmotor::server
