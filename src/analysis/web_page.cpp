#include "analysis/web_page.h"

#include <cstdio>
#include <fstream>

#include "analysis/report_html.h"
#include "core/ansi_literal.h"
#include "core/clock.h"
#include "core/database.h"
#include "core/file_io.h"
#include "core/identity.h"
#include "core/text.h"
#include "i18n/translation.h"

namespace kindrela {

namespace {

constexpr int kMsgRetourAccueil = 2211;
// The product's page, linked from every footer.
constexpr std::string_view kAdresseProduit = "https://kindrela.example.org/";

Statut LitModele(const std::string& chemin, std::string& texte) {
  if (!FichierExiste(chemin)) return Statut::Erreur("Not found : " + chemin);
  return LitFichier(chemin, texte);
}

std::string MinusculesAscii(std::string_view s) {
  std::string r(s);
  for (char& c : r)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return r;
}

bool ChiffresSeuls(std::string_view s) {
  if (s.empty() || s.size() > 9) return false;
  for (char c : s)
    if (c < '0' || c > '9') return false;
  return true;
}

}  // namespace

Statut ChargeModelesWeb(const std::string& dossier, TModelesWeb& m, bool avecDyna) {
  m = TModelesWeb();
  m.dossier = dossier;
  if (Statut s = LitModele(dossier + "header.txt", m.entete); !s) return s;
  if (Statut s = LitModele(dossier + "footer.txt", m.pied); !s) return s;
  m.styleExiste = FichierExiste(dossier + "style.css") && LitFichier(dossier + "style.css", m.style).ok();
  if (avecDyna) {
    if (Statut s = LitModele(dossier + "dynaheadbody.txt", m.dynaTeteCorps); !s) return s;
    if (Statut s = LitModele(dossier + "dynafunc.txt", m.dynaFonctions); !s) return s;
  }
  return Statut::Ok();
}

TPlaceFiche PlaceFiche(int r, int p) {
  if (p < 1) return {1, r};
  return {(r - 1) / p + 1, (r - 1) % p + 1};
}

std::string LienFiche(int r, int p) {
  const TPlaceFiche f = PlaceFiche(r, p);
  return "page" + std::to_string(f.page) + ".htm#fiche" + std::to_string(f.ancre);
}

int PersonneDuLien(std::string_view lien, int p) {
  const size_t barre = lien.find_last_of("/\\");
  if (barre != std::string_view::npos) lien.remove_prefix(barre + 1);
  constexpr std::string_view kPage = "page", kAncre = ".htm#fiche";
  if (lien.substr(0, kPage.size()) != kPage) return 0;
  const size_t a = lien.find(kAncre);
  if (a == std::string_view::npos) return 0;
  const std::string_view q = lien.substr(kPage.size(), a - kPage.size());
  const std::string_view k = lien.substr(a + kAncre.size());
  if (!ChiffresSeuls(q) || !ChiffresSeuls(k)) return 0;
  const long long page = std::stoll(std::string(q)), ancre = std::stoll(std::string(k));
  if (page < 1 || ancre < 1) return 0;
  if (p < 1) return page == 1 && ancre <= 0x7fffffff ? static_cast<int>(ancre) : 0;
  if (ancre > p) return 0;
  const long long r = (page - 1) * p + ancre;
  return r <= 0x7fffffff ? static_cast<int>(r) : 0;
}

std::string RemplaceTout(std::string_view texte, std::string_view ancien, std::string_view nouveau) {
  if (ancien.empty()) return std::string(texte);
  // Byte for byte, so that positions in the lowered copy are positions in
  // the text (the markers replaced are plain ASCII words).
  const std::string bas = MinusculesAscii(texte);
  const std::string cle = MinusculesAscii(ancien);
  std::string r;
  r.reserve(texte.size());
  size_t i = 0;
  for (;;) {
    const size_t j = bas.find(cle, i);
    if (j == std::string::npos) break;
    r.append(texte.substr(i, j - i));
    r.append(nouveau);
    i = j + ancien.size();
  }
  r.append(texte.substr(i));
  return r;
}

std::string NomFichierSur(std::string_view nom) {
  const size_t barre = nom.find_last_of("/\\:");
  if (barre != std::string_view::npos) nom.remove_prefix(barre + 1);
  std::string r;
  for (char c : nom) {
    const auto u = static_cast<unsigned char>(c);
    const bool refuse = u < 32 || c == '<' || c == '>' || c == '"' || c == '|' || c == '?' ||
                        c == '*' || c == '#' || c == '%' || c == '&' || c == '\'';
    r += refuse ? '_' : c;
  }
  // No name of dots only ("..", "."), nor one starting with a dot (hidden).
  while (!r.empty() && (r.front() == '.' || r.front() == ' ')) r.erase(r.begin());
  if (r.empty()) r = "_";
  return r;
}

std::string LienFichier(std::string_view nom) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string r;
  for (char c : AnsiVersUtf8(nom)) {
    const auto u = static_cast<unsigned char>(c);
    if ((u >= 'a' && u <= 'z') || (u >= 'A' && u <= 'Z') || (u >= '0' && u <= '9') || c == '-' || c == '.' ||
        c == '_' || c == '~') {
      r += c;
    } else {
      r += '%';
      r += kHex[u >> 4];
      r += kHex[u & 15];
    }
  }
  return r;
}

