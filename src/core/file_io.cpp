#include "core/file_io.h"

#include "core/ansi_literal.h"
#include "core/parallel_write.h"
#include "core/system_error.h"
#include "core/text.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <memory>
#include <random>
#include <sstream>
#include <vector>

namespace kindrela {
namespace {

// Set by tests only (FixeInjecteurPannes); empty in the program.
InjecteurPannes& Injecteur() {
  static InjecteurPannes injecteur;
  return injecteur;
}

int Pas(EtapeEcriture etape, const std::string& chemin, const std::string& cible = {}) {
  InjecteurPannes& injecteur = Injecteur();
  if (!injecteur) return 0;
  PasEcriture pas{etape, chemin, cible};
  return injecteur(pas);
}

// Big writes go in pieces, so that a failure can fall anywhere in a file.
constexpr std::size_t kMorceau = 1 << 20;

}  // namespace

std::string CheminSysteme(std::string_view chemin) { return AnsiVersUtf8(chemin); }

bool FichierExiste(const std::string& chemin) {
  struct stat st{};
  return ::stat(CheminSysteme(chemin).c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool DossierExiste(const std::string& chemin) {
  struct stat st{};
  return ::stat(CheminSysteme(chemin).c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool MemeFichierDisque(const std::string& a, const std::string& b) {
  struct stat sa{}, sb{};
  return ::stat(CheminSysteme(a).c_str(), &sa) == 0 && ::stat(CheminSysteme(b).c_str(), &sb) == 0 &&
         sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
}

bool FichierEnLectureSeule(const std::string& chemin) {
  struct stat st{};
  return ::stat(CheminSysteme(chemin).c_str(), &st) == 0 && S_ISREG(st.st_mode) &&
         (st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0;
}

namespace {

// A buffer of many megabytes is faulted in by large pages where the system
// offers them: a few hundred times fewer faults to fill it.
void DemandeGrandesPages(const char* debut, std::size_t taille) {
#if defined(__linux__) && defined(MADV_HUGEPAGE)
  constexpr std::uintptr_t kGrandePage = 2u << 20;
  if (taille < 2 * kGrandePage) return;
  const auto adresse = reinterpret_cast<std::uintptr_t>(debut);
  const std::uintptr_t premiere = (adresse + kGrandePage - 1) / kGrandePage * kGrandePage;
  const std::uintptr_t fin = (adresse + taille) / kGrandePage * kGrandePage;
  if (fin > premiere) (void)madvise(reinterpret_cast<void*>(premiere), fin - premiere, MADV_HUGEPAGE);
#else
  (void)debut;
  (void)taille;
#endif
}

}  // namespace

Statut LitFichier(const std::string& chemin, std::string& contenu) {
  const int fd = ::open(CheminSysteme(chemin).c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0)
    return Statut::Erreur("Impossible d'ouvrir le fichier " + chemin + " : " + RaisonSysteme(errno));
  struct stat st;
  if (::fstat(fd, &st) == 0 && S_ISDIR(st.st_mode)) {
    ::close(fd);
    return Statut::Erreur("Impossible d'ouvrir le fichier " + chemin + " : " + RaisonSysteme(EISDIR));
  }
  auto lit = [fd](char* ou, std::size_t n) {
    ssize_t r;
    do r = ::read(fd, ou, n);
    while (r < 0 && errno == EINTR);
    return r;
  };
  // The bytes go once into their place, at the size the file gives; what a
  // file has beyond it (one that grows, or a pipe, which has no size) is
  // read to its end all the same.
  const std::size_t taille =
      ::fstat(fd, &st) == 0 && st.st_size > 0 ? static_cast<std::size_t>(st.st_size) : 0;
  std::string octets;
  octets.reserve(taille);
  DemandeGrandesPages(octets.data(), taille);
  octets.resize(taille);
  std::size_t lus = 0;
  ssize_t r = 1;
  while (lus < octets.size() && (r = lit(octets.data() + lus, octets.size() - lus)) > 0)
    lus += static_cast<std::size_t>(r);
  octets.resize(lus);
  if (r > 0) {
    char suite[64 * 1024];
    while ((r = lit(suite, sizeof suite)) > 0) octets.append(suite, static_cast<std::size_t>(r));
  }
  ::close(fd);
  if (r < 0) return Statut::Erreur("Erreur de lecture du fichier " + chemin);
  contenu = std::move(octets);
  return Statut::Ok();
}

namespace {

// From this size on, a file read whole for one pass is read by halves side by side.
constexpr std::size_t kTailleLectureDouble = 8u << 20;

// Bytes [debut, debut + n) of the file into `ou`: how many were read, -1 on an error.
long long LitPlage(int fd, char* ou, std::size_t n, std::size_t debut) {
  std::size_t lus = 0;
  while (lus < n) {
    const ssize_t r = ::pread(fd, ou + lus, n - lus, static_cast<off_t>(debut + lus));
    if (r < 0 && errno == EINTR) continue;
    if (r < 0) return -1;
    if (r == 0) break;
    lus += static_cast<std::size_t>(r);
  }
  return static_cast<long long>(lus);
}

}  // namespace

Statut LitFichierEntier(const std::string& chemin, ContenuFichier& contenu) {
  contenu.m_brut.reset();
  contenu.m_taille = 0;
  contenu.m_texte.clear();
  const int fd = ::open(CheminSysteme(chemin).c_str(), O_RDONLY | O_CLOEXEC);
  struct stat st{};
  if (fd >= 0 && ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) &&
      static_cast<std::size_t>(st.st_size) >= kTailleLectureDouble) {
    const auto taille = static_cast<std::size_t>(st.st_size);
    auto octets = std::make_unique_for_overwrite<char[]>(taille);
    DemandeGrandesPages(octets.get(), taille);
    const std::size_t moitie = taille / 2;
    long long premiere = -1, seconde = -1;
    CoteACote([&] { premiere = LitPlage(fd, octets.get(), moitie, 0); },
              [&] { seconde = LitPlage(fd, octets.get() + moitie, taille - moitie, moitie); });
    char suite;
    const bool entier = premiere == static_cast<long long>(moitie) &&
                        seconde == static_cast<long long>(taille - moitie) &&
                        ::pread(fd, &suite, 1, static_cast<off_t>(taille)) == 0;
    ::close(fd);
    if (entier) {
      contenu.m_brut = std::move(octets);
      contenu.m_taille = taille;
      return Statut::Ok();
    }
    // A file that changed while read, or an error: read again as any other.
  } else if (fd >= 0) {
    ::close(fd);
  }
  return LitFichier(chemin, contenu.m_texte);
}

std::string LitDebutFichier(const std::string& chemin, std::size_t n) {
  std::ifstream in(CheminSysteme(chemin), std::ios::binary);
  if (!in) return {};
  std::string octets(n, '\0');
  in.read(octets.data(), static_cast<std::streamsize>(n));
  octets.resize(static_cast<std::size_t>(in.gcount()));
  return octets;
}

Statut LitDebutFichier(const std::string& chemin, std::size_t n, std::string& octets) {
  octets.clear();
  if (DossierExiste(chemin))
    return Statut::Erreur("Impossible d'ouvrir le fichier " + chemin + " : " + RaisonSysteme(EISDIR));
  std::ifstream in(CheminSysteme(chemin), std::ios::binary);
  if (!in) return Statut::Erreur("Impossible d'ouvrir le fichier " + chemin + " : " + RaisonSystemeCourante());
  octets.assign(n, '\0');
  in.read(octets.data(), static_cast<std::streamsize>(n));
  if (in.bad()) {
    octets.clear();
    return Statut::Erreur("Erreur de lecture du fichier " + chemin);
  }
  octets.resize(static_cast<std::size_t>(in.gcount()));
  return Statut::Ok();
}

void SynchroniseDossier(const std::string& chemin) {
  std::string dossier = CheminSysteme(DossierDe(chemin));
  int fd = ::open(dossier.empty() ? "." : dossier.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd >= 0) {
    ::fsync(fd);
    ::close(fd);
  }
}

void FixeInjecteurPannes(InjecteurPannes injecteur) { Injecteur() = std::move(injecteur); }

void SimuleEchecEcriture(long long apresOctets) {
  if (apresOctets < 0) {
    FixeInjecteurPannes({});
    return;
  }
  // The first file created from now on fails once it holds that many bytes.
  auto fichier = std::make_shared<std::string>();
  FixeInjecteurPannes([fichier, apresOctets](PasEcriture& pas) {
    if (pas.etape == EtapeEcriture::Ouverture && fichier->empty()) *fichier = pas.chemin;
    if (pas.etape != EtapeEcriture::Ecriture || pas.chemin != *fichier) return 0;
    if (pas.deja + pas.taille <= apresOctets) return 0;
    pas.taille = std::max(0LL, apresOctets - pas.deja);
    return ENOSPC;
  });
}

FichierNeuf::~FichierNeuf() { Abandonne(); }

int FichierNeuf::Ouvre(const std::string& chemin, const std::string& modele) {
  Abandonne();
  m_chemin = chemin;
  m_erreur = 0;
  m_ecrit = 0;
  m_envoye = 0;
  const std::string systeme = CheminSysteme(chemin);
  struct stat droits{};
  const bool copie = !modele.empty() && ::stat(CheminSysteme(modele).c_str(), &droits) == 0;
  if (int e = Pas(EtapeEcriture::Ouverture, chemin)) return e;
  m_fd = ::open(systeme.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
  if (m_fd < 0) return errno;
  if (copie) {
    // Where we may: the owner of the file it replaces (root saving a user's tree).
    if (droits.st_uid != ::geteuid() || droits.st_gid != ::getegid())
      (void)!::fchown(m_fd, droits.st_uid, droits.st_gid);
    if (::fchmod(m_fd, droits.st_mode & 07777) != 0) m_erreur = errno;
  }
  return m_erreur;
}

int FichierNeuf::Ajoute(std::string_view contenu) {
  if (m_fd < 0 && m_erreur == 0) m_erreur = EBADF;
  std::size_t ecrit = 0;
  while (m_erreur == 0 && ecrit < contenu.size()) {
    std::size_t morceau = std::min(contenu.size() - ecrit, kMorceau);
    if (Injecteur()) {
      PasEcriture pas{EtapeEcriture::Ecriture, m_chemin, {}, m_ecrit,
                      static_cast<long long>(morceau)};
      m_erreur = Injecteur()(pas);
      morceau = std::min(morceau, static_cast<std::size_t>(std::max(0LL, pas.taille)));
      if (morceau == 0 && m_erreur == 0) m_erreur = EIO;  // a write that cannot go on
    }
    std::size_t fait = 0;
    while (fait < morceau) {
      ssize_t n = ::write(m_fd, contenu.data() + ecrit + fait, morceau - fait);
      if (n < 0) {
        if (errno == EINTR) continue;
        if (m_erreur == 0) m_erreur = errno;
        break;
      }
      fait += static_cast<std::size_t>(n);
    }
    ecrit += fait;
    m_ecrit += static_cast<long long>(fait);
    // A large content goes on to the disk piece by piece as it is written.
    if (contenu.size() > kMorceau) EnvoieAuDisque();
  }
  return m_erreur;
}

int FichierNeuf::Termine() {
  if (m_fd < 0) return m_erreur != 0 ? m_erreur : EBADF;
  int erreur = m_erreur;
  if (erreur == 0) erreur = Pas(EtapeEcriture::Synchro, m_chemin);
  if (erreur == 0 && ::fsync(m_fd) != 0) erreur = errno;
  if (::close(m_fd) != 0 && erreur == 0) erreur = errno;
  m_fd = -1;
  if (erreur != 0) ::unlink(CheminSysteme(m_chemin).c_str());
  m_erreur = erreur;
  return erreur;
}

void FichierNeuf::EnvoieAuDisque() {
  if (m_fd < 0 || m_ecrit <= m_envoye) return;
#ifdef __linux__
  // Only a hint: Termine's flush reports any failure of the disk.
  (void)::sync_file_range(m_fd, m_envoye, m_ecrit - m_envoye, SYNC_FILE_RANGE_WRITE);
#endif
  m_envoye = m_ecrit;
}

void FichierNeuf::Abandonne() {
  if (m_fd < 0) return;
  ::close(m_fd);
  m_fd = -1;
  ::unlink(CheminSysteme(m_chemin).c_str());
}

int EcritFichierNeuf(const std::string& chemin, std::string_view contenu, const std::string& modele) {
  FichierNeuf fichier;
  if (int e = fichier.Ouvre(chemin, modele); e != 0) return e;
  fichier.Ajoute(contenu);
  return fichier.Termine();
}

int RenommeFichier(const std::string& de, const std::string& vers) {
  if (int e = Pas(EtapeEcriture::Renommage, de, vers)) return e;
  return std::rename(CheminSysteme(de).c_str(), CheminSysteme(vers).c_str()) == 0 ? 0 : errno;
}

int LieFichier(const std::string& existant, const std::string& lien) {
  if (int e = Pas(EtapeEcriture::Lien, existant, lien)) return e;
  return ::link(CheminSysteme(existant).c_str(), CheminSysteme(lien).c_str()) == 0 ? 0 : errno;
}

void SupprimeFichier(const std::string& chemin) {
  if (Pas(EtapeEcriture::Suppression, chemin) != 0) return;
  ::unlink(CheminSysteme(chemin).c_str());
}

std::string CheminReel(const std::string& chemin) {
  std::string courant = chemin;
  // Followed one at a time, so that a link to a file not made yet still
  // names where it will be; a loop of links gives up.
  for (int saut = 0; saut < 40; ++saut) {
    const std::string systeme = CheminSysteme(courant);
    struct stat st{};
    if (::lstat(systeme.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return courant;
    std::string cible(static_cast<std::size_t>(st.st_size > 0 ? st.st_size : 256) + 1, '\0');
    ssize_t n = ::readlink(systeme.c_str(), cible.data(), cible.size());
    if (n <= 0) return courant;
    cible.resize(static_cast<std::size_t>(n));
    cible = Utf8VersAnsi(cible);
    courant = cible.front() == '/' ? cible : DossierDe(courant) + cible;
  }
  return chemin;
}

std::string NomTemporaire(const std::string& chemin, const char* suffixe) {
  std::random_device hasard;
  return chemin + suffixe + std::to_string(hasard() % 1000000);
}

void SupprimeTemporaires(const std::string& chemin, std::initializer_list<const char*> suffixes) {
  const std::string dossier = DossierDe(chemin);
  const std::string nom = CheminSysteme(NomDe(chemin));
  DIR* d = ::opendir(CheminSysteme(dossier.empty() ? "." : dossier).c_str());
  if (d == nullptr) return;
  auto chiffres = [](std::string_view s, std::size_t& i) {
    const std::size_t debut = i;
    while (i < s.size() && s[i] >= '0' && s[i] <= '9') ++i;
    return i > debut;
  };
  std::vector<std::string> restes;
  while (dirent* e = ::readdir(d)) {
    std::string_view n = e->d_name;
    if (n.size() <= nom.size() || n.substr(0, nom.size()) != nom) continue;
    for (const char* suffixe : suffixes) {
      std::string_view suite = n.substr(nom.size());
      const std::string_view s = suffixe;
      if (suite.substr(0, s.size()) != s) continue;
      std::size_t i = s.size();
      if (!chiffres(suite, i)) continue;
      if (suite.substr(i, 4) == ".tmp") {
        i += 4;
        if (!chiffres(suite, i)) continue;
      }
      if (i == suite.size()) restes.emplace_back(n);
      break;
    }
  }
  ::closedir(d);
  for (const std::string& reste : restes) SupprimeFichier(dossier + Utf8VersAnsi(reste));
}

Statut EcritFichierAtomique(const std::string& chemin, std::string_view contenu) {
  const std::string reel = CheminReel(chemin);
  auto echec = [&](const std::string& raison) {
    return Statut::Erreur("Impossible d'écrire le fichier "_ansi + chemin + " : " + raison);
  };
  if (FichierEnLectureSeule(reel)) return echec("le fichier est en lecture seule");
  SupprimeTemporaires(reel, {".tmp"});
  const std::string temporaire = NomTemporaire(reel, ".tmp");
  if (int e = EcritFichierNeuf(temporaire, contenu, reel)) return echec(RaisonSysteme(e));
  if (int e = RenommeFichier(temporaire, reel)) {
    SupprimeFichier(temporaire);
    return echec(RaisonSysteme(e));
  }
  // Make the rename itself durable.
  SynchroniseDossier(reel);
  return Statut::Ok();
}

std::string DossierDe(const std::string& chemin) {
  size_t p = chemin.find_last_of('/');
  return p == std::string::npos ? std::string() : chemin.substr(0, p + 1);
}

std::string NomDe(const std::string& chemin) {
  size_t p = chemin.find_last_of('/');
  return p == std::string::npos ? chemin : chemin.substr(p + 1);
}

std::string ChangeExtension(const std::string& chemin, const std::string& extension) {
  size_t slash = chemin.find_last_of('/');
  size_t point = chemin.find_last_of('.');
  if (point == std::string::npos || (slash != std::string::npos && point < slash))
    return chemin + extension;
  return chemin.substr(0, point) + extension;
}

std::string ExtensionDe(const std::string& chemin) {
  const std::string nom = NomDe(chemin);
  const size_t point = nom.rfind('.');
  return point == std::string::npos ? std::string() : nom.substr(point);
}

void RendPagesMemoire(const char* debut, std::size_t taille) {
#if defined(__linux__)
  static const std::size_t page = static_cast<std::size_t>(sysconf(_SC_PAGESIZE));
  const auto adresse = reinterpret_cast<std::uintptr_t>(debut);
  const std::uintptr_t premiere = (adresse + page - 1) / page * page;
  const std::uintptr_t fin = (adresse + taille) / page * page;
  if (fin > premiere)
    (void)madvise(reinterpret_cast<void*>(premiere), fin - premiere, MADV_DONTNEED);
#else
  (void)debut;
  (void)taille;
#endif
}

}  // namespace kindrela
