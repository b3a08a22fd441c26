// The person record window on a large tree: showing a person (the work of
// every selection change) and the keystrokes the window writes straight
// into the tree, with the chart repainting the edited box as the main
// window does. Runs on the offscreen platform unless QT_QPA_PLATFORM says
// otherwise.
//
// usage: record_view_bench [persons]   (default 100000)
#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <algorithm>
#include <functional>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/folders.h"
#include "chart/kinship.h"
#include "core/ini_file.h"
#include "gui/chart/chart_view.h"
#include "gui/editing/record_window.h"
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
};

// One key press and release, as the keyboard sends them.
void Touche(QWidget* w, int cle, const QString& texte, Qt::KeyboardModifiers m = Qt::NoModifier) {
  QKeyEvent appui(QEvent::KeyPress, cle, m, texte);
  QKeyEvent relache(QEvent::KeyRelease, cle, m, texte);
  QApplication::sendEvent(w, &appui);
  QApplication::sendEvent(w, &relache);
  // The repaints the key asked for (the edit, the caption, the chart's box) are part of it.
  QApplication::processEvents();
}

// Types `texte` key by key, checks with `tape` that the tree holds it, then
// erases it key by key.
Mesure Tape(QWidget* w, const QString& texte, const std::function<std::string()>& tape) {
  Mesure m;
  w->setFocus();
  for (QChar c : texte) m.Ajoute(Millis([&] { Touche(w, c.unicode(), QString(c)); }));
  const std::string stocke = tape();
  if (stocke.find(texte.toLatin1().toUpper().constData()) == std::string::npos &&
      stocke.find(texte.toLatin1().constData()) == std::string::npos) {
    std::printf("the tree does not hold what was typed: \"%s\"\n", stocke.c_str());
    std::exit(1);
  }
  for (int i = 0; i < texte.size(); ++i) m.Ajoute(Millis([&] { Touche(w, Qt::Key_Backspace, {}); }));
  return m;
}

void Affiche(const char* quoi, const Mesure& m) {
  std::printf("  %-44s %6.2f ms mean, %6.2f ms worst (%d keys)\n", quoi, m.total / m.nbre, m.pire,
              m.nbre);
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication qapp(argc, argv);
  const int personnes = argc > 1 ? std::atoi(argv[1]) : 100000;

  TApplication app;
  const std::string programme = QCoreApplication::applicationDirPath().toStdString() + "/";
  app.traduction.ChargeTraduction(kCheminTraduction, programme);
  app.mots.RetranslateTags(app.traduction);
  app.reglages.ChargeReglages(FichierIni(), app.traduction, programme);
  app.bd = std::make_unique<TBD>();
  TBD& bd = *app.bd;
  bench::OptionsGeneration options;
  options.personnes = personnes;
  const double generation = Millis([&] { bench::GenereArbre(bd, options); });
  std::printf("tree of %d persons made in %.0f ms\n", bd.NbreFichesUtilisees(), generation);

  // A person in the middle of the tree, with parents, siblings, children and events.
  int n = bd.NbreFiche() / 2;
  while (n < bd.NbreFiche() &&
         !(bd.FicheUtilisee(n) && bd.LitPere(n) > 0 && HasChildren(bd, n) && HasUnion(bd, n) &&
           bd.NbreEveFiche(n) > 0))
    ++n;
  bd.RefPers = n;
  bd.BaseChargee = 1;

  TAffArbre arbre(app);
  arbre.Page()->resize(1280, 800);
  arbre.Page()->show();
  const double chart = Millis([&] { arbre.Affiche(); });
  std::printf("chart of %zu boxes around person %d built in %.0f ms\n", arbre.Donnees().boites.size(),
              n, chart);

  TfmFiche fiche(app);
  fiche.SetApparence(&arbre.Apparence());
  QObject::connect(&fiche, &TfmFiche::PersonneModifiee, &arbre, [&](int p) { arbre.RepaintPers(p); });
  fiche.show();

  Mesure affichage;
  for (int k = 0; k < 20; ++k) {
    const int p = k % 2 == 0 ? n : bd.LitPere(n);
    affichage.Ajoute(Millis([&] {
      fiche.Affiche(p);
      QApplication::processEvents();
    }));
  }
  std::printf("record window on person %d:\n", n);
  std::printf("  %-44s %6.2f ms mean, %6.2f ms worst (%d shows)\n", "showing a person (selection change)",
              affichage.total / affichage.nbre, affichage.pire, affichage.nbre);
  fiche.Affiche(n);

  auto* onglets = fiche.findChild<QTabWidget*>("PageControl");
  Affiche("surname", Tape(fiche.findChild<QLineEdit*>("E_Nom"), "Quenouille",
                          [&] { return bd.LitNom(n); }));
  Affiche("given names", Tape(fiche.findChild<QLineEdit*>("E_Pre"), "Jean-Baptiste",
                              [&] { return bd.LitPrenoms(n); }));
  onglets->setCurrentWidget(fiche.findChild<QWidget*>("TS_Evenement"));
  fiche.findChild<QListWidget*>("lbEve")->setCurrentRow(0);
  Affiche("event date", Tape(fiche.findChild<QLineEdit*>("eveDate"), "12/03/1875",
                             [&] { return bd.LitEveFiche(n, 1, 2); }));
  Affiche("event place", Tape(fiche.findChild<QLineEdit*>("eveLieu"), "France, Bretagne, 29",
                              [&] { return bd.LitEveFiche(n, 1, 4); }));
  Affiche("event note", Tape(fiche.findChild<QPlainTextEdit*>("eveNote"), "Acte retrouve aux archives",
                             [&] { return bd.LitEveFiche(n, 1, 5); }));
  onglets->setCurrentWidget(fiche.findChild<QWidget*>("TS_Note"));
  Affiche("person note", Tape(fiche.findChild<QPlainTextEdit*>("M_Note"), "Une note de plus",
                              [&] { return bd.LitChamp(n, 18); }));

  Mesure sortie;
  for (int k = 0; k < 20; ++k) sortie.Ajoute(Millis([&] { fiche.Valide(); }));
  std::printf("  %-44s %6.2f ms mean, %6.2f ms worst\n", "leaving the fields (exit steps)",
              sortie.total / sortie.nbre, sortie.pire);
  Mesure raccourci;
  for (int k = 0; k < 20; ++k)
    raccourci.Ajoute(Millis([&] { fiche.RaccourciEve(k % 2 ? 203 : 201); }));
  std::printf("  %-44s %6.2f ms mean, %6.2f ms worst\n", "Ctrl+N / Ctrl+D on an existing event",
              raccourci.total / raccourci.nbre, raccourci.pire);
  return 0;
}
