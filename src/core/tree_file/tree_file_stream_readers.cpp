// Readers of the value-stream versions: the current one (codes 52 and 991),
// 99 and 981, which are read slot by slot, and 98, whose records are
// created one by one.
#include <algorithm>
#include <utility>
#include <vector>

#include "core/tree_file/reader_support.h"
#include "core/ansi_literal.h"
#include "core/tree_file/tree_file_reader.h"
#include "core/tree_file/tree_file_version.h"
#include "core/tree_file/value_stream.h"

namespace kindrela {

using lecture::Avancement;
using lecture::BorneNbre;

std::string NormaliseDateChargee(std::string date) {
  if (date.empty()) return "1/1/1998";
  if (date.size() >= 3 && date[date.size() - 3] == '/') date.insert(date.size() - 2, "19");
  return date;
}

std::string NomDeLook(const ResultatLecture& resultat) {
  if (!resultat.lookEstChemin) return resultat.look;
  std::string nom = resultat.look;
  std::size_t dossier = nom.find_last_of("/\\");
  if (dossier != std::string::npos) nom.erase(0, dossier + 1);
  std::size_t point = nom.find_last_of('.');
  if (point != std::string::npos) nom.erase(point);
  return nom;
}

namespace {

enum class Disposition { Courante, V99, V981 };

constexpr std::size_t kValeursUnion = 4;
constexpr std::size_t kValeursSrc = 5;
constexpr std::size_t kValeursDonnee = 5;

// The texts an old data item turns into: a source of person `personne`.
struct Donnee {
  int personne;
  std::string description;
  std::string fichier;
  std::string note;
};

std::string FinPrematuree(const char* quoi, int k, int nbre) {
  return std::string("Le fichier se termine à l'enregistrement "_ansi) + std::to_string(k) + " des " +
         quoi + " sur " + std::to_string(nbre) + " annoncés."_ansi;
}

long long Positif(long long v) { return v < 0 ? 0 : v; }

Statut LitParSlots(TBD& bd, std::string_view octets, Disposition d, const OptionsLecture& options,
                   ResultatLecture& r) {
  LecteurValeurs l(octets);
  l.Saute();  // version text, already known
  bd.DateCreeBase = l.Texte();
  bd.DateSauveBase = l.Texte();
  long long nFiche = l.Entier();
  long long nUnion = l.Entier();
  long long n6 = l.Entier();  // sources, or old data items
  long long nEve = l.Entier();
  int selec = l.Entier();
  int ref = l.Entier();
  std::string v10 = l.Texte();
  std::string v11 = l.Texte();
  if (d == Disposition::Courante) {
    r.look = std::move(v10);
    r.lookEstChemin = false;
  } else {
    r.look = std::move(v11);
    r.lookEstChemin = true;
  }

  const long long total = Positif(nFiche) + Positif(nUnion) + Positif(n6) + Positif(nEve);
  Avancement avancement(options.progression, total);
  const CapacitesBD& cap = bd.Capacites();
  auto annule = [&]() {
    bd.ReconstruitIndex();
    return Statut::Annule();
  };
  auto reste = [&]() { return octets.size() - l.Position(); };

  // Persons.
  const std::size_t valeursFiche = d == Disposition::V981 ? 14 : 17;
  int nbre = BorneNbre(nFiche, cap.fiches, reste(), 2 * valeursFiche, "personnes", r);
  bd.FixeNbreFiche(nbre);
  std::vector<std::pair<int, std::string>> photos;
  for (int k = 1; k <= nbre; ++k) {
    if (l.Fin()) {
      r.avertissements.push_back(FinPrematuree("personnes", k, nbre));
      bd.FixeNbreFiche(k - 1);
      break;
    }
    TFiche& f = bd.FicheBrute(k);
    f.Utilise = l.Drapeau() ? 1 : 0;
    f.Sexe = static_cast<uint8_t>(l.Entier());
    f.Nom = l.Texte();
    f.Pre = l.Texte();
    f.NumP = l.Entier();
    f.NumM = l.Entier();
    if (d == Disposition::V981) {
      f.Note = l.Texte();
      std::string profession = l.Texte();
      std::string photo = l.Texte();
      f.Dcree = l.Texte();
      f.DdMAJ = l.Texte();
      f.Champs = profession.empty() ? std::string() : "t|Profession|" + profession + "|";
      f.Champs += l.Valeur();
      f.TabEve = l.Texte();
      f.Numero = l.Texte();
      if (!photo.empty()) photos.emplace_back(k, std::move(photo));
    } else {
      f.CertP = l.Entier();
      f.CertM = l.Entier();
      f.Note = l.Texte();
      if (d == Disposition::V99) {
        std::string photo = l.Texte();
        if (!photo.empty()) photos.emplace_back(k, std::move(photo));
      } else {
        l.Saute();
      }
      f.Dcree = l.Texte();
      f.DdMAJ = l.Texte();
      f.Champs = l.Texte();
      f.TabEve = l.Texte();
      f.Numero = l.Texte();
      if (d == Disposition::Courante) f.TabSrc = l.Texte();
      else l.Saute();
      f.Reserve = l.Texte();
    }
    // Free slots are kept as they were written.
    if (f.Utilise) {
      f.Dcree = NormaliseDateChargee(f.Dcree.str());
      f.DdMAJ = NormaliseDateChargee(f.DdMAJ.str());
    }
    if (!avancement.Point(k)) return annule();
  }

  // Unions.
  nbre = BorneNbre(nUnion, cap.unions, reste(), 2 * kValeursUnion, "unions", r);
  bd.FixeNbreUnion(nbre);
  for (int k = 1; k <= nbre; ++k) {
    if (l.Fin()) {
      r.avertissements.push_back(FinPrematuree("unions", k, nbre));
      bd.FixeNbreUnion(k - 1);
      break;
    }
    TUnion& u = bd.UnionBrute(k);
    u.Utilise = l.Drapeau() ? 1 : 0;
    u.NumH = l.Entier();
    u.NumF = l.Entier();
    u.TabEve = l.Texte();
    if (!avancement.Point(Positif(nFiche) + k)) return annule();
  }

  // Sources, or the data items that older versions kept instead.
  std::vector<Donnee> donnees;
  const long long base6 = Positif(nFiche) + Positif(nUnion);
  if (d == Disposition::Courante) {
    l.Saute();  // "SrcV1"
    nbre = BorneNbre(n6, cap.srcs, reste(), 2 * kValeursSrc, "sources", r);
    bd.FixeNbreSrc(nbre);
    for (int k = 1; k <= nbre; ++k) {
      if (l.Fin()) {
        r.avertissements.push_back(FinPrematuree("sources", k, nbre));
        bd.FixeNbreSrc(k - 1);
        break;
      }
      TSrc& s = bd.SrcBrute(k);
      s.Utilise = l.Drapeau() ? 1 : 0;
      s.SrcTitre = l.Texte();
      s.SrcAbrege = l.Texte();
      s.SrcMedia = l.Texte();
      s.SrcTexte = l.Texte();
      if (!avancement.Point(base6 + k)) return annule();
    }
  } else {
    // Items are turned into sources once the tables are coherent, below.
    nbre = BorneNbre(n6, cap.srcs, reste(), 2 * kValeursDonnee, "données"_ansi, r);
    bd.NbreDonnee = nbre;
    for (int k = 1; k <= nbre && !l.Fin(); ++k) {
      bool utilise = l.Drapeau();
      int personne = l.Entier();
      Donnee donnee{personne, l.Texte(), l.Texte(), l.Texte()};
      if (utilise && personne >= 1 && !donnee.description.empty())
        donnees.push_back(std::move(donnee));
      if (!avancement.Point(base6 + k)) return annule();
    }
  }

  // Events.
  const long long baseEve = base6 + Positif(n6);
  const std::size_t valeursEve = d == Disposition::V981 ? 6 : 7;
  nbre = BorneNbre(nEve, cap.eves, reste(), 2 * valeursEve, "événements"_ansi, r);
  bd.FixeNbreEve(nbre);
  for (int k = 1; k <= nbre; ++k) {
    if (l.Fin()) {
      r.avertissements.push_back(FinPrematuree("événements"_ansi, k, nbre));
      bd.FixeNbreEve(k - 1);
      break;
    }
    TEve& e = bd.EveBrute(k);
    e.Utilise = l.Drapeau() ? 1 : 0;
    e.Nature = l.Texte();
    e.DateEve = l.Texte();
    e.Heure = l.Texte();
    if (d == Disposition::V981) {
      e.Certitude.clear();
    } else {
      e.Certitude = l.Texte();
    }
    e.Lieu = l.Texte();
    e.NoteEve = l.Texte();
    if (!avancement.Point(baseEve + k)) return annule();
  }

  if (l.Depasse() && r.avertissements.empty())
    r.avertissements.push_back("Le fichier est tronqué : les valeurs manquantes sont lues vides."_ansi);
  lecture::LibereFichesSansNom(bd);
  bd.ReconstruitIndex();

  for (auto& [n, photo] : photos) {
    bd.EcritSrcTitre(n, "Photo", photo, 4);
    bd.EcritSrcTitre(n, "Photo", "Portrait", 3);
  }
  for (const Donnee& donnee : donnees) {
    bd.EcritSrcTitre(donnee.personne, donnee.description, donnee.fichier, 4);
    bd.EcritSrcTitre(donnee.personne, donnee.description, donnee.note, 2);
  }

  lecture::TermineLecture(bd, ref, selec, r);
  if (!avancement.Fin()) return Statut::Annule();
  return Statut::Ok();
}

}  // namespace

Statut LitBase(TBD& bd, std::string_view octets, const OptionsLecture& options,
               ResultatLecture& resultat) {
  return LitParSlots(bd, octets, Disposition::Courante, options, resultat);
}

Statut LitBase99(TBD& bd, std::string_view octets, const OptionsLecture& options,
                 ResultatLecture& resultat) {
  return LitParSlots(bd, octets, Disposition::V99, options, resultat);
}

Statut LitBase981(TBD& bd, std::string_view octets, const OptionsLecture& options,
                  ResultatLecture& resultat) {
  return LitParSlots(bd, octets, Disposition::V981, options, resultat);
}

Statut LitBase98(TBD& bd, std::string_view octets, const OptionsLecture& options,
                 ResultatLecture& resultat) {
  LecteurValeurs l(octets, /*finAuZero=*/true);
  l.Saute();
  std::string dateCree = l.Texte();
  std::string dateSauve = l.Texte();
  long long nFiche = l.Entier();
  long long nUnion = l.Entier();
  long long nDonnee = l.Entier();
  int selec = l.Entier();
  int ref = l.Entier();
  l.Saute();
  std::string look = l.Texte();

  const bool fusion = options.fusion;
  if (!fusion) {
    bd.DateCreeBase = std::move(dateCree);
    bd.DateSauveBase = std::move(dateSauve);
  }
  const long long total = Positif(nFiche) + Positif(nUnion) + Positif(nDonnee);
  Avancement avancement(options.progression, total);
  const CapacitesBD& cap = bd.Capacites();
  auto reste = [&]() { return octets.size() - l.Position(); };

  // A merge appends: the file's persons must land in one block after the
  // tree in memory for their links to be moved into it.
  const uint8_t modeAjout = bd.ModeAjout;
  if (fusion) bd.ModeAjout = 1;
  struct Restaure {
    TBD& bd;
    uint8_t mode;
    ~Restaure() { bd.ModeAjout = mode; }
  } restaure{bd, modeAjout};

  // Person k of the file is person numeros[k] of the tree (0: not created).
  int nbre = BorneNbre(nFiche, cap.fiches, reste(), 2 * 23, "personnes", resultat);
  std::vector<int> numeros(static_cast<std::size_t>(nbre) + 1, 0);
  std::vector<int> unionsLues;
  bool plein = false;
  for (int k = 1; k <= nbre; ++k) {
    if (l.Fin()) {
      resultat.avertissements.push_back(FinPrematuree("personnes", k, nbre));
      break;
    }
    int n = bd.NouvelleFiche();
    if (n == 0 && !plein) {
      plein = true;
      resultat.avertissements.push_back("La table des personnes est pleine : la personne " +
                                        std::to_string(k) + " et les suivantes sont perdues.");
    }
    numeros[static_cast<std::size_t>(k)] = n;
    for (int code = 1; code <= 22; ++code) {
      std::string_view v = l.Valeur();
      if (code != 20 && n != 0) bd.EcritChamp(n, code, v);
    }
    std::string_view titre = l.Valeur();
    if (n != 0) bd.EcritChampPerso(n, "Titre", titre);
    if (!avancement.Point(k)) {
      bd.ReconstruitIndex();
      return Statut::Annule();
    }
  }

  nbre = BorneNbre(nUnion, cap.unions, reste(), 2 * 7, "unions", resultat);
  for (int k = 1; k <= nbre; ++k) {
    if (l.Fin()) {
      resultat.avertissements.push_back(FinPrematuree("unions", k, nbre));
      break;
    }
    int u = bd.NouvelleUnion();
    for (int code = 1; code <= 7; ++code) {
      std::string_view v = l.Valeur();
      if (u != 0) bd.EcritChampUnion(u, code, v);
    }
    if (u != 0) unionsLues.push_back(u);
    if (!avancement.Point(Positif(nFiche) + k)) {
      bd.ReconstruitIndex();
      return Statut::Annule();
    }
  }

  auto renumerote = [&](int v) -> int {
    if (!fusion) return v;
    if (v <= 0) return v;
    return v < static_cast<int>(numeros.size()) ? numeros[static_cast<std::size_t>(v)] : 0;
  };
  if (fusion) {
    for (std::size_t k = 1; k < numeros.size(); ++k) {
      int n = numeros[k];
      if (n == 0) continue;
      if (bd.LitPere(n) > 0) bd.EcritPere(n, renumerote(bd.LitPere(n)));
      if (bd.LitMere(n) > 0) bd.EcritMere(n, renumerote(bd.LitMere(n)));
    }
    for (int u : unionsLues) {
      const TUnion& uni = bd.Union(u);
      int h = uni.NumH, f = uni.NumF;
      if (h > 0) bd.EcritChampUnion(u, 1, std::to_string(renumerote(h)));
      if (f > 0) bd.EcritChampUnion(u, 2, std::to_string(renumerote(f)));
    }
  }

  nbre = BorneNbre(nDonnee, cap.srcs, reste(), 2 * 4, "données"_ansi, resultat);
  bd.NbreDonnee = nbre;
  const long long baseDonnee = Positif(nFiche) + Positif(nUnion);
  for (int k = 1; k <= nbre && !l.Fin(); ++k) {
    int personne = l.Entier();
    std::string description = l.Texte();
    std::string fichier = l.Texte();
    std::string note = l.Texte();
    if (personne >= 1 && !description.empty()) {
      int n = renumerote(personne);
      bd.EcritSrcTitre(n, description, fichier, 4);
      bd.EcritSrcTitre(n, description, note, 2);
    }
    if (!avancement.Point(baseDonnee + k)) {
      bd.ReconstruitIndex();
      return Statut::Annule();
    }
  }

  if (l.Depasse() && resultat.avertissements.empty())
    resultat.avertissements.push_back(
        "Le fichier est tronqué : les valeurs manquantes sont lues vides."_ansi);
  lecture::LibereFichesSansNom(bd);
  bd.ReconstruitIndex();
  if (fusion) {
    resultat.look.clear();
    resultat.selecPers = 0;
    bd.BaseChargee = 1;
  } else {
    resultat.look = std::move(look);
    resultat.lookEstChemin = true;
    lecture::TermineLecture(bd, ref, selec, resultat);
  }
  if (!avancement.Fin()) return Statut::Annule();
  return Statut::Ok();
}

Statut LitArbre(TBD& bd, std::string_view octets, int version, const OptionsLecture& options,
                ResultatLecture& resultat) {
  resultat.version = version;
  switch (version) {
    case kVersionCourante:
    case kVersion991: return LitBase(bd, octets, options, resultat);
    case kVersion99: return LitBase99(bd, octets, options, resultat);
    case kVersion981: return LitBase981(bd, octets, options, resultat);
    case kVersion98: return LitBase98(bd, octets, options, resultat);
    case kVersion30: return LitBase30(bd, octets, resultat);
    case kVersion24: return LitBase24(bd, octets, resultat);
    case kVersion15: return LitBase15(bd, octets, resultat);
    default: return Statut::Erreur("Ce fichier n'est pas un arbre généalogique reconnu."_ansi);
  }
}

}  // namespace kindrela
