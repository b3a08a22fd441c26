#include "chart/templates.h"

#include <algorithm>

#include "core/ansi_literal.h"
#include "core/database.h"
#include "core/text.h"
#include "dates/places.h"
#include "i18n/translation.h"

namespace kindrela {

namespace {

// Person field codes read by the tags.
constexpr int kChampDateNaissance = 6;
constexpr int kChampLieuNaissance = 7;
constexpr int kChampDateBapteme = 9;
constexpr int kChampLieuBapteme = 10;
constexpr int kChampDateDeces = 12;
constexpr int kChampLieuDeces = 13;
constexpr int kChampDateSepulture = 15;
constexpr int kChampLieuSepulture = 16;
constexpr int kChampPrenoms = 3;
constexpr int kChampDateCreation = 21;
constexpr int kChampDateMaj = 22;
constexpr int kChampPrenomPrincipal = 24;
constexpr int kChampNomPrenoms = 25;
constexpr int kChampNumero = 26;
// Union field codes.
constexpr int kChampUnionDateMariage = 3;
constexpr int kChampUnionDateDivorce = 4;
constexpr int kChampUnionLieuMariage = 5;
constexpr int kChampUnionLieuDivorce = 6;
// Event field numbers.
constexpr int kEveDate = 2;
constexpr int kEveHeure = 3;
constexpr int kEveLieu = 4;
constexpr int kEveNote = 5;
// Source field numbers.
constexpr int kSrcAbrege = 3;
constexpr int kSrcFichier = 6;

constexpr std::string_view kAbregePhotoArbre = "Photo de l'arbre";
constexpr std::string_view kDebutNavigation = "<i-";

// Spelling of navigation accepted in templates, rewritten into the one form
// the expansion reads.
struct Reecriture {
  std::string_view ancien;
  std::string_view nouveau;
};
constexpr Reecriture kReecritures[] = {
    {"<p>", "<i-père>"_ansi},        {"<père>"_ansi, "<i-père>"_ansi}, {"<m>", "<i-mère>"_ansi},
    {"<mère>"_ansi, "<i-mère>"_ansi},  {"<conjoint", "<i-conjoint"}, {"<union", "<i-union"},
};

void RemplaceTout(std::string& ligne, std::string_view ancien, std::string_view nouveau) {
  size_t pos = 0;
  while ((pos = ligne.find(ancien, pos)) != std::string::npos) {
    ligne.replace(pos, ancien.size(), nouveau);
    pos += nouveau.size();
  }
}

// 0 man, 1 woman, 2 unknown; nobody and numbers outside the table are unknown.
int SexeDe(const TBD& bd, int p) {
  return (p >= 1 && p <= bd.NbreFiche()) ? bd.LitSexe(p) : 2;
}

// The decimal text of a date component, empty for a missing one (0).
std::string ComposanteDate(int valeur) {
  return valeur == 0 ? std::string() : std::to_string(valeur);
}

// One line being expanded: the focus (person P, union U) moves as the tags
// are read from left to right.
class Expansion {
 public:
  Expansion(const TContexteModele& ctx, int personne)
      : m_ctx(ctx), m_bd(ctx.bd), m_mots(ctx.mots), m_personne(personne), m_p(personne) {}

  // Expands `ligne` in place.
  void Execute(std::string& ligne) {
    const size_t maxTours = kToursParCaractere * ligne.size() + kToursFixes;
    const size_t maxLongueur = ligne.size() + kCroissanceMax;
    for (size_t tour = 0; tour < maxTours && ligne.size() <= maxLongueur; ++tour) {
      const size_t fin = ligne.find('>');
      const size_t debut = ligne.find('<');
      if (fin == std::string::npos || debut == std::string::npos || debut > fin) return;
      const std::string balise = ligne.substr(debut, fin - debut + 1);
      Traite(ligne, debut, balise);
      if ((EstMot(balise, kMotLigneHomme) && SexeDe(m_bd, m_p) != 0) ||
          (EstMot(balise, kMotLigneFemme) && SexeDe(m_bd, m_p) != 1)) {
        ligne.clear();
        return;
      }
    }
  }

