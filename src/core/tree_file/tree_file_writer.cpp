#include "core/tree_file/tree_file_writer.h"

#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <random>

#include "core/clock.h"
#include "core/file_io.h"
#include "core/system_error.h"
#include "core/tree_file/tree_file_version.h"
#include "core/tree_file/value_stream.h"

namespace kindrela {
namespace {

std::string Erreur(const std::string& chemin, const std::string& raison) {
  return "Impossible d'enregistrer l'arbre " + chemin + " : " + raison;
}

std::string Suffixe() {
  std::random_device hasard;
  return std::to_string(hasard() % 1000000);
}

// A second name for the current file: a hard link, or a durable copy where
// the file system has no links.
Statut DoubleFichier(const std::string& source, const std::string& cible) {
  if (::link(CheminSysteme(source).c_str(), CheminSysteme(cible).c_str()) == 0) return Statut::Ok();
  std::string contenu;
  Statut s = LitFichier(source, contenu);
  if (!s) return s;
  return EcritFichierAtomique(cible, contenu);
}

}  // namespace

Statut OctetsBase(const TBD& bd, const EnteteArbre& entete, const Progression& progression,
                  std::string& octets) {
  const int nF = bd.NbreFiche(), nU = bd.NbreUnion(), nS = bd.NbreSrc(), nE = bd.NbreEve();
  const long long total = static_cast<long long>(nF) + nU + nS + nE;
  auto point = [&](long long fait) {
    return !progression || fait % 100 != 0 || progression(fait, total);
  };

  EcrivainValeurs e;
  // A rough size so that the buffer grows a few times only.
  e.Reserve(static_cast<std::size_t>(nF) * 160 + static_cast<std::size_t>(nE) * 60 +
            static_cast<std::size_t>(nU) * 30 + static_cast<std::size_t>(nS) * 60 + 256);
  e.Valeur(TexteVersionFichier());
  e.Valeur(bd.DateCreeBase);
  e.Valeur(DateDuJourTexte());
  e.Entier(nF);
  e.Entier(nU);
  e.Entier(nS);
  e.Entier(nE);
  e.Entier(entete.selecPers);
  e.Entier(bd.RefPers);
  e.Valeur(entete.look);
  e.Vide();

  for (int k = 1; k <= nF; ++k) {
    const TFiche& f = bd.Fiche(k);
    e.Drapeau(f.Utilise == 1);
    e.Entier(f.Sexe);
    e.Valeur(f.Nom);
    e.Valeur(f.Pre);
    e.Entier(f.NumP);
    e.Entier(f.NumM);
    e.Entier(f.CertP);
    e.Entier(f.CertM);
    e.Valeur(f.Note);
    e.Vide();
    e.Valeur(f.Dcree);
    e.Valeur(f.DdMAJ);
    e.Valeur(f.Champs);
    e.Valeur(f.TabEve);
    e.Valeur(f.Numero);
    e.Valeur(f.TabSrc);
    e.Valeur(f.Reserve);
    if (!point(k)) return Statut::Annule();
  }
  for (int k = 1; k <= nU; ++k) {
    const TUnion& u = bd.Union(k);
    e.Drapeau(u.Utilise == 1);
    e.Entier(u.NumH);
    e.Entier(u.NumF);
    e.Valeur(u.TabEve);
    if (!point(static_cast<long long>(nF) + k)) return Statut::Annule();
  }
  e.Valeur("SrcV1");
  for (int k = 1; k <= nS; ++k) {
    const TSrc& s = bd.Src(k);
    e.Drapeau(s.Utilise == 1);
    e.Valeur(s.SrcTitre);
    e.Valeur(s.SrcAbrege);
    e.Valeur(s.SrcMedia);
    e.Valeur(s.SrcTexte);
    if (!point(static_cast<long long>(nF) + nU + k)) return Statut::Annule();
  }
  for (int k = 1; k <= nE; ++k) {
    const TEve& v = bd.Eve(k);
    e.Drapeau(v.Utilise == 1);
    e.Valeur(v.Nature);
    e.Valeur(v.DateEve);
    e.Valeur(v.Heure);
    e.Valeur(v.Certitude);
    e.Valeur(v.Lieu);
    e.Valeur(v.NoteEve);
    if (!point(static_cast<long long>(nF) + nU + nS + k)) return Statut::Annule();
  }
  if (progression && !progression(total, total)) return Statut::Annule();
  octets = std::move(e.Octets());
  return Statut::Ok();
}

Statut RemplaceAvecSauvegarde(const std::string& chemin, const std::string& octets) {
  const std::string ancien = chemin + ".old";
  // 1. The new content, complete and flushed, under a name of its own.
  const std::string nouveau = chemin + ".nouveau" + Suffixe();
  Statut s = EcritFichierAtomique(nouveau, octets);
  if (!s) return Statut::Erreur(Erreur(chemin, s.message()));

  // 2. The current file gets its backup name beside its own; the previous
  // backup is replaced in one rename.
  const bool existe = FichierExiste(chemin);
  if (existe) {
    const std::string relais = ancien + ".tmp" + Suffixe();
    s = DoubleFichier(chemin, relais);
    if (!s) {
      ::unlink(CheminSysteme(relais).c_str());
      ::unlink(CheminSysteme(nouveau).c_str());
      return Statut::Erreur(Erreur(chemin, "copie de sauvegarde impossible : " + s.message()));
    }
    if (std::rename(CheminSysteme(relais).c_str(), CheminSysteme(ancien).c_str()) != 0) {
      std::string raison = RaisonSystemeCourante();
      ::unlink(CheminSysteme(relais).c_str());
      ::unlink(CheminSysteme(nouveau).c_str());
      return Statut::Erreur(Erreur(chemin, "impossible de remplacer " + ancien + " : " + raison));
    }
  }

  // 3. The new content takes the tree file's name.
  if (std::rename(CheminSysteme(nouveau).c_str(), CheminSysteme(chemin).c_str()) != 0) {
    std::string raison = RaisonSystemeCourante();
    ::unlink(CheminSysteme(nouveau).c_str());
    return Statut::Erreur(Erreur(chemin, raison));
  }
  // Without a previous tree file there is nothing to back up, and a backup
  // left from an older file of that name goes.
  if (!existe) ::unlink(CheminSysteme(ancien).c_str());
  SynchroniseDossier(chemin);
  return Statut::Ok();
}

Statut EcritBase(TBD& bd, const std::string& chemin, const EnteteArbre& entete,
                 const Progression& progression) {
  std::string octets;
  Statut s = OctetsBase(bd, entete, progression, octets);
  if (!s) return s;
  s = RemplaceAvecSauvegarde(chemin, octets);
  if (!s) return s;
  bd.DateSauveBase = DateDuJourTexte();
  return Statut::Ok();
}

}  // namespace kindrela
