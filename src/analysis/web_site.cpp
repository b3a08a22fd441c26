#include "analysis/web_site.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <map>
#include <system_error>

#include "analysis/report_html.h"
#include "analysis/report_predefined.h"
#include "chart/kinship.h"
#include "core/ansi_literal.h"
#include "core/database.h"
#include "core/file_io.h"
#include "core/letters.h"
#include "core/text.h"
#include "dates/dates.h"
#include "i18n/translation.h"

namespace kindrela {

namespace {

constexpr int kMsgPatronymes = 553, kMsgLieux = 554, kMsgAccueil = 555, kMsgListe = 556;
constexpr int kMsgListePersonnes = 560, kMsgIlYa = 561, kMsgExtrait = 562, kMsgCommencePar = 563;
constexpr int kMsgListePatronymes = 564, kMsgPortantLeNom = 565, kMsgDyna = 603;
constexpr size_t kMaxPieceScript = 65000;
constexpr size_t kMaxTitrePage = 64000;
// The persons of the per-letter list whose surname starts with no letter
// A..Z (a digit, a sign, a letter the tree keeps as a reference).
constexpr char kGroupeAutres = '#';

std::string Ent(long long n) { return std::to_string(n); }

// A page's title is HTML already: its entities stay, but nothing in it may
// open a tag or end the attribute it could land in.
std::string TexteDeTitre(std::string_view titre) {
  std::string r;
  for (char c : titre) {
    if (c == '<') r += "&lt;";
    else if (c == '>') r += "&gt;";
    else if (c == '"') r += "&quot;";
    else if (c == '\r' || c == '\n') r += ' ';
    else r += c;
  }
  return r;
}

// The unaccented capital a surname is listed under, kGroupeAutres when none.
char LettreListe(std::string_view nom) {
  if (nom.empty()) return kGroupeAutres;
  const auto c = static_cast<unsigned char>(nom.front());
  if (c >= 'a' && c <= 'z') return static_cast<char>(c - 'a' + 'A');
  if (c >= 'A' && c <= 'Z') return static_cast<char>(c);
  // Windows-1252 0xC0..0xFF: the letter without its accent.
  static constexpr char kSansAccent[] = "AAAAAAACEEEEIIIIDNOOOOO#OUUUUY##AAAAAAACEEEEIIIIDNOOOOO#OUUUUY#Y";
  if (c >= 0xC0) return kSansAccent[c - 0xC0];
  if (c == 0x8A || c == 0x9A) return 'S';
  if (c == 0x8E || c == 0x9E) return 'Z';
  if (c == 0x8C || c == 0x9C) return 'O';
  if (c == 0x9F) return 'Y';
  return kGroupeAutres;
}

std::string FichierLettre(char l) { return l == kGroupeAutres ? "liste0.htm" : "liste" + std::string(1, l) + ".htm"; }
std::string TitreLettre(char l) { return l == kGroupeAutres ? "#" : std::string(1, l); }

class Export {
 public:
  Export(const TBD& bd, const TOptionsWeb& o, const TContexteSite& c, const std::string& principale,
         std::vector<std::string>* fichiers)
      : m_bd(bd),
        m_o(o),
        m_c(c),
        m_tr(*c.traduction),
        m_pages(bd, *c.traduction, o, c.modeles),
        m_images(c.encodeur, c.dossiersImages),
        m_dossier(DossierDe(principale)),
        m_principale(principale),
        m_fichiers(fichiers) {}

  Statut Lance() {
    if (m_dossier.empty()) m_dossier = "./";
    std::error_code ec;
    std::filesystem::create_directories(CheminSysteme(m_dossier), ec);
    if (!DossierExiste(m_dossier)) return Statut::Erreur("Cannot create the folder " + m_dossier);
    m_total = (m_o.liste ? m_bd.NbreFiche() : 0) + (m_o.fiches ? m_bd.NbreFiche() : 0) +
              (m_o.dyna ? m_bd.NbreFiche() : 0);
    if (Statut s = PagePrincipale(); !s) return s;
    if (m_o.liste)
      if (Statut s = Listes(); !s) return s;
    if (m_o.dyna)
      if (Statut s = Dyna(); !s) return s;
    if (m_o.patronymes || m_o.lieux)
      if (Statut s = Index(); !s) return s;
    if (m_o.fiches)
      if (Statut s = Fiches(); !s) return s;
    return Statut::Ok();
  }