 private:
  // The whole tag equals word `numero` (an empty word matches nothing).
  bool EstMot(std::string_view texte, int numero) const {
    const std::string& mot = m_mots.Mot(numero);
    return !mot.empty() && texte == mot;
  }
  // The first `longueur` characters of the tag equal word `numero`.
  bool Commence(std::string_view balise, int numero, size_t longueur) const {
    const std::string& mot = m_mots.Mot(numero);
    return !mot.empty() && balise.substr(0, longueur) == mot;
  }
  // Event field words are compared after lower-casing both sides.
  bool EstMotChamp(std::string_view champ, int numero) const {
    const std::string& mot = m_mots.Mot(numero);
    return !mot.empty() && EgalSansCasse(champ, mot);
  }

  void Traite(std::string& ligne, size_t debut, const std::string& balise) {
    std::string valeur;
    if (EstMot(balise, kMotRetourPersonne)) {
      m_p = m_personne;
      m_u = 0;
    } else if (balise.starts_with(kDebutNavigation)) {
      Navigue(balise);
    } else if (Commence(balise, kMotDebutEvenement, 2) ||
               Commence(balise, kMotDebutEvenement + 1, 2)) {
      Evenement(ligne, debut, balise);
      return;
    } else if (m_p <= 0) {
      // Nobody in focus: every person tag is empty.
    } else if (BalisePersonne(balise, valeur)) {
      // A name, number, note... of the person in focus.
    } else if (Commence(balise, kMotDebutDate, 2)) {
      if (!BaliseDate(balise, valeur) && MotifDate(ligne, debut, balise)) return;
    } else if (Commence(balise, kMotDebutLieu, 2)) {
      valeur = BaliseLieu(balise);
    } else {
      valeur = AutreBalise(balise);
    }
    ligne.replace(debut, balise.size(), valeur);
  }

  // "<i-" word [blank index] ">": moves the focus.
  void Navigue(const std::string& balise) {
    const std::string interieur = Trim(std::string_view(balise).substr(3, balise.size() - 4));
    std::string mot = interieur;
    int n = 0;
    if (size_t blanc = interieur.find(' '); blanc != std::string::npos) {
      mot = interieur.substr(0, blanc);
      n = TexteVersEntier(std::string_view(interieur).substr(blanc + 1), -1);
    }
    if (mot == "père"_ansi) {
      m_u = 0;
      m_p = m_bd.LitPere(m_p);
      return;
    }
    if (mot == "mère"_ansi) {
      m_u = 0;
      m_p = m_bd.LitMere(m_p);
      return;
    }
    const std::string avecChevron = "<" + mot;
    TR liste(0);
    bool unions = false;
    if (EstMot(avecChevron, kMotConjoint)) {
      liste = SpousesOf(m_bd, m_p);
    } else if (EstMot(avecChevron, kMotUnion)) {
      liste = UnionsOf(m_bd, m_p);
      unions = true;
    } else if (avecChevron == "<enfant") {
      liste = ChildrenOf(m_bd, m_p);
      SortByColumnText(m_bd, liste, kChampPrenoms);
      SortByDateColumn(m_bd, liste, kChampDateNaissance);
    } else {
      return;
    }
    m_u = 0;
    if (n == -1 || n > liste.Count()) {
      m_p = 0;
      return;
    }
    const int choisi = liste.Get(n == 0 ? liste.Count() : n);
    if (unions) {
      m_u = choisi;
    } else {
      m_p = choisi;
    }
  }

  // Five opening characters, an event kind, ",", a field word, ">".
  void Evenement(std::string& ligne, size_t debut, const std::string& balise) {
    const std::string_view ouverture = std::string_view(balise).substr(0, 5);
    const size_t virgule = balise.find(',');
    if (!(EstMot(ouverture, kMotOuvertureEvenement) ||
          EstMot(ouverture, kMotOuvertureEvenement + 1) ||
          EstMot(ouverture, kMotOuvertureEvenement + 2)) ||
        virgule == std::string::npos || virgule < 6) {
      ligne.replace(debut, balise.size(), "");
      return;
    }
    const std::string nature = balise.substr(5, virgule - 5);
    std::string motChamp = MinusculesAnsi(
        std::string_view(balise).substr(virgule + 1, balise.size() - virgule - 2));
    if (size_t blanc = motChamp.find(' '); blanc != std::string::npos) motChamp.resize(blanc);

    const int champ = ChampEvenement(motChamp);
    std::string valeur;
    if (champ != 0) {
      if (m_p <= 0 || m_u != 0) {
        if (m_u > 0) valeur = m_bd.LitEveUnionNature(m_u, nature, champ);
      } else {
        valeur = m_bd.LitEveNature(m_p, nature, champ);
      }
    }
    if (!valeur.empty()) valeur = FaconneChamp(motChamp, valeur);

    if (valeur.empty() && champ != 0) {
      // An unknown birth (death) is read from the baptism (burial) when
      // that one is known, marked by word 2018 (2019) after the value.
      std::string_view remplace;
      int suffixe = 0;
      if (nature == m_bd.NatNaissance) {
        remplace = m_bd.NatBapteme;
        suffixe = kMotSuffixeBapteme;
      } else if (nature == m_bd.NatDeces) {
        remplace = m_bd.NatSepulture;
        suffixe = kMotSuffixeSepulture;
      }
      if (suffixe != 0 && remplace != nature &&
          !m_bd.LitEveNature(m_p, remplace, champ).empty()) {
        std::string reecrite = balise;
        ReplaceFirst(reecrite, nature, remplace);
        std::string fin = m_mots.Mot(suffixe);
        // The word stands for the tag's ">": without one the tag would
        // swallow the text up to the next ">" of the line.
        if (fin.empty() || fin[0] != '>') fin.insert(0, ">");
        ReplaceFirst(reecrite, ">", fin);
        ligne.replace(debut, balise.size(), reecrite);
        return;
      }
    }
    ligne.replace(debut, balise.size(), valeur);
  }

