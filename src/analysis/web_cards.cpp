#include "analysis/web_cards.h"

#include <utility>
#include <vector>

#include "analysis/report_html.h"
#include "chart/kinship.h"
#include "core/ansi_literal.h"
#include "core/clock.h"
#include "core/database.h"
#include "core/file_io.h"
#include "core/text.h"
#include "dates/dates.h"
#include "i18n/translation.h"

namespace kindrela {

namespace {

constexpr int kMsgA = 2212;           // "à", before a time or a place
constexpr int kMsgColonnes = 1100;    // 1100..1109: the table card's column titles
constexpr size_t kMaxChronologie = 1000;

struct Entree {
  std::string date;
  std::string texte;  // HTML
};

bool EstHomme(const TBD& bd, int r) { return bd.LitSexe(r) == 0; }
bool EstFemme(const TBD& bd, int r) { return bd.LitSexe(r) == 1; }

bool DateComplete(std::string_view d) {
  size_t barres = 0;
  for (char c : d) barres += c == '/';
  return barres == 2 && !d.empty() && d.front() >= '0' && d.front() <= '9';
}

std::string Date(const TPagesWeb& pages, std::string_view d) {
  return EchappeHtml(DateAffichee(d, pages.Options().formatDate));
}

// The persons of a list that are in use.
std::vector<int> EnUsage(const TBD& bd, const TR& l) {
  std::vector<int> r;
  for (int p : l)
    if (bd.FicheUtilisee(p)) r.push_back(p);
  return r;
}

std::vector<std::string> Liens(const TPagesWeb& pages, const std::vector<int>& personnes) {
  std::vector<std::string> r;
  for (int p : personnes) r.push_back(pages.PersonLink(p));
  return r;
}

// Custom fields as (key, value), in their stored order.
std::vector<std::pair<std::string, std::string>> ChampsPerso(const TFiche& f) {
  std::vector<std::pair<std::string, std::string>> r;
  std::string_view s = f.Champs;
  for (;;) {
    const size_t a = s.find('|');
    if (a == std::string_view::npos) break;
    const size_t b = s.find('|', a + 1);
    if (b == std::string_view::npos) break;
    const size_t c = s.find('|', b + 1);
    if (c == std::string_view::npos) break;
    std::string cle(s.substr(a + 1, b - a - 1)), valeur(s.substr(b + 1, c - b - 1));
    if (!cle.empty() && !valeur.empty()) r.emplace_back(std::move(cle), std::move(valeur));
    s.remove_prefix(c + 1);
  }
  return r;
}

// The text of one event: [à time, ] kind [à place]. [note]
std::string TexteEvenement(const TPagesWeb& pages, const TEve& e, std::string_view avec) {
  const std::string a = pages.Traduction().Msg(kMsgA);
  std::string t;
  if (!e.Heure.empty()) t += EchappeHtml(a + " " + e.Heure) + ", ";
  t += EchappeHtml(e.Nature);
  t += avec;
  if (!e.Lieu.empty()) t += " " + EchappeHtml(a + " " + e.Lieu);
  t += ".";
  if (pages.Options().ficheNotes && !e.NoteEve.empty()) t += " " + EchappeHtml(e.NoteEve);
  return t;
}

void EvenementsPropres(const TPagesWeb& pages, int r, std::vector<Entree>& entrees) {
  const TBD& bd = pages.Base();
  const TFiche& f = bd.Fiche(r);
  for (int k = 1; k <= NbreEntrees(f.TabEve); ++k) {
    const int e = LitEntree(f.TabEve, k);
    if (e < 1 || e > bd.NbreEve() || !bd.EveUtilise(e)) continue;
    entrees.push_back({bd.Eve(e).DateEve.str(), TexteEvenement(pages, bd.Eve(e), "")});
  }
  for (int u : UnionsOf(bd, r)) {
    const TUnion& un = bd.Union(u);
    const int conjoint = un.NumH == r ? un.NumF : un.NumH;
    const std::string avec = " avec " + pages.PersonName(conjoint);
    for (int k = 1; k <= NbreEntrees(un.TabEve); ++k) {
      const int e = LitEntree(un.TabEve, k);
      if (e < 1 || e > bd.NbreEve() || !bd.EveUtilise(e)) continue;
      entrees.push_back({bd.Eve(e).DateEve.str(), TexteEvenement(pages, bd.Eve(e), avec)});
    }
  }
}

// Births and deaths of the close relatives between r's birth and r's death
// (or today for a person who may still be alive).
void EvenementsCalcules(const TPagesWeb& pages, int r, std::vector<Entree>& entrees) {
  const TBD& bd = pages.Base();
  const std::string naissance = bd.LitDateNaissance(r);
  if (naissance.empty()) return;
  std::string fin = bd.LitDateDeces(r);
  if (fin.empty()) {
    const int age = AgeActuel(naissance);
    if (age < 0 || age >= pages.Options().dureeVieMax) return;
    fin = DateDuJourTexte();
  }
  auto ajoute = [&](int p, std::string_view relation) {
    if (!bd.FicheUtilisee(p) || p == r) return;
    const std::string nom = pages.PersonLink(p);
    const std::string nP = bd.LitDateNaissance(p), dP = bd.LitDateDeces(p);
    auto pendant = [&](const std::string& d) {
      return !d.empty() && DateCompare(d, naissance) == 1 && DateCompare(d, fin) == 2;
    };
    if (pendant(nP)) entrees.push_back({nP, "naissance "_ansi + std::string(relation) + " " + nom});
    if (pendant(dP)) {
      std::string t = "décès "_ansi + std::string(relation) + " " + nom;
      if (!nP.empty()) t += " à l'âge de "_ansi + std::to_string(AgeEntre(nP, dP)) + " ans";
      entrees.push_back({dP, t});
    }
  };
  const int pere = bd.LitPere(r), mere = bd.LitMere(r);
  ajoute(bd.LitPere(pere), "de son grand-père paternel"_ansi);
  ajoute(bd.LitPere(mere), "de son grand-père maternel"_ansi);
  ajoute(bd.LitMere(pere), "de sa grand-mère paternelle"_ansi);
  ajoute(bd.LitMere(mere), "de sa grand-mère maternelle"_ansi);
  ajoute(mere, "de sa mère"_ansi);
  ajoute(pere, "de son père"_ansi);
  for (int s : SiblingsOf(bd, r)) ajoute(s, EstFemme(bd, s) ? "d'une soeur" : "d'un frère"_ansi);
  for (int c : ChildrenOf(bd, r)) ajoute(c, EstFemme(bd, c) ? "d'une fille" : "d'un fils");
  for (int c : SpousesOf(bd, r))
    if (c > 0) ajoute(c, EstHomme(bd, c) ? "de son époux"_ansi : "de son épouse"_ansi);
}

std::string Table(const std::vector<std::string>& titres, const std::vector<std::vector<std::string>>& lignes) {
  std::string t = "<table>\r\n<thead><tr>";
  for (const std::string& c : titres) t += "<td>" + c + "</td>";
  t += "</tr></thead>\r\n<tbody>\r\n";
  for (const auto& l : lignes) {
    t += "<tr>";
    for (const std::string& c : l) t += "<td>" + (c.empty() ? std::string("&nbsp;") : c) + "</td>";
    t += "</tr>\r\n";
  }
  return t + "</tbody>\r\n</table>\r\n";
}

std::string Joint(const std::vector<std::string>& l, std::string_view sep) {
  std::string r;
  for (size_t i = 0; i < l.size(); ++i) r += (i ? std::string(sep) : std::string()) + l[i];
  return r;
}

std::string EvenementsEnLignes(const TPagesWeb& pages, std::string_view tab) {
  const TBD& bd = pages.Base();
  std::vector<std::string> l;
  for (int k = 1; k <= NbreEntrees(tab); ++k) {
    const int e = LitEntree(tab, k);
    if (e < 1 || e > bd.NbreEve() || !bd.EveUtilise(e)) continue;
    const TEve& ev = bd.Eve(e);
    l.push_back((ev.DateEve.empty() ? std::string() : Date(pages, ev.DateEve) + " : ") +
                TexteEvenement(pages, ev, ""));
  }
  return Joint(l, "<br>");
}

}  // namespace

std::string JointListe(const std::vector<std::string>& e) {
  std::string r;
  for (size_t i = 0; i < e.size(); ++i) {
    if (i > 0) r += i + 1 == e.size() ? " et " : ", ";
    r += e[i];
  }
  return r;
}

std::string Chronologie(const TPagesWeb& pages, int r) {
  const TBD& bd = pages.Base();
  const TOptionsWeb& o = pages.Options();
  std::vector<Entree> entrees;
  if (o.ficheEvenements) EvenementsPropres(pages, r, entrees);
  if (o.ficheCalcules) EvenementsCalcules(pages, r, entrees);
  if (entrees.size() > kMaxChronologie) entrees.resize(kMaxChronologie);
  if (entrees.empty()) return {};
  // An exchange sort: DateCompare is no ordering, and entries without a
  // date must come first.
  for (size_t i = 0; i < entrees.size(); ++i)
    for (size_t j = i + 1; j < entrees.size(); ++j)
      if (DateCompare(entrees[i].date, entrees[j].date) == 1) std::swap(entrees[i], entrees[j]);
  const std::string naissance = bd.LitDateNaissance(r);
  std::string t = "<p class=\"chronologie\">";
  for (const Entree& e : entrees) {
    if (e.date.empty()) {
      t += "A une date non connue";
    } else {
      const bool complete = DateComplete(e.date);
      if (!naissance.empty() && naissance != e.date) {
        const int age = AgeEntre(naissance, e.date);
        t += age == 0 ? std::string("A moins d'1 ans,") : "A " + std::to_string(age) + " ans,";
        t += complete ? " le " : " en ";
      } else {
        t += complete ? "Le " : "En ";
      }
      t += Date(pages, e.date);
    }
    t += ", " + e.texte;
    t += e.texte.empty() || e.texte.back() != '.' ? ".<br>\r\n" : "<br>\r\n";
  }
  return t + "</p>";
}

std::string CardLiterary(const TPagesWeb& pages, int r) {
  const TBD& bd = pages.Base();
  const TOptionsWeb& o = pages.Options();
  if (!bd.FicheUtilisee(r)) return {};
  const bool homme = EstHomme(bd, r);
  std::string t = "<div class=\"fichelitteraire\">\r\n<h3>" + pages.PersonLink(r) + "</h3>\r\n";
  const int pere = bd.LitPere(r), mere = bd.LitMere(r);
  const bool aPere = bd.FicheUtilisee(pere), aMere = bd.FicheUtilisee(mere);
  if (o.ficheParents && (aPere || aMere)) {
    const std::string naissance = bd.LitDateNaissance(r);
    auto parent = [&](int p, const char* age) {
      std::string s = pages.PersonLink(p);
      const std::string profession = bd.LitProfession(p);
      if (!profession.empty()) s += ", " + EchappeHtml(profession);
      const int ans = AgeEntre(bd.LitDateNaissance(p), naissance);
      if (ans > 0 && !naissance.empty() && !bd.LitDateNaissance(p).empty())
        s += std::string(age) + std::to_string(ans) + " ans";
      return s;
    };
    t += "<p>";
    t += homme ? "Il est le fils de " : "Elle est la fille de ";
    if (aPere) t += parent(pere, ", âgé de "_ansi);
    if (aPere && aMere) t += ", et de ";
    if (aMere) t += parent(mere, ", âgée de "_ansi);
    t += ".</p>\r\n";
  }
  if (o.ficheEnfants) {
    const std::vector<int> enfants = EnUsage(bd, ChildrenOf(bd, r));
    if (!enfants.empty())
      t += std::string("<p>") + (enfants.size() == 1 ? "Son enfant est " : "Ses enfants sont ") +
           JointListe(Liens(pages, enfants)) + ".</p>\r\n";
  }
  if (o.ficheUnions) {
    const TR unions = UnionsOf(bd, r);
    if (unions.Count() > 0) {
      t += "<p>";
      for (int u : unions) {
        const TUnion& un = bd.Union(u);
        const std::string date = bd.LitChampUnion(u, 3), lieu = bd.LitChampUnion(u, 5);
        if (!date.empty())
          t += "Le " + Date(pages, date) + (lieu.empty() ? std::string() : " à "_ansi + EchappeHtml(lieu)) + ", ";
        else if (!lieu.empty())
          t += "A " + EchappeHtml(lieu) + ", ";
        else
          t += "A une date non connue, ";
        t += homme ? "il épouse "_ansi + pages.PersonLink(un.NumF) : "elle épouse "_ansi + pages.PersonLink(un.NumH);
        t += ". ";
        const std::vector<int> enfants = EnUsage(bd, ChildrenOfCouple(bd, un.NumH, un.NumF));
        if (enfants.empty())
          t += "<br>\r\n";
        else
          t += (enfants.size() == 1 ? "De cette union naitra " : "De cette union naitront ") +
               JointListe(Liens(pages, enfants)) + ".<br>\r\n";
      }
      t += "</p>\r\n";
    }
  }
  if (o.ficheChamps) {
    std::vector<std::string> lignes;
    for (const auto& [cle, valeur] : ChampsPerso(bd.Fiche(r))) lignes.push_back(EchappeHtml(cle + ": " + valeur));
    if (!lignes.empty()) t += "<p>" + Joint(lignes, "<br>") + "</p>\r\n";
  }
  t += Chronologie(pages, r);
  if (o.ficheNotes && !bd.Fiche(r).Note.empty()) t += "<p>" + EchappeHtml(bd.Fiche(r).Note) + "</p>\r\n";
  return t + "</div>\r\n";
}

std::string CardTable(const TPagesWeb& pages, int r, const std::string& dossierSortie, TImagesWeb* images) {
  const TBD& bd = pages.Base();
  const TOptionsWeb& o = pages.Options();
  const TTraduction& tr = pages.Traduction();
  if (!bd.FicheUtilisee(r)) return {};
  auto mot = [&](int k) { return EchappeHtml(tr.Msg(kMsgColonnes + k)); };
  std::string t = "<div class=\"fichetableau\">\r\n<h3>" + pages.PersonLink(r) + "</h3>\r\n";
  std::vector<std::string> titres, cellules;
  if (o.ficheParents) {
    titres.push_back(mot(0));
    auto un = [&](int p) { return bd.FicheUtilisee(p) ? pages.PersonLink(p) : std::string("&nbsp;"); };
    cellules.push_back(un(bd.LitPere(r)) + "<br>" + un(bd.LitMere(r)));
  }
  if (o.ficheFratrie) {
    titres.push_back(mot(1));
    cellules.push_back(Joint(Liens(pages, EnUsage(bd, SiblingsOf(bd, r))), "<br>"));
  }
  if (o.ficheEnfants) {
    titres.push_back(mot(2));
    cellules.push_back(Joint(Liens(pages, EnUsage(bd, ChildrenOf(bd, r))), "<br>"));
  }
  if (o.ficheUnions) {
    titres.push_back(mot(3));
    cellules.push_back(Joint(Liens(pages, EnUsage(bd, SpousesOf(bd, r))), "<br>"));
  }
  if (!titres.empty()) t += Table(titres, {cellules});
  titres.clear();
  cellules.clear();
  if (o.ficheChamps) {
    titres.push_back(mot(4));
    std::vector<std::string> l;
    for (const auto& [cle, valeur] : ChampsPerso(bd.Fiche(r))) l.push_back(EchappeHtml(cle + ": " + valeur));
    cellules.push_back(Joint(l, "<br>"));
  }
  if (o.ficheEvenements) {
    titres.push_back(mot(5));
    cellules.push_back(EvenementsEnLignes(pages, bd.Fiche(r).TabEve));
  }
  if (!titres.empty()) t += Table(titres, {cellules});
  if (o.ficheEveUnions) {
    std::vector<std::vector<std::string>> lignes;
    for (int u : UnionsOf(bd, r)) {
      const TUnion& un = bd.Union(u);
      lignes.push_back({pages.PersonLink(un.NumH == r ? un.NumF : un.NumH), EvenementsEnLignes(pages, un.TabEve)});
    }
    if (!lignes.empty()) t += Table({mot(6), mot(7)}, lignes);
  }
  if (o.ficheNotes && !bd.Fiche(r).Note.empty())
    t += Table({mot(8)}, {{EchappeHtml(bd.Fiche(r).Note)}});
  if (o.ficheSources) {
    std::vector<std::vector<std::string>> lignes;
    const Texte& tab = bd.Fiche(r).TabSrc;
    for (int k = 1; k <= NbreEntrees(tab); ++k) {
      const int s = LitEntree(tab, k);
      if (s < 1 || s > bd.NbreSrc() || !bd.SrcUtilisee(s)) continue;
      const TSrc& src = bd.Src(s);
      std::string c = "<table border=0 cellspacing=0><tr><td>";
      if (images && o.images) {
        const std::string image = images->Image(bd.LitChampSrc(s, 6), dossierSortie, o);
        if (!image.empty()) c += image + "</td><td>";
      }
      c += "<b>" + EchappeHtml(src.SrcTitre) + "</b>";
      if (o.srcSorte && !src.SrcAbrege.empty()) c += " (" + EchappeHtml(src.SrcAbrege) + ")";
      if (o.srcNote && !src.SrcTexte.empty()) c += "<br>" + EchappeHtml(src.SrcTexte);
      lignes.push_back({c + "</td></tr></table>"});
    }
    if (!lignes.empty()) t += Table({mot(9)}, lignes);
  }
  return t + "</div>\r\n";
}

std::string Card(const TPagesWeb& pages, int r, const std::string& dossierSortie, TImagesWeb* images) {
  return pages.Options().formeFiche == 1 ? CardTable(pages, r, dossierSortie, images) : CardLiterary(pages, r);
}

std::string TImagesWeb::Image(const std::string& nom, const std::string& dossier, const TOptionsWeb& o) {
  if (nom.empty() || !m_encodeur) return {};
  const std::string source = ResolvePicture(nom, m_dossiers);
  if (source.empty()) return {};
  const std::string cle = source + '\n' + dossier;
  if (auto i = m_faites.find(cle); i != m_faites.end()) return i->second;
  // The lower-cased file name with ".jpg"; a second picture of the same
  // name from another folder gets a number, so that neither overwrites the
  // other.
  const std::string base = MinusculesAnsi(ChangeExtension(NomFichierSur(NomDe(source)), ""));
  std::string sortie;
  for (int n = 1;; ++n) {
    sortie = base + (n == 1 ? std::string() : "_" + std::to_string(n)) + ".jpg";
    auto [i, nouveau] = m_prises.emplace(dossier + sortie, source);
    if (nouveau || i->second == source) break;
  }
  std::string html;
  if (m_encodeur(source, dossier + sortie, o.imageTaille, o.imageQualite)) {
    const std::string img = "<img src=\"" + LienFichier(sortie) + "\" alt=\"\">";
    if (o.imageOriginale && m_encodeur(source, dossier + "ori_" + sortie, 0, o.imageQualite))
      html = "<a href=\"" + LienFichier("ori_" + sortie) + "\"> " + img + "</a>";
    else
      html = img;
  }
  m_faites.emplace(cle, html);
  return html;
}

}  // namespace kindrela
