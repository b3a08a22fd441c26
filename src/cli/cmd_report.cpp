// report: a report's grid as delimited text, for scripts: a predefined
// report, or a kinship selection around a person shown with the default
// column model of the installation. First line the column titles.
#include <cstring>
#include <string>

#include "analysis/report_model.h"
#include "analysis/report_predefined.h"
#include "chart/template_words.h"
#include "chart/templates.h"
#include "cli/cli_support.h"
#include "core/ansi_literal.h"
#include "core/database.h"
#include "core/ini_file.h"
#include "core/text.h"
#include "i18n/event_words.h"

namespace kindrela::cli {
namespace {

// Tab-separated: cells joined by tabs (tabs and line ends inside a cell
// become spaces), or the comma-separated form of the grid.
std::string Lignes(const TGrilleRapport& g, bool csv) {
  if (csv) return g.TexteCsv();
  auto cellule = [](std::string r) {
    for (char& x : r)
      if (x == '\t' || x == '\r' || x == '\n') x = ' ';
    return r;
  };
  std::string out;
  for (int c = 0; c < g.NbreColonnes(); ++c)
    out += (c ? "\t" : "") + cellule(g.Colonnes()[static_cast<size_t>(c)].titre);
  out += "\n";
  for (int l = 0; l < g.NbreLignes(); ++l) {
    for (int c = 0; c < g.NbreColonnes(); ++c) out += (c ? "\t" : "") + cellule(g.Cellule(l, c));
    out += "\n";
  }
  return out;
}

}  // namespace

int CmdReport(int argc, char** argv) {
  if (argc < 2) return 2;
  const std::string chemin = Argument(argv[1]);
  int predefini = -1, parente = -1, racine = 0, generations = 1;
  bool csv = false, trie = false;
  TOptionsPredefini options;
  for (int i = 2; i < argc; ++i) {
    const std::string a = argv[i];
    const bool suite = i + 1 < argc;
    auto nombre = [&](int& v) {
      if (!suite || !EstEntier(argv[i + 1])) return false;
      v = TexteVersEntier(argv[++i]);
      return true;
    };
    if (a == "--predefined") { if (!nombre(predefini)) return 2; }
    else if (a == "--kinship") { if (!nombre(parente)) return 2; }
    else if (a == "--root") { if (!nombre(racine)) return 2; }
    else if (a == "--generations") {
      if (!nombre(generations)) return 2;
      options.generations = generations;
    }
    else if (a == "--places") { if (!nombre(options.formatLieu)) return 2; }
    else if (a == "--prefix" && suite) {
      options.tousLesLieux = false;
      options.prefixe = Argument(argv[++i]);
    }
    else if (a == "--sign" && suite) options.signe = Argument(argv[++i]);
    else if (a == "--csv") csv = true;
    else if (a == "--sort") trie = true;
    else return 2;
  }
  if ((predefini < 0) == (parente < 0)) return 2;
  if (predefini >= kNbrePredefinis || parente >= kNbreSelections || options.formatLieu < 0 ||
      options.formatLieu > 3)
    return 2;

  Installation inst;
  if (Statut s = ChargeInstallation(inst); !s) {
    Erreur(s.message());
    return 1;
  }
  TBD& bd = BaseDuProcessus();
  MotsEvenements(inst.traduction, bd);
  ResultatChargement r;
  if (int code = ChargeArbre(bd, chemin, r)) return code;
  if (racine == 0) racine = bd.RefPers;
  TMotsBalises mots;
  mots.RetranslateTags(inst.traduction);
  TContexteModele ctx{bd, mots, inst.ini.formatDate, nullptr, &inst.traduction};
  if (predefini == 10 && options.signe.empty()) {
    Erreur("le rapport 10 demande --sign SIGNE.");
    return 2;
  }

  TGrilleRapport grille;
  std::string legende;
  if (predefini >= 0) {
    const TResultatPredefini res = RapportPredefini(ctx, inst.traduction, predefini, options, grille, Avancement());
    if (res.annule) {
      Erreur("interrompu.");
      return 130;
    }
    legende = res.legende;
  } else {
    if (!bd.FicheUtilisee(racine)) {
      Erreur(chemin + " : aucune personne n'a le numéro "_ansi + std::to_string(racine) + ".");
      return 1;
    }
    const std::string fichierModele = inst.programme + "modele/" + std::to_string(inst.ini.langue) +
                                      "/rapport/" + inst.traduction.Msg(2206) + ".kdr";
    FichierIni ini(fichierModele);
    if (!ini.FichierLu()) {
      Erreur("modèle de rapport introuvable : "_ansi + fichierModele);
      return 1;
    }
    TModeleColonnes modele;
    LitModeleColonnes(ini, modele, inst.traduction.Msg(2005));
    const TSelection sel = SelectionParente(bd, parente, racine, generations, trie);
    if (RemplitGrille(ctx, inst.traduction, modele, sel.liste, grille, Avancement()).annule) {
      Erreur("interrompu.");
      return 130;
    }
    legende = LegendeListe(inst.traduction, sel.titre, sel.liste.Count());
  }
  Ecrit(stdout, Lignes(grille, csv));
  Ecrit(stderr, legende + "\n");
  return 0;
}

}  // namespace kindrela::cli
