// The web page writer shared by the web site export and the single-view
// pages (chart, record cards, sources, ancestry): the template texts, the
// line writer THtml, the page head and foot, and the way a person is named
// and linked to its card.
//
// Every text taken from the tree goes through EchappeHtml before it reaches
// a page: PersonName and PersonLink give HTML, never raw tree text.
//
// A person's card is placed by its record number alone (PlaceFiche), so that
// the card writer, every link and the built-in browser agree even when the
// tree has free record slots.
#pragma once

#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "core/status.h"

namespace kindrela {

class TBD;
class TTraduction;

// The five template files of a web template folder, read once per export.
struct TModelesWeb {
  std::string dossier;        // the folder they come from, ending in "/"
  std::string entete;         // "header.txt"
  std::string pied;           // "footer.txt"
  std::string style;          // "style.css"; empty when the file is missing
  bool styleExiste = false;
  std::string dynaTeteCorps;  // "dynaheadbody.txt"
  std::string dynaFonctions;  // "dynafunc.txt"
};

// Reads the templates of `dossier` (ending in "/"). A missing "header.txt"
// or "footer.txt" is an error naming the file; a missing "style.css" is
// skipped; the two dynamic-page files are needed only by that page
// (`avecDyna`).
Statut ChargeModelesWeb(const std::string& dossier, TModelesWeb& modeles, bool avecDyna = true);

// The options the pages are written with: the save dialog's web page and the
// web options of the options dialog.
struct TOptionsWeb {
  // Main page and lists.
  std::string pagePrincipale = "index";  // main page file name without ".htm"
  std::string titre;                     // main title
  std::vector<std::string> texteLibre;   // lines under the title
  bool liste = true;                     // "Enregistrer la liste des personnes."
  int modeListe = 2;                     // 0 one page, 1 N per page, 2 per letter, 3 per surname
  int personnesParListe = 25;            // 5..250
  bool listeLienAccueil = true;
  bool fiches = true;                    // "Enregistrer la fiche de toutes les personnes."
  int fichesParPage = 25;                // 0..9999; below 1: every card on page1.htm
  bool ficheLienAccueil = true;
  bool patronymes = true;                // "patro.htm"
  bool lieux = true;                     // "lieux.htm"
  bool dyna = true;                      // "dyna.htm"
  bool fichiersLies = true;              // link the extra pages from the main page
  std::vector<std::string> fichiersSupplementaires;  // paths of extra pages linked from the main page
  bool navigateur = true;                // show the site once written
  // Names, links and cards.
  bool liensFiches = true;               // "Mettre des liens entre les noms et les fiches."
  bool tousPrenoms = true;               // "Indiquer tous les prénoms"
  int formeFiche = 0;                    // 0 literary, 1 table
  bool ficheParents = true;
  bool ficheFratrie = true;              // table form only
  bool ficheEnfants = true;
  bool ficheUnions = true;
  bool ficheEveUnions = true;            // table form only
  bool ficheChamps = true;
  bool ficheEvenements = true;
  bool ficheCalcules = true;
  bool ficheNotes = true;
  bool ficheSources = true;              // table form only
  bool srcSorte = true;                  // a source's kind in the table form
  bool srcNote = true;                   // a source's note in the table form
  int dureeVieMax = 110;                 // computed events of a living person end today
  std::string formatDate = "j/m/a";      // display date format ("j/m/a" or "m/j/a")
  // Footer.
  std::string auteur;
  std::string auteurLien;                // e-mail address, with or without "mailto:"
  // Pictures.
  bool images = true;                    // pictures of sources in cards
  int imageTaille = 150;                 // side of the square pictures are fitted into
  int imageQualite = 75;                 // JPEG quality 1..100
  bool imageOriginale = false;           // "Mettre un lien vers l'image à la taille originale"
};

// Where a person's card is: page "page" + page + ".htm", anchor "fiche" + ancre.
struct TPlaceFiche {
  int page = 1;
  int ancre = 1;
};
// From the record number r and the cards per page P (P < 1: one page).
TPlaceFiche PlaceFiche(int r, int fichesParPage);
// "page" + q + ".htm#fiche" + k.
std::string LienFiche(int r, int fichesParPage);
// The record number a card link points to ("page2.htm#fiche1", possibly
// after a folder and "/" or "\"), 0 when the text is no card link.
int PersonneDuLien(std::string_view lien, int fichesParPage);

// Every occurrence of `ancien` replaced by `nouveau`, without regard to case.
std::string RemplaceTout(std::string_view texte, std::string_view ancien, std::string_view nouveau);

// A file name made from tree text, safe inside the output folder: no folder
// part, no "..", no character a file system refuses; never empty.
std::string NomFichierSur(std::string_view nom);

// A file name of the output folder as the text of an href or src: its
// UTF-8 form (the file system's) with every byte outside letters, digits
// and "-._~" percent-encoded, so that "#", "?", "%" or a blank in a name
// reach the file.
std::string LienFichier(std::string_view nom);

// Head, foot and names of pages. Keeps references to its arguments, which
// must outlive it.
class TPagesWeb {
 public:
  TPagesWeb(const TBD& bd, const TTraduction& traduction, const TOptionsWeb& options,
            const TModelesWeb& modeles);