 private:
  bool Avance(int pas = 1) {
    m_fait += pas;
    if (!m_c.progression || (m_fait % 50 != 0 && m_fait != m_total)) return true;
    return m_c.progression(m_fait, std::max<long long>(m_total, 1));
  }

  Statut Ecrit(const std::string& nom, THtml& h) {
    if (m_fichiers) m_fichiers->push_back(nom);
    return h.Sauve(m_dossier + nom);
  }
  Statut EcritTexte(const std::string& nom, std::string_view texte) {
    if (m_fichiers) m_fichiers->push_back(nom);
    return EcritPageWeb(m_dossier + nom, texte);
  }

  std::string Msg(int n) const { return m_tr.Msg(n); }
  std::string MsgHtml(int n) const { return EchappeHtml(m_tr.Msg(n)); }

  Statut PagePrincipale() {
    THtml h(m_pages);
    h.Entete(Msg(kMsgAccueil));
    h.Ajoute("<h1>" + EchappeHtml(m_o.titre) + "</h1>");
    std::string libre;
    for (const std::string& l : m_o.texteLibre) libre += " " + EchappeHtml(l) + "<br>";
    if (!libre.empty()) h.Ajoute("<p class=\"textelibre\">" + libre + "</p>");
    h.Ajoute("<nav class=\"accueil-liens\">");
    auto lien = [&](const std::string& cible, const std::string& texte) {
      h.Ajoute("<p><a href=\"" + LienFichier(cible) + "\">" + texte + "</a></p>");
    };
    if (m_o.liste) lien("liste.htm", MsgHtml(kMsgListe));
    if (m_o.patronymes) lien("patro.htm", MsgHtml(kMsgPatronymes));
    if (m_o.lieux) lien("lieux.htm", MsgHtml(kMsgLieux));
    if (m_o.dyna) lien("dyna.htm", MsgHtml(kMsgDyna));
    for (const std::string& f : m_o.fichiersLies ? m_o.fichiersSupplementaires : std::vector<std::string>()) {
      std::string nom;
      if (!FichierSupplementaire(f, nom)) continue;
      lien(nom, TexteDeTitre(TitrePage(LitDebutFichier(m_dossier + nom, kMaxTitrePage))));
    }
    h.Ajoute("</nav>");
    h.Pied(false);
    if (m_fichiers) m_fichiers->push_back(NomDe(m_principale));
    return h.Sauve(m_principale);
  }

  // An extra page lives beside the main page: one made elsewhere is copied
  // in with the files of its folder it names, so that its link and its
  // pictures work on the site.
  bool FichierSupplementaire(const std::string& chemin, std::string& nom) {
    if (!FichierExiste(chemin)) return false;
    nom = NomFichierSur(NomDe(chemin));
    const std::string dossier = DossierDe(chemin);
    if (dossier.empty() || MemeFichierDisque(dossier, m_dossier)) return nom == NomDe(chemin);
    std::string page;
    if (!LitFichier(chemin, page).ok() || !EcritPageWeb(m_dossier + nom, page).ok()) return false;
    for (const std::string& attribut : {std::string("src=\""), std::string("href=\"")}) {
      for (size_t i = page.find(attribut); i != std::string::npos; i = page.find(attribut, i + 1)) {
        const size_t debut = i + attribut.size(), fin = page.find('"', debut);
        if (fin == std::string::npos) break;
        const std::string cible = page.substr(debut, fin - debut);
        if (cible.empty() || cible != NomFichierSur(cible) || !FichierExiste(dossier + cible)) continue;
        std::string octets;
        if (LitFichier(dossier + cible, octets).ok()) (void)EcritPageWeb(m_dossier + cible, octets);
      }
    }
    return true;
  }

