#include "cli/cli_support.h"

#include <unistd.h>

#include <climits>
#include <csignal>
#include <cstdlib>

#include "analysis/type_tables.h"
#include "core/ansi_literal.h"
#include "core/file_io.h"
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

namespace {

std::string AvecSlash(std::string dossier) {
  if (!dossier.empty() && dossier.back() != '/') dossier += '/';
  return dossier;
}

}  // namespace

std::string DossierProgramme() {
  if (const char* force = std::getenv("KINDRELA_DOSSIER"); force && *force)
    return AvecSlash(Argument(force));
  char exe[PATH_MAX];
  const ssize_t n = ::readlink("/proc/self/exe", exe, sizeof exe - 1);
  if (n <= 0) return {};
  const std::string dossier = DossierDe(Argument(std::string(exe, static_cast<size_t>(n)).c_str()));
  for (const std::string& candidat : {dossier, dossier + "../share/kindrela/"})
    if (DossierExiste(candidat + "modele")) return candidat;
  return dossier;
}

Statut ChargeInstallation(Installation& inst) {
  inst.programme = DossierProgramme();
  if (Statut s = ControleTraduction(inst.programme); !s)
    return Statut::Erreur(s.message() + " (dossier du programme : " + inst.programme +
                          " ; KINDRELA_DOSSIER peut en nommer un autre)");
  if (!inst.traduction.ChargeTraduction(kCheminTraduction, inst.programme))
    return Statut::Erreur(std::string("illisible : ") + inst.programme + kCheminTraduction);
  if (ChargeIniProgramme(inst.programme, inst.ini).ok()) AppliqueIniProgramme(inst.ini, inst.traduction);
  return Statut::Ok();
}

Statut ChargeTablesInstallees(const Installation& inst, TTablesTypes& tables) {
  const std::string param = inst.programme + "modele/" + std::to_string(inst.ini.langue) + "/param/";
  CheminsTablesTypes chemins;
  chemins.defEve = param + "DefEve.tra";
  chemins.defChp = param + "DefChp.tra";
  chemins.defSrc = param + "DefSrc.tra";
  for (SorteTable sorte : {SorteTable::Evenements, SorteTable::Champs})
    if (Statut s = tables.ChargeDefaut(sorte, chemins, inst.traduction); !s) return s;
  return Statut::Ok();
}

TBD& BaseDuProcessus() {
  static TBD* const bd = new TBD;  // still reachable at the end: not a leak
  return *bd;
}

int ChargeArbre(TBD& bd, const std::string& chemin, ResultatChargement& resultat) {
  OptionsChargement options;
  options.progression = Avancement();
  Statut s = ChargeFichierArbre(bd, chemin, options, resultat);
  for (const auto& a : resultat.lecture.avertissements) Erreur(chemin + " : " + a);
  if (s.annule()) {
    Erreur("interrompu.");
    return 130;
  }
  if (!s) {
    Erreur(s.message());
    return 1;
  }
  return 0;
}

int CodeEcriture(const Statut& s, const std::string& sortie) {
  if (s.annule()) {
    Erreur("interrompu : " + sortie + " n'a pas été écrit."_ansi);
    return 130;
  }
  if (!s) {
    Erreur(s.message());
    return 1;
  }
  return 0;
}

}  // namespace kindrela::cli
