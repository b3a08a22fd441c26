#include "dates/event_calendar.h"

#include <algorithm>

#include "core/ansi_literal.h"
#include "core/database.h"
#include "dates/dates.h"
#include "i18n/translation.h"

namespace kindrela {
namespace {

size_t Index(int mois, int jour) {
  return static_cast<size_t>((mois - 1) * TCalendrier::kNbreJours + (jour - 1));
}

bool DansTable(int mois, int jour) {
  return mois >= 1 && mois <= TCalendrier::kNbreMois && jour >= 1 && jour <= TCalendrier::kNbreJours;
}

// The events of a packed list that fall in the span, each added to its day.
void MarqueEvenements(const TBD& bd, std::string_view tabEve, const TReglagesCalendrier& r,
                      int32_t numero, TCalendrier& cal) {
  const int nbre = NbreEntrees(tabEve);
  for (int k = 1; k <= nbre; ++k) {
    const int e = LitEntree(tabEve, k);
    if (e < 1 || e > bd.NbreEve()) continue;
    const TEve& eve = bd.Eve(e);
    if (!eve.Utilise) continue;
    if (!r.nature.empty() && eve.Nature != r.nature) continue;
    if (eve.DateEve.empty()) continue;
    const ElementsDate d = DateElements(eve.DateEve);
    if (!d.qualificatif.empty() || d.jour < 1 || d.mois < 1) continue;
    if (d.annee < r.debut || d.annee > r.fin) continue;
    cal.Ajoute(d.mois, d.jour, numero);
  }
}

bool EnVie(const TBD& bd, int n) {
  return !bd.LitDateNaissance(n).empty() && bd.LitDateDeces(n).empty();
}

std::string Echappe(std::string_view texte) {
  std::string s;
  for (char c : texte) {
    switch (c) {
      case '&': s += "&amp;"; break;
      case '<': s += "&lt;"; break;
      case '>': s += "&gt;"; break;
      case '"': s += "&quot;"; break;
      default: s += c;
    }
  }
  return s;
}

std::string Majuscule(std::string_view mot) {
  std::string s(mot);
  if (!s.empty() && s[0] >= 'a' && s[0] <= 'z') s[0] = static_cast<char>(s[0] - 'a' + 'A');
  return s;
}

std::string NomUnion(const TBD& bd, int u, std::string_view et) {
  const TUnion& uni = bd.Union(u);
  return bd.NomCourt(uni.NumH) + " " + std::string(et) + " " + bd.NomCourt(uni.NumF);
}

}  // namespace

const std::vector<int32_t>& TCalendrier::Case(int mois, int jour) const {
  static const std::vector<int32_t> vide;
  return DansTable(mois, jour) ? m_cases[Index(mois, jour)] : vide;
}

void TCalendrier::Ajoute(int mois, int jour, int32_t numero) {
  if (DansTable(mois, jour)) m_cases[Index(mois, jour)].push_back(numero);
}

void TCalendrier::Vide() {
  for (auto& c : m_cases) c.clear();
}

TCalendrier RemplirCalendrier(const TBD& bd, const TReglagesCalendrier& reglages,
                              std::span<const int32_t> rapport) {
  TCalendrier cal;
  TReglagesCalendrier r = reglages;
  if (r.anniversaires) {
    r.origine = OrigineCalendrier::EnVie;
    r.nature = bd.NatNaissance;
  }
  cal.SetUnions(r.origine == OrigineCalendrier::Unions);
  switch (r.origine) {
    case OrigineCalendrier::Tous:
    case OrigineCalendrier::EnVie:
      for (int n = 1; n <= bd.NbreFiche(); ++n) {
        const TFiche& f = bd.Fiche(n);
        if (!f.Utilise || f.TabEve.empty()) continue;
        if (r.origine == OrigineCalendrier::EnVie && !EnVie(bd, n)) continue;
        MarqueEvenements(bd, f.TabEve, r, n, cal);
      }
      break;
    case OrigineCalendrier::Rapport:
      for (int32_t n : rapport)
        if (bd.FicheUtilisee(n)) MarqueEvenements(bd, bd.Fiche(n).TabEve, r, n, cal);
      break;
    case OrigineCalendrier::Unions:
      for (int u = 1; u <= bd.NbreUnion(); ++u) {
        const TUnion& uni = bd.Union(u);
        if (!uni.Utilise || uni.NumH <= 0 || uni.NumF <= 0) continue;
        MarqueEvenements(bd, uni.TabEve, r, u, cal);
      }
      break;
  }
  return cal;
}

bool JourExiste(int jour, int mois, int annee) {
  static constexpr int kJours[13] = {0, 31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (mois < 1 || mois > 12 || jour < 1 || jour > kJours[mois]) return false;
  if (mois == 2 && jour == 29)
    return (annee % 4 == 0 && annee % 100 != 0) || annee % 400 == 0;
  return true;
}

bool EstWeekEnd(int jour, int mois, int annee) {
  if (!JourExiste(jour, mois, annee)) return false;
  const int j = JourSemaine(jour, mois, annee);
  return j == 0 || j == 6;
}

std::string LegendeCase(const TBD& bd, const TCalendrier& cal, int mois, int jour,
                        const TTraduction& t) {
  std::string legende = t.MsgCle("fmCal.Caption");
  const auto& c = cal.Case(mois, jour);
  if (c.empty()) return legende;
  legende += " : ";
  if (c.size() > 1) return legende + std::to_string(c.size()) + " " + t.Msg(cal.Unions() ? 710 : 709);
  return legende + (cal.Unions() ? NomUnion(bd, c.front(), t.Msg(711)) : bd.NomCourt(c.front()));
}

TClicCalendrier ClicCase(const TBD& bd, const TCalendrier& cal, const TReglagesCalendrier& r, int mois,
                         int jour, const TTraduction& t) {
  TClicCalendrier clic;
  const auto& c = cal.Case(mois, jour);
  if (c.empty()) return clic;
  auto personne = [&](int32_t k) { return cal.Unions() ? bd.Union(k).NumH : k; };
  if (c.size() == 1) {
    clic.personne = personne(c.front());
    return clic;
  }
  for (int32_t k : c) clic.liste.push_back(personne(k));
  if (r.anniversaires) {
    clic.titre = t.Msg(706) + " " + DateLongue(jour, mois, r.fin);
    return clic;
  }
  const std::string nature = r.nature.empty() ? t.Msg(700) : r.nature;
  clic.titre = t.Msg(cal.Unions() ? 703 : 702) + " " + nature;
  if (r.debut == r.fin)
    clic.titre += " " + t.Msg(705) + " " + DateLongue(jour, mois, r.fin);
  else
    clic.titre += " " + Remplit(t.Msg(704), {std::to_string(r.debut), std::to_string(r.fin),
                                             std::to_string(jour), std::string(NomsMois[static_cast<size_t>(mois)])});
  return clic;
}

TRectCase RectCase(int mois, int jour, int largeur, int hauteur) {
  const int w = std::max(largeur - kLargeurColonneJours, 0);
  const int h = std::max(hauteur - kHauteurLigneMois, 0);
  TRectCase r;
  r.gauche = (mois - 1) * w / TCalendrier::kNbreMois + kLargeurColonneJours;
  r.droite = mois * w / TCalendrier::kNbreMois + kLargeurColonneJours + 1;
  r.haut = (jour - 1) * h / TCalendrier::kNbreJours + kHauteurLigneMois;
  r.bas = jour * h / TCalendrier::kNbreJours + kHauteurLigneMois + 1;
  return r;
}

TCaseCalendrier CaseAuPoint(int x, int y, int largeur, int hauteur) {
  const int w = largeur - kLargeurColonneJours, h = hauteur - kHauteurLigneMois;
  const int dx = x - kLargeurColonneJours, dy = y - kHauteurLigneMois;
  if (w <= 0 || h <= 0 || dx < 0 || dy < 0 || dx >= w || dy >= h) return {};
  // The cell whose own span (without the shared border pixel) holds the point.
  return TCaseCalendrier{dx * TCalendrier::kNbreMois / w + 1, dy * TCalendrier::kNbreJours / h + 1};
}

std::string CalendrierHtml(const TBD& bd, const TCalendrier& cal, const TReglagesCalendrier& r,
                           std::string_view origine, std::string_view evenement, int parties, bool weekEnd,
                           std::string_view css) {
  if (std::find(kPartiesCalendrier.begin(), kPartiesCalendrier.end(), parties) == kPartiesCalendrier.end())
    parties = 1;
  const std::string debut = std::to_string(r.debut), fin = std::to_string(r.fin);
  const std::string titre = r.anniversaires ? "Calendrier des anniversaires" : "Calendrier des événements"_ansi;
  std::string s = "<!DOCTYPE html>\r\n<html>\r\n<head>\r\n<meta charset=\"windows-1252\">\r\n<title>" + titre +
                  "</title>\r\n<style>\r\n" + std::string(css) + "\r\n</style>\r\n</head>\r\n<body>\r\n<h1>" + titre +
                  "</h1>\r\n";
  if (r.anniversaires)
    s += std::string("<p>") + "Période de "_ansi + debut + " à "_ansi + fin + "<br>" + "Age en " + fin + "</p>\r\n";
  else
    s += "<p>Pour: " + Echappe(origine) + "<br>" + "Evénement: "_ansi + Echappe(evenement) + "<br>" +
         "Période de "_ansi + debut + " à "_ansi + fin + "</p>\r\n";
  s += "<div class=\"calendrier\">\r\n";
  const int parTable = 12 / parties;
  for (int p = 0; p < parties; ++p) {
    const int premier = p * parTable + 1, dernier = premier + parTable - 1;
    s += "<table>\r\n<thead><tr><td>&nbsp;</td>";
    for (int m = premier; m <= dernier; ++m)
      s += "<td class=\"calmois\">" + Majuscule(NomsMois[static_cast<size_t>(m)]) + "</td>";
    s += "</tr></thead>\r\n<tbody>\r\n";
    for (int j = 1; j <= TCalendrier::kNbreJours; ++j) {
      s += "<tr><td class=\"caljour\">" + std::to_string(j) + "</td>";
      for (int m = premier; m <= dernier; ++m) {
        s += weekEnd && EstWeekEnd(j, m, r.fin) ? "<td class=\"calweekend\">" : "<td>";
        bool premierNom = true;
        for (int32_t k : cal.Case(m, j)) {
          if (!premierNom) s += "<br>";
          premierNom = false;
          if (cal.Unions()) {
            s += Echappe(NomUnion(bd, k, "et"));
            continue;
          }
          s += Echappe(bd.NomCourt(k));
          if (r.anniversaires) {
            const int annee = DateAnnee(bd.LitDateNaissance(k));
            if (annee > 0) s += " (" + std::to_string(r.fin - annee) + ")";
          }
        }
        s += "</td>";
      }
      s += "</tr>\r\n";
    }
    s += "</tbody>\r\n</table>\r\n";
  }
  s += "</div>\r\n</body>\r\n</html>\r\n";
  return s;
}

}  // namespace kindrela
