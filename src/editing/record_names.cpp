#include "editing/record_names.h"

#include "core/database.h"
#include "core/letters.h"
#include "core/text.h"

namespace kindrela {

std::string MajusculesNom(std::string_view nom) { return MajusculesAnsi(nom); }

std::string CapitalisePrenoms(std::string_view prenoms) {
  std::string sortie(prenoms);
  if (PeutContenirReference(prenoms)) {
    // A letter held as a reference starts or continues a word as any other.
    sortie.clear();
    bool debutMot = true;
    for (size_t i = 0; i < prenoms.size();) {
      size_t longueur;
      const char32_t u = LettreEn(prenoms, i, longueur);
      const char32_t v = debutMot ? MajUnicode(u) : MinUnicode(u);
      if (v == u) sortie.append(prenoms.substr(i, longueur));
      else AjouteLettre(sortie, v);
      i += longueur;
      debutMot = v == '"' || v == ',' || v == ';' || v == '-' || v == ' ';
    }
    return sortie;
  }
  bool debutMot = true;
  for (char& c : sortie) {
    const auto octet = static_cast<unsigned char>(c);
    c = static_cast<char>(debutMot ? MajAnsi(octet) : MinAnsi(octet));
    debutMot = c == '"' || c == ',' || c == ';' || c == '-' || c == ' ';
  }
  return sortie;
}

std::string SansBlancsFinaux(std::string_view texte) {
  size_t n = texte.size();
  while (n > 0 && static_cast<unsigned char>(texte[n - 1]) <= ' ') --n;
  return std::string(texte.substr(0, n));
}

std::string NomStocke(std::string_view saisi, bool majuscules) {
  return SansBlancsFinaux(majuscules ? MajusculesNom(saisi) : std::string(saisi));
}

std::string PrenomsStockes(std::string_view saisi, bool capitales) {
  return SansBlancsFinaux(capitales ? CapitalisePrenoms(saisi) : std::string(saisi));
}

ResultatNoms EcritNomPrenoms(TBD& bd, int n, std::string_view nom, std::string_view prenoms,
                             const OptionsNoms& options) {
  ResultatNoms r;
  if (n < 1 || n > bd.NbreFiche()) return r;
  const std::string ancienNom = bd.LitNom(n);
  const std::string anciensPrenoms = bd.LitPrenoms(n);
  r.raccourci = nom.size() < ancienNom.size() || prenoms.size() < anciensPrenoms.size();
  const std::string nouveauNom = NomStocke(nom, options.nomMaj);
  const std::string nouveauxPrenoms = PrenomsStockes(prenoms, options.preMaj);
  r.modifie = nouveauNom != ancienNom || nouveauxPrenoms != anciensPrenoms;
  bd.EcritNom(n, nouveauNom);
  bd.EcritPrenoms(n, nouveauxPrenoms);
  return r;
}

}  // namespace kindrela
