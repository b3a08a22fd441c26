#include "gedcom/gedcom_lines.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <condition_variable>
#include <cstring>
#include <limits>
#include <mutex>
#include <thread>
#include <vector>

#include "core/file_io.h"
#include "core/letters.h"
#include "core/text.h"

namespace kindrela {

namespace {

constexpr std::string_view kBom = "\xEF\xBB\xBF";
// Only the first invalid lines are named; the count says how many there were.
constexpr long kMaxLignesNommees = 50;

bool EstBlanc(char c) { return c == ' ' || c == '\t'; }

// What the split of a line asks of each byte, one table look-up a byte.
constexpr unsigned char kBlanc = 1;
constexpr unsigned char kMinuscule = 2;  // lower case or non-ASCII: a tag to upper-case
constexpr auto kClasses = [] {
  std::array<unsigned char, 256> classes{};
  classes[' '] = classes['\t'] = kBlanc;
  for (int c = 'a'; c <= 'z'; ++c) classes[c] = kMinuscule;
  for (int c = 0x80; c < 0x100; ++c) classes[c] = kMinuscule;
  return classes;
}();

std::string_view SansBlancsDebut(std::string_view s) {
  size_t i = 0;
  while (i < s.size() && EstBlanc(s[i])) ++i;
  return s.substr(i);
}

bool ToutAscii(std::string_view s) {
  for (char c : s)
    if (static_cast<unsigned char>(c) >= 0x80) return false;
  return true;
}

// A line decoded before it is split: letters beyond ASCII in a set other
// than Windows-1252, or what may be a numeric reference.
bool DoitDecoder(std::string_view brute, JeuCaracteres jeu) {
  return (jeu != JeuCaracteres::Windows && !ToutAscii(brute)) || PeutContenirReference(brute);
}

}  // namespace

void DecoupeLigneGedcom(std::string_view ligne, std::string& tagMajuscule, LigneGedcom& sortie) {
  // Every line of the file passes here: plain pointer walks, no copy.
  const char* p = ligne.data();
  const char* fin = p + ligne.size();
  while (p < fin && EstBlanc(*p)) ++p;
  const char* finTexte = fin;
  while (finTexte > p && EstBlanc(finTexte[-1])) --finTexte;
  sortie.texte = std::string_view(p, static_cast<size_t>(finTexte - p));
  sortie.niveau = -1;
  sortie.xref = {};
  sortie.tag = {};
  sortie.valeur = {};
  sortie.brute = {};
  tagMajuscule.clear();

  // The level: digits, then a space. Nine digits at most, so it never overflows.
  const char* q = p;
  int niveau = 0;
  while (q < fin && *q >= '0' && *q <= '9' && q - p < 9) niveau = niveau * 10 + (*q++ - '0');
  if (q == p || q >= fin || !EstBlanc(*q)) return;
  sortie.niveau = niveau;

  while (q < fin && EstBlanc(*q)) ++q;
  if (q < fin && *q == '@') {
    const char* x = q;
    while (q < fin && !EstBlanc(*q)) ++q;
    sortie.xref = std::string_view(x, static_cast<size_t>(q - x));
    while (q < fin && EstBlanc(*q)) ++q;
  }
  // Tags are nearly always written in capitals already: no copy then.
  const char* t = q;
  unsigned char autre = 0;  // kMinuscule once a lower-case or non-ASCII letter is met
  for (; q < fin; ++q) {
    const unsigned char classe = kClasses[static_cast<unsigned char>(*q)];
    if (classe & kBlanc) break;
    autre |= classe;
  }
  const std::string_view tag(t, static_cast<size_t>(q - t));
  if (autre == 0) {
    sortie.tag = tag;
  } else {
    tagMajuscule.assign(tag);
    for (char& c : tagMajuscule) c = static_cast<char>(MajAnsi(static_cast<unsigned char>(c)));
    sortie.tag = tagMajuscule;
  }
  if (q < fin) {
    ++q;  // the one space after the tag
    sortie.brute = std::string_view(q, static_cast<size_t>(fin - q));
    while (q < fin && EstBlanc(*q)) ++q;
    // The value ends where the trimmed line does.
    sortie.valeur = std::string_view(q, static_cast<size_t>(std::max(finTexte, q) - q));
  }
}

LecteurGedcom::LecteurGedcom(std::string_view contenu, JeuCaracteres jeu)
    : m_contenu(contenu), m_jeu(jeu) {
  if (m_contenu.substr(0, kBom.size()) == kBom) m_pos = kBom.size();
}

namespace {

// The offset of the first CR or LF at or after `pos` (`taille` when none).
// Lines are short: eight bytes are looked at in one step, which beats a
// memchr per kind of line end; a byte at a time on the last few.
std::size_t FinDeLigne(const char* octets, std::size_t pos, std::size_t taille) {
  if constexpr (std::endian::native == std::endian::little) {
    constexpr std::uint64_t kUns = 0x0101010101010101ULL;
    constexpr std::uint64_t kHauts = 0x8080808080808080ULL;
    for (; pos + 8 <= taille; pos += 8) {
      std::uint64_t mot;
      std::memcpy(&mot, octets + pos, 8);
      // A byte of `cr` (or `lf`) is zero where the byte is a CR (LF); the
      // lowest flagged byte is always the first such one.
      const std::uint64_t cr = mot ^ (kUns * '\r');
      const std::uint64_t lf = mot ^ (kUns * '\n');
      const std::uint64_t trouve = (((cr - kUns) & ~cr) | ((lf - kUns) & ~lf)) & kHauts;
      if (trouve != 0) return pos + static_cast<std::size_t>(std::countr_zero(trouve)) / 8;
    }
  }
  while (pos < taille && octets[pos] != '\r' && octets[pos] != '\n') ++pos;
  return pos;
}

// What follows the line end at `fin` (CR, LF or CR LF; nothing at the end).
std::size_t ApresFinDeLigne(const char* octets, std::size_t fin, std::size_t taille) {
  if (fin >= taille) return fin;
  return octets[fin] == '\r' && fin + 1 < taille && octets[fin + 1] == '\n' ? fin + 2 : fin + 1;
}

}  // namespace

std::string_view LecteurGedcom::Brute() {
  const char* const debut = m_contenu.data();
  const size_t taille = m_contenu.size();
  const size_t fin = FinDeLigne(debut, m_pos, taille);
  std::string_view ligne(debut + m_pos, fin - m_pos);
  m_debutLigne = m_pos;
  m_pos = ApresFinDeLigne(debut, fin, taille);
  ++m_numero;
  return ligne;
}

bool LecteurGedcom::SuivanteBrute(std::string_view& ligne, long& numero, std::size_t& debut) {
  if (m_pos >= m_contenu.size()) return false;
  ligne = Brute();
  numero = m_numero;
  debut = m_debutLigne;
  return true;
}

void LecteurGedcom::DecoupeCourante(std::string_view brute) {
  m_aCalcule = false;
  std::string_view ligne = brute;
  if (DoitDecoder(brute, m_jeu)) {
    int remplaces = 0;
    if (m_compte && m_jeu == JeuCaracteres::Utf8 && !Utf8Valide(brute)) {
      if (m_nbreLignesInvalides < kMaxLignesNommees) {
        if (!m_lignesInvalides.empty()) m_lignesInvalides += ", ";
        m_lignesInvalides += std::to_string(m_numero);
      }
      ++m_nbreLignesInvalides;
    }
    DecodeLigneDans(brute, m_jeu, m_decode, &remplaces);
    if (m_compte) m_remplacements += remplaces;
    ligne = m_decode;
  }
  DecoupeLigneGedcom(ligne, m_tag, m_ligne);
  m_ligne.numero = m_numero;
}

// ----- Lines found ahead by a thread of their own -----

namespace {

enum class SorteLigne : unsigned char {
  Decoupee,  // split here: the reader rebuilds its views from the offsets
  ADecoder,  // to be decoded (or its tag upper-cased) by the reader itself
  Fin,       // end of the text; `numero` counts every line
  Arret,     // the thread stopped before this line (which it leaves to the reader)
};

// One non-blank line as the thread found it. The parts of a split line are
// offsets from its start: a fraction of the views' size, for lines that are
// written once and read once.
struct LigneAnnoncee {
  std::size_t debut = 0;
  std::size_t suivant = 0;  // what follows its line end
  long numero = 0;
  std::uint32_t longueur = 0;
  std::int32_t niveau = -1;
  std::uint32_t texte = 0, texteLong = 0, xref = 0, xrefLong = 0, tag = 0, tagLong = 0;
  std::uint32_t brute = 0, valeur = 0, valeurLong = 0;
  std::uint32_t calcule = 0, calculeLong = 0;  // in the lot's results
  bool aCalcule = false;
  SorteLigne sorte = SorteLigne::Fin;
};

// Lots of lines handed from the thread to the reader; a few in flight keep
// the two in step without either waiting for long.
constexpr std::size_t kLignesParLot = 8192;
constexpr std::size_t kLots = 4;
// Restarts of the thread after a jump of the reading; beyond them the
// reading goes on alone (a file whose families are scattered among persons).
constexpr int kReprises = 4;
// How many lines ahead of the reading they are fetched into the cache.
constexpr std::size_t kAvance = 16;

}  // namespace

class AnticipationLignes {
 public:
  AnticipationLignes(std::string_view contenu, JeuCaracteres jeu, std::size_t pos, long numero,
                     std::string_view tagCalcul, LecteurGedcom::Calcul calcul)
      : m_contenu(contenu),
        m_jeu(jeu),
        m_depart(pos),
        m_numeroDepart(numero),
        m_tagCalcul(tagCalcul),
        m_calcul(calcul) {
    // A short text has no more lines than bytes (and its end).
    const std::size_t reste = contenu.size() - std::min(pos, contenu.size());
    const std::size_t lignes = std::min(kLignesParLot, reste + 1);
    for (auto& lot : m_lots) {
      lot.lignes.resize(lignes);
      if (m_calcul) lot.calcules.reserve(lignes * 16);
    }
    m_fil = std::thread([this] { Produit(); });
  }
  ~AnticipationLignes() {
    {
      std::lock_guard verrou(m_mutex);
      m_arret = true;
    }
    m_change.notify_all();
    m_fil.join();
  }
  AnticipationLignes(const AnticipationLignes&) = delete;
  AnticipationLignes& operator=(const AnticipationLignes&) = delete;