TPagesWeb::TPagesWeb(const TBD& bd, const TTraduction& traduction, const TOptionsWeb& options,
                     const TModelesWeb& modeles)
    : m_bd(bd), m_traduction(traduction), m_options(options), m_modeles(modeles) {
  const Jour j = Aujourdhui();
  char date[32];
  std::snprintf(date, sizeof date, "%02d/%02d/%04d", j.jour, j.mois, j.annee);
  std::string adresse = options.auteurLien;
  if (MinusculesAscii(adresse.substr(0, 7)) == "mailto:") adresse.erase(0, 7);
  m_pied = std::string("<p class=\"info\">") + "Page créée par "_ansi + "<a href=\"mailto:" +
           EchappeHtml(adresse) + "\">" + EchappeHtml(options.auteur) + "</a> avec <a href=\"" +
           std::string(kAdresseProduit) + "\">" + std::string(kNomProduit) + "</a> le " + date +
           ".</p>\r\n" + modeles.pied;
}

std::string TPagesWeb::PageHeader(std::string_view titre) const {
  return RemplaceTout(m_modeles.entete, "%titre%", EchappeHtml(titre));
}

std::string TPagesWeb::PageFooter() const { return m_pied; }

std::string TPagesWeb::HomeLink() const {
  return "<p align=\"center\" class=\"accueil\"><a href=\"" + LienFichier(m_options.pagePrincipale + ".htm") + "\">" +
         EchappeHtml(m_traduction.Msg(kMsgRetourAccueil)) + "</a></p>";
}

std::string TPagesWeb::NomPersonne(int r) const {
  if (r < 1 || r > m_bd.NbreFiche()) return {};
  const TFiche& f = m_bd.Fiche(r);
  const std::string pre = m_options.tousPrenoms ? f.Pre.str() : PremierPrenom(f.Pre);
  return pre.empty() ? f.Nom.str() : f.Nom + " " + pre;
}

std::string TPagesWeb::PersonName(int r) const { return EchappeHtml(NomPersonne(r)); }

std::string TPagesWeb::PersonLink(int r) const {
  std::string nom = PersonName(r);
  if (!m_options.liensFiches || nom.empty()) return nom;
  return "<a href=\"" + LienFiche(r, m_options.fichesParPage) + "\">" + nom + "</a>";
}

void THtml::Ajoute(std::string ligne) { m_lignes.push_back(std::move(ligne)); }
void THtml::DebutTable() {
  Ajoute("<table border=\"0\" cellpadding=\"1\" cellspacing=\"1\" width=\"95%\">");
}
void THtml::FinTable() { Ajoute("</table>"); }
void THtml::Cellule(std::string_view html) {
  Ajoute("<td>" + (html.empty() ? std::string("&nbsp;") : std::string(html)) + "</td>");
}
void THtml::DebutLigne() { Ajoute("<tr>"); }
void THtml::FinLigne() { Ajoute("</tr>"); }
void THtml::Titre(std::string_view html) { Ajoute("<h3>" + std::string(html) + "</h3>"); }

void THtml::Entete(std::string_view titre) {
  m_lignes.clear();
  Ajoute(m_pages.PageHeader(titre));
}

void THtml::Pied(bool lienAccueil) {
  if (lienAccueil) Ajoute(m_pages.HomeLink());
  Ajoute(m_pages.PageFooter());
}

std::string THtml::Texte() const {
  size_t n = 0;
  for (const std::string& l : m_lignes) n += l.size() + 2;
  std::string t;
  t.reserve(n);
  for (const std::string& l : m_lignes) {
    t += l;
    t += "\r\n";
  }
  return t;
}

Statut EcritPageWeb(const std::string& chemin, std::string_view contenu) {
  // Pages are many and cheap to write again: no durable write per file.
  std::ofstream f(CheminSysteme(chemin), std::ios::binary | std::ios::trunc);
  if (f) f.write(contenu.data(), static_cast<std::streamsize>(contenu.size()));
  if (f) f.close();
  if (!f) return Statut::Erreur("Cannot write " + chemin);
  return Statut::Ok();
}

Statut THtml::Sauve(const std::string& chemin) {
  if (Statut s = EcritPageWeb(chemin, Texte()); !s) return s;
  return m_pages.StyleDans(DossierDe(chemin));
}

Statut TPagesWeb::StyleDans(const std::string& dossier) const {
  if (m_stylesCopies.count(dossier)) return Statut::Ok();
  Statut s = CopieStyle(m_modeles, dossier);
  if (s) m_stylesCopies.insert(dossier);
  return s;
}

Statut CopieStyle(const TModelesWeb& m, const std::string& dossier) {
  if (!m.styleExiste) return Statut::Ok();
  const std::string cible = dossier + "style.css";
  std::string actuel;
  if (FichierExiste(cible) && LitFichier(cible, actuel).ok() && actuel == m.style) return Statut::Ok();
  return EcritPageWeb(cible, m.style);
}

}  // namespace kindrela
