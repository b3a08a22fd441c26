// Whole-file reading and crash-safe writing.
#pragma once

#include <cstddef>
#include <functional>
#include <initializer_list>
#include <memory>
#include <string>
#include <string_view>

#include "core/status.h"

namespace kindrela {

// Paths travel through the program as Windows-1252 text, like every other
// text; the file system names files in UTF-8. Every call into the system
// with a path goes through this conversion.
std::string CheminSysteme(std::string_view chemin);

bool FichierExiste(const std::string& chemin);
bool DossierExiste(const std::string& chemin);

// The whole content of a file as bytes; an error names the file.
Statut LitFichier(const std::string& chemin, std::string& contenu);

// The whole content of a file for a reader that goes through it once. A
// large file is not zero-filled before it is read, and its two halves are
// read side by side; any other file (or one that changes size while read)
// is read as LitFichier reads it, with its errors.
class ContenuFichier {
 public:
  std::string_view Vue() const {
    return m_brut ? std::string_view(m_brut.get(), m_taille) : std::string_view(m_texte);
  }

 private:
  friend Statut LitFichierEntier(const std::string& chemin, ContenuFichier& contenu);
  std::unique_ptr<char[]> m_brut;
  std::size_t m_taille = 0;
  std::string m_texte;
};
Statut LitFichierEntier(const std::string& chemin, ContenuFichier& contenu);

// Gives the whole memory pages inside [debut, debut + taille) back to the
// system; their bytes read as zeros afterwards. Only for a buffer the
// caller owns and will not read there again (a file read into memory and
// gone through once). No effect where the system offers no such call.
void RendPagesMemoire(const char* debut, std::size_t taille);

// Writes `contenu` to a temporary file in the same folder, flushes it to the
// disk and renames it over `chemin`, so that a failure at any point leaves
// the previous file as it was. The temporary file is removed on failure, and
// those an earlier write of `chemin` left behind (a program stopped
// mid-write) are removed first. A symbolic link is written through: the
// file it names is replaced, keeping its permissions. The error names the
// file and says why (RaisonSysteme of core/system_error.h).
Statut EcritFichierAtomique(const std::string& chemin, std::string_view contenu);

// ----- The steps of durable writes, for writers that chain several -----
// Each returns 0, or the errno of the failure (nothing is then left under
// the name being made).

// Creates `chemin`, which must not exist, holding `contenu` flushed to the
// disk; it gets the permissions (and, where allowed, the owner) of `modele`
// when that file exists, the usual ones for a new file otherwise.
int EcritFichierNeuf(const std::string& chemin, std::string_view contenu, const std::string& modele = {});
// The same written in pieces, for content too large to hold whole: Ouvre,
// Ajoute as often as needed, then Termine, which flushes to the disk. Each
// returns 0 or the errno of the first failure, after which nothing more is
// written; a file not brought to a successful Termine is removed.
class FichierNeuf {
 public:
  FichierNeuf() = default;
  ~FichierNeuf();
  FichierNeuf(const FichierNeuf&) = delete;
  FichierNeuf& operator=(const FichierNeuf&) = delete;
  int Ouvre(const std::string& chemin, const std::string& modele = {});
  int Ajoute(std::string_view contenu);
  int Termine();
  void Abandonne();  // closes and removes the file
  // Asks the system to start putting on the disk what was added since the
  // last call, without waiting: the flush of Termine then waits less.
  void EnvoieAuDisque();

 private:
  std::string m_chemin;
  int m_fd = -1;
  int m_erreur = 0;
  long long m_ecrit = 0;
  long long m_envoye = 0;  // bytes already sent on by EnvoieAuDisque
};
int RenommeFichier(const std::string& de, const std::string& vers);
// A second name (hard link) for an existing file.
int LieFichier(const std::string& existant, const std::string& lien);
// Removes a file; no error when it is not there.
void SupprimeFichier(const std::string& chemin);
// The file `chemin` names once its symbolic links are followed: the path
// itself when it is no link, or a link to a file that does not exist yet.
std::string CheminReel(const std::string& chemin);
// A name for a temporary file beside `chemin`: `chemin` + `suffixe` + digits.
std::string NomTemporaire(const std::string& chemin, const char* suffixe);
// Removes the files of the folder of `chemin` named `chemin` + one of
// `suffixes` + digits (optionally followed by ".tmp" + digits): what writes
// of `chemin` stopped mid-way left behind.
void SupprimeTemporaires(const std::string& chemin, std::initializer_list<const char*> suffixes);
// Two names of one file (the same file, or hard links to it).
bool MemeFichierDisque(const std::string& a, const std::string& b);
// A file whose permissions let nobody write it.
bool FichierEnLectureSeule(const std::string& chemin);

// ----- Fault injection, for the tests of every writer -----

enum class EtapeEcriture { Ouverture, Ecriture, Synchro, Renommage, Lien, Suppression };
struct PasEcriture {
  EtapeEcriture etape;
  std::string chemin;      // the file the step acts on
  std::string cible;       // Renommage and Lien: the new name
  long long deja = 0;      // Ecriture: bytes of the file written so far
  long long taille = 0;    // Ecriture: bytes this write puts; may be lowered
};
// Called before each step of every write made through this file; returns
// 0 to let the step run, or the errno it then fails with (a write lowered
// to `taille` bytes writes them before failing; lowered to none without an
// errno, it fails with EIO). Any writer built on these
// functions (tree file, GEDCOM, web pages...) can be tested with it.
using InjecteurPannes = std::function<int(PasEcriture& pas)>;
// Installs `injecteur` for every later write of the process; empty: none.
void FixeInjecteurPannes(InjecteurPannes injecteur);

// At most the first `n` bytes of a file (fewer when it is shorter; empty
// when it cannot be read).
std::string LitDebutFichier(const std::string& chemin, std::size_t n);
// The same, saying why when the file cannot be read: it does not exist, is
// a folder, or the system refuses it (the error names the file).
Statut LitDebutFichier(const std::string& chemin, std::size_t n, std::string& octets);

// Makes the renames done in the folder of `chemin` durable.
void SynchroniseDossier(const std::string& chemin);

// For tests of the failure paths: when set, the next file written fails,
// as on a full disk, after this many of its bytes (-1: never).
void SimuleEchecEcriture(long long apresOctets);

// Folder part of a path, with its final "/" ("" when there is none), and
// the name part.
std::string DossierDe(const std::string& chemin);
std::string NomDe(const std::string& chemin);
// The path with its extension (from the last "." of the name) replaced.
std::string ChangeExtension(const std::string& chemin, const std::string& extension);
// The extension of the name, dot included (".kdg"); "" when it has none.
std::string ExtensionDe(const std::string& chemin);

}  // namespace kindrela
