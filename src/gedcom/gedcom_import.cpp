#include "gedcom/gedcom_import.h"

#include <algorithm>
#include <exception>
#include <vector>

#include "core/ansi_literal.h"
#include "core/clock.h"
#include "core/file_io.h"
#include "core/text.h"
#include "core/letters.h"
#include "core/parallel_write.h"
#include "core/value_limit.h"
#include "editing/record_names.h"
#include "gedcom/gedcom_import_context.h"
#include "i18n/translation.h"

namespace kindrela {

namespace gedcom_import {

namespace {

constexpr const char* kCrLf = "\r\n";
// Progress is reported, and a stop looked for, once every so many records.
constexpr long kRecordsParPoint = 64;
// Person numbers above this go by their text rather than the direct table,
// so that a damaged number cannot make the table huge.
constexpr long kMaxDirect = 1L << 22;
// Texts copied from shared records (notes, repositories) into the records
// that cite them may add up to this much, plus so much per byte of the file:
// far beyond any real tree, well below what would exhaust the memory.
constexpr long long kRecopieDeBase = 256LL << 20;
constexpr long long kRecopieParOctet = 64;
// The persons' bytes already read are given back by pieces of this size.
constexpr std::size_t kPasRendu = 1 << 20;
// From this size on, the first pass goes through the two halves of the file
// side by side, and the main pass has its lines read ahead.
constexpr std::size_t kTailleDeuxMoities = 1 << 20;

void SansBlancsFinDans(std::string& s) {
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.pop_back();
}

std::string Majuscules(std::string_view s) { return MajusculesAnsi(s); }

// The upper-cased key of a cross-reference, into a buffer reused from one
// lookup to the next (no allocation once it is large enough).
const std::string& Cle(std::string_view xref, std::string& tampon) {
  tampon.assign(xref);
  for (char& c : tampon) c = static_cast<char>(MajAnsi(static_cast<unsigned char>(c)));
  return tampon;
}

// "@I12@": the prefix "I" and the number 12. Only a cross-reference made of
// '@', letters, digits without a leading zero and '@' has a number: any
// other form goes by its whole text, so that two different references can
// never meet on the same number.
bool DecoupeXref(std::string_view xref, std::string_view& prefixe, long& numero) {
  if (xref.size() < 3 || xref.front() != '@' || xref.back() != '@') return false;
  std::string_view corps = xref.substr(1, xref.size() - 2);
  size_t i = 0;
  while (i < corps.size() && !(corps[i] >= '0' && corps[i] <= '9')) ++i;
  if (i == corps.size() || corps[i] == '0') return false;
  prefixe = corps.substr(0, i);
  numero = 0;
  for (size_t k = i; k < corps.size(); ++k) {
    if (corps[k] < '0' || corps[k] > '9') return false;
    numero = numero * 10 + (corps[k] - '0');
    if (numero > kMaxDirect) return false;
  }
  return true;
}

// Multi-line text on any reader: the opening value, then the CONT and CONC
// lines deeper than `niveau`; with `toutesSousLignes` every other deeper
// line is skipped too, otherwise the reading stops on the first of them.
std::string LitTexte(LecteurGedcom& lecteur, int niveau, bool toutesSousLignes) {
  const LigneGedcom& l = lecteur.Ligne();
  std::string texte(l.brute.substr(std::min(l.brute.find_first_not_of(" \t"), l.brute.size())));
  while (lecteur.Suivante() && l.niveau > niveau) {
    if (l.tag == "CONT") {
      SansBlancsFinDans(texte);
      texte += kCrLf;
      texte += l.brute;
    } else if (l.tag == "CONC") {
      texte += l.brute;
    } else if (!toutesSousLignes) {
      break;
    }
  }
  SansBlancsFinDans(texte);
  if (!texte.empty()) texte += kCrLf;
  return texte;
}

std::string Remplace(std::string modele, const std::string& valeur) {
  size_t p = modele.find("%s");
  if (p != std::string::npos) modele.replace(p, 2, valeur);
  return modele;
}

}  // namespace

Contexte::Contexte(TBD& bd, const TTablesTypes& types, std::string_view contenu,
                   const std::string& chemin, const OptionsImport& options, TGedcomHeader& entete,
                   ResultatImport& resultat, bool contenuANous)
    : m_bd(bd),
      m_types(types),
      m_contenu(contenu),
      m_chemin(chemin),
      m_options(options),
      m_entete(entete),
      m_r(resultat),
      m_lecteur(contenu, options.jeu),
      m_lecteurAnnexe(contenu, options.jeu),
      m_lecteurDepot(contenu, options.jeu),
      m_recopiePermise(kRecopieDeBase + kRecopieParOctet * static_cast<long long>(contenu.size())),
      m_contenuANous(contenuANous) {
  m_lecteurAnnexe.CompteRemplacements(false);
  m_lecteurDepot.CompteRemplacements(false);
}

std::string Contexte::TexteMultiligne(int niveau) { return LitTexte(m_lecteur, niveau, true); }

std::string Contexte::TexteContinue(int niveau) { return LitTexte(m_lecteur, niveau, false); }

std::string Contexte::TexteNote(int niveau) {
  if (EstPointeur(L().valeur)) {
    std::string texte;
    const long gardes = m_renvoisGardes;
    if (TexteEnregistrementNote(L().valeur, texte)) {
      ++m_r.notesLiees;
      SauteSousLignes(niveau);
      return texte;
    }
    if (m_renvoisGardes == gardes) ++m_r.notesIntrouvables;
  }
  return TexteMultiligne(niveau);
}

bool Contexte::TexteEnregistrementNote(std::string_view xref, std::string& texte) {
  const std::string& cle = Cle(xref, m_cleXref);
  auto lu = m_textesNotes.find(cle);
  if (lu == m_textesNotes.end()) {
    auto it = m_notes.find(cle);
    if (it == m_notes.end()) return false;
    m_lecteurAnnexe.Positionne(it->second.position, it->second.numero);
    if (!m_lecteurAnnexe.Suivante()) return false;
    std::string lecture = LitTexte(m_lecteurAnnexe, 0, true);
    Raccourcit(lecture, "gedcom_note_partagee", "la note %s"_ansi, [&] { return std::string(xref); },
               it->second.numero);
    lu = m_textesNotes.emplace(cle, std::move(lecture)).first;
  }
  // A file of a few pointers to one long note must not fill the memory.
  const long long taille = static_cast<long long>(lu->second.size());
  if (taille > m_recopiePermise) {
    ++m_renvoisGardes;
    return false;
  }
  m_recopiePermise -= taille;
  texte = lu->second;
  return true;
}

std::string Contexte::TexteDepot(std::string_view xref) {
  if (!EstPointeur(xref)) return LitDepot(m_lecteur);
  const std::string& cle = Cle(xref, m_cleXref);
  auto lu = m_textesDepots.find(cle);
  if (lu == m_textesDepots.end()) {
    std::string texte;
    auto it = m_depots.find(cle);
    if (it != m_depots.end()) {
      // A reader of its own: the notes of the repository use the other one.
      m_lecteurDepot.Positionne(it->second.position, it->second.numero);
      if (m_lecteurDepot.Suivante()) texte = LitDepot(m_lecteurDepot);
      Raccourcit(texte, "gedcom_depot", "le dépôt %s"_ansi, [&] { return std::string(xref); },
                 it->second.numero);
    } else {
      texte = "REPO: " + std::string(xref) + kCrLf;  // kept as written
    }
    lu = m_textesDepots.emplace(cle, std::move(texte)).first;
  }
  const long long taille = static_cast<long long>(lu->second.size());
  if (taille > m_recopiePermise) {
    ++m_renvoisGardes;
    return "REPO: " + std::string(xref) + kCrLf;
  }
  m_recopiePermise -= taille;
  return lu->second;
}

// On the line that opens the repository (a "0 @R1@ REPO" record or a
// "1 REPO" of a source written in place); ends on the first line that is
// not deeper.
std::string Contexte::LitDepot(LecteurGedcom& lecteur) {
  const LigneGedcom& l = lecteur.Ligne();
  const int niveau = l.niveau;
  std::string nom = niveau == 0 ? std::string() : std::string(l.valeur);
  std::string adresse, parties, contacts, notes, autres;
  auto ajoute = [](std::string& texte, std::string_view ligne) {
    if (ligne.empty()) return;
    texte.append(ligne);
    if (texte.back() != '\n') texte += kCrLf;
  };
  lecteur.Suivante();
  while (!lecteur.Fin() && l.niveau > niveau) {
    const int sous = l.niveau;
    const std::string_view tag = l.tag;
    if (sous == niveau + 1 && tag == "NAME") {
      nom = l.valeur;
    } else if (sous == niveau + 1 && tag == "ADDR") {
      ajoute(adresse, LitTexte(lecteur, sous, false));
      continue;
    } else if (sous == niveau + 2 &&
               (tag == "ADR1" || tag == "ADR2" || tag == "ADR3" || tag == "CITY" || tag == "STAE" ||
                tag == "POST" || tag == "CTRY")) {
      ajoute(parties, l.valeur);
    } else if (sous == niveau + 1 && (tag == "PHON" || tag == "EMAIL" || tag == "FAX" || tag == "WWW")) {
      ajoute(contacts, std::string(tag) + ": " + std::string(l.valeur));
    } else if (sous == niveau + 1 && EstNote(tag)) {
      std::string texte;
      if (EstPointeur(l.valeur) && TexteEnregistrementNote(l.valeur, texte)) {
        ++m_r.notesLiees;
        while (lecteur.Suivante() && l.niveau > sous) {
        }
      } else {
        texte = LitTexte(lecteur, sous, true);
      }
      ajoute(notes, texte);
      continue;
    } else if (sous == niveau + 1 && tag != "CHAN") {
      ajoute(autres, std::string(tag) + ": " + std::string(l.valeur));
    }
    lecteur.Suivante();
  }
  std::string texte = (nom.empty() ? std::string("Dépôt"_ansi) : Message("gedcom_depot_nom", "Dépôt : %s"_ansi, nom)) + kCrLf;
  texte += adresse.empty() ? parties : adresse;
  texte += contacts;
  texte += autres;
  texte += notes;
  return texte;
}

std::size_t Contexte::Coupe(std::string_view texte, const std::string& quoi, long ligne) {
  // Counted in letters, as the user reads them; cut between two letters.
  const std::size_t avant = NbreLettres(texte);
  const std::size_t garde = LongueurSansCouper(texte, kLongueurMaxValeur);
  const std::string message =
      Message("gedcom_texte_raccourci", "Ligne %s : ", std::to_string(ligne)) + quoi + " compte " +
      std::to_string(avant) +
      Message("gedcom_texte_raccourci_fin",
            " caractères ; seuls les %s premiers sont gardés, ce qu'un arbre enregistre au plus."_ansi,
            std::to_string(NbreLettres(texte.substr(0, garde))));
  m_r.avertissements.push_back(message);
  Journal(message);
  return garde;
}

const std::string& Contexte::TitreEnregistrementSource(std::string_view xref) {
  auto connu = m_titres.find(Cle(xref, m_cleXref));
  if (connu != m_titres.end()) return connu->second;
  std::string cle = m_cleXref;
  std::string titre = LitTitreSource(cle);
  return m_titres.emplace(std::move(cle), std::move(titre)).first->second;
}

std::string Contexte::LitTitreSource(const std::string& cle) {
  auto it = m_enregistrementsSource.find(cle);
  if (it == m_enregistrementsSource.end()) return {};
  m_lecteurAnnexe.Positionne(it->second.position, it->second.numero);
  m_lecteurAnnexe.Suivante();
  const LigneGedcom& l = m_lecteurAnnexe.Ligne();
  m_lecteurAnnexe.Suivante();
  while (!m_lecteurAnnexe.Fin() && l.niveau != 0) {
    if (l.niveau == 1 && l.tag == "TITL") {
      std::string titre = LitTexte(m_lecteurAnnexe, 1, false);
      SansBlancsFinDans(titre);
      while (!titre.empty() && (titre.back() == '\n' || titre.back() == '\r')) titre.pop_back();
      return titre;
    }
    m_lecteurAnnexe.Suivante();
  }
  return {};
}

namespace {

enum class Repertoire { Notes, Sources, Depots };

// A record the first pass found: the index it goes to, its key and where
// it starts.
struct Repere {
  Repertoire repertoire;
  std::string cle;
  PositionEnregistrement position;
};

// The records of `morceau` (whole lines, from byte `decalage` of the file)
// that pointers may name, into `reperes` in the order of the file, with
// line numbers counted from 1 in the piece. Returns the piece's line count.
long ReperesDe(std::string_view morceau, std::size_t decalage, std::vector<Repere>& reperes) {
  LecteurGedcom lecteur(morceau, JeuCaracteres::Windows);
  std::string_view brute;
  long numero = 0;
  size_t debut = 0;
  std::string tag;
  LigneGedcom ligne;
  while (lecteur.SuivanteBrute(brute, numero, debut)) {
    size_t i = 0;
    while (i < brute.size() && (brute[i] == ' ' || brute[i] == '\t')) ++i;
    if (i + 1 >= brute.size() || brute[i] != '0' || (brute[i + 1] != ' ' && brute[i + 1] != '\t'))
      continue;
    DecoupeLigneGedcom(brute, tag, ligne);
    if (ligne.xref.empty()) continue;
    Repertoire repertoire;
    if (EstNote(ligne.tag)) repertoire = Repertoire::Notes;
    else if (ligne.tag == "SOUR") repertoire = Repertoire::Sources;
    else if (ligne.tag == "REPO") repertoire = Repertoire::Depots;
    else continue;
    reperes.push_back({repertoire, Majuscules(ligne.xref), {decalage + debut, numero}});
  }
  return numero;
}

}  // namespace

void Contexte::IndexeEnregistrements() {
  // A large file is gone through in two halves side by side, cut after a
  // line feed: no line end is split there, and the second half's lines are
  // numbered on from the first's. A half that would start with what reads
  // as a byte-order mark is not cut there (the reader would skip it).
  std::size_t coupe = 0;
  if (m_contenu.size() >= kTailleDeuxMoities) {
    const std::size_t lf = m_contenu.find('\n', m_contenu.size() / 2);
    if (lf != std::string_view::npos && lf + 1 < m_contenu.size() &&
        m_contenu.substr(lf + 1, 3) != "\xEF\xBB\xBF")
      coupe = lf + 1;
  }
  std::vector<Repere> premiers, seconds;
  long lignesPremiere = 0;
  if (coupe > 0) {
    CoteACote([&] { lignesPremiere = ReperesDe(m_contenu.substr(0, coupe), 0, premiers); },
              [&] { ReperesDe(m_contenu.substr(coupe), coupe, seconds); });
  } else {
    ReperesDe(m_contenu, 0, premiers);
  }
  for (std::vector<Repere>* reperes : {&premiers, &seconds}) {
    const long avant = reperes == &seconds ? lignesPremiere : 0;
    for (Repere& r : *reperes) {
      auto& index = r.repertoire == Repertoire::Notes     ? m_notes
                    : r.repertoire == Repertoire::Sources ? m_enregistrementsSource
                                                          : m_depots;
      index[std::move(r.cle)] = {r.position.position, r.position.numero + avant};
    }
  }
}

void Contexte::SauteSousLignes(int niveau) {
  while (Lit() && L().niveau > niveau) {
  }
}

void Contexte::SauteEnregistrement(bool journal) {
  if (journal) JournalLigne(" : ");
  while (Lit() && L().niveau != 0) {
    if (journal) JournalLigne(" : ");
  }
}

// ----- Cross-references -----

void Contexte::EnregistrePersonne(std::string_view xref, int n) {
  std::string_view prefixe;
  long numero = 0;
  const bool direct = DecoupeXref(xref, prefixe, numero);
  if (direct && !m_prefixeFixe) {
    m_prefixe = std::string(prefixe);
    m_prefixeFixe = true;
  }
  if (direct && EgalSansCasse(prefixe, m_prefixe)) {
    if (static_cast<size_t>(numero) >= m_direct.size())
      m_direct.resize(std::max(static_cast<size_t>(numero) + 1, m_direct.size() * 2), 0);
    m_direct[static_cast<size_t>(numero)] = n;
  } else {
    m_debordement[Majuscules(xref)] = n;
  }
}

int Contexte::ChercheePersonne(std::string_view xref) const {
  std::string_view prefixe;
  long numero = 0;
  if (DecoupeXref(xref, prefixe, numero) && m_prefixeFixe && EgalSansCasse(prefixe, m_prefixe))
    return static_cast<size_t>(numero) < m_direct.size() ? m_direct[static_cast<size_t>(numero)] : 0;
  auto it = m_debordement.find(Cle(xref, m_cleXref));
  return it == m_debordement.end() ? 0 : it->second;
}

int Contexte::SourceDe(std::string_view xref) {
  auto [it, nouvelle] = m_sources.try_emplace(Cle(xref, m_cleXref), 0);
  if (nouvelle) {
    ++m_r.sources.lus;
    it->second = m_bd.NouvelleSrc();
    if (it->second == 0) ++m_r.sources.nonStockes;
  }
  return it->second;
}

// ----- Log -----

void Contexte::Journal(std::string_view texte) {
  if (!m_journalActif) return;
  m_journal += texte;
  m_journal += kCrLf;
}

void Contexte::JournalLigne(std::string_view avant) {
  if (!m_journalActif) return;
  m_journal += std::to_string(L().numero);
  m_journal += avant;
  m_journal += L().texte;
  m_journal += kCrLf;
}

std::string Contexte::Message(const char* cle, const char* francais, const std::string& valeur) const {
  std::string modele = m_options.traduction ? m_options.traduction->MsgCle(cle) : std::string();
  if (modele.empty() || modele[0] == '$') modele = francais;
  return Remplace(modele, valeur);
}

bool Contexte::Avance() {
  ++m_enregistrements;
  if (m_enregistrements % kRecordsParPoint != 0) return true;
  if (m_options.etiquette)
    m_options.etiquette("Nombre de personnes et d'unions : " + std::to_string(m_r.personnes.lus) +
                        " / " + std::to_string(m_r.unions.lus));
  if (!m_options.progression) return true;
  // The families read last count for the bytes they hold.
  const std::size_t fait = m_secondePasse
                               ? m_contenu.size() - m_octetsFamilles + m_octetsFaitsFamilles
                               : m_lecteur.DebutLigne() - std::min(m_octetsFamilles, m_lecteur.DebutLigne());
  return m_options.progression(static_cast<long long>(fait), static_cast<long long>(m_contenu.size()));
}

void Contexte::Stoppe() {
  Journal(std::string(kCrLf) + "Stoppé par touche ESCAPE à la Ligne "_ansi + std::to_string(L().numero));
  m_r.statut = Statut::Annule();
  Termine();
}

// Persons are most of a file and are read once, front to back: the pages
// they fill are given back to the system as the main pass leaves them
// behind, so that the file and the whole database are never in memory
// together. Everything else stays: the families read last, the notes,
// sources and repositories read again by position, and the first line of
// each run of persons, on which the reading of the record before it stops.
void Contexte::RendPagesLues() {
  if (!m_contenuANous) return;
  const std::size_t ici = m_lecteur.DebutLigne();
  const bool personne = L().tag == "INDI";
  if (m_debutRendable == std::string_view::npos) {
    if (personne) m_debutRendable = m_lecteur.Position();
    return;
  }
  // The main pass only moves on: `ici` is never before m_debutRendable.
  if (personne && ici - m_debutRendable < kPasRendu) return;
  RendPagesMemoire(m_contenu.data() + m_debutRendable, ici - m_debutRendable);
  m_debutRendable = personne ? ici : std::string_view::npos;
}

void Contexte::DiffereFamille() {
  const std::size_t debut = m_lecteur.DebutLigne();
  m_familles.push_back({debut, L().numero});
  SauteEnregistrement(false);
  m_octetsFamilles += m_lecteur.DebutLigne() - debut;
}

bool Contexte::LitFamillesDifferees() {
  m_secondePasse = true;
  for (std::size_t k = 0; k < m_familles.size(); ++k) {
    m_lecteur.Positionne(m_familles[k].position, m_familles[k].numero);
    Lit();
    if (!Avance()) return false;
    const std::size_t debut = m_lecteur.DebutLigne();
    LitFamille();
    m_octetsFaitsFamilles += m_lecteur.DebutLigne() - debut;
  }
  return true;
}

// ----- Header -----

void Contexte::LitEntete() {
  Lit();
  while (!m_lecteur.Fin() && L().niveau != 0) {
    if (L().niveau != 1) {
      Lit();
      continue;
    }
    const std::string_view tag = L().tag;
    if (tag == "SOUR") {
      m_entete.Source = L().valeur;
      while (Lit() && L().niveau > 1) {
        if (L().niveau != 2) continue;
        if (L().tag == "VERS") m_entete.Version = L().valeur;
        else if (L().tag == "NAME") m_entete.Produit = L().valeur;
        else if (L().tag == "CORP") m_entete.Societe = L().valeur;
      }
    } else if (tag == "GEDC") {
      while (Lit() && L().niveau > 1)
        if (L().niveau == 2 && L().tag == "VERS") m_entete.VersionGedcom = L().valeur;
    } else if (tag == "NOTE") {
      m_entete.Note += TexteNote(1);
    } else {
      if (tag == "DATE") m_entete.Date = L().valeur;
      else if (tag == "CHAR") m_entete.Jeu = L().valeur;
      else if (tag == "LANG") m_entete.Langue = L().valeur;
      else JournalLigne(" HEAD : ");
      SauteSousLignes(1);
    }
  }
}

void Contexte::LitSoumetteur() {
  Lit();
  while (!m_lecteur.Fin() && L().niveau != 0) {
    if (L().niveau != 1) {
      Lit();
      continue;
    }
    if (L().tag == "NAME") {
      m_entete.Note += L().valeur;
      SauteSousLignes(1);
    } else if (L().tag == "ADDR") {
      m_entete.Note += kCrLf;
      m_entete.Note += TexteMultiligne(1);
    } else {
      JournalLigne(" SUBM : ");
      SauteSousLignes(1);
    }
  }
}

// ----- The run -----

void Contexte::Termine() {
  m_r.lignesLues = m_lecteur.Ligne().numero;
  m_r.remplacements = m_lecteur.Remplacements();
  m_r.lignesInvalides = m_lecteur.NbreLignesInvalides();
  auto avertit = [&](const std::string& texte) {
    m_r.avertissements.push_back(texte);
    Journal(texte);
  };
  if (m_r.personnes.nonStockes > 0)
    avertit(Message("gedcom_personnes_non_stockees",
                  "Table des personnes pleine : %s personnes n'ont pas été enregistrées."_ansi,
                  std::to_string(m_r.personnes.nonStockes)));
  if (m_r.unions.nonStockes > 0)
    avertit(Message("gedcom_unions_non_stockees",
                  "Table des unions pleine : %s unions n'ont pas été enregistrées."_ansi,
                  std::to_string(m_r.unions.nonStockes)));
  if (m_r.evenements.nonStockes > 0)
    avertit(Message("gedcom_evenements_non_stockes",
                  "Table des événements pleine : %s événements n'ont pas été "
                  "enregistrés."_ansi,
                  std::to_string(m_r.evenements.nonStockes)));
  if (m_r.sources.nonStockes > 0)
    avertit(Message("gedcom_sources_non_stockees",
                  "Table des sources pleine : %s sources n'ont pas été enregistrées."_ansi,
                  std::to_string(m_r.sources.nonStockes)));
  if (m_renvoisGardes > 0)
    avertit(Message("gedcom_renvois_gardes",
                  "%s renvois à des notes ou à des dépôts déjà recopiés très souvent sont "
                  "gardés sous la forme @...@."_ansi,
                  std::to_string(m_renvoisGardes)));
  if (m_r.remplacements > 0)
    avertit(Message("gedcom_caracteres_remplaces",
                  "%s caractères absents du jeu Windows ont été remplacés."_ansi,
                  std::to_string(m_r.remplacements)));
  if (m_r.lignesInvalides > 0)
    avertit(Message("gedcom_utf8_invalide",
                  "Séquences UTF-8 invalides (remplacées par ?) aux lignes : %s"_ansi,
                  m_lecteur.LignesInvalidesTexte() +
                      (m_r.lignesInvalides > 50 ? ", ..." : "")));
  if (!m_journalActif) return;
  const std::string chemin = DossierDe(m_chemin) + "kindrela.log";
  Statut s = EcritFichierAtomique(chemin, m_journal);
  if (s) {
    m_r.journal = chemin;
  } else {
    m_r.avertissements.push_back(Message("gedcom_journal_impossible",
                                       "Impossible d'écrire le journal %s."_ansi, chemin));
  }
}

void Contexte::Execute() {
  m_journalActif = m_options.journal;
  if (m_journalActif)
    m_journal = "Import du fichier : " + m_chemin + " le " + DateDuJourTexte() + "?" + kCrLf +
                "Les lignes suivantes n'ont pas été traité."_ansi + kCrLf;
  if (!m_options.enteteSeul) {
    if (m_options.etiquette) m_options.etiquette("Appuyez sur Echap pour abandonner.");
    IndexeEnregistrements();
    // The lines of a large file are split, and its dates read, on the other
    // core while the records are made.
    if (m_contenu.size() >= kTailleDeuxMoities)
      m_lecteur.Anticipe(kTailleDeuxMoities, "DATE", DateTolerante);
  }
  Lit();
  while (!m_lecteur.Fin() && L().tag != "TRLR") {
    if (!Avance()) {
      Stoppe();
      return;
    }
    const bool record = L().niveau == 0;
    if (record) RendPagesLues();
    if (record && L().tag == "HEAD") {
      LitEntete();
      if (L().niveau == 0 && L().tag == "SUBM") LitSoumetteur();
      if (m_options.enteteSeul) break;
    } else if (m_options.enteteSeul) {
      break;  // the header comes first: a file without one has nothing to show
    } else if (record && L().tag == "INDI") {
      LitPersonne();
    } else if (record && L().tag == "FAM") {
      DiffereFamille();
    } else if (record && L().tag == "SOUR") {
      LitSource();
    } else if (record && EstNote(L().tag) && !L().xref.empty()) {
      SauteEnregistrement(false);  // read through the pointers that cite it
    } else {
      JournalLigne(" : ");
      Lit();
    }
  }
  if (m_options.enteteSeul) {
    Journal(std::string(kCrLf) + "Fin de chargement de l'entête."_ansi);
  } else {
    const long derniere = L().numero;
    if (!LitFamillesDifferees()) {
      Stoppe();
      return;
    }
    // The log's line count stays that of the whole file.
    m_lecteur.Positionne(m_contenu.size(), derniere + 1);
    m_lecteur.Suivante();
    if (m_options.progression)
      m_options.progression(static_cast<long long>(m_contenu.size()),
                            static_cast<long long>(m_contenu.size()));
    Journal(" ");
    Journal("Terminé avec succés !!"_ansi);
    Journal("Nombre de personne =" + std::to_string(m_r.personnes.lus));
    Journal("Nombre d'union =" + std::to_string(m_r.unions.lus));
  }
  m_r.statut = Statut::Ok();
  Termine();
}

}  // namespace gedcom_import

// ---------------------------------------------------------------------------

namespace {

// ModeAjout is 1 for the run of an import however it ends.
class ModeAjoutPendant {
 public:
  explicit ModeAjoutPendant(TBD& bd) : m_bd(bd) { m_bd.ModeAjout = 1; }
  ~ModeAjoutPendant() { m_bd.ModeAjout = 0; }
  ModeAjoutPendant(const ModeAjoutPendant&) = delete;
  ModeAjoutPendant& operator=(const ModeAjoutPendant&) = delete;

