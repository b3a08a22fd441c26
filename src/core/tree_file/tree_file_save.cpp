#include "core/tree_file/tree_file_save.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <set>

#include "core/archive.h"
#include "core/file_io.h"

namespace kindrela {
namespace {

constexpr const char* kIntrouvable = "(introuvable) ";

std::string AvecSlash(std::string dossier) {
  if (!dossier.empty() && dossier.back() != '/') dossier += '/';
  return dossier;
}

// The part of a media text before its first "|", and the rest after it.
struct Media {
  std::string fichier;
  std::string suite;  // with its leading "|", empty when there is none
};
Media DecoupeMedia(std::string_view texte) {
  std::size_t barre = texte.find('|');
  if (barre == std::string::npos) return {std::string(texte), {}};
  return {std::string(texte.substr(0, barre)), std::string(texte.substr(barre))};
}

bool AUnDossier(const std::string& fichier) { return fichier.find('/') != std::string::npos; }

// Moves `source` to `cible`, by a rename or, across file systems, a copy
// followed by the removal of the original. True when `cible` holds the file.
bool Deplace(const std::string& source, const std::string& cible, bool& origineRestee) {
  origineRestee = false;
  if (std::rename(CheminSysteme(source).c_str(), CheminSysteme(cible).c_str()) == 0) return true;
  std::string contenu;
  if (!LitFichier(source, contenu).ok()) return false;
  if (!EcritFichierAtomique(cible, contenu).ok()) return false;
  origineRestee = ::unlink(CheminSysteme(source).c_str()) != 0;
  return true;
}

class Rapport {
 public:
  Rapport(const OptionsSauvegarde& o, ResultatSauvegarde& r) : m_o(o), m_r(r) {}
  void operator()(const std::string& message) {
    m_r.avertissements.push_back(message);
    if (m_o.signale) m_o.signale(message);
  }

