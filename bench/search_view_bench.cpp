// Searching on a large tree: the person search window's name index, each
// keystroke of its surname prefix in both list forms (filtering, the lists
// and their repaint), a linking search, the assisted-entry list of names and
// places per keystroke, and the search-and-replace listing and rewrite.
// Runs on the offscreen platform unless QT_QPA_PLATFORM says otherwise.
//
// usage: search_view_bench [persons]   (default 100000)
#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <tuple>

#include "app/folders.h"
#include "core/database.h"
#include "core/text.h"
#include "editing/assisted_entry.h"
#include "editing/replace.h"
#include "editing/search.h"
#include "gui/common/qt_text.h"
#include "gui/common/radio_group.h"
#include "gui/editing/person_search.h"
#include "gui/main/application.h"
#include "support/tree_generator.h"

namespace {

using namespace kindrela;
using Horloge = std::chrono::steady_clock;

template <typename F>
double Millis(F&& f) {
  auto debut = Horloge::now();
  f();
  return std::chrono::duration<double, std::milli>(Horloge::now() - debut).count();
}

struct Mesure {
  double total = 0;
  double pire = 0;
  int nbre = 0;
  void Ajoute(double ms) {
    total += ms;
    pire = std::max(pire, ms);
    ++nbre;
  }
  void Affiche(const char* quoi) const {
    std::printf("  %-52s %7.2f ms mean, %7.2f ms worst (%d)\n", quoi, nbre ? total / nbre : 0.0, pire, nbre);
  }
};

void Touche(QWidget* w, int cle, const QString& texte) {
  QKeyEvent appui(QEvent::KeyPress, cle, Qt::NoModifier, texte);
  QKeyEvent relache(QEvent::KeyRelease, cle, Qt::NoModifier, texte);
  QApplication::sendEvent(w, &appui);
  QApplication::sendEvent(w, &relache);
  // The lists repaint as part of the keystroke.
  QApplication::processEvents();
}

// Types `texte` into the edit and erases it, key by key.
Mesure Tape(QLineEdit* edit, const QString& texte) {
  Mesure m;
  edit->setFocus();
  edit->clear();
  QApplication::processEvents();
  for (QChar c : texte) m.Ajoute(Millis([&] { Touche(edit, c.unicode(), QString(c)); }));
  for (int i = 0; i < texte.size(); ++i) m.Ajoute(Millis([&] { Touche(edit, Qt::Key_Backspace, {}); }));
  return m;
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication qapp(argc, argv);
  const int personnes = argc > 1 ? std::atoi(argv[1]) : 100000;

  TApplication app;
  const std::string programme = QCoreApplication::applicationDirPath().toStdString() + "/";
  app.traduction.ChargeTraduction(kCheminTraduction, programme);
  app.reglages.ChargeReglages(FichierIni(), app.traduction, programme);
  app.bd = std::make_unique<TBD>();
  TBD& bd = *app.bd;
  bench::OptionsGeneration options;
  options.personnes = personnes;
  const double generation = Millis([&] { bench::GenereArbre(bd, options); });
  std::printf("tree of %d persons made in %.0f ms\n", bd.NbreFichesUtilisees(), generation);
  bd.BaseChargee = 1;
  int n = bd.NbreFiche() / 2;
  while (n < bd.NbreFiche() && !(bd.FicheUtilisee(n) && !bd.LitDateNaissance(n).empty())) ++n;
  const QString nom = VersQString(bd.LitNom(n)).left(5);

  // The core alone.
  std::printf("person search, core (prefix \"%s\"):\n", qPrintable(nom));
  TRechercheFiche r(bd, app.ini.formatDate);
  r.Commence(ModeRecherche::Selection, 0, n, {});
  Mesure index;
  for (int k = 0; k < 3; ++k) index.Ajoute(Millis([&] { r.Reconstruit(); }));
  index.Affiche("name index and lists (dialog opening)");
  for (FormeListe forme : {FormeListe::NomPrenom, FormeListe::Unique}) {
    r.SetForme(forme);
    Mesure m;
    for (int k = 0; k <= nom.size(); ++k) m.Ajoute(Millis([&] { r.SetPrefixe(DepuisQString(nom.left(k))); }));
    m.Affiche(forme == FormeListe::Unique ? "prefix keystroke, single list" : "prefix keystroke, surnames");
  }
  r.Commence(ModeRecherche::Pere, n, n, {});
  r.SetForme(FormeListe::Unique);
  Mesure lien;
  lien.Ajoute(Millis([&] { r.Reconstruit(); }));
  for (int k = 0; k <= nom.size(); ++k) lien.Ajoute(Millis([&] { r.SetPrefixe(DepuisQString(nom.left(k))); }));
  lien.Affiche("father search: opening and each keystroke");

  // The window: typing into eCommence while it is shown.
  std::printf("person search window:\n");
  TfmRechFiche fenetre(app);
  Mesure ouverture, nomPre, unique;
  QTimer::singleShot(0, &fenetre, [&] {
    auto* edit = fenetre.findChild<QLineEdit*>("eCommence");
    nomPre = Tape(edit, nom);
    fenetre.findChild<TRadioGroup*>("RG_Forme")->findChildren<QRadioButton*>().first()->click();
    QApplication::processEvents();
    unique = Tape(edit, nom);
    fenetre.findChild<QPushButton*>("bAnnuler")->click();
  });
  const auto debut = Horloge::now();
  (void)fenetre.Recherche(ModeRecherche::Selection, 0, n);
  ouverture.Ajoute(std::chrono::duration<double, std::milli>(Horloge::now() - debut).count());
  nomPre.Affiche("keystroke in eCommence, \"Nom et prénom\"");
  unique.Affiche("keystroke in eCommence, \"Liste unique\"");
  ouverture.Affiche("whole session (open, 4 x typing, close)");

  std::printf("assisted-entry list, per keystroke:\n");
  const std::string prenom = bd.LitPrenoms(n).substr(0, 3);
  for (auto [quoi, code, texte] : {std::tuple{"surnames", 2, DepuisQString(nom)}, std::tuple{"given names", 3, prenom}}) {
    Mesure m;
    for (size_t k = 1; k <= texte.size(); ++k)
      m.Ajoute(Millis([&] { (void)PropositionsNoms(bd, code, PrepareSaisie(texte.substr(0, k), 25, false, false)); }));
    m.Ajoute(Millis([&] { (void)PropositionsNoms(bd, code, PrepareSaisie(texte, 25, true, true)); }));
    m.Affiche(quoi);
  }
  {
    Mesure m;
    for (const char* t : {"F", "FR", "FRA,", "FRA,B"})
      m.Ajoute(Millis([&] { (void)PropositionsLieux(bd, 0, PrepareSaisie(t, 25, false, false)); }));
    m.Affiche("places");
  }

  std::printf("search and replace:\n");
  for (DonneeRemp d : {DonneeRemp::Nom, DonneeRemp::Prenom, DonneeRemp::Lieu, DonneeRemp::Date}) {
    Mesure m;
    size_t lignes = 0;
    m.Ajoute(Millis([&] { lignes = Listage(bd, d, "", app.ini.formatDate).lignes.size(); }));
    const std::string quoi = "listing of " + std::string(LibelleDonnee(d)) + " (" + std::to_string(lignes) + " rows)";
    m.Affiche(AnsiVersUtf8(quoi).c_str());
  }
  Mesure remplace;
  remplace.Ajoute(Millis([&] { Remplace(bd, DonneeRemp::Nom, "", ChangementRemp::Majuscules, "", ""); }));
  remplace.Ajoute(Millis([&] { Remplace(bd, DonneeRemp::Nom, "", ChangementRemp::Remplace, bd.LitNom(n), "X"); }));
  remplace.Affiche("replacing every surname / one surname");
  return 0;
}