  // " ( birth - death )" after a list line, when either date is known.
  std::string LigneListe(int r) const {
    std::string l = m_pages.PersonLink(r);
    const std::string n = m_bd.LitDateNaissance(r), d = m_bd.LitDateDeces(r);
    if (!n.empty() || !d.empty())
      l += " ( " + EchappeHtml(DateAffichee(n, m_o.formatDate)) + " - " +
           EchappeHtml(DateAffichee(d, m_o.formatDate)) + " )";
    return l + "<br>";
  }

  std::string NomPrenoms(int r) const { return EchappeHtml(m_bd.LitChamp(r, 25)); }

  Statut Listes() {
    TR tous = AllPersons(m_bd);
    TR enUsage(m_bd.Capacites().fiches);
    for (int r : tous)
      if (m_bd.FicheUtilisee(r)) enUsage.Add(r);
    if (!SortByColumnText(m_bd, enUsage, 25)) return Statut::Annule();
    const std::string ilYa =
        EchappeHtml(Remplit(Msg(kMsgIlYa), {Ent(m_bd.NbreFichesUtilisees()), Ent(m_nbreUnions)}));
    THtml h(m_pages);
    switch (m_o.modeListe) {
      case 0: {
        h.Entete(Msg(kMsgListePersonnes));
        h.Ajoute("<h2>" + MsgHtml(kMsgListePersonnes) + "</h2>");
        h.Ajoute("<p>" + ilYa + "</p>");
        for (int r : enUsage) {
          h.Ajoute(LigneListe(r));
          if (!Avance()) return Statut::Annule();
        }
        h.Pied(m_o.listeLienAccueil);
        return Ecrit("liste.htm", h);
      }
      case 1: {
        const int n = std::clamp(m_o.personnesParListe, 1, 100000);
        h.Entete(Msg(kMsgListePersonnes));
        h.Ajoute("<h2>" + MsgHtml(kMsgListePersonnes) + "</h2>");
        h.Ajoute("<p>" + ilYa + "</p>");
        h.Ajoute("<p>");
        const std::vector<int> v = enUsage.Vecteur();
        for (size_t debut = 0, b = 1; debut < v.size(); debut += n, ++b) {
          const size_t fin = std::min(v.size(), debut + n);
          h.Ajoute("<a href=\"liste" + Ent(b) + ".htm\">De " + NomPrenoms(v[debut]) + " à "_ansi +
                   NomPrenoms(v[fin - 1]) + "</a><br>");
          THtml bloc(m_pages);
          bloc.Entete(Msg(kMsgListePersonnes));
          bloc.Ajoute("<h2>" + MsgHtml(kMsgExtrait) + "</h2>");
          for (size_t k = debut; k < fin; ++k) {
            bloc.Ajoute(LigneListe(v[k]));
            if (!Avance()) return Statut::Annule();
          }
          bloc.Pied(m_o.listeLienAccueil);
          if (Statut s = Ecrit("liste" + Ent(b) + ".htm", bloc); !s) return s;
        }
        h.Ajoute("</p>");
        h.Pied(m_o.listeLienAccueil);
        return Ecrit("liste.htm", h);
      }
      case 3: return ListesParPatronyme(enUsage);
      default: return ListesParLettre(enUsage);
    }
  }

