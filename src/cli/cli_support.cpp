#include "cli/cli_support.h"

#include <unistd.h>

#include <csignal>

#include "core/text.h"

namespace kindrela::cli {

namespace {
volatile std::sig_atomic_t g_interrompu = 0;
}  // namespace

void Ecrit(std::FILE* f, std::string_view texte) {
  std::string utf8 = AnsiVersUtf8(texte);
  std::fwrite(utf8.data(), 1, utf8.size(), f);
}

void Erreur(std::string_view texte) {
  Ecrit(stderr, std::string("kindrela-cli: ") + std::string(texte) + "\n");
}

void InstalleInterruption() {
  std::signal(SIGINT, [](int) { g_interrompu = 1; });
}

bool Interrompu() { return g_interrompu != 0; }

Progression Avancement() {
  const bool terminal = ::isatty(STDERR_FILENO) != 0;
  return [terminal](long long fait, long long total) {
    if (terminal && total > 0)
      std::fprintf(stderr, "\r%3lld%%%s", fait * 100 / total, fait == total ? "\r    \r" : "");
    return g_interrompu == 0;
  };
}

std::string Argument(const char* utf8) { return Utf8VersAnsi(utf8); }

}  // namespace kindrela::cli
