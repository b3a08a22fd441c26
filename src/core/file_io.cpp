#include "core/file_io.h"

#include "core/ansi_literal.h"
#include "core/system_error.h"
#include "core/text.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <random>
#include <sstream>

namespace kindrela {
namespace {

std::atomic<long long> g_echecApres{-1};

std::string Errno() { return RaisonSystemeCourante(); }

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

Statut LitFichier(const std::string& chemin, std::string& contenu) {
  std::ifstream in(CheminSysteme(chemin), std::ios::binary);
  if (!in) return Statut::Erreur("Impossible d'ouvrir le fichier " + chemin + " : " + Errno());
  std::ostringstream tampon;
  tampon << in.rdbuf();
  if (in.bad()) return Statut::Erreur("Erreur de lecture du fichier " + chemin);
  contenu = tampon.str();
  return Statut::Ok();
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
  if (!in) return Statut::Erreur("Impossible d'ouvrir le fichier " + chemin + " : " + Errno());
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

void SimuleEchecEcriture(long long apresOctets) { g_echecApres = apresOctets; }

Statut EcritFichierAtomique(const std::string& chemin, std::string_view contenu) {
  std::random_device hasard;
  const std::string systeme = CheminSysteme(chemin);
  std::string temporaire = systeme + ".tmp" + std::to_string(hasard() % 1000000);
  int fd = ::open(temporaire.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
  if (fd < 0)
    return Statut::Erreur("Impossible d'écrire le fichier "_ansi + chemin + " : " + Errno());
  long long limite = g_echecApres.exchange(-1);
  size_t ecrit = 0;
  bool echec = false;
  std::string raison;
  while (ecrit < contenu.size()) {
    size_t morceau = contenu.size() - ecrit;
    if (limite >= 0) {
      if (static_cast<long long>(ecrit) >= limite) {
        echec = true;
        raison = RaisonSysteme(ENOSPC);
        break;
      }
      morceau = std::min<size_t>(morceau, static_cast<size_t>(limite) - ecrit);
    }
    ssize_t n = ::write(fd, contenu.data() + ecrit, morceau);
    if (n < 0) {
      if (errno == EINTR) continue;
      echec = true;
      raison = Errno();
      break;
    }
    ecrit += static_cast<size_t>(n);
  }
  if (!echec && ::fsync(fd) != 0) {
    echec = true;
    raison = Errno();
  }
  if (::close(fd) != 0 && !echec) {
    echec = true;
    raison = Errno();
  }
  if (!echec && std::rename(temporaire.c_str(), systeme.c_str()) != 0) {
    echec = true;
    raison = Errno();
  }
  if (echec) {
    ::unlink(temporaire.c_str());
    return Statut::Erreur("Impossible d'écrire le fichier "_ansi + chemin + " : " + raison);
  }
  // Make the rename itself durable.
  SynchroniseDossier(chemin);
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

}  // namespace kindrela