  Statut ListesParLettre(const TR& enUsage) {
    // Sorted once; each letter's persons keep that order.
    std::map<char, std::vector<int>> groupes;
    for (int r : enUsage) groupes[LettreListe(m_bd.Fiche(r).Nom)].push_back(r);
    std::string lettres = "ABCDEFGHIJKLMNOPQRSTUVWXYZ";
    if (groupes.count(kGroupeAutres)) lettres += kGroupeAutres;
    for (char l : lettres) {
      auto g = groupes.find(l);
      if (g == groupes.end()) continue;
      THtml h(m_pages);
      h.Entete(Msg(kMsgListePersonnes));
      h.Titre(MsgHtml(kMsgCommencePar) + " " + EchappeHtml(TitreLettre(l)));
      for (int r : g->second) {
        h.Ajoute(LigneListe(r));
        if (!Avance()) return Statut::Annule();
      }
      h.Pied(m_o.listeLienAccueil);
      if (Statut s = Ecrit(FichierLettre(l), h); !s) return s;
    }
    THtml h(m_pages);
    h.Entete(Msg(kMsgListePersonnes));
    h.Ajoute("<h2>" + MsgHtml(kMsgListePersonnes) + "</h2>");
    h.Ajoute("<p>Il y a " + Ent(m_bd.NbreFichesUtilisees()) + " personnes et " + Ent(m_nbreUnions) +
             " unions.</p>");
    h.Ajoute("<div class=\"rapport\">");
    h.DebutTable();
    std::string tete = "<thead><tr><td>Lettre</td>", compte = "</tr></thead><tbody><tr><td>Nombre</td>";
    for (char l : lettres) {
      auto g = groupes.find(l);
      const size_t n = g == groupes.end() ? 0 : g->second.size();
      tete += "<td>" + EchappeHtml(TitreLettre(l)) + "</td>";
      compte += n == 0 ? "<td>0</td>" : "<td><a href=\"" + FichierLettre(l) + "\"> " + Ent(n) + " </a></td>";
    }
    h.Ajoute(tete);
    h.Ajoute(compte + "</tr></tbody>");
    h.FinTable();
    h.Ajoute("</div>");
    h.Pied(m_o.listeLienAccueil);
    return Ecrit("liste.htm", h);
  }

