#include "core/archive.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <zip.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <map>
#include <random>
#include <set>

#include "core/ansi_literal.h"
#include "core/file_io.h"
#include "core/system_error.h"
#include "core/text.h"

namespace kindrela {
namespace {

std::string MessageZip(int code) {
  zip_error_t erreur;
  zip_error_init_with_code(&erreur, code);
  std::string texte = zip_error_strerror(&erreur);
  zip_error_fini(&erreur);
  return texte;
}

// The components of an entry name, "/" and "\" both separating; "." and
// empty components are dropped. Empty when the name is unsafe.
std::vector<std::string> Composants(const std::string& nom, bool& sur) {
  sur = false;
  std::vector<std::string> parties;
  if (nom.empty() || nom.find('\0') != std::string::npos) return parties;
  if (nom[0] == '/' || nom[0] == '\\') return parties;
  if (nom.size() >= 2 && nom[1] == ':') return parties;  // "C:..." drive letter
  std::string courant;
  auto termine = [&]() -> bool {
    if (courant == "..") return false;
    if (!courant.empty() && courant != ".") parties.push_back(courant);
    courant.clear();
    return true;
  };
  for (char c : nom) {
    if (c == '/' || c == '\\') {
      if (!termine()) { parties.clear(); return parties; }
    } else {
      courant += c;
    }
  }
  if (!termine()) { parties.clear(); return parties; }
  sur = !parties.empty();
  return parties;
}

bool EstDossierEntree(const std::string& nom) {
  return !nom.empty() && (nom.back() == '/' || nom.back() == '\\');
}

std::string AvecSlash(const std::string& dossier) {
  if (dossier.empty()) return "./";
  return dossier.back() == '/' ? dossier : dossier + "/";
}

class ArchiveOuverte {
 public:
  ~ArchiveOuverte() {
    if (m_zip) zip_discard(m_zip);
  }
  Statut Ouvre(const std::string& chemin) {
    if (!FichierExiste(chemin))
      return Statut::Erreur("L'archive " + chemin + " n'existe pas.");
    int code = 0;
    m_zip = zip_open(CheminSysteme(chemin).c_str(), ZIP_RDONLY, &code);
    if (!m_zip)
      return Statut::Erreur("Impossible d'ouvrir l'archive " + chemin + " : " + MessageZip(code));
    return Statut::Ok();
  }
  zip_t* get() const { return m_zip; }