  // The next line; the thread always ends on a Fin or Arret line, after
  // which the reader asks for no more.
  const LigneAnnoncee& Prochaine() {
    if (m_relire) {
      m_relire = false;
      return m_lot->lignes[m_index - 1];
    }
    if (m_lot == nullptr || m_index == m_lot->nbre) {
      std::unique_lock verrou(m_mutex);
      if (m_lot != nullptr) {
        ++m_consommes;  // the lot read through goes back to the thread
        m_change.notify_all();
      }
      m_change.wait(verrou, [this] { return m_produits > m_consommes; });
      m_lot = &m_lots[m_consommes % kLots];
      m_index = 0;
    }
    // The lines were written by the other core: asking for them a little
    // ahead hides most of the wait for them.
    if (m_index + kAvance < m_lot->nbre) __builtin_prefetch(&m_lot->lignes[m_index + kAvance]);
    return m_lot->lignes[m_index++];
  }
  // A result of the line `a` last given.
  std::string_view Calcule(const LigneAnnoncee& a) const {
    return std::string_view(m_lot->calcules).substr(a.calcule, a.calculeLong);
  }
  // The line last given comes again at the next Prochaine.
  bool Relit() {
    if (m_lot == nullptr || m_index == 0) return false;
    m_relire = true;
    return true;
  }

