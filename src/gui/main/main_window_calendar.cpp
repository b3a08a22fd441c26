// The main window's side of the calendar pane: its top button, the
// commands of its menu section (the reminder, the export chooser, the
// options page, the converter) and what a click on a day leads to.
#include <QButtonGroup>
#include <QDialog>
#include <QDialogButtonBox>
#include <QRadioButton>
#include <QToolButton>
#include <QVBoxLayout>

#include "core/ansi_literal.h"
#include "gui/analysis/options_window.h"
#include "gui/analysis/report_window.h"
#include "gui/common/message_box.h"
#include "gui/common/qt_text.h"
#include "gui/dates/calendar_converter.h"
#include "gui/dates/event_calendar_window.h"
#include "gui/dates/reminder_window.h"
#include "gui/main/application.h"
#include "gui/main/command_menu.h"
#include "gui/main/main_window.h"

namespace kindrela {
namespace {
constexpr int kBoutonCalendrier = 7;
}  // namespace

void TScaWin::ConstruitCalendrier() {
  m_cal = new TfmCal(m_app, this);
  connect(m_cal, &TfmCal::PersonneChoisie, this, [this](int p) {
    SetSelecPers(p);
    if (!FicheVisible()) ShowFiche();
  });
  connect(m_cal, &TfmCal::ListeChoisie, this, [this](const std::vector<int32_t>& liste, const std::string& titre) {
    TR r;
    for (int32_t p : liste) r.Add(p);
    MontreRapport(true);
    if (m_rapport->MontreListe(std::move(r), titre)) m_rapport->setWindowTitle(VersQString(titre));
  });
  connect(m_cal, &TfmCal::Cache, this, [this] { MontreCalendrier(false); });
}

TfmCal& TScaWin::Calendrier() { return *m_cal; }
bool TScaWin::CalendrierVisible() const { return m_cal->isVisible(); }

void TScaWin::MontreCalendrier(bool visible) {
  m_boutonsHaut[kBoutonCalendrier - 1]->setChecked(visible);
  m_menu->MontreSection("Calendrier", visible);
  if (visible == m_cal->isVisible()) return;
  if (visible) {
    if (m_premierCal) PlaceFenetre(m_cal, "Cal");
    m_premierCal = false;
    m_cal->show();
  } else {
    m_cal->hide();
  }
}

void TScaWin::EnableCalendrier(bool ouvert) {
  m_boutonsHaut[kBoutonCalendrier - 1]->setEnabled(ouvert);
  m_menu->MontreSection("Calendrier", ouvert && m_cal->isVisible());
  // The reminder, the options and the converter need no tree; the export does.
  for (int numero : {kCmdAnniversaire, kCmdOptionsCalendrier, kCmdConversionCalendrier})
    m_menu->ActiveCommande(numero, true);
  m_menu->ActiveCommande(kCmdExporteCalendrier, ouvert);
}

void TScaWin::SauveFenetreCalendrier() {
  if (m_premierCal) return;
  const QRect g = m_cal->geometry();
  m_app.reglages.SetRectFenetre("Cal", TRect{g.left(), g.top(), g.width(), g.height()});
}

void TScaWin::ExporteCalendrier() {
  QDialog choix(m_cal->isVisible() ? static_cast<QWidget*>(m_cal) : this);
  choix.setObjectName("fmChoixExport");
  choix.setWindowTitle(VersQString("Exporter le calendrier"));
  auto* l = new QVBoxLayout(&choix);
  auto* groupe = new QButtonGroup(&choix);
  const std::pair<int, const char*> entrees[] = {{1, "Afficher le calendrier avec le navigateur Web"},
                                                 {4, "Options du calendrier"}};
  for (auto [numero, texte] : entrees) {
    auto* r = new QRadioButton(VersQString(texte), &choix);
    r->setObjectName(QString("rbExport%1").arg(numero));
    r->setChecked(numero == 1);
    groupe->addButton(r, numero);
    l->addWidget(r);
  }
  auto* b = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &choix);
  connect(b, &QDialogButtonBox::accepted, &choix, &QDialog::accept);
  connect(b, &QDialogButtonBox::rejected, &choix, &QDialog::reject);
  l->addWidget(b);
  if (choix.exec() != QDialog::Accepted) return;
  if (groupe->checkedId() == 1) m_cal->ExporteNavigateur();
  else AfficheOptions(choix.parentWidget(), m_app, kPageCalendrier);
}

bool TScaWin::CommandeCalendrier(int numero) {
  // Above the calendar, which stays on top of the main window.
  QWidget* parent = m_cal->isVisible() ? static_cast<QWidget*>(m_cal) : this;
  switch (numero) {
    case kCmdAnniversaire:
      if (!AfficherRappels(parent, m_app))
        BoiteMessage(VersQString(m_app.traduction.Msg(534)).replace("\r\n", "\n"), kInformation, 0, parent);
      return true;
    case kCmdExporteCalendrier: ExporteCalendrier(); return true;
    case kCmdOptionsCalendrier: AfficheOptions(parent, m_app, kPageCalendrier); return true;
    case kCmdConversionCalendrier: (void)ConvertirCalendrier(parent, DateDuJour()); return true;
    default: return false;
  }
}

}  // namespace kindrela
