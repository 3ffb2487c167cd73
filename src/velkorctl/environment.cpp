#include "velkorctl/environment.h"

namespace velkorctl {
namespace {

void ErrorLine(std::ostream& err, std::string_view text) {
    std::string line("velkorctl: ");
    for (const char c : text) line += (c == '\n' || c == '\r') ? ' ' : c;
    err << line << '\n' << std::flush;
}

}  // namespace

int Fail(Environment& environment, int code, std::string_view message) {
    ErrorLine(environment.err, message);
    return code;
}

void Note(Environment& environment, std::string_view message) {
    ErrorLine(environment.err, message);
}

}  // namespace velkorctl
