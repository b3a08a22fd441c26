#include "editing/record_dates.h"

#include "core/database.h"
#include "core/text.h"
#include "dates/dates.h"
#include "i18n/translation.h"

namespace kindrela {
namespace {

bool Blanc(std::string_view texte) {
  for (char c : texte)
    if (static_cast<unsigned char>(c) > ' ') return false;
  return true;
}

DateSortie Sortie(std::string date, std::string_view saisieStockee) {
  DateSortie s;
  if (date.empty() && !Blanc(saisieStockee)) {
    s.reconnue = false;
    s.date = std::string(saisieStockee);
  } else {
    s.date = std::move(date);
  }
  return s;
}

std::string Ans(int nombre, const TTraduction& t) {
  return std::to_string(nombre) + " " + t.Msg(nombre < 2 ? 108 : 109) + ".";
}

}  // namespace

DateSortie SortieDateEve(const TBD& bd, int n, std::string_view nature, std::string_view saisie,
                         std::string_view formatDate) {
  const std::string stockee = DateInterne(saisie, formatDate);
  const std::string lue = DateSaisie(stockee);
  std::string date;
  if (nature == bd.NatNaissance || nature == bd.NatBapteme)
    date = DateCompleteSiecle(lue, bd.LitDateDeces(n), 1);
  else
    date = DateCompleteSiecle(bd.LitDateNaissance(n), lue, 2);
  return Sortie(std::move(date), stockee);
}

DateSortie SortieDateEveUnion(const TBD& bd, int n, std::string_view saisie,
                              std::string_view formatDate) {
  const std::string stockee = DateInterne(saisie, formatDate);
  return Sortie(DateCompleteSiecle(bd.LitDateNaissance(n), DateSaisie(stockee), 2), stockee);
}

std::string LigneJour(const TBD& bd, int n, std::string_view nature, std::string_view dateStockee,
                      const TTraduction& t) {
  std::string ligne;
  const ElementsDate e = DateElements(dateStockee);
  const std::string mois = e.mois >= 1 && e.mois <= 12 ? std::string(NomsMois[e.mois]) : std::string();
  if (e.jour > 0) {
    ligne = NomJourSemaine(dateStockee) + " " + std::to_string(e.jour) + " " + mois + " " +
            std::to_string(e.annee) + ". ";
  } else if (e.mois > 0) {
    ligne = mois + " " + std::to_string(e.annee) + ". ";
  }
  // A weekday that cannot be named leaves a leading space; the line starts with its first word.
  if (!ligne.empty() && ligne.front() == ' ') ligne.erase(0, 1);
  if (!ligne.empty()) ligne[0] = static_cast<char>(MajAnsi(static_cast<unsigned char>(ligne[0])));

  if (nature != bd.NatNaissance && nature != bd.NatDeces) return ligne;
  const std::string naissance = bd.LitDateNaissance(n);
  const std::string deces = bd.LitDateDeces(n);
  if (naissance.empty()) return ligne;
  if (deces.empty()) {
    const int age = AgeActuel(naissance);
    if (age > 0) ligne += t.Msg(107) + ": " + Ans(age, t);
    return ligne;
  }
  const int age = AgeEntre(naissance, deces);
  if (age > 0) return ligne + t.Msg(110) + " " + Ans(age, t);
  const int jours = JoursEntre(deces, naissance);
  if (jours >= 1 && jours <= 366)
    ligne += t.Msg(110) + " " + std::to_string(jours) + " " + t.Msg(jours < 2 ? 111 : 112) + ".";
  return ligne;
}

int NiveauPropose(std::string_view dateStockee, int niveauStocke, const TTraduction& t) {
  const ElementsDate e = DateElements(dateStockee);
  if (!e.qualificatif.empty()) {
    if (EgalSansCasse(e.qualificatif, t.Msg(113)) && niveauStocke == 0 && e.mois == 0) return 2;
    return niveauStocke;
  }
  if (e.jour > 0 && e.mois > 0 && e.annee > 0) return 0;
  return niveauStocke;
}

}  // namespace kindrela
