// import: placeholder until the command is written; it says so and fails.
#include "cli/cli_support.h"

namespace kindrela::cli {

int CmdImport(int, char**) {
  Erreur("la commande import n'est pas encore disponible.");
  return 1;
}

}  // namespace kindrela::cli
