#include "chart/template_words.h"

#include <utility>

#include "i18n/translation.h"

namespace kindrela {

namespace {

struct MotIntegre {
  int numero;
  const char* mot;
};

// The words a template can use before any translation is loaded.
constexpr MotIntegre kMotsIntegres[] = {
    {kMotEvenementComplet, "dl"},
    {kMotChampDate, "date"},
    {kMotChampJour, "jour"},
    {kMotChampMois, "mois"},
    {kMotChampAnnee, "ann\xE9" "e"},
    {kMotChampFete, "f\xEAte"},
    {kMotChampZodiaque, "zodiaque"},
    {kMotPre, "<pre>"},
    {kMotPre + 1, "<pr\xE9nom>"},
    {kMotPre + 2, "<pr\xE9noms>"},
    {kMotProfession, "<profession>"},
    {kMotPhoto, "<photo>"},
    {kMotPrenomPrincipal, "<pr\xE9nom principal>"},
    {kMotNom, "<nom>"},
    {kMotNumero, "<num\xE9ro>"},
    {kMotNote, "<note>"},
    {kMotIndividu, "<i"},
    {kMotPere, "<p\xE8re>"},
    {kMotMere, "<m\xE8re>"},
    {kMotConjoint, "<conjoint"},
    {kMotUnion, "<union"},
    {kMotDebutEvenement, "<e"},
    {kMotDebutEvenement + 1, "<\xE9"},
    {kMotDebutDate, "<d"},
    {kMotDebutLieu, "<l"},
    {kMotLigneHomme, "<h>"},
    {kMotLigneFemme, "<f>"},
};

const std::string kVide;

}  // namespace

TMotsBalises::TMotsBalises() {
  for (const auto& m : kMotsIntegres) m_mots[m.numero - kPremier] = m.mot;
}

const std::string& TMotsBalises::Mot(int numero) const {
  if (numero < kPremier || numero > kDernier) return kVide;
  return m_mots[numero - kPremier];
}

void TMotsBalises::DefinitMot(int numero, std::string mot) {
  if (numero < kPremier || numero > kDernier) return;
  m_mots[numero - kPremier] = std::move(mot);
}

void TMotsBalises::RetranslateTags(const TTraduction& traduction) {
  // Without a file Msg answers the number itself, which is no tag word.
  if (!traduction.Charge()) return;
  for (int n = kPremier; n <= kDernier; ++n) {
    std::string mot = traduction.Msg(n);
    // Missing words come back empty, or marked with "@" while translations
    // are being checked; neither is a usable tag.
    if (mot.empty() || (traduction.DebugTrad && mot[0] == '@')) continue;
    m_mots[n - kPremier] = std::move(mot);
  }
}

}  // namespace kindrela