 private:
  const OptionsSauvegarde& m_o;
  ResultatSauvegarde& m_r;
};

std::string NePeutDeplacer(const std::string& fichier) {
  std::string m = "Cannot move file %s";
  return m.replace(m.find("%s"), 2, fichier);
}

}  // namespace

std::string CheminMedia(std::string_view media, const std::string& dossier) {
  std::string fichier = DecoupeMedia(media).fichier;
  if (fichier.empty() || AUnDossier(fichier)) return fichier;
  return AvecSlash(dossier) + fichier;
}

std::vector<std::string> ListeFichiersRattaches(const TBD& bd, const std::string& dossierCourant) {
  std::vector<std::string> liste;
  for (int s = 1; s <= bd.NbreSrc(); ++s) {
    std::string fichier = DecoupeMedia(bd.Src(s).SrcMedia).fichier;
    if (fichier.empty()) continue;
    bool trouve = FichierExiste(fichier) ||
                  (!dossierCourant.empty() && FichierExiste(AvecSlash(dossierCourant) + fichier));
    liste.push_back(trouve ? fichier : kIntrouvable + fichier);
  }
  return liste;
}

InfoSauvegarde InfoSauve(TBD& bd, const std::string& fichierCourant) {
  InfoSauvegarde info;
  info.dossier = DossierDe(fichierCourant);
  info.nom = NomDe(ChangeExtension(fichierCourant, ""));
  info.personnes = bd.NbreFichesUtilisees();
  info.unions = bd.NbreUnionsValides();
  info.donnees = bd.NbreSrc();
  info.reference = bd.NomCourt(bd.RefPers);
  info.fichiersRattaches = ListeFichiersRattaches(bd, info.dossier);
  return info;
}

Statut SauveNatif(TBD& bd, const OptionsSauvegarde& options, ResultatSauvegarde& resultat) {
  resultat = ResultatSauvegarde();
  Rapport signale(options, resultat);
  const std::string cible = AvecSlash(options.dossier);
  const std::string ancienDossier = DossierDe(options.fichierCourant);
  if (!DossierExiste(cible.empty() ? "." : cible))
    return Statut::Erreur("Le dossier " + options.dossier + " n'existe pas.");

  // Asked before anything moves.
  if (options.confirmeCoupures) {
    std::vector<std::string> coupures = ValeursCoupees(bd);
    if (!coupures.empty() && !options.confirmeCoupures(coupures)) return Statut::Annule();
  }

  // Sources whose file could not be moved keep their link as it is.
  std::set<int> gardees;

  // 1. Attached files into the target folder.
  if (options.deplace) {
    for (int s = 1; s <= bd.NbreSrc(); ++s) {
      Media media = DecoupeMedia(bd.Src(s).SrcMedia);
      if (media.fichier.empty()) continue;
      std::string source = AUnDossier(media.fichier) ? media.fichier : ancienDossier + media.fichier;
      if (!FichierExiste(source)) continue;
      std::string nom = NomDe(media.fichier);
      std::string destination = cible + nom;
      if (!MemeFichierDisque(source, destination)) {
        bool origineRestee = false;
        if (FichierExiste(destination) || !Deplace(source, destination, origineRestee)) {
          // Never written over another file of that name.
          signale(NePeutDeplacer(source));
          gardees.insert(s);
          continue;
        }
        if (origineRestee) signale(NePeutDeplacer(source));
      }
      bd.EcritChampSrc(s, 4, nom + media.suite);
    }
  }

  // 2. Links re-based for the target folder.
  for (int s = 1; s <= bd.NbreSrc(); ++s) {
    if (gardees.count(s)) continue;
    Media media = DecoupeMedia(bd.Src(s).SrcMedia);
    if (media.fichier.empty()) continue;
    if (AUnDossier(media.fichier)) {
      std::string nom = NomDe(media.fichier);
      if (FichierExiste(cible + nom)) bd.EcritChampSrc(s, 4, nom + media.suite);
    } else if (!ancienDossier.empty() && FichierExiste(ancienDossier + media.fichier) &&
               !FichierExiste(cible + media.fichier)) {
      bd.EcritChampSrc(s, 4, ancienDossier + media.fichier + media.suite);
    }
  }

  // 3. The tree.
  const std::string fichier = cible + options.nom + ".kdg";
  Statut s = EcritBase(bd, fichier, options.entete, options.progression);
  if (!s) return s;

  // 4. The attached-file list, now seen from the target folder.
  resultat.fichiersRattaches = ListeFichiersRattaches(bd, cible);

  // 5. The archive.
  if (options.zippe) {
    std::vector<std::string> fichiers{fichier};
    if (options.inclure) {
      std::set<std::string> noms{NomDe(fichier)};
      std::set<std::string> chemins{fichier};
      for (int k = 1; k <= bd.NbreSrc(); ++k) {
        std::string chemin = CheminMedia(bd.Src(k).SrcMedia, cible);
        if (chemin.empty() || !chemins.insert(chemin).second || !FichierExiste(chemin)) continue;
        if (!noms.insert(NomDe(chemin)).second) {
          signale("Le fichier " + chemin +
                  " n'est pas mis dans l'archive : un autre fichier porte ce nom.");
          continue;
        }
        fichiers.push_back(chemin);
      }
    }
    const std::string archive = cible + options.nom + ".zip";
    Statut z = CreeArchive(archive, fichiers);
    if (z) resultat.archive = archive;
    else signale(z.message());
  }

  // 6. The tree's note file follows it.
  if (!options.fichierCourant.empty()) {
    std::string note = ChangeExtension(options.fichierCourant, ".txt");
    std::string nouvelle = cible + options.nom + ".txt";
    if (FichierExiste(note) && note != nouvelle && !MemeFichierDisque(note, nouvelle)) {
      std::string contenu;
      Statut n = LitFichier(note, contenu);
      if (n) n = EcritFichierAtomique(nouvelle, contenu);
      if (!n) signale(n.message());
    }
  }

  // 7. The tree now lives in its new file.
  resultat.fichierCourant = fichier;
  bd.BaseModifiee = 0;
  return Statut::Ok();
}

}  // namespace kindrela
