// kindrela-cli: tree files from the command line.
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <string>
#include <string_view>

#include "core/identity.h"
#include "core/database.h"
#include "core/text.h"
#include "core/tree_file/tree_file_load.h"
#include "core/tree_file/tree_file_writer.h"

namespace {

using namespace kindrela;

volatile std::sig_atomic_t g_interrompu = 0;

void Interruption(int) { g_interrompu = 1; }

// Our texts are Windows-1252; the terminal reads UTF-8.
void Ecrit(std::FILE* f, std::string_view texte) {
  std::string utf8 = AnsiVersUtf8(texte);
  std::fwrite(utf8.data(), 1, utf8.size(), f);
}

void Erreur(std::string_view texte) {
  Ecrit(stderr, std::string("kindrela-cli: ") + std::string(texte) + "\n");
}

int Usage(std::FILE* f) {
  Ecrit(f,
        "Usage:\n"
        "  kindrela-cli info FICHIER             version et en-t\xEAte d'un arbre\n"
        "  kindrela-cli convert ENTREE SORTIE    r\xE9\xE9" "crit un arbre de toute version\n"
        "                                        dans la version actuelle\n"
        "  kindrela-cli --version\n"
        "  kindrela-cli --help\n");
  return f == stdout ? 0 : 2;
}

// A percentage on stderr when it is a terminal; Ctrl-C stops the work.
Progression Avancement() {
  const bool terminal = ::isatty(STDERR_FILENO) != 0;
  return [terminal](long long fait, long long total) {
    if (terminal && total > 0)
      std::fprintf(stderr, "\r%3lld%%%s", fait * 100 / total, fait == total ? "\r    \r" : "");
    return g_interrompu == 0;
  };
}

int Info(const std::string& chemin) {
  TBD bd;
  InfoChargement info = InfoFichierArbre(bd, chemin);
  if (info.page != PageChargement::Kindrela) {
    Erreur(chemin + " : fichier illisible ou qui n'est pas un arbre g\xE9n\xE9" "alogique reconnu.");
    return 1;
  }
  Ecrit(stdout, "Fichier : " + chemin + "\n" +
                    "Version du fichier : " + std::to_string(info.version) + "\n" +
                    "Version du programme : " + info.versionProgramme + "\n" +
                    "Nombre de personnes : " + info.nbrePersonnes + "\n" +
                    "Cr\xE9\xE9 le : " + info.creeLe + "\n" +
                    "Modif\xE9 le : " + info.modifieLe + "\n");
  return 0;
}

int Convertit(const std::string& entree, const std::string& sortie) {
  TBD bd;
  OptionsChargement options;
  options.progression = Avancement();
  ResultatChargement r;
  Statut s = ChargeFichierArbre(bd, entree, options, r);
  for (const auto& a : r.lecture.avertissements) Erreur(entree + " : " + a);
  if (s.annule()) {
    Erreur("interrompu.");
    return 130;
  }
  if (!s) {
    Erreur(s.message());
    return 1;
  }
  if (r.lecture.lieuxAConvertir)
    Erreur(entree + " : les lieux de cette ancienne version sont gard\xE9s tels quels.");
  s = EcritBase(bd, sortie, {r.selecPers, NomDeLook(r.lecture)}, Avancement());
  if (s.annule()) {
    Erreur("interrompu : " + sortie + " n'a pas \xE9t\xE9 \xE9" "crit.");
    return 130;
  }
  if (!s) {
    Erreur(s.message());
    return 1;
  }
  Ecrit(stdout, sortie + " : " + std::to_string(bd.NbreFichesUtilisees()) + " personnes, version " +
                    std::string(kMotProduit) + " " + std::string(kVersionTexte) + "\n");
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  std::signal(SIGINT, Interruption);
  std::string commande = argc > 1 ? argv[1] : "";
  if (commande == "--help" || commande == "-h") return Usage(stdout);
  if (commande == "--version") {
    Ecrit(stdout, std::string(kNomProduit) + " " + std::string(kVersionTexte) + "\n");
    return 0;
  }
  // The core takes paths as Windows-1252 text; the terminal gives UTF-8.
  if (commande == "info" && argc == 3) return Info(Utf8VersAnsi(argv[2]));
  if (commande == "convert" && argc == 4)
    return Convertit(Utf8VersAnsi(argv[2]), Utf8VersAnsi(argv[3]));
  if (commande.empty()) Erreur("aucune commande.");
  else Erreur("commande ou arguments incorrects : " + commande);
  return Usage(stderr);
}