 private:
  TBD& m_bd;
};

const char* const kErreurImport = "Erreur à l'import"_ansi;

// `contenuANous`: the import may give back the pages of `contenu` it has read.
ResultatImport Importe(TBD& bd, const TTablesTypes& types, std::string_view contenu,
                       const std::string& chemin, const OptionsImport& optionsDemandees,
                       TGedcomHeader& entete, bool contenuANous) {
  ResultatImport r;
  try {
    // A UTF-16 file can be read in no other set, whatever was chosen.
    std::string utf8;
    OptionsImport options = optionsDemandees;
    if (Utf16VersUtf8(contenu, utf8)) {
      contenu = utf8;
      options.jeu = JeuCaracteres::Utf8;
      contenuANous = true;
    }
    if (options.enteteSeul) {
      // A scratch database: header-only must not touch the caller's tree.
      TBD vide(CapacitesBD{0, 0, 0, 0});
      gedcom_import::Contexte(vide, types, contenu, chemin, options, entete, r).Execute();
    } else {
      ModeAjoutPendant mode(bd);
      gedcom_import::Contexte(bd, types, contenu, chemin, options, entete, r, contenuANous)
          .Execute();
    }
  } catch (const std::exception& e) {
    r.statut = Statut::Erreur(std::string(kErreurImport) + " : " + e.what());
  }
  return r;
}

}  // namespace

ResultatImport ImportGedcomTexte(TBD& bd, const TTablesTypes& types, std::string_view contenu,
                                 const std::string& chemin, const OptionsImport& options,
                                 TGedcomHeader& entete) {
  return Importe(bd, types, contenu, chemin, options, entete, false);
}

ResultatImport ImportGedcom(TBD& bd, const TTablesTypes& types, const std::string& chemin,
                            const OptionsImport& options, TGedcomHeader& entete) {
  ContenuFichier contenu;
  try {
    Statut s = LitFichierEntier(chemin, contenu);
    if (!s) {
      ResultatImport r;
      r.statut = Statut::Erreur(std::string(kErreurImport) + " : " + s.message());
      return r;
    }
  } catch (const std::exception& e) {
    ResultatImport r;
    r.statut = Statut::Erreur(std::string(kErreurImport) + " : " + e.what());
    return r;
  }
  return Importe(bd, types, contenu.Vue(), chemin, options, entete, true);
}

// ---------------------------------------------------------------------------

void NomDeGedcom(std::string_view valeur, bool majuscules, Texte& nom, Texte& prenoms) {
  // Views into the value, each part copied once: a name per person is read.
  auto bords = [](std::string_view t) {
    size_t debut = 0, fin = t.size();
    while (debut < fin && static_cast<unsigned char>(t[debut]) <= ' ') ++debut;
    while (fin > debut && static_cast<unsigned char>(t[fin - 1]) <= ' ') --fin;
    return t.substr(debut, fin - debut);
  };
  std::string_view v = valeur;
  // A closing '/' at the very end counts as a space, which the trims below remove.
  if (!v.empty() && v.back() == '/') v.remove_suffix(1);
  std::string_view n, p;
  std::string joint;
  if (!v.empty() && v.front() == '/') {
    size_t fin = v.find('/', 1);
    if (fin == std::string_view::npos) {
      n = v.substr(1);
    } else {
      n = v.substr(1, fin - 1);
      p = v.substr(fin + 1);
    }
  } else {
    size_t debut = v.find('/');
    if (debut == std::string_view::npos) {
      n = v;
    } else {
      p = v.substr(0, debut);
      size_t fin = v.find('/', debut + 1);
      if (fin == std::string_view::npos) {
        n = v.substr(debut + 1);
      } else {
        // "Jean /Dupont/ Jr": what follows the surname stays with the given names.
        n = v.substr(debut + 1, fin - debut - 1);
        const std::string_view suite = bords(v.substr(fin + 1));
        if (!suite.empty()) {
          joint.append(bords(p)).append(" ").append(suite);
          p = joint;
        }
      }
    }
  }
  const std::string_view nomVu = bords(n), prenomsVus = bords(p);
  std::string nouveauNom(nomVu.empty() ? std::string_view("?") : nomVu);
  prenoms.assign(prenomsVus);
  nom = std::move(nouveauNom);
  if (majuscules) {
    nom = MajusculesAnsi(nom);
    prenoms = CapitalisePrenoms(prenoms);
  }
}

}  // namespace kindrela
