#include "gui/main/help.h"

#include <QApplication>
#include <QDesktopServices>
#include <QWidget>

#include <string>
#include <vector>

#include "app/help_pages.h"
#include "gui/common/message_box.h"
#include "gui/common/qt_text.h"
#include "gui/main/application.h"

namespace kindrela {
namespace {

OuvreurAide& Ouvreur() {
  static OuvreurAide ouvreur;
  return ouvreur;
}

void OuvrePage(const QUrl& page) {
  if (Ouvreur()) Ouvreur()(page);
  else QDesktopServices::openUrl(page);
}

}  // namespace

void FixeOuvreurAide(OuvreurAide ouvreur) { Ouvreur() = std::move(ouvreur); }

void AfficheAide(const TApplication& app, QWidget* devant) {
  if (!devant) devant = QApplication::activeWindow();
  // From the control with focus up to its window, nearest first.
  std::vector<std::string> noms;
  QWidget* w = QApplication::focusWidget();
  if (!w || !devant || w->window() != devant->window()) w = devant;
  for (; w; w = w->isWindow() ? nullptr : w->parentWidget())
    noms.push_back(DepuisQString(w->objectName()));
  const std::string page = PageAide(noms);
  const std::string fichier = FichierAide(app.dossiers, page);
  if (fichier.empty()) {
    BoiteMessage(VersQString("Not found : " + app.dossiers.langue + "aide/" + page), kErreur, 0, devant);
    return;
  }
  OuvrePage(QUrl::fromLocalFile(VersQString(fichier)));
}

}  // namespace kindrela