  // The event field a field word reads: 2 date, 3 time, 4 place, 5 note; 0 none.
  int ChampEvenement(std::string_view motChamp) const {
    for (int n = kMotChampDate; n <= kMotChampZodiaque; ++n)
      if (EstMotChamp(motChamp, n)) return kEveDate;
    if (EstMotChamp(motChamp, kMotChampHeure)) return kEveHeure;
    for (int n = kMotChampLieu; n <= kMotChampAdresse; ++n)
      if (EstMotChamp(motChamp, n)) return kEveLieu;
    if (EstMotChamp(motChamp, kMotChampNote)) return kEveNote;
    return 0;
  }

  // The stored field shaped by its field word. Day, month, year, name day
  // and sign are read from the stored date, never from its display form,
  // in which day and month may be exchanged.
  std::string FaconneChamp(std::string_view motChamp, const std::string& valeur) const {
    if (EstMotChamp(motChamp, kMotChampDate)) return DateAffichee(valeur, m_ctx.formatDate);
    if (EstMotChamp(motChamp, kMotChampNote)) return JoinLines(valeur);
    if (EstMotChamp(motChamp, kMotChampJour)) return ComposanteDate(DateJour(valeur));
    if (EstMotChamp(motChamp, kMotChampMois)) return ComposanteDate(DateMois(valeur));
    if (EstMotChamp(motChamp, kMotChampAnnee)) return ComposanteDate(DateAnnee(valeur));
    if (EstMotChamp(motChamp, kMotChampFete))
      return m_ctx.fetes ? FeteDuJour(valeur, *m_ctx.fetes) : std::string();
    if (EstMotChamp(motChamp, kMotChampZodiaque))
      return m_ctx.traduction ? SigneZodiaque(valeur, *m_ctx.traduction) : std::string();
    for (int n = kMotChampPays; n <= kMotChampAdresse; ++n)
      if (EstMotChamp(motChamp, n)) return PartieLieu(n, valeur);
    return valeur;
  }

  // Place components 1..5, the postal code or the address line.
  static std::string PartieLieu(int mot, std::string_view lieu) {
    ChampsLieu c = DecoupeLieu(lieu);
    std::string& departement = c[2];
    std::string& commune = c[3];
    // "001 Paris": the three digits end the postal code begun by "F75".
    if (TexteVersEntier(std::string_view(commune).substr(0, 3), -1) >= 0) {
      departement += commune.substr(0, 3);
      commune.erase(0, 4);
    }
    if (mot >= kMotChampPays && mot <= kMotChampLieuDit) return c[mot - kMotChampPays];
    int code = TexteVersEntier(std::string_view(departement).substr(std::min<size_t>(1, departement.size()), 5), 0);
    if (code < 100) code *= 1000;
    const std::string codePostal = code > 0 ? std::to_string(code) : std::string();
    if (mot == kMotChampCodePostal) return codePostal;
    return c[4] + " " + codePostal + " " + commune;
  }