 private:
  struct Lot {
    std::vector<LigneAnnoncee> lignes;
    std::size_t nbre = 0;
    std::string calcules;  // the results of m_calcul, one after the other
  };

  // The thread: the lines of the text from m_depart, as Brute and Suivante
  // find them.
  void Produit() {
    const char* const octets = m_contenu.data();
    const std::size_t taille = m_contenu.size();
    std::size_t pos = m_depart;
    long numero = m_numeroDepart;
    std::string tagMajuscule;
    LigneGedcom ligne;
    for (bool fini = false; !fini;) {
      Lot* lot = nullptr;
      {
        std::unique_lock verrou(m_mutex);
        m_change.wait(verrou, [this] { return m_arret || m_produits - m_consommes < kLots; });
        if (m_arret) return;
        lot = &m_lots[m_produits % kLots];
      }
      lot->calcules.clear();
      std::size_t n = 0;
      while (n < lot->lignes.size() && !fini) {
        LigneAnnoncee& a = lot->lignes[n];
        if (pos >= taille) {
          a.sorte = SorteLigne::Fin;
          a.debut = a.suivant = taille;
          a.numero = numero;
          ++n;
          fini = true;
          break;
        }
        const std::size_t debut = pos;
        const std::size_t fin = FinDeLigne(octets, pos, taille);
        pos = ApresFinDeLigne(octets, fin, taille);
        ++numero;
        const std::string_view brute(octets + debut, fin - debut);
        if (SansBlancsDebut(brute).empty()) continue;
        a.debut = debut;
        a.suivant = pos;
        a.numero = numero;
        ++n;
        if (brute.size() > std::numeric_limits<std::uint32_t>::max()) {
          a.sorte = SorteLigne::Arret;
          fini = true;
          break;
        }
        a.longueur = static_cast<std::uint32_t>(brute.size());
        if (DoitDecoder(brute, m_jeu)) {
          a.sorte = SorteLigne::ADecoder;
          continue;
        }
        a.aCalcule = false;
        try {
          DecoupeLigneGedcom(brute, tagMajuscule, ligne);
          if (tagMajuscule.empty() && m_calcul != nullptr && ligne.tag == m_tagCalcul) {
            const std::size_t avant = lot->calcules.size();
            lot->calcules += m_calcul(ligne.valeur);
            a.calcule = static_cast<std::uint32_t>(avant);
            a.calculeLong = static_cast<std::uint32_t>(lot->calcules.size() - avant);
            a.aCalcule = lot->calcules.size() <= std::numeric_limits<std::uint32_t>::max();
          }
        } catch (...) {
          a.sorte = SorteLigne::Arret;  // the reader takes it, with its own memory
          fini = true;
          break;
        }
        if (!tagMajuscule.empty()) {
          a.sorte = SorteLigne::ADecoder;  // its tag lives in our buffer
          continue;
        }
        auto decalage = [&](std::string_view partie) {
          return partie.empty() ? 0u : static_cast<std::uint32_t>(partie.data() - brute.data());
        };
        a.sorte = SorteLigne::Decoupee;
        a.niveau = ligne.niveau;
        a.texte = decalage(ligne.texte);
        a.texteLong = static_cast<std::uint32_t>(ligne.texte.size());
        a.xref = decalage(ligne.xref);
        a.xrefLong = static_cast<std::uint32_t>(ligne.xref.size());
        a.tag = decalage(ligne.tag);
        a.tagLong = static_cast<std::uint32_t>(ligne.tag.size());
        // The raw value may be empty and still start inside the line ("1 BIRT ").
        a.brute = ligne.brute.data() == nullptr
                      ? a.longueur
                      : static_cast<std::uint32_t>(ligne.brute.data() - brute.data());
        a.valeur = decalage(ligne.valeur);
        a.valeurLong = static_cast<std::uint32_t>(ligne.valeur.size());
      }
      {
        std::lock_guard verrou(m_mutex);
        lot->nbre = n;
        ++m_produits;
      }
      m_change.notify_all();
    }
  }

