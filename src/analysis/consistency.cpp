#include "analysis/consistency.h"

#include <algorithm>

#include "chart/kinship.h"
#include "core/database.h"
#include "core/ini_file.h"
#include "dates/dates.h"
#include "i18n/translation.h"

namespace kindrela {
namespace {

constexpr std::string_view kSectionOptions = "gene\\Options";

// Person field codes of the four dates the check reads.
constexpr int kCodeNaissance = 6;
constexpr int kCodeBapteme = 9;
constexpr int kCodeDeces = 12;
constexpr int kCodeSepulture = 15;
// Union field codes.
constexpr int kCodeMariage = 3;
constexpr int kCodeDivorce = 4;

// A burial more than this many days after the death is suspicious.
constexpr int kJoursSepultureMax = 7;

bool AnneeConnue(std::string_view date) { return DateAnnee(date) != 0; }

// An unknown date makes either test pass.
bool Avant(std::string_view a, std::string_view b) {
  return a.empty() || b.empty() || DateCompare(a, b) == 2;
}
bool PasApres(std::string_view a, std::string_view b) {
  return a.empty() || b.empty() || DateCompare(a, b) != 1;
}

// Collects the messages of one check.
class Constat {
 public:
  explicit Constat(const TTraduction& traduction) : m_traduction(traduction) {}
  void Ajoute(int message) {
    m_texte += m_traduction.Msg(message);
    m_texte += "\r\n";
    ++m_nbre;
  }
  void Prefixe(int message) { m_texte = m_traduction.Msg(message) + "\r\n" + m_texte; }
  int Nbre() const { return m_nbre; }
  std::string Texte() && { return std::move(m_texte); }