  // The tags of the person in focus named by whole words; false when the
  // tag is none of them.
  bool BalisePersonne(const std::string& balise, std::string& valeur) const {
    if (EstMot(balise, kMotNom)) {
      valeur = m_bd.LitNom(m_p);
    } else if (EstMot(balise, kMotNumero)) {
      valeur = m_bd.LitChamp(m_p, kChampNumero);
    } else if (EstMot(balise, kMotNote)) {
      valeur = JoinLines(m_bd.LitChamp(m_p, 18));
    } else if (EstMot(balise, kMotPre) || EstMot(balise, kMotPre + 1) ||
               EstMot(balise, kMotPre + 2)) {
      valeur = m_bd.LitPrenoms(m_p);
    } else if (EstMot(balise, kMotProfession)) {
      valeur = m_bd.LitProfession(m_p);
    } else if (EstMot(balise, kMotPhoto)) {
      valeur = "@";
      for (int k = 1; k <= m_bd.NbreSrcFiche(m_p); ++k) {
        if (m_bd.LitSrcFiche(m_p, k, kSrcAbrege) == kAbregePhotoArbre) {
          valeur += m_bd.LitSrcFiche(m_p, k, kSrcFichier);
          break;
        }
      }
    } else if (EstMot(balise, kMotPrenomPrincipal)) {
      valeur = m_bd.LitChamp(m_p, kChampPrenomPrincipal);
    } else {
      return false;
    }
    return true;
  }

  bool EstUnDe(std::string_view balise, int premier, int nombre) const {
    for (int n = premier; n < premier + nombre; ++n)
      if (EstMot(balise, n)) return true;
    return false;
  }

  // The date tags named by whole words; false (and no value) for any other.
  bool BaliseDate(const std::string& balise, std::string& valeur) const {
    if (EstUnDe(balise, kMotDateNaissance, 2)) {
      valeur = m_bd.LitChamp(m_p, kChampDateNaissance);
    } else if (EstUnDe(balise, kMotDateBapteme, 2)) {
      valeur = m_bd.LitChamp(m_p, kChampDateBapteme);
    } else if (EstUnDe(balise, kMotDateDeces, 2)) {
      valeur = m_bd.LitChamp(m_p, kChampDateDeces);
    } else if (EstUnDe(balise, kMotDateSepulture, 2)) {
      valeur = m_bd.LitChamp(m_p, kChampDateSepulture);
    } else if (EstUnDe(balise, kMotDateMariage, 2)) {
      valeur = m_bd.LitChampUnion(LastUnionOf(m_bd, m_p), kChampUnionDateMariage);
    } else if (EstMot(balise, kMotDateDivorce)) {
      valeur = m_bd.LitChampUnion(LastUnionOf(m_bd, m_p), kChampUnionDateDivorce);
    } else if (EstMot(balise, kMotDateCreation)) {
      valeur = DateAffichee(m_bd.LitChamp(m_p, kChampDateCreation), m_ctx.formatDate);
    } else if (EstMot(balise, kMotDateModification)) {
      valeur = DateAffichee(m_bd.LitChamp(m_p, kChampDateMaj), m_ctx.formatDate);
    } else {
      return false;
    }
    return true;
  }

  // "<dn jj/mm/aaaa>": the birth date laid out by a pattern, the qualifier
  // taking the place of the first word. True when the tag was one (and has
  // been replaced in the line).
  bool MotifDate(std::string& ligne, size_t debut, const std::string& balise) const {
    const size_t blanc = balise.find(' ');
    const std::string premierMot =
        blanc == std::string::npos ? balise.substr(0, balise.size() - 1) : balise.substr(0, blanc);
    if (!EstUnDe(premierMot, kMotMotifDate, 2)) return false;
    const std::string naissance = m_bd.LitChamp(m_p, kChampDateNaissance);
    if (blanc == std::string::npos) {
      ligne.replace(debut, balise.size(), naissance);
      return true;
    }
    // Only the tag's own text is rewritten: placeholders standing elsewhere
    // in the line (a surname holding "mm") are not the pattern's.
    const ElementsDate e = DateElements(naissance);
    std::string motif = balise.substr(blanc, balise.size() - blanc - 1);
    ReplaceFirst(motif, m_mots.Mot(kMotMotifJour), std::to_string(e.jour));
    ReplaceFirst(motif, m_mots.Mot(kMotMotifMois), std::to_string(e.mois));
    ReplaceFirst(motif, m_mots.Mot(kMotMotifAnnee), std::to_string(e.annee));
    ligne.replace(debut, balise.size(), e.qualificatif + motif);
    return true;
  }

