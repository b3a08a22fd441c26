#include "gui/common/message_box.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

#include "core/identity.h"

namespace kindrela {

QString TitreApplication() {
  return QString::fromLatin1(kTitreApplication.data(), static_cast<int>(kTitreApplication.size()));
}

int BoiteMessage(const QString& texte, int type, int boutons, QWidget* parent) {
  QMessageBox boite(parent);
  boite.setWindowTitle(TitreApplication());
  boite.setText(texte);
  if (boutons != kOuiNonAnnuler) {
    switch (type) {
      case kAttention: boite.setIcon(QMessageBox::Warning); break;
      case kErreur: boite.setIcon(QMessageBox::Critical); break;
      case kInformation: boite.setIcon(QMessageBox::Information); break;
      case kQuestion: boite.setIcon(QMessageBox::Question); break;
    }
  }
  struct Correspondance { int bouton; QMessageBox::StandardButton qt; int resultat; };
  static constexpr Correspondance kBoutons[] = {
      {kBoutonOui, QMessageBox::Yes, kResultatOui},
      {kBoutonNon, QMessageBox::No, kResultatNon},
      {kBoutonAnnuler, QMessageBox::Cancel, kResultatAnnuler},
      {kBoutonAbandon, QMessageBox::Abort, kResultatAbandon},
      {kBoutonReessayer, QMessageBox::Retry, kResultatReessayer},
      {kBoutonIgnorer, QMessageBox::Ignore, kResultatIgnorer},
  };
  QMessageBox::StandardButtons qtBoutons;
  for (const auto& c : kBoutons)
    if (boutons & c.bouton) qtBoutons |= c.qt;
  if (!qtBoutons) qtBoutons = QMessageBox::Ok;
  boite.setStandardButtons(qtBoutons);
  if (boutons & kBoutonAnnuler) boite.setEscapeButton(QMessageBox::Cancel);
  boite.exec();
  auto* clique = boite.clickedButton();
  QMessageBox::StandardButton choisi = clique ? boite.standardButton(clique) : QMessageBox::Cancel;
  if (choisi == QMessageBox::Ok) return kResultatOk;
  for (const auto& c : kBoutons)
    if (c.qt == choisi) return c.resultat;
  return kResultatAnnuler;
}

}  // namespace kindrela
