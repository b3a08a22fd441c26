// The record readers of the GEDCOM import: persons, families, sources and
// the events inside them.
#include <algorithm>

#include "core/ansi_literal.h"
#include "core/text.h"
#include "core/value_limit.h"
#include "dates/dates.h"
#include "gedcom/gedcom_import_context.h"

namespace kindrela::gedcom_import {

namespace {

constexpr const char* kCrLf = "\r\n";

// Appends a text that ends with CR LF (or a line that does not) to a note,
// on a line of its own.
template <class Chaine>
void AjouteLigne(Chaine& note, std::string_view texte) {
  if (texte.empty()) return;
  if (!note.empty() && note.back() != '\n') note += kCrLf;
  note += texte;
  if (note.back() != '\n') note += kCrLf;
}

// A text put before the note, on its own line.
template <class Chaine>
void Prefixe(Chaine& note, std::string_view texte) {
  if (texte.empty()) return;
  std::string tete(texte);
  tete += kCrLf;
  tete += std::string_view(note);
  note = tete;
}

// The last line ends of a one-line text read as multi-line.
std::string SurUneLigne(std::string texte) {
  while (!texte.empty() && (texte.back() == '\n' || texte.back() == '\r')) texte.pop_back();
  return texte;
}

// Person events whose kind the tag gives.
const std::string* NatureFiche(const TBD& bd, std::string_view tag) {
  if (tag == "BIRT") return &bd.NatNaissance;
  if (tag == "DEAT") return &bd.NatDeces;
  if (tag == "BURI" || tag == "CREM") return &bd.NatSepulture;
  if (tag == "BAPM" || tag == "CHR" || tag == "BARM" || tag == "BASM" || tag == "BLES")
    return &bd.NatBapteme;
  return nullptr;
}

// Union events whose kind the tag gives.
const std::string* NatureUnion(const TBD& bd, std::string_view tag) {
  if (tag == "ENGA" || tag == "MARR" || tag == "MARB" || tag == "MARC") return &bd.NatMariage;
  if (tag == "ANUL" || tag == "CENS" || tag == "DIV" || tag == "DIVF") return &bd.NatDivorce;
  return nullptr;
}

}  // namespace

std::string DateTolerante(std::string_view phrase) {
  std::string d = DateDeGedcom(phrase);
  if (!d.empty()) return d;
  static constexpr std::string_view kJours[] = {"MONDAY", "TUESDAY", "WEDNESDAY", "THURSDAY",
                                                "FRIDAY", "SATURDAY", "SUNDAY"};
  static constexpr std::string_view kMois[] = {"JANUARY", "FEBRUARY", "MARCH", "APRIL",
                                               "MAY", "JUNE", "JULY", "AUGUST", "SEPTEMBER",
                                               "OCTOBER", "NOVEMBER", "DECEMBER"};
  std::string propre;
  std::string mot;
  auto finMot = [&] {
    if (mot.empty()) return;
    const bool jour = std::find(std::begin(kJours), std::end(kJours), mot) != std::end(kJours);
    if (!jour) {
      if (std::find(std::begin(kMois), std::end(kMois), mot) != std::end(kMois)) mot.resize(3);
      size_t chiffres = 0;
      while (chiffres < mot.size() && mot[chiffres] >= '0' && mot[chiffres] <= '9') ++chiffres;
      const std::string_view suite = std::string_view(mot).substr(chiffres);
      if (chiffres > 0 && (suite == "ST" || suite == "ND" || suite == "RD" || suite == "TH"))
        mot.resize(chiffres);
      if (!propre.empty()) propre += ' ';
      propre += mot;
    }
    mot.clear();
  };
  for (char c : MajusculesAnsi(phrase)) {
    if (c == ' ' || c == ',' || c == '.') finMot();
    else mot += c;
  }
  finMot();
  return propre.empty() ? std::string() : DateDeGedcom(propre);
}

// The kind of an event of another tag. EVEN takes its TYPE. A tag the
// event-kind table names keeps the table's word, so that events of one kind
// are found together, and its TYPE goes into the note; a tag the table does
// not know is its own kind, followed by the TYPE.
std::string Contexte::NatureAutre(const std::string& deLaTable, bool even, const std::string& type,
                                  Texte& note) const {
  if (even && !type.empty()) return type;
  if (!deLaTable.empty()) {
    Prefixe(note, type);
    return deLaTable;
  }
  std::string nature = m_cle;
  if (!type.empty()) {
    nature += " ";
    nature += type;
  }
  return nature;
}

// ----- Events -----

void Contexte::LitEvenement(int niveau, TEve& eve, std::string& type, int fiche) {
  eve = TEve();
  type.clear();
  Lit();
  while (!m_lecteur.Fin() && L().niveau > niveau) {
    const std::string_view tag = L().tag;
    if (tag == "DATE") {
      std::string_view lue;
      if (m_lecteur.ValeurCalculee(lue)) eve.DateEve = lue;
      else eve.DateEve = DateTolerante(L().valeur);
      // A date we cannot read is kept in the note rather than lost.
      if (eve.DateEve.empty() && !Trim(L().valeur).empty())
        AjouteLigne(eve.NoteEve, "Date : " + std::string(L().valeur));
    } else if (tag == "PLAC") {
      eve.Lieu = L().valeur;
    } else if (tag == "TYPE") {
      type = L().valeur;
    } else if (tag == "TIME") {
      eve.Heure = L().valeur;
    } else if (tag == "QUAY") {
      eve.Certitude = std::to_string(std::clamp(3 - TexteVersEntier(L().valeur, 0), 0, 3));
    } else if (EstNote(tag)) {
      AjouteLigne(eve.NoteEve, TexteNote(L().niveau));
      continue;
    } else if (tag == "SOUR") {
      if (EstPointeur(L().valeur)) {
        // The source is kept and attached to the person; the note names it.
        const int s = SourceDe(L().valeur);
        if (fiche != 0 && s != 0) m_bd.AjouteSrc(fiche, s);
        const std::string& titre = TitreEnregistrementSource(L().valeur);
        AjouteLigne(eve.NoteEve, titre.empty() ? L().valeur : std::string_view(titre));
        SauteSousLignes(L().niveau);
      } else {
        AjouteLigne(eve.NoteEve, TexteMultiligne(L().niveau));
      }
      continue;
    } else {
      AjouteLigne(eve.NoteEve, L().texte);
      JournalLigne(" EVE : ");
    }
    Lit();
  }
}

void Contexte::StockeEveFiche(int n, TEve&& eve) {
  ++m_r.evenements.lus;
  const int e = m_bd.AjouteEveFiche(n);
  if (e == 0) {
    ++m_r.evenements.nonStockes;
    return;
  }
  eve.Utilise = 1;
  m_bd.EveBrute(e) = std::move(eve);
}

void Contexte::StockeEveUnion(int u, TEve&& eve) {
  ++m_r.evenements.lus;
  const int e = m_bd.AjouteEveUnion(u);
  if (e == 0) {
    ++m_r.evenements.nonStockes;
    return;
  }
  eve.Utilise = 1;
  m_bd.EveBrute(e) = std::move(eve);
}

// ----- Persons -----

void Contexte::LitPersonne() {
  ++m_r.personnes.lus;
  const long ligne = L().numero;
  const std::string xref(L().xref);
  const int n = m_bd.NouvelleFiche();
  EnregistrePersonne(L().xref, n);
  if (n == 0) {
    ++m_r.personnes.nonStockes;
    SauteEnregistrement(false);
    return;
  }
  m_bd.EcritSexe(n, 2);  // unknown until a SEX line says otherwise
  TEve eve;
  std::string type;
  std::string nomLu;  // the value of the NAME read last
  Lit();
  while (!m_lecteur.Fin() && L().niveau != 0) {
    if (L().niveau != 1) {
      Lit();
      continue;
    }
    const std::string_view tag = L().tag;
    if (tag == "NAME") {
      // A NAME without a value may give its parts on GIVN and SURN lines;
      // its notes and sources are the person's.
      std::string valeur(L().valeur), givn, surn, note;
      Lit();
      while (!m_lecteur.Fin() && L().niveau > 1) {
        if (L().niveau == 2 && EstNote(L().tag)) {
          AjouteLigne(note, TexteNote(2));
          continue;
        }
        if (L().niveau == 2 && L().tag == "GIVN") {
          givn = L().valeur;
        } else if (L().niveau == 2 && L().tag == "SURN") {
          surn = L().valeur;
        } else if (L().niveau == 2 && L().tag == "SOUR" && EstPointeur(L().valeur)) {
          if (const int s = SourceDe(L().valeur)) m_bd.AjouteSrc(n, s);
        }
        Lit();
      }
      if (valeur.empty() && !(givn.empty() && surn.empty())) valeur = givn + " /" + surn + "/";
      TFiche& f = m_bd.FicheBrute(n);
      // A second NAME replaces the first, which stays in the note.
      if (!nomLu.empty()) AjouteLigne(f.Note, "Autre nom : " + nomLu);
      nomLu = valeur;
      NomDeGedcom(valeur, m_options.majuscules, f.Nom, f.Pre);
      AjouteLigne(f.Note, note);
    } else if (tag == "SEX") {
      const std::string_view v = L().valeur;
      m_bd.EcritSexe(n, v == "M" || v == "m" ? 0 : v == "F" || v == "f" ? 1 : 2);
      SauteSousLignes(1);
    } else if (const std::string* fixe = NatureFiche(m_bd, tag)) {
      LitEvenement(1, eve, type, n);
      eve.Nature = *fixe;
      Prefixe(eve.NoteEve, type);  // the kind stays findable; the description is kept
      StockeEveFiche(n, std::move(eve));
    } else if (tag == "FAMS" || tag == "FAMC") {
      SauteSousLignes(1);  // the links come from the family records
    } else if (EstNote(tag)) {
      std::string texte = TexteNote(1);
      m_bd.FicheBrute(n).Note += texte;
    } else if (tag == "OCCU" || tag == "TITL") {
      if (!L().valeur.empty()) {
        Texte& champs = m_bd.FicheBrute(n).Champs;
        champs += "t|";
        champs += tag == "OCCU" ? m_bd.NatProfession : std::string("Titre");
        champs += "|";
        champs += L().valeur;
        champs += "|";
      }
      SauteSousLignes(1);
    } else if (tag == "CHAN") {
      const bool journal = m_journalActif;
      m_journalActif = false;  // the TIME under its DATE is of no interest
      LitEvenement(1, eve, type, 0);
      m_journalActif = journal;
      if (!eve.DateEve.empty()) {
        TFiche& f = m_bd.FicheBrute(n);
        f.Dcree = eve.DateEve;
        f.DdMAJ = eve.DateEve;
      }
    } else if (tag == "SOUR") {
      if (EstPointeur(L().valeur)) {
        const int s = SourceDe(L().valeur);
        if (s != 0) m_bd.AjouteSrc(n, s);
        SauteSousLignes(1);
      } else {
        // A source written in place: a source of its own, titled by its first line.
        std::string texte = TexteMultiligne(1);
        ++m_r.sources.lus;
        const int s = m_bd.NouvelleSrc();
        if (s == 0) {
          ++m_r.sources.nonStockes;
        } else if (!texte.empty()) {
          TSrc& src = m_bd.SrcBrute(s);
          src.SrcTitre = texte.substr(0, texte.find('\r'));
          src.SrcTexte = texte;
          m_bd.AjouteSrc(n, s);
        } else {
          m_bd.AjouteSrc(n, s);
        }
      }
    } else {
      m_cle.assign(tag);
      auto champ = m_champDeTag.find(m_cle);
      if (champ == m_champDeTag.end()) champ = m_champDeTag.emplace(m_cle, m_types.ChampDeTag(m_cle)).first;
      if (!champ->second.empty()) {
        m_bd.EcritChampPerso(n, champ->second, L().valeur);
        SauteSousLignes(1);
        continue;
      }
      auto kind = m_eveDeTag.find(m_cle);
      if (kind == m_eveDeTag.end()) kind = m_eveDeTag.emplace(m_cle, m_types.EvenementDeTag(m_cle)).first;
      std::string valeur(L().valeur);
      const bool even = tag == "EVEN";  // the tag's view ends with this line
      LitEvenement(1, eve, type, n);
      eve.Nature = NatureAutre(kind->second, even, type, eve.NoteEve);
      Prefixe(eve.NoteEve, valeur);
      StockeEveFiche(n, std::move(eve));
    }
  }
  TFiche& f = m_bd.FicheBrute(n);
  // A person without a name would be dropped by the next load of the tree.
  if (f.Nom.empty() && f.Pre.empty()) f.Nom = "?";
  // Naming the person costs more than looking at the sizes: the name (as it
  // was before any cut) is made only for a person with a text too long.
  auto tropLong = [](const Texte& t) { return t.size() > kLongueurMaxValeur; };
  bool coupe = tropLong(f.Note) || tropLong(f.Champs) || tropLong(f.Nom) || tropLong(f.Pre);
  for (int k = 1, nb = m_bd.NbreEveFiche(n); k <= nb && !coupe; ++k) {
    const int e = LitEntree(f.TabEve, k);
    coupe = m_bd.EveUtilise(e) && tropLong(m_bd.Eve(e).NoteEve);
  }
  if (!coupe) return;
  const std::string qui = m_bd.NomCourt(n) + " (" + xref + ")";
  auto personne = [&] { return qui; };
  Raccourcit(f.Note, "gedcom_note_de", "la note de %s"_ansi, personne, ligne);
  Raccourcit(f.Champs, "gedcom_champs_de", "les champs de %s"_ansi, personne, ligne);
  Raccourcit(f.Nom, "gedcom_nom_de", "le nom de %s"_ansi, personne, ligne);
  Raccourcit(f.Pre, "gedcom_prenoms_de", "les prénoms de %s"_ansi, personne, ligne);
  for (int k = 1, nb = m_bd.NbreEveFiche(n); k <= nb; ++k) {
    const int e = LitEntree(f.TabEve, k);
    if (!m_bd.EveUtilise(e)) continue;
    TEve& v = m_bd.EveBrute(e);
    Raccourcit(v.NoteEve, "gedcom_note_eve_de", "la note de l'événement %s"_ansi,
               [&] { return v.Nature + " de " + qui; }, ligne);
  }
}

// ----- Families -----

void Contexte::LitFamille() {
  const long ligne = L().numero;
  const std::string xref(L().xref);
  int mari = 0;
  int femme = 0;
  int u = 0;
  bool unionTentee = false;
  std::vector<int> enfants;
  std::vector<int> sourcesFamille;
  std::vector<TEve> enAttente;
  std::string note;
  TEve eve;
  std::string type;

  auto creeUnion = [&] {
    if (unionTentee) return;
    unionTentee = true;
    ++m_r.unions.lus;
    u = m_bd.NouvelleUnion();
    if (u == 0) {
      ++m_r.unions.nonStockes;
      return;
    }
    m_bd.EcritNumH(u, mari);
    m_bd.EcritNumF(u, femme);
  };

  Lit();
  while (!m_lecteur.Fin() && L().niveau != 0) {
    if (L().niveau != 1) {
      Lit();
      continue;
    }
    const std::string_view tag = L().tag;
    if (tag == "HUSB" || tag == "WIFE") {
      // A partner of the other sex is refused; one of unknown sex is taken.
      const bool estMari = tag == "HUSB";
      const int p = ChercheePersonne(L().valeur);
      if (p != 0 && m_bd.LitSexe(p) != (estMari ? 1 : 0)) {
        (estMari ? mari : femme) = p;
        if (u != 0) {
          if (estMari) m_bd.EcritNumH(u, p);
          else m_bd.EcritNumF(u, p);
        } else if (mari != 0 && femme != 0) {
          creeUnion();
        }
      }
      SauteSousLignes(1);
    } else if (tag == "CHAN") {
      SauteSousLignes(1);  // a union keeps no change date
    } else if (tag == "SOUR" && EstPointeur(L().valeur)) {
      // A union has no source list: the source goes to both partners.
      if (const int s = SourceDe(L().valeur)) sourcesFamille.push_back(s);
      SauteSousLignes(1);
    } else if (tag == "CHIL") {
      const int p = ChercheePersonne(L().valeur);
      if (p != 0) enfants.push_back(p);
      SauteSousLignes(1);
    } else if (EstNote(tag)) {
      note += TexteNote(1);
    } else if (const std::string* fixe = NatureUnion(m_bd, tag)) {
      creeUnion();
      LitEvenement(1, eve, type, 0);
      eve.Nature = *fixe;
      Prefixe(eve.NoteEve, type);
      if (u != 0) StockeEveUnion(u, std::move(eve));
    } else {
      m_cle.assign(tag);
      auto kind = m_eveDeTag.find(m_cle);
      if (kind == m_eveDeTag.end()) kind = m_eveDeTag.emplace(m_cle, m_types.EvenementDeTag(m_cle)).first;
      std::string valeur(L().valeur);
      const bool even = tag == "EVEN";  // the tag's view ends with this line
      LitEvenement(1, eve, type, 0);
      eve.Nature = NatureAutre(kind->second, even, type, eve.NoteEve);
      Prefixe(eve.NoteEve, valeur);
      // Before both partners are read there is no union yet: the event
      // waits for the end of the record.
      if (u != 0) StockeEveUnion(u, std::move(eve));
      else enAttente.push_back(std::move(eve));
    }
  }
  if (mari != 0 && femme != 0) creeUnion();
  if (u != 0)
    for (TEve& attente : enAttente) StockeEveUnion(u, std::move(attente));
  // Children are linked once the whole record is read, so that CHIL lines
  // written before HUSB and WIFE find their parents too.
  for (int enfant : enfants) {
    if (mari != 0 && enfant != mari && enfant != femme) m_bd.EcritPere(enfant, mari);
    if (femme != 0 && enfant != mari && enfant != femme) m_bd.EcritMere(enfant, femme);
  }
  if (u != 0 && !note.empty())
    m_bd.EcritChampUnion(u, 7, m_bd.LitChampUnion(u, 7) + note);
  for (int s : sourcesFamille) {
    if (mari != 0) m_bd.AjouteSrc(mari, s);
    if (femme != 0) m_bd.AjouteSrc(femme, s);
  }
  if (u == 0) return;
  const TUnion& uni = m_bd.Union(u);
  for (int k = 1, nb = NbreEntrees(uni.TabEve); k <= nb; ++k) {
    const int e = LitEntree(uni.TabEve, k);
    if (!m_bd.EveUtilise(e)) continue;
    TEve& v = m_bd.EveBrute(e);
    Raccourcit(v.NoteEve, "gedcom_note_eve_union", "la note de l'événement %s"_ansi,
               [&] { return v.Nature + " (" + xref + ")"; }, ligne);
  }
}

// ----- Sources -----

void Contexte::LitSource() {
  const long ligne = L().numero;
  const std::string xref(L().xref);
  const int s = SourceDe(L().xref);
  if (s == 0) {
    SauteEnregistrement(false);
    return;
  }
  std::string sousQuoi;  // the level-1 tag the level-2 lines belong to
  Lit();
  while (!m_lecteur.Fin() && L().niveau != 0) {
    const int niveau = L().niveau;
    const std::string_view tag = L().tag;
    TSrc& src = m_bd.SrcBrute(s);
    if (niveau == 1) sousQuoi.assign(tag);
    if (niveau < 1 || niveau > 2) {
      Lit();
    } else if (niveau == 1 && tag == "REPO") {
      // The repository's name, address and notes stay with the source; its
      // call number (CALN) follows as any other line.
      src.SrcTexte += TexteDepot(L().valeur);
      if (EstPointeur(L().valeur)) Lit();
    } else if (niveau == 1 && tag == "TITL") {
      src.SrcTitre = SurUneLigne(TexteContinue(1));
    } else if (niveau == 1 && tag == "ABBR") {
      src.SrcAbrege = SurUneLigne(TexteContinue(1));
    } else if (niveau == 1 && EstNote(tag)) {
      std::string texte = TexteNote(1);
      m_bd.SrcBrute(s).SrcTexte += texte;
    } else if (niveau == 2 && tag == "NOTE" && sousQuoi == "OBJE") {
      src.SrcMedia += "|";
      src.SrcMedia += L().valeur;
      Lit();
    } else if (tag == "FILE") {
      src.SrcMedia = L().valeur;
      Lit();
    } else if (tag == "OBJE" || tag == "FORM") {
      Lit();
    } else if (niveau == 1 && tag == "CHAN") {
      SauteSousLignes(1);  // a source keeps no change date
    } else {
      std::string texte(tag);
      texte += ": ";
      std::string suite = TexteContinue(niveau);
      texte += suite.empty() ? std::string(kCrLf) : suite;
      m_bd.SrcBrute(s).SrcTexte += texte;
    }
  }
  TSrc& src = m_bd.SrcBrute(s);
  auto source = [&] { return xref; };
  Raccourcit(src.SrcTexte, "gedcom_texte_source", "le texte de la source %s"_ansi, source, ligne);
  Raccourcit(src.SrcTitre, "gedcom_titre_source", "le titre de la source %s"_ansi, source, ligne);
  Raccourcit(src.SrcMedia, "gedcom_media_source", "le média de la source %s"_ansi, source, ligne);
}

}  // namespace kindrela::gedcom_import