  std::string BaliseLieu(const std::string& balise) const {
    if (EstUnDe(balise, kMotLieuMariage, 2))
      return m_bd.LitChampUnion(LastUnionOf(m_bd, m_p), kChampUnionLieuMariage);
    if (EstMot(balise, kMotLieuDivorce))
      return m_bd.LitChampUnion(LastUnionOf(m_bd, m_p), kChampUnionLieuDivorce);
    if (EstUnDe(balise, kMotLieuNaissance, 2)) return m_bd.LitChamp(m_p, kChampLieuNaissance);
    if (EstUnDe(balise, kMotLieuBapteme, 2)) return m_bd.LitChamp(m_p, kChampLieuBapteme);
    if (EstUnDe(balise, kMotLieuDeces, 2)) return m_bd.LitChamp(m_p, kChampLieuDeces);
    if (EstUnDe(balise, kMotLieuSepulture, 2)) return m_bd.LitChamp(m_p, kChampLieuSepulture);
    return {};
  }

  std::string AutreBalise(const std::string& balise) const {
    if (EstMot(balise, kMotSexe))
      return m_mots.Mot(SexeDe(m_bd, m_p) == 0 ? kMotHomme : kMotFemme);
    if (EstMot(balise, kMotAge)) return Age();
    if (EstMot(balise, kMotDernierConjoint)) {
      const int conjoint = LastSpouseOf(m_bd, m_p);
      return conjoint > 0 ? m_bd.LitChamp(conjoint, kChampNomPrenoms) : std::string();
    }
    if (Commence(balise, kMotOuvertureChamp, 5)) {
      const std::string nom = balise.size() > 6 ? balise.substr(5, balise.size() - 6) : "";
      return nom.empty() ? std::string() : m_bd.LitChampPerso(m_p, nom);
    }
    if (EstMot(balise, kMotResume)) return EventSummary(m_ctx, m_p);
    if (EstUnDe(balise, kMotNumeroGenealogique, 2)) return m_bd.LitChamp(m_p, kChampNumero);
    if (EstMot(balise, kMotNumeroFiche)) return std::to_string(m_p);
    return {};
  }

  // Age at death, or today's age of a person without a death date. Nothing
  // without a birth year: an unknown age is not 0.
  std::string Age() const {
    const std::string naissance = m_bd.LitChamp(m_p, kChampDateNaissance);
    const std::string deces = m_bd.LitChamp(m_p, kChampDateDeces);
    if (DateAnnee(naissance) == 0) return {};
    int age;
    if (!deces.empty()) {
      if (DateAnnee(deces) < DateAnnee(naissance)) return {};
      age = AgeEntre(naissance, deces);
    } else {
      age = AgeActuel(naissance);
    }
    return age < 0 ? std::string() : std::to_string(age);
  }

  const TContexteModele& m_ctx;
  const TBD& m_bd;
  const TMotsBalises& m_mots;
  const int m_personne;
  int m_p;
  int m_u = 0;
};

}  // namespace

std::string ExpandTemplate(const TContexteModele& ctx, int personne, std::string_view modele) {
  if (modele.empty() || personne <= 0) return {};
  std::string ligne(modele);
  ReplaceFirst(ligne, "<i>", "");
  for (const auto& r : kReecritures) RemplaceTout(ligne, r.ancien, r.nouveau);
  Expansion(ctx, personne).Execute(ligne);
  return ligne;
}

std::string EventSummary(const TContexteModele& ctx, int personne) {
  if (personne <= 0) return {};
  const TBD& bd = ctx.bd;
  std::string resultat;
  auto ajoute = [&](std::string_view symbole, const std::string& date, const std::string& lieu) {
    std::string drapeaux;
    if (!date.empty()) {
      const ElementsDate e = DateElements(date);
      if (e.qualificatif.empty() && e.jour != 0 && e.mois != 0 && e.annee != 0) drapeaux += 'd';
    }
    if (!lieu.empty()) drapeaux += 'l';
    if (drapeaux.empty()) return;
    if (drapeaux == ctx.mots.Mot(kMotEvenementComplet)) drapeaux.clear();
    if (!resultat.empty()) resultat += ' ';
    resultat += symbole;
    resultat += drapeaux;
  };
  ajoute("o", bd.LitChamp(personne, kChampDateNaissance), bd.LitChamp(personne, kChampLieuNaissance));
  ajoute("+", bd.LitChamp(personne, kChampDateDeces), bd.LitChamp(personne, kChampLieuDeces));
  for (int u : UnionsOf(bd, personne))
    ajoute("x", bd.LitChampUnion(u, kChampUnionDateMariage), bd.LitChampUnion(u, kChampUnionLieuMariage));
  return resultat;
}

}  // namespace kindrela
