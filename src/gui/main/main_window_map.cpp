// The main window's side of the map pane: its top button, the commands of
// its menu section (new map, the zone editor, the map page, printing) and
// the report a zone makes.
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QToolButton>

#include "gui/analysis/map_window.h"
#include "gui/analysis/report_window.h"
#include "gui/chart/chart_print.h"
#include "gui/common/qt_text.h"
#include "gui/main/application.h"
#include "gui/main/command_menu.h"
#include "gui/main/main_window.h"

namespace kindrela {
namespace {
constexpr int kBoutonCarte = 4;
}  // namespace

void TScaWin::ConstruitCarte() {
  m_carte = new TfmCarte(m_app, [this] { return m_selecPers; }, this);
  connect(m_carte, &TfmCarte::RapportZone, this, [this](const TR& liste, const std::string& titre) {
    MontreRapport(true);
    if (m_rapport->MontreListe(liste, titre)) m_rapport->setWindowTitle(VersQString(titre));
  });
  connect(m_carte, &TfmCarte::Cache, this, [this] { HideCarte(); });
  connect(&m_carte->Editeur(), &TfmCartePerso::Cache, this, [this] { HideCarteDef(); });
}

TfmCarte& TScaWin::Carte() { return *m_carte; }
bool TScaWin::CarteVisible() const { return m_carte && m_carte->isVisible(); }

void TScaWin::ShowCarte() {
  m_boutonsHaut[kBoutonCarte - 1]->setChecked(true);
  m_menu->MontreSection("Carte", true);
  if (m_carte->isVisible()) return;
  if (m_premiereCarte) PlaceFenetre(m_carte, "Carte");
  m_premiereCarte = false;
  m_carte->show();
  m_carte->Affiche();
}

void TScaWin::HideCarte() {
  if (!m_carte) return;
  m_boutonsHaut[kBoutonCarte - 1]->setChecked(false);
  m_menu->MontreSection("Carte", false);
  HideCarteDef();
  if (m_carte->isVisible()) m_carte->hide();
}

void TScaWin::ShowCarteDef() {
  if (!m_carte->isVisible()) ShowCarte();
  m_carte->Editeur().Remplit();
  m_carte->Editeur().show();
  m_carte->Editeur().raise();
}

void TScaWin::HideCarteDef() {
  if (m_carte && m_carte->Editeur().isVisible()) m_carte->Editeur().hide();
}

void TScaWin::EnableCarte(bool ouvert) {
  m_boutonsHaut[kBoutonCarte - 1]->setEnabled(ouvert);
  m_menu->MontreSection("Carte", ouvert && CarteVisible());
  for (int numero : {kCmdNouvelleCarte, kCmdModifieCarte, kCmdExporteCarte})
    m_menu->ActiveCommande(numero, ouvert);
  m_menu->ActiveCommande(kCmdImprimeCarte, ouvert && ImprimanteDisponible());
}

void TScaWin::SauveFenetreCarte() {
  if (m_premiereCarte) return;
  const QRect g = m_carte->geometry();
  m_app.reglages.SetRectFenetre("Carte", TRect{g.left(), g.top(), g.width(), g.height()});
}

void TScaWin::NouvelleCarte() {
  if (!CarteVisible()) ShowCarte();
  TfmCarteNouvelle dialogue(*m_carte, m_carte);
  if (dialogue.exec() == QDialog::Accepted) ShowCarteDef();
}

void TScaWin::ImprimeCarte() {
  QPrinter imprimante(QPrinter::HighResolution);
  imprimante.setDocName(VersQString(m_app.traduction.MsgCle("fmCarte.Caption")));
  QPrintDialog dialogue(&imprimante, m_carte);
  if (dialogue.exec() != QDialog::Accepted) return;
  const QImage image = m_carte->ImageAffichee();
  QPainter p(&imprimante);
  const QRect page = p.viewport();
  const QSize taille = image.size().scaled(page.size(), Qt::KeepAspectRatio);
  p.drawImage(QRect(page.topLeft(), taille), image);
}

bool TScaWin::CommandeCarte(int numero) {
  switch (numero) {
    case kCmdNouvelleCarte: NouvelleCarte(); return true;
    case kCmdModifieCarte:
      if (m_carte->Editeur().isVisible()) HideCarteDef();
      else ShowCarteDef();
      return true;
    case kCmdExporteCarte:
      if (!CarteVisible()) ShowCarte();
      (void)m_carte->ExportePage();
      return true;
    case kCmdImprimeCarte:
      if (!CarteVisible()) ShowCarte();
      ImprimeCarte();
      return true;
    default: return false;
  }
}

}  // namespace kindrela
