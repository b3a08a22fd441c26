#include "chart/template_words.h"

#include <utility>

#include "core/ansi_literal.h"
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
    {kMotChampAnnee, "année"_ansi},
    {kMotChampFete, "fête"_ansi},
    {kMotChampZodiaque, "zodiaque"},
    {kMotPre, "<pre>"},
    {kMotPre + 1, "<prénom>"_ansi},
    {kMotPre + 2, "<prénoms>"_ansi},
    {kMotProfession, "<profession>"},
    {kMotPhoto, "<photo>"},
    {kMotPrenomPrincipal, "<prénom principal>"_ansi},
    {kMotNom, "<nom>"},
    {kMotNumero, "<numéro>"_ansi},
    {kMotNote, "<note>"},
    {kMotIndividu, "<i"},
    {kMotPere, "<père>"_ansi},
    {kMotMere, "<mère>"_ansi},
    {kMotConjoint, "<conjoint"},
    {kMotUnion, "<union"},
    {kMotDebutEvenement, "<e"},
    {kMotDebutEvenement + 1, "<é"_ansi},
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