 private:
  zip_t* m_zip = nullptr;
};

// Names are stored in UTF-8 (or CP437 by old tools); libzip hands both
// back in UTF-8 under ZIP_FL_ENC_GUESS.
std::string NomEntree(zip_t* zip, zip_uint64_t i) {
  const char* nom = zip_get_name(zip, i, ZIP_FL_ENC_GUESS);
  return nom ? Utf8VersAnsi(nom) : std::string();
}

// Creates each folder of `parties` (all but the last when `dernierEstFichier`)
// under `base`. A component that exists and is not a real folder (a file, or
// a link that could lead outside) stops the extraction.
Statut CreeDossiers(const std::string& base, const std::vector<std::string>& parties,
                    bool dernierEstFichier, const std::string& nom) {
  std::string chemin = base;
  size_t n = parties.size() - (dernierEstFichier ? 1 : 0);
  for (size_t i = 0; i < n; ++i) {
    chemin += parties[i];
    const std::string systeme = CheminSysteme(chemin);
    struct stat st{};
    if (::lstat(systeme.c_str(), &st) == 0) {
      if (!S_ISDIR(st.st_mode))
        return Statut::Erreur("L'entrée "_ansi + nom + " ne peut pas être extraite : "_ansi + chemin +
                              " n'est pas un dossier.");
    } else if (::mkdir(systeme.c_str(), 0755) != 0 && errno != EEXIST) {
      return Statut::Erreur("Impossible de créer le dossier "_ansi + chemin + " : " +
                            RaisonSystemeCourante());
    }
    chemin += '/';
  }
  return Statut::Ok();
}

// Streams entry `index` into `cible` through a temporary file beside it, so
// that a damaged entry never leaves a half-written file in its place.
Statut ExtraitFichier(zip_t* zip, zip_uint64_t index, const std::string& nom,
                      const std::string& cible) {
  zip_file_t* f = zip_fopen_index(zip, index, 0);
  if (!f)
    return Statut::Erreur("Impossible de lire l'entrée "_ansi + nom + " : " + zip_strerror(zip));
  std::random_device hasard;
  const std::string systeme = CheminSysteme(cible);
  std::string temporaire = systeme + ".tmp" + std::to_string(hasard() % 1000000);
  int fd = ::open(temporaire.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0644);
  if (fd < 0) {
    std::string raison = RaisonSystemeCourante();
    zip_fclose(f);
    return Statut::Erreur("Impossible d'écrire le fichier "_ansi + cible + " : " + raison);
  }
  std::string erreur;
  std::vector<char> tampon(1 << 16);
  for (;;) {
    zip_int64_t lu = zip_fread(f, tampon.data(), tampon.size());
    if (lu < 0) {
      erreur = "L'entrée "_ansi + nom + " est endommagée : "_ansi + zip_file_strerror(f);
      break;
    }
    if (lu == 0) break;
    size_t fait = 0;
    while (fait < static_cast<size_t>(lu)) {
      ssize_t n = ::write(fd, tampon.data() + fait, static_cast<size_t>(lu) - fait);
      if (n < 0) {
        if (errno == EINTR) continue;
        erreur = "Impossible d'écrire le fichier "_ansi + cible + " : " + RaisonSystemeCourante();
        break;
      }
      fait += static_cast<size_t>(n);
    }
    if (!erreur.empty()) break;
  }
  zip_fclose(f);
  if (erreur.empty() && ::fsync(fd) != 0)
    erreur = "Impossible d'écrire le fichier "_ansi + cible + " : " + RaisonSystemeCourante();
  if (::close(fd) != 0 && erreur.empty())
    erreur = "Impossible d'écrire le fichier "_ansi + cible + " : " + RaisonSystemeCourante();
  if (erreur.empty() && std::rename(temporaire.c_str(), systeme.c_str()) != 0)
    erreur = "Impossible d'écrire le fichier "_ansi + cible + " : " + RaisonSystemeCourante();
  if (!erreur.empty()) {
    ::unlink(temporaire.c_str());
    return Statut::Erreur(erreur);
  }
  return Statut::Ok();
}

Statut RefuseNom(const std::string& archive, const std::string& nom) {
  return Statut::Erreur("L'archive " + archive + " contient l'entrée \""_ansi + nom +
                        "\" dont le nom sort du dossier de destination : rien n'a été extrait."_ansi);
}

Statut ExtraitIndex(zip_t* zip, zip_uint64_t i, const std::string& nom,
                    const std::string& dossier, std::string* ecrit) {
  bool sur = false;
  std::vector<std::string> parties = Composants(nom, sur);
  if (!sur) return Statut::Erreur("Nom d'entrée refusé : "_ansi + nom);
  bool estDossier = EstDossierEntree(nom);
  std::string base = AvecSlash(dossier);
  Statut s = CreeDossiers(base, parties, !estDossier, nom);
  if (!s) return s;
  std::string chemin = base;
  for (size_t k = 0; k < parties.size(); ++k) chemin += (k ? "/" : "") + parties[k];
  if (!estDossier) {
    s = ExtraitFichier(zip, i, nom, chemin);
    if (!s) return s;
  }
  if (ecrit) *ecrit = chemin;
  return Statut::Ok();
}

}  // namespace

bool NomEntreeSur(const std::string& nom) {
  bool sur = false;
  Composants(nom, sur);
  return sur;
}

Statut CreeArchive(const std::string& archive, const std::vector<std::string>& fichiers) {
  std::set<std::string> vus;
  std::map<std::string, std::string> parNom;  // entry name -> its file
  std::vector<std::pair<std::string, std::string>> aAjouter;
  for (const auto& f : fichiers) {
    if (!vus.insert(f).second) continue;
    if (!FichierExiste(f))
      return Statut::Erreur("Impossible de créer l'archive "_ansi + archive + " : le fichier " + f +
                            " n'existe pas.");
    std::string nom = NomDe(f);
    auto [it, nouveau] = parNom.emplace(nom, f);
    if (!nouveau)
      return Statut::Erreur("Impossible de créer l'archive "_ansi + archive + " : " + it->second +
                            " et " + f + " portent le même nom."_ansi);
    aAjouter.emplace_back(nom, f);
  }
  int code = 0;
  zip_t* zip = zip_open(CheminSysteme(archive).c_str(), ZIP_CREATE | ZIP_TRUNCATE, &code);
  if (!zip)
    return Statut::Erreur("Impossible de créer l'archive "_ansi + archive + " : " + MessageZip(code));
  for (const auto& [nom, f] : aAjouter) {
    zip_source_t* source = zip_source_file(zip, CheminSysteme(f).c_str(), 0, -1);
    if (!source || zip_file_add(zip, AnsiVersUtf8(nom).c_str(), source,
                                ZIP_FL_ENC_UTF_8 | ZIP_FL_OVERWRITE) < 0) {
      std::string raison = zip_strerror(zip);
      if (source) zip_source_free(source);
      zip_discard(zip);
      return Statut::Erreur("Impossible d'ajouter " + f + " à l'archive "_ansi + archive + " : " + raison);
    }
  }
  // libzip writes a temporary file and renames it over the archive here.
  if (zip_close(zip) != 0) {
    std::string raison = zip_strerror(zip);
    zip_discard(zip);
    return Statut::Erreur("Impossible d'écrire l'archive "_ansi + archive + " : " + raison);
  }
  return Statut::Ok();
}

Statut ListeArchive(const std::string& archive, std::vector<EntreeArchive>& entrees) {
  entrees.clear();
  ArchiveOuverte a;
  Statut s = a.Ouvre(archive);
  if (!s) return s;
  zip_int64_t n = zip_get_num_entries(a.get(), 0);
  for (zip_int64_t i = 0; i < n; ++i) {
    zip_stat_t st;
    zip_stat_init(&st);
    if (zip_stat_index(a.get(), static_cast<zip_uint64_t>(i), 0, &st) != 0) continue;
    EntreeArchive e;
    e.nom = NomEntree(a.get(), static_cast<zip_uint64_t>(i));
    e.taille = (st.valid & ZIP_STAT_SIZE) ? static_cast<long long>(st.size) : 0;
    e.dossier = EstDossierEntree(e.nom);
    entrees.push_back(std::move(e));
  }
  return Statut::Ok();
}

Statut ExtraitEntree(const std::string& archive, const std::string& entree,
                     const std::string& dossier, std::string* ecrit) {
  if (!NomEntreeSur(entree)) return RefuseNom(archive, entree);
  if (!DossierExiste(dossier))
    return Statut::Erreur("Le dossier " + dossier + " n'existe pas.");
  ArchiveOuverte a;
  Statut s = a.Ouvre(archive);
  if (!s) return s;
  zip_int64_t n = zip_get_num_entries(a.get(), 0);
  for (zip_int64_t i = 0; i < n; ++i) {
    if (NomEntree(a.get(), static_cast<zip_uint64_t>(i)) == entree)
      return ExtraitIndex(a.get(), static_cast<zip_uint64_t>(i), entree, dossier, ecrit);
  }
  return Statut::Erreur("L'archive " + archive + " ne contient pas l'entrée "_ansi + entree + ".");
}

Statut ExtraitTout(const std::string& archive, const std::string& dossier,
                   std::vector<std::string>* ecrits) {
  if (!DossierExiste(dossier))
    return Statut::Erreur("Le dossier " + dossier + " n'existe pas.");
  ArchiveOuverte a;
  Statut s = a.Ouvre(archive);
  if (!s) return s;
  zip_int64_t n = zip_get_num_entries(a.get(), 0);
  std::vector<std::string> noms;
  for (zip_int64_t i = 0; i < n; ++i) {
    noms.push_back(NomEntree(a.get(), static_cast<zip_uint64_t>(i)));
    if (!NomEntreeSur(noms.back())) return RefuseNom(archive, noms.back());
  }
  for (zip_int64_t i = 0; i < n; ++i) {
    std::string ecrit;
    s = ExtraitIndex(a.get(), static_cast<zip_uint64_t>(i), noms[static_cast<size_t>(i)], dossier,
                     &ecrit);
    if (!s) return s;
    if (ecrits) ecrits->push_back(ecrit);
  }
  return Statut::Ok();
}

}  // namespace kindrela
