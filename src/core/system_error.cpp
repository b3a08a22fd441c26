#include "core/system_error.h"

#include <cerrno>

#include "core/ansi_literal.h"

namespace kindrela {

std::string RaisonSysteme(int code) {
  switch (code) {
    case EACCES:
    case EPERM: return "permission refusée"_ansi;
    case EROFS: return "le support est en lecture seule"_ansi;
    case ENOSPC: return "le disque est plein";
#ifdef EDQUOT
    case EDQUOT: return "le quota d'espace disque est atteint"_ansi;
#endif
    case ENOENT: return "le fichier ou le dossier n'existe pas";
    case ENOTDIR: return "un élément du chemin n'est pas un dossier"_ansi;
    case EISDIR: return "c'est un dossier";
    case EEXIST: return "le fichier existe déjà"_ansi;
    case ENAMETOOLONG: return "le nom est trop long";
    case EMFILE:
    case ENFILE: return "trop de fichiers sont ouverts";
    case EIO: return "erreur d'entrée-sortie du support"_ansi;
    case EBUSY:
    case ETXTBSY: return "le fichier est occupé par un autre programme"_ansi;
    case EXDEV: return "le fichier ne peut pas changer de disque";
    case EFBIG: return "le fichier est trop grand";
    case ELOOP: return "trop de liens symboliques dans le chemin";
    case ENOMEM: return "la mémoire manque"_ansi;
    case EINVAL: return "nom ou opération non valide"_ansi;
    default: return "erreur système "_ansi + std::to_string(code);
  }
}

std::string RaisonSystemeCourante() { return RaisonSysteme(errno); }

}  // namespace kindrela
