#include "core/tree_file/tree_file_writer.h"

#include <cerrno>
#include <functional>

#include "core/ansi_literal.h"
#include "core/clock.h"
#include "core/file_io.h"
#include "core/letters.h"
#include "core/parallel_write.h"
#include "core/system_error.h"
#include "core/tree_file/tree_file_version.h"
#include "core/tree_file/value_stream.h"

namespace kindrela {
namespace {

// A save hands the file its bytes by pieces of about this size.
constexpr std::size_t kPieceEcrite = 1 << 20;

Statut Echec(const std::string& chemin, const std::string& raison) {
  return Statut::Erreur("Impossible d'enregistrer l'arbre " + chemin + " : " + raison);
}

// A second name for the current file: a hard link, or a durable copy where
// the file system has no links.
int DoubleFichier(const std::string& source, const std::string& cible) {
  if (LieFichier(source, cible) == 0) return 0;
  std::string contenu;
  if (!LitFichier(source, contenu)) return errno != 0 ? errno : EIO;
  return EcritFichierNeuf(cible, contenu, source);
}

// ----- What the file would cut -----

class Coupures {
 public:
  explicit Coupures(const TBD& bd) : m_bd(bd) {}

  void Valeur(std::string_view texte, const char* quoi, const std::string& qui) {
    if (texte.size() <= kLongueurMaxValeur) return;
    // In letters, as the user counts them; the cut falls between two letters.
    const std::size_t gardes = NbreLettres(texte.substr(0, LongueurSansCouper(texte, kLongueurMaxValeur)));
    m_lignes.push_back(std::string(quoi) + " " + qui + " : " + std::to_string(NbreLettres(texte)) +
                       " caractères, les "_ansi + std::to_string(gardes) +
                       " premiers seraient enregistrés."_ansi);
  }
  void Liste(std::string_view tab, const char* quoi, const std::string& qui) {
    const int n = NbreEntrees(tab);
    if (n <= kEntreesMaxListe) return;
    m_lignes.push_back(std::string(quoi) + " " + qui + " : " + std::to_string(n) + ", les " +
                       std::to_string(kEntreesMaxListe) + " premiers seraient enregistrés."_ansi);
  }
  std::string Personne(int n) const {
    return "de " + m_bd.NomCourt(n) + " (n° "_ansi + std::to_string(n) + ")";
  }
  std::string Union(int u) const {
    const TUnion& x = m_bd.Union(u);
    return "de l'union de "_ansi + m_bd.NomCourt(x.NumH) + " et " + m_bd.NomCourt(x.NumF) + " (n° "_ansi +
           std::to_string(u) + ")";
  }
  // Who lists event e, found the first time an event needs naming.
  std::string Proprietaire(int e) {
    if (m_proprio.empty()) {
      m_proprio.assign(static_cast<std::size_t>(m_bd.NbreEve()) + 1, 0);
      auto note = [&](std::string_view tab, int moi) {
        for (int k = 1, nb = NbreEntrees(tab); k <= nb; ++k) {
          const int x = LitEntree(tab, k);
          if (x >= 1 && x <= m_bd.NbreEve() && m_proprio[x] == 0) m_proprio[x] = moi;
        }
      };
      for (int n = 1; n <= m_bd.NbreFiche(); ++n)
        if (m_bd.FicheUtilisee(n)) note(m_bd.Fiche(n).TabEve, n);
      for (int u = 1; u <= m_bd.NbreUnion(); ++u)
        if (m_bd.Union(u).Utilise) note(m_bd.Union(u).TabEve, -u);
    }
    const int p = m_proprio[static_cast<std::size_t>(e)];
    const std::string eve = "(n° "_ansi + std::to_string(e) + ")";
    if (p > 0) return eve + " " + Personne(p);
    if (p < 0) return eve + " " + Union(-p);
    return eve;
  }
  std::vector<std::string> Lignes() { return std::move(m_lignes); }