 private:
  const TTraduction& m_traduction;
  std::string m_texte;
  int m_nbre = 0;
};

// Age of a parent at the birth of the child: too young or, otherwise, too old.
void ControleAgeParent(Constat& constat, std::string_view naissanceParent,
                       std::string_view naissance, const SeuilsCoherence& seuils, int msgJeune,
                       int msgAge) {
  if (!AnneeConnue(naissanceParent)) return;
  const int age = AgeEntre(naissanceParent, naissance);
  if (age < seuils.ageEnfMin) constat.Ajoute(msgJeune);
  else if (age > seuils.ageEnfMax) constat.Ajoute(msgAge);
}

void ControleUnion(Constat& constat, const TBD& bd, const SeuilsCoherence& seuils, int p, int u,
                   std::string_view naissance, std::string_view deces) {
  const std::string mariage = bd.LitChampUnion(u, kCodeMariage);
  const std::string divorce = bd.LitChampUnion(u, kCodeDivorce);

  if (Avant(naissance, mariage)) {
    if (!Avant(naissance, divorce)) constat.Ajoute(kMsgDivorceAvantNaissance);
  } else {
    constat.Ajoute(kMsgMariageAvantNaissance);
  }
  if (!Avant(mariage, divorce)) constat.Ajoute(kMsgDivorceAvantMariage);
  if (!PasApres(mariage, deces)) constat.Ajoute(kMsgMariageApresDeces);
  if (AnneeConnue(mariage)) {
    const int age = AgeEntre(naissance, mariage);
    if (age > seuils.ageMarMax) constat.Ajoute(kMsgAgeMariageMax);
    else if (age < seuils.ageMarMin) constat.Ajoute(kMsgAgeMariageMin);
  }

  const int conjoint = bd.LitSexe(p) != 0 ? bd.LitNumH(u) : bd.LitNumF(u);
  const std::string naissanceConjoint = bd.LitChamp(conjoint, kCodeNaissance);
  if (!AnneeConnue(naissanceConjoint)) return;
  if (DateCompare(naissanceConjoint, naissance) == 1 &&
      AgeEntre(naissance, naissanceConjoint) > seuils.ecartConjMax)
    constat.Ajoute(kMsgConjointTropJeune);
  if (DateCompare(naissance, naissanceConjoint) == 1 &&
      AgeEntre(naissanceConjoint, naissance) > seuils.ecartConjMax)
    constat.Ajoute(kMsgConjointTropAge);
}

}  // namespace

SeuilsCoherence SeuilsCoherence::Bornes() const {
  auto borne = [](int v) { return std::clamp(v, kMin, kMax); };
  SeuilsCoherence s;
  s.ageMarMin = borne(ageMarMin);
  s.ageMarMax = borne(ageMarMax);
  s.ageEnfMin = borne(ageEnfMin);
  s.ageEnfMax = borne(ageEnfMax);
  s.ageDecesMax = borne(ageDecesMax);
  s.ecartConjMax = borne(ecartConjMax);
  return s;
}

SeuilsCoherence LitSeuils(const FichierIni& ini) {
  const SeuilsCoherence d = SeuilsCoherence::SiAbsents();
  SeuilsCoherence s;
  s.ageMarMin = ini.LitEntier(kSectionOptions, "AgeMarMin", d.ageMarMin);
  s.ageMarMax = ini.LitEntier(kSectionOptions, "AgeMarMax", d.ageMarMax);
  s.ageEnfMin = ini.LitEntier(kSectionOptions, "AgeEnfMin", d.ageEnfMin);
  s.ageEnfMax = ini.LitEntier(kSectionOptions, "AgeEnfMax", d.ageEnfMax);
  s.ageDecesMax = ini.LitEntier(kSectionOptions, "AgedecesMax", d.ageDecesMax);
  s.ecartConjMax = ini.LitEntier(kSectionOptions, "EcartConjMax", d.ecartConjMax);
  return s.Bornes();
}

std::string ControleCoherence(const TBD& bd, const TTraduction& traduction,
                              const SeuilsCoherence& seuils, int p) {
  const std::string naissance = bd.LitChamp(p, kCodeNaissance);
  if (!AnneeConnue(naissance)) return {};

  Constat constat(traduction);
  const int pere = bd.LitPere(p);
  const int mere = bd.LitMere(p);
  const std::string naissancePere = bd.LitChamp(pere, kCodeNaissance);
  const std::string naissanceMere = bd.LitChamp(mere, kCodeNaissance);
  const std::string deces = bd.LitChamp(p, kCodeDeces);

  // The parents first: a wrong parent date makes every age below meaningless.
  if (!Avant(naissancePere, naissance)) constat.Ajoute(kMsgPereNeApres);
  if (!Avant(naissanceMere, naissance)) constat.Ajoute(kMsgMereNeeApres);
  if (!PasApres(naissance, bd.LitChamp(pere, kCodeDeces))) constat.Ajoute(kMsgNeApresDecesPere);
  if (!PasApres(naissance, bd.LitChamp(mere, kCodeDeces))) constat.Ajoute(kMsgNeApresDecesMere);
  const int problemesParents = constat.Nbre();
  if (problemesParents == 1) constat.Prefixe(kMsgUnProblemeParent);
  else if (problemesParents > 1) constat.Prefixe(kMsgPlusieursProblemesParents);

  if (problemesParents == 0) {
    const std::string sepulture = bd.LitChamp(p, kCodeSepulture);
    if (!PasApres(naissance, bd.LitChamp(p, kCodeBapteme))) constat.Ajoute(kMsgNeApresBapteme);
    if (!PasApres(naissance, deces)) constat.Ajoute(kMsgNeApresDeces);
    if (!PasApres(naissance, sepulture)) constat.Ajoute(kMsgNeApresSepulture);
    if (AnneeConnue(sepulture) && AnneeConnue(deces) &&
        JoursEntre(sepulture, deces) > kJoursSepultureMax)
      constat.Ajoute(kMsgSepultureTardive);
    ControleAgeParent(constat, naissancePere, naissance, seuils, kMsgPereTropJeune,
                      kMsgPereTropAge);
    ControleAgeParent(constat, naissanceMere, naissance, seuils, kMsgMereTropJeune,
                      kMsgMereTropAgee);
    if (AnneeConnue(deces) && AgeEntre(deces, naissance) > seuils.ageDecesMax)
      constat.Ajoute(kMsgAgeDecesMax);
  }

  for (int u : UnionsOf(bd, p)) ControleUnion(constat, bd, seuils, p, u, naissance, deces);
  return std::move(constat).Texte();
}

RapportCoherence ControleCoherenceArbre(const TBD& bd, const TTraduction& traduction,
                                        const SeuilsCoherence& seuils,
                                        const Progression& progression) {
  RapportCoherence rapport;
  const long long total = bd.NbreFichesUtilisees();
  for (int p = bd.FicheSuivante(0); p != 0; p = bd.FicheSuivante(p)) {
    if (progression && rapport.nbreControlees % 1024 == 0 &&
        !progression(rapport.nbreControlees, total)) {
      rapport.annule = true;
      return rapport;
    }
    std::string texte = ControleCoherence(bd, traduction, seuils, p);
    ++rapport.nbreControlees;
    if (!texte.empty()) rapport.personnes.push_back({p, std::move(texte)});
  }
  if (progression) progression(rapport.nbreControlees, total);
  return rapport;
}

}  // namespace kindrela