  Statut ListesParPatronyme(TR enUsage) {
    // Sorted on the surname, then each surname's persons on their given
    // names: one sort on (lower-cased surname, lower-cased given names).
    std::vector<std::pair<std::string, int>> cles;
    cles.reserve(enUsage.Count());
    for (int r : enUsage)
      cles.emplace_back(MinusculesAnsi(m_bd.Fiche(r).Nom) + '\x01' + MinusculesAnsi(m_bd.Fiche(r).Pre), r);
    std::stable_sort(cles.begin(), cles.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    THtml h(m_pages);
    h.Entete(Msg(kMsgListePersonnes));
    h.Ajoute("<h2>" + MsgHtml(kMsgListePatronymes) + "</h2>");
    h.Ajoute("<p>");
    int s = 0;
    for (size_t i = 0; i < cles.size();) {
      const Texte& nom = m_bd.Fiche(cles[i].second).Nom;
      size_t j = i;
      while (j < cles.size() && EgalSansCasse(m_bd.Fiche(cles[j].second).Nom, nom)) ++j;
      ++s;
      h.Ajoute("<a href=\"liste" + Ent(s) + ".htm\">" + EchappeHtml(nom) + "</a> (" + Ent(j - i) + "),<br>");
      THtml p(m_pages);
      p.Entete(Msg(kMsgListePersonnes));
      p.Ajoute("<h2>" + MsgHtml(kMsgPortantLeNom) + " " + EchappeHtml(nom) + "</h2>");
      for (size_t k = i; k < j; ++k) {
        p.Ajoute(LigneListe(cles[k].second));
        if (!Avance()) return Statut::Annule();
      }
      p.Pied(m_o.listeLienAccueil);
      if (Statut st = Ecrit("liste" + Ent(s) + ".htm", p); !st) return st;
      i = j;
    }
    h.Ajoute("</p>");
    h.Pied(m_o.listeLienAccueil);
    return Ecrit("liste.htm", h);
  }

  Statut Dyna() {
    std::string page = RemplaceTout(m_c.modeles.dynaTeteCorps, "%RefPers%", Ent(RefValide()));
    page = RemplaceTout(page, "%Titre%", EchappeHtml(Msg(kMsgDyna)));
    page += "\r\n" + m_pages.HomeLink() + "\r\n" + m_pages.PageFooter();
    if (Statut s = EcritTexte("dyna.htm", page); !s) return s;
    if (Statut s = m_pages.StyleDans(m_dossier); !s) return s;
    if (Statut s = EcritTexte("dynafunc.js", m_c.modeles.dynaFonctions); !s) return s;
    if (!Avance(m_bd.NbreFiche())) return Statut::Annule();
    return EcritTexte("dynadata.js", DonneesDyna(m_bd, m_o));
  }

  int RefValide() const {
    if (m_bd.FicheUtilisee(m_bd.RefPers)) return m_bd.RefPers;
    return m_bd.FicheSuivante(0);
  }

  Statut Index() {
    bool annule = false;
    if (m_o.patronymes)
      if (Statut s = UnIndex(false, annule); !s) return s;
    if (m_o.lieux)
      if (Statut s = UnIndex(true, annule); !s) return s;
    return Statut::Ok();
  }

  Statut UnIndex(bool parLieu, bool& annule) {
    const std::vector<TLigneCroisee> table = TableCroisee(m_bd, parLieu, {}, &annule);
    std::vector<std::string> titres;
    for (int m : {parLieu ? 583 : 575, parLieu ? 575 : 583, 584, 585, 572, 633}) titres.push_back(MsgHtml(m));
    std::vector<std::vector<std::string>> cellules;
    std::vector<std::string> classes;
    cellules.reserve(table.size());
    std::string precedent;
    bool premier = true;
    for (const TLigneCroisee& l : table) {
      std::string nom = EchappeHtml(l.nom);
      if (m_o.liste && m_o.liensFiches) {
        const std::string cible = m_o.modeListe == 2 ? FichierLettre(LettreListe(l.nom)) : "liste.htm";
        nom = "<a href=\"" + cible + "\">" + nom + "</a>";
      }
      std::string premiere = parLieu ? EchappeHtml(l.lieu) : nom, seconde = parLieu ? nom : EchappeHtml(l.lieu);
      const std::string& groupe = parLieu ? l.lieu : l.nom;
      if (!premier && groupe == precedent) premiere = "&nbsp;";
      precedent = groupe;
      premier = false;
      cellules.push_back({premiere, seconde, l.premiere == 99999 ? std::string() : Ent(l.premiere),
                          l.derniere == 0 ? std::string() : Ent(l.derniere), Ent(l.datees), Ent(l.nonDatees)});
      classes.push_back(cellules.size() % 2 ? "rowimpair" : "rowpair");
    }
    const std::string page = PageGrille(m_pages, Msg(parLieu ? kMsgLieux : kMsgPatronymes), titres, cellules, classes);
    if (Statut s = EcritTexte(parLieu ? "lieux.htm" : "patro.htm", page); !s) return s;
    return m_pages.StyleDans(m_dossier);
  }

  Statut Fiches() {
    const int p = m_o.fichesParPage;
    int pageCourante = 0;
    THtml h(m_pages);
    auto fermePage = [&]() -> Statut {
      if (pageCourante == 0) return Statut::Ok();
      h.Pied(false);
      return Ecrit("page" + Ent(pageCourante) + ".htm", h);
    };
    for (int r = 1; r <= m_bd.NbreFiche(); ++r) {
      if (!Avance()) return Statut::Annule();
      if (!m_bd.FicheUtilisee(r)) continue;
      const TPlaceFiche f = PlaceFiche(r, p);
      if (f.page != pageCourante) {
        if (Statut s = fermePage(); !s) return s;
        pageCourante = f.page;
        h.Entete("Fiche");
      }
      h.Ajoute("<a id=\"fiche" + Ent(f.ancre) + "\" name=\"fiche" + Ent(f.ancre) + "\"></a>");
      h.Ajoute(Card(m_pages, r, m_dossier, &m_images));
      if (m_o.ficheLienAccueil) h.Ajoute(m_pages.HomeLink());
    }
    return fermePage();
  }

 public:
  int m_nbreUnions = 0;

 private:
  const TBD& m_bd;
  const TOptionsWeb& m_o;
  const TContexteSite& m_c;
  const TTraduction& m_tr;
  TPagesWeb m_pages;
  TImagesWeb m_images;
  std::string m_dossier;
  std::string m_principale;
  std::vector<std::string>* m_fichiers;
  long long m_fait = 0, m_total = 0;
};

int UnionsValides(const TBD& bd) {
  int n = 0;
  for (int u = 1; u <= bd.NbreUnion(); ++u) {
    const TUnion& un = bd.Union(u);
    n += un.Utilise && un.NumH > 0 && un.NumF > 0;
  }
  return n;
}

void AjouteEchappe(std::string& r, char32_t u) {
  char b[16];
  if (u >= 0x10000) {
    const char32_t v = u - 0x10000;
    std::snprintf(b, sizeof b, "\\u%04X\\u%04X", static_cast<unsigned>(0xD800 + (v >> 10)),
                  static_cast<unsigned>(0xDC00 + (v & 0x3FF)));
  } else {
    std::snprintf(b, sizeof b, "\\u%04X", static_cast<unsigned>(u));
  }
  r += b;
}

}  // namespace

Statut ExportSite(const TBD& bd, const TOptionsWeb& options, const TContexteSite& contexte,
                  const std::string& pagePrincipale, std::vector<std::string>* fichiers) {
  if (!contexte.traduction) return Statut::Erreur("No translation for the web export");
  Export e(bd, options, contexte, pagePrincipale, fichiers);
  e.m_nbreUnions = UnionsValides(bd);
  return e.Lance();
}

std::string PageGrille(const TPagesWeb& pages, std::string_view titre, const std::vector<std::string>& titres,
                       const std::vector<std::vector<std::string>>& cellules,
                       const std::vector<std::string>& classes) {
  size_t taille = 0;
  for (const auto& l : cellules)
    for (const std::string& c : l) taille += c.size() + 32;
  std::string t;
  t.reserve(taille + 4096);
  t += pages.PageHeader(titre);
  t += "\r\n<div class=\"rapport\">\r\n<h3>" + EchappeHtml(titre) + "</h3>\r\n";
  t += "<table border=\"0\" cellpadding=\"1\" cellspacing=\"1\" width=\"95%\">\r\n<thead><tr>";
  for (const std::string& c : titres) t += "<td>" + c + "</td>";
  t += "</tr></thead>\r\n<tbody>\r\n";
  for (size_t i = 0; i < cellules.size(); ++i) {
    const std::string classe = i < classes.size() ? classes[i] : std::string("rowunique");
    t += "<tr>";
    for (const std::string& c : cellules[i]) {
      t += "<td class=\"";
      t += classe;
      t += "\">";
      t += c.empty() ? std::string_view("&nbsp;") : std::string_view(c);
      t += "</td>";
    }
    t += "</tr>\r\n";
  }
  t += "</tbody>\r\n</table>\r\n</div>\r\n";
  t += pages.PageFooter();
  return t;
}

std::string PageGrille(const TPagesWeb& pages, std::string_view titre, const TGrilleRapport& g,
                       const std::vector<std::string>& classes) {
  std::vector<std::string> titres;
  for (const TColonneRapport& c : g.Colonnes()) titres.push_back(EchappeHtml(c.titre));
  std::vector<std::vector<std::string>> cellules(g.NbreLignes());
  for (int l = 0; l < g.NbreLignes(); ++l)
    for (int c = 0; c < g.NbreColonnes(); ++c) cellules[l].push_back(EchappeHtml(g.Cellule(l, c)));
  return PageGrille(pages, titre, titres, cellules, classes);
}

std::string PageGrille(const TPagesWeb& pages, std::string_view titre, const TGrilleRapport& g, int miseEnForme) {
  std::vector<std::string> classes(g.NbreLignes());
  for (int l = 0; l < g.NbreLignes(); ++l) {
    const int p = g.Personne(l);
    switch (miseEnForme) {
      case 0: classes[l] = "rowunique"; break;
      case 2: classes[l] = p > 0 && pages.Base().LitSexe(p) == 0 ? "rowHomme" : "rowFemme"; break;
      default: classes[l] = (l + 1) % 2 ? "rowimpair" : "rowpair";
    }
  }
  return PageGrille(pages, titre, g, classes);
}

std::string ChaineScript(std::string_view texte) {
  const std::string t = Trim(texte);
  const std::string_view s = std::string_view(t).substr(0, LongueurSansCouper(t, kMaxPieceScript));
  std::string r;
  r.reserve(s.size() + 8);
  for (size_t i = 0; i < s.size();) {
    const auto c = static_cast<unsigned char>(s[i]);
    if (c == '&') {
      char32_t u;
      size_t longueur;
      if (LitReference(s, i, u, longueur)) {
        AjouteEchappe(r, u);
        i += longueur;
        continue;
      }
    }
    ++i;
    switch (c) {
      case '"': r += '\''; break;
      case '\\': r += "\\\\"; break;
      case '\r':
        if (i < s.size() && s[i] == '\n') ++i;
        r += "\\n";
        break;
      case '\n': r += "\\n"; break;
      case '<': r += "\\x3C"; break;
      default:
        if (c < 0x20 || c >= 0x7F)
          AjouteEchappe(r, c >= 0x80 ? AnsiVersUnicode(c) : c);
        else
          r += static_cast<char>(c);
    }
  }
  return r;
}

std::string DonneesDyna(const TBD& bd, const TOptionsWeb& o) {
  std::string t;
  t.reserve(static_cast<size_t>(bd.NbreFiche()) * 80 + static_cast<size_t>(bd.NbreUnion()) * 40 + 256);
  const std::string crlf = "\r\n";
  t += "var i=new Array(" + Ent(bd.NbreFiche() + 1) + ");" + crlf;
  t += "var u=new Array(" + Ent(bd.NbreUnion() + 1) + ");" + crlf;
  t += "max=" + Ent(bd.NbreFiche()) + ";" + crlf;
  t += "umax=" + Ent(bd.NbreUnion()) + ";" + crlf;
  t += "fichepp=" + Ent(std::max(0, o.fichesParPage)) + ";" + crlf;
  t += "n=1;" + crlf;
  t += "i[0]=new Array(\"\",0,0,\"\",\"\");" + crlf;
  auto dateLieu = [&](std::string_view date, std::string_view lieu) {
    const std::string d = DateAffichee(date, o.formatDate);
    return ChaineScript(!d.empty() && !lieu.empty() ? d + " " + std::string(lieu) : d + std::string(lieu));
  };
  for (int r = 1; r <= bd.NbreFiche(); ++r) {
    t += "i[" + Ent(r) + "]=new Array(\"";
    if (bd.FicheUtilisee(r)) {
      const TFiche& f = bd.Fiche(r);
      t += ChaineScript(f.Pre.empty() ? f.Nom.str() : f.Nom + " " + f.Pre);
      t += "\"," + Ent(std::max(0, f.NumP)) + "," + Ent(std::max(0, f.NumM)) + ",\"";
      t += dateLieu(bd.LitDateNaissance(r), bd.LitLieuNaissance(r));
      t += "\",\"";
      t += dateLieu(bd.LitDateDeces(r), bd.LitLieuDeces(r));
      t += "\");" + crlf;
    } else {
      t += "\",0,0,\"\",\"\");" + crlf;
    }
  }
  t += "u[0]=new Array(0,0,\"\");" + crlf;
  for (int j = 1; j <= bd.NbreUnion(); ++j) {
    const TUnion& un = bd.Union(j);
    if (un.Utilise)
      t += "u[" + Ent(j) + "]=new Array(" + Ent(std::max(0, un.NumH)) + "," + Ent(std::max(0, un.NumF)) + ",\"" +
           ChaineScript(DateAffichee(bd.LitChampUnion(j, 3), o.formatDate)) + "\");" + crlf;
    else
      t += "u[" + Ent(j) + "]=new Array(0,0,\"\");" + crlf;
  }
  return t;
}

std::string TitrePage(std::string_view debut) {
  debut = debut.substr(0, kMaxTitrePage);
  const std::string bas = [&] {
    std::string s(debut);
    for (char& c : s)
      if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return s;
  }();
  const size_t a = bas.find("<title>");
  if (a == std::string::npos) return {};
  const size_t b = bas.find("</title>", a + 7);
  if (b == std::string::npos) return {};
  return std::string(debut.substr(a + 7, b - a - 7));
}

}  // namespace kindrela