  const std::string_view m_contenu;
  const JeuCaracteres m_jeu;
  const std::size_t m_depart;
  const long m_numeroDepart;
  const std::string m_tagCalcul;
  const LecteurGedcom::Calcul m_calcul;
  Lot m_lots[kLots];
  std::mutex m_mutex;
  std::condition_variable m_change;
  std::size_t m_produits = 0;   // lots handed to the reader, under m_mutex
  std::size_t m_consommes = 0;  // lots given back by the reader, under m_mutex
  bool m_arret = false;
  // The reader's side.
  Lot* m_lot = nullptr;
  std::size_t m_index = 0;
  bool m_relire = false;
  std::thread m_fil;  // last: started once everything it reads is in place
};

LecteurGedcom::~LecteurGedcom() = default;

void LecteurGedcom::Anticipe(std::size_t reprise, std::string_view tag, Calcul calcul) {
  m_reprise = reprise;
  m_reprisesPermises = kReprises;
  m_tagCalcul = tag;
  m_calcul = calcul;
  ArreteAnticipation();
  try {
    m_anticipation = std::make_unique<AnticipationLignes>(m_contenu, m_jeu, m_pos, m_numero,
                                                          m_tagCalcul, m_calcul);
  } catch (const std::exception&) {
    m_anticipation.reset();  // no thread or no memory for one: read alone
  }
}

void LecteurGedcom::ArreteAnticipation() {
  m_anticipation.reset();
  m_aCalcule = false;
  m_calcule = {};
}

bool LecteurGedcom::SuivanteAnticipee() {
  const LigneAnnoncee& a = m_anticipation->Prochaine();
  switch (a.sorte) {
    case SorteLigne::Decoupee:
    case SorteLigne::ADecoder: {
      m_debutLigne = a.debut;
      m_pos = a.suivant;
      m_numero = a.numero;
      const char* base = m_contenu.data() + a.debut;
      m_aCalcule = a.sorte == SorteLigne::Decoupee && a.aCalcule;
      m_calcule = m_aCalcule ? m_anticipation->Calcule(a) : std::string_view();
      if (a.sorte == SorteLigne::ADecoder) {
        DecoupeCourante(std::string_view(base, a.longueur));
      } else {
        auto partie = [base](std::uint32_t debut, std::uint32_t longueur) {
          return longueur == 0 ? std::string_view() : std::string_view(base + debut, longueur);
        };
        m_tag.clear();
        m_ligne.niveau = a.niveau;
        m_ligne.texte = partie(a.texte, a.texteLong);
        m_ligne.xref = partie(a.xref, a.xrefLong);
        m_ligne.tag = partie(a.tag, a.tagLong);
        m_ligne.brute = partie(a.brute, a.longueur - a.brute);
        m_ligne.valeur = partie(a.valeur, a.valeurLong);
        m_ligne.numero = m_numero;
      }
      return true;
    }
    case SorteLigne::Fin:
      m_pos = m_contenu.size();
      m_numero = a.numero;
      break;
    case SorteLigne::Arret:
      m_pos = a.debut;
      m_numero = a.numero - 1;
      break;
  }
  ArreteAnticipation();
  return false;
}

void LecteurGedcom::Positionne(std::size_t position, long numero) {
  // Back to the start of the current line (the next record read in order):
  // the lines found ahead still follow it.
  if (m_anticipation && !m_fin && position == m_debutLigne && numero == m_ligne.numero &&
      m_anticipation->Relit()) {
    m_pos = position;
    m_numero = numero - 1;
    return;
  }
  ArreteAnticipation();
  m_pos = position < m_contenu.size() ? position : m_contenu.size();
  m_numero = numero - 1;
  m_fin = false;
  if (m_reprisesPermises > 0 && m_contenu.size() - m_pos >= m_reprise && m_pos < m_contenu.size()) {
    --m_reprisesPermises;
    const int restantes = m_reprisesPermises;
    Anticipe(m_reprise, std::string(m_tagCalcul), m_calcul);
    m_reprisesPermises = restantes;
  }
}

bool LecteurGedcom::Suivante() {
  if (m_anticipation && SuivanteAnticipee()) return true;
  while (m_pos < m_contenu.size()) {
    std::string_view brute = Brute();
    if (SansBlancsDebut(brute).empty()) continue;
    DecoupeCourante(brute);
    return true;
  }
  m_fin = true;
  m_aCalcule = false;
  m_debutLigne = m_pos;
  m_ligne = LigneGedcom();
  m_ligne.numero = m_numero;
  return false;
}

bool Utf8Valide(std::string_view octets, bool coupeAutorisee) {
  const auto* p = reinterpret_cast<const unsigned char*>(octets.data());
  const size_t n = octets.size();
  size_t i = 0;
  while (i < n) {
    unsigned char c = p[i];
    if (c < 0x80) {
      ++i;
      continue;
    }
    int suite;
    unsigned char min2 = 0x80, max2 = 0xBF;  // the second byte's range rules out overlong forms
    if (c >= 0xC2 && c <= 0xDF) {
      suite = 1;
    } else if (c >= 0xE0 && c <= 0xEF) {
      suite = 2;
      if (c == 0xE0) min2 = 0xA0;
      if (c == 0xED) max2 = 0x9F;  // no surrogates
    } else if (c >= 0xF0 && c <= 0xF4) {
      suite = 3;
      if (c == 0xF0) min2 = 0x90;
      if (c == 0xF4) max2 = 0x8F;
    } else {
      return false;
    }
    for (int k = 1; k <= suite; ++k) {
      if (i + k >= n) return coupeAutorisee;
      unsigned char d = p[i + k];
      if (k == 1 ? (d < min2 || d > max2) : (d < 0x80 || d > 0xBF)) return false;
    }
    i += static_cast<size_t>(suite) + 1;
  }
  return true;
}

namespace {

enum class Ordre { Aucun, Petit, Grand };

Ordre OrdreUtf16(std::string_view c) {
  auto octet = [&](size_t i) { return i < c.size() ? static_cast<unsigned char>(c[i]) : 0x100u; };
  if (octet(0) == 0xFF && octet(1) == 0xFE) return Ordre::Petit;
  if (octet(0) == 0xFE && octet(1) == 0xFF) return Ordre::Grand;
  // No mark: a GEDCOM file starts with "0 HEAD", every other byte zero.
  if (c.size() >= 4 && c[0] == '0' && c[1] == '\0' && c[2] == ' ' && c[3] == '\0') return Ordre::Petit;
  if (c.size() >= 4 && c[0] == '\0' && c[1] == '0' && c[2] == '\0' && c[3] == ' ') return Ordre::Grand;
  return Ordre::Aucun;
}

void AjouteUtf8(std::string& s, char32_t c) {
  if (c < 0x80) {
    s += static_cast<char>(c);
  } else if (c < 0x800) {
    s += static_cast<char>(0xC0 | (c >> 6));
    s += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    s += static_cast<char>(0xE0 | (c >> 12));
    s += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    s += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    s += static_cast<char>(0xF0 | (c >> 18));
    s += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    s += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    s += static_cast<char>(0x80 | (c & 0x3F));
  }
}

}  // namespace

bool Utf16VersUtf8(std::string_view contenu, std::string& sortie) {
  const Ordre ordre = OrdreUtf16(contenu);
  if (ordre == Ordre::Aucun) return false;
  const auto* p = reinterpret_cast<const unsigned char*>(contenu.data());
  const size_t n = contenu.size() / 2;
  auto unite = [&](size_t i) -> char32_t {
    return ordre == Ordre::Petit ? p[2 * i] | (p[2 * i + 1] << 8) : (p[2 * i] << 8) | p[2 * i + 1];
  };
  std::string s;
  s.reserve(contenu.size() + kBom.size());
  s += kBom;
  size_t i = unite(0) == 0xFEFF ? 1 : 0;
  for (; i < n; ++i) {
    char32_t c = unite(i);
    if (c >= 0xD800 && c <= 0xDBFF && i + 1 < n && unite(i + 1) >= 0xDC00 && unite(i + 1) <= 0xDFFF) {
      c = 0x10000 + ((c - 0xD800) << 10) + (unite(i + 1) - 0xDC00);
      ++i;
    } else if (c >= 0xD800 && c <= 0xDFFF) {
      c = 0xFFFD;
    }
    AjouteUtf8(s, c);
  }
  sortie = std::move(s);
  return true;
}

JeuCaracteres JeuPreselectionne(std::string_view debut) {
  if (debut.substr(0, kBom.size()) == kBom || OrdreUtf16(debut) != Ordre::Aucun)
    return JeuCaracteres::Utf8;
  LecteurGedcom lecteur(debut, JeuCaracteres::Windows);
  std::string_view brute;
  long numero = 0;
  size_t position = 0;
  std::string tag;
  LigneGedcom ligne;
  bool dansEntete = false;
  while (lecteur.SuivanteBrute(brute, numero, position)) {
    DecoupeLigneGedcom(brute, tag, ligne);
    if (ligne.niveau == 0) {
      if (dansEntete) break;  // the header is over
      dansEntete = ligne.tag == "HEAD";
      continue;
    }
    JeuCaracteres jeu;
    if (dansEntete && ligne.niveau == 1 && ligne.tag == "CHAR" && JeuDepuisCharGedcom(ligne.valeur, jeu))
      return jeu;
  }
  if (!ToutAscii(debut) && Utf8Valide(debut, true)) return JeuCaracteres::Utf8;
  return JeuCaracteres::Windows;
}

JeuCaracteres JeuPreselectionneFichier(const std::string& chemin) {
  return JeuPreselectionne(LitDebutFichier(chemin, 64 * 1024));
}

bool CommenceCommeGedcom(std::string_view debut) {
  if (debut.substr(0, 2) == "\xFF\xFE" || debut.substr(0, 2) == "\xFE\xFF") return true;
  if (debut.substr(0, 3) == "\xEF\xBB\xBF") debut.remove_prefix(3);
  std::size_t i = debut.find_first_not_of(" \t\r\n");
  if (i == std::string_view::npos || debut[i] != '0') return false;
  std::size_t j = debut.find_first_not_of(" \t", i + 1);
  if (j == i + 1 || j == std::string_view::npos) return false;
  std::string_view tag = debut.substr(j, 4);
  return tag.size() == 4 && EgalSansCasse(tag, "HEAD") &&
         (j + 4 == debut.size() || std::string_view(" \t\r\n").find(debut[j + 4]) != std::string_view::npos);
}

}  // namespace kindrela
