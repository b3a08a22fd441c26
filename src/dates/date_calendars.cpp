// Julian day numbers, the French Republican calendar, weekdays, zodiac signs
// and name days.
#include "dates/dates.h"

#include <cmath>

#include "core/ansi_literal.h"
#include "core/clock.h"
#include "core/ini_file.h"
#include "core/text.h"
#include "i18n/translation.h"

namespace kindrela {
namespace {

// Beyond this the day number no longer fits the integer arithmetic below
// (and is far outside any calendar date).
constexpr double kJulienMax = 1e9;

// First day of each month that belongs to the next sign.
constexpr int kSeuilsZodiaque[13] = {0, 21, 20, 21, 21, 21, 22, 24, 24, 24, 24, 23, 21};

// `nom` in the comma-separated list `liste`, ignoring case and spaces
// around the listed names.
bool DansListe(std::string_view liste, std::string_view nom) {
  size_t pos = 0;
  while (pos <= liste.size()) {
    size_t fin = liste.find(',', pos);
    if (fin == std::string_view::npos) fin = liste.size();
    std::string_view un = liste.substr(pos, fin - pos);
    size_t debut = un.find_first_not_of(' ');
    un = debut == std::string_view::npos ? std::string_view{}
                                         : un.substr(debut, un.find_last_not_of(' ') - debut + 1);
    if (!un.empty() && EgalSansCasse(un, nom)) return true;
    pos = fin + 1;
  }
  return false;
}

}  // namespace

double DateVersJulien(std::string_view date) {
  ElementsDate e = DateElements(date);
  const int jour = e.jour;
  int mois = e.mois;
  int annee = e.annee;
  // The written date, compared as an integer to avoid rounding at the switch.
  const long long ecrite = annee * 10000LL + mois * 100 + jour;
  if (mois <= 2) {
    annee -= 1;
    mois += 12;
  }
  double jd = std::trunc(365.25 * annee) + std::trunc(30.6001 * (mois + 1)) + jour + 1720994.5;
  if (ecrite > 15821013) jd += 2 - annee / 100 + annee / 400;
  return jd;
}

std::string JulienVersDate(double jd) {
  if (!std::isfinite(jd) || jd < 0 || jd > kJulienMax) return {};
  const long long z = static_cast<long long>(jd + 0.5);
  long long a = z;
  if (z >= 2299161) {
    long long alpha = static_cast<long long>((z - 1867216.25) / 36524.25);
    a = z + 1 + alpha - alpha / 4;
  }
  const long long b = a + 1524;
  const long long c = static_cast<long long>((b - 122.1) / 365.25);
  const long long d = static_cast<long long>(365.25 * c);
  const long long e = static_cast<long long>((b - d) / 30.6001);
  // The calendar day holding the instant: the fraction of the day is dropped
  // rather than rounded, which could give the 32nd of a month.
  const long long jour = b - d - static_cast<long long>(30.6001 * e);
  const long long mois = e > 13 ? e - 13 : e - 1;
  const long long annee = mois < 3 ? c - 4715 : c - 4716;
  return std::to_string(jour) + "/" + std::to_string(mois) + "/" + std::to_string(annee);
}

DateRepublicaine DateVersRepublicain(std::string_view date) {
  const double jd = DateVersJulien(date);
  DateRepublicaine r;
  if (jd < kDebutRepublicain || jd > kFinRepublicain) return r;
  double debut = kDebutRepublicain;
  int annee = 1;
  while (annee < kNbreAnsRepublicains && debut + DureesAnsRepublicains[annee] <= jd) {
    debut += DureesAnsRepublicains[annee];
    ++annee;
  }
  const int n = static_cast<int>(std::floor(jd - debut));
  r.jour = n % 30 + 1;
  r.mois = n / 30 + 1;
  r.annee = annee;
  return r;
}

double RepublicainVersJulien(int jour, int mois, int annee) {
  // Wide arithmetic: the numbers come from the user unchecked.
  return kDebutRepublicain + 365.0 * (static_cast<long long>(annee) - 1) + annee / 4 +
         30.0 * (static_cast<long long>(mois) - 1) + jour - 1.0;
}

int JourSemaine(int jour, int mois, int annee) {
  if (annee < 0 || mois < 1 || mois > 12 || jour < 1 || jour > 31) return 7;
  int c = annee % 100;
  int k = annee / 100;
  if (mois <= 2) {
    mois += 12;
    if (c == 0) {
      c = 99;
      k -= 1;
    } else {
      c -= 1;
    }
  }
  const long long h = jour + (26 * (mois + 1)) / 10 + c + c / 4 + k / 4 - 2LL * k + 41;
  // Far centuries make the sum negative; the weekday still cycles.
  return static_cast<int>(((h % 7) + 7) % 7);
}

std::string NomJourSemaine(std::string_view date) {
  ElementsDate e = DateElements(date);
  if (e.annee == 0) return {};
  return std::string(NomsJours[JourSemaine(e.jour, e.mois, e.annee)]);
}

std::string DateLongue(int jour, int mois, int annee) {
  if (jour < 1 || jour > 31 || mois < 1 || mois > 12) return {};
  std::string_view nomJour = NomsJours[JourSemaine(jour, mois, annee)];
  if (nomJour.empty()) return {};
  std::string r(nomJour);
  r[0] = static_cast<char>(MajAnsi(static_cast<unsigned char>(r[0])));
  r += ' ';
  r += std::to_string(jour);
  r += ' ';
  r += NomsMois[mois];
  r += ' ';
  r += std::to_string(annee);
  return r;
}

std::string SigneZodiaque(std::string_view date, const TTraduction& traduction) {
  ElementsDate e = DateElements(date);
  if (e.jour < 1 || e.jour > 31 || e.mois < 1 || e.mois > 12) return {};
  int signe = e.jour >= kSeuilsZodiaque[e.mois] ? e.mois + 1 : e.mois;
  if (signe == 13) signe = 1;
  return traduction.MsgCle("fmRapportCritere.cbZodiaque.C " + std::to_string(signe - 1));
}

bool TTableFetes::Charge(const std::string& chemin) {
  FichierIni ini(chemin);
  if (!ini.FichierLu()) {
    Vide();
    return false;
  }
  Charge(ini);
  return true;
}

void TTableFetes::Charge(const FichierIni& ini) {
  static constexpr std::string_view kSection = "Fêtes"_ansi;
  for (int mois = 1; mois <= kNbreMois; ++mois) {
    for (int jour = 1; jour <= kNbreJours; ++jour) {
      std::string cle = "m" + std::to_string(mois) + "j" + std::to_string(jour);
      m_noms[(mois - 1) * kNbreJours + jour - 1] = ini.LitTexte(kSection, cle);
    }
  }
}

const std::string& TTableFetes::Fete(int mois, int jour) const {
  static const std::string kVide;
  if (mois < 1 || mois > kNbreMois || jour < 1 || jour > kNbreJours) return kVide;
  return m_noms[(mois - 1) * kNbreJours + jour - 1];
}

void TTableFetes::DefinitFete(int mois, int jour, std::string noms) {
  if (mois < 1 || mois > kNbreMois || jour < 1 || jour > kNbreJours) return;
  m_noms[(mois - 1) * kNbreJours + jour - 1] = std::move(noms);
}

void TTableFetes::Vide() {
  for (auto& noms : m_noms) noms.clear();
}

std::string FeteDuJour(std::string_view date, const TTableFetes& table) {
  ElementsDate e = DateElements(date);
  if (!e.qualificatif.empty()) return {};
  return table.Fete(e.mois, e.jour);  // empty for a missing day or month
}

std::string DateDeFete(std::string_view prenom, const TTableFetes& table) {
  if (prenom.size() <= 2) return {};
  for (int jour = 1; jour <= TTableFetes::kNbreJours; ++jour) {
    for (int mois = 1; mois <= TTableFetes::kNbreMois; ++mois) {
      if (DansListe(table.Fete(mois, jour), prenom))
        return DateFormate(jour, mois, Aujourdhui().annee);
    }
  }
  return {};
}

}  // namespace kindrela
