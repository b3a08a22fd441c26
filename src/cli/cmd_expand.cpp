// expand: placeholder until the command is written; it says so and fails.
#include "cli/cli_support.h"

namespace kindrela::cli {

int CmdExpand(int, char**) {
  Erreur("la commande expand n'est pas encore disponible.");
  return 1;
}

}  // namespace kindrela::cli
