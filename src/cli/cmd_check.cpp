// check: the consistency check of every person, then the verification of
// the record links, on a tree loaded in memory. The file is never written:
// repairs made by the verification are reported, not saved.
#include <unistd.h>

#include <climits>
#include <cstdlib>
#include <string>

#include "analysis/consistency.h"
#include "app/folders.h"
#include "cli/cli_support.h"
#include "core/database.h"
#include "core/file_io.h"
#include "core/tree_file/tree_file_load.h"
#include "i18n/translation.h"

namespace kindrela::cli {
namespace {

std::string AvecSlash(std::string dossier) {
  if (!dossier.empty() && dossier.back() != '/') dossier += '/';
  return dossier;
}

// The folder that holds "modele": $KINDRELA_DOSSIER when set, else the
// executable's folder or its "../share/kindrela" when "modele" is there.
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

// The translation in the language of the installation's settings; an
// error names the missing file.
Statut ChargeTraductionInstallee(TTraduction& traduction) {
  const std::string programme = DossierProgramme();
  if (Statut s = ControleTraduction(programme); !s)
    return Statut::Erreur(s.message() + " (dossier du programme : " + programme +
                          " ; KINDRELA_DOSSIER peut en nommer un autre)");
  if (!traduction.ChargeTraduction(kCheminTraduction, programme))
    return Statut::Erreur(std::string("illisible : ") + programme + kCheminTraduction);
  TIniProgramme ini;
  if (ChargeIniProgramme(programme, ini).ok()) AppliqueIniProgramme(ini, traduction);
  return Statut::Ok();
}

// The event-kind words in the interface language, as the program uses them.
void MotsEvenements(const TTraduction& t, TBD& bd) {
  bd.NatProfession = t.Msg(200);
  bd.NatNaissance = t.Msg(201);
  bd.NatBapteme = t.Msg(202);
  bd.NatDeces = t.Msg(203);
  bd.NatSepulture = t.Msg(204);
  bd.NatMariage = t.Msg(205);
  bd.NatDivorce = t.Msg(206);
}

// A report's CR LF line ends as the terminal's, each line indented.
std::string Indente(const std::string& texte) {
  std::string out;
  bool debut = true;
  for (char c : texte) {
    if (c == '\r') continue;
    if (debut && c != '\n') out += "  ";
    out += c;
    debut = c == '\n';
  }
  if (!out.empty() && out.back() != '\n') out += '\n';
  return out;
}

}  // namespace

int CmdCheck(int argc, char** argv) {
  if (argc != 2) return 2;
  const std::string chemin = Argument(argv[1]);

  TTraduction traduction;
  if (Statut s = ChargeTraductionInstallee(traduction); !s) {
    Erreur(s.message());
    return 1;
  }

  TBD bd;
  MotsEvenements(traduction, bd);
  OptionsChargement options;
  options.progression = Avancement();
  ResultatChargement r;
  Statut s = ChargeFichierArbre(bd, chemin, options, r);
  for (const auto& a : r.lecture.avertissements) Erreur(chemin + " : " + a);
  if (s.annule()) {
    Erreur("interrompu.");
    return 130;
  }
  if (!s) {
    Erreur(s.message());
    return 1;
  }

  const RapportCoherence rapport = ControleCoherenceArbre(
      bd, traduction, SeuilsCoherence::SiAbsents(), Avancement());
  if (rapport.annule) {
    Erreur("interrompu.");
    return 130;
  }
  std::string sortie;
  for (const ProblemesPersonne& p : rapport.personnes)
    sortie += std::to_string(p.personne) + " " + bd.NomCourt(p.personne) + "\n" + Indente(p.texte);
  sortie += "Contr\xF4le de coh\xE9rence : " + std::to_string(rapport.personnes.size()) +
            " personne(s) sur " + std::to_string(rapport.nbreControlees) +
            " avec des probl\xE8mes.\n";
  Ecrit(stdout, sortie);

  // The verification asks before repairing; here the answer is always yes,
  // since the repairs stay in memory.
  const std::string verification = bd.VerifieBase([](const std::string&) { return true; });
  Ecrit(stdout, "V\xE9rification de la base :\n" + Indente(verification));
  return 0;
}

}  // namespace kindrela::cli
