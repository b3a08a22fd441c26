#include "core/tree_file/tree_file_load.h"

#include <optional>

#include "core/ansi_literal.h"
#include "core/file_io.h"
#include "core/ini_file.h"
#include "core/journal.h"
#include "core/text.h"
#include "core/tree_file/tree_file_version.h"
#include "core/tree_file/value_stream.h"

namespace kindrela {
namespace {

// The header's values are read with this cap, whatever their count says.
constexpr std::size_t kPlafondEntete = 2048;

std::string Extension(const std::string& chemin) {
  std::string nom = NomDe(chemin);
  std::size_t point = nom.find_last_of('.');
  return point == std::string::npos ? std::string() : MajusculesAnsi(nom.substr(point));
}

std::string ChampFixe(std::string_view octets, std::size_t debut, std::size_t largeur) {
  if (debut >= octets.size()) return {};
  std::string_view champ = octets.substr(debut, largeur);
  return std::string(champ.substr(0, champ.find('\0')));
}

// Why a file that gave no known version cannot be loaded.
std::string RaisonIllisible(const std::string& chemin) {
  if (!FichierExiste(chemin) && !DossierExiste(chemin)) return "Le fichier " + chemin + " n'existe pas.";
  std::string debut;
  if (Statut s = LitDebutFichier(chemin, 1, debut); !s) return s.message() + ".";
  if (debut.empty()) return "Le fichier " + chemin + " est vide : il ne contient aucun arbre.";
  return "Le fichier " + chemin + " n'est pas un arbre généalogique d'une version connue."_ansi;
}

void CorrigeReferences(TBD& bd, int selec, ResultatChargement& r) {
  if (bd.RefPers < 1 || bd.RefPers > bd.NbreFiche()) bd.RefPers = bd.FicheSuivante(0);
  if (selec <= 0 || selec > bd.NbreFiche()) selec = bd.FicheSuivante(0);
  r.selecPers = selec;
}

}  // namespace

InfoChargement InfoFichierArbre(const TBD& bd, const std::string& chemin) {
  InfoChargement info;
  info.fichier = chemin;
  info.version = VersionBase(chemin);
  if (info.version == kVersionInconnue) {
    info.raison = RaisonIllisible(chemin);
    return info;
  }
  info.page = PageChargement::Kindrela;
  if (info.version == kVersion15 || info.version == kVersion24) {
    std::string entete = LitDebutFichier(chemin, 16 + 13 + 13 + 2);
    info.versionProgramme = ChampFixe(entete, 0, 16);
    info.creeLe = ChampFixe(entete, 16, 13);
    info.modifieLe = ChampFixe(entete, 29, 13);
    int nbre = 0;
    if (entete.size() >= 44)
      nbre = static_cast<unsigned char>(entete[42]) | (static_cast<unsigned char>(entete[43]) << 8);
    info.nbrePersonnes = std::to_string(nbre);
  } else if (info.version == kVersion30) {
    FichierIni ini(chemin);
    const char* section = "KINDRELA 3.0B";
    info.versionProgramme = "Kindrela " + ini.LitTexte(section, "Version");
    info.nbrePersonnes = ini.LitTexte("Ligne", "NbreFiche");
    info.creeLe = ini.LitTexte(section, "DateCree");
    info.modifieLe = ini.LitTexte(section, "DateModif");
  } else {
    std::string entete = LitDebutFichier(chemin, 4 * (2 + kPlafondEntete));
    LecteurValeurs l(entete, info.version == kVersion98, kPlafondEntete);
    info.versionProgramme = l.Texte();
    info.creeLe = l.Texte();
    info.modifieLe = l.Texte();
    info.nbrePersonnes = l.Texte();
  }
  info.fusionPossible = info.version == kVersion98 && bd.BaseChargee != 0;
  return info;
}

InfoChargement BaseCharge(const TBD& bd, const std::string& chemin) {
  std::string extension = Extension(chemin);
  if (extension == ".KDG") return InfoFichierArbre(bd, chemin);
  InfoChargement info;
  info.fichier = chemin;
  if (extension != ".GED") {
    info.raison = "Le fichier " + chemin + " n'est ni un arbre (.kdg) ni un fichier GEDCOM (.ged).";
    return info;
  }
  std::string debut;
  if (Statut s = LitDebutFichier(chemin, 1, debut); !s) {
    info.raison = s.message() + ".";
  } else if (debut.empty()) {
    info.raison = "Le fichier " + chemin + " est vide : il ne contient aucun arbre.";
  } else {
    info.page = PageChargement::Gedcom;
  }
  return info;
}

namespace {

// A file read into the open tree is one step of its undo journal.
std::string NomEtapeImport(const std::string& chemin) {
  return "importation de " + chemin.substr(chemin.find_last_of("/\\") + 1);
}

}  // namespace

Statut ChargeFichierArbre(TBD& bd, const std::string& chemin, const OptionsChargement& options,
                          ResultatChargement& resultat) {
  // The whole file first: a file that cannot be read leaves the tree as it is.
  ContenuFichier contenu;
  Statut s = LitFichierEntier(chemin, contenu);
  if (!s) return s;
  const std::string_view octets = contenu.Vue();
  int version = VersionDesOctets(octets);
  if (version == kVersionInconnue)
    return Statut::Erreur("Le fichier " + chemin +
                          " n'est pas un arbre généalogique d'une version connue."_ansi);
  const bool fusion = options.fusion && version == kVersion98;
  if (!fusion) bd.Vide();
  std::optional<TEtapeJournal> etape;
  if (fusion) etape.emplace(bd, NomEtapeImport(chemin));
  OptionsLecture lecture;
  lecture.fusion = fusion;
  lecture.progression = options.progression;
  resultat.lecture = ResultatLecture();
  s = LitArbre(bd, octets, version, lecture, resultat.lecture);
  resultat.reinitialise = bd.BaseChargee == 0;
  if (s.annule()) {
    // The tables hold part of the file: it is not the tree the user asked for.
    resultat.reinitialise = true;
    return s;
  }
  if (!s) return s;
  CorrigeReferences(bd, resultat.lecture.selecPers != 0 ? resultat.lecture.selecPers : options.selecPers,
                    resultat);
  resultat.fichierCourant = chemin;
  return Statut::Ok();
}

Statut BaseChargeCont(TBD& bd, const std::string& chemin, const OptionsChargement& options,
                      ResultatChargement& resultat) {
  std::string extension = Extension(chemin);
  if (extension == ".KDG") return ChargeFichierArbre(bd, chemin, options, resultat);
  if (extension != ".GED")
    return Statut::Erreur("Le fichier " + chemin + " n'est ni un arbre (.kdg) ni un fichier GEDCOM (.ged).");
  if (!options.importGedcom) return Statut::Erreur("L'import GEDCOM n'est pas disponible.");
  if (!FichierExiste(chemin)) return Statut::Erreur("Le fichier " + chemin + " n'existe pas.");
  if (!options.concatene) bd.Vide();
  std::optional<TEtapeJournal> etape;
  if (options.concatene) etape.emplace(bd, NomEtapeImport(chemin));
  Statut s = options.importGedcom(bd, chemin);
  resultat.reinitialise = bd.BaseChargee == 0;
  if (!s) return s;
  CorrigeReferences(bd, options.concatene ? options.selecPers : 0, resultat);
  resultat.fichierCourant = chemin;
  return Statut::Ok();
}

}  // namespace kindrela