 private:
  const TBD& m_bd;
  std::vector<std::string> m_lignes;
  std::vector<int> m_proprio;
};

}  // namespace

std::vector<std::string> ValeursCoupees(const TBD& bd) {
  Coupures c(bd);
  for (int n = 1; n <= bd.NbreFiche(); ++n) {
    const TFiche& f = bd.Fiche(n);
    if (!f.Utilise) continue;
    // Sizes first: naming the person costs more than looking.
    const std::size_t m = kLongueurMaxValeur;
    if (f.Nom.size() <= m && f.Pre.size() <= m && f.Note.size() <= m && f.Dcree.size() <= m &&
        f.DdMAJ.size() <= m && f.Champs.size() <= m && f.Numero.size() <= m && f.Reserve.size() <= m &&
        f.TabEve.size() <= m && f.TabSrc.size() <= m)
      continue;
    const std::string qui = c.Personne(n);
    c.Valeur(f.Nom, "Le nom", qui);
    c.Valeur(f.Pre, "Les prénoms"_ansi, qui);
    c.Valeur(f.Note, "La note", qui);
    c.Valeur(f.Dcree, "La date de création"_ansi, qui);
    c.Valeur(f.DdMAJ, "La date de mise à jour"_ansi, qui);
    c.Valeur(f.Champs, "Les champs personnalisés"_ansi, qui);
    c.Valeur(f.Numero, "Le numéro"_ansi, qui);
    c.Valeur(f.Reserve, "Les données réservées"_ansi, qui);
    c.Liste(f.TabEve, "Les événements"_ansi, qui);
    c.Liste(f.TabSrc, "Les sources", qui);
  }
  for (int u = 1; u <= bd.NbreUnion(); ++u)
    if (bd.Union(u).Utilise) c.Liste(bd.Union(u).TabEve, "Les événements"_ansi, c.Union(u));
  for (int s = 1; s <= bd.NbreSrc(); ++s) {
    const TSrc& x = bd.Src(s);
    if (!x.Utilise) continue;
    const std::string qui = "de la source " + std::to_string(s);
    c.Valeur(x.SrcTitre, "Le titre", qui);
    c.Valeur(x.SrcAbrege, "L'abrégé"_ansi, qui);
    c.Valeur(x.SrcMedia, "Le média"_ansi, qui);
    c.Valeur(x.SrcTexte, "Le texte", qui);
  }
  for (int e = 1; e <= bd.NbreEve(); ++e) {
    const TEve& v = bd.Eve(e);
    if (!v.Utilise) continue;
    for (const Texte* t : {&v.Nature, &v.DateEve, &v.Heure, &v.Certitude, &v.Lieu, &v.NoteEve}) {
      if (t->size() <= kLongueurMaxValeur) continue;
      const char* quoi = t == &v.NoteEve ? "La note de l'événement"_ansi
                         : t == &v.Lieu  ? "Le lieu de l'événement"_ansi
                                         : "Un champ de l'événement"_ansi;
      c.Valeur(*t, quoi, v.Nature + " " + c.Proprietaire(e));
    }
  }
  return c.Lignes();
}

namespace {

// Every value of the file, in order, into `e` (an EcrivainValeurs or a
// MesureValeurs); `point(records done)` false stops.
template <typename Ecrivain, typename Point>
bool EcritValeurs(const TBD& bd, const EnteteArbre& entete, const std::string& aujourdhui,
                  Ecrivain& e, const Point& point) {
  const int nF = bd.NbreFiche(), nU = bd.NbreUnion(), nS = bd.NbreSrc(), nE = bd.NbreEve();
  e.Valeur(TexteVersionFichier());
  e.Valeur(bd.DateCreeBase);
  e.Valeur(aujourdhui);
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
    e.Brut(f.TabEve);
    e.Valeur(f.Numero);
    e.Brut(f.TabSrc);
    e.Valeur(f.Reserve);
    if (!point(k)) return false;
  }
  for (int k = 1; k <= nU; ++k) {
    const TUnion& u = bd.Union(k);
    e.Drapeau(u.Utilise == 1);
    e.Entier(u.NumH);
    e.Entier(u.NumF);
    e.Brut(u.TabEve);
    if (!point(static_cast<long long>(nF) + k)) return false;
  }
  e.Valeur("SrcV1");
  for (int k = 1; k <= nS; ++k) {
    const TSrc& s = bd.Src(k);
    e.Drapeau(s.Utilise == 1);
    e.Valeur(s.SrcTitre);
    e.Valeur(s.SrcAbrege);
    e.Valeur(s.SrcMedia);
    e.Valeur(s.SrcTexte);
    if (!point(static_cast<long long>(nF) + nU + k)) return false;
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
    if (!point(static_cast<long long>(nF) + nU + nS + k)) return false;
  }
  return true;
}

// Every value of the file into `e` with the progress points of OctetsBase;
// `piece()`, after each record, may hand the bytes so far on (false stops).
template <typename Piece>
bool EcritAvecAvancement(const TBD& bd, const EnteteArbre& entete, const std::string& aujourdhui,
                         const Progression& progression, EcrivainValeurs& e, const Piece& piece) {
  const long long total =
      static_cast<long long>(bd.NbreFiche()) + bd.NbreUnion() + bd.NbreSrc() + bd.NbreEve();
  auto point = [&](long long fait) {
    return piece() && (!progression || fait % 100 != 0 || progression(fait, total));
  };
  return EcritValeurs(bd, entete, aujourdhui, e, point) && (!progression || progression(total, total));
}

}  // namespace