  // "header.txt" with every "%titre%" (any case) replaced by the escaped title.
  std::string PageHeader(std::string_view titre) const;
  // The author line, the product link and today's date, then "footer.txt".
  std::string PageFooter() const;
  // The centred link back to the main page.
  std::string HomeLink() const;
  // The person's surname and given names (all of them, or the usual one),
  // escaped for HTML; empty for a number out of range.
  std::string PersonName(int r) const;
  // The same name as plain tree text, before escaping.
  std::string NomPersonne(int r) const;
  // PersonName as a link to the card when cards are linked.
  std::string PersonLink(int r) const;

  const TBD& Base() const { return m_bd; }
  const TTraduction& Traduction() const { return m_traduction; }
  const TOptionsWeb& Options() const { return m_options; }
  const TModelesWeb& Modeles() const { return m_modeles; }
  // Puts the style sheet into `dossier` once per folder for this writer.
  Statut StyleDans(const std::string& dossier) const;

 private:
  const TBD& m_bd;
  const TTraduction& m_traduction;
  const TOptionsWeb& m_options;
  const TModelesWeb& m_modeles;
  std::string m_pied;  // PageFooter is the same on every page of a run
  mutable std::set<std::string> m_stylesCopies;
};

// The line writer: a page built line by line, saved with the style sheet.
class THtml {
 public:
  explicit THtml(const TPagesWeb& pages) : m_pages(pages) {}

  void Ajoute(std::string ligne);
  void DebutTable();
  void FinTable();
  // "<td>" + html + "</td>"; an empty text gives "&nbsp;". `html` is
  // written as it is: escape tree text first.
  void Cellule(std::string_view html);
  void DebutLigne();
  void FinLigne();
  // "<h3>" + html + "</h3>".
  void Titre(std::string_view html);
  // Clears the lines and adds PageHeader(titre).
  void Entete(std::string_view titre);
  // HomeLink when asked, then PageFooter.
  void Pied(bool lienAccueil);
  // Writes the lines to `chemin`, then copies "style.css" beside it when
  // the template folder has one (once per folder and writer run).
  Statut Sauve(const std::string& chemin);

  const std::vector<std::string>& Lignes() const { return m_lignes; }
  std::string Texte() const;

 private:
  const TPagesWeb& m_pages;
  std::vector<std::string> m_lignes;
};

// Writes a page as it is, without the durable write of tree files: a site
// is many files, cheap to write again. The error names the file.
Statut EcritPageWeb(const std::string& chemin, std::string_view contenu);

// Writes "style.css" of the templates into `dossier` unless it is already
// there with the same text.
Statut CopieStyle(const TModelesWeb& modeles, const std::string& dossier);

}  // namespace kindrela
