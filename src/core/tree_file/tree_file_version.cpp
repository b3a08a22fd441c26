#include "core/tree_file/tree_file_version.h"


#include "core/file_io.h"
#include "core/ini_file.h"
#include "core/text.h"

namespace kindrela {
namespace {

int Chiffre(std::string_view s, std::size_t i) {
  if (i >= s.size() || s[i] < '0' || s[i] > '9') return 0;
  return s[i] - '0';
}

// The two characters at 1-based `position` read as a number; 0 when they
// are not one.
int Nombre2(std::string_view s, std::size_t position) {
  if (position + 1 > s.size()) return 0;
  return TexteVersEntier(s.substr(position - 1, 2), 0);
}

bool Commence(std::string_view s, std::string_view debut) {
  return s.substr(0, debut.size()) == debut;
}

// Version from the fixed header and the first value; -1 when only the
// initialisation-file test is left.
int VersionEntete(std::string_view octets) {
  std::string_view seize = octets.substr(0, 16);
  int fixe = 10 * Chiffre(seize, 12) + Chiffre(seize, 14);
  if (fixe == 24) return kVersion24;
  if (fixe == 15) return kVersion15;

  std::string texte = octets.size() > 2 ? MajusculesAnsi(octets.substr(2, 17)) : std::string();
  if (Commence(texte, "KINDRELA 98") || Commence(texte, "KINDRELA 99")) {
    int a = Nombre2(texte, 10), b = Nombre2(texte, 13), c = Nombre2(texte, 16);
    bool complet = a > 0 && b > 0 && c > 0;
    if (Commence(texte, "KINDRELA 98")) {
      if (!complet) return kVersionInconnue;
      return a == 98 && ((b == 11 && c > 15) || b > 11) ? kVersion981 : kVersion98;
    }
    if (complet) return a == 99 && b > 2 ? kVersion991 : kVersion99;
    return -1;
  }
  if (Commence(texte, "KINDRELA 2000")) return kVersion991;
  if (Commence(texte, "VETRA FAMORA") || Commence(texte, "FAMORA") ||
      Commence(texte, "KINDRELA 2003") || Commence(texte, "KINDRELA 2008"))
    return kVersionCourante;
  return -1;
}

bool Version30(std::string_view texte) {
  FichierIni ini;
  ini.ChargeTexte(texte);
  return ini.LitEntier("KINDRELA 3.0B", "Version", 0) == 30;
}

}  // namespace

std::string TexteVersionFichier() {
  return std::string(kMotProduit) + " " + std::string(kVersionTexte);
}

int VersionDesOctets(std::string_view octets) {
  int v = VersionEntete(octets);
  if (v >= 0) return v;
  return Version30(octets) ? kVersion30 : kVersionInconnue;
}

int VersionBase(const std::string& chemin) {
  if (!FichierExiste(chemin)) return kVersionInconnue;
  int v = VersionEntete(LitDebutFichier(chemin, 19));
  if (v >= 0) return v;
  std::string contenu;
  if (!LitFichier(chemin, contenu).ok()) return kVersionInconnue;
  return Version30(contenu) ? kVersion30 : kVersionInconnue;
}

bool VersionEnValeurs(int version) {
  return version == kVersionCourante || version == kVersion991 || version == kVersion99 ||
         version == kVersion981 || version == kVersion98;
}

}  // namespace kindrela