Statut OctetsBase(const TBD& bd, const EnteteArbre& entete, const Progression& progression,
                  std::string& octets) {
  const std::string aujourdhui = DateDuJourTexte();
  // The exact size first: a buffer that grew by doubling would hold up to
  // twice the file, and copy it on the way.
  MesureValeurs mesure;
  EcritValeurs(bd, entete, aujourdhui, mesure, [](long long) { return true; });
  EcrivainValeurs e;
  e.Reserve(mesure.Taille());
  if (!EcritAvecAvancement(bd, entete, aujourdhui, progression, e, [] { return true; }))
    return Statut::Annule();
  octets = std::move(e.Octets());
  return Statut::Ok();
}

namespace {

// What a save writes into the new file: 0, an errno, or ECANCELED when the
// user stopped it.
using Contenu = std::function<int(FichierNeuf& fichier)>;

Statut Remplace(const std::string& chemin, const Contenu& contenu) {
  // Through a link to the tree: the file it names is the tree.
  const std::string reel = CheminReel(chemin);
  const std::string ancien = reel + ".old";
  if (FichierEnLectureSeule(reel)) return Echec(chemin, "le fichier est en lecture seule");
  // What saves of this tree stopped mid-way left behind.
  SupprimeTemporaires(reel, {".nouveau", ".tmp"});
  SupprimeTemporaires(ancien, {".tmp"});

  // 1. The new content, complete and flushed, under a name of its own, with
  // the permissions of the file it replaces.
  const std::string nouveau = NomTemporaire(reel, ".nouveau");
  {
    FichierNeuf fichier;
    int e = fichier.Ouvre(nouveau, reel);
    if (e == 0) e = contenu(fichier);
    if (e == 0) e = fichier.Termine();
    if (e == ECANCELED) return Statut::Annule();
    if (e != 0) return Echec(chemin, RaisonSysteme(e));
  }

  // 2. The current file gets its backup name beside its own; the previous
  // backup is replaced in one rename.
  const bool existe = FichierExiste(reel);
  // A save stopped between its two renames left the backup as a second name
  // of the tree file: the backup is already made (and a rename of one name
  // of a file onto another would do nothing).
  if (existe && !MemeFichierDisque(reel, ancien)) {
    const std::string relais = NomTemporaire(ancien, ".tmp");
    if (int e = DoubleFichier(reel, relais)) {
      SupprimeFichier(relais);
      SupprimeFichier(nouveau);
      return Echec(chemin, "copie de sauvegarde impossible : " + RaisonSysteme(e));
    }
    if (int e = RenommeFichier(relais, ancien)) {
      SupprimeFichier(relais);
      SupprimeFichier(nouveau);
      return Echec(chemin, "impossible de remplacer " + ancien + " : " + RaisonSysteme(e));
    }
  }

  // 3. The new content takes the tree file's name.
  if (int e = RenommeFichier(nouveau, reel)) {
    SupprimeFichier(nouveau);
    return Echec(chemin, RaisonSysteme(e));
  }
  // Without a previous tree file there is nothing to back up, and a backup
  // left from an older file of that name goes.
  if (!existe) SupprimeFichier(ancien);
  SynchroniseDossier(reel);
  return Statut::Ok();
}

}  // namespace

Statut EcritBase(TBD& bd, const std::string& chemin, const EnteteArbre& entete,
                 const Progression& progression, const ConfirmeCoupures& confirme) {
  if (confirme) {
    std::vector<std::string> coupures = ValeursCoupees(bd);
    if (!coupures.empty() && !confirme(coupures)) return Statut::Annule();
  }
  // Written by pieces as the records are turned into bytes: the file is
  // never in memory beside the tree, and each piece is written while the
  // next one is made.
  Statut s = Remplace(chemin, [&](FichierNeuf& fichier) {
    constexpr std::size_t kPlace = kPieceEcrite + (kPieceEcrite >> 2);
    EcrivainValeurs e;
    e.Reserve(kPlace);
    EcritureParallele ecriture(fichier);
    int erreur = 0;
    auto piece = [&] {
      if (e.Octets().size() < kPieceEcrite) return true;
      erreur = ecriture.Ajoute(e.Octets());
      e.Reserve(kPlace);  // the buffers handed back have no room at first
      return erreur == 0;
    };
    const bool complet = EcritAvecAvancement(bd, entete, DateDuJourTexte(), progression, e, piece);
    if (complet) ecriture.Ajoute(e.Octets());
    const int ecrit = ecriture.Attend();
    if (ecrit != 0) return ecrit;
    return complet ? 0 : ECANCELED;
  });
  if (!s) return s;
  bd.DateSauveBase = DateDuJourTexte();
  return Statut::Ok();
}

Statut RemplaceAvecSauvegarde(const std::string& chemin, const std::string& octets) {
  return Remplace(chemin, [&](FichierNeuf& fichier) { return fichier.Ajoute(octets); });
}

}  // namespace kindrela
