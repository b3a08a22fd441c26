// Field access by code, typed shortcuts, events, sources and custom fields.
#include "core/database.h"

#include "core/journal.h"
#include "core/text.h"

namespace kindrela {

namespace {

struct Triple {
  std::string_view type;
  std::string_view cle;
  std::string_view valeur;
};

// The text up to the next "|" (or the end), and the position after it.
std::string_view Morceau(std::string_view s, size_t& p) {
  size_t fin = s.find('|', p);
  if (fin == std::string_view::npos) fin = s.size();
  std::string_view m = s.substr(p, fin - p);
  p = fin < s.size() ? fin + 1 : fin;
  return m;
}

// The triples of a custom-field list; a truncated last triple gets empty
// missing parts.
std::vector<Triple> Triples(std::string_view champs) {
  std::vector<Triple> triples;
  size_t p = 0;
  while (p < champs.size()) {
    Triple t;
    t.type = Morceau(champs, p);
    t.cle = Morceau(champs, p);
    t.valeur = Morceau(champs, p);
    triples.push_back(t);
  }
  return triples;
}

void AjouteTriple(std::string& champs, std::string_view type, std::string_view cle,
                  std::string_view valeur) {
  champs.append(type).append("|").append(cle).append("|").append(valeur).append("|");
}

// Person codes 6..17: which event kind and which event field.
struct ChampEvenement {
  const std::string* nature;
  int champ;
};

}  // namespace

// ---------------------------------------------------------------------------
// Person fields by code

namespace {

ChampEvenement EvenementDuCode(const TBD& bd, int code) {
  static constexpr int kChamps[3] = {2, 4, 5};  // date, place, note
  const std::string* natures[4] = {&bd.NatNaissance, &bd.NatBapteme, &bd.NatDeces,
                                   &bd.NatSepulture};
  return {natures[(code - 6) / 3], kChamps[(code - 6) % 3]};
}

}  // namespace

std::string TBD::LitChamp(int n, int code) const {
  if (!PersonneValide(n)) return {};
  const TFiche& f = m_fiches[n];
  switch (code) {
    case 0: return f.Utilise != 0 ? "1" : "0";
    case 1: return f.Sexe == 0 ? "H" : f.Sexe == 1 ? "F" : "I";
    case 2: return f.Nom.str();
    case 3: return f.Pre.str();
    case 4: return EntierVersTexte(f.NumP);
    case 5: return EntierVersTexte(f.NumM);
    case 18: return f.Note.str();
    case 19: return LitChampPerso(n, NatProfession);
    case 21: return f.Dcree.str();
    case 22: return f.DdMAJ.str();
    case 23: return f.Champs.str();
    case 24: return PremierPrenom(f.Pre);
    case 25: return f.Nom + " " + f.Pre;
    case 26: return f.Numero.str();
    case 27: return EntierVersTexte(f.CertP);
    case 28: return EntierVersTexte(f.CertM);
    default:
      if (code >= 6 && code <= 17) {
        ChampEvenement ce = EvenementDuCode(*this, code);
        return LitEveNature(n, *ce.nature, ce.champ);
      }
      return {};
  }
}

void TBD::EcritChamp(int n, int code, std::string_view texte) {
  if (!PersonneValide(n)) return;
  // The codes that write an event or a delegate keep their own records.
  auto f = [&]() -> TFiche& { return FicheModif(n); };
  switch (code) {
    case 0: {
      uint8_t utilise = texte == "1" ? 1 : 0;
      if (m_fiches[n].Utilise != utilise) {
        FicheModif(n);
        m_fiches.FixeUtilise(n, utilise);
        Change();
      }
      return;
    }
    case 1: {
      std::string m = MinusculesAnsi(texte);
      EcritSexe(n, m == "h" ? 0 : m == "f" ? 1 : 2);
      return;
    }
    case 2: f().Nom = texte; return;
    case 3: f().Pre = texte; return;
    case 4: FixePere(n, TexteVersEntier(texte)); return;
    case 5: FixeMere(n, TexteVersEntier(texte)); return;
    case 18: f().Note = texte; return;
    case 19: EcritChampPerso(n, NatProfession, texte); return;
    case 21: f().Dcree = texte; return;
    case 22: f().DdMAJ = texte; return;
    case 23: f().Champs = texte; return;
    case 26: f().Numero = texte; return;
    case 27: f().CertP = TexteVersEntier(texte); return;
    case 28: f().CertM = TexteVersEntier(texte); return;
    default:
      if (code >= 6 && code <= 17) {
        ChampEvenement ce = EvenementDuCode(*this, code);
        EcritEveNature(n, *ce.nature, ce.champ, texte);
      }
      return;
  }
}

// ---------------------------------------------------------------------------
// Typed shortcuts

std::string TBD::LitNom(int n) const { return LitChamp(n, 2); }
void TBD::EcritNom(int n, std::string_view nom) { EcritChamp(n, 2, nom); }
std::string TBD::LitPrenoms(int n) const { return LitChamp(n, 3); }
void TBD::EcritPrenoms(int n, std::string_view pre) { EcritChamp(n, 3, pre); }

int TBD::LitPere(int n) const { return PersonneValide(n) ? m_fiches[n].NumP : 0; }
void TBD::EcritPere(int n, int pere) {
  if (PersonneValide(n)) FixePere(n, pere);
}
int TBD::LitMere(int n) const { return PersonneValide(n) ? m_fiches[n].NumM : 0; }
void TBD::EcritMere(int n, int mere) {
  if (PersonneValide(n)) FixeMere(n, mere);
}

int TBD::LitSexe(int n) const { return PersonneValide(n) ? m_fiches[n].Sexe : 0; }
void TBD::EcritSexe(int n, int sexe) {
  if (!PersonneValide(n)) return;
  uint8_t valeur = (sexe == 0 || sexe == 1) ? static_cast<uint8_t>(sexe) : 2;
  if (m_fiches[n].Sexe == valeur) return;
  FicheModif(n).Sexe = valeur;
  Change();
}

std::string TBD::LitProfession(int n) const { return LitChamp(n, 19); }
void TBD::EcritProfession(int n, std::string_view profession) { EcritChamp(n, 19, profession); }
std::string TBD::LitDateNaissance(int n) const { return LitChamp(n, 6); }
void TBD::EcritDateNaissance(int n, std::string_view date) { EcritChamp(n, 6, date); }
std::string TBD::LitLieuNaissance(int n) const { return LitChamp(n, 7); }
void TBD::EcritLieuNaissance(int n, std::string_view lieu) { EcritChamp(n, 7, lieu); }
std::string TBD::LitDateDeces(int n) const { return LitChamp(n, 12); }
void TBD::EcritDateDeces(int n, std::string_view date) { EcritChamp(n, 12, date); }
std::string TBD::LitLieuDeces(int n) const { return LitChamp(n, 13); }
void TBD::EcritLieuDeces(int n, std::string_view lieu) { EcritChamp(n, 13, lieu); }

int TBD::LitCertP(int n) const { return PersonneValide(n) ? m_fiches[n].CertP : 0; }
void TBD::EcritCertP(int n, int cert) {
  if (PersonneValide(n) && m_fiches[n].CertP != cert) FicheModif(n).CertP = cert;
}
int TBD::LitCertM(int n) const { return PersonneValide(n) ? m_fiches[n].CertM : 0; }
void TBD::EcritCertM(int n, int cert) {
  if (PersonneValide(n) && m_fiches[n].CertM != cert) FicheModif(n).CertM = cert;
}

uint8_t TBD::LitReplie(int n) const { return PersonneValide(n) ? m_fiches[n].Replie : 0; }
void TBD::EcritReplie(int n, uint8_t replie) {
  if (PersonneValide(n)) m_fiches[n].Replie = replie;
}

// ---------------------------------------------------------------------------
// Union fields by code

namespace {

// Union codes 3..7: kind (false marriage, true divorce) and event field.
struct ChampUnion {
  bool divorce;
  int champ;
};

ChampUnion ChampUnionDuCode(int code) {
  static constexpr ChampUnion kChamps[5] = {
      {false, 2}, {true, 2}, {false, 4}, {true, 4}, {false, 5}};
  return kChamps[code - 3];
}

}  // namespace

std::string TBD::LitChampUnion(int u, int code) const {
  if (!m_unions.Valide(u)) return {};
  if (code == 1) return EntierVersTexte(m_unions[u].NumH);
  if (code == 2) return EntierVersTexte(m_unions[u].NumF);
  if (code < 3 || code > 7) return {};
  ChampUnion cu = ChampUnionDuCode(code);
  return LitEveUnionNature(u, cu.divorce ? NatDivorce : NatMariage, cu.champ);
}

void TBD::EcritChampUnion(int u, int code, std::string_view texte) {
  if (!m_unions.Valide(u)) return;
  if (code == 1) {
    FixeMari(u, TexteVersEntier(texte));
  } else if (code == 2) {
    FixeFemme(u, TexteVersEntier(texte));
  } else if (code >= 3 && code <= 7) {
    ChampUnion cu = ChampUnionDuCode(code);
    EcritEveUnionNature(u, cu.divorce ? NatDivorce : NatMariage, cu.champ, texte);
  }
}

// ---------------------------------------------------------------------------
// Events in packed lists

int TBD::EveDeListe(std::string_view tab, int k) const {
  int e = LitEntree(tab, k);
  return m_eves.Valide(e) ? e : 0;
}

int TBD::PremiereEveNature(std::string_view tab, std::string_view nature) const {
  int nbre = NbreEntrees(tab);
  for (int k = 1; k <= nbre; ++k) {
    int e = EveDeListe(tab, k);
    if (e != 0 && m_eves[e].Nature == nature) return k;
  }
  return 0;
}

int TBD::DerniereEveNature(std::string_view tab, std::string_view nature) const {
  for (int k = NbreEntrees(tab); k >= 1; --k) {
    int e = EveDeListe(tab, k);
    if (e != 0 && m_eves[e].Nature == nature) return k;
  }
  return 0;
}

int TBD::AjouteEve(Texte& tab) {
  int e = m_eves.Cherche(ModeAjout != 0);
  if (e == 0) return 0;
  if (e <= NbreEve()) EffaceEve(e);  // a fresh slot is already reset
  m_journal->AvantEve(e);
  m_eves.Occupe(e);
  AjouteEntree(tab, e);
  Change();
  return e;
}

void TBD::RetireEve(Texte& tab, int k) {
  if (k < 1 || k > NbreEntrees(tab)) return;
  int e = LitEntree(tab, k);
  if (m_eves.Valide(e)) EffaceEve(e);
  RetireEntree(tab, k);
  Change();
}

void TBD::EcritEveDansListe(Texte& tab, std::string_view natureVue, int f,
                            std::string_view texteVue) {
  // Copies: the caller's texts may live in an event that the allocation moves.
  std::string nature(natureVue);
  std::string texte(texteVue);
  int k = DerniereEveNature(tab, nature);
  int e;
  if (k != 0) {
    e = EveDeListe(tab, k);
  } else {
    if (texte.empty()) return;
    e = AjouteEve(tab);
    if (e == 0) return;
  }
  EcritChampEve(e, f, texte);
  if (m_eves[e].Nature != nature) EveModif(e).Nature = nature;
}

int TBD::NbreEveFiche(int n) const {
  return PersonneValide(n) ? NbreEntrees(m_fiches[n].TabEve) : 0;
}

int TBD::AjouteEveFiche(int n) {
  return PersonneValide(n) ? AjouteEve(FicheModif(n).TabEve) : 0;
}

void TBD::RetireEveFiche(int n, int k) {
  if (PersonneValide(n) && k >= 1 && k <= NbreEveFiche(n)) RetireEve(FicheModif(n).TabEve, k);
}

std::string TBD::LitEveFiche(int n, int k, int f) const {
  if (!PersonneValide(n)) return {};
  return LitChampEve(EveDeListe(m_fiches[n].TabEve, k), f);
}

void TBD::EcritEveFiche(int n, int k, int f, std::string_view texte) {
  if (PersonneValide(n)) EcritChampEve(EveDeListe(m_fiches[n].TabEve, k), f, texte);
}

std::string TBD::LitEveNature(int n, std::string_view nature, int f) const {
  if (!PersonneValide(n)) return {};
  const Texte& tab = m_fiches[n].TabEve;
  int k = PremiereEveNature(tab, nature);
  return k != 0 ? LitChampEve(EveDeListe(tab, k), f) : std::string();
}

void TBD::EcritEveNature(int n, std::string_view nature, int f, std::string_view texte) {
  if (PersonneValide(n)) EcritEveDansListe(FicheModif(n).TabEve, nature, f, texte);
}

int TBD::NbreEveUnion(int u) const {
  return m_unions.Valide(u) ? NbreEntrees(m_unions[u].TabEve) : 0;
}

int TBD::AjouteEveUnion(int u) { return m_unions.Valide(u) ? AjouteEve(UnionModif(u).TabEve) : 0; }

void TBD::RetireEveUnion(int u, int k) {
  if (m_unions.Valide(u) && k >= 1 && k <= NbreEveUnion(u)) RetireEve(UnionModif(u).TabEve, k);
}

std::string TBD::LitEveUnion(int u, int k, int f) const {
  if (!m_unions.Valide(u)) return {};
  return LitChampEve(EveDeListe(m_unions[u].TabEve, k), f);
}

void TBD::EcritEveUnion(int u, int k, int f, std::string_view texte) {
  if (m_unions.Valide(u)) EcritChampEve(EveDeListe(m_unions[u].TabEve, k), f, texte);
}

std::string TBD::LitEveUnionNature(int u, std::string_view nature, int f) const {
  if (!m_unions.Valide(u)) return {};
  const Texte& tab = m_unions[u].TabEve;
  int k = PremiereEveNature(tab, nature);
  return k != 0 ? LitChampEve(EveDeListe(tab, k), f) : std::string();
}

void TBD::EcritEveUnionNature(int u, std::string_view nature, int f, std::string_view texte) {
  if (m_unions.Valide(u)) EcritEveDansListe(UnionModif(u).TabEve, nature, f, texte);
}

// ---------------------------------------------------------------------------
// Events by number

void TBD::EffaceEve(int e) {
  if (!m_eves.Valide(e)) return;
  EveModif(e) = TEve();
  m_eves.FixeUtilise(e, 0);
  Change();
}

bool TBD::EveUtilise(int e) const { return m_eves.Valide(e) && m_eves[e].Utilise != 0; }

std::string TBD::LitChampEve(int e, int f) const {
  if (!m_eves.Valide(e)) return {};
  const TEve& x = m_eves[e];
  switch (f) {
    case 1: return x.Nature.str();
    case 2: return x.DateEve.str();
    case 3: return x.Heure.str();
    case 4: return x.Lieu.str();
    case 5: return x.NoteEve.str();
    case 6: return x.Certitude.str();
    default: return {};
  }
}

void TBD::EcritChampEve(int e, int f, std::string_view texte) {
  if (!m_eves.Valide(e) || (f >= 1 && f <= 6 && LitChampEve(e, f) == texte)) return;
  TEve& x = EveModif(e);
  switch (f) {
    case 1: x.Nature = texte; break;
    case 2: x.DateEve = texte; break;
    case 3: x.Heure = texte; break;
    case 4: x.Lieu = texte; break;
    case 5: x.NoteEve = texte; break;
    case 6: x.Certitude = texte; break;
    default: break;
  }
}

// ---------------------------------------------------------------------------
// Sources

int TBD::SrcDeListe(std::string_view tab, int k) const {
  int s = LitEntree(tab, k);
  return m_srcs.Valide(s) ? s : 0;
}

int TBD::AlloueSrc() {
  int s = m_srcs.Cherche(ModeAjout != 0);
  if (s == 0) return 0;
  if (s <= NbreSrc()) SrcModif(s) = TSrc();
  m_journal->AvantSrc(s);
  m_srcs.Occupe(s);
  Change();
  return s;
}

int TBD::NouvelleSrc() { return AlloueSrc(); }

void TBD::EffaceSrc(int s) {
  if (!m_srcs.Valide(s)) return;
  SrcModif(s) = TSrc();
  m_srcs.FixeUtilise(s, 0);
  Change();
}

bool TBD::SrcUtilisee(int s) const { return m_srcs.Valide(s) && m_srcs[s].Utilise != 0; }

std::string TBD::LitChampSrc(int s, int f) const {
  if (!m_srcs.Valide(s)) return {};
  const TSrc& x = m_srcs[s];
  switch (f) {
    case 1: return x.SrcTitre.str();
    case 2: return x.SrcTexte.str();
    case 3: return x.SrcAbrege.str();
    case 4: return x.SrcMedia.str();
    case 5: return EntierVersTexte(s);
    case 6: return x.SrcMedia.substr(0, x.SrcMedia.find('|'));
    default: return {};
  }
}

void TBD::EcritChampSrc(int s, int f, std::string_view texte) {
  if (!m_srcs.Valide(s) || (f >= 1 && f <= 4 && LitChampSrc(s, f) == texte)) return;
  TSrc& x = SrcModif(s);
  switch (f) {
    case 1: x.SrcTitre = texte; break;
    case 2: x.SrcTexte = texte; break;
    case 3: x.SrcAbrege = texte; break;
    case 4: x.SrcMedia = texte; break;
    default: break;
  }
}

int TBD::NbreSrcFiche(int n) const {
  return PersonneValide(n) ? NbreEntrees(m_fiches[n].TabSrc) : 0;
}

int TBD::AjouteNouvelleSrc(int n) {
  if (!PersonneValide(n)) return 0;
  int s = AlloueSrc();
  if (s != 0) AjouteEntree(FicheModif(n).TabSrc, s);
  return s;
}

bool TBD::AjouteSrc(int n, int s) {
  if (!PersonneValide(n)) return false;
  const Texte& tab = m_fiches[n].TabSrc;
  int nbre = NbreEntrees(tab);
  for (int k = 1; k <= nbre; ++k)
    if (LitEntree(tab, k) == s) return false;
  AjouteEntree(FicheModif(n).TabSrc, s);
  Change();
  return true;
}

void TBD::RetireSrc(int n, int s) {
  if (!PersonneValide(n)) return;
  const Texte& tab = m_fiches[n].TabSrc;
  int nbre = NbreEntrees(tab);
  for (int k = 1; k <= nbre; ++k) {
    if (LitEntree(tab, k) == s) {
      RetireEntree(FicheModif(n).TabSrc, k);
      Change();
      return;
    }
  }
}

std::string TBD::LitSrcFiche(int n, int k, int f) const {
  if (!PersonneValide(n)) return {};
  return LitChampSrc(SrcDeListe(m_fiches[n].TabSrc, k), f);
}

void TBD::EcritSrcFiche(int n, int k, int f, std::string_view texte) {
  if (PersonneValide(n)) EcritChampSrc(SrcDeListe(m_fiches[n].TabSrc, k), f, texte);
}

void TBD::EcritSrcTitre(int n, std::string_view titreVu, std::string_view texteVu, int f) {
  if (!PersonneValide(n)) return;
  // Copies: the caller's texts may live in a source that the allocation moves.
  std::string titre(titreVu);
  std::string texte(texteVu);
  const Texte& tab = m_fiches[n].TabSrc;
  int s = 0;
  for (int k = NbreEntrees(tab); k >= 1 && s == 0; --k) {
    int candidat = SrcDeListe(tab, k);
    if (candidat != 0 && m_srcs[candidat].SrcTitre == titre) s = candidat;
  }
  if (s == 0) {
    if (texte.empty()) return;
    s = AjouteNouvelleSrc(n);
    if (s == 0) return;
  }
  EcritChampSrc(s, f, texte);
  if (m_srcs[s].SrcTitre != titre) SrcModif(s).SrcTitre = titre;
}

// ---------------------------------------------------------------------------
// Custom fields

std::string TBD::LitChampPerso(int n, std::string_view cle) const {
  if (!PersonneValide(n)) return {};
  for (const Triple& t : Triples(m_fiches[n].Champs))
    if (t.cle == cle) return std::string(t.valeur);
  return {};
}

void TBD::EcritChampPerso(int n, std::string_view cle, std::string_view valeur) {
  if (!PersonneValide(n)) return;
  const Texte& champs = m_fiches[n].Champs;
  std::string nouveau;
  bool trouve = false;
  for (const Triple& t : Triples(champs)) {
    if (t.cle == cle) {
      trouve = true;
      if (!valeur.empty()) AjouteTriple(nouveau, "t", cle, valeur);
    } else if (!t.valeur.empty()) {
      AjouteTriple(nouveau, t.type, t.cle, t.valeur);
    }
  }
  if (!trouve && !valeur.empty()) AjouteTriple(nouveau, "t", cle, valeur);
  if (nouveau != champs) FicheModif(n).Champs = std::move(nouveau);
}

}  // namespace kindrela
