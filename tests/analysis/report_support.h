// Shared by the report and statistics tests: the installation's
// translation (message texts and tag words) and a context of expansion.
#pragma once

#include <memory>
#include <string>

#include "chart/kinship_tree.h"
#include "chart/template_words.h"
#include "chart/templates.h"
#include "i18n/event_words.h"
#include "i18n/translation.h"

namespace kindrela::test {

inline const TTraduction& TraductionInstallee() {
  static const TTraduction t = [] {
    TTraduction x;
    x.ChargeTraduction(std::string(KINDRELA_SOURCE_DIR) + "/data/modele/famora.tra");
    return x;
  }();
  return t;
}

// A tree of the test helpers with the installation's words.
struct ArbreRapport : Arbre {
  TMotsBalises mots;
  ArbreRapport() {
    MotsEvenements(TraductionInstallee(), bd);
    mots.RetranslateTags(TraductionInstallee());
  }
  TContexteModele Ctx() { return TContexteModele{bd, mots, "j/m/a", nullptr, &TraductionInstallee()}; }
  int Nomme(int p, const std::string& nom, const std::string& prenoms) {
    bd.EcritNom(p, nom);
    bd.EcritPrenoms(p, prenoms);
    return p;
  }
  // An event of person p.
  void Eve(int p, const std::string& nature, const std::string& date, const std::string& lieu = "") {
    const int e = bd.AjouteEveFiche(p);
    bd.EcritChampEve(e, 1, nature);
    bd.EcritChampEve(e, 2, date);
    bd.EcritChampEve(e, 4, lieu);
  }
};

}  // namespace kindrela::test
